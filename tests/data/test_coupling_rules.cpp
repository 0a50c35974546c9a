// What the per-team pages for couplings and sister teams do to the plan data without widgets: the
// rows and choices of the home couplings, the away-coupling wishes with the home dates that may
// need an alternative kick-off, and the sister teams with their games.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/AwayCouple.h"
#include "data/DataObject.h"
#include "data/Error.h"
#include "data/HomeCouple.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/SisterTeams.h"

using namespace terminor;

namespace {

// A Saturday/Sunday pair (double date), a lone coupling day with its second time, a Friday/
// Saturday/Sunday run and a date blocked away.
const char* const CouplePlan =
    R"(<terminor><plan name="L" from="01.09.2026" mid="01.01.2027" until="30.04.2027">
  <team teamname="A" teamid="1" clubid="10">
    <homegameday datetime="05.09.2026 18:00" doublegameday="true" coupleprio="1"/>
    <homegameday datetime="06.09.2026 10:00" doublegameday="true" coupleprio="1"/>
    <homegameday datetime="12.09.2026 18:00" couplegameday="true" coupleprio="2" couplesecondtime="22:00"/>
    <homegameday datetime="18.09.2026 20:00" couplegameday="true" coupleprio="1" couplesecondtime="16:00"/>
    <homegameday datetime="19.09.2026 18:00"/>
    <homegameday datetime="20.09.2026 10:00" couplegameday="true" coupleprio="0"/>
    <homegameday datetime="26.09.2026 18:00" coupleauswaertssecondtime="true" couplesecondtime="14:00"/>
    <homegameday datetime="03.10.2026 18:00" couplegameday="true" coupleprio="1"/>
    <nogameday date="03.10.2026"/>
    <roadcouple teamnamea="B" teamnameb="C" sameday="0"/>
  </team>
  <team teamname="B" teamid="2" clubid="20">
    <homegameday datetime="26.09.2026 17:00"/>
    <homegameday datetime="10.10.2026 19:00"/>
    <homegameday datetime="17.10.2026 19:00"/>
    <roadcouple teamnamea="A" teamnameb="C" sameday="0"/>
    <roadcouple teamnamea="C" teamnameb="A" sameday="1"/>
  </team>
  <team teamname="C" teamid="3" clubid="30">
    <homegameday datetime="26.09.2026 20:00"/>
    <homegameday datetime="10.10.2026 15:30"/>
    <homegameday datetime="17.10.2026 19:00"/>
    <homegameday datetime="24.10.2026 19:00" couplegameday="true" coupleprio="1"/>
    <roadcouple teamnamea="A" teamnameb="B" sameday="2"/>
    <sisterteam teamname="C" gender="Damen" teamnumber="1" location="2" noparallelgames="true">
      <sistergame datetime="11.09.2026 20:00" hometeamname="C" guestteamname="X"/>
      <sistergame datetime="19.09.2026 18:00" hometeamname="Y" guestteamname="C"/>
    </sisterteam>
  </team>
</plan></terminor>)";

void Load(TPlanData& data) {
    data.LoadFromXMLText(CouplePlan, "koppel.xml");
}

THomeDayList HomeDays(const TPlanData& data, const std::string& team) {
    THomeDayList days;
    data.GetHomeDays(team, days);
    return days;
}

TDateTime At(int y, int m, int d, int h = 0, int min = 0) {
    return EncodeDate(y, m, d) + EncodeTime(h, min);
}

std::string Name(int option) {
    std::string name = "<";
    name += std::to_string(option);
    name += '>';
    return name;
}

const THomeDay& DayAt(const THomeDayList& days, TDateTime date) {
    for (const THomeDay& day : days) {
        if (day.Date == date) {
            return day;
        }
    }
    throw TerminorError("kein Termin");
}

} // namespace

TEST(HomeCoupleRows, PairsOfConsecutiveDaysAndLoneCouplingDaysWithTheChoiceTheyShow) {
    TPlanData data;
    Load(data);
    const std::vector<TKoppelWunschElem> rows = BuildKoppelRows(HomeDays(data, "A"));
    std::vector<std::string> keys;
    std::vector<int> choices;
    for (const TKoppelWunschElem& row : rows) {
        keys.push_back(row.Key());
        choices.push_back(row.CurrentChoice());
    }
    // The blocked 03.10. hides its coupling day; 26.09. is no coupling day and stands alone.
    EXPECT_EQ(keys, (std::vector<std::string>{"Sa 05.09.2026 und So 06.09.2026", "Sa 12.09.2026",
                                              "Fr 18.09.2026 und Sa 19.09.2026",
                                              "Sa 19.09.2026 und So 20.09.2026"}));
    // Double date normal on both days; a lone coupling with high priority; first day coupling
    // normal; second day coupling possible.
    EXPECT_EQ(choices, (std::vector<int>{2, 3, 5, 7}));
    EXPECT_EQ(rows[0].ChoiceCount(), 13);
    EXPECT_EQ(rows[1].ChoiceCount(), 4);

    // Both days coupling with the same priority: the last matching choice is shown.
    TKoppelWunschElem both;
    THomeDay sat = *rows[0].First;
    THomeDay sun = *rows[0].Second;
    sat.DoubleDate = sun.DoubleDate = false;
    sat.KoppelDate = sun.KoppelDate = true;
    both.setDates(&sat, &sun);
    EXPECT_EQ(both.CurrentChoice(), 11);
    // Options no choice offers (coupling priorities differ) show no choice.
    sun.KoppelPrio = 2;
    both.setDates(&sat, &sun);
    EXPECT_EQ(both.CurrentChoice(), -1);

    EXPECT_EQ(rows[0].ChoiceText(0, Name), "<9>");
    EXPECT_EQ(rows[0].ChoiceText(3, Name), "<5>");
    EXPECT_EQ(rows[0].ChoiceText(4, Name), "Sa 05.09.2026: <0>");
    EXPECT_EQ(rows[0].ChoiceText(9, Name), "So 06.09.2026: <2>");
    EXPECT_EQ(rows[0].ChoiceText(11, Name), "Sa 05.09.2026 und So 06.09.2026: <1>");
    EXPECT_EQ(rows[1].ChoiceText(0, Name), "<9>");
    EXPECT_EQ(rows[1].ChoiceText(2, Name), "<1>");
    for (const int wrong : {13, -2}) {
        try {
            static_cast<void>(rows[0].Chosen(wrong));
            ADD_FAILURE() << wrong;
        } catch (const TerminorError& e) {
            EXPECT_STREQ(e.what(), "Unbekannter KoppeloptionIndex");
        }
    }
    EXPECT_THROW(static_cast<void>(rows[1].Chosen(4)), TerminorError);
    EXPECT_TRUE(BuildKoppelRows(HomeDays(data, "B")).empty());
}

TEST(HomeCoupleRows, ApplyingChoicesClearsAllAndSetsWhatTheRowsName) {
    TPlanData data;
    Load(data);
    THomeDayList days = HomeDays(data, "A");
    const std::vector<TKoppelWunschElem> rows = BuildKoppelRows(days);
    // Saturday/Sunday both coupling high; the lone day nothing; Fri/Sat unknown keeps as read;
    // Sat/Sun (19./20.) double date possible.
    ApplyKoppelDates(days, {rows[0].Chosen(12), rows[1].Chosen(0), rows[2].Chosen(-1), rows[3].Chosen(1)});
    data.SetHomeDays("A", days);
    const THomeDayList written = HomeDays(data, "A");
    const THomeDay& sat = DayAt(written, At(2026, 9, 5, 18));
    EXPECT_TRUE(sat.KoppelDate);
    EXPECT_FALSE(sat.DoubleDate);
    EXPECT_EQ(sat.KoppelPrio, 2);
    const THomeDay& lone = DayAt(written, At(2026, 9, 12, 18));
    EXPECT_FALSE(lone.KoppelDate);
    EXPECT_EQ(lone.KoppelPrio, 0);
    EXPECT_TRUE(DayAt(written, At(2026, 9, 18, 20)).KoppelDate);
    EXPECT_EQ(DayAt(written, At(2026, 9, 18, 20)).KoppelSecondTime, EncodeTime(16, 0));
    // 19.09. was first "nothing" (row 2 as read), then double date possible from row 3.
    EXPECT_TRUE(DayAt(written, At(2026, 9, 19, 18)).DoubleDate);
    EXPECT_FALSE(DayAt(written, At(2026, 9, 20, 10)).KoppelDate);
    EXPECT_TRUE(DayAt(written, At(2026, 9, 20, 10)).DoubleDate);
    // The alternative kick-off is not touched.
    EXPECT_TRUE(DayAt(written, At(2026, 9, 26, 18)).KoppelAuswaertsSecondTime);

    // Switching a coupling off and on again in memory keeps its second time.
    days = HomeDays(data, "A");
    THomeDayList kept = days;
    ApplyKoppelDates(kept, {});
    ApplyKoppelDates(kept, KoppelRowOptions(days));
    EXPECT_EQ(KoppelRowOptions(kept).size(), KoppelRowOptions(days).size());
    EXPECT_EQ(DayAt(kept, At(2026, 9, 18, 20)).KoppelSecondTime, EncodeTime(16, 0));
    EXPECT_TRUE(DayAt(kept, At(2026, 9, 18, 20)).KoppelDate);
}

TEST(AwayCouple, WishesTheirTextsAndDuplicates) {
    TPlanData data;
    Load(data);
    EXPECT_EQ(RoadCoupleText(GetRoadCouples(data, "C")[0]), "A, B (am gleichen Tag oder mit Übernachtung)");
    EXPECT_EQ(RoadCoupleText({"X", "Y", 1}), "X, Y (mit Übernachtung)");
    // The same two teams in either order are one wish.
    try {
        StoreRoadCouple(data, "A", -1, {"C", "B", 1});
        ADD_FAILURE();
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(), "Diesen Auswärtskoppelwunsch gibt es bereits.");
    }
    StoreRoadCouple(data, "A", 0, {"C", "B", 1}); // the wish itself may change
    StoreRoadCouple(data, "A", -1, {"B", "D", 2});
    ASSERT_EQ(GetRoadCouples(data, "A").size(), 2U);
    EXPECT_EQ(GetRoadCouples(data, "A")[0].TeamA, "C");
    EXPECT_EQ(GetRoadCouples(data, "A")[1].SameDay, 2);

    TPlanData defaults;
    Load(defaults);
    EXPECT_FALSE(RoadCouplesAreDefault(data, "A", defaults));
    EXPECT_TRUE(RoadCouplesAreDefault(data, "B", defaults));
    RemoveRoadCouple(data, "A", 1);
    CopyDefaultRoadCouples(data, "A", defaults);
    EXPECT_TRUE(RoadCouplesAreDefault(data, "A", defaults));
}

TEST(AwayCouple, RelevantDatesAlternativesAndAllesSetzen) {
    TPlanData data;
    Load(data);
    // B's same-day wish names A and C: A's 26.09. 18:00 is 2 hours from C's 20:00.
    const std::vector<TAlternativeKickOff> a = RelevantAlternativeKickOffs(data, "A");
    ASSERT_EQ(a.size(), 1U);
    EXPECT_EQ(a[0].Date, At(2026, 9, 26, 18));
    EXPECT_EQ(a[0].Alternative, EncodeTime(14, 0));
    // For C: A's wish (B, C) and B's (A, C) name C; B at 17:00 is close, A at 18:00 too, both the
    // same home date of C. 10.10.: 15:30 and B's 19:00 are 3:30 apart, not less. 17.10. is close to
    // B's 19:00; B's wish (C, A) with an overnight stay does not count.
    const std::vector<TAlternativeKickOff> c = RelevantAlternativeKickOffs(data, "C");
    ASSERT_EQ(c.size(), 2U);
    EXPECT_EQ(c[0].Date, At(2026, 9, 26, 20));
    EXPECT_EQ(c[1].Date, At(2026, 10, 17, 19));
    EXPECT_FALSE(c[0].Alternative.has_value());
    // For B: A's wish names C, C's wish ("either kind") names A.
    ASSERT_EQ(RelevantAlternativeKickOffs(data, "B").size(), 2U);

    EXPECT_EQ(ProposedAlternativeKickOff(At(2026, 9, 26, 20)), EncodeTime(16, 0));
    EXPECT_EQ(ProposedAlternativeKickOff(At(2026, 9, 26, 16, 30)), EncodeTime(20, 30));
    EXPECT_EQ(ProposedAlternativeKickOff(At(2026, 9, 26, 17)), EncodeTime(13, 0));
    EXPECT_EQ(ProposedAlternativeKickOff(At(2026, 9, 26, 16, 59)), EncodeTime(20, 59));

    EXPECT_EQ(ReadAlternativeKickOff("9:30"), EncodeTime(9, 30));
    EXPECT_EQ(ReadAlternativeKickOff(" 16:00 "), EncodeTime(16, 0));
    for (const char* none : {"", "00:00", "25:00", "16:", "abc", "16:000"}) {
        EXPECT_FALSE(ReadAlternativeKickOff(none).has_value()) << none;
    }

    SetAlternativeKickOffs(data, "C", {{At(2026, 9, 26, 20), EncodeTime(16, 0)}});
    SetAlternativeKickOffs(data, "A", {{At(2026, 9, 26, 18), std::nullopt}});
    const auto daysOfC = HomeDays(data, "C");
    const THomeDay& set = DayAt(daysOfC, At(2026, 9, 26, 20));
    EXPECT_TRUE(set.KoppelAuswaertsSecondTime);
    EXPECT_EQ(set.KoppelSecondTime, EncodeTime(16, 0));
    EXPECT_FALSE(DayAt(HomeDays(data, "A"), At(2026, 9, 26, 18)).KoppelAuswaertsSecondTime);
    // A coupling day keeps its second game.
    SetAlternativeKickOffs(data, "C", {{At(2026, 10, 24, 19), EncodeTime(15, 0)}});
    EXPECT_FALSE(DayAt(HomeDays(data, "C"), At(2026, 10, 24, 19)).KoppelAuswaertsSecondTime);
}

TEST(SisterTeams, LinesGamesRenamingAndDefaults) {
    TPlanData data;
    Load(data);
    TDataObject* team = FindTeamElement(data, "C");
    TDataObject* sister = team->NamedChilds("sisterteam")[0];
    EXPECT_EQ(SisterTeamKey(*sister), "(Damen) C");
    EXPECT_EQ(SisterTeamLine(*sister), "(Damen) C 2, Spiele, Spiellokal: 2, gleichzeitige Spiele vermeiden");

    std::unique_ptr<TDataObject> copy = CopySisterTeam(sister);
    try {
        StoreSisterGame(*copy, -1, {At(2026, 9, 19, 18), "C", "Z", ""});
        ADD_FAILURE();
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(), "Zu diesem Zeitpunkt gibt es bereits eine Begegnung.");
    }
    StoreSisterGame(*copy, 1, {At(2026, 9, 19, 18), "C", "Y", "7"});
    StoreSisterGame(*copy, -1, {At(2026, 10, 3, 18), "Z", "C", "3"});
    RenameSisterGames(*copy, "C", "C neu");
    copy->SetAsString("teamname", "C neu");
    const std::vector<TSisterGameEntry> games = GetSisterGames(*copy);
    ASSERT_EQ(games.size(), 3U);
    EXPECT_EQ(games[0].Home, "C neu");
    EXPECT_EQ(games[0].Guest, "X");
    EXPECT_EQ(games[1].Home, "C neu");
    EXPECT_EQ(games[1].Location, ""); // no valid hall
    EXPECT_EQ(games[2].Guest, "C neu");
    EXPECT_EQ(games[2].Location, "3");
    RemoveSisterGame(*copy, 0);
    EXPECT_EQ(GetSisterGames(*copy).size(), 2U);

    // Still unchanged in the plan data until the copy is stored.
    EXPECT_EQ(GetSisterGames(*sister).size(), 2U);
    StoreSisterTeam(data, "C", 0, *copy);
    EXPECT_EQ(FindTeamElement(data, "C")->NamedChilds("sisterteam")[0]->GetAsString("teamname"), "C neu");
    // A second sister team with the same name and age class is refused.
    EXPECT_THROW(StoreSisterTeam(data, "C", -1, *copy), TerminorError);
    copy->SetAsString("gender", "Herren");
    StoreSisterTeam(data, "C", -1, *copy);
    EXPECT_EQ(FindTeamElement(data, "C")->NamedChilds("sisterteam").size(), 2U);

    TPlanData defaults;
    Load(defaults);
    EXPECT_FALSE(SisterTeamsAreDefault(data, "C", defaults));
    EXPECT_TRUE(SisterTeamsAreDefault(data, "A", defaults));
    CopyDefaultSisterTeams(data, "C", defaults);
    EXPECT_TRUE(SisterTeamsAreDefault(data, "C", defaults));
    EXPECT_EQ(FindTeamElement(data, "C")->NamedChilds("sisterteam")[0]->GetAsString("teamname"), "C");
}
