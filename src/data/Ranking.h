#pragma once
// The seeding list ("Setzliste"): the expected final order of the teams as the ranking page shows
// and writes it. Any thread, on its own plan data.

#include <string>
#include <vector>

namespace terminor {

class TPlanData;

struct TRankingList {
    bool Active = false;
    /// Team names in the expected order, first the strongest.
    std::vector<std::string> Teams;
};

/// The list as shown: the ranked current teams at their `rankingindex` (gaps closed), then the
/// current teams missing from the ranking in `getTeamNames` order. Names of teams that no longer
/// exist are left out.
TRankingList ReadRanking(const TPlanData& planData);
/// Finds or creates `ranking`, clears it and writes `active` and one `team` per entry with its
/// position as `rankingindex`.
void WriteRanking(TPlanData& planData, const TRankingList& ranking);

} // namespace terminor
