// terminor-cli: the headless front end of Terminor.

#include <filesystem>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "data/XmlFile.h"

namespace {

using namespace terminor;

/// Reads a plan data file or a click-TT export (recognised by its document element "TT").
void LoadPlanInput(const std::string& path, TPlanData& planData, bool& isClickTT) {
    const std::string bytes = ReadFileBytes(path);
    TXmlDocument probe;
    probe.LoadBytes(bytes, path);
    isClickTT = std::string_view(probe.documentElement().name()) == "TT";
    if (isClickTT) {
        planData.LoadFromClickTTText(bytes, path);
    } else {
        planData.LoadFromXMLText(bytes, path);
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::exists(b, ec) && std::filesystem::equivalent(a, b, ec);
}

int RunConvert(const std::string& input, const std::string& output) {
    TPlanData planData;
    bool isClickTT = false;
    LoadPlanInput(input, planData, isClickTT);
    if (output == "-") {
        std::cout << planData.SaveToXMLText();
        std::cout.flush();
        if (!std::cout) {
            throw EFileError("Die Ausgabe kann nicht geschrieben werden.");
        }
        return 0;
    }
    if (isClickTT && SameFile(input, output)) {
        throw EFileError("Die click-TT-Datei " + input +
                         " wird nicht überschrieben. Bitte eine andere Ausgabedatei angeben.");
    }
    planData.SaveToXML(output);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Terminor: Spielplan-Generator für Tischtennis-Ligen", "terminor-cli"};
    app.require_subcommand(0, 1);
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Version ausgeben");

    std::string convertInput;
    std::string convertOutput;
    CLI::App* convert =
        app.add_subcommand("convert", "click-TT-Export oder Plandatei als Plandatei speichern");
    convert->add_option("INPUT", convertInput, "click-TT-Export oder Plandatei")->required();
    convert->add_option("-o,--output", convertOutput, "Ausgabedatei (- für die Standardausgabe)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "Fehler in den Argumenten: " << e.what() << "\n";
        return 1;
    }

    try {
        if (showVersion) {
            std::cout << "terminor-cli " << ProgramVersionText() << "\n";
            return 0;
        }
        if (convert->parsed()) {
            return RunConvert(convertInput, convertOutput);
        }
        std::cerr << app.help();
        return 1;
    } catch (const TerminorError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "Unerwarteter Fehler: " << e.what() << "\n";
        return 1;
    }
}
