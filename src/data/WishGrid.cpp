// The week grid of a team's wish dates: weeks, cells, losses on writing and the grid's checks.

#include "WishGrid.h"

#include <algorithm>
#include <cstdlib>

#include "Error.h"
#include "PlanData.h"
#include "PlanUtils.h"

namespace terminor {

namespace {

/// No row lies more than this many days after the first Monday.
constexpr int MaxGridDays = 360;
/// Lines of losses shown in the question; the rest are counted.
constexpr std::size_t MaxLossLines = 20;
/// Two kick-offs of one day lie at least this many minutes apart.
constexpr int MinMinutesBetweenGames = 4 * 60;

std::string Quoted(std::string_view text) {
    return "\xE2\x80\x9E" + std::string(text) + "\xE2\x80\x9C"; // „text“
}

} // namespace

const std::array<std::string_view, TWishGridWeeks::Columns>& TWishGridWeeks::ColumnHeaders() {
    static const std::array<std::string_view, Columns> headers = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return headers;
}

TWishGridWeeks::TWishGridWeeks(TDateTime from, TDateTime until) : FFirstMonday(MondayOfWeek(from)) {
    const int first = DayNumber(FFirstMonday);
    const int last = std::min(DayNumber(until), first + MaxGridDays);
    FRows = last >= first ? (last - first) / 7 + 1 : 0;
}

TDateTime TWishGridWeeks::CellDate(int row, int column) const {
    return FFirstMonday + static_cast<TDateTime>(7 * row + column);
}

std::string TWishGridWeeks::RowHeader(int row) const {
    return FormatDayMonth(CellDate(row, 0)) + " - " + DateToStorage(CellDate(row, Columns - 1));
}

bool TWishGridWeeks::CellOf(TDateTime date, int& row, int& column) const {
    const int offset = DayNumber(date) - DayNumber(FFirstMonday);
    if (offset < 0 || offset >= 7 * FRows) {
        return false;
    }
    row = offset / 7;
    column = offset % 7;
    return true;
}

TWishGridContent WishGridContent(const TWishGridWeeks& weeks, const THomeDayList& records) {
    TWishGridContent content;
    content.Texts.resize(static_cast<std::size_t>(weeks.RowCount()));
    // The record each cell shows, so that a later record of the same day can hide an earlier one.
    std::vector<const THomeDay*> shown(content.Texts.size() * TWishGridWeeks::Columns, nullptr);
    for (const THomeDay& record : records) {
        int row = 0;
        int column = 0;
        if (!weeks.CellOf(record.Date, row, column)) {
            content.Hidden.push_back(record);
            continue;
        }
        const std::size_t cell =
            static_cast<std::size_t>(row) * TWishGridWeeks::Columns + static_cast<std::size_t>(column);
        if (shown[cell] != nullptr) {
            content.Hidden.push_back(*shown[cell]);
        }
        shown[cell] = &record;
        content.Texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
            record.AsShortString();
    }
    std::stable_sort(content.Hidden.begin(), content.Hidden.end(), THomeDayComparer{});
    return content;
}

TWishCell ReadWishCell(TDateTime day, std::string_view text) {
    TWishCell cell;
    try {
        if (cell.Record.FromShortString(day, text)) {
            cell.Kind = TWishCell::TKind::Record;
        } else if (!cell.Record.NoDate) {
            cell.Kind = TWishCell::TKind::Unreadable;
        }
    } catch (const EConvertError& e) {
        cell.Kind = TWishCell::TKind::Unreadable;
        cell.Error = e.what();
    }
    if (cell.Kind != TWishCell::TKind::Record) {
        cell.Record = THomeDay{};
        cell.Record.NoDate = true;
        cell.Record.Date = DateOf(day);
    }
    return cell;
}

std::string NormalizeWishCellText(TDateTime day, std::string_view text) {
    const TWishCell cell = ReadWishCell(day, text);
    if (!cell.Error.empty()) {
        return std::string(text);
    }
    return cell.Kind == TWishCell::TKind::Record ? cell.Record.AsShortString() : std::string();
}

THomeDayList WishGridRecords(const TWishGridWeeks& weeks, const TWishGridTexts& texts) {
    THomeDayList records;
    for (int row = 0; row < weeks.RowCount() && row < static_cast<int>(texts.size()); ++row) {
        for (int column = 0; column < TWishGridWeeks::Columns; ++column) {
            TWishCell cell =
                ReadWishCell(weeks.CellDate(row, column),
                             texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
            if (cell.Kind == TWishCell::TKind::Record) {
                cell.Record.Location = TPlanData::FixLocation(cell.Record.Location);
                records.push_back(cell.Record);
            }
        }
    }
    return records;
}

bool SameHomeDays(const THomeDayList& records, const THomeDayList& expected) {
    if (records.size() != expected.size()) {
        return false;
    }
    return std::all_of(expected.begin(), expected.end(), [&](const THomeDay& want) {
        return std::any_of(records.begin(), records.end(),
                           [&](const THomeDay& have) { return have.isTheSame(want); });
    });
}

std::vector<std::string> WishGridLosses(const TWishGridWeeks& weeks, const TWishGridTexts& texts,
                                        const std::vector<THomeDay>& hidden) {
    std::vector<std::string> lines;
    for (int row = 0; row < weeks.RowCount() && row < static_cast<int>(texts.size()); ++row) {
        for (int column = 0; column < TWishGridWeeks::Columns; ++column) {
            const TDateTime day = weeks.CellDate(row, column);
            const std::string& text = texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            const TWishCell cell = ReadWishCell(day, text);
            if (cell.Kind == TWishCell::TKind::Unreadable) {
                lines.push_back(FormatDayDate(day) + ": " + Quoted(text) + " " +
                                (cell.Error.empty() ? std::string("nennt weder eine Uhrzeit noch FREI")
                                                    : "(" + cell.Error + ")"));
            } else if (cell.Kind == TWishCell::TKind::Record &&
                       cell.Record.Location != TPlanData::FixLocation(cell.Record.Location)) {
                lines.push_back(FormatDayDate(day) + ": Spiellokal " + Quoted(cell.Record.Location) +
                                " ist ungültig, es gilt das Standardspiellokal");
            }
        }
    }
    for (const THomeDay& record : hidden) {
        int row = 0;
        int column = 0;
        const bool inGrid = weeks.CellOf(record.Date, row, column);
        lines.push_back(FormatDayDate(record.Date) + " " + record.AsShortString() +
                        (inGrid ? ": am selben Tag steht ein weiterer Termin"
                                : ": liegt außerhalb der angezeigten Wochen"));
    }
    return lines;
}

std::string WishGridLossQuestion(std::string_view teamName, const std::vector<std::string>& losses) {
    std::string text = "Beim Übernehmen der Wunschtermine von " + std::string(teamName) +
                       " gehen diese Einträge verloren:\n";
    for (std::size_t i = 0; i < losses.size() && i < MaxLossLines; ++i) {
        text += "\n" + losses[i];
    }
    if (losses.size() > MaxLossLines) {
        text += "\n... und " + std::to_string(losses.size() - MaxLossLines) + " weitere";
    }
    text += "\n\nTrotzdem übernehmen? Mit \xE2\x80\x9ENein\xE2\x80\x9C kehren Sie zur Eingabe zurück.";
    return text;
}

std::optional<TDateTime> FirstUnpairedDoubleDate(const THomeDayList& records) {
    for (const THomeDay& record : records) {
        if (!record.IsHomeDay() || !record.DoubleDate) {
            continue;
        }
        const int day = DayNumber(record.Date);
        const bool paired = std::any_of(records.begin(), records.end(), [&](const THomeDay& other) {
            return &other != &record && other.IsHomeDay() && other.DoubleDate &&
                   std::abs(DayNumber(other.Date) - day) == 1;
        });
        if (!paired) {
            return record.Date;
        }
    }
    return std::nullopt;
}

std::string UnpairedDoubleDateMessage(TDateTime date) {
    return "Am " + FormatDayDate(date) +
           " wurde ein Doppelspieltag angegeben. Das ist nur zulässig, wenn am darauf folgenden Tag auch ein "
           "Doppelspieltag ist. Für einen Doppelspieltag sind immer zwei Termine an zwei Tagen "
           "hintereinander "
           "nötig, welche beide als Doppelspieltag gekennzeichnet sind.";
}

std::string HomeDayTimeProblem(const THomeDay& day) {
    if (!day.IsHomeDay()) {
        return {};
    }
    const int kickOff = MinuteOfDay(day.Date);
    if (kickOff == 0) {
        return "Bitte geben Sie eine Zeit ein";
    }
    // A coupling day's second game and an alternative kick-off are checked alike.
    if (day.KoppelDate || day.KoppelAuswaertsSecondTime) {
        const int second = MinuteOfDay(day.KoppelSecondTime);
        if (second == 0) {
            return "Bitte geben Sie eine zweite Zeit ein";
        }
        if (std::abs(second - kickOff) < MinMinutesBetweenGames) {
            return "Zwischen dem ersten und zweiten Spiel müssen mindestens 4 Stunden liegen";
        }
    }
    return {};
}

} // namespace terminor
