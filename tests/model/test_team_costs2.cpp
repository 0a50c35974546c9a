// Team cost terms for the spread of games, home and away couplings, home-game counts and
// alternation, the spacing of the two meetings, the seeding order and mandatory periods.
// Every expectation is worked out by hand in the comments; with the default options W = 100.

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

std::string PlanXml(const std::string& teams, const std::string& extra = "") {
    return "<plan name=\"T\" id=\"1\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
           "until=\"30.04.2027\">" +
           teams + extra + "</plan>";
}

std::string Team(const std::string& name, const std::string& body = "",
                 const std::string& homeRights = "-1") {
    return "<team teamname=\"" + name + "\" teamid=\"id" + name + "\" clubid=\"c" + name +
           "\" teamnumber=\"1\" homerights=\"" + homeRights + "\">" + body + "</team>";
}

std::string Home(const std::string& dateTime, const std::string& attrs = "") {
    return "<homegameday datetime=\"" + dateTime + "\" " + attrs + "/>";
}

/// A double-date wish: prio 2 hard, 1 soft, anything else possible.
std::string Double(const std::string& dateTime, int prio) {
    return Home(dateTime, "doublegameday=\"true\" coupleprio=\"" + std::to_string(prio) + "\"");
}

std::unique_ptr<TPlan> Build(const std::string& planXml, const TCalculateOptions* options = nullptr) {
    return terminor::test::LoadPlanFromText(planXml, options);
}

TMannschaft& T(const TPlan& plan, const std::string& name) {
    return terminor::test::TeamOf(plan, name);
}

/// Dates the first undated game home - guest, on the home team's wish date when there is one.
TGame* Place(TPlan& plan, const std::string& home, const std::string& guest, TDateTime date) {
    TMannschaft& h = T(plan, home);
    TMannschaft& g = T(plan, guest);
    const std::vector<TGame*>* games = plan.GamesOfPairing(h, g);
    if (games == nullptr) {
        ADD_FAILURE() << home << " - " << guest;
        return nullptr;
    }
    for (TGame* game : *games) {
        if (!game->DateValid()) {
            TWunschTermin* w = h.WunschTermine.Find(date);
            game->setDate(date, w != nullptr ? w->Options : TWunschterminOptions{},
                          w != nullptr ? w->ParallelGames : 0, false, false, w);
            h.gamesRef.SortByDate();
            g.gamesRef.SortByDate();
            return game;
        }
    }
    ADD_FAILURE() << "no undated game " << home << " - " << guest;
    return nullptr;
}

/// Marks the first undated game home - guest as not necessary.
void MarkNotNecessary(TPlan& plan, const std::string& home, const std::string& guest) {
    const std::vector<TGame*>* games = plan.GamesOfPairing(T(plan, home), T(plan, guest));
    ASSERT_NE(games, nullptr);
    games->front()->setDate(0.0, {}, 0, false, true, nullptr);
}

/// One term of one team; the message lines go to `lines` when given.
TKostenValue Term(TPlan& plan, const std::string& team, TMannschaftsKostenType type,
                  TMessageType mode = tmNormalMessage, std::vector<std::string>* lines = nullptr) {
    TMannschaftsKosten kosten;
    T(plan, team).CalculateKostenForType(plan, type, kosten, mode);
    if (lines != nullptr) {
        *lines = kosten.HasMessages() ? kosten.Messages() : std::vector<std::string>{};
    }
    return kosten[type];
}

double Cached(const TPlan& plan, const std::string& team, TMannschaftsKostenType type) {
    return T(plan, team).KostenCache.Values[static_cast<std::size_t>(type)].GesamtKosten;
}

using Lines = std::vector<std::string>;

} // namespace

// ---------------------------------------------------------------------------------------------
// mktSpielverteilung

TEST(TeamCosts2, SpielverteilungSpreadOfIntervals) {
    // Three teams, two rounds [F-100, 04.01.2027) and [04.01.2027, L+100). No coupling dates, so
    // getNumSollGames = b x (3 - 1) / 6 = b / 3 with b = wish dates of the round in [from, to).
    // Round 0 wishes: 05.09 A, 12.09 B, 19.09 C, 03.10 A, 10.10 B, 17.10 C (bounds 05.09 and
    // 17.10 + 1 day). Round 1: 16.01 A, 23.01 B, 30.01 C, 13.02 A, 20.02 B, 27.02 C (bounds
    // 16.01 and 27.02 + 1 day).
    auto plan = Build(PlanXml(Team("A", Home("05.09.2026 18:00") + Home("03.10.2026 18:00") +
                                            Home("16.01.2027 18:00") + Home("13.02.2027 18:00")) +
                              Team("B", Home("12.09.2026 18:00") + Home("10.10.2026 18:00") +
                                            Home("23.01.2027 18:00") + Home("20.02.2027 18:00")) +
                              Team("C", Home("19.09.2026 18:00") + Home("17.10.2026 18:00") +
                                            Home("30.01.2027 18:00") + Home("27.02.2027 18:00"))));

    // No dated game: no interval, sd 0, cost 0; Anzahl is always -1.
    TKostenValue none = Term(*plan, "A", mktSpielverteilung);
    EXPECT_EQ(none.Anzahl, -1);
    EXPECT_EQ(none.AllCount, -1);
    EXPECT_DOUBLE_EQ(none.GesamtKosten, 0.0);

    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "C", "A", D(2026, 9, 19, 18));
    Place(*plan, "B", "A", D(2027, 1, 23, 18));
    Place(*plan, "A", "C", D(2027, 2, 13, 18));
    // Round 0: [05.09, 05.09) b=0 -> 0 + 0.5; [05.09, 19.09) b=2 -> 2/3;
    //          [19.09, 18.10) b=4 -> 4/3 + 0.5 = 11/6.
    // Round 1: [16.01, 23.01) b=1 -> 1/3 + 0.5 = 5/6; [23.01, 13.02) b=2 -> 2/3;
    //          [13.02, 28.02) b=3 -> 1 + 0.5 = 3/2.
    // Sum 6, mean 1; squared deviations 1/4, 1/9, 25/36, 1/36, 1/9, 1/4 = 13/9; sd = sqrt(13/54).
    // Cost (5 sd)^5 / 10 x 100 / 4 games x 20.
    const double sd = std::sqrt(13.0 / 54.0);
    const double expected = std::pow(5 * sd, 5) / 10 * 100 / 4 * 20;
    TKostenValue v = Term(*plan, "A", mktSpielverteilung);
    EXPECT_EQ(v.Anzahl, -1);
    EXPECT_EQ(v.AllCount, -1);
    EXPECT_NEAR(v.GesamtKosten, expected, expected * 1e-12);
    // Stored in the cache and answered from it without messages.
    EXPECT_NEAR(Cached(*plan, "A", mktSpielverteilung), expected, expected * 1e-12);
    EXPECT_NEAR(Term(*plan, "A", mktSpielverteilung, tmNoMessage).GesamtKosten, expected, expected * 1e-12);
}

TEST(TeamCosts2, SpielverteilungCoupledPairsWeighLess) {
    // A offers the double date 03.10 / 04.10 (soft, weight 2 each) and plays both games there.
    // Round 0 wishes: 12.09 B, 19.09 C, 03.10 A (2), 04.10 A (2), 10.10 B, 17.10 C: c = 8, value
    // b x 2 / 8 = b / 4; bounds 12.09 and 17.10 + 1 day. Round 1 as in the plain plan: b / 3.
    auto plan = Build(PlanXml(Team("A", Double("03.10.2026 18:00", 1) + Double("04.10.2026 15:00", 1) +
                                            Home("16.01.2027 18:00") + Home("13.02.2027 18:00")) +
                              Team("B", Home("12.09.2026 18:00") + Home("10.10.2026 18:00") +
                                            Home("23.01.2027 18:00") + Home("20.02.2027 18:00")) +
                              Team("C", Home("19.09.2026 18:00") + Home("17.10.2026 18:00") +
                                            Home("30.01.2027 18:00") + Home("27.02.2027 18:00"))));
    Place(*plan, "A", "B", D(2026, 10, 3, 18));
    Place(*plan, "A", "C", D(2026, 10, 4, 15));
    Place(*plan, "B", "A", D(2027, 1, 23, 18));
    Place(*plan, "C", "A", D(2027, 1, 30, 18));
    ASSERT_EQ(T(*plan, "A").getKoppeledGame(0), T(*plan, "A").gamesRef[1]);
    // Round 0: [12.09, 03.10) b=2 -> 1/2, its end game starts the pair: / 1.5 = 1/3, + 0.5 = 5/6;
    //          [03.10, 04.10) b=2 -> 1/2 (inside the pair: neither division applies);
    //          [04.10, 18.10) b=4 -> 1, its start game ends the pair: 2/3, + 0.5 = 7/6.
    // Round 1: [16.01, 23.01) 1/3 + 0.5 = 5/6; [23.01, 30.01) 1/3; [30.01, 28.02) 4/3 + 0.5 = 11/6.
    // In twelfths 10, 6, 14, 10, 4, 22: mean 11/12, squared deviations (1+25+9+1+49+121)/144.
    const double sd = std::sqrt(206.0 / 144.0 / 6.0);
    const double expected = std::pow(5 * sd, 5) / 10 * 100 / 4 * 20;
    EXPECT_NEAR(Term(*plan, "A", mktSpielverteilung).GesamtKosten, expected, expected * 1e-12);
}

TEST(TeamCosts2, SpielverteilungTeamWithoutGames) {
    auto plan = Build(PlanXml(Team("A", Home("05.09.2026 18:00"))));
    ASSERT_TRUE(T(*plan, "A").gamesRef.empty());
    TKostenValue v = Term(*plan, "A", mktSpielverteilung);
    EXPECT_EQ(v.Anzahl, -1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
}

// ---------------------------------------------------------------------------------------------
// mktKoppelTermine

TEST(TeamCosts2, KoppelTermineTargetsCapsAndGrants) {
    // Five teams: cap = (5 - 1) div 4 = 1 coupling per round.
    // A round 0: hard 05.09 + 06.09, soft 03.10 + 04.10 -> hard 1, soft 1; hard >= cap: hard 1,
    //   soft 0, target 1. Round 1: soft 16.01, 17.01, 13.02, 14.02 -> soft 2 > cap: soft 1,
    //   target 0.25. The possible date 20.03 is tallied nowhere. AllCount = 1 + 1 = 2.
    const std::string a =
        Double("05.09.2026 18:00", 2) + Double("06.09.2026 15:00", 2) + Double("03.10.2026 18:00", 1) +
        Double("04.10.2026 15:00", 1) + Double("16.01.2027 18:00", 1) + Double("17.01.2027 15:00", 1) +
        Double("13.02.2027 18:00", 1) + Double("14.02.2027 15:00", 1) + Double("20.03.2027 18:00", 0);
    auto plan = Build(
        PlanXml(Team("A", a) + Team("B", Home("12.09.2026 18:00")) + Team("C") + Team("D") + Team("E")));

    // A single game on a hard date without a partner grants nothing: m = 1 + 0.25,
    // cost (10 x 1.25)^2 x 100 = 15625; n = 2 - 0.
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 15625.0);
    EXPECT_EQ(lines,
              (Lines{"Unbedingte Heimkoppeltermine/Doppelspieltage wurden nicht vergeben: 1 mal",
                     "\"Wenn möglich\" Heimkoppeltermine/Doppelspieltage wurden nicht vergeben: 1 mal"}));

    // The hard pair 05.09 / 06.09 reaches round 0's target: m = 0.25, (2.5)^2 x 100 = 625; n = 1.
    Place(*plan, "A", "C", D(2026, 9, 6, 15));
    v = Term(*plan, "A", mktKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 625.0);
    EXPECT_EQ(lines,
              (Lines{"\"Wenn möglich\" Heimkoppeltermine/Doppelspieltage wurden nicht vergeben: 1 mal"}));

    // The soft pair 16.01 / 17.01 adds 0.25 in round 1: nothing missing.
    Place(*plan, "A", "D", D(2027, 1, 16, 18));
    Place(*plan, "A", "E", D(2027, 1, 17, 15));
    v = Term(*plan, "A", mktKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
    EXPECT_TRUE(lines.empty());
}

TEST(TeamCosts2, KoppelTermineWithoutWishesAndOutsideTheRounds) {
    auto plan = Build(PlanXml(Team("A", Double("05.09.2026 18:00", 2) + Double("06.09.2026 15:00", 2)) +
                              Team("B", Home("12.09.2026 18:00")) + Team("C", Home("20.03.2027 18:00")) +
                              Team("D") + Team("E")));

    // B offers no coupling date (t = 0): the term ends after the tally and is cached.
    TKostenValue b = Term(*plan, "B", mktKoppelTermine);
    EXPECT_EQ(b.AllCount, -1);
    EXPECT_EQ(b.Anzahl, 0);
    EXPECT_DOUBLE_EQ(b.GesamtKosten, 0.0);
    EXPECT_DOUBLE_EQ(Cached(*plan, "B", mktKoppelTermine), 0.0);

    // C gets two hard dates after the rounds were built (they end 100 days after 20.03.2027):
    // they count towards t but to no round, so AllCount is 0 instead of -1.
    TMannschaft& c = T(*plan, "C");
    for (TDateTime date : {D(2027, 12, 4, 18), D(2027, 12, 5, 15)}) {
        TWunschTermin& w = c.WunschTermine.Add();
        w.Date = date;
        w.Options = {woKoppelDoubleDateHard};
    }
    ASSERT_EQ(plan->GetRoundNumberByDate(D(2027, 12, 4, 18)), -1);
    TKostenValue v = Term(*plan, "C", mktKoppelTermine);
    EXPECT_EQ(v.AllCount, 0);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);

    // A pair granted there counts as a grant (n = 0 - 1) but reaches no round's target.
    Place(*plan, "C", "D", D(2027, 12, 4, 18));
    Place(*plan, "C", "E", D(2027, 12, 5, 15));
    Lines lines;
    v = Term(*plan, "C", mktKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 0);
    EXPECT_EQ(v.Anzahl, -1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
    EXPECT_TRUE(lines.empty());
}

// ---------------------------------------------------------------------------------------------
// mktAuswaertsKoppelTermine

TEST(TeamCosts2, AuswaertsKoppelHalvesAndReduction) {
    // Two rounds: every wished team should be coupled 2 div 2 = 1 time.
    // A wishes B+C (same day) and D+E (over night): w = 4, a = 2, reduction 1 - 2/6 x 0.75 = 0.75.
    // C wishes D+E only: w = 2, a = 0, reduction 1.
    auto plan =
        Build(PlanXml(Team("A", "<roadcouple teamnamea=\"B\" teamnameb=\"C\"/>"
                                "<roadcouple teamnamea=\"D\" teamnameb=\"E\" sameday=\"1\"/>") +
                      Team("B") + Team("C", "<roadcouple teamnamea=\"D\" teamnameb=\"E\" sameday=\"1\"/>") +
                      Team("D") + Team("E", Home("20.03.2027 18:00"))));

    // Nothing coupled: n = 4 -> Anzahl 2, AllCount 4 div 2 = 2; (5 x 4)^2 x 4 x 100 x 0.75 = 120000.
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktAuswaertsKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 120000.0);
    EXPECT_EQ(lines, (Lines{"Kein Auswärtskoppeltermin bei: B", "Kein Auswärtskoppeltermin bei: C",
                            "Kein Auswärtskoppeltermin bei: D", "Kein Auswärtskoppeltermin bei: E"}));

    // C: n = 2 -> Anzahl 1, AllCount 1; (5 x 2)^2 x 4 x 100 x 1 = 40000.
    v = Term(*plan, "C", mktAuswaertsKoppelTermine);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_EQ(v.AllCount, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 40000.0);

    // A at B and at C on one day, four hours apart: both slots drop to 0; n = 2 -> Anzahl 1;
    // (5 x 2)^2 x 4 x 100 x 0.75 = 30000.
    Place(*plan, "B", "A", D(2026, 9, 5, 14));
    Place(*plan, "C", "A", D(2026, 9, 5, 18));
    v = Term(*plan, "A", mktAuswaertsKoppelTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 30000.0);
    EXPECT_EQ(lines, (Lines{"Kein Auswärtskoppeltermin bei: D", "Kein Auswärtskoppeltermin bei: E"}));

    // At D on Saturday and at E on Sunday: every wish granted.
    Place(*plan, "D", "A", D(2026, 9, 12, 18));
    Place(*plan, "E", "A", D(2026, 9, 13, 15));
    v = Term(*plan, "A", mktAuswaertsKoppelTermine);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_EQ(v.AllCount, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);

    // B has no wish of its own: cost 0 and nothing cached.
    EXPECT_DOUBLE_EQ(Term(*plan, "B", mktAuswaertsKoppelTermine).GesamtKosten, 0.0);
    EXPECT_DOUBLE_EQ(Cached(*plan, "B", mktAuswaertsKoppelTermine), -1.0);
}

// ---------------------------------------------------------------------------------------------
// mktZahlHeimSpielTermine

namespace {

std::unique_ptr<TPlan> HomeCountPlan(const TCalculateOptions* options = nullptr) {
    return Build(
        PlanXml(Team("A", Home("05.09.2026 18:00") + "<homerights teamname=\"B\" homeright=\"1\"/>"
                                                     "<homerights teamname=\"C\" homeright=\"2\"/>") +
                Team("B", Home("16.01.2027 18:00")) + Team("C") + Team("D")),
        options);
}

} // namespace

TEST(TeamCosts2, ZahlHeimSpielPerRoundSummaryAndHomeRights) {
    // Two rounds, 6 games: target 6 x 0.5 / 2 = 1.5 per round. A plays all home games in round 0.
    auto plan = HomeCountPlan();
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "A", "D", D(2026, 9, 19, 18));
    Place(*plan, "B", "A", D(2027, 1, 16, 18));
    Place(*plan, "C", "A", D(2027, 1, 23, 18));
    Place(*plan, "D", "A", D(2027, 1, 30, 18));

    // Home rights: against C (second round) A should be away in round 0 and at home in round 1:
    // h = 2. Counters 3 and 0: d = int(1.5) + int(1.5) = 2. Cost (2 + 2 x 2)^2 x 300 x 100.
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktZahlHeimSpielTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 4);
    EXPECT_EQ(v.AllCount, -1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 36.0 * 300 * 100);
    EXPECT_EQ(lines, (Lines{"Sa 12.09.2026 18:00: A - C sollte ein Auswärtsspiel sein",
                            "Sa 23.01.2027 18:00: C - A sollte ein Heimspiel sein",
                            "Anzahl Heimspiele in den Runden unterschiedlich: 3 - 0"}));

    // With a wished first-round count of 2 the targets are 2 and 4 - 2 - 1 = 1: d = 1 + 1, per-round
    // lines instead of the summary.
    TMannschaft& a = T(*plan, "A");
    a.HomeRights.clear();
    a.HomeRightCountRoundOne = 2;
    a.ClearKostenCache();
    v = Term(*plan, "A", mktZahlHeimSpielTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 4.0 * 300 * 100);
    EXPECT_EQ(lines, (Lines{"Anzahl Heimspiele in Vorrunde: 3 anstatt 2",
                            "Anzahl Heimspiele in Rückrunde: 0 anstatt 1"}));

    // Wished 3 in round 0 (so 0 in round 1): met exactly.
    a.HomeRightCountRoundOne = 3;
    a.ClearKostenCache();
    v = Term(*plan, "A", mktZahlHeimSpielTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
    EXPECT_TRUE(lines.empty());
}

TEST(TeamCosts2, ZahlHeimSpielSingleRound) {
    // Half round without double round: one counter. The three reverse games are not necessary, so
    // the target is 3 / 2 = 1.5. The home game on 01.05.2027 lies after the only round and still
    // counts: counter 3, d = int(1.5) = 1, cost 1 x 300 x 100.
    TCalculateOptions options;
    options.RoundPlaning = rpHalfRound;
    auto plan = HomeCountPlan(&options);
    TMannschaft& a = T(*plan, "A");
    a.HomeRights.clear();
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "A", "D", D(2027, 5, 1, 18));
    ASSERT_EQ(plan->GetRoundNumberByDate(D(2027, 5, 1, 18)), -1);
    MarkNotNecessary(*plan, "B", "A");
    MarkNotNecessary(*plan, "C", "A");
    MarkNotNecessary(*plan, "D", "A");

    Lines lines;
    TKostenValue v = Term(*plan, "A", mktZahlHeimSpielTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 300.0 * 100);
    EXPECT_TRUE(lines.empty()); // no message without a wished count

    a.HomeRightCountRoundOne = 1;
    a.ClearKostenCache();
    v = Term(*plan, "A", mktZahlHeimSpielTermine, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_EQ(lines, (Lines{"Anzahl Heimspiele: 3 anstatt 1"}));
}

// ---------------------------------------------------------------------------------------------
// mktWechselHeimAuswaerts

namespace {

std::unique_ptr<TPlan> AlternationPlan() {
    return Build(PlanXml(Team("A", Double("12.09.2026 18:00", 1) + Double("13.09.2026 15:00", 1)) +
                         Team("B", Home("05.09.2026 18:00")) + Team("C") + Team("D")));
}

} // namespace

TEST(TeamCosts2, WechselRunsAndCoupledPairs) {
    // Away, home+home as a coupled double date, away, away, home. Position 0 is not compared;
    // the pair leaves the run unchanged; the second away game makes a run of 1: n = 1, S = 1,
    // cost 1 / 30 x 100.
    auto plan = AlternationPlan();
    Place(*plan, "B", "A", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    TGame* second = Place(*plan, "A", "D", D(2026, 9, 13, 15));
    Place(*plan, "C", "A", D(2026, 9, 19, 18));
    Place(*plan, "D", "A", D(2026, 9, 26, 18));
    Place(*plan, "A", "B", D(2026, 10, 3, 18));
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktWechselHeimAuswaerts, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 1.0 / 30 * 100);
    EXPECT_EQ(lines, (Lines{"Kein Wechsel Heimspiel und Auswärtsspiel: 1"}));

    // The same day without the coupling option: the second home game counts too, n = 2, S = 2,
    // cost 4 / 30 x 100.
    second->setDate(second->FDate, {}, 0, false, false, nullptr);
    v = Term(*plan, "A", mktWechselHeimAuswaerts);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 4.0 / 30 * 100);
}

TEST(TeamCosts2, WechselLongRunsAndTheFirstListPosition) {
    // Home, home, home, away, away, away: runs 1, 2, 1, 2: n = 4, S = 1 + 16 + 1 + 16 = 34,
    // cost 34^2 / 30 x 100.
    auto plan = AlternationPlan();
    Place(*plan, "A", "B", D(2026, 10, 3, 18));
    Place(*plan, "A", "C", D(2026, 10, 10, 18));
    Place(*plan, "A", "D", D(2026, 10, 17, 18));
    Place(*plan, "B", "A", D(2026, 10, 24, 18));
    Place(*plan, "C", "A", D(2026, 10, 31, 18));
    Place(*plan, "D", "A", D(2026, 11, 7, 18));
    TKostenValue v = Term(*plan, "A", mktWechselHeimAuswaerts);
    EXPECT_EQ(v.Anzahl, 4);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 34.0 * 34.0 / 30 * 100);

    // Only one dated game, an away game: the undated games fill positions 0 to 4, so the game at
    // position 5 is compared with the starting side "away": n = 1, S = 1.
    auto single = AlternationPlan();
    Place(*single, "B", "A", D(2026, 9, 5, 18));
    Lines lines;
    v = Term(*single, "A", mktWechselHeimAuswaerts, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 1.0 / 30 * 100);

    // No dated game: the line is still there.
    auto empty = AlternationPlan();
    v = Term(*empty, "A", mktWechselHeimAuswaerts, tmNormalMessage, &lines);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
    EXPECT_EQ(lines, (Lines{"Kein Wechsel Heimspiel und Auswärtsspiel: 0"}));
}

// ---------------------------------------------------------------------------------------------
// mktAbstandHeimAuswaerts

TEST(TeamCosts2, AbstandDistancesOfTheTwoMeetings) {
    // Three teams; A's list: A-B (0), A-C (1), C-A (2), B-A (3). Distances B 3, C 1: mean 2;
    // weighted maximum 2 x |1 - 2| = 2, maximum deviation 1.
    // Cost (6 x 2 / 2)^6 / 5000 x 100 = 46656 / 50.
    auto plan = Build(PlanXml(Team("A", Home("05.09.2026 18:00")) + Team("B") + Team("C")));
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "C", "A", D(2026, 9, 19, 18));
    Place(*plan, "B", "A", D(2026, 9, 26, 18));
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktAbstandHeimAuswaerts, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 46656.0 / 5000 * 100);
    EXPECT_EQ(lines, (Lines{"Maximale Abweichung Reihenfolge Heim- und Auswärtsspiel: 1,00"}));

    // C has a single distance (to A; both games against B are undated): mean 1, maxima 0, cost 0.
    v = Term(*plan, "C", mktAbstandHeimAuswaerts, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
    EXPECT_EQ(lines, (Lines{"Maximale Abweichung Reihenfolge Heim- und Auswärtsspiel: 0"}));
}

TEST(TeamCosts2, AbstandRoundsHalfUpAndCountsUndatedPositions) {
    // Four teams; A's list: A-D undated (0), A-B (1), B-A (2), A-C (3), D-A (4), C-A (5).
    // Distances: B 1, C 2 (D has one dated game only). Mean 1.5; deviations 0.5 (B below the mean,
    // weighted 1.0) and 0.5: Anzahl = 0.5 rounded half up = 1.
    // Cost (6 x 1 / 1.5)^6 / 5000 x 100 = 4096 / 50.
    auto plan = Build(PlanXml(Team("A", Home("05.09.2026 18:00")) + Team("B") + Team("C") + Team("D")));
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "B", "A", D(2026, 9, 12, 18));
    Place(*plan, "A", "C", D(2026, 9, 19, 18));
    Place(*plan, "D", "A", D(2026, 9, 26, 18));
    Place(*plan, "C", "A", D(2026, 10, 3, 18));
    TKostenValue v = Term(*plan, "A", mktAbstandHeimAuswaerts);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 4096.0 / 5000 * 100);
}

TEST(TeamCosts2, AbstandNotComputedForASingleHalfAndTooManyTeams) {
    TCalculateOptions options;
    options.RoundPlaning = rpFirstOnly;
    auto plan = Build(PlanXml(Team("A", Home("05.09.2026 18:00")) + Team("B") + Team("C")), &options);
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "C", "A", D(2026, 9, 19, 18));
    Place(*plan, "B", "A", D(2026, 9, 26, 18));
    EXPECT_DOUBLE_EQ(Term(*plan, "A", mktAbstandHeimAuswaerts).GesamtKosten, 0.0);
    EXPECT_DOUBLE_EQ(Cached(*plan, "A", mktAbstandHeimAuswaerts), -1.0);

    // 31 teams (the plan accepts them) are too many for this term.
    std::string teams;
    for (int i = 0; i < 31; ++i) {
        teams +=
            Team(std::string("T").append(std::to_string(100 + i)), i == 0 ? Home("05.09.2026 18:00") : "");
    }
    auto big = Build(PlanXml(teams));
    ASSERT_EQ(big->Mannschaften.size(), 31u);
    try {
        Term(*big, "T100", mktAbstandHeimAuswaerts);
        ADD_FAILURE() << "no error";
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(),
                     "Der Plan enthält zu viele Mannschaften. Für maximal 30 kann der Plan generiert werden");
    }
}

// ---------------------------------------------------------------------------------------------
// mktRanking and getRankingDiffs

namespace {

const std::string RankingXml = "<ranking active=\"true\"><team teamname=\"A\" rankingindex=\"0\"/>"
                               "<team teamname=\"B\" rankingindex=\"1\"/><team teamname=\"C\" "
                               "rankingindex=\"2\"/><team teamname=\"D\" rankingindex=\"3\"/></ranking>";

std::unique_ptr<TPlan> RankingPlan(const std::string& extra = RankingXml) {
    // Wish dates only to fix the rounds: [05.09.2026 - 100, 04.01.2027), [04.01.2027, 20.03.2027 + 100).
    return Build(PlanXml(Team("A", Home("05.09.2026 18:00")) + Team("B", Home("20.03.2027 18:00")) +
                             Team("C") + Team("D"),
                         extra));
}

} // namespace

TEST(TeamCosts2, RankingStrongOpponentsTooEarly) {
    // D is last in the seeding list: distances A 3, B 2, C 1. q starts at 3 per round.
    // Round 0: C (q 3: 1 - 3), B (q 2: 0), A (q 1: 3 - 1 = 2 -> S += 2 / 1^1.25 x 1).
    // Round 1 is the last: factor 4. B (q 3: -1), A (q 2: 1 -> S += 1 / 2^1.25 x 4), C (q 1: 0).
    auto plan = RankingPlan();
    Place(*plan, "D", "C", D(2026, 9, 5, 18));
    Place(*plan, "D", "B", D(2026, 9, 12, 18));
    Place(*plan, "A", "D", D(2026, 9, 19, 18));
    Place(*plan, "B", "D", D(2027, 1, 16, 18));
    Place(*plan, "D", "A", D(2027, 1, 23, 18));
    Place(*plan, "C", "D", D(2027, 1, 30, 18));
    const double s = 2.0 + 1.0 / std::pow(2.0, 1.25) * 4;
    const double expected = std::pow(s / 8, 3) * 100;

    Lines lines;
    TKostenValue v = Term(*plan, "D", mktRanking, tmNormalMessage, &lines);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_NEAR(v.GesamtKosten, expected, expected * 1e-12);
    EXPECT_TRUE(lines.empty()); // the per-game lines need the detail mode

    v = Term(*plan, "D", mktRanking, tmDetailMessage, &lines);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_EQ(lines, (Lines{"Spiel gegen A sollte 2 Spieltage früher stattfinden",
                            "Spiel gegen A sollte 1 Spieltage früher stattfinden"}));

    // The distances per game of D's list, in list order.
    std::vector<int> diffs{99};
    T(*plan, "D").getRankingDiffs(*plan, diffs);
    EXPECT_EQ(diffs, (std::vector<int>{1, 2, 3, 2, 3, 1}));
    // A team that is not in the list has distance 0 to everybody.
    plan->RankingIndexe = {0, 1, 2};
    T(*plan, "D").getRankingDiffs(*plan, diffs);
    EXPECT_EQ(diffs, (std::vector<int>(6, 0)));
}

TEST(TeamCosts2, RankingGameOutsideTheRoundsAndEmptyList) {
    // The first game (at A, distance 3) lies before every round: its round index -1 equals the
    // starting one, so q drops from 0 to -1 and nothing counts. Then round 0: C (q 3), B (q 2: 0);
    // round 1 (factor 4): B (q 3), A (q 2: 1 -> S = 4 / 2^1.25), C (q 1: 0).
    auto plan = RankingPlan();
    Place(*plan, "A", "D", D(2026, 1, 10, 18));
    ASSERT_EQ(plan->GetRoundNumberByDate(D(2026, 1, 10, 18)), -1);
    Place(*plan, "D", "C", D(2026, 9, 5, 18));
    Place(*plan, "D", "B", D(2026, 9, 12, 18));
    Place(*plan, "B", "D", D(2027, 1, 16, 18));
    Place(*plan, "D", "A", D(2027, 1, 23, 18));
    Place(*plan, "C", "D", D(2027, 1, 30, 18));
    const double expected = std::pow(4.0 / std::pow(2.0, 1.25) / 8, 3) * 100;
    TKostenValue v = Term(*plan, "D", mktRanking);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_NEAR(v.GesamtKosten, expected, expected * 1e-12);

    // Without a seeding list the term is not computed and nothing is cached.
    auto unranked = RankingPlan("");
    ASSERT_TRUE(unranked->RankingIndexe.empty());
    Place(*unranked, "A", "D", D(2026, 9, 19, 18));
    EXPECT_DOUBLE_EQ(Term(*unranked, "D", mktRanking).GesamtKosten, 0.0);
    EXPECT_DOUBLE_EQ(Cached(*unranked, "D", mktRanking), -1.0);
}

// ---------------------------------------------------------------------------------------------
// mktMandatoryGames

namespace {

std::unique_ptr<TPlan> MandatoryPlan(const TCalculateOptions* options = nullptr) {
    auto plan =
        Build(PlanXml(Team("A", Home("05.09.2026 18:00")) + Team("B", Home("20.03.2027 18:00")) + Team("C") +
                          Team("D"),
                      "<mandatorygames datefrom=\"01.09.2026\" dateto=\"30.09.2026\" numbergames=\"3\"/>"
                      "<mandatorygames datefrom=\"01.02.2027\" dateto=\"28.02.2027\" numbergames=\"2\"/>"),
              options);
    // September: 01.09 18:00 (the first day counts) and 05.09; 01.10 is after the period.
    // February: 28.02 18:00 (the last day counts).
    Place(*plan, "A", "C", D(2026, 9, 1, 18));
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "B", "A", D(2026, 10, 1, 18));
    Place(*plan, "D", "A", D(2027, 2, 28, 18));
    return plan;
}

} // namespace

TEST(TeamCosts2, MandatoryGamesShortfalls) {
    // September: 2 of 3, February: 1 of 2: n = 2, AllCount 5, cost 2^2 x 1000 x 100.
    auto plan = MandatoryPlan();
    Lines lines;
    TKostenValue v = Term(*plan, "A", mktMandatoryGames, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 5);
    EXPECT_EQ(v.Anzahl, 2);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 4.0 * 1000 * 100);
    EXPECT_EQ(lines, (Lines{"1 Spiel(e) zu wenig vom Di 01.09.2026 - Mi 30.09.2026",
                            "1 Spiel(e) zu wenig vom Mo 01.02.2027 - So 28.02.2027"}));

    // Only the first round is generated: the February period adds nothing, not even to AllCount.
    TCalculateOptions options;
    options.RoundPlaning = rpFirstOnly;
    auto first = MandatoryPlan(&options);
    v = Term(*first, "A", mktMandatoryGames, tmNormalMessage, &lines);
    EXPECT_EQ(v.AllCount, 3);
    EXPECT_EQ(v.Anzahl, 1);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 1.0 * 1000 * 100);
    EXPECT_EQ(lines, (Lines{"1 Spiel(e) zu wenig vom Di 01.09.2026 - Mi 30.09.2026"}));

    // Enough games: cost 0, AllCount still the wished total.
    Place(*plan, "A", "D", D(2026, 9, 30, 10));
    Place(*plan, "C", "A", D(2027, 2, 1, 18));
    v = Term(*plan, "A", mktMandatoryGames);
    EXPECT_EQ(v.AllCount, 5);
    EXPECT_EQ(v.Anzahl, 0);
    EXPECT_DOUBLE_EQ(v.GesamtKosten, 0.0);
}
