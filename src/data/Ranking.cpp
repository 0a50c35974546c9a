// The seeding list layout.

#include "data/Ranking.h"

#include <algorithm>
#include <map>

#include "data/DataObject.h"
#include "data/PlanData.h"

namespace terminor {

TRankingList ReadRanking(const TPlanData& planData) {
    TRankingList result;
    std::vector<std::string> teamNames;
    planData.getTeamNames(teamNames);
    const TDataObject* ranking = planData.root().FindChild("ranking");
    // Position -> name: an entry at a taken position replaces the one there (a padded list).
    std::map<int, std::string> placed;
    if (ranking != nullptr) {
        result.Active = ranking->GetAsBool("active");
        for (const TDataObject* entry : ranking->NamedChilds("team")) {
            const std::string& name = entry->GetAsString("teamname");
            if (std::find(teamNames.begin(), teamNames.end(), name) != teamNames.end()) {
                placed[std::max(0, entry->GetAsInt("rankingindex"))] = name;
            }
        }
    }
    for (const auto& [position, name] : placed) {
        if (std::find(result.Teams.begin(), result.Teams.end(), name) == result.Teams.end()) {
            result.Teams.push_back(name);
        }
    }
    for (const std::string& name : teamNames) {
        if (std::find(result.Teams.begin(), result.Teams.end(), name) == result.Teams.end()) {
            result.Teams.push_back(name);
        }
    }
    return result;
}

void WriteRanking(TPlanData& planData, const TRankingList& ranking) {
    TDataObject& element = planData.root().getOrCreateChild("ranking");
    element.Clear();
    element.SetAsBool("active", ranking.Active);
    for (std::size_t i = 0; i < ranking.Teams.size(); ++i) {
        TDataObject& team = element.addChild("team");
        team.SetAsString("teamname", ranking.Teams[i]);
        team.SetAsInt("rankingindex", static_cast<int>(i));
    }
}

} // namespace terminor
