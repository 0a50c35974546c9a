// Loading, copying, diffing and merging the example division's plan data.

#include <benchmark/benchmark.h>

#include "data/PlanData.h"
#include "data/XmlFile.h"

using namespace terminor;

namespace {

const std::string ExportFile = std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml";

void BM_ImportClickTT(benchmark::State& state) {
    const std::string bytes = ReadFileBytes(ExportFile);
    for (auto _ : state) {
        TPlanData plan;
        plan.LoadFromClickTTText(bytes, ExportFile);
        benchmark::DoNotOptimize(plan.root().childs().size());
    }
}
BENCHMARK(BM_ImportClickTT);

void BM_SaveAndLoadPlanFile(benchmark::State& state) {
    TPlanData plan;
    plan.LoadFromClickTTFile(ExportFile);
    for (auto _ : state) {
        TPlanData again;
        again.LoadFromXMLText(plan.SaveToXMLText(), "bench");
        benchmark::DoNotOptimize(again.root().childs().size());
    }
}
BENCHMARK(BM_SaveAndLoadPlanFile);

void BM_DiffAndMerge(benchmark::State& state) {
    TPlanData before;
    before.LoadFromClickTTFile(ExportFile);
    TPlanData after;
    after.assign(before);
    after.root().childs().front()->SetAsString("location", "2");
    for (auto _ : state) {
        TPlanData diff;
        diff.Diff(after, before);
        TPlanData merged;
        merged.assign(before);
        merged.Merge(diff);
        benchmark::DoNotOptimize(merged.root().childs().size());
    }
}
BENCHMARK(BM_DiffAndMerge);

} // namespace

BENCHMARK_MAIN();
