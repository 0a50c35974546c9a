// What the data pages do to the plan data without widgets: game-free days, the 60 km partners,
// the home right and the fixed games, which the plan view's lock edits as well.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Error.h"
#include "data/FreeDays.h"
#include "data/HomeRights.h"
#include "data/NoWeekGames.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/PredefinedGames.h"

using namespace terminor;

namespace {

const char* const SmallPlan =
    R"(<terminor><plan name="L" from="01.09.2026" mid="01.01.2027" until="30.04.2027">
  <team teamname="A" teamid="1" clubid="10">
    <homegameday datetime="05.09.2026 18:00"/>
    <homegameday datetime="12.09.2026 18:00"/>
    <nogameday date="19.09.2026"/>
    <noweekgames teamname="C"/>
    <noweekgames teamname="Gone"/>
    <noweekgames teamname="B"/>
    <noweekgames teamname="C"/>
    <noweekgames teamname="A"/>
    <homerights teamname="B" homeright="2"/>
    <homerights teamname="C" homeright="0"/>
    <homerights teamname="B" homeright="1"/>
  </team>
  <team teamname="B" teamid="2" clubid="20" homerights="1" orgteamname="B alt">
    <homegameday datetime="06.09.2026 10:00"/>
    <homegameday datetime="12.09.2026 20:00"/>
  </team>
  <team teamname="C" teamid="3" clubid="30"/>
  <nogameday date="12.09.2026"/>
  <nogameday date="03.10.2026"/>
  <nogameday date="05.09.2026"/>
  <nogameday date="05.09.2026"/>
</plan></terminor>)";

void LoadSmall(TPlanData& data) {
    data.LoadFromXMLText(SmallPlan, "klein.xml");
}

TDateTime Day(int y, int m, int d) {
    return EncodeDate(y, m, d);
}

std::vector<std::string> Names(const TDataObject& team, const char* child) {
    std::vector<std::string> names;
    for (const TDataObject* node : team.NamedChilds(child)) {
        names.push_back(node->GetAsString("teamname"));
    }
    return names;
}

} // namespace

TEST(EntryRules, TeamLookupAndPairingWithTheImport) {
    TPlanData data;
    LoadSmall(data);
    TPlanData defaults;
    defaults.LoadFromXMLText(
        R"(<terminor><plan><team teamname="B alt"/><team teamname="C"/></plan></terminor>)", "import.xml");
    ASSERT_NE(FindTeamElement(data, "C"), nullptr);
    EXPECT_EQ(FindTeamElement(data, "X"), nullptr);
    // A renamed team belongs to the import's team of its first name; others to their own name.
    EXPECT_EQ(FindDefaultTeam(data, defaults, "B")->GetAsString("teamname"), "B alt");
    EXPECT_EQ(FindDefaultTeam(data, defaults, "C")->GetAsString("teamname"), "C");
    EXPECT_EQ(FindDefaultTeam(data, defaults, "A"), nullptr);
    EXPECT_EQ(OtherTeamNames(data, "B"), (std::vector<std::string>{"A", "C"}));
}

TEST(EntryRules, FreeDaysAreReplacedAndDaysNoTeamOffersDisappear) {
    TPlanData data;
    LoadSmall(data);
    EXPECT_EQ(GetFreeDays(data),
              (std::vector<TDateTime>{Day(2026, 9, 5), Day(2026, 9, 12), Day(2026, 10, 3)}));

    // The page offers the days with home dates and writes back what it shows checked: 3 October is
    // nobody's home date and is dropped, the team's own blocked date stays.
    std::vector<TDateTime> offered;
    data.getAllPossibleDates(offered);
    const std::vector<TDateTime> shown = FreeDaysAmong(GetFreeDays(data), offered);
    EXPECT_EQ(shown, (std::vector<TDateTime>{Day(2026, 9, 5), Day(2026, 9, 12)}));
    SetFreeDays(data, shown);
    EXPECT_EQ(GetFreeDays(data), shown);
    EXPECT_EQ(data.root().NamedChilds("nogameday").size(), 2U);
    EXPECT_EQ(FindTeamElement(data, "A")->NamedChilds("nogameday").size(), 1U);

    // Times are cut off and every day is written once.
    SetFreeDays(data, {Day(2026, 9, 6) + 0.75, Day(2026, 9, 6), Day(2026, 9, 5)});
    EXPECT_EQ(GetFreeDays(data), (std::vector<TDateTime>{Day(2026, 9, 5), Day(2026, 9, 6)}));
    EXPECT_EQ(data.root().NamedChilds("nogameday")[0]->GetAsString("date"), "05.09.2026");
}

TEST(EntryRules, NoWeekGamePartnersDropTeamsThatNoLongerExist) {
    TPlanData data;
    LoadSmall(data);
    EXPECT_EQ(GetNoWeekGamePartners(data, "A"), (std::vector<std::string>{"B", "C"}));
    EXPECT_TRUE(GetNoWeekGamePartners(data, "Gone").empty());

    SetNoWeekGamePartners(data, "A", {"C", "C"});
    EXPECT_EQ(Names(*FindTeamElement(data, "A"), "noweekgames"), (std::vector<std::string>{"C"}));
    SetNoWeekGamePartners(data, "B", {"A", "C"});
    EXPECT_EQ(GetNoWeekGamePartners(data, "B"), (std::vector<std::string>{"A", "C"}));
    // The home dates of the team stay.
    EXPECT_EQ(FindTeamElement(data, "B")->NamedChilds("homegameday").size(), 2U);
}

TEST(EntryRules, HomeRightsReadTheFirstValidEntryAndWriteOnlyRounds) {
    TPlanData data;
    LoadSmall(data);
    const TTeamHomeRights a = GetTeamHomeRights(data, "A");
    EXPECT_EQ(a.HomeGamesRoundOne, -1); // no attribute: automatic
    EXPECT_EQ(a.RightAgainst("B"), HomeRightRound2);
    EXPECT_EQ(a.RightAgainst("C"), HomeRightNone);
    EXPECT_EQ(GetTeamHomeRights(data, "B").HomeGamesRoundOne, 1);

    TTeamHomeRights edited;
    edited.HomeGamesRoundOne = 2;
    edited.Rights = {{"B", HomeRightRound1}, {"C", HomeRightNone}, {"B", HomeRightRound2}};
    SetTeamHomeRights(data, "A", edited);
    const TDataObject& team = *FindTeamElement(data, "A");
    EXPECT_EQ(team.GetAsString("homerights"), "2");
    EXPECT_EQ(Names(team, "homerights"), (std::vector<std::string>{"B"}));
    EXPECT_EQ(team.NamedChilds("homerights")[0]->GetAsInt("homeright"), 1);
    EXPECT_EQ(team.NamedChilds("noweekgames").size(), 5U);

    SetTeamHomeRights(data, "A", TTeamHomeRights{});
    EXPECT_EQ(FindTeamElement(data, "A")->GetAsString("homerights"), "-1");
    EXPECT_TRUE(FindTeamElement(data, "A")->NamedChilds("homerights").empty());
}

TEST(EntryRules, FixedGamesOfThePageAndLockedGamesAreTheSameElements) {
    TPlanData data;
    LoadSmall(data);
    const TDateTime kickOff = Day(2026, 9, 5) + EncodeTime(18, 0);
    // Locked in the plan view: the page lists it.
    ASSERT_TRUE(LockGame(data, "A", "B", kickOff, "2"));
    ASSERT_EQ(GetPredefinedGames(data).size(), 1U);
    EXPECT_EQ(GetPredefinedGames(data)[0].Home, "A");
    EXPECT_EQ(GetPredefinedGames(data)[0].Location, "2");
    EXPECT_EQ(FindPredefinedGame(data, "A", "B", kickOff + 0.1 / 86400.0), 0); // compared to the minute

    // Entered on the page: the plan view sees it locked and unlocks it.
    const TPredefinedGame entered{Day(2026, 9, 12) + EncodeTime(20, 0), "B", "C", ""};
    StorePredefinedGame(data, -1, entered);
    EXPECT_TRUE(IsGameLocked(data, "B", "C", entered.DateTime));
    const TDataObject* games = data.root().FindChild("predefinedgames");
    EXPECT_FALSE(games->childs()[1]->HasAttribute("location")); // as the lock writes a game without hall

    // The same game twice is refused and nothing changes: the file keys games by date and teams.
    try {
        StorePredefinedGame(data, -1, TPredefinedGame{kickOff, "A", "B", "3"});
        FAIL() << "doppelte Begegnung angenommen";
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(), "Diese Begegnung ist bereits festgelegt.");
    }
    EXPECT_THROW(StorePredefinedGame(data, 1, TPredefinedGame{kickOff, "A", "B", ""}), TerminorError);
    EXPECT_EQ(GetPredefinedGames(data).size(), 2U);
    EXPECT_EQ(GetPredefinedGames(data)[1].Home, "B");

    // Editing in place, including the hall back to the home team's.
    StorePredefinedGame(data, 0, TPredefinedGame{kickOff + 1.0, "A", "C", ""});
    EXPECT_FALSE(IsGameLocked(data, "A", "B", kickOff));
    EXPECT_TRUE(IsGameLocked(data, "A", "C", kickOff + 1.0));
    EXPECT_EQ(GetPredefinedGames(data)[0].Location, "");

    // Unlocking and removing the last game leave no empty element behind.
    EXPECT_TRUE(UnlockGame(data, "B", "C", entered.DateTime));
    RemovePredefinedGame(data, 0);
    EXPECT_EQ(data.root().FindChild("predefinedgames"), nullptr);
    EXPECT_TRUE(PredefinedGamesAreTheSame(data, nullptr));
}

TEST(EntryRules, FixedGamesCompareWithAndRestoreTheDefault) {
    TPlanData data;
    LoadSmall(data);
    TPlanData defaults;
    LoadSmall(defaults);
    LockGame(defaults, "A", "B", Day(2026, 9, 5) + 0.75, "");
    EXPECT_FALSE(PredefinedGamesAreTheSame(data, &defaults));

    data.root().addChild("predefinedgames"); // an empty element counts as none
    EXPECT_TRUE(PredefinedGamesAreTheSame(data, nullptr));

    CopyPredefinedGames(data, &defaults);
    EXPECT_TRUE(PredefinedGamesAreTheSame(data, &defaults));
    EXPECT_TRUE(IsGameLocked(data, "A", "B", Day(2026, 9, 5) + 0.75));

    CopyPredefinedGames(data, nullptr);
    EXPECT_EQ(data.root().FindChild("predefinedgames"), nullptr);
}
