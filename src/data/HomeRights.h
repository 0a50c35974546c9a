#pragma once
// The home right of one team: its `homerights` attribute (wanted number of home games in the
// first half, -1 automatic) and its `homerights` children (per opponent 1: home game in the first
// half, 2: in the second half). Any thread, on its own plan data.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace terminor {

class TPlanData;

/// Value of a `homeright` child, and "no preference" for opponents without one.
inline constexpr int HomeRightNone = 0;
inline constexpr int HomeRightRound1 = 1;
inline constexpr int HomeRightRound2 = 2;

struct TTeamHomeRights {
    /// Wanted number of first-half home games; -1 = automatic (also when the attribute is missing).
    int HomeGamesRoundOne = -1;
    /// Per opponent HomeRightRound1 or HomeRightRound2, from the first child naming it with one of
    /// those values, in document order.
    std::vector<std::pair<std::string, int>> Rights;

    /// HomeRightRound1, HomeRightRound2 or HomeRightNone for that opponent.
    int RightAgainst(std::string_view opponent) const;
};

/// The team's home right; the automatic default when the team does not exist.
TTeamHomeRights GetTeamHomeRights(const TPlanData& planData, std::string_view teamName);
/// Writes the attribute, then replaces all `homerights` children by one per opponent with
/// HomeRightRound1 or HomeRightRound2 (other values are not written), each opponent once.
void SetTeamHomeRights(TPlanData& planData, std::string_view teamName, const TTeamHomeRights& rights);

} // namespace terminor
