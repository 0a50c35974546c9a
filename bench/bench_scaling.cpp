// The cost of one optimisation step by division size: synthetic divisions of 6 to 30 teams, a
// single worker of type "2" (the step, the bounded evaluation, acceptance as the worker does it).
// Prints, per size, nanoseconds per step, the games refilled per step and nanoseconds per refilled
// game. Under callgrind (bench/scaling runs it so) each size's measured steps are dumped on their
// own, which gives the instructions per step.
//
// bench_scaling [--steps N] [--warmup N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <valgrind/callgrind.h>
#include <vector>

#include "SyntheticDivision.h"
#include "engine/PlanMoves.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

struct Worker {
    TPlan plan;
    TPlan optPlan;
    TRandom rng;
    TPlanMoves moves;
    double best = -1;

    Worker(const TPlanData& data, std::uint64_t seed) : rng(seed), moves(plan, rng) {
        plan.Load(data);
        plan.AssignOptions(TCalculateOptions());
        plan.clearAllDates();
        plan.RemoveNotValidDates();
        optPlan.Assign(plan);
        best = plan.CalculateKosten(-1);
        plan.TransferDateToRefDate();
    }

    /// One step as TPlanCalcThread::DoStep does it; returns the games the fill had to place.
    int Step(bool countRefills) {
        plan.TransferRefDateToDate();
        plan.FixPredefinedGames();
        moves.Tausch(ttNormal, 0, 2.0);
        int refills = 0;
        if (countRefills) {
            for (const TGame* game : plan.gamesAllowed) {
                refills += !game->DateValid() && !game->FNotNecessary ? 1 : 0;
            }
        }
        moves.FillFreeGames();
        const double k = plan.CalculateKosten(best);
        if (k >= 0 && (k < best || best < 0)) {
            best = plan.CalculateKosten(-1);
            plan.TransferDateToRefDate();
            optPlan.AssignOptimizedDates(plan);
        }
        return refills;
    }
};

int Arg(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == name) {
            return std::atoi(argv[i + 1]);
        }
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    const int steps = Arg(argc, argv, "--steps", 1000);
    const int warmup = Arg(argc, argv, "--warmup", 1000);
    std::printf("%6s %6s %12s %14s %16s\n", "teams", "games", "ns/step", "refilled/step", "ns/refilled");
    for (const int teams : {6, 10, 14, 20, 30}) {
        TPlanData data;
        synthetic::BuildDivision(teams, 1, data);
        // Two workers with the same seed take the same steps: one is timed (and, under callgrind,
        // counted), the other counts the refilled games.
        Worker timed(data, 7);
        Worker counting(data, 7);
        for (int i = 0; i < warmup; ++i) {
            timed.Step(false);
            counting.Step(false);
        }
        CALLGRIND_ZERO_STATS;
        CALLGRIND_TOGGLE_COLLECT;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < steps; ++i) {
            timed.Step(false);
        }
        const auto end = std::chrono::steady_clock::now();
        CALLGRIND_TOGGLE_COLLECT;
        const std::string label = "teams " + std::to_string(teams);
        CALLGRIND_DUMP_STATS_AT(label.c_str());
        long refilled = 0;
        for (int i = 0; i < steps; ++i) {
            refilled += counting.Step(true);
        }
        const double ns = std::chrono::duration<double, std::nano>(end - start).count() / steps;
        const double perStep = static_cast<double>(refilled) / steps;
        std::printf("%6d %6zu %12.0f %14.2f %16.0f\n", teams, timed.plan.gamesAllowed.size(), ns, perStep,
                    perStep > 0 ? ns / perStep : 0.0);
    }
    return 0;
}
