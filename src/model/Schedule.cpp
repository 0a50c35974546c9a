// The order of schedule games: by date, then by home and guest name; the result of reading a
// schedule file.

#include "model/Schedule.h"

#include <algorithm>

namespace terminor {

int TScheduleComparer::Compare(const TScheduleGame& left, const TScheduleGame& right) {
    if (left.Date < right.Date) {
        return -1;
    }
    if (left.Date > right.Date) {
        return 1;
    }
    // Ordinal comparison of "home guest" (byte order equals code-point order in UTF-8).
    const std::string l = left.MannschaftHeimName + " " + left.MannschaftGastName;
    const std::string r = right.MannschaftHeimName + " " + right.MannschaftGastName;
    const int c = l.compare(r);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void TSchedule::SortByDate() {
    std::stable_sort(begin(), end(), [](const TScheduleGame& a, const TScheduleGame& b) {
        return TScheduleComparer::Compare(a, b) < 0;
    });
}

std::string TScheduleLoadResult::UnmatchedText() const {
    if (gamesWithoutTeam == 0) {
        return {};
    }
    return std::to_string(gamesWithoutTeam) + " von " + std::to_string(gamesInFile) +
           " Spielen der Datei passen zu keiner Mannschaft dieser Staffel";
}

} // namespace terminor
