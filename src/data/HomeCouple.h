#pragma once
// The home couplings of one team as the page "Heimkoppel/Doppelspieltage (Kompakt)" shows them:
// pair rows for home dates on consecutive days, single rows for lone coupling days, the choices a
// row offers and how a choice is applied to the team's home dates. Any thread, on its own data.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/HomeDay.h"

namespace terminor {

/// Coupling options of a home date, numbered as the wish-date options: 0 to 2 a coupling (two home
/// games on the day) with that priority, 3 to 5 a double date with priority option - 3, 9 none.
inline constexpr int KoppelOptionDoubleDate = 3;
inline constexpr int KoppelOptionNothing = 9;

/// The coupling option of a home date.
int HomeDayKoppelOption(const THomeDay& day);

/// The dates a row names and the option each of them gets; a single row has Date2 = 0 and
/// Option2 = KoppelOptionNothing.
struct TCalculateOptionsKoppelDate {
    TDateTime Date1 = 0.0;
    TDateTime Date2 = 0.0;
    int Option1 = KoppelOptionNothing;
    int Option2 = KoppelOptionNothing;

    bool isTheSame(const TCalculateOptionsKoppelDate& value) const {
        return Date1 == value.Date1 && Date2 == value.Date2 && Option1 == value.Option1 &&
               Option2 == value.Option2;
    }
};

/// One row of the page: a pair of home dates on consecutive days, or a lone coupling day.
struct TKoppelWunschElem {
    std::optional<THomeDay> First;
    std::optional<THomeDay> Second;

    /// Drops the old copies and stores copies of the arguments that are given.
    void setDates(const THomeDay* first, const THomeDay* second);
    bool IsPair() const { return Second.has_value(); }
    /// FormatDayDate of the first date, for a pair " und " and FormatDayDate of the second.
    std::string Key() const;
    /// 13 choices for a pair row, 4 for a single row.
    int ChoiceCount() const { return IsPair() ? 13 : 4; }
    /// The dates with the options as read.
    TCalculateOptionsKoppelDate CurrentOptions() const;
    /// The last choice whose options equal the dates' current options; -1 when none does.
    int CurrentChoice() const;
    /// The dates with the options of that choice; -1 keeps the options as read. Any other index
    /// outside the table throws TerminorError "Unbekannter KoppeloptionIndex".
    TCalculateOptionsKoppelDate Chosen(int choice) const;
    /// The text of a choice; `optionName` gives the display name of an option number.
    std::string ChoiceText(int choice, const std::function<std::string(int)>& optionName) const;
};

/// The rows for a team's records (only home days count), in date order: each home date with a
/// home date on the following day gives a pair row with the first of those; a coupling day with
/// a home date neither the day before nor the day after gives a single row.
std::vector<TKoppelWunschElem> BuildKoppelRows(const THomeDayList& homeDays);
/// The dates and options of the rows as read.
std::vector<TCalculateOptionsKoppelDate> KoppelRowOptions(const THomeDayList& homeDays);
/// Clears coupling, double date and priority of every home date, then gives the dates each entry
/// names its option, entries in order (a later entry wins). Second kick-off times stay.
void ApplyKoppelDates(THomeDayList& homeDays, const std::vector<TCalculateOptionsKoppelDate>& dates);

} // namespace terminor
