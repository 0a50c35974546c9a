// terminor-cli: the headless front end of Terminor.

#include <csignal>
#include <iostream>
#include <limits>
#include <string>

#include <CLI/CLI.hpp>

#include "Arguments.h"
#include "CostsCommand.h"
#include "GenerateCommand.h"
#include "IcalCommand.h"
#include "InfoCommand.h"
#include "LockCommand.h"
#include "Output.h"
#include "PlanInput.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"

namespace {

using namespace terminor;
using namespace terminor::cli;

const char* const InputHelp = "click-TT-Export oder Plandatei";
const char* const OptionsHelp = "Optionsdatei (Terminor.options)";

/// The options every command that loads a plan shares.
struct PlanArgs {
    std::string input;
    std::string options;
    std::string schedule;

    void AddTo(CLI::App* command, const char* scheduleHelp) {
        command->add_option("INPUT", input, InputHelp)->required()->type_name("DATEI");
        command->add_option("--options", options, OptionsHelp)->type_name("DATEI");
        if (scheduleHelp != nullptr) {
            command->add_option("--schedule", schedule, scheduleHelp)->type_name("DATEI");
        }
    }
};

const char* const ScheduleHelp =
    "gemerkter Spielplan (XML); ohne: der in click-TT\nvorhandene Plan der Staffel";

int RunConvert(const std::string& input, const std::string& output) {
    TPlanData planData;
    // A plan file may be rewritten in place; an imported click-TT export never is.
    CheckOutput(LoadInput(input, planData) == pfkClickTT ? input : std::string(), output);
    WriteOutput(output, planData.SaveToXMLText(), "Plandatei");
    return ExitDone;
}

/// export and schedule: a schedule file written from the plan, or from the division's existing schedule.
int RunWriteSchedule(const PlanArgs& args, const std::string& output, bool csv) {
    CheckOutput(args.input, output);
    const auto plan = LoadPlan(args.input, args.options, args.schedule);
    if (args.schedule.empty()) {
        RequireDatedGames(*plan);
    }
    if (csv) {
        WriteOutput(output, plan->ScheduleToCsvBytes(), "CSV für click-TT");
    } else {
        WriteOutput(output, plan->ScheduleToXmlText(), "Spielplan");
    }
    return ScheduleExitCode(*plan, CostsCommandLine(args.input, args.options, args.schedule));
}

int RunHelp(const CLI::App& app, const std::string& command) {
    if (command.empty()) {
        // app.help() would show the help of the selected command "help" itself.
        std::cout << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
        return ExitDone;
    }
    for (const CLI::App* sub : app.get_subcommands({})) {
        if (sub->get_name() == command) {
            std::cout << sub->help("terminor-cli");
            return ExitDone;
        }
    }
    std::cerr << "Fehler in den Argumenten: " << UnknownCommandText(command, app)
              << "\nSiehe terminor-cli --help\n";
    return ExitError;
}

} // namespace

int main(int argc, char** argv) {
    // A closed pipe makes writing fail with a message instead of ending the program silently.
    std::signal(SIGPIPE, SIG_IGN);

    CLI::App app{"Terminor: Spielplan-Generator für Tischtennis-Ligen", "terminor-cli"};
    MakeGerman(app, ExitCodesHelp());
    app.require_subcommand(0, 1);
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Version ausgeben");

    std::string convertInput;
    std::string convertOutput;
    CLI::App* convert = AddCommand(app, "convert", "Eingabe als Plandatei speichern");
    convert->add_option("INPUT", convertInput, InputHelp)->required()->type_name("DATEI");
    convert->add_option("-o,--output", convertOutput, "Plandatei (- für die Standardausgabe)")
        ->required()
        ->type_name("DATEI");

    PlanArgs infoArgs;
    bool infoJson = false;
    CLI::App* info = AddCommand(app, "info", "Zusammenfassung einer Staffel ausgeben");
    infoArgs.AddTo(info, nullptr);
    info->add_flag("--json", infoJson, "als JSON ausgeben");

    PlanArgs costsArgs;
    bool costsJson = false;
    bool costsWide = false;
    CLI::App* costs = AddCommand(app, "costs", "Kosten und harte Fehler eines Spielplans ausgeben");
    costsArgs.AddTo(costs, ScheduleHelp);
    costs->add_flag("--json", costsJson, "als JSON ausgeben");
    costs->add_flag("--wide", costsWide,
                    "eine Zeile je Mannschaft, eine Spalte je Kostenart\n(für breite Terminals)");

    PlanArgs exportArgs;
    std::string exportOutput;
    CLI::App* exportCsv = AddCommand(app, "export", "Spielplan als CSV-Datei für click-TT exportieren");
    exportArgs.AddTo(exportCsv, ScheduleHelp);
    exportCsv->add_option("-o,--output", exportOutput, "CSV-Datei (- für die Standardausgabe)")
        ->required()
        ->type_name("DATEI");

    PlanArgs scheduleArgs;
    std::string scheduleOutput;
    CLI::App* schedule = AddCommand(app, "schedule", "Spielplan als XML-Datei merken");
    scheduleArgs.AddTo(schedule, ScheduleHelp);
    schedule->add_option("-o,--output", scheduleOutput, "XML-Datei (- für die Standardausgabe)")
        ->required()
        ->type_name("DATEI");

    PlanArgs icalPlanArgs;
    IcalArgs icalArgs;
    CLI::App* ical = AddCommand(app, "ical", "Mannschaftspläne als iCalendar-Dateien schreiben");
    icalPlanArgs.AddTo(ical, ScheduleHelp);
    ical->add_option("--team", icalArgs.team, "nur diese Mannschaft (ihr Name wie im Plan)")
        ->type_name("NAME");
    ical->add_option(
            "-o,--output", icalArgs.output,
            "mit --team die Kalenderdatei (- für die\nStandardausgabe), sonst ein Ordner: darin eine\n"
            "Datei je Mannschaft (NAME.ics)")
        ->required()
        ->type_name("ZIEL");

    GenerateArgs generateArgs;
    CLI::App* generate = AddCommand(app, "generate", "Spielplan generieren");
    generate->add_option("INPUT", generateArgs.input, InputHelp)->required()->type_name("DATEI");
    generate->add_option("--options", generateArgs.options, OptionsHelp)->type_name("DATEI");
    generate->add_option("--schedule", generateArgs.schedule, "gemerkter Spielplan als Start (XML)")
        ->type_name("DATEI");
    CLI::Option* seconds =
        generate
            ->add_option(
                "--seconds", generateArgs.seconds,
                "Laufzeit in Sekunden, auch mit Komma (2,5);\nohne --seconds und --steps 60 Sekunden")
            ->type_name("SEKUNDEN")
            ->transform(PositiveSeconds());
    CLI::Option* steps =
        generate->add_option("--steps", generateArgs.steps, "Anzahl berechneter Pläne (statt --seconds)")
            ->type_name("ANZAHL")
            ->check(WholeNumber(1));
    seconds->excludes(steps);
    generate
        ->add_option("--seed", generateArgs.seed,
                     "fester Startwert der Zufallszahlen: ein Lauf mit\n"
                     "--single-worker wiederholt sich damit genau,\n"
                     "einer mit allen Threads nicht: dort entscheidet\n"
                     "der zeitliche Ablauf, welcher Thread gewinnt")
        ->type_name("ZAHL")
        ->check(WholeNumber(0));
    generate
        ->add_option("--main-threads", generateArgs.mainThreads,
                     "Anzahl der Hauptthreads mit je 24 Rechenthreads\n(Standard 4, 1 bis 16)")
        ->type_name("ANZAHL")
        ->check(WholeNumber(1, MaxMainThreads));
    generate->add_flag("--no-special-thread", generateArgs.noSpecialThread, "ohne den Spezial-Thread");
    generate
        ->add_option(
            "--single-worker", generateArgs.singleWorker,
            "nur ein Rechenthread dieses Typs (z. B. 2 oder\nS1,25), im aufrufenden Thread, für --steps\n"
            "oder --seconds")
        ->type_name("TYP");
    generate
        ->add_option("-o,--output", generateArgs.output,
                     "Spielplan als XML-Datei\n(- für die Standardausgabe)")
        ->type_name("DATEI");
    generate
        ->add_option("--csv", generateArgs.csv,
                     "Spielplan als CSV-Datei für click-TT\n(- für die Standardausgabe)")
        ->type_name("DATEI");
    generate->add_flag("--json", generateArgs.json, "Ergebnis als JSON ausgeben");
    generate->add_flag("--wide", generateArgs.wide, "Kostentabelle mit einer Zeile je Mannschaft");
    generate->add_flag("--quiet", generateArgs.quiet, "keine Fortschrittszeile");

    ProfileArgs profileArgs;
    CLI::App* profile = AddCommand(app, "profile", "Laufzeiten der Kostenberechnung messen");
    profile->add_option("INPUT", profileArgs.input, InputHelp)->required()->type_name("DATEI");
    profile->add_option("--options", profileArgs.options, OptionsHelp)->type_name("DATEI");
    profile->add_option("--schedule", profileArgs.schedule, "gemerkter Spielplan (XML)")->type_name("DATEI");
    profile->add_option("--calls", profileArgs.calls, "Aufrufe je Messung (Standard 10001)")
        ->type_name("ANZAHL")
        ->check(WholeNumber(1, std::numeric_limits<int>::max()));
    profile->add_option("--seed", profileArgs.seed, "fester Startwert der Zufallszahlen")
        ->type_name("ZAHL")
        ->check(WholeNumber(0));

    LockArgs lockArgs;
    CLI::App* lock = AddCommand(
        app, "lock", "Begegnung auf einen Termin festlegen (oder mit --unlock\ndie Festlegung aufheben)");
    lock->add_option("INPUT", lockArgs.input, InputHelp)->required()->type_name("DATEI");
    lock->add_option("--game", lockArgs.game, "die Begegnung: \"HEIM|GAST|TT.MM.JJJJ hh:mm\"")
        ->required()
        ->type_name("BEGEGNUNG");
    lock->add_flag("--unlock", lockArgs.unlock, "die Festlegung aufheben");
    lock->add_option("-o,--output", lockArgs.output,
                     "Ausgabedatei (- für die Standardausgabe); ohne: die\n"
                     "Plandatei selbst, bei einem click-TT-Export die\n"
                     "Änderungsdatei daneben (.modifications)")
        ->type_name("DATEI");

    std::string helpCommand;
    CLI::App* help = AddCommand(app, "help", "Übersicht oder Hilfe eines Befehls anzeigen");
    help->add_option("BEFEHL", helpCommand, "der Befehl")->type_name("");

    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "Fehler in den Argumenten: " << ArgumentErrorText(e, app) << "\n";
        return ExitError;
    }

    try {
        if (showVersion) {
            std::cout << "terminor-cli " << ProgramVersionText() << "\n";
            return ExitDone;
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
            return ExitDone;
        }
        if (costs->parsed()) {
            const auto plan = LoadPlan(costsArgs.input, costsArgs.options, costsArgs.schedule);
            if (costsJson) {
                std::cout << CostsJson(*plan).dump(2) << "\n";
            } else {
                PrintCosts(*plan, std::cout, costsWide);
            }
            return ScheduleExitCode(*plan, std::string());
        }
        if (exportCsv->parsed()) {
            return RunWriteSchedule(exportArgs, exportOutput, true);
        }
        if (schedule->parsed()) {
            return RunWriteSchedule(scheduleArgs, scheduleOutput, false);
        }
        if (ical->parsed()) {
            icalArgs.input = icalPlanArgs.input;
            icalArgs.options = icalPlanArgs.options;
            icalArgs.schedule = icalPlanArgs.schedule;
            return RunIcal(icalArgs);
        }
        if (generate->parsed()) {
            return RunGenerate(generateArgs);
        }
        if (profile->parsed()) {
            return RunProfile(profileArgs);
        }
        if (lock->parsed()) {
            return RunLock(lockArgs);
        }
        return RunHelp(app, helpCommand);
    } catch (const TerminorError& e) {
        std::cerr << e.what() << "\n";
        return ExitError;
    } catch (const std::exception& e) {
        std::cerr << "Unerwarteter Fehler: " << e.what() << "\n";
        return ExitError;
    }
}
