#pragma once
// Writing teams' calendars: the team by name, safe and distinct file names, one file or one file
// per team into a folder. Any thread, one plan per call.

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace terminor {

class TMannschaft;
class TPlan;

/// The team of that exact name; TerminorError with a German message when the plan has none.
const TMannschaft& FindCalendarTeam(const TPlan& plan, const std::string& name);

/// The file name of each team's calendar in team order: the name made safe for file systems,
/// ".ics" appended, " (2)", " (3)" ... added where two names become the same.
std::vector<std::string> TeamCalendarFileNames(const TPlan& plan);

/// Writes the team's calendar to `fileName` (atomically).
void WriteTeamCalendar(const TPlan& plan, const TMannschaft& team, const std::string& fileName,
                       std::time_t stamp);

/// Writes one calendar per team into `folder` (created when missing) and returns the paths in
/// team order; `written` is called with each path once its file is complete. Every file is checked
/// to be writable before the first is written.
std::vector<std::string> WriteTeamCalendars(const TPlan& plan, const std::string& folder, std::time_t stamp,
                                            const std::function<void(const std::string&)>& written = {});

} // namespace terminor
