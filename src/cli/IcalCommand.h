#pragma once
// terminor-cli ical: the teams' games as iCalendar files, one team into a file or every team into
// a folder, from the division's existing schedule or a remembered one. Main thread only.

#include <string>

namespace terminor::cli {

struct IcalArgs {
    std::string input;
    std::string options;
    std::string schedule;
    /// The team; empty: every team, and `output` is a folder.
    std::string team;
    std::string output;
};

/// Writes the calendars and names each written file on standard error; the exit code is the
/// schedule's (ScheduleExitCode).
int RunIcal(const IcalArgs& args);

} // namespace terminor::cli
