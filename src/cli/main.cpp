// terminor-cli: the headless front end of Terminor.

#include <filesystem>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "InfoCommand.h"
#include "PlanInput.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "data/XmlFile.h"

namespace {

using namespace terminor;
using namespace terminor::cli;

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

    std::string infoInput;
    std::string infoOptions;
    bool infoJson = false;
    CLI::App* info = app.add_subcommand("info", "Zusammenfassung einer Staffel ausgeben");
    info->add_option("INPUT", infoInput, "click-TT-Export oder Plandatei")->required();
    info->add_option("--options", infoOptions, "Optionsdatei (Terminor.options)");
    info->add_flag("--json", infoJson, "als JSON ausgeben");

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
        if (info->parsed()) {
            const auto plan = LoadPlan(infoInput, infoOptions);
            if (infoJson) {
                std::cout << PlanInfoJson(*plan).dump(2) << "\n";
            } else {
                PrintPlanInfo(*plan, std::cout);
            }
            return 0;
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
