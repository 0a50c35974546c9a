#pragma once
// Lookup of the `team` elements of plan data by name, and the pairing of a team with its team in
// the import as read (by the name it had before it was first renamed). Any thread, on its own data.

#include <string>
#include <string_view>
#include <vector>

namespace terminor {

class TDataObject;
class TPlanData;

/// The first `team` element with that `teamname`, or nullptr.
TDataObject* FindTeamElement(const TPlanData& planData, std::string_view teamName);
/// The team of `defaultData` that belongs to the team `teamName` of `planData`: the default team
/// named as the team's `orgteamname`, or as the team itself when it was never renamed. nullptr when
/// there is none.
TDataObject* FindDefaultTeam(const TPlanData& planData, const TPlanData& defaultData,
                             std::string_view teamName);
/// The names of all teams but `teamName`, in the order of `getTeamNames`.
std::vector<std::string> OtherTeamNames(const TPlanData& planData, std::string_view teamName);

} // namespace terminor
