// One optimisation step per move kind, and the cost evaluation with and without bound, on the
// example division (a single worker's view, as the optimiser runs it).

#include <benchmark/benchmark.h>

#include "data/PlanData.h"
#include "engine/PlanCalcThread.h"
#include "engine/PlanMoves.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

std::unique_ptr<TPlan> StartPlan() {
    TPlanData data;
    data.LoadFromClickTTFile(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml");
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    plan->AssignOptions(TCalculateOptions());
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    return plan;
}

/// A plan after some optimisation, so that steps and evaluations see a realistic schedule.
std::unique_ptr<TPlan> OptimisedPlan() {
    static std::unique_ptr<TPlan> cached;
    if (!cached) {
        TPlanCalcThread worker(42);
        worker.StartWithLists("bench", *StartPlan(), "2", nullptr);
        worker.RunSynchronously(3000);
        cached = std::make_unique<TPlan>();
        cached->Assign(worker.OptPlan());
    }
    auto plan = std::make_unique<TPlan>();
    plan->Assign(*cached);
    return plan;
}

void BM_Step(benchmark::State& state, const char* type) {
    auto plan = OptimisedPlan();
    const double best = plan->CalculateKosten(-1);
    plan->TransferDateToRefDate();
    TRandom rng(7);
    TPlanMoves moves(*plan, rng);
    const TWorkerType worker = TWorkerType::Parse(type);
    for (auto _ : state) {
        moves.Step(worker.TauschTyp, worker.TauschAnzahl, worker.TauschPercent);
        benchmark::DoNotOptimize(plan->CalculateKosten(best));
    }
}
BENCHMARK_CAPTURE(BM_Step, normal2, "2");
BENCHMARK_CAPTURE(BM_Step, normal15, "15");
BENCHMARK_CAPTURE(BM_Step, normal100, "100");
BENCHMARK_CAPTURE(BM_Step, spieltag, "S1,25");
BENCHMARK_CAPTURE(BM_Step, mannschaft, "M1,25");
BENCHMARK_CAPTURE(BM_Step, raster, "R");

void BM_CostUnbounded(benchmark::State& state) {
    auto plan = OptimisedPlan();
    for (auto _ : state) {
        for (const auto& team : plan->Mannschaften) {
            team->ClearKostenCache();
        }
        benchmark::DoNotOptimize(plan->CalculateKosten(-1));
    }
}
BENCHMARK(BM_CostUnbounded);

void BM_CostCachedUnbounded(benchmark::State& state) {
    auto plan = OptimisedPlan();
    plan->CalculateKosten(-1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plan->CalculateKosten(-1));
    }
}
BENCHMARK(BM_CostCachedUnbounded);

void BM_CostBounded(benchmark::State& state) {
    auto plan = OptimisedPlan();
    const double bound = plan->CalculateKosten(-1) * 0.5;
    for (auto _ : state) {
        for (const auto& team : plan->Mannschaften) {
            team->ClearKostenCache();
        }
        benchmark::DoNotOptimize(plan->CalculateKosten(bound));
    }
}
BENCHMARK(BM_CostBounded);

} // namespace

BENCHMARK_MAIN();
