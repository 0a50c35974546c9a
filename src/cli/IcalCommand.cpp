#include "IcalCommand.h"

#include <ctime>
#include <iostream>

#include "Output.h"
#include "PlanInput.h"
#include "calendar/CalendarFiles.h"
#include "calendar/TeamCalendar.h"
#include "data/Error.h"

namespace terminor::cli {

int RunIcal(const IcalArgs& args) {
    const bool oneTeam = !args.team.empty();
    if (oneTeam) {
        CheckOutput(args.input, args.output);
    } else if (args.output == "-") {
        throw TerminorError("Ohne --team ist -o der Ordner für eine Datei je Mannschaft; die "
                            "Standardausgabe (-) geht nur mit --team.");
    }
    const auto plan = LoadPlan(args.input, args.options, args.schedule);
    if (args.schedule.empty()) {
        RequireDatedGames(*plan);
    }
    const std::time_t now = std::time(nullptr);
    if (oneTeam) {
        const TMannschaft& team = FindCalendarTeam(*plan, args.team);
        WriteOutput(args.output, TeamCalendarText(*plan, team, now), "Kalender");
    } else {
        WriteTeamCalendars(*plan, args.output, now, [](const std::string& path) {
            std::cerr << "Kalender gespeichert: " << path << "\n";
        });
    }
    return ScheduleExitCode(*plan, CostsCommandLine(args.input, args.options, args.schedule));
}

} // namespace terminor::cli
