// The moves of the local search: snapshot and restore, the four mutation kinds, the fill and the
// raster, each keeping the plan's invariants; cached and bounded costs against their twins.

#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "data/PlanUtils.h"
#include "engine/PlanMoves.h"
#include "model/ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

std::unique_ptr<TPlan> StartPlan(const TCalculateOptions& options = {}) {
    auto plan = LoadExamplePlan();
    plan->AssignOptions(options);
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    plan->TransferDateToRefDate();
    return plan;
}

struct DateState {
    TDateTime date;
    TWunschTermin* wish;
    bool notNecessary;
    bool fixed;
};

std::vector<DateState> States(const TPlan& plan) {
    std::vector<DateState> out;
    for (const TGame* g : plan.gamesAllowed) {
        out.push_back({g->FDate, g->FWunschTermin, g->FNotNecessary, g->FFixedDate});
    }
    return out;
}

/// gamesRef sorted and complete, back references mirrored, no wish date held twice.
void ExpectInvariants(const TPlan& plan, const std::string& where) {
    std::size_t refs = 0;
    for (const auto& team : plan.Mannschaften) {
        refs += team->gamesRef.size();
        for (std::size_t i = 1; i < team->gamesRef.size(); ++i) {
            ASSERT_LE(team->gamesRef[i - 1]->FDate, team->gamesRef[i]->FDate) << where;
        }
        for (const auto& w : team->WunschTermine) {
            if (w->assignedGame != nullptr) {
                ASSERT_EQ(w->assignedGame->FWunschTermin, w.get()) << where;
                ASSERT_EQ(w->assignedGame->FDate, w->Date) << where;
            }
        }
    }
    ASSERT_EQ(refs, 2 * (plan.gamesAllowed.size() + plan.gamesNotAllowed.size())) << where;
    for (const TGame* g : plan.gamesAllowed) {
        if (g->FWunschTermin != nullptr) {
            ASSERT_EQ(g->FWunschTermin->assignedGame, g) << where << ": " << g->AsString();
        }
    }
}

} // namespace

TEST(Moves, RestoreBringsBackTheAcceptedStateAndCaches) {
    auto plan = StartPlan();
    TRandom rng(5);
    TPlanMoves moves(*plan, rng);
    moves.Step(ttNormal, 0, 100);
    plan->CalculateKosten(-1);
    plan->TransferDateToRefDate();
    const auto accepted = States(*plan);
    std::vector<TKostenCache> caches;
    for (const auto& team : plan->Mannschaften) {
        caches.push_back(team->KostenCache);
    }
    for (int i = 0; i < 20; ++i) {
        moves.Tausch(i % 2 ? ttMannschaft : ttSpielTag, 2, 50);
        moves.FillFreeGames();
        plan->CalculateKosten(-1);
        plan->TransferRefDateToDate();
        const auto restored = States(*plan);
        for (std::size_t g = 0; g < accepted.size(); ++g) {
            ASSERT_EQ(restored[g].date, accepted[g].date);
            ASSERT_EQ(restored[g].wish, accepted[g].wish);
            ASSERT_EQ(restored[g].notNecessary, accepted[g].notNecessary);
        }
        for (std::size_t t = 0; t < caches.size(); ++t) {
            for (std::size_t k = 0; k < 16; ++k) {
                ASSERT_EQ(plan->Mannschaften[t]->KostenCache.Values[k].GesamtKosten,
                          caches[t].Values[k].GesamtKosten);
            }
        }
        ExpectInvariants(*plan, "restore " + std::to_string(i));
    }
}

TEST(Moves, EveryMoveKindKeepsTheInvariants) {
    for (const TRoundPlaning planing : {rpBoth, rpFirstOnly, rpHalfRound}) {
        TCalculateOptions options;
        options.RoundPlaning = planing;
        options.DoubleRound = planing == rpBoth;
        auto plan = StartPlan(options);
        // One fixed game that no move may touch.
        TGame* fixed = plan->gamesAllowed[3];
        TWunschTermin& w = fixed->MannschaftHeim->WunschTermine[2];
        fixed->setDate(w.Date, w.Options, w.ParallelGames, true, false, &w);
        plan->TransferDateToRefDate();
        TRandom rng(17);
        TPlanMoves moves(*plan, rng);
        const std::pair<TTauschTyp, std::pair<int, double>> kinds[] = {
            {ttRaster, {0, 0}},     {ttNormal, {0, 100}},  {ttNormal, {0, 15}},     {ttNormal, {0, 1}},
            {ttSpielTag, {1, 100}}, {ttSpielTag, {2, 10}}, {ttMannschaft, {1, 25}}, {ttMannschaft, {2, 10}}};
        for (int round = 0; round < 3; ++round) {
            for (const auto& [kind, args] : kinds) {
                moves.Tausch(kind, args.first, args.second);
                moves.FillFreeGames();
                const std::string where = std::string(RoundPlaningName(planing)) + " kind " +
                                          std::to_string(static_cast<int>(kind));
                ExpectInvariants(*plan, where);
                ASSERT_EQ(fixed->FDate, w.Date) << where;
                ASSERT_TRUE(fixed->FFixedDate);
                ASSERT_EQ(plan->CountNotAllowedGames(), 0) << where << ": every placement obeys the rules";
                plan->TransferDateToRefDate();
            }
        }
    }
}

TEST(Moves, FillPlacesEveryGameThatHasAnAllowedDate) {
    auto plan = StartPlan();
    TRandom rng(3);
    TPlanMoves moves(*plan, rng);
    for (int i = 0; i < 10; ++i) {
        moves.Step(ttNormal, 0, 30);
        for (TGame* game : plan->gamesAllowed) {
            if (game->DateValid() || game->FNotNecessary) {
                continue;
            }
            for (const auto& w : game->MannschaftHeim->WunschTermine) {
                const bool free = w->assignedGame == nullptr && plan->IsInRoundToGenerate(w->Date);
                EXPECT_FALSE(free && plan->CanPlaceGame(*w, *game, false, nullptr))
                    << game->AsString() << " could take " << DateTimeToStorage(w->Date);
            }
        }
        plan->TransferDateToRefDate();
    }
    EXPECT_LT(plan->CountUnscheduledGames(), 10);
}

TEST(Moves, ShareOfRemovedDates) {
    auto plan = StartPlan();
    TRandom rng(9);
    TPlanMoves moves(*plan, rng);
    moves.Tausch(ttNormal, 0, 100);
    moves.FillFreeGames();
    const int undatedBefore = plan->CountUnscheduledGames();

    // 0 %: nothing removed.
    moves.Tausch(ttNormal, 0, 0);
    EXPECT_EQ(plan->CountUnscheduledGames(), undatedBefore);

    // 1 % of a 30-game list without partners: exactly one dated game loses its date.
    std::vector<TGame*> list;
    for (TGame* g : plan->gamesAllowed) {
        if (g->DateValid() && list.size() < 30) {
            list.push_back(g);
        }
    }
    ASSERT_EQ(list.size(), 30u);
    moves.ClearRandomDates(list, false, 1);
    EXPECT_EQ(plan->CountUnscheduledGames(), undatedBefore + 1);

    // 100 %: every non-fixed date goes.
    moves.Tausch(ttNormal, 0, 100);
    EXPECT_EQ(std::count_if(plan->gamesAllowed.begin(), plan->gamesAllowed.end(),
                            [](const TGame* g) { return g->DateValid(); }),
              0);

    // A reference date 0 has no wish date nearby.
    TGame& game = *plan->gamesAllowed[0];
    moves.PlaceGameNearDate(game, false, 0.0);
    EXPECT_FALSE(game.DateValid());
}

TEST(Moves, RasterGivesEveryTeamAtMostOneGamePerMonday) {
    std::string xml = "<plan name=\"R\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">";
    for (int t = 0; t < 5; ++t) {
        xml += "<team teamname=\"T" + std::to_string(t) + "\" teamid=\"" + std::to_string(t) +
               "\" clubid=\"c" + std::to_string(t) + "\">";
        for (int week = 0; week < 30; ++week) {
            xml += "<homegameday datetime=\"" + DateTimeToStorage(D(2026, 9, 5, 18) + 7 * week) + "\"/>";
        }
        xml += "</team>";
    }
    auto plan = LoadPlanFromText(xml + "</plan>");
    plan->AssignOptions(TCalculateOptions());
    TRandom rng(21);
    TPlanMoves moves(*plan, rng);
    moves.BuildRasterPlan();
    std::map<std::pair<int, TDateTime>, int> gamesPerTeamAndMonday;
    std::map<int, std::set<TDateTime>> mondaysPerRound;
    for (const TGame* g : plan->gamesAllowed) {
        if (!g->DateValid()) {
            continue;
        }
        const TDateTime monday = MondayOfWeek(g->FDate);
        ++gamesPerTeamAndMonday[{g->MannschaftHeim->Index, monday}];
        ++gamesPerTeamAndMonday[{g->MannschaftGast->Index, monday}];
        mondaysPerRound[plan->GetRoundNumberByDate(g->FDate)].insert(monday);
    }
    for (const auto& [key, count] : gamesPerTeamAndMonday) {
        EXPECT_EQ(count, 1);
    }
    for (const auto& [round, mondays] : mondaysPerRound) {
        EXPECT_LE(mondays.size(), 4u) << "5 teams: at most 4 Mondays per round";
    }
    EXPECT_GT(gamesPerTeamAndMonday.size(), 10u);
    ExpectInvariants(*plan, "raster");
}

TEST(Moves, CachedAndBoundedCostsMatchTheirTwinsOverRealSteps) {
    for (const TRoundPlaning planing : {rpBoth, rpFirstOnly, rpCorona}) {
        TCalculateOptions options;
        options.RoundPlaning = planing;
        auto plan = StartPlan(options);
        TRandom rng(33);
        TPlanMoves moves(*plan, rng);
        double best = -1;
        for (int step = 0; step < 150; ++step) {
            moves.Step(step % 3 == 0 ? ttMannschaft : ttNormal, 1, 10);
            if (step % 15 == 7) {
                // The entries restored with the accepted dates.
                ASSERT_EQ(FirstStaleCachedTerm(*plan), "") << RoundPlaningName(planing) << " step " << step;
            }
            const double bounded = plan->CalculateKosten(best);
            const double full = plan->CalculateKosten(-1);
            ASSERT_TRUE(bounded == -1.0 || bounded == full) << step;
            if (best >= 0 && full <= best) {
                ASSERT_EQ(bounded, full);
            }
            if (best < 0 || full < best) {
                best = full;
                plan->TransferDateToRefDate();
            }
            if (step % 15 == 0) {
                ASSERT_EQ(FirstStaleCachedTerm(*plan), "") << RoundPlaningName(planing) << " step " << step;
            }
            if (step % 5 == 0) {
                ASSERT_EQ(FirstStalePlacementValue(*plan), "")
                    << RoundPlaningName(planing) << " step " << step;
                ASSERT_EQ(StaleGameDayTerms(*plan), "") << RoundPlaningName(planing) << " step " << step;
            }
        }
    }
}
