// Reading and writing the home right of a team.

#include "data/HomeRights.h"

#include <set>

#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

namespace {

bool IsRight(int value) {
    return value == HomeRightRound1 || value == HomeRightRound2;
}

} // namespace

int TTeamHomeRights::RightAgainst(std::string_view opponent) const {
    for (const auto& [team, right] : Rights) {
        if (team == opponent) {
            return right;
        }
    }
    return HomeRightNone;
}

TTeamHomeRights GetTeamHomeRights(const TPlanData& planData, std::string_view teamName) {
    TTeamHomeRights result;
    const TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return result;
    }
    if (team->HasAttribute("homerights")) {
        result.HomeGamesRoundOne = team->GetAsInt("homerights");
    }
    for (const TDataObject* node : team->NamedChilds("homerights")) {
        const int value = node->GetAsInt("homeright");
        const std::string& opponent = node->GetAsString("teamname");
        if (IsRight(value) && result.RightAgainst(opponent) == HomeRightNone) {
            result.Rights.emplace_back(opponent, value);
        }
    }
    return result;
}

void SetTeamHomeRights(TPlanData& planData, std::string_view teamName, const TTeamHomeRights& rights) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    team->SetAsInt("homerights", rights.HomeGamesRoundOne);
    team->deleteChilds("homerights");
    std::set<std::string, std::less<>> written;
    for (const auto& [opponent, right] : rights.Rights) {
        if (IsRight(right) && written.insert(opponent).second) {
            TDataObject& node = team->addChild("homerights");
            node.SetAsString("teamname", opponent);
            node.SetAsInt("homeright", right);
        }
    }
}

} // namespace terminor
