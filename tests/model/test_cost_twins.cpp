// The cached team terms and the bounded plan cost against their from-scratch twins, over random
// moves on the example division.

#include <random>

#include <gtest/gtest.h>

#include "ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// Moves a random game: either removes its date or puts it on a random wish date of its home team
/// that the placement rules allow; keeps the team game lists sorted as the optimiser does.
void RandomMove(TPlan& plan, std::mt19937& rng) {
    TGame* game = plan.gamesAllowed[rng() % plan.gamesAllowed.size()];
    TMannschaft* heim = game->MannschaftHeim;
    if (rng() % 4 == 0) {
        game->setEmptyDate();
    } else {
        const auto& wishes = heim->WunschTermine;
        for (int attempt = 0; attempt < 8 && !wishes.empty(); ++attempt) {
            TWunschTermin& w = wishes[rng() % wishes.size()];
            if (plan.CanPlaceGame(w, *game, false, game)) {
                game->setDate(w.Date, w.Options, w.ParallelGames, false, false, &w);
                break;
            }
        }
    }
    heim->gamesRef.SortByDate();
    game->MannschaftGast->gamesRef.SortByDate();
}

std::unique_ptr<TPlan> PreparedExample(const TCalculateOptions& options) {
    auto plan = LoadExamplePlan();
    plan->AssignOptions(options);
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    return plan;
}

} // namespace

TEST(CostTwins, CachedTermsEqualFreshComputationsAfterRandomMoves) {
    for (const bool doubleRound : {false, true}) {
        TCalculateOptions options;
        options.DoubleRound = doubleRound;
        auto plan = PreparedExample(options);
        std::mt19937 rng(doubleRound ? 7 : 3);
        for (int step = 0; step < 300; ++step) {
            for (int k = 0; k < 1 + static_cast<int>(rng() % 5); ++k) {
                RandomMove(*plan, rng);
            }
            // Evaluating fills the caches of the teams that moved ...
            plan->CalculateKosten(-1);
            if (step % 10 != 0) {
                continue;
            }
            // ... and every cached value must equal a computation from scratch.
            ASSERT_EQ(FirstStaleCachedTerm(*plan), "") << "step " << step;
            ASSERT_EQ(FirstStalePlacementValue(*plan), "") << "step " << step;
            ASSERT_EQ(StaleGameDayTerms(*plan), "") << "step " << step;
        }
    }
}

TEST(CostTwins, BoundedCostIsEitherTheFullCostOrMinusOne) {
    auto plan = PreparedExample(TCalculateOptions());
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> share(0.0, 1.5);
    int stopped = 0;
    for (int step = 0; step < 400; ++step) {
        RandomMove(*plan, rng);
        const double full = plan->CalculateKosten(-1);
        ASSERT_GE(full, 0.0);
        const double bound = full * share(rng);
        const double bounded = plan->CalculateKosten(bound);
        if (full <= bound) {
            ASSERT_DOUBLE_EQ(bounded, full) << "step " << step;
        } else {
            ASSERT_TRUE(bounded == -1.0 || bounded == full) << "step " << step;
            stopped += bounded == -1.0 ? 1 : 0;
        }
        ASSERT_DOUBLE_EQ(plan->CalculateKosten(-1), full) << "evaluating must not change the plan";
    }
    EXPECT_GT(stopped, 50) << "the bound should stop many evaluations";
}

TEST(CostTwins, IncrementalPlacementValuesEqualFreshOnesAfterUncheckedMoves) {
    // Games put on any wish date of their home team, allowed or not, make many games invalid and
    // valid again; the cached validity must follow every one of those changes.
    for (const bool doubleRound : {false, true}) {
        TCalculateOptions options;
        options.DoubleRound = doubleRound;
        auto plan = PreparedExample(options);
        plan->AllDatesAreValid = false;
        std::mt19937 rng(doubleRound ? 5 : 9);
        int invalid = 0;
        for (int step = 0; step < 600; ++step) {
            TGame* game = plan->gamesAllowed[rng() % plan->gamesAllowed.size()];
            const auto& wishes = game->MannschaftHeim->WunschTermine;
            if (rng() % 5 == 0 || wishes.empty()) {
                game->setEmptyDate();
            } else {
                TWunschTermin& w = wishes[rng() % wishes.size()];
                game->setDate(w.Date, w.Options, w.ParallelGames, false, false, nullptr);
            }
            // Lists sorted after only some moves: the kept dates must follow unsorted lists too.
            if (step % 3 == 0) {
                game->MannschaftHeim->SortGamesRef();
                game->MannschaftGast->SortGamesRef();
            }
            invalid = std::max(invalid, plan->CountNotAllowedGames());
            ASSERT_EQ(FirstStalePlacementValue(*plan), "") << "step " << step;
        }
        EXPECT_GT(invalid, 10) << "the moves should make games invalid";
    }
}
