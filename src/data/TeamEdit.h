#pragma once
// The team rules of the teams page "Mannschaften": the checks and conflicts of a team's values,
// adding, renaming (with `orgteamname`, the team's first name), deleting, and comparing with and
// restoring the teams of the import. References to a team's old name in other elements stay.
// Any thread, on its own plan data.

#include <string>

namespace terminor {

class TDataObject;
class TPlanData;

/// The values the team dialog edits.
struct TTeamValues {
    std::string TeamName;
    std::string TeamId;
    std::string ClubId;
    int TeamNumber = 1;
    std::string Location;
};

/// The values of a `team` element.
TTeamValues ReadTeamValues(const TDataObject& team);
/// The values trimmed and the location made valid.
TTeamValues TrimmedTeamValues(const TTeamValues& values);
/// The first missing value's message, or empty: name, team ID, club ID (trimmed).
std::string CheckTeamValues(const TTeamValues& values);
/// The first conflict with another team in document order, or empty: same name, same team ID, or
/// same number in the same club. `editedTeam` (null for a new team) is not compared.
std::string FindTeamConflict(const TPlanData& planData, const TTeamValues& values,
                             const TDataObject* editedTeam);

/// Appends a new `team` with these values.
TDataObject& AddTeam(TPlanData& planData, const TTeamValues& values);
/// Writes the values into `team`; a new name keeps the first name in `orgteamname`, and renaming
/// back to it empties `orgteamname`.
void UpdateTeam(TDataObject& team, const TTeamValues& values);
/// Removes the first team of that name with all its children; false when there is none.
bool DeleteTeam(TPlanData& planData, const std::string& teamName);

/// Whether the teams equal the default's teams (name, IDs, number, location), both ways.
bool TeamsAreDefault(const TPlanData& planData, const TPlanData& defaultData);
/// Restores the default's teams: a team pairs with the default team named as its `orgteamname`
/// (or its name when never renamed); paired teams take the default's attributes and keep their
/// children, default teams without partner are added as copies, teams without partner go.
void TeamsToDefault(TPlanData& planData, const TPlanData& defaultData);

} // namespace terminor
