// terminor --print-pdf: argument parsing, loading the plan as the command line program does, and
// printing through TSimplePrinter into a PDF file.

#include "app/PrintPdfCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>

#include <QtGlobal>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanFileKind.h"
#include "data/XmlFile.h"
#include "model/CalculateOptions.h"
#include "model/Plan.h"
#include "view/SimplePrinter.h"

namespace terminor {

namespace {

constexpr const char* Usage = "Aufruf: terminor --print-pdf AUSGABE.pdf EINGABE [--options DATEI] "
                              "[--schedule DATEI] [--landscape] [--sections LISTE]";

// The keys of --sections, in the order of TPrintSection.
constexpr const char* SectionKeys[PrintSectionCount] = {
    "wuensche", "nachbarn", "kosten", "spielplan", "mannschaftsplaene", "mitnachbarn", "diagramme"};

std::string AllSectionKeys() {
    std::string keys;
    for (const char* key : SectionKeys) {
        keys += (keys.empty() ? "" : ", ") + std::string(key);
    }
    return keys;
}

TPrintSelection ParseSections(const std::string& list) {
    TPrintSelection selection;
    selection.Sections.fill(false);
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string key = list.substr(start, comma - start);
        bool known = false;
        for (int i = 0; i < PrintSectionCount; ++i) {
            if (key == SectionKeys[i]) {
                selection.Sections[static_cast<std::size_t>(i)] = true;
                known = true;
            }
        }
        if (!known) {
            throw TerminorError("Unbekannter Abschnitt \"" + key +
                                "\" in --sections. Erlaubt sind: " + AllSectionKeys());
        }
        start = comma + 1;
    }
    return selection;
}

void RejectSameFile(const std::string& outFile, const std::string& inputFile) {
    if (inputFile.empty()) {
        return;
    }
    std::error_code error;
    const auto out = std::filesystem::weakly_canonical(outFile, error);
    const auto in = std::filesystem::weakly_canonical(inputFile, error);
    if (!error && out == in) {
        throw TerminorError("Die PDF-Datei " + outFile + " darf keine der Eingabedateien überschreiben.");
    }
}

std::unique_ptr<TPlan> LoadPlan(const TPrintPdfArgs& args) {
    // A click-TT export or a plan data file; anything else is refused with the core's text.
    TPlanData planData;
    LoadPlanInput(args.InputFile, planData);
    auto plan = std::make_unique<TPlan>();
    plan->Load(planData);
    TCalculateOptions options;
    if (!args.OptionsFile.empty()) {
        // The options file never fails to load, but a file the user names must exist.
        if (!std::ifstream(args.OptionsFile).good()) {
            throw EFileError("Datei " + args.OptionsFile +
                             " kann nicht gelesen werden. Grund: Datei nicht gefunden");
        }
        std::string problem;
        options.Load(args.OptionsFile, &problem);
        if (!problem.empty()) {
            throw EFileError(problem);
        }
    }
    plan->AssignOptions(options);
    if (!args.ScheduleFile.empty()) {
        // A schedule file without games under plan/schedule gives a plan without dates, as in the
        // window; one whose games all belong to other teams is refused.
        TPlanData schedule;
        LoadScheduleDocument(args.ScheduleFile, schedule);
        const std::string unmatched =
            plan->LoadScheduleFromPlanData(schedule, args.ScheduleFile).UnmatchedText();
        if (!unmatched.empty()) {
            std::cerr << "Achtung: " << unmatched << " (" << args.ScheduleFile << ")\n";
        }
        const TCalculateOptions own = plan->getOptions();
        plan->AssignOptions(own);
    }
    // As the plan view does with every plan it shows: every cached cost current.
    plan->CalculateKosten(-1);
    return plan;
}

} // namespace

TPrintPdfArgs ParsePrintPdfArgs(const std::vector<std::string>& args) {
    TPrintPdfArgs result;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw TerminorError("Die Option " + arg + " erwartet einen Wert.\n" + Usage);
            }
            return args[++i];
        };
        if (arg == "--options") {
            result.OptionsFile = value();
        } else if (arg == "--schedule") {
            result.ScheduleFile = value();
        } else if (arg == "--sections") {
            result.Selection.Sections = ParseSections(value()).Sections;
        } else if (arg == "--landscape") {
            result.Selection.Landscape = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TerminorError("Unbekannte Option " + arg + ".\n" + Usage);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        throw TerminorError(
            std::string(positional.size() < 2 ? "Es fehlen Dateinamen.\n" : "Zu viele Dateinamen.\n") +
            Usage);
    }
    result.OutFile = positional[0];
    result.InputFile = positional[1];
    for (const std::string* input : {&result.InputFile, &result.OptionsFile, &result.ScheduleFile}) {
        RejectSameFile(result.OutFile, *input);
    }
    return result;
}

void PrintPlanToPdf(const TPrintPdfArgs& args) {
    std::unique_ptr<TPlan> plan = LoadPlan(args);
    auto printer = std::make_unique<TSimplePrinter>();
    printer->FontFamily = "Tahoma";
    printer->FontHeight = -12;
    printer->Zoom = PrintZoom(args.Selection);
    printer->BeginPrintToPdf(plan->PlanName, args.Selection.Landscape, args.OutFile);
    try {
        PrintPlanSections(*printer, *plan, args.Selection);
        printer->EndPrint();
    } catch (...) {
        // A half-written PDF file is of no use.
        printer.reset();
        std::error_code ignored;
        std::filesystem::remove(args.OutFile, ignored);
        throw;
    }
}

void PreparePrintPdf() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            std::cerr << message.toStdString() << '\n';
        }
    });
}

int RunPrintPdf(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
        PrintPlanToPdf(ParsePrintPdfArgs(args));
        return 0;
    } catch (const TerminorError& e) {
        std::cerr << "terminor: " << e.what() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "terminor: Unerwarteter Fehler: " << e.what() << '\n';
    }
    return 1;
}

} // namespace terminor
