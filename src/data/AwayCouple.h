#pragma once
// Away couplings of one team: its wishes to play two away games on one trip (`roadcouple`), and
// the home dates whose kick-off may move so that another team's away coupling becomes possible,
// with the alternative kick-off "Alles setzen" proposes. Any thread, on its own plan data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DateTime.h"

namespace terminor {

class TPlanData;

/// One away-coupling wish: the two teams and the kind (0 = same day, 1 = with an overnight stay,
/// 2 = either).
struct TRoadCouple {
    std::string TeamA;
    std::string TeamB;
    int SameDay = 0;
};

/// The three kinds in the order of `sameday`.
const std::vector<std::string>& RoadCoupleKinds();
/// "A, B (kind)" as the page lists a wish.
std::string RoadCoupleText(const TRoadCouple& couple);

/// The team's wishes in document order; empty when the team does not exist.
std::vector<TRoadCouple> GetRoadCouples(const TPlanData& planData, std::string_view teamName);
/// Position among the team's wishes of the wish naming the same two teams (in either order), or -1.
int FindRoadCouple(const TPlanData& planData, std::string_view teamName, const TRoadCouple& couple);
/// Writes the wish over the one at `index`, or appends it when `index` is -1. Throws TerminorError
/// RoadCoupleExistsMessage when another wish of the team names the same two teams (in either
/// order), and leaves the data unchanged.
void StoreRoadCouple(TPlanData& planData, std::string_view teamName, int index, const TRoadCouple& couple);
/// Removes the wish at that position.
void RemoveRoadCouple(TPlanData& planData, std::string_view teamName, int index);
/// Whether the team's wishes are those of its team in `defaults` (none when it has no team there).
bool RoadCouplesAreDefault(const TPlanData& planData, std::string_view teamName, const TPlanData& defaults);
/// Replaces the team's wishes by copies of those of its team in `defaults`.
void CopyDefaultRoadCouples(TPlanData& planData, std::string_view teamName, const TPlanData& defaults);

inline constexpr const char* RoadCoupleExistsMessage = "Diesen Auswärtskoppelwunsch gibt es bereits.";

/// A home date of the team that may need an alternative kick-off, with the one it has.
struct TAlternativeKickOff {
    TDateTime Date = 0.0;
    /// The alternative kick-off (time of day), when one is set.
    std::optional<TDateTime> Alternative;
};

/// The team's home dates, in date order, that are no coupling day and fall on a day on which an
/// away coupling of another team ("am gleichen Tag" or either kind) that names this team and a
/// partner could take place: the partner has a home date that day whose kick-off is less than
/// 3:30 away.
std::vector<TAlternativeKickOff> RelevantAlternativeKickOffs(const TPlanData& planData,
                                                             std::string_view teamName);
/// The alternative "Alles setzen" proposes: four hours earlier for a kick-off after 16:59, else
/// four hours later (a time of day).
TDateTime ProposedAlternativeKickOff(TDateTime kickOff);
/// Reads "hh:mm" or "h:mm"; a text that is no time, or midnight, gives nothing.
std::optional<TDateTime> ReadAlternativeKickOff(std::string_view text);
/// Writes the alternatives of the listed home dates: a time sets the alternative kick-off, none
/// clears it. Dates not listed keep theirs.
void SetAlternativeKickOffs(TPlanData& planData, std::string_view teamName,
                            const std::vector<TAlternativeKickOff>& alternatives);

} // namespace terminor
