#pragma once
// The lines of the wish page about one team's date wishes: the text and colour of each wish
// (coupling option, hall occupancy, parallel games, free game day) and the evaluation of a half,
// whether the effective wishes suffice. User-interface thread only.

#include <string>
#include <string_view>

#include <QColor>

namespace terminor {

class TMannschaft;
class TPlan;
class TWunschTermin;

/// One date wish as the wish page shows it, and how it counts in the evaluation.
struct TWishLine {
    std::string Text;
    QColor Color;
    /// The hall is occupied by other teams of the club, on a day that is no free game day.
    bool Occupied = false;
    bool FreeGameDay = false;
    bool Parallel = false;
};

/// The date and time, the first coupling option, the maximum home games, fallback date, venue,
/// hall occupants (orange), parallel games and free game day (red).
TWishLine MakeWishLine(const TPlan& plan, const TMannschaft& team, const TWunschTermin& wish);

/// The wishes of one half: all, occupied, on free game days, with parallel games.
struct TWishCounts {
    int All = 0;
    int Occupied = 0;
    int FreeGameDays = 0;
    int Parallel = 0;

    void Add(const TWishLine& line);
    /// All minus occupied minus those on free game days.
    int Effective() const { return All - Occupied - FreeGameDays; }
};

/// The effective wishes a team needs per half: int(N / 2 + 0.75) + 2 for N opponents, with a
/// double round int(N + 0.75) + 2.
int NeededWishesPerHalf(const TPlan& plan);
/// The evaluation line of a half: the label, the count, the non-zero parts, the effective count.
std::string EvaluationText(std::string_view label, const TWishCounts& counts);
/// Red when the plan needs more effective wishes than the half has, else green.
QColor EvaluationColor(const TPlan& plan, const TWishCounts& counts);

} // namespace terminor
