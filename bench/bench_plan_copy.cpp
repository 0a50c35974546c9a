// Copies of plans as the optimiser makes them: a full Assign and the date copy of
// AssignOptimizedDates, on the example division and on a 16-team division.

#include <benchmark/benchmark.h>

#include "data/PlanData.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

std::unique_ptr<TPlan> ExamplePlan() {
    TPlanData data;
    data.LoadFromClickTTFile(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml");
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    plan->AssignOptions(TCalculateOptions());
    return plan;
}

/// 16 teams with 30 home dates each and a double round: 480 games.
std::unique_ptr<TPlan> SixteenTeamPlan() {
    TPlanData data;
    TDataObject& root = data.root();
    root.SetAsString("from", "29.08.2026");
    root.SetAsString("mid", "04.01.2027");
    root.SetAsString("until", "30.04.2027");
    const TDateTime first = EncodeDate(2026, 9, 5) + EncodeTime(18, 0);
    for (int t = 0; t < 16; ++t) {
        TDataObject& team = root.addChild("team");
        team.SetAsString("teamname", "Mannschaft " + std::to_string(10 + t));
        team.SetAsString("teamid", std::to_string(1000 + t));
        team.SetAsString("clubid", std::to_string(t / 2));
        team.SetAsInt("teamnumber", 1 + t % 2);
        for (int d = 0; d < 30; ++d) {
            team.addChild("homegameday").SetAsDateTime("datetime", first + 7 * d + (t % 2));
        }
    }
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    TCalculateOptions options;
    options.DoubleRound = true;
    plan->AssignOptions(options);
    // Date every game on some wish date so that the copies carry links.
    for (TGame* game : plan->gamesAllowed) {
        const auto& wishes = game->MannschaftHeim->WunschTermine;
        const TWunschTermin& w =
            wishes[static_cast<std::size_t>(game->MannschaftGast->Index) % wishes.size()];
        game->setDate(w.Date, w.Options, w.ParallelGames, false, false, const_cast<TWunschTermin*>(&w));
    }
    return plan;
}

void BM_PlanAssign(benchmark::State& state, std::unique_ptr<TPlan> (*make)()) {
    const auto source = make();
    TPlan target;
    for (auto _ : state) {
        target.Assign(*source);
        benchmark::DoNotOptimize(target.gamesAllowed.size());
    }
    state.counters["games"] = static_cast<double>(source->gamesAllowed.size());
}

void BM_AssignOptimizedDates(benchmark::State& state, std::unique_ptr<TPlan> (*make)()) {
    const auto source = make();
    TPlan target;
    target.Assign(*source);
    for (auto _ : state) {
        target.AssignOptimizedDates(*source);
        benchmark::DoNotOptimize(target.gamesAllowed[0]->FDate);
    }
}

BENCHMARK_CAPTURE(BM_PlanAssign, example, ExamplePlan)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlanAssign, teams16games480, SixteenTeamPlan)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AssignOptimizedDates, example, ExamplePlan)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_AssignOptimizedDates, teams16games480, SixteenTeamPlan)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
