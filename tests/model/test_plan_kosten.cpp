// The plan cost: hard terms, the bound and its checkpoints, club-internal games at the start,
// game-day terms, display levels, and the cached and bounded costs against their from-scratch twins.

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

constexpr double Hard = 10'000'000'000.0;

TCalculateOptions AllIgnored() {
    TCalculateOptions o;
    o.GewichtungMainMannschaftsKosten.fill(coIgnore);
    o.SpieltagGewichtung = coIgnore;
    o.SpieltagOverlapp = coIgnore;
    o.LastSpieltagGewichtung = coIgnore;
    o.LastSpieltagOverlapp = coIgnore;
    o.SisterTeamsAmAnfangGewichtung = coIgnore;
    return o;
}

std::string Team(const std::string& name, const std::string& id, const std::string& club,
                 const std::vector<std::string>& dates) {
    std::string xml = "<team teamname=\"" + name + "\" teamid=\"" + id + "\" clubid=\"" + club + "\">";
    for (const std::string& d : dates) {
        xml += "<homegameday datetime=\"" + d + "\"/>";
    }
    return xml + "</team>";
}

const std::string Season = "<plan name=\"L\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">";

void Place(TPlan& plan, const std::string& heim, const std::string& gast, TDateTime date, int nth = 0) {
    TMannschaft* h = plan.Mannschaften.FindByName(heim);
    TMannschaft* g = plan.Mannschaften.FindByName(gast);
    TGame* game = (*plan.GamesOfPairing(*h, *g))[static_cast<std::size_t>(nth)];
    TWunschTermin* w = h->WunschTermine.Find(date);
    game->setDate(date, w ? w->Options : TWunschterminOptions{}, w ? w->ParallelGames : 0, false, false, w);
    h->gamesRef.SortByDate();
    g->gamesRef.SortByDate();
}

} // namespace

TEST(PlanKosten, HardTermsAndTheBound) {
    auto plan = LoadPlanFromText(Season + Team("A", "1", "a", {"05.09.2026 18:00"}) +
                                 Team("B", "2", "b", {"12.09.2026 18:00"}) + "</plan>");
    plan->AssignOptions(AllIgnored());
    plan->RemoveNotValidDates();
    EXPECT_EQ(plan->CountUnscheduledGames(), 2);
    EXPECT_DOUBLE_EQ(plan->CalculateKosten(-1), 2 * Hard);
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "B", "A", D(2026, 9, 12, 18));
    EXPECT_DOUBLE_EQ(plan->CalculateKosten(-1), 0.0) << "everything ignored, every game dated and valid";

    // One game without date, then marked not necessary.
    plan->gamesAllowed[1]->setEmptyDate();
    EXPECT_DOUBLE_EQ(plan->CalculateFehlterminKosten(), Hard);
    std::vector<std::string> lines;
    EXPECT_EQ(plan->CountUnscheduledGames(&lines), 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"B - A"}));
    plan->gamesAllowed[1]->FNotNecessary = true;
    EXPECT_DOUBLE_EQ(plan->CalculateFehlterminKosten(), 0.0);
    plan->gamesAllowed[1]->FNotNecessary = false;

    // A bound below the unscheduled term stops before any team term is evaluated.
    TCalculateOptions normal;
    plan->AssignOptions(normal);
    plan->gamesAllowed[1]->setEmptyDate();
    plan->Mannschaften[0]->gamesRef.SortByDate();
    plan->Mannschaften[1]->gamesRef.SortByDate();
    for (const auto& team : plan->Mannschaften) {
        team->ClearKostenCache();
    }
    EXPECT_DOUBLE_EQ(plan->CalculateKosten(Hard / 2), -1.0);
    for (const auto& team : plan->Mannschaften) {
        for (const TKostenValue& v : team->KostenCache.Values) {
            EXPECT_EQ(v.GesamtKosten, -1.0) << "no team term ran";
        }
    }
    EXPECT_GE(plan->CalculateKosten(-1), Hard);
    EXPECT_EQ(plan->CalculateKosten(0), -1.0);
}

TEST(PlanKosten, FreeDaysAndNotAllowedGames) {
    auto plan = LoadPlanFromText(Season + Team("A", "1", "a", {"05.09.2026 18:00", "03.10.2026 18:00"}) +
                                 Team("B", "2", "b", {"12.09.2026 18:00"}) +
                                 "<nogameday date=\"03.10.2026\"/></plan>");
    plan->AssignOptions(AllIgnored());
    Place(*plan, "A", "B", D(2026, 10, 3, 18));
    EXPECT_DOUBLE_EQ(plan->CalculateFreeGameDateKosten(), Hard);
    std::vector<std::string> lines;
    EXPECT_EQ(plan->CountNotAllowedGames(&lines), 1) << "a free day is no allowed date";
    EXPECT_EQ(lines, (std::vector<std::string>{"Sa 03.10.2026 18:00: A - B"}));
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    EXPECT_DOUBLE_EQ(plan->CalculateFreeGameDateKosten(), 0.0);
    EXPECT_EQ(plan->CountNotAllowedGames(), 0);

    // Validated plans without couplings skip the test of every game.
    Place(*plan, "B", "A", D(2027, 1, 16, 18)); // second half, but not a wish date of B
    EXPECT_EQ(plan->CountNotAllowedGames(), 1);
    plan->AllDatesAreValid = true;
    EXPECT_EQ(plan->CountNotAllowedGames(), 0);
}

TEST(PlanKosten, SisterTeamsAtTheBeginningOfTheRound) {
    // A and A2 share a club; B and C are other clubs. Only the first round is generated.
    auto plan = LoadPlanFromText(
        Season +
        Team("A", "1", "club",
             {"05.09.2026 18:00", "12.09.2026 18:00", "19.09.2026 18:00", "26.09.2026 18:00"}) +
        Team("A2", "2", "club", {"06.09.2026 10:00", "13.09.2026 10:00", "20.09.2026 10:00"}) +
        Team("B", "3", "b", {"07.09.2026 20:00", "14.09.2026 20:00"}) +
        Team("C", "4", "c", {"08.09.2026 20:00", "15.09.2026 20:00"}) + "</plan>");
    TCalculateOptions o;
    o.RoundPlaning = rpFirstOnly;
    plan->AssignOptions(o);
    // A meets its sister first: nothing. A2 plays B and C before meeting A: 2 games for A2.
    Place(*plan, "A", "A2", D(2026, 9, 5, 18));
    Place(*plan, "B", "A2", D(2026, 9, 7, 20));
    Place(*plan, "C", "A2", D(2026, 9, 8, 20));
    EXPECT_EQ(plan->CountGamesBeforeSisterGames(), 0) << "A2 met A first (05.09)";
    EXPECT_DOUBLE_EQ(plan->CalculateSisterTeamsAmAnfang(), 300.0 * 100.0);
    // Now A2 plays B (07.09) and C (08.09) before it meets A (26.09): n = 2. A meets A2 in its first game.
    Place(*plan, "A", "A2", D(2026, 9, 26, 18));
    EXPECT_EQ(plan->CountGamesBeforeSisterGames(), 2);
    EXPECT_DOUBLE_EQ(plan->CalculateSisterTeamsAmAnfang(), 4.0 * 300.0 * 100.0);
    TCalculateOptions heavy = o;
    heavy.SisterTeamsAmAnfangGewichtung = coExtremHoch;
    plan->AssignOptions(heavy);
    Place(*plan, "A", "A2", D(2026, 9, 26, 18));
    Place(*plan, "B", "A2", D(2026, 9, 7, 20));
    Place(*plan, "C", "A2", D(2026, 9, 8, 20));
    EXPECT_DOUBLE_EQ(plan->CalculateSisterTeamsAmAnfang(), 4.0 * 300.0 * 100000.0);
    // A game in the second half (not generated) does not count.
    Place(*plan, "A2", "B", D(2027, 1, 10, 10));
    EXPECT_EQ(plan->CountGamesBeforeSisterGames(), 2);
}

TEST(PlanKosten, GameDayTerms) {
    auto plan = LoadPlanFromText(Season + Team("A", "1", "a", {}) + Team("B", "2", "b", {}) +
                                 Team("C", "3", "c", {}) + Team("D", "4", "d", {}) + "</plan>");
    plan->AssignOptions(TCalculateOptions());
    double breite = 0;
    double overlap = 0;
    double lastBreite = 0;
    double lastOverlap = 0;
    // No game dated: each of the 6 game days (every team has 6 games) adds factor x 3^0.
    plan->CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    EXPECT_DOUBLE_EQ(breite, 600.0);
    EXPECT_DOUBLE_EQ(lastBreite, 500.0);
    EXPECT_DOUBLE_EQ(overlap, 0.0);

    // Undated games sort first, so the dated ones are the last game days:
    // A [.. 05.09 A-B, 12.09 A-C] (days 4, 5), B [.. 05.09] (day 5), C [.. 12.09, 20.09 C-D] (4, 5), D
    // [.. 20.09] (5).
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "C", "D", D(2026, 9, 20, 18));
    // Days 0-3 empty: 4 x 100. Day 4: 05.09 and 12.09: span 7, s = 2.8, sigma 3.5 / 1.4 > 0.99 -> b = 0.99;
    // E = [12.09]. Day 5: 12.09, 05.09, 20.09, 20.09: 12.09 is 7 days after the start 05.09 ->
    // (7/8 + 1) x 5 = 9.375 (last day: x 20 = 187.5); span 15, s = 6, sigma 6.26 / 3 > 0.99 -> b = 0.99.
    plan->CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    const double b = std::pow(3.0, 0.99);
    EXPECT_DOUBLE_EQ(breite, 400 + 100 * b + 100 * b);
    EXPECT_DOUBLE_EQ(overlap, 100.0 * 9.375);
    EXPECT_DOUBLE_EQ(lastBreite, 100.0 * b * 5.0);
    EXPECT_DOUBLE_EQ(lastOverlap, 100.0 * 187.5);

    TCalculateOptions o;
    o.LastSpieltagOverlapp = coHoch;
    o.SpieltagOverlapp = coExtremHoch;
    plan->AssignOptions(o);
    Place(*plan, "A", "B", D(2026, 9, 5, 18));
    Place(*plan, "A", "C", D(2026, 9, 12, 18));
    Place(*plan, "C", "D", D(2026, 9, 20, 18));
    Place(*plan, "D", "A", D(2026, 9, 19, 18));
    // A [.. 05.09, 12.09, 19.09] (3-5), B [.. 05.09] (5), C [.. 12.09, 20.09] (4, 5), D [.. 19.09, 20.09] (4,
    // 5). Day 3: 05.09 -> E = [05.09]. Day 4: 12.09, 12.09, 19.09: 05.09 lies before 12.09 -> nothing; E
    // += 19.09. Day 5: start 05.09: 19.09 -> (14/8 + 1) x 5 = 13.75 (last: 275), 05.09 -> (0/8 + 1) x 25 = 25
    // (last: 500).
    plan->CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    EXPECT_DOUBLE_EQ(overlap, 100000.0 * (13.75 + 25.0));
    EXPECT_DOUBLE_EQ(lastOverlap, 1000.0 * 500.0);

    // Caps.
    o.SpieltagOverlapp = coExtremHoch;
    o.SpieltagGewichtung = coExtremHoch;
    o.LastSpieltagGewichtung = coExtremHoch;
    plan->AssignOptions(o);
    plan->CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    EXPECT_LE(breite, 1e9);
    EXPECT_LE(overlap, 1e9);
}

TEST(PlanKosten, DisplayIntegerFoldsTheThreeWeights) {
    auto plan = LoadPlanFromText(Season + Team("A", "1", "a", {}) + Team("B", "2", "b", {}) + "</plan>");
    TCalculateOptions o;
    o.GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)] = coHoch;
    o.GewichtungMannschaften.addMain("1", coSehrHoch);
    o.GewichtungMannschaften.addDetail("1", mktEngeTermine, coWenig);
    o.GewichtungMannschaften.addDetail("2", mktRanking, coIgnore);
    plan->AssignOptions(o);
    const TMannschaft& a = *plan->Mannschaften.FindByName("A");
    const TMannschaft& b = *plan->Mannschaften.FindByName("B");
    EXPECT_EQ(plan->GetMannschaftKostenDisplayInteger(a, mktSperrTermine), 3);
    EXPECT_EQ(plan->GetMannschaftKostenDisplayInteger(a, mktEngeTermine), 1);
    EXPECT_EQ(plan->GetMannschaftKostenDisplayInteger(b, mktEngeTermine), 0);
    EXPECT_EQ(plan->GetMannschaftKostenDisplayInteger(b, mktRanking), -1000);
    EXPECT_DOUBLE_EQ(plan->TeamTermWeight(a, mktSperrTermine), 1000.0 * 10000.0 / 100.0);
    EXPECT_DOUBLE_EQ(plan->TeamTermWeight(a, mktEngeTermine), 100.0 * 10000.0 / 100.0 * 10.0 / 100.0);
    EXPECT_DOUBLE_EQ(plan->TeamTermWeight(b, mktRanking), 0.0);
    EXPECT_DOUBLE_EQ(plan->TeamTermWeight(b, mktHalleBelegt), 100.0);
}
