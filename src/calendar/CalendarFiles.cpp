#include "calendar/CalendarFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "calendar/TeamCalendar.h"
#include "data/DataObject.h"
#include "data/Error.h"
#include "data/PlanUtils.h"
#include "data/XmlFile.h"
#include "model/Plan.h"

namespace terminor {

const TMannschaft& FindCalendarTeam(const TPlan& plan, const std::string& name) {
    const TMannschaft* team = plan.Mannschaften.FindByName(name);
    if (team == nullptr) {
        throw TerminorError("Die Mannschaft \"" + name + "\" gibt es in der Staffel " + plan.PlanName +
                            " nicht.");
    }
    return *team;
}

std::vector<std::string> TeamCalendarFileNames(const TPlan& plan) {
    std::vector<std::string> names;
    for (const auto& team : plan.Mannschaften) {
        std::string base = TrimBlanks(SanitizeFileName(team->teamName));
        // A name of dots alone would name the folder itself or its parent.
        if (base.find_first_not_of('.') == std::string::npos) {
            base = "Mannschaft";
        }
        std::string name = base + ".ics";
        for (int n = 2; std::find(names.begin(), names.end(), name) != names.end(); ++n) {
            name = base + " (" + std::to_string(n) + ").ics";
        }
        names.push_back(std::move(name));
    }
    return names;
}

void WriteTeamCalendar(const TPlan& plan, const TMannschaft& team, const std::string& fileName,
                       std::time_t stamp) {
    WriteFileAtomic(fileName, TeamCalendarText(plan, team, stamp));
}

std::vector<std::string> WriteTeamCalendars(const TPlan& plan, const std::string& folder, std::time_t stamp,
                                            const std::function<void(const std::string&)>& written) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
        throw EFileError("Der Ordner " + folder + " kann nicht angelegt werden: dort liegt eine Datei.");
    }
    fs::create_directories(folder, ec);
    if (ec) {
        throw EFileError("Der Ordner " + folder + " kann nicht angelegt werden. Grund: " + ec.message());
    }
    std::vector<std::string> paths;
    for (const std::string& name : TeamCalendarFileNames(plan)) {
        paths.push_back((fs::path(folder) / name).string());
        CheckFileWritable(paths.back());
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        WriteTeamCalendar(plan, *plan.Mannschaften[i], paths[i], stamp);
        if (written) {
            written(paths[i]);
        }
    }
    return paths;
}

} // namespace terminor
