#pragma once
// THomeDay: one day of a team's wish calendar as edited in the week grid, with its
// short-text form ("18:00 A K1:21:00 Max:2 L:3") and the comparer that sorts by date.

#include <string>
#include <string_view>
#include <vector>

#include "DateTime.h"

namespace terminor {

struct THomeDay {
    bool NoDate = false;
    TDateTime Date = 0.0;
    bool KoppelDate = false;
    bool DoubleDate = false;
    int KoppelPrio = 0;
    bool KoppelAuswaertsSecondTime = false;
    TDateTime KoppelSecondTime = 0.0;
    int MaxParallelGame = 0;
    bool SperrTermin = false;
    bool AusweichTermin = false;
    std::string Location;

    void assign(const THomeDay& source) { *this = source; }
    bool IsHomeDay() const { return !NoDate && !SperrTermin; }
    bool isTheSame(const THomeDay& value) const;
    std::string AsShortString() const;
    /// Parses the short text of the cell for the calendar day `date`; true when the text named
    /// a kick-off time or "FREI". An hour above 23 or a minute above 59 throws EConvertError.
    bool FromShortString(TDateTime date, std::string_view value);
};

struct THomeDayComparer {
    static int Compare(const THomeDay& left, const THomeDay& right);
    bool operator()(const THomeDay& left, const THomeDay& right) const { return Compare(left, right) < 0; }
};

/// An ordered list that owns its records; Sort orders by THomeDayComparer.
class THomeDayList : public std::vector<THomeDay> {
public:
    void Sort();
};

/// Splits a short text at blanks outside straight double quotes; pieces are trimmed, empty ones dropped.
std::vector<std::string> TokenizeShortString(std::string_view text);

} // namespace terminor
