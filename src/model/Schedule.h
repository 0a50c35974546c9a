#pragma once
// TSchedule: a plan-independent list of games by team names, used to carry dates from one plan
// to another and to write the schedule files.

#include <string>
#include <vector>

#include "data/DateTime.h"

namespace terminor {

struct TScheduleGame {
    TDateTime Date = 0.0;
    std::string MannschaftHeimName;
    std::string MannschaftGastName;
    std::string Location;

    bool DateValid() const { return Date != 0.0; }
};

struct TScheduleComparer {
    /// By date, then by "home guest" names (ordinal).
    static int Compare(const TScheduleGame& left, const TScheduleGame& right);
};

class TSchedule : public std::vector<TScheduleGame> {
public:
    /// Stable sort by TScheduleComparer.
    void SortByDate();
};

/// What reading a schedule file into a plan found: its games, and how many of them name a home or
/// guest team the plan does not have (those are dropped).
struct TScheduleLoadResult {
    int gamesInFile = 0;
    int gamesWithoutTeam = 0;

    /// "N von M Spielen der Datei passen zu keiner Mannschaft dieser Staffel", or empty when all fit.
    std::string UnmatchedText() const;
};

} // namespace terminor
