// terminor-cli: the headless front end of Terminor.

#include <filesystem>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "CostsCommand.h"
#include "GenerateCommand.h"
#include "InfoCommand.h"
#include "PlanInput.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"

namespace {

using namespace terminor;
using namespace terminor::cli;

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::exists(b, ec) && std::filesystem::equivalent(a, b, ec);
}

void WriteStdout(const std::string& bytes) {
    std::cout << bytes;
    std::cout.flush();
    if (!std::cout) {
        throw EFileError("Die Ausgabe kann nicht geschrieben werden.");
    }
}

/// Refuses to overwrite the input file with an output file.
void CheckNotInput(const std::string& input, const std::string& output) {
    if (output != "-" && SameFile(input, output)) {
        throw EFileError("Die Eingabedatei " + input +
                         " wird nicht überschrieben. Bitte eine andere Ausgabedatei angeben.");
    }
}

int RunConvert(const std::string& input, const std::string& output) {
    TPlanData planData;
    bool isClickTT = false;
    LoadPlanInput(input, planData, isClickTT);
    if (output == "-") {
        WriteStdout(planData.SaveToXMLText());
        return 0;
    }
    if (isClickTT) {
        CheckNotInput(input, output);
    }
    planData.SaveToXML(output);
    return 0;
}

/// The options every command that loads a plan shares.
struct PlanArgs {
    std::string input;
    std::string options;
    std::string schedule;

    void AddTo(CLI::App* command, bool withSchedule) {
        command->add_option("INPUT", input, "click-TT-Export oder Plandatei")->required();
        command->add_option("--options", options, "Optionsdatei (Terminor.options)");
        if (withSchedule) {
            command->add_option("--schedule", schedule, "gemerkter Spielplan (XML)");
        }
    }
};

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

    PlanArgs infoArgs;
    bool infoJson = false;
    CLI::App* info = app.add_subcommand("info", "Zusammenfassung einer Staffel ausgeben");
    infoArgs.AddTo(info, false);
    info->add_flag("--json", infoJson, "als JSON ausgeben");

    PlanArgs costsArgs;
    bool costsJson = false;
    CLI::App* costs = app.add_subcommand("costs", "Kosten eines Spielplans ausgeben");
    costsArgs.AddTo(costs, true);
    costs->add_flag("--json", costsJson, "als JSON ausgeben");

    PlanArgs exportArgs;
    std::string exportOutput;
    CLI::App* exportCsv = app.add_subcommand("export", "Spielplan als CSV-Datei für click-TT exportieren");
    exportArgs.AddTo(exportCsv, true);
    exportCsv->add_option("-o,--output", exportOutput, "CSV-Datei (- für die Standardausgabe)")->required();

    PlanArgs scheduleArgs;
    std::string scheduleOutput;
    CLI::App* schedule = app.add_subcommand("schedule", "Spielplan als XML-Datei merken");
    scheduleArgs.AddTo(schedule, true);
    schedule->add_option("-o,--output", scheduleOutput, "XML-Datei (- für die Standardausgabe)")->required();

    GenerateArgs generateArgs;
    CLI::App* generate = app.add_subcommand("generate", "Spielplan generieren");
    generate->add_option("INPUT", generateArgs.input, "click-TT-Export oder Plandatei")->required();
    generate->add_option("--options", generateArgs.options, "Optionsdatei (Terminor.options)");
    generate->add_option("--schedule", generateArgs.schedule, "gemerkter Spielplan als Start (XML)");
    generate->add_option("--seconds", generateArgs.seconds, "Laufzeit in Sekunden");
    generate->add_option("--steps", generateArgs.steps, "Anzahl berechneter Pläne");
    generate->add_option("--seed", generateArgs.seed, "fester Startwert der Zufallszahlen");
    generate->add_option("--main-threads", generateArgs.mainThreads, "Anzahl der Hauptthreads (Standard 4)");
    generate->add_flag("--no-special-thread", generateArgs.noSpecialThread, "ohne den Spezial-Thread");
    generate->add_option("--single-worker", generateArgs.singleWorker,
                         "nur ein Rechenthread dieses Typs, im aufrufenden Thread (z. B. 2 oder S1,25)");
    generate->add_option("-o,--output", generateArgs.output, "Spielplan als XML-Datei");
    generate->add_option("--csv", generateArgs.csv, "Spielplan als CSV-Datei für click-TT");
    generate->add_flag("--json", generateArgs.json, "Ergebnis als JSON ausgeben");
    generate->add_flag("--quiet", generateArgs.quiet, "keine Fortschrittsmeldungen");

    ProfileArgs profileArgs;
    CLI::App* profile = app.add_subcommand("profile", "Laufzeiten der Kostenberechnung messen");
    profile->add_option("INPUT", profileArgs.input, "click-TT-Export oder Plandatei")->required();
    profile->add_option("--options", profileArgs.options, "Optionsdatei (Terminor.options)");
    profile->add_option("--schedule", profileArgs.schedule, "gemerkter Spielplan (XML)");
    profile->add_option("--calls", profileArgs.calls, "Aufrufe je Messung (Standard 10001)");
    profile->add_option("--seed", profileArgs.seed, "fester Startwert der Zufallszahlen");

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
            const auto plan = LoadPlan(infoArgs.input, infoArgs.options);
            if (infoJson) {
                std::cout << PlanInfoJson(*plan).dump(2) << "\n";
            } else {
                PrintPlanInfo(*plan, std::cout);
            }
            return 0;
        }
        if (costs->parsed()) {
            const auto plan = LoadPlan(costsArgs.input, costsArgs.options, costsArgs.schedule);
            if (costsJson) {
                std::cout << CostsJson(*plan).dump(2) << "\n";
            } else {
                PrintCosts(*plan, std::cout);
            }
            return 0;
        }
        if (exportCsv->parsed()) {
            CheckNotInput(exportArgs.input, exportOutput);
            const auto plan = LoadPlan(exportArgs.input, exportArgs.options, exportArgs.schedule);
            if (exportOutput == "-") {
                WriteStdout(plan->ScheduleToCsvBytes());
            } else {
                plan->SaveScheduleToCsv(exportOutput);
            }
            return 0;
        }
        if (schedule->parsed()) {
            CheckNotInput(scheduleArgs.input, scheduleOutput);
            const auto plan = LoadPlan(scheduleArgs.input, scheduleArgs.options, scheduleArgs.schedule);
            if (scheduleOutput == "-") {
                WriteStdout(plan->ScheduleToXmlText());
            } else {
                plan->SaveScheduleToXml(scheduleOutput);
            }
            return 0;
        }
        if (generate->parsed()) {
            for (const std::string* out : {&generateArgs.output, &generateArgs.csv}) {
                if (!out->empty()) {
                    CheckNotInput(generateArgs.input, *out);
                }
            }
            return RunGenerate(generateArgs);
        }
        if (profile->parsed()) {
            return RunProfile(profileArgs);
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
