// Teams: loading from the plan data, free dates, coupling rules and partners, hall occupancy,
// parallel games, away-coupling dependencies, diagnostics, close games and the team list.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/PlanUtils.h"
#include "model/Mannschaft.h"
#include "model/ModelTestUtil.h"
#include "model/Plan.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::LoadPlanFromText;

namespace {

std::string PlanText(const std::string& teams, const std::string& gender = "Herren") {
    return "<plan name=\"T\" id=\"1\" gender=\"" + gender +
           "\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">" + teams + "</plan>";
}

std::string Team(const std::string& name, const std::string& club, int number, const std::string& body = "",
                 const std::string& extra = "homerights=\"-1\"") {
    return "<team teamname=\"" + name + "\" teamid=\"id" + name + "\" clubid=\"" + club + "\" teamnumber=\"" +
           std::to_string(number) + "\" " + extra + ">" + body + "</team>";
}

std::string Home(const std::string& dateTime, const std::string& attrs = "") {
    return "<homegameday datetime=\"" + dateTime + "\" " + attrs + "/>";
}

std::string Koppel(const std::string& dateTime) {
    return Home(dateTime, "couplegameday=\"true\" coupleprio=\"1\" couplesecondtime=\"10:00\"");
}

std::string Road(const std::string& a, const std::string& b, const std::string& sameDay) {
    return "<roadcouple teamnamea=\"" + a + "\" teamnameb=\"" + b + "\"" +
           (sameDay.empty() ? std::string() : " sameday=\"" + sameDay + "\"") + "/>";
}

std::string SisterTeam(const std::string& name, const std::string& gender, int number,
                       const std::string& games, const std::string& extra = "") {
    return "<sisterteam teamname=\"" + name + "\" gender=\"" + gender + "\" teamnumber=\"" +
           std::to_string(number) + "\" " + extra + ">" + games + "</sisterteam>";
}

std::string SisterGame(const std::string& dateTime, const std::string& home, const std::string& guest,
                       const std::string& extra = "") {
    return "<sistergame datetime=\"" + dateTime + "\" hometeamname=\"" + home + "\" guestteamname=\"" +
           guest + "\" " + extra + "/>";
}

TMannschaft& T(const TPlan& plan, const std::string& name) {
    TMannschaft* team = plan.Mannschaften.FindByName(name);
    EXPECT_NE(team, nullptr) << name;
    return *team;
}

TWunschTermin* FindWish(const TMannschaft& team, TDateTime date) {
    for (const auto& w : team.WunschTermine) {
        if (ToMilliseconds(w->Date) == ToMilliseconds(date)) {
            return w.get();
        }
    }
    return nullptr;
}

void SortAllGameRefs(TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        team->gamesRef.SortByDate();
    }
}

/// Dates the first undated game home - guest; on the home team's wish date when there is one.
TGame* SetGame(TPlan& plan, const std::string& home, const std::string& guest, TDateTime date) {
    TMannschaft& h = T(plan, home);
    const std::vector<TGame*>* games = plan.GamesOfPairing(h, T(plan, guest));
    if (games == nullptr) {
        ADD_FAILURE() << home << " - " << guest;
        return nullptr;
    }
    for (TGame* game : *games) {
        if (!game->DateValid()) {
            TWunschTermin* w = FindWish(h, date);
            game->setDate(w != nullptr ? w->Date : date, w != nullptr ? w->Options : TWunschterminOptions{},
                          w != nullptr ? w->ParallelGames : 0, false, false, w);
            SortAllGameRefs(plan);
            return game;
        }
    }
    ADD_FAILURE() << "no undated game " << home << " - " << guest;
    return nullptr;
}

const TWunschTermin& Wish(const TPlan& plan, const std::string& team, TDateTime date) {
    const TWunschTermin* w = FindWish(T(plan, team), date);
    EXPECT_NE(w, nullptr) << team;
    static const TWunschTermin none;
    return w != nullptr ? *w : none;
}

/// The partner rule taken literally (recursive), to check the chain walk against.
TGame* NaiveForward(const TMannschaft& team, int i) {
    const int n = static_cast<int>(team.gamesRef.size());
    if (i >= n - 1) {
        return nullptr;
    }
    if (team.InternIsKoppeledGames(*team.gamesRef[i], *team.gamesRef[i + 1]) &&
        NaiveForward(team, i + 1) == nullptr) {
        return team.gamesRef[i + 1];
    }
    return nullptr;
}

TGame* NaivePartner(const TMannschaft& team, int i) {
    if (TGame* forward = NaiveForward(team, i)) {
        return forward;
    }
    if (i > 0 && NaiveForward(team, i - 1) == team.gamesRef[i]) {
        return team.gamesRef[i - 1];
    }
    return nullptr;
}

void ExpectPartnersMatchRule(const TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        for (int i = 0; i < static_cast<int>(team->gamesRef.size()); ++i) {
            EXPECT_EQ(team->getKoppeledGame(i), NaivePartner(*team, i)) << team->teamName << " " << i;
            EXPECT_EQ(team->getForwardKoppeledGame(i), NaiveForward(*team, i)) << team->teamName << " " << i;
        }
    }
}

// ---------------------------------------------------------------------------------------------

std::string LoadTestPlan() {
    const std::string a =
        Home("12.09.2026 18:00",
             "couplegameday=\"true\" coupleprio=\"2\" couplesecondtime=\"14:00\" location=\"3\"") +
        Home("19.09.2026 18:00", "couplegameday=\"true\" coupleprio=\"0\" couplesecondtime=\"14:30\"") +
        Home("05.09.2026 18:00", "couplegameday=\"true\" coupleprio=\"1\" couplesecondtime=\"14:00\" "
                                 "coupleauswaertssecondtime=\"true\"") +
        Home("26.09.2026 18:00", "doublegameday=\"true\" location=\"x\"") +
        Home("03.10.2026 18:00", "doublegameday=\"true\" coupleprio=\"1\"") +
        Home("10.10.2026 18:00", "doublegameday=\"true\" coupleprio=\"2\" ausweichtermin=\"true\"") +
        Home("17.10.2026 19:30", "coupleauswaertssecondtime=\"true\" couplesecondtime=\"15:30\" "
                                 "parallelgames=\"2\" location=\"3\"") +
        Home("24.10.2026 18:00") + "<nogameday date=\"07.11.2026\"/><nogameday date=\"31.10.2026\"/>" +
        Road("B", "C", "") + Road("B", "D", "1") + Road("C", "D", "2") +
        "<homerights teamname=\"B\" homeright=\"0\"/><homerights teamname=\"C\" homeright=\"1\"/>"
        "<homerights teamname=\"D\" homeright=\"2\"/><noweekgames teamname=\"D\"/>" +
        SisterTeam("A Damen", "Damen", 1,
                   SisterGame("05.09.2026 15:00", "A Damen", "X") +
                       SisterGame("06.09.2026 15:00", "Y", "A Damen") +
                       SisterGame("13.09.2026 15:00", "Z", "A Damen", "location=\"5\"") +
                       SisterGame("20.09.2026 15:00", "A Damen", "X", "location=\"1\""),
                   "location=\"4\" noparallelgames=\"true\" parallelhomegames=\"true\"");
    return PlanText(Team("A", "c1", 2, a, "location=\"2\"") + Team("B", "c2", 1, "", "homerights=\"3\"") +
                    Team("C", "c3", 1) + Team("D", "c4", 1));
}

TEST(Mannschaft, LoadReadsTeamWishesAndOptions) {
    auto plan = LoadPlanFromText(LoadTestPlan());
    const TMannschaft& a = T(*plan, "A");
    EXPECT_EQ(a.clubID, "c1");
    EXPECT_EQ(a.teamId, "idA");
    EXPECT_EQ(a.teamNumber, 2);
    EXPECT_EQ(a.DefaultLocation, "2");
    EXPECT_EQ(a.HomeRightCountRoundOne, -1); // no attribute: automatic
    EXPECT_EQ(T(*plan, "B").HomeRightCountRoundOne, 3);

    ASSERT_EQ(a.WunschTermine.size(), 8U);
    for (std::size_t i = 1; i < a.WunschTermine.size(); ++i) {
        EXPECT_LT(a.WunschTermine[i - 1].Date, a.WunschTermine[i].Date);
    }
    const TWunschTermin& w0509 = Wish(*plan, "A", D(2026, 9, 5, 18, 0));
    EXPECT_EQ(w0509.Options, TWunschterminOptions({woKoppelSoft})); // same-day coupling: no alternative time
    EXPECT_EQ(ToMilliseconds(w0509.KoppelSecondTime), ToMilliseconds(D(2026, 9, 5, 14, 0)));
    EXPECT_EQ(w0509.Location, "2");
    const TWunschTermin& w1909 = Wish(*plan, "A", D(2026, 9, 19, 18, 0));
    EXPECT_EQ(w1909.Options, TWunschterminOptions({woKoppelPossible}));
    EXPECT_EQ(w1909.KoppelSecondTime, NormalizeDateTime(w1909.KoppelSecondTime));
    EXPECT_EQ(ToMilliseconds(w1909.KoppelSecondTime), ToMilliseconds(D(2026, 9, 19, 14, 30)));
    EXPECT_EQ(Wish(*plan, "A", D(2026, 9, 12, 18, 0)).Options, TWunschterminOptions({woKoppelHard}));
    EXPECT_EQ(Wish(*plan, "A", D(2026, 9, 12, 18, 0)).Location, "3");
    const TWunschTermin& w2609 = Wish(*plan, "A", D(2026, 9, 26, 18, 0));
    EXPECT_EQ(w2609.Options, TWunschterminOptions({woKoppelDoubleDatePossible}));
    EXPECT_EQ(w2609.KoppelSecondTime, 0.0);
    EXPECT_EQ(w2609.Location, "2"); // an invalid location falls back to the team's
    EXPECT_EQ(Wish(*plan, "A", D(2026, 10, 3, 18, 0)).Options,
              TWunschterminOptions({woKoppelDoubleDateSoft}));
    EXPECT_EQ(Wish(*plan, "A", D(2026, 10, 10, 18, 0)).Options,
              TWunschterminOptions({woKoppelDoubleDateHard}));
    const TWunschTermin& w1710 = Wish(*plan, "A", D(2026, 10, 17, 19, 30));
    EXPECT_EQ(w1710.Options, TWunschterminOptions({woAuswaertsKoppelHasSecondTime}));
    EXPECT_EQ(ToMilliseconds(w1710.KoppelSecondTime), ToMilliseconds(D(2026, 10, 17, 15, 30)));
    EXPECT_EQ(w1710.ParallelGames, 2);
    EXPECT_EQ(w1710.Location, "3");
    EXPECT_TRUE(Wish(*plan, "A", D(2026, 10, 24, 18, 0)).Options.Empty());

    EXPECT_EQ(static_cast<const std::vector<TDateTime>&>(a.AusweichTermine),
              std::vector<TDateTime>{D(2026, 10, 10)});
    EXPECT_TRUE(a.isAusWeichTermin(D(2026, 10, 10, 20, 0)));
    EXPECT_FALSE(a.isAusWeichTermin(D(2026, 10, 11, 18, 0)));
    EXPECT_EQ(static_cast<const std::vector<TDateTime>&>(a.SperrTermine),
              (std::vector<TDateTime>{D(2026, 10, 31), D(2026, 11, 7)}));

    ASSERT_EQ(a.AuswaertsKoppel.size(), 3U);
    EXPECT_EQ(a.AuswaertsKoppel[0].Option, ktSameDay); // no "sameday"
    EXPECT_EQ(a.AuswaertsKoppel[1].Option, ktDiffDay);
    EXPECT_EQ(a.AuswaertsKoppel[2].Option, ktAllDay);
    EXPECT_EQ(a.AuswaertsKoppel[1].TeamB, "D");
    ASSERT_EQ(a.HomeRights.size(), 2U); // homeright 0 adds nothing
    EXPECT_EQ(a.HomeRights.getValueForTeam("C"), hrRound1);
    EXPECT_EQ(a.HomeRights.getValueForTeam("D"), hrRound2);
    EXPECT_EQ(a.noWeekGame, std::vector<std::string>{"D"});
}

TEST(Mannschaft, LoadReadsSisterGamesAndBuildsCache) {
    auto plan = LoadPlanFromText(LoadTestPlan());
    TMannschaft& a = T(*plan, "A");
    const TSisterGames* home = a.sisterGames.get(D(2026, 9, 5, 9, 0));
    ASSERT_NE(home, nullptr);
    ASSERT_EQ(home->size(), 1U);
    const TSisterGame& g = (*home)[0];
    EXPECT_TRUE(g.IsHomeGame);
    EXPECT_EQ(g.Location, "4"); // the sister team's hall
    EXPECT_EQ(g.Number, 1);
    EXPECT_EQ(g.gender, "Damen");
    EXPECT_EQ(g.teamName, "A Damen");
    EXPECT_EQ(g.GuestMannschaftName, "X");
    EXPECT_TRUE(g.PreventParallelGame);
    EXPECT_TRUE(g.ForceParallelHomeGames);
    const TSisterGame& away = (*a.sisterGames.get(D(2026, 9, 6)))[0];
    EXPECT_FALSE(away.IsHomeGame);
    EXPECT_EQ(away.Location, "");
    EXPECT_EQ((*a.sisterGames.get(D(2026, 9, 13)))[0].Location, "5"); // the game's own hall
    EXPECT_EQ((*a.sisterGames.get(D(2026, 9, 20)))[0].Location, "1");

    const TMannschaftDataCache& cache = a.getCache(*plan);
    EXPECT_EQ(cache.CachedTeamsForForceHomeGames, std::vector<std::string>{"Damen\nA Damen"});
    EXPECT_EQ(cache.CachedAuswaertsKoppelTeams.TeamsOnDay, (std::vector<std::string>{"B", "C", "D"}));
    const auto& ids = cache.CachedAuswaertsKoppelTeams.TeamIdToTeamId;
    EXPECT_EQ(ids.at("idB"), (std::vector<std::string>{"idC", "idD"}));
    EXPECT_EQ(ids.at("idD"), (std::vector<std::string>{"idB", "idC"}));
    EXPECT_EQ(&a.getCache(*plan), &cache);

    TMannschaft copy(7);
    copy.Assign(a);
    EXPECT_EQ(copy.Index, 7);
    EXPECT_EQ(copy.teamName, "A");
    EXPECT_EQ(copy.WunschTermine.size(), a.WunschTermine.size());
    EXPECT_EQ(copy.SperrTermine, a.SperrTermine);
    EXPECT_EQ(copy.HomeRights.size(), 2U);
    EXPECT_EQ(copy.AuswaertsKoppel[2].CachedMannschaftA, nullptr);
    EXPECT_EQ(copy.sisterGames.values.size(), 4U);
    EXPECT_TRUE(copy.gamesRef.empty());
    EXPECT_TRUE(copy.SisterTeamsInPlan.empty());
    EXPECT_EQ(copy.HomeRightCountRoundOne, -1);
}

// ---------------------------------------------------------------------------------------------

TEST(Mannschaft, TerminNotFreeWithoutCouplingData) {
    auto plan = LoadPlanFromText(PlanText(
        Team("A", "c1", 1, Home("05.09.2026 14:00") + Home("05.09.2026 20:00") + Home("12.09.2026 14:00")) +
        Team("B", "c2", 1) + Team("C", "c3", 1)));
    TMannschaft& a = T(*plan, "A");
    TGame* ab = SetGame(*plan, "A", "B", D(2026, 9, 5, 14, 0));
    const TWunschTermin& late = Wish(*plan, "A", D(2026, 9, 5, 20, 0));
    EXPECT_FALSE(a.IsTerminFree(late, *plan, &a, &T(*plan, "C"), nullptr, false));
    EXPECT_TRUE(T(*plan, "C").IsTerminFree(late, *plan, &a, &T(*plan, "C"), nullptr, false));
    EXPECT_TRUE(a.IsTerminFree(late, *plan, &a, &T(*plan, "C"), ab, false)); // the ignored game
    EXPECT_TRUE(
        a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 12, 14, 0)), *plan, &a, &T(*plan, "C"), nullptr, false));
}

TEST(Mannschaft, TerminFreeForHomeCouplingAndSecondTimes) {
    auto plan = LoadPlanFromText(PlanText(
        Team("A", "c1", 1,
             Koppel("05.09.2026 14:00") + Koppel("05.09.2026 17:30") + Koppel("05.09.2026 17:29") +
                 Home("05.09.2026 20:00") + Home("12.09.2026 14:00") + Koppel("12.09.2026 18:00")) +
        Team("B", "c2", 1) + Team("C", "c3", 1, Home("05.09.2026 09:00") + Home("05.09.2026 21:00")) +
        Team("D", "c4", 1)));
    TMannschaft& a = T(*plan, "A");
    TMannschaft& c = T(*plan, "C");
    TGame* ab = SetGame(*plan, "A", "B", D(2026, 9, 5, 14, 0));
    EXPECT_TRUE(a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 17, 30)), *plan, &a, &c, nullptr, false));
    EXPECT_FALSE(a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 17, 29)), *plan, &a, &c, nullptr, false));
    EXPECT_FALSE(a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 20, 0)), *plan, &a, &c, nullptr, false));
    // As guest on the same day: no away wish, so not free.
    EXPECT_FALSE(a.IsTerminFree(Wish(*plan, "C", D(2026, 9, 5, 21, 0)), *plan, &c, &a, nullptr, false));

    // The existing game must lie on a coupling date too.
    TGame* ac = SetGame(*plan, "A", "C", D(2026, 9, 12, 14, 0));
    EXPECT_FALSE(
        a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 12, 18, 0)), *plan, &a, &T(*plan, "D"), nullptr, false));

    // A second same-day game that is not usable spoils the usable one.
    TGame* ca = SetGame(*plan, "C", "A", D(2026, 9, 5, 9, 0));
    EXPECT_FALSE(
        a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 17, 30)), *plan, &a, &T(*plan, "D"), nullptr, false));
    EXPECT_TRUE(
        a.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 17, 30)), *plan, &a, &T(*plan, "D"), ca, false));
    ca->setEmptyDate();
    SortAllGameRefs(*plan);

    // Second start times serve couplings only; a usable same-day game makes them free again.
    TWunschTermin second;
    second.Assign(Wish(*plan, "A", D(2026, 9, 5, 17, 30)));
    second.Options.Include(woKoppelSecondTime);
    TMannschaft& d = T(*plan, "D");
    EXPECT_TRUE(a.IsTerminFree(second, *plan, &a, &d, nullptr, false));
    EXPECT_FALSE(a.IsTerminFree(second, *plan, &a, &d, ab, false));
    EXPECT_TRUE(a.IsTerminFree(second, *plan, &a, &d, ab, true));
    EXPECT_TRUE(d.IsTerminFree(second, *plan, &a, &d, nullptr, false));

    TWunschTermin awaySecond;
    awaySecond.Assign(Wish(*plan, "A", D(2026, 9, 12, 18, 0)));
    awaySecond.Options.Include(woAuswaertsKoppelSecondTime);
    EXPECT_FALSE(d.IsTerminFree(awaySecond, *plan, &a, &d, nullptr, false));
    EXPECT_TRUE(d.IsTerminFree(awaySecond, *plan, &a, &d, nullptr, true));
    EXPECT_TRUE(a.IsTerminFree(awaySecond, *plan, &a, &d, ac, false)); // the home team may use it
}

std::string AwayPlan() {
    // D: same day at B and C; E: consecutive days; F: either.
    return PlanText(
        Team("A", "c1", 1, Home("05.09.2026 17:30")) +
        Team("B", "c2", 1, Home("05.09.2026 14:00") + Home("05.09.2026 14:01")) +
        Team("C", "c3", 1, Home("05.09.2026 17:30") + Home("05.09.2026 17:29") + Home("06.09.2026 10:00")) +
        Team("D", "c4", 1, Road("B", "C", "0")) + Team("E", "c5", 1, Road("C", "B", "1")) +
        Team("F", "c6", 1, Road("B", "C", "2")));
}

TEST(Mannschaft, TerminFreeForAwayCoupling) {
    auto plan = LoadPlanFromText(AwayPlan());
    TMannschaft& c = T(*plan, "C");
    const TWunschTermin& c1730 = Wish(*plan, "C", D(2026, 9, 5, 17, 30));
    const TWunschTermin& c1729 = Wish(*plan, "C", D(2026, 9, 5, 17, 29));
    for (const char* guest : {"D", "E", "F"}) {
        SetGame(*plan, "B", guest, D(2026, 9, 5, 14, 0));
    }
    TMannschaft& d = T(*plan, "D");
    TMannschaft& e = T(*plan, "E");
    TMannschaft& f = T(*plan, "F");
    EXPECT_TRUE(d.IsTerminFree(c1730, *plan, &c, &d, nullptr, false));
    EXPECT_FALSE(d.IsTerminFree(c1729, *plan, &c, &d, nullptr, false));
    EXPECT_FALSE(e.IsTerminFree(c1730, *plan, &c, &e, nullptr, false)); // overnight wish only
    EXPECT_TRUE(f.IsTerminFree(c1730, *plan, &c, &f, nullptr, false));
    EXPECT_FALSE(f.IsTerminFree(c1729, *plan, &c, &f, nullptr, false));
    // A home team outside the wish.
    TMannschaft& a = T(*plan, "A");
    EXPECT_FALSE(d.IsTerminFree(Wish(*plan, "A", D(2026, 9, 5, 17, 30)), *plan, &a, &d, nullptr, false));
}

TEST(Mannschaft, AwayCouplingRule) {
    auto plan = LoadPlanFromText(AwayPlan());
    const TMannschaft& d = T(*plan, "D");
    const TMannschaft& e = T(*plan, "E");
    const TMannschaft& f = T(*plan, "F");
    const TDateTime sat14 = D(2026, 9, 5, 14, 0);
    // ktSameDay
    EXPECT_TRUE(d.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 17, 30), "C"));
    EXPECT_TRUE(d.IsAuswaertsKoppelMatch(D(2026, 9, 5, 17, 30), "C", sat14, "B"));
    EXPECT_FALSE(d.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 17, 29), "C"));
    EXPECT_FALSE(d.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 6, 14, 0), "C"));
    EXPECT_FALSE(d.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 18, 0), "A"));
    // ktDiffDay
    EXPECT_FALSE(e.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 20, 0), "C"));
    EXPECT_TRUE(e.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 6, 10, 0), "C"));
    EXPECT_FALSE(e.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 7, 14, 0), "C"));
    // ktAllDay: 3 h 30 min on the full date-time difference, across midnight too
    EXPECT_TRUE(f.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 17, 30), "C"));
    EXPECT_FALSE(f.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 5, 17, 29), "C"));
    EXPECT_FALSE(f.IsAuswaertsKoppelMatch(D(2026, 9, 5, 22, 0), "B", D(2026, 9, 6, 1, 29), "C"));
    EXPECT_TRUE(f.IsAuswaertsKoppelMatch(D(2026, 9, 5, 22, 0), "B", D(2026, 9, 6, 1, 30), "C"));
    EXPECT_TRUE(f.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 6, 10, 0), "C"));
    EXPECT_FALSE(f.IsAuswaertsKoppelMatch(sat14, "B", D(2026, 9, 7, 10, 0), "C"));

    // The game form needs this team as the guest of both.
    TGame* bd = SetGame(*plan, "B", "D", sat14);
    TGame* cd = SetGame(*plan, "C", "D", D(2026, 9, 5, 17, 30));
    EXPECT_TRUE(d.IsAuswaertsKoppeledGames(*bd, *cd));
    EXPECT_TRUE(d.InternIsKoppeledGames(*cd, *bd));
    EXPECT_EQ(d.getKoppeledGame(bd), cd);
    EXPECT_EQ(d.getKoppeledGame(cd), bd);
    EXPECT_FALSE(T(*plan, "B").IsAuswaertsKoppeledGames(*bd, *cd));
    EXPECT_EQ(T(*plan, "B").getKoppeledGame(bd), nullptr);
}

TEST(Mannschaft, PartnerChainsPairFromTheEnd) {
    auto plan = LoadPlanFromText(
        PlanText(Team("A", "c1", 1,
                      Koppel("05.09.2026 14:00") + Koppel("05.09.2026 18:00") + Koppel("06.09.2026 14:00") +
                          Koppel("06.09.2026 18:00") + Home("10.09.2026 18:00")) +
                 Team("B", "c2", 1) + Team("C", "c3", 1) + Team("D", "c4", 1) + Team("E", "c5", 1) +
                 Team("F", "c6", 1)));
    const TMannschaft& a = T(*plan, "A");
    TGame* g1 = SetGame(*plan, "A", "B", D(2026, 9, 5, 14, 0));
    TGame* g2 = SetGame(*plan, "A", "C", D(2026, 9, 5, 18, 0));
    TGame* g3 = SetGame(*plan, "A", "D", D(2026, 9, 6, 14, 0));
    // Three pair-able games: only the last two pair.
    EXPECT_EQ(a.getKoppeledGame(g1), nullptr);
    EXPECT_EQ(a.getKoppeledGame(g2), g3);
    EXPECT_EQ(a.getKoppeledGame(g3), g2);
    const int i2 = a.gamesRef.IndexOf(g2);
    EXPECT_EQ(a.getForwardKoppeledGame(i2), g3);
    EXPECT_EQ(a.getBackwardKoppeledGame(i2), nullptr);
    EXPECT_EQ(a.getBackwardKoppeledGame(i2 + 1), g2);
    EXPECT_EQ(a.getForwardKoppeledGame(i2 + 1), nullptr);
    ExpectPartnersMatchRule(*plan);

    // Four: 1-2 and 3-4.
    TGame* g4 = SetGame(*plan, "A", "E", D(2026, 9, 6, 18, 0));
    EXPECT_EQ(a.getKoppeledGame(g1), g2);
    EXPECT_EQ(a.getKoppeledGame(g2), g1);
    EXPECT_EQ(a.getKoppeledGame(g3), g4);
    EXPECT_EQ(a.getKoppeledGame(g4), g3);
    // A plain date after the chain does not extend it.
    TGame* g5 = SetGame(*plan, "A", "F", D(2026, 9, 10, 18, 0));
    EXPECT_EQ(a.getKoppeledGame(g5), nullptr);
    EXPECT_EQ(a.getKoppeledGame(g4), g3);
    ExpectPartnersMatchRule(*plan);

    // An away game in the middle breaks the chain.
    g2->setEmptyDate();
    SetGame(*plan, "B", "A", D(2026, 9, 5, 18, 0));
    EXPECT_EQ(a.getKoppeledGame(g1), nullptr);
    EXPECT_EQ(a.getKoppeledGame(g3), g4);
    ExpectPartnersMatchRule(*plan);
    EXPECT_EQ(a.getKoppeledGame(-1), nullptr);
    EXPECT_EQ(a.getKoppeledGame(static_cast<int>(a.gamesRef.size())), nullptr);

    EXPECT_EQ(a.getGameCount(D(2026, 9, 5, 14, 0), D(2026, 9, 6, 18, 0)), 4);
    EXPECT_EQ(a.getGameCount(D(2026, 9, 5, 14, 1), D(2026, 9, 6, 17, 59)), 2);
}

TEST(Mannschaft, CloseGames) {
    auto plan = LoadPlanFromText(
        PlanText(Team("A", "c1", 1,
                      Koppel("05.09.2026 14:00") + Koppel("05.09.2026 18:00") + Koppel("06.09.2026 14:00") +
                          Home("08.09.2026 18:00") + Home("11.09.2026 18:00")) +
                 Team("B", "c2", 1) + Team("C", "c3", 1) + Team("D", "c4", 1) + Team("E", "c5", 1) +
                 Team("F", "c6", 1)));
    SetGame(*plan, "A", "B", D(2026, 9, 5, 14, 0));
    SetGame(*plan, "A", "C", D(2026, 9, 5, 18, 0));
    SetGame(*plan, "A", "D", D(2026, 9, 6, 14, 0));
    SetGame(*plan, "A", "E", D(2026, 9, 8, 18, 0));
    SetGame(*plan, "A", "F", D(2026, 9, 11, 18, 0));
    std::vector<std::string> lines;
    T(*plan, "A").getCloseGames(*plan, lines);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Sa 05.09.2026 - Sa 05.09.2026", "So 06.09.2026 - Di 08.09.2026"}));
}

// ---------------------------------------------------------------------------------------------

TEST(Mannschaft, HallOccupancy) {
    const std::string sister = SisterTeam(
        "A Damen", "Damen", 1,
        SisterGame("05.09.2026 16:31", "A Damen", "X1") + SisterGame("05.09.2026 16:30", "A Damen", "X2") +
            SisterGame("05.09.2026 19:29", "A Damen", "X3") +
            SisterGame("05.09.2026 19:30", "A Damen", "X4") + SisterGame("05.09.2026 18:00", "Y", "A Damen") +
            SisterGame("05.09.2026 18:01", "A Damen", "X5", "location=\"1\""));
    auto plan = LoadPlanFromText(PlanText(
        Team("A", "c1", 1, Home("05.09.2026 18:00") + sister) +
        Team("B", "c1", 2, Home("05.09.2026 17:00") + Home("05.09.2026 19:31") + Home("05.09.2026 18:30")) +
        Team("C", "c2", 1, Home("05.09.2026 18:00")) + Team("D", "c3", 1)));
    const TMannschaft& a = T(*plan, "A");
    const TDateTime date = D(2026, 9, 5, 18, 0);
    int num = -1;
    std::string text = "old";
    a.GetHallenBelegung(date, "", *plan, num, text, true, false);
    EXPECT_EQ(num, 2);
    EXPECT_EQ(text, "A Damen (Damen), A Damen (Damen)");
    a.GetHallenBelegung(date, "1", *plan, num, text, true, false);
    EXPECT_EQ(num, 1);

    SetGame(*plan, "B", "C", D(2026, 9, 5, 17, 0));  // counts
    SetGame(*plan, "B", "D", D(2026, 9, 5, 19, 31)); // 1 h 31 min away
    SetGame(*plan, "C", "B", D(2026, 9, 5, 18, 0));  // B is the guest
    a.GetHallenBelegung(date, "", *plan, num, text, true, false);
    EXPECT_EQ(num, 3);
    EXPECT_EQ(text, "A Damen (Damen), A Damen (Damen), B (Herren)");
    a.GetHallenBelegung(date, "", *plan, num, text, false, true);
    EXPECT_EQ(num, 2);
    EXPECT_EQ(text, "");
    // A game of this team at the sister team does not count; another hall does not either.
    SetGame(*plan, "B", "A", D(2026, 9, 5, 18, 30));
    for (TGame* g : T(*plan, "B").gamesRef) {
        if (g->MannschaftGast == &T(*plan, "C")) {
            g->OverrideLocation = "2";
        }
    }
    a.GetHallenBelegung(date, "", *plan, num, text, false, false);
    EXPECT_EQ(num, 2);
    a.GetHallenBelegung(date, "2", *plan, num, text, false, false);
    EXPECT_EQ(num, 1);
}

TEST(Mannschaft, ParallelGamesOfSisterTeams) {
    const std::string sisters =
        SisterTeam("S1", "Herren", 1, SisterGame("05.09.2026 16:00", "S1", "Q1")) +
        SisterTeam("S3", "Herren", 3,
                   SisterGame("05.09.2026 21:59", "S3", "Q3") + SisterGame("05.09.2026 22:00", "R3", "S3") +
                       SisterGame("06.09.2026 18:00", "S3", "T3")) +
        SisterTeam("S4", "Herren", 4, SisterGame("05.09.2026 18:00", "S4", "Q4")) +
        SisterTeam("S6", "Herren", 6, SisterGame("05.09.2026 19:00", "S6", "Q6")) +
        SisterTeam("D3", "Damen", 3, SisterGame("05.09.2026 18:00", "D3", "Q7")) +
        SisterTeam("D5", "Damen", 5, SisterGame("05.09.2026 18:00", "D5", "Q5"), "noparallelgames=\"true\"");
    auto plan = LoadPlanFromText(PlanText(Team("A", "c1", 2, sisters) + Team("B", "c2", 1)));
    const TMannschaft& a = T(*plan, "A");
    int num = -1;
    std::string text = "old";
    a.GetParallelGames(D(2026, 9, 5, 18, 0), *plan, num, text, true, false);
    // Start: S1 (2-1), S3 (2+1) then upward S4; D5 (prevents parallel games) then upward S6 and
    // downward S4, S3 again. S3 at 22:00 is 4 h away, D3 is another gender without the flag.
    EXPECT_EQ(num, 7);
    EXPECT_EQ(text, "S1 - Q1, S3 - Q3, S4 - Q4, D5 - Q5, S6 - Q6, S4 - Q4, S3 - Q3");
    a.GetParallelGames(D(2026, 9, 5, 18, 0), *plan, num, text, false, false);
    EXPECT_EQ(num, 7);
    EXPECT_EQ(text, "");
    a.GetParallelGames(D(2026, 9, 6, 14, 1), *plan, num, text, true, false);
    EXPECT_EQ(num, 1); // 3 h 59 min
    a.GetParallelGames(D(2026, 9, 6, 14, 0), *plan, num, text, true, false);
    EXPECT_EQ(num, 0); // 4 h 00 min
    a.GetParallelGames(D(2026, 9, 7, 18, 0), *plan, num, text, true, false);
    EXPECT_EQ(num, 0);
}

TEST(Mannschaft, ParallelGamesOfTeamsInThePlan) {
    auto plan = LoadPlanFromText(PlanText(
        Team("A", "c1", 2, SisterTeam("S4", "Herren", 4, SisterGame("05.09.2026 18:00", "S4", "Q4"))) +
        Team("B", "c1", 3, Home("05.09.2026 17:00") + Home("05.09.2026 19:00")) + Team("C", "c2", 1) +
        Team("D", "c3", 1, Home("05.09.2026 20:00"))));
    const TMannschaft& a = T(*plan, "A");
    SetGame(*plan, "B", "C", D(2026, 9, 5, 17, 0));
    SetGame(*plan, "D", "B", D(2026, 9, 5, 20, 0));
    SetGame(*plan, "B", "A", D(2026, 9, 5, 19, 0)); // involves this team
    int num = -1;
    std::string text;
    a.GetParallelGames(D(2026, 9, 5, 18, 0), *plan, num, text, true, false);
    // Each counted game of B continues the search upward to S4.
    EXPECT_EQ(num, 4);
    EXPECT_EQ(text, "B - C, S4 - Q4, D - B, S4 - Q4");
    a.GetParallelGames(D(2026, 9, 5, 18, 0), *plan, num, text, true, true);
    EXPECT_EQ(num, 0);
}

// ---------------------------------------------------------------------------------------------

TEST(Mannschaft, AwayCouplingDependencies) {
    auto plan = LoadPlanFromText(
        PlanText(Team("A", "c1", 1) + Team("B", "c2", 1) + Team("C", "c3", 1) +
                 Team("D", "c4", 1, Road("B", "C", "0") + Road("B", "E", "1") + Road("B", "X", "0")) +
                 Team("E", "c5", 1)));
    TMannschaft& d = T(*plan, "D");
    std::vector<TGame*> deps{nullptr};
    d.CreateAuswaertsKoppeledGamesDependenciesList(*plan, T(*plan, "B"), deps);
    ASSERT_EQ(deps.size(), 2U);
    EXPECT_EQ(deps[0]->MannschaftHeim, &T(*plan, "C"));
    EXPECT_EQ(deps[0]->MannschaftGast, &d);
    EXPECT_EQ(deps[1]->MannschaftHeim, &T(*plan, "E"));
    d.CreateAuswaertsKoppeledGamesDependenciesList(*plan, T(*plan, "C"), deps);
    ASSERT_EQ(deps.size(), 1U);
    EXPECT_EQ(deps[0]->MannschaftHeim, &T(*plan, "B"));
    d.CreateAuswaertsKoppeledGamesDependenciesList(*plan, T(*plan, "A"), deps);
    EXPECT_TRUE(deps.empty());

    EXPECT_TRUE(d.IsMannschaftInAuswaertsKoppelWunschAtOneDay(*plan, T(*plan, "B")));
    EXPECT_TRUE(d.IsMannschaftInAuswaertsKoppelWunschAtOneDay(*plan, T(*plan, "C")));
    EXPECT_FALSE(d.IsMannschaftInAuswaertsKoppelWunschAtOneDay(*plan, T(*plan, "E"))); // overnight only
    EXPECT_FALSE(d.IsMannschaftInAuswaertsKoppelWunschAtOneDay(*plan, T(*plan, "A")));
}

std::string DiagnosticsPlan(bool fifthTeam) {
    const std::string a = Koppel("05.09.2026 18:00") + Koppel("12.09.2026 18:00") +
                          "<nogameday date=\"02.09.2026\"/><nogameday date=\"09.09.2026\"/>"
                          "<noweekgames teamname=\"C\"/><noweekgames teamname=\"D\"/>" +
                          Road("B", "C", "0") + Road("C", "D", "1") + Road("B", "X", "0") +
                          Road("Y", "Z", "2");
    return PlanText(Team("A", "c1", 1, a) +
                    Team("B", "c2", 1, Home("02.09.2026 20:00") + Home("09.09.2026 20:00")) +
                    Team("C", "c3", 1, Home("16.09.2026 20:00") + Home("23.09.2026 20:00")) +
                    Team("D", "c4", 1, Home("17.09.2026 20:00") + Home("19.09.2026 18:00")) +
                    (fifthTeam ? Team("E", "c5", 1) : std::string()));
}

TEST(Mannschaft, TermineNotPossibleLines) {
    auto plan = LoadPlanFromText(DiagnosticsPlan(false));
    std::vector<std::string> lines{"vorher"};
    T(*plan, "A").getTermineNotPossible(*plan, lines);
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "vorher",
                  "Alle Termine beim B wurden gesperrt",
                  "60km Regel kann beim C nicht eingehalten werden",
                  "Es wurden nur Koppeltermine angegeben, die Anzahl der Heimspiele ist ungerade weshalb "
                  "mindestens ein Koppeltermin nicht eingehalten werden kann.",
                  "Für den Auswärtskoppelwunsch bei B und C existieren keine geeigneten Wunschtermine.",
                  "Datenfehler: Unbekanntes Team X in einem Auswärtskoppelwunsch.",
                  "Datenfehler: Unbekanntes Team Y in einem Auswärtskoppelwunsch.",
                  "Datenfehler: Unbekanntes Team Z in einem Auswärtskoppelwunsch.",
              }));
    lines.clear();
    T(*plan, "B").getTermineNotPossible(*plan, lines);
    EXPECT_TRUE(lines.empty());

    // An odd number of teams: the coupling-only line goes.
    auto odd = LoadPlanFromText(DiagnosticsPlan(true));
    lines.clear();
    T(*odd, "A").getTermineNotPossible(*odd, lines);
    EXPECT_EQ(lines.size(), 6U);
    EXPECT_EQ(lines[2].rfind("Für den Auswärtskoppelwunsch", 0), 0U);
}

// ---------------------------------------------------------------------------------------------

TEST(MannschaftList, SortFindAndAssign) {
    auto plan = LoadPlanFromText(PlanText(Team("c", "k1", 1) + Team("B", "k1", 2) + Team("a", "k2", 1)));
    const TMannschaftList& list = plan->Mannschaften;
    ASSERT_EQ(list.size(), 3U);
    EXPECT_EQ(list[0]->teamName, "B"); // ordinal: upper case first
    EXPECT_EQ(list[1]->teamName, "a");
    EXPECT_EQ(list[2]->teamName, "c");
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->Index, static_cast<int>(i));
    }
    EXPECT_EQ(list.FindByName("a"), list[1]);
    EXPECT_EQ(list.FindByName("A"), nullptr);
    EXPECT_EQ(list.FindByTeamId("idc"), list[2]);
    EXPECT_EQ(list.FindByTeamId("c"), nullptr);

    list[0]->KostenCache.Valid = true;
    TMannschaftList copy;
    copy.Add(std::make_unique<TMannschaft>(0)).teamName = "old";
    copy.Assign(list);
    ASSERT_EQ(copy.size(), 3U);
    for (std::size_t i = 0; i < copy.size(); ++i) {
        EXPECT_NE(copy[i], list[i]);
        EXPECT_EQ(copy[i]->teamName, list[i]->teamName);
        EXPECT_EQ(copy[i]->Index, static_cast<int>(i));
        EXPECT_TRUE(copy[i]->gamesRef.empty());
        EXPECT_TRUE(copy[i]->SisterTeamsInPlan.empty());
    }
    EXPECT_FALSE(copy[0]->KostenCache.Valid);
    EXPECT_EQ(copy[0]->KostenCache.Values[0].GesamtKosten, -1.0);

    TMannschaftList manual;
    for (const char* name : {"z", "m", "Z"}) {
        manual.Add(std::make_unique<TMannschaft>(42)).teamName = name;
    }
    manual.Sort();
    EXPECT_EQ(manual[0]->teamName, "Z");
    EXPECT_EQ(manual[2]->teamName, "z");
    EXPECT_EQ(manual[2]->Index, 2);
}

} // namespace
