// The team rules of the teams page.

#include "data/TeamEdit.h"

#include <algorithm>
#include <vector>

#include "data/DataObject.h"
#include "data/PlanData.h"

namespace terminor {

namespace {

bool SameTeamValues(const TDataObject& a, const TDataObject& b) {
    return a.GetAsString("teamname") == b.GetAsString("teamname") &&
           a.GetAsString("teamid") == b.GetAsString("teamid") &&
           TPlanData::FixLocation(a.GetAsString("location")) ==
               TPlanData::FixLocation(b.GetAsString("location")) &&
           a.GetAsString("clubid") == b.GetAsString("clubid") &&
           a.GetAsInt("teamnumber") == b.GetAsInt("teamnumber");
}

/// Every team of `a` has a team of `b` with the same values.
bool AllTeamsIn(const IDataObjectList& a, const IDataObjectList& b) {
    return std::all_of(a.begin(), a.end(), [&b](const TDataObject* team) {
        return std::any_of(b.begin(), b.end(),
                           [team](const TDataObject* other) { return SameTeamValues(*team, *other); });
    });
}

/// The name by which a team pairs with its team of the import.
const std::string& OriginalName(const TDataObject& team) {
    const std::string& orgName = team.GetAsString("orgteamname");
    return orgName.empty() ? team.GetAsString("teamname") : orgName;
}

void WriteValues(TDataObject& team, const TTeamValues& values) {
    team.SetAsString("teamname", values.TeamName);
    team.SetAsString("teamid", values.TeamId);
    team.SetAsString("clubid", values.ClubId);
    team.SetAsString("location", values.Location);
    team.SetAsInt("teamnumber", values.TeamNumber);
}

} // namespace

TTeamValues ReadTeamValues(const TDataObject& team) {
    TTeamValues values;
    values.TeamName = team.GetAsString("teamname");
    values.TeamId = team.GetAsString("teamid");
    values.ClubId = team.GetAsString("clubid");
    values.TeamNumber = team.GetAsInt("teamnumber");
    values.Location = TPlanData::FixLocation(team.GetAsString("location"));
    return values;
}

TTeamValues TrimmedTeamValues(const TTeamValues& values) {
    TTeamValues trimmed = values;
    trimmed.TeamName = TrimBlanks(values.TeamName);
    trimmed.TeamId = TrimBlanks(values.TeamId);
    trimmed.ClubId = TrimBlanks(values.ClubId);
    trimmed.Location = TPlanData::FixLocation(values.Location);
    return trimmed;
}

std::string CheckTeamValues(const TTeamValues& values) {
    const TTeamValues trimmed = TrimmedTeamValues(values);
    if (trimmed.TeamName.empty()) {
        return "Der Mannschaftsname darf nicht leer sein";
    }
    if (trimmed.TeamId.empty()) {
        return "Die Mannschafts-ID darf nicht leer sein";
    }
    if (trimmed.ClubId.empty()) {
        return "Die Vereins-ID darf nicht leer sein";
    }
    return {};
}

std::string FindTeamConflict(const TPlanData& planData, const TTeamValues& values,
                             const TDataObject* editedTeam) {
    const TTeamValues trimmed = TrimmedTeamValues(values);
    for (const TDataObject* team : planData.root().NamedChilds("team")) {
        if (team == editedTeam) {
            continue;
        }
        if (team->GetAsString("teamname") == trimmed.TeamName) {
            return "Mannschaftsname ist nicht eindeutig";
        }
        if (team->GetAsString("teamid") == trimmed.TeamId) {
            return "Mannschafts-ID ist nicht eindeutig";
        }
        if (team->GetAsInt("teamnumber") == trimmed.TeamNumber &&
            team->GetAsString("clubid") == trimmed.ClubId) {
            return "Zu diesem Verein gibt es schon eine Mannschaft mit dieser Nummer";
        }
    }
    return {};
}

TDataObject& AddTeam(TPlanData& planData, const TTeamValues& values) {
    TDataObject& team = planData.root().addChild("team");
    WriteValues(team, TrimmedTeamValues(values));
    return team;
}

void UpdateTeam(TDataObject& team, const TTeamValues& values) {
    const TTeamValues trimmed = TrimmedTeamValues(values);
    const std::string oldName = team.GetAsString("teamname");
    if (trimmed.TeamName != oldName) {
        const std::string orgName = team.GetAsString("orgteamname");
        if (trimmed.TeamName == orgName) {
            team.SetAsString("orgteamname", "");
        } else if (orgName.empty()) {
            team.SetAsString("orgteamname", oldName);
        }
    }
    WriteValues(team, trimmed);
}

bool DeleteTeam(TPlanData& planData, const std::string& teamName) {
    for (const TDataObject* team : planData.root().NamedChilds("team")) {
        if (team->GetAsString("teamname") == teamName) {
            planData.root().RemoveChild(team);
            return true;
        }
    }
    return false;
}

bool TeamsAreDefault(const TPlanData& planData, const TPlanData& defaultData) {
    const IDataObjectList teams = planData.root().NamedChilds("team");
    const IDataObjectList defaultTeams = defaultData.root().NamedChilds("team");
    return AllTeamsIn(teams, defaultTeams) && AllTeamsIn(defaultTeams, teams);
}

void TeamsToDefault(TPlanData& planData, const TPlanData& defaultData) {
    const IDataObjectList defaultTeams = defaultData.root().NamedChilds("team");
    std::vector<const TDataObject*> unpairedDefaults(defaultTeams.begin(), defaultTeams.end());
    for (TDataObject* team : planData.root().NamedChilds("team")) {
        const auto partner =
            std::find_if(unpairedDefaults.begin(), unpairedDefaults.end(), [team](const TDataObject* d) {
                return d->GetAsString("teamname") == OriginalName(*team);
            });
        if (partner == unpairedDefaults.end()) {
            planData.root().RemoveChild(team);
        } else {
            team->assignAttributes(**partner);
            unpairedDefaults.erase(partner);
        }
    }
    for (const TDataObject* defaultTeam : unpairedDefaults) {
        planData.root().addChild("team").assign(*defaultTeam);
    }
}

} // namespace terminor
