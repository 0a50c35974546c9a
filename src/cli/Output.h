#pragma once
// What every command writes: output files ("-" is standard output) named on standard error, and
// the exit code of a schedule with its warning.

#include <string>
#include <string_view>

#include "model/Plan.h"

namespace terminor::cli {

/// Exit codes, the same for every command.
inline constexpr int ExitDone = 0;
inline constexpr int ExitError = 1;
inline constexpr int ExitScheduleFaulty = 2;

/// The help texts' description of the exit codes.
std::string ExitCodesHelp();

/// Refuses an output that is the file `input` (unless that is empty) or that cannot be written
/// (EFileError); "-" passes.
void CheckOutput(const std::string& input, const std::string& output);

/// Writes bytes to the file `output` (atomically) or, for "-", to standard output, and names a
/// written file on standard error: "LABEL gespeichert: PATH".
void WriteOutput(const std::string& output, std::string_view bytes, std::string_view label);

/// "1 harter Fehler" or "N harte Fehler", "1 Spiel ohne Termin" or "N Spiele ohne Termin".
std::string HardErrorsText(int count);
std::string UndatedText(int count);

/// Counts the schedule's hard errors. With none: ExitDone. Otherwise writes
/// "Achtung: N harte Fehler, M Spiele ohne Termin" to standard error, followed by
/// " (Details: DETAILS)" when `details` is given, and returns ExitScheduleFaulty.
int ScheduleExitCode(const TPlan& plan, const std::string& details);

/// "terminor-cli costs INPUT [--options F] [--schedule S]", paths quoted for the shell where needed.
std::string CostsCommandLine(const std::string& input, const std::string& options,
                             const std::string& schedule);

} // namespace terminor::cli
