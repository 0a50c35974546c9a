// Home-day rules: the short-text language of the week grid, equality, sorting, and the
// conversion between a team's homegameday/nogameday elements and THomeDay records.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataObject.h"
#include "data/DateTime.h"
#include "data/Error.h"
#include "data/HomeDay.h"
#include "data/PlanData.h"

using namespace terminor;

namespace {

// Monday 05.10.2020.
const TDateTime Day = EncodeDate(2020, 10, 5);

TDateTime At(TDateTime day, int hour, int minute) {
    return NormalizeDateTime(day + EncodeTime(hour, minute));
}

THomeDay Parse(std::string_view text) {
    THomeDay day;
    EXPECT_TRUE(day.FromShortString(Day, text)) << text;
    return day;
}

TDataObject& AddTeam(TDataObject& plan, const std::string& name) {
    TDataObject& team = plan.addChild("team");
    team.SetAsString("teamname", name);
    return team;
}

std::vector<std::string> ChildNames(const TDataObject& node) {
    std::vector<std::string> names;
    for (const auto& child : node.childs()) {
        names.push_back(child->Name());
    }
    return names;
}

/// Every attribute as "name=value ", in name order.
std::string Attributes(const TDataObject& node) {
    std::string text;
    for (const auto& [name, value] : node.attributes()) {
        text += name + "=" + value + " ";
    }
    return text;
}

} // namespace

TEST(HomeDayShortText, EveryMarker) {
    const THomeDay day = Parse("18:00 A K1:21:00 Max:2 L:3");
    EXPECT_EQ(day.Date, At(Day, 18, 0));
    EXPECT_TRUE(day.AusweichTermin);
    EXPECT_TRUE(day.KoppelDate);
    EXPECT_EQ(day.KoppelPrio, 1);
    EXPECT_EQ(day.KoppelSecondTime, EncodeTime(21, 0));
    EXPECT_FALSE(day.DoubleDate || day.KoppelAuswaertsSecondTime || day.NoDate || day.SperrTermin);
    EXPECT_EQ(day.MaxParallelGame, 2);
    EXPECT_EQ(day.Location, "3");
    EXPECT_EQ(day.AsShortString(), "18:00 A K1:21:00 Max:2 L:3");

    const THomeDay td = Parse("07:05 T2:09:45 D0");
    EXPECT_TRUE(td.KoppelAuswaertsSecondTime && td.DoubleDate);
    EXPECT_EQ(td.KoppelSecondTime, EncodeTime(9, 45));
    EXPECT_EQ(td.KoppelPrio, 0);

    for (const char* text : {"", "   ", " \t "}) {
        THomeDay empty;
        empty.Location = "3";
        EXPECT_FALSE(empty.FromShortString(Day, text));
        EXPECT_TRUE(empty.NoDate);
        EXPECT_EQ(empty.Location, "") << "every field is reset first";
        EXPECT_EQ(empty.AsShortString(), "");
    }
    // Markers without a time: false, and the cell counts as empty, though it is no NoDate record.
    THomeDay noTime;
    EXPECT_FALSE(noTime.FromShortString(Day, "A K1:21:00"));
    EXPECT_FALSE(noTime.NoDate);
    // The cell's day may carry a time of its own; the kick-off is added to it.
    EXPECT_TRUE(noTime.FromShortString(Day + 0.5, "06:00"));
    EXPECT_EQ(noTime.Date, At(Day, 18, 0));
}

// Each text and the short text of the record it reads as: checks every field in one line.
TEST(HomeDayShortText, TextsAndTheirNormalForm) {
    const std::pair<const char*, const char*> cases[] = {
        // Letter case of the markers does not matter; the location keeps its case.
        {"20:00 a k2:22:15 max:4 l:x", "20:00 A K2:22:15 Max:4 L:x"},
        {"18:00 t2:16:30 d1", "18:00 T2:16:30 D1"},
        {"18:00 mAx:7", "18:00 Max:7"},
        // Blanks, order of tokens, a later time overriding an earlier one.
        {"  A   18:00  19:30 ", "19:30 A"},
        // K, D and T2 block each other in the order they are read.
        {"18:00 D2 K1:21:00", "18:00 D2"},
        {"18:00 K1:21:00 D2", "18:00 K1:21:00"},
        {"18:00 T2:16:30 D0", "18:00 T2:16:30 D0"},
        {"18:00 D1 T2:16:30", "18:00 T2:16:30 D1"},
        {"18:00 K0:21:00 T2:16:30", "18:00 K0:21:00"},
        {"18:00 T2:16:30 K0:21:00", "18:00 T2:16:30"},
        {"18:00 K1:20:00 K2:21:00", "18:00 K2:21:00"},
        {"18:00 D1 D2", "18:00 D2"},
        // A K token needs more than 7 characters; characters 4-8 are its time.
        {"18:00 K1:21:00xyz", "18:00 K1:21:00"},
        {"18:00 K1:21:0", "18:00"},
        {"18:00 T2:16:3", "18:00"},
        // Unreadable markers and out-of-range priorities are ignored.
        {"18:00 K3:21:00 D7 Dx D Max:x Max: max:-1 T2:xx:yy B 18 1:30 AA FREIE", "18:00"},
        {"18:00 Max:0", "18:00"},
        {"18:00 Max:99999999999", "18:00"},
        // A short minute field is read as it stands.
        {"18:5", "18:05"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Parse(text).AsShortString(), expected) << text;
    }
    EXPECT_EQ(Parse("18:00 Max:0").MaxParallelGame, 0);
    EXPECT_EQ(Parse("18:00 D1 D2").KoppelPrio, 2);
}

TEST(HomeDayShortText, FreiWinsOverEverything) {
    for (const char* text : {"FREI", "frei", "18:00 A FREI K1:21:00 T2:16:00 D1 Max:3 L:2", "frei 19:00"}) {
        THomeDay day;
        EXPECT_TRUE(day.FromShortString(Day + 0.75, text)) << text;
        // The cell's calendar day at midnight, every other field as in a new record.
        EXPECT_EQ(day.Date, Day);
        EXPECT_TRUE(day.SperrTermin);
        EXPECT_FALSE(day.AusweichTermin || day.KoppelDate || day.DoubleDate ||
                     day.KoppelAuswaertsSecondTime || day.NoDate)
            << text;
        EXPECT_EQ(day.MaxParallelGame + day.KoppelPrio, 0);
        EXPECT_EQ(day.KoppelSecondTime, 0.0);
        EXPECT_EQ(day.Location, "");
        EXPECT_EQ(day.AsShortString(), "FREI");
    }
}

TEST(HomeDayShortText, ImpossibleTimesAreConversionErrors) {
    THomeDay day;
    EXPECT_THROW(day.FromShortString(Day, "24:00"), EConvertError);
    EXPECT_THROW(day.FromShortString(Day, "18:60"), EConvertError);
    EXPECT_THROW(day.FromShortString(Day, "18:00 K1:24:00"), EConvertError);
    EXPECT_THROW(day.FromShortString(Day, "18:00 T2:12:75"), EConvertError);
    // A K token after a double date is not read at all, so its time cannot fail.
    EXPECT_NO_THROW(day.FromShortString(Day, "18:00 D1 K1:24:00"));
    // A non-numeric field means "no time", whatever the other field holds.
    EXPECT_FALSE(day.FromShortString(Day, "99:xx"));
    EXPECT_FALSE(day.FromShortString(Day, "-1:00"));
}

TEST(HomeDayShortText, QuotedLocations) {
    const THomeDay blank = Parse("18:00 L:\"Halle 3\" A");
    EXPECT_EQ(blank.Location, "Halle 3");
    EXPECT_TRUE(blank.AusweichTermin);
    EXPECT_EQ(blank.AsShortString(), "18:00 A L:\"Halle 3\"");

    THomeDay quote;
    quote.Date = At(Day, 18, 0);
    quote.Location = "a\"b";
    EXPECT_EQ(quote.AsShortString(), "18:00 L:a\xE2\x80\x9E"
                                     "b");
    EXPECT_EQ(Parse(quote.AsShortString()).Location, "a\"b");

    quote.Location = "Halle \"Nord\"";
    EXPECT_EQ(quote.AsShortString(), "18:00 L:\"Halle \xE2\x80\x9ENord\xE2\x80\x9E\"");
    EXPECT_EQ(Parse(quote.AsShortString()).Location, "Halle \"Nord\"");

    // A control character at the end would be trimmed away unless the location is quoted.
    quote.Location = "X\t";
    EXPECT_EQ(quote.AsShortString(), "18:00 L:\"X\t\"");
    EXPECT_EQ(Parse(quote.AsShortString()).Location, "X\t");

    // Only a pair of enclosing quotes is removed.
    EXPECT_EQ(Parse("18:00 L:\"ab").Location, "\"ab");
    EXPECT_EQ(Parse("18:00 L:\"").Location, "\"");
    EXPECT_EQ(Parse("18:00 L:\"\"").Location, "");
    // An unbalanced quote makes the rest of the text one token.
    const THomeDay unbalanced = Parse("18:00 L:\"ab cd A");
    EXPECT_EQ(unbalanced.Location, "\"ab cd A");
    EXPECT_FALSE(unbalanced.AusweichTermin);
}

TEST(HomeDayShortText, Tokenizer) {
    using V = std::vector<std::string>;
    EXPECT_EQ(TokenizeShortString(""), V{});
    EXPECT_EQ(TokenizeShortString("   "), V{});
    EXPECT_EQ(TokenizeShortString(" a  b\tc "), (V{"a", "b\tc"}));
    EXPECT_EQ(TokenizeShortString("L:\"x y\" z"), (V{"L:\"x y\"", "z"}));
    EXPECT_EQ(TokenizeShortString("a \" b c"), (V{"a", "\" b c"}));
    EXPECT_EQ(TokenizeShortString("\"  \""), (V{"\"  \""}));
}

TEST(HomeDayShortText, RoundTripOverGeneratedTexts) {
    // Building blocks of the texts, separated by '|': valid and broken markers of every kind.
    const std::string_view blocks =
        "18:00|7:30|09:15|23:59|00:00|18:5|A|a|K0:20:00|k1:21:30|K2:06:05|K3:21:00|"
        "K1:21|Kx:21:00|D0|d1|D2|D9|T2:16:30|t2:00:01|T2:1x:00|Max:0|max:3|MAX:12|"
        "Max:|L:1|l:5|L:Halle|L:\"Halle 2\"|L:a\"b|L:\xE2\x80\x9Ex\xE2\x80\x9E|"
        "L:\"\"|L:|FREI|frei|xyz|\"|\"q r\"|  ";
    std::vector<std::string> pieces;
    for (std::size_t pos = 0; pos <= blocks.size();) {
        const std::size_t bar = std::min(blocks.find('|', pos), blocks.size());
        pieces.emplace_back(blocks.substr(pos, bar - pos));
        pos = bar + 1;
    }
    std::mt19937 random(20201005);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(1, 7);
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = count(random); n > 0; --n) {
            text += pieces[pick(random)];
            text += ' ';
        }
        THomeDay first;
        if (!first.FromShortString(Day, text)) {
            continue;
        }
        ++checked;
        const std::string written = first.AsShortString();
        THomeDay second;
        ASSERT_TRUE(second.FromShortString(Day, written)) << text << " -> " << written;
        ASSERT_TRUE(second.isTheSame(first)) << text << " -> " << written;
        ASSERT_EQ(second.AsShortString(), written) << text;
    }
    EXPECT_GT(checked, 5000);
}

TEST(HomeDay, IsTheSame) {
    THomeDay base;
    base.Date = At(Day, 18, 0);
    base.KoppelDate = true;
    base.KoppelPrio = 1;
    base.KoppelSecondTime = EncodeTime(21, 0);
    base.MaxParallelGame = 2;
    base.Location = "3";
    THomeDay copy;
    copy.assign(base);
    EXPECT_TRUE(copy.isTheSame(base));

    const std::vector<void (*)(THomeDay&)> changes = {[](THomeDay& d) { d.Date += 1.0 / 1440; },
                                                      [](THomeDay& d) { d.KoppelDate = false; },
                                                      [](THomeDay& d) { d.KoppelAuswaertsSecondTime = true; },
                                                      [](THomeDay& d) { d.DoubleDate = true; },
                                                      [](THomeDay& d) { d.KoppelPrio = 2; },
                                                      [](THomeDay& d) { d.KoppelSecondTime = 0; },
                                                      [](THomeDay& d) { d.AusweichTermin = true; },
                                                      [](THomeDay& d) { d.Location.assign(1, '4'); },
                                                      [](THomeDay& d) { d.MaxParallelGame = 0; },
                                                      [](THomeDay& d) { d.SperrTermin = true; },
                                                      [](THomeDay& d) { d.NoDate = true; }};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        THomeDay changed = base;
        changes[i](changed);
        EXPECT_FALSE(changed.isTheSame(base)) << "change " << i;
        EXPECT_FALSE(base.isTheSame(changed)) << "change " << i;
    }

    // Blocked dates compare only by date, as do days without entry.
    THomeDay blockedA = base;
    blockedA.SperrTermin = true;
    THomeDay blockedB;
    blockedB.Date = base.Date;
    blockedB.SperrTermin = true;
    EXPECT_TRUE(blockedA.isTheSame(blockedB));
    blockedB.Date = Day;
    EXPECT_FALSE(blockedA.isTheSame(blockedB));

    THomeDay emptyA = base;
    emptyA.NoDate = true;
    THomeDay emptyB;
    emptyB.NoDate = true;
    emptyB.SperrTermin = true;
    emptyB.Date = base.Date;
    EXPECT_TRUE(emptyA.isTheSame(emptyB));
    EXPECT_FALSE(emptyA.isTheSame(blockedA));
    emptyB.Date = Day;
    EXPECT_FALSE(emptyA.isTheSame(emptyB));
}

TEST(HomeDay, CompareAndSort) {
    THomeDay early;
    early.Date = At(Day, 10, 0);
    THomeDay late;
    late.Date = At(Day, 18, 0);
    EXPECT_EQ(THomeDayComparer::Compare(early, late), -1);
    EXPECT_EQ(THomeDayComparer::Compare(late, early), 1);
    EXPECT_EQ(THomeDayComparer::Compare(late, late), 0);

    THomeDayList list;
    for (int i : {5, 1, 3, 1, 0}) {
        THomeDay d;
        d.Date = Day + i;
        d.MaxParallelGame = static_cast<int>(list.size());
        list.push_back(d);
    }
    list.Sort();
    std::vector<TDateTime> dates;
    for (const THomeDay& d : list) {
        dates.push_back(d.Date - Day);
    }
    EXPECT_EQ(dates, (std::vector<TDateTime>{0, 1, 1, 3, 5}));
}

TEST(PlanDataHomeDays, GetHomeDaysReadsTheTeamsElements) {
    TPlanData data;
    AddTeam(data.root(), "B").addChild("homegameday").SetAsString("datetime", "07.10.2020 20:00");
    TDataObject& team = AddTeam(data.root(), "A");
    team.addChild("roadcouple");
    team.addChild("homegameday").SetAsString("datetime", "05.10.2020 18:00");
    TDataObject& coupled = team.addChild("homegameday");
    coupled.SetAsString("datetime", "10.10.2020 19:00");
    coupled.SetAsBool("couplegameday", true);
    coupled.SetAsBool("doublegameday", true);
    coupled.SetAsBool("coupleauswaertssecondtime", true);
    coupled.SetAsString("couplesecondtime", "21:30");
    coupled.SetAsInt("coupleprio", 2);
    coupled.SetAsInt("parallelgames", 3);
    coupled.SetAsBool("ausweichtermin", true);
    coupled.SetAsString("location", " 4 ");
    TDataObject& second = team.addChild("homegameday");
    second.SetAsString("datetime", "09.10.2020 17:00");
    second.SetAsBool("doublegameday", true);
    second.SetAsBool("coupleauswaertssecondtime", true);
    second.SetAsString("couplesecondtime", "15:00");
    second.SetAsInt("coupleprio", 1);
    second.SetAsString("location", "Halle");
    TDataObject& plain = team.addChild("homegameday");
    plain.SetAsString("datetime", "08.10.2020 18:00");
    plain.SetAsString("couplesecondtime", "15:00");
    plain.SetAsInt("coupleprio", 2);
    team.addChild("nogameday").SetAsString("date", "05.10.2020");

    THomeDayList days;
    days.push_back(THomeDay{});
    data.GetHomeDays("A", days);
    ASSERT_EQ(days.size(), 4u) << "the home date on the blocked day is hidden";

    EXPECT_TRUE(days[0].SperrTermin);
    EXPECT_EQ(days[0].Date, Day);

    EXPECT_EQ(days[1].Date, At(Day + 3, 18, 0));
    EXPECT_FALSE(days[1].KoppelAuswaertsSecondTime);
    EXPECT_EQ(days[1].KoppelSecondTime, 0.0) << "the second time counts only with K or T2";
    EXPECT_EQ(days[1].KoppelPrio, 0) << "the priority counts only with K or D";

    EXPECT_EQ(days[2].Date, At(Day + 4, 17, 0));
    EXPECT_TRUE(days[2].DoubleDate);
    EXPECT_TRUE(days[2].KoppelAuswaertsSecondTime);
    EXPECT_EQ(days[2].KoppelSecondTime, EncodeTime(15, 0));
    EXPECT_EQ(days[2].KoppelPrio, 1);
    EXPECT_EQ(days[2].Location, "") << "an invalid location reads as the default hall";

    const THomeDay& k = days[3];
    EXPECT_EQ(k.Date, At(Day + 5, 19, 0));
    EXPECT_TRUE(k.KoppelDate);
    EXPECT_FALSE(k.DoubleDate) << "a coupling day excludes the double date";
    EXPECT_FALSE(k.KoppelAuswaertsSecondTime);
    EXPECT_EQ(k.KoppelSecondTime, EncodeTime(21, 30));
    EXPECT_EQ(k.KoppelPrio, 2);
    EXPECT_EQ(k.MaxParallelGame, 3);
    EXPECT_TRUE(k.AusweichTermin);
    EXPECT_EQ(k.Location, "4");

    data.GetHomeDays("C", days);
    EXPECT_TRUE(days.empty());
}

TEST(PlanDataHomeDays, SetHomeDaysWritesTheTeamsElements) {
    TPlanData data;
    TDataObject& team = AddTeam(data.root(), "A");
    team.SetAsString("location", "1");
    team.addChild("homegameday").SetAsString("datetime", "01.10.2020 18:00");
    team.addChild("roadcouple").SetAsString("teamnamea", "B");
    team.addChild("nogameday").SetAsString("date", "02.10.2020");
    team.addChild("homerights").SetAsString("teamname", "B");
    TDataObject& other = AddTeam(data.root(), "B");
    other.addChild("homegameday").SetAsString("datetime", "03.10.2020 18:00");

    THomeDayList days;
    THomeDay empty;
    empty.NoDate = true;
    empty.Date = Day + 1;
    THomeDay blocked;
    blocked.SperrTermin = true;
    blocked.Date = At(Day + 2, 10, 0);
    THomeDay doubled;
    doubled.Date = At(Day, 18, 0);
    doubled.DoubleDate = true;
    doubled.KoppelPrio = 2;
    doubled.Location = "Halle 3";
    THomeDay coupled;
    coupled.Date = At(Day + 3, 19, 30);
    coupled.KoppelDate = true;
    coupled.KoppelPrio = 0;
    coupled.KoppelSecondTime = EncodeTime(21, 45);
    coupled.MaxParallelGame = 2;
    coupled.AusweichTermin = true;
    coupled.Location = "5";
    THomeDay plain;
    plain.Date = At(Day + 4, 20, 0);
    plain.KoppelSecondTime = EncodeTime(11, 0);
    days.assign({empty, blocked, doubled, coupled, plain});

    data.SetHomeDays("A", days);
    EXPECT_EQ(ChildNames(team), (std::vector<std::string>{"roadcouple", "homerights", "nogameday",
                                                          "homegameday", "homegameday", "homegameday"}));
    const IDataObjectList homes = team.NamedChilds("homegameday");
    ASSERT_EQ(homes.size(), 3u);
    EXPECT_EQ(team.NamedChilds("nogameday")[0]->GetAsString("date"), "07.10.2020");

    // Only valid locations are stored; the second time only with K or T2, the priority only with K or D.
    EXPECT_EQ(Attributes(*homes[0]),
              "ausweichtermin=false coupleauswaertssecondtime=false couplegameday=false "
              "coupleprio=2 datetime=05.10.2020 18:00 doublegameday=true location= "
              "parallelgames=0 ");
    EXPECT_EQ(Attributes(*homes[1]), "ausweichtermin=true coupleauswaertssecondtime=false couplegameday=true "
                                     "coupleprio=0 couplesecondtime=21:45 datetime=08.10.2020 19:30 "
                                     "doublegameday=false location=5 parallelgames=2 ");
    EXPECT_EQ(Attributes(*homes[2]),
              "ausweichtermin=false coupleauswaertssecondtime=false couplegameday=false "
              "datetime=09.10.2020 20:00 doublegameday=false location= parallelgames=0 ");
    EXPECT_EQ(other.NamedChilds("homegameday").size(), 1u) << "other teams stay as they are";

    // An unknown team changes nothing.
    TPlanData before;
    before.assign(data);
    data.SetHomeDays("Z", days);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&data.root(), &before.root()));
    EXPECT_EQ(data.root().childs().size(), 2u);

    // An empty list removes the team's dates.
    data.SetHomeDays("A", THomeDayList{});
    EXPECT_EQ(ChildNames(team), (std::vector<std::string>{"roadcouple", "homerights"}));
}

TEST(PlanDataHomeDays, WriteThenReadGivesEqualRecords) {
    const std::vector<std::pair<int, std::string>> cells = {{0, "18:00 A K1:21:00 Max:2 L:3"},
                                                            {1, "FREI"},
                                                            {2, "19:30 T2:16:30 D0 L:5"},
                                                            {3, "10:00 D2 Max:7"},
                                                            {4, "20:15 K0:22:00"},
                                                            {6, "08:00 t2:07:00"},
                                                            {9, "12:00 A"}};
    THomeDayList written;
    for (const auto& [offset, text] : cells) {
        THomeDay day;
        ASSERT_TRUE(day.FromShortString(Day + offset, text)) << text;
        written.push_back(day);
    }
    THomeDay none;
    none.NoDate = true;
    written.push_back(none);

    TPlanData data;
    AddTeam(data.root(), "A");
    data.SetHomeDays("A", written);
    THomeDayList read;
    data.GetHomeDays("A", read);
    ASSERT_EQ(read.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(read[i].isTheSame(written[i])) << cells[i].second;
        EXPECT_EQ(read[i].AsShortString(), written[i].AsShortString());
    }
}
