// The week grid of a team's wish dates without widgets: its weeks, the cells it shows, reading and
// normalising typed cells, what writing it back loses, and its checks.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "data/PlanUtils.h"
#include "data/WishGrid.h"

using namespace terminor;

namespace {

TDateTime Day(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

THomeDay Record(TDateTime day, std::string_view text) {
    THomeDay record;
    EXPECT_TRUE(record.FromShortString(day, text)) << text;
    return record;
}

THomeDayList List(std::initializer_list<THomeDay> records) {
    THomeDayList list;
    list.insert(list.end(), records.begin(), records.end());
    return list;
}

/// A season grid from Sat 29.08.2026 to Fri 30.04.2027.
TWishGridWeeks SeasonWeeks() {
    return TWishGridWeeks(Day(2026, 8, 29), Day(2027, 4, 30));
}

} // namespace

TEST(WishGridWeeks, RowsRunFromTheMondayOfTheStartToTheEarlierOfEndAndDay360) {
    const TWishGridWeeks season = SeasonWeeks();
    EXPECT_EQ(season.FirstMonday(), Day(2026, 8, 24));
    EXPECT_EQ(season.RowCount(), 36); // the last row starts on Mon 26.04.2027, before the end
    EXPECT_EQ(season.RowHeader(0), "24.08 - 30.08.2026");
    EXPECT_EQ(season.RowHeader(35), "26.04 - 02.05.2027");
    EXPECT_EQ(season.CellDate(1, 5), Day(2026, 9, 5));
    int row = -1;
    int column = -1;
    ASSERT_TRUE(season.CellOf(Day(2027, 5, 2) + EncodeTime(18, 0), row, column));
    EXPECT_EQ(row, 35);
    EXPECT_EQ(column, 6);
    EXPECT_FALSE(season.CellOf(Day(2027, 5, 3), row, column));
    EXPECT_FALSE(season.CellOf(Day(2026, 8, 23), row, column));
    EXPECT_EQ(TWishGridWeeks::ColumnHeaders()[0], "Mo");
    EXPECT_EQ(TWishGridWeeks::ColumnHeaders()[6], "So");

    // A season of years is cut at the week whose Monday is at most 360 days after the first one.
    const TWishGridWeeks longSeason(Day(2026, 1, 7), Day(2030, 1, 1));
    EXPECT_EQ(longSeason.FirstMonday(), Day(2026, 1, 5));
    EXPECT_EQ(longSeason.RowCount(), 52);
    EXPECT_TRUE(longSeason.CellOf(Day(2026, 1, 5) + 363, row, column));
    EXPECT_FALSE(longSeason.CellOf(Day(2026, 1, 5) + 364, row, column));
    // An end on the first Monday gives that week; an end before it none.
    EXPECT_EQ(TWishGridWeeks(Day(2026, 9, 2), Day(2026, 8, 31)).RowCount(), 1);
    EXPECT_EQ(TWishGridWeeks(Day(2026, 9, 2), Day(2026, 8, 30)).RowCount(), 0);
}

TEST(WishGridContent, TheLastRecordOfADayIsShownAndTheOthersAreHidden) {
    const TWishGridWeeks season = SeasonWeeks();
    THomeDayList records;
    records.push_back(Record(Day(2026, 9, 5), "10:00"));
    records.push_back(Record(Day(2026, 9, 5), "18:30 K1:22:30"));
    records.push_back(Record(Day(2026, 9, 6), "FREI"));
    records.push_back(Record(Day(2027, 5, 8), "20:00")); // after the last row
    const TWishGridContent content = WishGridContent(season, records);
    ASSERT_EQ(content.Texts.size(), 36U);
    EXPECT_EQ(content.Texts[1][5], "18:30 K1:22:30");
    EXPECT_EQ(content.Texts[1][6], "FREI");
    EXPECT_EQ(content.Texts[1][4], "");
    ASSERT_EQ(content.Hidden.size(), 2U);
    EXPECT_EQ(content.Hidden[0].AsShortString(), "10:00");
    EXPECT_EQ(content.Hidden[1].Date, Day(2027, 5, 8) + EncodeTime(20, 0));

    // What the cells read as: the shown records, with valid halls only.
    TWishGridTexts texts = content.Texts;
    texts[2][0] = "19:00 L:\"Halle Nord\"";
    texts[2][1] = "A K1:21:00"; // no kick-off: not a record
    const THomeDayList read = WishGridRecords(season, texts);
    ASSERT_EQ(read.size(), 3U);
    EXPECT_EQ(read[2].Location, "");
    EXPECT_TRUE(SameHomeDays(read, read));
    const THomeDayList shown = List({read[0], read[1]});
    EXPECT_FALSE(SameHomeDays(shown, read));
    EXPECT_TRUE(SameHomeDays(WishGridRecords(season, content.Texts), shown));
}

TEST(WishGridCells, ReadingAndNormalising) {
    const TDateTime day = Day(2026, 9, 5);
    const struct {
        const char* typed;
        const char* normal;
    } cases[] = {
        {"18:00   a", "18:00 A"},
        {"k1:22:00 18:00 max:2", "18:00 K1:22:00 Max:2"},
        {" frei 18:00 D1", "FREI"},
        {"A K1:21:00", ""}, // markers without a kick-off
        {"abc", ""},
        {"   ", ""},
        {"25:00", "25:00"}, // an impossible time stays for the user to correct
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeWishCellText(day, c.typed), c.normal) << c.typed;
    }
    EXPECT_EQ(ReadWishCell(day, "").Kind, TWishCell::TKind::Empty);
    EXPECT_EQ(ReadWishCell(day, "abc").Kind, TWishCell::TKind::Unreadable);
    const TWishCell impossible = ReadWishCell(day, "25:00");
    EXPECT_EQ(impossible.Kind, TWishCell::TKind::Unreadable);
    EXPECT_EQ(impossible.Error, "Ungültige Uhrzeit: 25:00");
    const TWishCell home = ReadWishCell(day, "18:00 T2:14:00");
    EXPECT_EQ(home.Kind, TWishCell::TKind::Record);
    EXPECT_EQ(home.Record.Date, day + EncodeTime(18, 0));
    EXPECT_TRUE(home.Record.KoppelAuswaertsSecondTime);
}

TEST(WishGridLosses, EveryLostEntryIsNamedAndTheQuestionIsBounded) {
    const TWishGridWeeks season = SeasonWeeks();
    TWishGridTexts texts(36);
    texts[1][5] = "18:00";
    texts[1][6] = "A K1:21:00";
    texts[2][0] = "25:00";
    texts[2][1] = "19:00 L:9";
    std::vector<THomeDay> hidden = {Record(Day(2026, 9, 5), "10:00"), Record(Day(2027, 5, 8), "20:00 Max:2")};
    const std::vector<std::string> lines = WishGridLosses(season, texts, hidden);
    const std::vector<std::string> expected = {
        "So 06.09.2026: \u201EA K1:21:00\u201C nennt weder eine Uhrzeit noch FREI",
        "Mo 07.09.2026: \u201E25:00\u201C (Ungültige Uhrzeit: 25:00)",
        "Di 08.09.2026: Spiellokal \u201E9\u201C ist ungültig, es gilt das Standardspiellokal",
        "Sa 05.09.2026 10:00: am selben Tag steht ein weiterer Termin",
        "Sa 08.05.2027 20:00 Max:2: liegt außerhalb der angezeigten Wochen",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(WishGridLosses(season, TWishGridTexts(36), {}).empty());

    EXPECT_EQ(WishGridLossQuestion("TV Hüsten II", {"a", "b"}),
              "Beim Übernehmen der Wunschtermine von TV Hüsten II gehen diese Einträge verloren:\n\na\nb\n\n"
              "Trotzdem übernehmen? Mit \u201ENein\u201C kehren Sie zur Eingabe zurück.");
    const std::string many = WishGridLossQuestion("A", std::vector<std::string>(23, "x"));
    EXPECT_NE(many.find("\nx\n... und 3 weitere\n"), std::string::npos);
}

TEST(WishGridChecks, DoubleDatesComeInPairsOfNeighbouringDays) {
    const TDateTime saturday = Day(2026, 9, 5);
    THomeDayList records;
    records.push_back(Record(saturday, "18:00 D1"));
    records.push_back(Record(saturday + 1, "10:00"));
    ASSERT_TRUE(FirstUnpairedDoubleDate(records).has_value());
    EXPECT_EQ(*FirstUnpairedDoubleDate(records), saturday + EncodeTime(18, 0));
    EXPECT_EQ(
        UnpairedDoubleDateMessage(*FirstUnpairedDoubleDate(records)),
        "Am Sa 05.09.2026 wurde ein Doppelspieltag angegeben. Das ist nur zulässig, wenn am darauf "
        "folgenden Tag auch ein Doppelspieltag ist. Für einen Doppelspieltag sind immer zwei Termine an "
        "zwei Tagen hintereinander nötig, welche beide als Doppelspieltag gekennzeichnet sind.");
    records[1] = Record(saturday + 1, "10:00 D1");
    EXPECT_FALSE(FirstUnpairedDoubleDate(records).has_value());
    // A lone one later in the list is found; the pair before it is fine.
    records.push_back(Record(saturday + 14, "18:00 D0"));
    EXPECT_EQ(*FirstUnpairedDoubleDate(records), saturday + 14 + EncodeTime(18, 0));
    // Two days apart are no pair.
    EXPECT_TRUE(
        FirstUnpairedDoubleDate(List({Record(saturday, "18:00 D0"), Record(saturday + 2, "18:00 D0")})));
}

TEST(WishGridChecks, KickOffsOfADayLieFourHoursApart) {
    const TDateTime day = Day(2026, 9, 5);
    const struct {
        const char* text;
        const char* problem;
    } cases[] = {
        {"18:00", ""},
        {"18:00 K1:21:59", "Zwischen dem ersten und zweiten Spiel müssen mindestens 4 Stunden liegen"},
        {"18:00 K1:22:00", ""},
        {"18:00 K0:14:00", ""},
        {"18:00 K0:14:01", "Zwischen dem ersten und zweiten Spiel müssen mindestens 4 Stunden liegen"},
        {"18:00 T2:16:30", "Zwischen dem ersten und zweiten Spiel müssen mindestens 4 Stunden liegen"},
        {"20:00 T2:16:00", ""},
        {"FREI", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HomeDayTimeProblem(Record(day, c.text)), c.problem) << c.text;
    }
    THomeDay noKickOff;
    noKickOff.Date = day;
    EXPECT_EQ(HomeDayTimeProblem(noKickOff), "Bitte geben Sie eine Zeit ein");
    THomeDay noSecond = Record(day, "18:00");
    noSecond.KoppelDate = true;
    EXPECT_EQ(HomeDayTimeProblem(noSecond), "Bitte geben Sie eine zweite Zeit ein");
    noSecond.KoppelDate = false;
    noSecond.KoppelAuswaertsSecondTime = true;
    EXPECT_EQ(HomeDayTimeProblem(noSecond), "Bitte geben Sie eine zweite Zeit ein");
    THomeDay away;
    away.NoDate = true;
    EXPECT_EQ(HomeDayTimeProblem(away), "");
}
