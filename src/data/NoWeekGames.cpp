// The 60 km partners of a team.

#include "data/NoWeekGames.h"

#include <algorithm>
#include <set>

#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

std::vector<std::string> GetNoWeekGamePartners(const TPlanData& planData, std::string_view teamName) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return {};
    }
    const std::vector<std::string> others = OtherTeamNames(planData, teamName);
    std::set<std::string> partners;
    for (const TDataObject* node : team->NamedChilds("noweekgames")) {
        const std::string& name = node->GetAsString("teamname");
        if (std::find(others.begin(), others.end(), name) != others.end()) {
            partners.insert(name);
        }
    }
    return {partners.begin(), partners.end()};
}

void SetNoWeekGamePartners(TPlanData& planData, std::string_view teamName,
                           const std::vector<std::string>& partners) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    team->deleteChilds("noweekgames");
    std::set<std::string> written;
    for (const std::string& name : partners) {
        if (written.insert(name).second) {
            team->addChild("noweekgames").SetAsString("teamname", name);
        }
    }
}

} // namespace terminor
