// Team lookup by name and pairing with the import.

#include "data/PlanTeams.h"

#include "data/PlanData.h"

namespace terminor {

TDataObject* FindTeamElement(const TPlanData& planData, std::string_view teamName) {
    for (TDataObject* team : planData.root().NamedChilds("team")) {
        if (team->GetAsString("teamname") == teamName) {
            return team;
        }
    }
    return nullptr;
}

TDataObject* FindDefaultTeam(const TPlanData& planData, const TPlanData& defaultData,
                             std::string_view teamName) {
    std::string_view importName = teamName;
    if (const TDataObject* team = FindTeamElement(planData, teamName)) {
        if (const std::string& original = team->GetAsString("orgteamname"); !original.empty()) {
            importName = original;
        }
    }
    return FindTeamElement(defaultData, importName);
}

std::vector<std::string> OtherTeamNames(const TPlanData& planData, std::string_view teamName) {
    std::vector<std::string> names;
    planData.getTeamNames(names);
    std::erase(names, std::string(teamName));
    return names;
}

} // namespace terminor
