#pragma once
// The week grid of a team's wish dates: which weeks it shows, the short text of each cell, reading
// and normalising typed cells, what writing the grid back would lose, and the checks of the grid
// (double dates in pairs) and of one day's times (4 hours between two kick-offs). Any thread.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DateTime.h"
#include "HomeDay.h"

namespace terminor {

/// The weeks of the grid: one row per Monday-to-Sunday week from the week of the season's start,
/// while the row's Monday is not after the earlier of the season's end and the first Monday plus
/// 360 days.
class TWishGridWeeks {
public:
    static constexpr int Columns = 7;
    /// "Mo" ... "So".
    static const std::array<std::string_view, Columns>& ColumnHeaders();

    TWishGridWeeks(TDateTime from, TDateTime until);

    int RowCount() const { return FRows; }
    TDateTime FirstMonday() const { return FFirstMonday; }
    /// The calendar day (midnight) of a cell.
    TDateTime CellDate(int row, int column) const;
    /// "dd.mm - dd.mm.yyyy" of the row's Monday and Sunday.
    std::string RowHeader(int row) const;
    /// The cell of the day `date`; false when the day lies outside the displayed weeks.
    bool CellOf(TDateTime date, int& row, int& column) const;

private:
    TDateTime FFirstMonday = 0.0;
    int FRows = 0;
};

/// The cell texts of a grid, one array of seven texts per week.
using TWishGridTexts = std::vector<std::array<std::string, TWishGridWeeks::Columns>>;

/// What the grid shows of a team's records.
struct TWishGridContent {
    TWishGridTexts Texts;
    /// Records no cell shows: outside the displayed weeks, or followed by another record of the
    /// same day (the last record of a day is the one shown).
    std::vector<THomeDay> Hidden;
};
/// Each cell holds the short text of the last record of its day.
TWishGridContent WishGridContent(const TWishGridWeeks& weeks, const THomeDayList& records);

/// One cell as read: empty, a record, or a text that names neither a kick-off nor "FREI".
struct TWishCell {
    enum class TKind { Empty, Record, Unreadable };
    TKind Kind = TKind::Empty;
    THomeDay Record;
    /// Why an unreadable text fails when it names an impossible time; empty otherwise.
    std::string Error;
};
/// Reads the text of the cell of `day`; never throws.
TWishCell ReadWishCell(TDateTime day, std::string_view text);
/// The text a cell shows once normalised: the short text of its record, empty when the text does
/// not read. A text naming an impossible time (25:00) stays as typed so the user can correct it.
std::string NormalizeWishCellText(TDateTime day, std::string_view text);

/// The records of the cells that read, in grid order, each with a valid location (as the plan
/// data stores them).
THomeDayList WishGridRecords(const TWishGridWeeks& weeks, const TWishGridTexts& texts);
/// Equal lists in the sense of the page's default: the same number of records, and every record of
/// `expected` has an equal one in `records`.
bool SameHomeDays(const THomeDayList& records, const THomeDayList& expected);

/// One German line per entry that writing the grid loses: each cell that does not read, each cell
/// whose hall is no valid location, and each of `hidden` (pass none when the grid is not written).
std::vector<std::string> WishGridLosses(const TWishGridWeeks& weeks, const TWishGridTexts& texts,
                                        const std::vector<THomeDay>& hidden);
/// The yes/no question listing `losses` (at most 20 lines, then how many more).
std::string WishGridLossQuestion(std::string_view teamName, const std::vector<std::string>& losses);

/// The first double date (in list order) with no double date on the day before or after.
std::optional<TDateTime> FirstUnpairedDoubleDate(const THomeDayList& records);
std::string UnpairedDoubleDateMessage(TDateTime date);

/// The first failing check of one day's times, empty when they pass or the day is no home day:
/// a kick-off, a second kick-off on a coupling day at least 4 hours away, and the same for an
/// alternative kick-off.
std::string HomeDayTimeProblem(const THomeDay& day);

} // namespace terminor
