#pragma once
// The batch mode `terminor --print-pdf OUT.pdf INPUT [--options F] [--schedule S] [--landscape]
// [--sections LIST]`: prints sections of a plan into a PDF file without a window, through the
// same printer and page routines as the plan view. Needs a QApplication (the offscreen platform
// suffices); main thread only.

#include <string>
#include <vector>

#include "view/PlanPrint.h"

namespace terminor {

/// The call, as parsed from the arguments after "--print-pdf".
struct TPrintPdfArgs {
    std::string OutFile;
    std::string InputFile;
    std::string OptionsFile;
    std::string ScheduleFile;
    TPrintSelection Selection;
};

/// Parses the arguments that follow "--print-pdf"; throws TerminorError with a German text.
TPrintPdfArgs ParsePrintPdfArgs(const std::vector<std::string>& args);

/// Loads the plan (click-TT export or plan file, options, schedule) and writes the PDF file;
/// throws TerminorError and then leaves no PDF file behind. The input files are only read.
void PrintPlanToPdf(const TPrintPdfArgs& args);

/// Before the QApplication is created: the offscreen platform, and Qt's own (English) notes
/// silenced, so that stderr carries only the German messages of the command.
void PreparePrintPdf();

/// `argv[1]` is "--print-pdf". Errors go to stderr in German; returns 0 on success, else 1.
int RunPrintPdf(int argc, char** argv);

} // namespace terminor
