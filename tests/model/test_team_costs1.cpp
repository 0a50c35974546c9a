// Team cost terms for halls, parallel and synchronous sister games, blocked and fallback days, the
// 60 km rule and game spacing, and the common frame (weights, cost cache, flag shortcuts).

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/Error.h"
#include "model/Mannschaft.h"
#include "model/ModelTestUtil.h"
#include "model/Plan.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::LoadPlanFromText;

namespace {

std::string PlanText(const std::string& teams) {
    return "<plan name=\"T\" id=\"1\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
           "until=\"30.04.2027\">" +
           teams + "</plan>";
}

std::string Team(const std::string& name, const std::string& club, int number, const std::string& body = "") {
    return "<team teamname=\"" + name + "\" teamid=\"id" + name + "\" clubid=\"" + club + "\" teamnumber=\"" +
           std::to_string(number) + "\" homerights=\"-1\">" + body + "</team>";
}

std::string Home(const std::string& dateTime, const std::string& attrs = "") {
    return "<homegameday datetime=\"" + dateTime + "\" " + attrs + "/>";
}

std::string NoGame(const std::string& date) {
    return "<nogameday date=\"" + date + "\"/>";
}

std::string NoWeek(const std::string& team) {
    return "<noweekgames teamname=\"" + team + "\"/>";
}

std::string SisterTeam(const std::string& name, const std::string& gender, int number,
                       const std::string& games, const std::string& extra = "") {
    return "<sisterteam teamname=\"" + name + "\" gender=\"" + gender + "\" teamnumber=\"" +
           std::to_string(number) + "\" " + extra + ">" + games + "</sisterteam>";
}

std::string SisterGame(const std::string& dateTime, const std::string& home, const std::string& guest) {
    return "<sistergame datetime=\"" + dateTime + "\" hometeamname=\"" + home + "\" guestteamname=\"" +
           guest + "\"/>";
}

/// Teams "B", "C", ... without wishes, to give a team enough opponents.
std::string PlainTeams(char first, char last) {
    std::string text;
    for (char c = first; c <= last; ++c) {
        text += Team(std::string(1, c), std::string("club") + c, 1);
    }
    return text;
}

std::unique_ptr<TPlan> Load(const std::string& teams, const TCalculateOptions* options = nullptr) {
    return terminor::test::LoadPlanFromText(PlanText(teams), options);
}

TMannschaft& T(const TPlan& plan, const std::string& name) {
    return terminor::test::TeamOf(plan, name);
}

/// Dates the game home - guest at `date`, on the home team's wish date when it offers one.
TGame* SetGame(TPlan& plan, const std::string& home, const std::string& guest, TDateTime date) {
    TMannschaft& h = T(plan, home);
    const std::vector<TGame*>* games = plan.GamesOfPairing(h, T(plan, guest));
    if (games == nullptr || games->empty()) {
        ADD_FAILURE() << home << " - " << guest;
        return nullptr;
    }
    TGame* game = games->front();
    TWunschTermin* w = nullptr;
    for (const auto& wish : h.WunschTermine) {
        if (ToMilliseconds(wish->Date) == ToMilliseconds(date)) {
            w = wish.get();
        }
    }
    game->setDate(date, w != nullptr ? w->Options : TWunschterminOptions{},
                  w != nullptr ? w->ParallelGames : 0, false, false, w);
    for (const auto& team : plan.Mannschaften) {
        team->gamesRef.SortByDate();
    }
    return game;
}

struct TermResult {
    TKostenValue value;
    std::vector<std::string> messages;
};

TermResult Compute(const TPlan& plan, const std::string& team, TMannschaftsKostenType type,
                   TMessageType withMessages = tmNormalMessage) {
    TMannschaftsKosten kosten;
    T(plan, team).CalculateKostenForType(plan, type, kosten, withMessages);
    TermResult result{kosten[type], {}};
    if (kosten.HasMessages()) {
        result.messages = kosten.Messages();
    }
    return result;
}

double Cached(const TPlan& plan, const std::string& team, TMannschaftsKostenType type) {
    return T(plan, team).KostenCache.Values[static_cast<std::size_t>(type)].GesamtKosten;
}

void ExpectCost(double actual, double expected) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * 1e-12) << "expected " << expected;
}

using Lines = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------
// 60 km rule

/// A refuses weekday away games at B and C: at B on Friday 04.09, at C on Wednesday 16.09, at D
/// (not far) on Wednesday 23.09, and a home game against B on Saturday 05.09.
std::unique_ptr<TPlan> Plan60km(bool fridayAllowed) {
    TCalculateOptions options;
    options.FreitagIsAllowedBy60km = fridayAllowed;
    auto plan =
        Load(Team("A", "c1", 1, Home("05.09.2026 18:00") + NoWeek("B") + NoWeek("C")) +
                 Team("B", "c2", 1, Home("04.09.2026 19:30")) + Team("C", "c3", 1, Home("16.09.2026 19:30")) +
                 Team("D", "c4", 1, Home("23.09.2026 19:30")),
             &options);
    SetGame(*plan, "B", "A", D(2026, 9, 4, 19, 30));
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "C", "A", D(2026, 9, 16, 19, 30));
    SetGame(*plan, "D", "A", D(2026, 9, 23, 19, 30));
    return plan;
}

TEST(TeamCosts1, SixtyKmRuleCountsWeekdayAwayGamesAtFarOpponents) {
    {
        auto plan = Plan60km(true);
        const TermResult r = Compute(*plan, "A", mkt60Kilometer);
        // Only Wednesday at C: (10 x 1)^2 x W 100.
        EXPECT_EQ(r.value.Anzahl, 1);
        EXPECT_EQ(r.value.AllCount, 2);
        ExpectCost(r.value.GesamtKosten, 10000.0);
        EXPECT_EQ(r.messages, Lines{"60km Regel nicht beachtet: Mi 16.09.2026 beim C"});
        // The opponents themselves have no far opponents.
        EXPECT_EQ(Compute(*plan, "B", mkt60Kilometer).value.AllCount, 0);
        EXPECT_EQ(Compute(*plan, "B", mkt60Kilometer).value.GesamtKosten, 0.0);
    }
    {
        auto plan = Plan60km(false);
        const TermResult r = Compute(*plan, "A", mkt60Kilometer);
        // Friday at B counts too: (10 x 2)^2 x 100.
        EXPECT_EQ(r.value.Anzahl, 2);
        ExpectCost(r.value.GesamtKosten, 40000.0);
        EXPECT_EQ(r.messages, (Lines{"60km Regel nicht beachtet: Fr 04.09.2026 beim B",
                                     "60km Regel nicht beachtet: Mi 16.09.2026 beim C"}));
        std::vector<const TGame*> games;
        T(*plan, "A").get60KmViolations(*plan, games);
        ASSERT_EQ(games.size(), 2U);
        EXPECT_EQ(games[0]->MannschaftHeim->teamName, "B");
        EXPECT_EQ(games[1]->MannschaftHeim->teamName, "C");
    }
}

// ---------------------------------------------------------------------------------------------
// Close games and two games a week

/// A: home Sat 05.09; at B Wed 09.09 (4 days later); at C Sat 12.09 14:00 (3 days later); at D the
/// same day 19:00; home Sat 26.09 and Sun 27.09 on double dates (a coupled pair) or with the second
/// date plain.
std::unique_ptr<TPlan> SpacingPlan(bool coupledWeekend, const TCalculateOptions* options = nullptr) {
    const std::string sunday =
        coupledWeekend ? Home("27.09.2026 15:00", "doublegameday=\"true\"") : Home("27.09.2026 15:00");
    auto plan =
        Load(Team("A", "c1", 1,
                  Home("05.09.2026 18:00") + Home("26.09.2026 18:00", "doublegameday=\"true\"") + sunday) +
                 Team("B", "c2", 1, Home("09.09.2026 19:30")) + Team("C", "c3", 1, Home("12.09.2026 14:00")) +
                 Team("D", "c4", 1, Home("12.09.2026 19:00")) + Team("E", "c5", 1),
             options);
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 9, 19, 30));
    SetGame(*plan, "C", "A", D(2026, 9, 12, 14, 0));
    SetGame(*plan, "D", "A", D(2026, 9, 12, 19, 0));
    SetGame(*plan, "A", "E", D(2026, 9, 26, 18, 0));
    SetGame(*plan, "A", "C", D(2026, 9, 27, 15, 0));
    return plan;
}

TEST(TeamCosts1, CloseGamesAndTwoGamesAWeek) {
    auto plan = SpacingPlan(true);
    ASSERT_EQ(
        T(*plan, "A")
            .getKoppeledGame(
                T(*plan, "A").gamesRef.IndexOf(plan->GamesOfPairing(T(*plan, "A"), T(*plan, "E"))->front())),
        plan->GamesOfPairing(T(*plan, "A"), T(*plan, "C"))->front());

    const TermResult enge = Compute(*plan, "A", mktEngeTermine);
    // 05.09 -> 09.09: gap 4, not counted. 09.09 -> 12.09: gap 3, (4/4)^4.3 = 1. 12.09 -> 12.09: gap 0,
    // 4^4.3. 26.09 -> 27.09: coupled pair. S = 1 + 4^4.3 (about 389.02), cost S^2 x 100.
    const double s = 1.0 + std::pow(4.0, 4.3);
    EXPECT_EQ(enge.value.Anzahl, 2);
    EXPECT_EQ(enge.value.AllCount, -1);
    ExpectCost(enge.value.GesamtKosten, s * s * 100.0);
    EXPECT_NEAR(enge.value.GesamtKosten, 1.51339e7, 1e3);
    EXPECT_EQ(enge.messages, (Lines{"Weniger als drei Tage Abstand: Mi 09.09.2026 - Sa 12.09.2026",
                                    "Weniger als drei Tage Abstand: Sa 12.09.2026 - Sa 12.09.2026"}));

    const TermResult week = Compute(*plan, "A", mkt2SpieleProWoche);
    // 09.09 and 12.09 (twice) share the week Mon 07.09 - Sun 13.09; the coupled weekend is free:
    // 2^2 x 400 x 100.
    EXPECT_EQ(week.value.Anzahl, 2);
    ExpectCost(week.value.GesamtKosten, 160000.0);
    EXPECT_EQ(week.messages, (Lines{"Zwei Spiele die Woche: Mi 09.09.2026 - Sa 12.09.2026",
                                    "Zwei Spiele die Woche: Sa 12.09.2026 - Sa 12.09.2026"}));
}

TEST(TeamCosts1, UncoupledWeekendCountsAsCloseGames) {
    auto plan = SpacingPlan(false);
    // The Saturday/Sunday pair is no pair now: gap 1 adds (4/2)^4.3.
    const double s = 1.0 + std::pow(4.0, 4.3) + std::pow(2.0, 4.3);
    const TermResult enge = Compute(*plan, "A", mktEngeTermine);
    EXPECT_EQ(enge.value.Anzahl, 3);
    ExpectCost(enge.value.GesamtKosten, s * s * 100.0);
    EXPECT_EQ(enge.messages.back(), "Weniger als drei Tage Abstand: Sa 26.09.2026 - So 27.09.2026");
    const TermResult week = Compute(*plan, "A", mkt2SpieleProWoche);
    EXPECT_EQ(week.value.Anzahl, 3);
    ExpectCost(week.value.GesamtKosten, 9.0 * 400.0 * 100.0);
}

// ---------------------------------------------------------------------------------------------
// Blocked days

/// A has four blocked days (12.09, 19.09, 03.10, 16.01.2027) and plays at home on 12.09, at B on
/// 19.09, at home on 26.09 and, when `withSecondHalf`, at home on 16.01.2027. The plan offers wishes
/// on 10 different days.
std::unique_ptr<TPlan> BlockedPlan(bool withSecondHalf, const TCalculateOptions* options = nullptr) {
    auto plan = Load(Team("A", "c1", 1,
                          Home("12.09.2026 18:00") + Home("26.09.2026 18:00") + Home("16.01.2027 18:00") +
                              NoGame("12.09.2026") + NoGame("19.09.2026") + NoGame("03.10.2026") +
                              NoGame("16.01.2027")) +
                         Team("B", "c2", 1, Home("19.09.2026 18:00") + Home("10.10.2026 18:00")) +
                         Team("C", "c3", 1,
                              Home("17.10.2026 18:00") + Home("24.10.2026 18:00") + Home("31.10.2026 18:00") +
                                  Home("07.11.2026 18:00") + Home("14.11.2026 18:00")),
                     options);
    SetGame(*plan, "A", "B", D(2026, 9, 12, 18, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 19, 18, 0));
    SetGame(*plan, "A", "C", D(2026, 9, 26, 18, 0));
    if (withSecondHalf) {
        SetGame(*plan, "C", "A", D(2027, 1, 16, 18, 0));
    }
    return plan;
}

TEST(TeamCosts1, BlockedDays) {
    {
        auto plan = BlockedPlan(false);
        ASSERT_EQ(plan->GetNumWunschDays(), 10);
        const TermResult r = Compute(*plan, "A", mktSperrTermine);
        // n = 2 of 4 blocked days: x = 2/4 x 20 = 10; x = 10/50 x 10 = 2; 2^3 x 200 x W 100.
        EXPECT_EQ(r.value.Anzahl, 2);
        EXPECT_EQ(r.value.AllCount, 4);
        ExpectCost(r.value.GesamtKosten, 160000.0);
        EXPECT_EQ(r.messages, (Lines{"Sperrtermin wurde verletzt: Sa 12.09.2026",
                                     "Sperrtermin wurde verletzt: Sa 19.09.2026"}));
        std::vector<TDateTime> dates;
        T(*plan, "A").getSperrTerminViolations(*plan, dates);
        EXPECT_EQ(dates, (std::vector<TDateTime>{D(2026, 9, 12, 18, 0), D(2026, 9, 19, 18, 0)}));

        // A team without blocked days: cost 0 and AllCount 0, whatever it plays.
        const TermResult b = Compute(*plan, "B", mktSperrTermine);
        EXPECT_EQ(b.value.AllCount, 0);
        EXPECT_EQ(b.value.Anzahl, 0);
        EXPECT_EQ(b.value.GesamtKosten, 0.0);
        dates.clear();
        T(*plan, "B").getSperrTerminViolations(*plan, dates);
        EXPECT_TRUE(dates.empty());
    }
    {
        auto plan = BlockedPlan(true);
        // The away game on the blocked 16.01.2027 adds one: x = 3/4 x 20 = 15; 15/5 = 3; 27 x 200 x 100.
        const TermResult r = Compute(*plan, "A", mktSperrTermine);
        EXPECT_EQ(r.value.Anzahl, 3);
        ExpectCost(r.value.GesamtKosten, 540000.0);
    }
    {
        TCalculateOptions firstOnly;
        firstOnly.RoundPlaning = rpFirstOnly;
        auto plan = BlockedPlan(true, &firstOnly);
        ASSERT_FALSE(plan->IsInRoundToGenerate(D(2027, 1, 16, 18, 0)));
        ASSERT_EQ(plan->GetNumWunschDays(), 10);
        // Only the first half is generated: the game of 16.01.2027 is left out again.
        const TermResult r = Compute(*plan, "A", mktSperrTermine);
        EXPECT_EQ(r.value.Anzahl, 2);
        EXPECT_EQ(r.value.AllCount, 4);
        ExpectCost(r.value.GesamtKosten, 160000.0);
        std::vector<TDateTime> dates;
        T(*plan, "A").getSperrTerminViolations(*plan, dates);
        EXPECT_EQ(dates.size(), 2U);
    }
}

// ---------------------------------------------------------------------------------------------
// Fallback days

TEST(TeamCosts1, FallbackDaysCountHomeGamesOnly) {
    auto plan =
        Load(Team("A", "c1", 1,
                  Home("10.10.2026 18:00", "ausweichtermin=\"true\"") +
                      Home("17.10.2026 18:00", "ausweichtermin=\"true\"") + Home("24.10.2026 18:00")) +
             Team("B", "c2", 1, Home("17.10.2026 18:00")) + Team("C", "c3", 1));
    SetGame(*plan, "A", "B", D(2026, 10, 10, 18, 0)); // home on a fallback day
    SetGame(*plan, "B", "A", D(2026, 10, 17, 18, 0)); // away on A's fallback day: not counted
    SetGame(*plan, "A", "C", D(2026, 10, 24, 18, 0));
    const TermResult r = Compute(*plan, "A", mktAusweichTermine);
    // 1^2 x 10 x 100.
    EXPECT_EQ(r.value.Anzahl, 1);
    EXPECT_EQ(r.value.AllCount, 2);
    ExpectCost(r.value.GesamtKosten, 1000.0);
    EXPECT_EQ(r.messages, Lines{"Ausweichtermin wurde verwendet: Sa 10.10.2026"});
    EXPECT_EQ(Compute(*plan, "B", mktAusweichTermine).value.AllCount, 0);
}

// ---------------------------------------------------------------------------------------------
// Hall occupancy, parallel and synchronous games of sister teams

TEST(TeamCosts1, HallOccupiedBySisterTeams) {
    // Sister home games in A's hall (default location): 16:31 is 1 h 29 min before 18:00 (counts),
    // 16:30 is 1 h 30 min (does not), an away game never counts, nor a game at another hall.
    const std::string damen = SisterTeam(
        "A Damen", "Damen", 1,
        SisterGame("05.09.2026 16:31", "A Damen", "X1") + SisterGame("12.09.2026 18:00", "A Damen", "X2") +
            SisterGame("19.09.2026 16:30", "A Damen", "X3") +
            SisterGame("26.09.2026 18:00", "A Damen", "X4") + SisterGame("03.10.2026 18:00", "Y", "A Damen") +
            SisterGame("10.10.2026 18:00", "A Damen", "X6") +
            SisterGame("17.10.2026 18:00", "A Damen", "X8"));
    const std::string jugend = SisterTeam("A Jugend", "Jugend", 1,
                                          SisterGame("26.09.2026 19:29", "A Jugend", "X5") +
                                              SisterGame("10.10.2026 18:00", "A Jugend", "X7"));
    const std::string pg1 = "parallelgames=\"1\"";
    auto plan =
        Load(Team("A", "c1", 1,
                  Home("05.09.2026 18:00", pg1) + Home("12.09.2026 18:00", "parallelgames=\"0\"") +
                      Home("19.09.2026 18:00", pg1) + Home("26.09.2026 18:00", pg1) +
                      Home("03.10.2026 18:00", pg1) + Home("10.10.2026 18:00", "parallelgames=\"2\"") +
                      Home("17.10.2026 18:00", pg1 + " location=\"3\"") + damen + jugend) +
             PlainTeams('B', 'H'));
    const char* guests = "BCDEFGH";
    const TDateTime dates[] = {D(2026, 9, 5, 18, 0),  D(2026, 9, 12, 18, 0), D(2026, 9, 19, 18, 0),
                               D(2026, 9, 26, 18, 0), D(2026, 10, 3, 18, 0), D(2026, 10, 10, 18, 0),
                               D(2026, 10, 17, 18, 0)};
    for (int i = 0; i < 7; ++i) {
        SetGame(*plan, "A", std::string(1, guests[i]), dates[i]);
    }
    const TermResult r = Compute(*plan, "A", mktHalleBelegt);
    // 05.09: 1 occupant, 1 place: +1. 12.09: no parallel home games offered: never counted.
    // 26.09: 2 occupants, 1 place: +2. 10.10: 2 occupants, 2 places: +1. n = 4: (40)^2 x 500 x 100.
    EXPECT_EQ(r.value.Anzahl, 4);
    EXPECT_EQ(r.value.AllCount, -1);
    ExpectCost(r.value.GesamtKosten, 80000000.0);
    EXPECT_EQ(r.messages, (Lines{"Halle belegt von A Damen (Damen): Sa 05.09.2026",
                                 "Halle belegt von A Damen (Damen), A Jugend (Jugend): Sa 26.09.2026",
                                 "Halle belegt von A Damen (Damen), A Jugend (Jugend): Sa 10.10.2026"}));
    // No sister games and no sister teams: nothing to judge.
    EXPECT_EQ(Compute(*plan, "B", mktHalleBelegt).value.GesamtKosten, 0.0);
}

TEST(TeamCosts1, ParallelGamesOfNeighbourTeams) {
    // A is "Herren II" (number 2). 05.09: number 3 three hours off and number 1 3 h 59 min off.
    // 12.09: number 3 four hours off (skipped), so number 4 is not reached. 19.09: number 3, then
    // number 4 through it, and a Damen team that forbids parallel games.
    const std::string sisters =
        SisterTeam("V I", "Herren", 1, SisterGame("05.09.2026 21:59", "V I", "X1")) +
        SisterTeam("V III", "Herren", 3,
                   SisterGame("05.09.2026 15:00", "V III", "X2") +
                       SisterGame("12.09.2026 14:00", "V III", "X3") +
                       SisterGame("19.09.2026 17:00", "X4", "V III")) +
        SisterTeam("V IV", "Herren", 4,
                   SisterGame("12.09.2026 18:00", "V IV", "X5") +
                       SisterGame("19.09.2026 19:00", "V IV", "X6")) +
        SisterTeam("V Damen", "Damen", 1, SisterGame("19.09.2026 18:00", "V Damen", "X7"),
                   "noparallelgames=\"true\"");
    auto plan =
        Load(Team("A", "c1", 2, Home("05.09.2026 18:00") + sisters) +
             Team("B", "c2", 1, Home("12.09.2026 18:00")) + Team("C", "c3", 1, Home("19.09.2026 18:00")));
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 12, 18, 0));
    SetGame(*plan, "C", "A", D(2026, 9, 19, 18, 0));
    const TermResult r = Compute(*plan, "A", mktSisterGames);
    // k = 2, 0, 3: n = 5, S = 8 + 27 = 35, cost 35^1.5 x 20 x 100 (about 414125.6).
    EXPECT_EQ(r.value.Anzahl, 5);
    ExpectCost(r.value.GesamtKosten, 35.0 * std::sqrt(35.0) * 2000.0);
    EXPECT_NEAR(r.value.GesamtKosten, 414125.6, 0.1);
    EXPECT_EQ(r.messages, (Lines{"Parallele Spiele: Sa 05.09.2026 V I - X1, V III - X2",
                                 "Parallele Spiele: Sa 19.09.2026 X4 - V III, V IV - X6, V Damen - X7"}));
}

TEST(TeamCosts1, SynchronousHomeGamesOfBoundSisterTeams) {
    const std::string flag = "parallelhomegames=\"true\"";
    const std::string sisters = SisterTeam("A Damen", "Damen", 1,
                                           SisterGame("05.09.2026 15:00", "A Damen", "X1") +
                                               SisterGame("12.09.2026 20:00", "A Damen", "X2"),
                                           flag) +
                                SisterTeam("A Jugend", "Jugend", 1,
                                           SisterGame("12.09.2026 10:00", "A Jugend", "X3") +
                                               SisterGame("19.09.2026 10:00", "X4", "A Jugend"),
                                           flag);
    auto plan =
        Load(Team("A", "c1", 1,
                  Home("05.09.2026 18:00") + Home("12.09.2026 18:00") + Home("19.09.2026 18:00") + sisters) +
             Team("B", "c2", 1, Home("26.09.2026 18:00")) + PlainTeams('C', 'D'));
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "A", "C", D(2026, 9, 12, 18, 0));
    SetGame(*plan, "A", "D", D(2026, 9, 19, 18, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 26, 18, 0)); // away games are not judged
    const TermResult r = Compute(*plan, "A", mktForceSameHomeGames);
    // 05.09: Jugend missing (1); 12.09: both at home; 19.09: Jugend plays away, Damen not at all (2).
    // n = 3: 3^3 x 10 x 100.
    EXPECT_EQ(r.value.Anzahl, 3);
    ExpectCost(r.value.GesamtKosten, 27000.0);
    EXPECT_EQ(r.messages,
              (Lines{"Kein gleichzeitiges Heimspiel: Sa 05.09.2026 Jugend A Jugend",
                     "Kein gleichzeitiges Heimspiel: Sa 19.09.2026 Damen A Damen, Jugend A Jugend"}));
    EXPECT_EQ(Compute(*plan, "B", mktForceSameHomeGames).value.GesamtKosten, 0.0);
}

// ---------------------------------------------------------------------------------------------
// The common frame

TEST(TeamCosts1, WeightsFromGlobalAndTeamOptions) {
    // Two games a week twice: base 2^2 x 400 = 1600.
    auto check = [](const TCalculateOptions& options, double expected) {
        auto plan = SpacingPlan(true, &options);
        const TermResult r = Compute(*plan, "A", mkt2SpieleProWoche);
        EXPECT_EQ(r.value.Anzahl, 2);
        ExpectCost(r.value.GesamtKosten, expected);
    };
    check(TCalculateOptions{}, 1600.0 * 100.0);
    {
        TCalculateOptions options;
        options.GewichtungMainMannschaftsKosten[Ord(mkt2SpieleProWoche)] = coIgnore;
        check(options, 0.0);
        options.GewichtungMainMannschaftsKosten[Ord(mkt2SpieleProWoche)] = coHoch;
        check(options, 1600.0 * 1000.0);
    }
    {
        TCalculateOptions options;
        options.GewichtungMannschaften.addMain("idA", coHoch); // 100 x 1000/100 x 100/100
        check(options, 1600.0 * 1000.0);
        options.GewichtungMannschaften.addDetail("idA", mkt2SpieleProWoche, coWenig); // x 10/100
        check(options, 1600.0 * 100.0);
        options.GewichtungMannschaften.addDetail("idA", mkt2SpieleProWoche, coIgnore);
        check(options, 0.0);
        options.GewichtungMannschaften.addDetail("idA", mkt2SpieleProWoche, coNormal);
        options.GewichtungMannschaften.addMain("idA", coIgnore);
        check(options, 0.0);
    }
    {
        // Another team's weights do not touch A.
        TCalculateOptions options;
        options.GewichtungMannschaften.addMain("idB", coExtremHoch);
        check(options, 1600.0 * 100.0);
    }
}

TEST(TeamCosts1, CacheAnswersWithoutMessagesOnly) {
    auto plan = BlockedPlan(false);
    TMannschaft& a = T(*plan, "A");
    EXPECT_EQ(Cached(*plan, "A", mktSperrTermine), -1.0);

    const TermResult full = Compute(*plan, "A", mktSperrTermine);
    ExpectCost(full.value.GesamtKosten, 160000.0);
    // Results computed with messages are stored too.
    EXPECT_EQ(Cached(*plan, "A", mktSperrTermine), full.value.GesamtKosten);
    EXPECT_TRUE(a.KostenCache.Valid);

    const TermResult cached = Compute(*plan, "A", mktSperrTermine, tmNoMessage);
    EXPECT_EQ(cached.value.GesamtKosten, full.value.GesamtKosten);
    EXPECT_EQ(cached.value.Anzahl, 0);
    EXPECT_EQ(cached.value.AllCount, -1);
    EXPECT_TRUE(cached.messages.empty());

    // The cache really answers: a planted value comes back without messages, not with them.
    a.KostenCache.Values[Ord(mktSperrTermine)].GesamtKosten = 12345.0;
    EXPECT_EQ(Compute(*plan, "A", mktSperrTermine, tmNoMessage).value.GesamtKosten, 12345.0);
    ExpectCost(Compute(*plan, "A", mktSperrTermine, tmDetailMessage).value.GesamtKosten, 160000.0);
    EXPECT_EQ(Cached(*plan, "A", mktSperrTermine), full.value.GesamtKosten);

    // Moving one of A's games empties the cache; the next computation sees the new dates.
    SetGame(*plan, "B", "A", D(2026, 10, 10, 18, 0));
    EXPECT_EQ(Cached(*plan, "A", mktSperrTermine), -1.0);
    const TermResult moved = Compute(*plan, "A", mktSperrTermine, tmNoMessage);
    // n = 1: x = 1/4 x 20 = 5; 5/5 = 1; 1 x 200 x 100.
    ExpectCost(moved.value.GesamtKosten, 20000.0);
    EXPECT_EQ(moved.value.Anzahl, 1);
    EXPECT_EQ(Cached(*plan, "A", mktSperrTermine), moved.value.GesamtKosten);
}

TEST(TeamCosts1, FlagShortcutsCacheNothing) {
    // No fallback days, no far opponents, no coupling dates, no away-coupling wishes in the plan, but
    // a weekday away game.
    auto plan = Load(Team("A", "c1", 1, Home("05.09.2026 18:00")) +
                     Team("B", "c2", 1, Home("09.09.2026 19:30")) + Team("C", "c3", 1));
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 9, 19, 30));
    for (TMannschaftsKostenType type :
         {mktAusweichTermine, mkt60Kilometer, mktKoppelTermine, mktAuswaertsKoppelTermine}) {
        for (TMessageType mode : {tmNoMessage, tmNormalMessage}) {
            const TermResult r = Compute(*plan, "A", type, mode);
            EXPECT_EQ(r.value.Anzahl, 0) << Ord(type);
            // The away-coupling term reports AllCount 0 even when it returns early.
            EXPECT_EQ(r.value.AllCount, type == mktAuswaertsKoppelTermine ? 0 : -1) << Ord(type);
            EXPECT_EQ(r.value.GesamtKosten, 0.0) << Ord(type);
            EXPECT_TRUE(r.messages.empty()) << Ord(type);
            EXPECT_EQ(Cached(*plan, "A", type), -1.0) << Ord(type);
        }
    }
    // A planted cache value is not consulted either.
    T(*plan, "A").KostenCache.Values[Ord(mkt60Kilometer)].GesamtKosten = 5.0;
    EXPECT_EQ(Compute(*plan, "A", mkt60Kilometer, tmNoMessage).value.GesamtKosten, 0.0);
}

TEST(TeamCosts1, SisterTeamTermsBypassTheCache) {
    // A and A2 are of one club; both play at home in the default hall on 05.09.
    auto plan = Load(Team("A", "c1", 1, Home("05.09.2026 18:00", "parallelgames=\"1\"")) +
                     Team("A2", "c1", 2, Home("05.09.2026 19:00", "parallelgames=\"1\"")) +
                     Team("B", "c2", 1) + Team("C", "c3", 1));
    ASSERT_EQ(T(*plan, "A").SisterTeamsInPlan.size(), 1U);
    SetGame(*plan, "A", "B", D(2026, 9, 5, 18, 0));

    EXPECT_EQ(Compute(*plan, "A", mktHalleBelegt, tmNoMessage).value.GesamtKosten, 0.0);
    EXPECT_EQ(Compute(*plan, "A", mktSisterGames, tmNoMessage).value.GesamtKosten, 0.0);
    // Stored for the plan's cost sums, but not read by a team computation.
    EXPECT_EQ(Cached(*plan, "A", mktHalleBelegt), 0.0);
    EXPECT_EQ(Cached(*plan, "A", mktSisterGames), 0.0);
    // The synchronous-home-games term is stored, but not trusted either.
    Compute(*plan, "A", mktForceSameHomeGames, tmNoMessage);
    EXPECT_EQ(Cached(*plan, "A", mktForceSameHomeGames), 0.0);
    T(*plan, "A").KostenCache.Values[Ord(mktForceSameHomeGames)].GesamtKosten = 999.0;
    EXPECT_EQ(Compute(*plan, "A", mktForceSameHomeGames, tmNoMessage).value.GesamtKosten, 0.0);

    // A2's game one hour later changes A's hall and parallel costs: it empties those two entries of
    // A's cache, and only those.
    SetGame(*plan, "A2", "C", D(2026, 9, 5, 19, 0));
    EXPECT_EQ(Cached(*plan, "A", mktHalleBelegt), -1.0);
    EXPECT_EQ(Cached(*plan, "A", mktSisterGames), -1.0);
    EXPECT_EQ(Cached(*plan, "A", mktForceSameHomeGames), 0.0);
    const TermResult hall = Compute(*plan, "A", mktHalleBelegt, tmNoMessage);
    EXPECT_EQ(hall.value.Anzahl, 1);
    ExpectCost(hall.value.GesamtKosten, 100.0 * 500.0 * 100.0); // (10 x 1)^2 x 500 x 100
    EXPECT_EQ(Compute(*plan, "A", mktHalleBelegt).messages,
              Lines{"Halle belegt von A2 (Herren): Sa 05.09.2026"});
    const TermResult parallel = Compute(*plan, "A", mktSisterGames);
    EXPECT_EQ(parallel.value.Anzahl, 1);
    ExpectCost(parallel.value.GesamtKosten, 2000.0); // 1^1.5 x 20 x 100
    EXPECT_EQ(parallel.messages, Lines{"Parallele Spiele: Sa 05.09.2026 A2 - C"});
    ExpectCost(Cached(*plan, "A", mktHalleBelegt), 100.0 * 500.0 * 100.0);

    // A team without sister teams in the plan answers these terms from its cache.
    T(*plan, "B").KostenCache.Values[Ord(mktHalleBelegt)].GesamtKosten = 999.0;
    EXPECT_EQ(Compute(*plan, "B", mktHalleBelegt, tmNoMessage).value.GesamtKosten, 999.0);
}

TEST(TeamCosts1, UnknownTypeRaises) {
    auto plan = BlockedPlan(false);
    TMannschaftsKosten kosten;
    try {
        T(*plan, "A")
            .CalculateKostenForType(*plan, static_cast<TMannschaftsKostenType>(16), kosten, tmNoMessage);
        ADD_FAILURE() << "no error";
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(), "Keine Berechnungsfunktion für Kostentyp");
    }
}

TEST(TeamCosts1, AllTermsInTypeOrder) {
    auto plan = Plan60km(false);
    TMannschaft& a = T(*plan, "A");
    TMannschaftsKosten all;
    a.CalculateKosten(*plan, all, tmNormalMessage);
    const std::vector<std::string>& lines = all.Messages();
    auto position = [&lines](const std::string& prefix) {
        const auto it = std::find_if(lines.begin(), lines.end(), [&prefix](const std::string& line) {
            return line.rfind(prefix, 0) == 0;
        });
        return it - lines.begin();
    };
    // Fri 04.09 at B, Sat 05.09 at home: one day apart and in one week.
    const auto km = position("60km Regel nicht beachtet: ");
    const auto close = position("Weniger als drei Tage Abstand: Fr 04.09.2026 - Sa 05.09.2026");
    const auto week = position("Zwei Spiele die Woche: Fr 04.09.2026 - Sa 05.09.2026");
    ASSERT_LT(week, static_cast<std::ptrdiff_t>(lines.size()));
    EXPECT_LT(km, close);
    EXPECT_LT(close, week);

    // Each entry equals the single-type computation, and without messages nothing is written.
    TMannschaftsKosten quiet;
    a.ClearKostenCache();
    a.CalculateKosten(*plan, quiet, tmNoMessage);
    EXPECT_FALSE(quiet.HasMessages());
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        EXPECT_EQ(quiet[type].GesamtKosten, all[type].GesamtKosten) << Ord(type);
    }
    ExpectCost(all[mkt60Kilometer].GesamtKosten, 40000.0);
    ExpectCost(all[mktEngeTermine].GesamtKosten, std::pow(std::pow(2.0, 4.3), 2.0) * 100.0);
}

} // namespace
