// The rows and choices of the home-coupling page.

#include "data/HomeCouple.h"

#include <algorithm>

#include "data/Error.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

/// The options of the choices of a pair row: nothing; both days double date (priority 0 to 2); the
/// first day coupling; the second day coupling; both days coupling with the same priority.
constexpr int PairChoices[13][2] = {
    {KoppelOptionNothing, KoppelOptionNothing},
    {3, 3},
    {4, 4},
    {5, 5},
    {0, KoppelOptionNothing},
    {1, KoppelOptionNothing},
    {2, KoppelOptionNothing},
    {KoppelOptionNothing, 0},
    {KoppelOptionNothing, 1},
    {KoppelOptionNothing, 2},
    {0, 0},
    {1, 1},
    {2, 2},
};
/// The options of the choices of a single row: nothing, coupling with priority 0 to 2.
constexpr int SingleChoices[4] = {KoppelOptionNothing, 0, 1, 2};

void ClearKoppel(THomeDay& day) {
    day.KoppelDate = false;
    day.DoubleDate = false;
    day.KoppelPrio = 0;
}

/// Gives the day that option; "nothing" leaves it as it is, so a later row can only add.
void ApplyOption(THomeDay& day, int option) {
    if (option >= 0 && option < KoppelOptionDoubleDate + 3) {
        ClearKoppel(day);
    }
    if (option >= 0 && option < KoppelOptionDoubleDate) {
        day.KoppelDate = true;
        day.KoppelPrio = option;
    } else if (option < KoppelOptionDoubleDate + 3) {
        day.DoubleDate = true;
        day.KoppelPrio = option - KoppelOptionDoubleDate;
    }
}

bool HasHomeDayOn(const THomeDayList& homeDays, int dayNumber) {
    return std::any_of(homeDays.begin(), homeDays.end(), [dayNumber](const THomeDay& day) {
        return day.IsHomeDay() && DayNumber(day.Date) == dayNumber;
    });
}

} // namespace

int HomeDayKoppelOption(const THomeDay& day) {
    if (day.KoppelDate) {
        return day.KoppelPrio;
    }
    if (day.DoubleDate) {
        return KoppelOptionDoubleDate + day.KoppelPrio;
    }
    return KoppelOptionNothing;
}

void TKoppelWunschElem::setDates(const THomeDay* first, const THomeDay* second) {
    First.reset();
    Second.reset();
    if (first != nullptr) {
        First = *first;
    }
    if (second != nullptr) {
        Second = *second;
    }
}

std::string TKoppelWunschElem::Key() const {
    std::string key = First ? FormatDayDate(First->Date) : std::string();
    if (Second) {
        key += " und " + FormatDayDate(Second->Date);
    }
    return key;
}

TCalculateOptionsKoppelDate TKoppelWunschElem::CurrentOptions() const {
    TCalculateOptionsKoppelDate result;
    if (First) {
        result.Date1 = First->Date;
        result.Option1 = HomeDayKoppelOption(*First);
    }
    if (Second) {
        result.Date2 = Second->Date;
        result.Option2 = HomeDayKoppelOption(*Second);
    }
    return result;
}

int TKoppelWunschElem::CurrentChoice() const {
    const TCalculateOptionsKoppelDate current = CurrentOptions();
    for (int choice = ChoiceCount() - 1; choice >= 0; --choice) {
        if (Chosen(choice).isTheSame(current)) {
            return choice;
        }
    }
    return -1;
}

TCalculateOptionsKoppelDate TKoppelWunschElem::Chosen(int choice) const {
    TCalculateOptionsKoppelDate result = CurrentOptions();
    if (choice == -1) {
        return result;
    }
    if (choice < 0 || choice >= ChoiceCount()) {
        throw TerminorError("Unbekannter KoppeloptionIndex");
    }
    if (IsPair()) {
        result.Option1 = PairChoices[choice][0];
        result.Option2 = PairChoices[choice][1];
    } else {
        result.Option1 = SingleChoices[choice];
    }
    return result;
}

std::string TKoppelWunschElem::ChoiceText(int choice,
                                          const std::function<std::string(int)>& optionName) const {
    const TCalculateOptionsKoppelDate chosen = Chosen(choice);
    if (!IsPair()) {
        return optionName(chosen.Option1);
    }
    const std::string first = FormatDayDate(chosen.Date1);
    const std::string second = FormatDayDate(chosen.Date2);
    if (choice < 4) {
        return optionName(chosen.Option1);
    }
    if (choice < 7) {
        return first + ": " + optionName(chosen.Option1);
    }
    if (choice < 10) {
        return second + ": " + optionName(chosen.Option2);
    }
    return first + " und " + second + ": " + optionName(chosen.Option1);
}

std::vector<TKoppelWunschElem> BuildKoppelRows(const THomeDayList& homeDays) {
    std::vector<const THomeDay*> days;
    for (const THomeDay& day : homeDays) {
        if (day.IsHomeDay()) {
            days.push_back(&day);
        }
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const THomeDay* a, const THomeDay* b) { return THomeDayComparer()(*a, *b); });
    std::vector<TKoppelWunschElem> rows;
    for (const THomeDay* day : days) {
        const int dayNumber = DayNumber(day->Date);
        const auto next = std::find_if(days.begin(), days.end(), [dayNumber](const THomeDay* other) {
            return DayNumber(other->Date) == dayNumber + 1;
        });
        TKoppelWunschElem row;
        if (next != days.end()) {
            row.setDates(day, *next);
        } else if (day->KoppelDate && !HasHomeDayOn(homeDays, dayNumber - 1)) {
            row.setDates(day, nullptr);
        } else {
            continue;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<TCalculateOptionsKoppelDate> KoppelRowOptions(const THomeDayList& homeDays) {
    std::vector<TCalculateOptionsKoppelDate> result;
    for (const TKoppelWunschElem& row : BuildKoppelRows(homeDays)) {
        result.push_back(row.CurrentOptions());
    }
    return result;
}

void ApplyKoppelDates(THomeDayList& homeDays, const std::vector<TCalculateOptionsKoppelDate>& dates) {
    for (THomeDay& day : homeDays) {
        if (day.IsHomeDay()) {
            ClearKoppel(day);
        }
    }
    for (const TCalculateOptionsKoppelDate& entry : dates) {
        for (THomeDay& day : homeDays) {
            if (!day.IsHomeDay()) {
                continue;
            }
            if (day.Date == entry.Date1) {
                ApplyOption(day, entry.Option1);
            } else if (entry.Date2 != 0.0 && day.Date == entry.Date2) {
                ApplyOption(day, entry.Option2);
            }
        }
    }
}

} // namespace terminor
