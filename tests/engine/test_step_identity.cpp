// Seeded single-worker runs give the schedule and the cost recorded here, on the examples and on
// two synthetic divisions. The values were taken before the step was made faster; a speed-up that
// changes one of them changed behaviour.

#include <cstdint>

#include <gtest/gtest.h>

#include "SyntheticDivision.h"
#include "data/DateTime.h"
#include "engine/PlanCalcThread.h"
#include "model/ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

enum class Example { Herren, HerrenPlanFile, Damen, Synthetic10, Synthetic16 };

std::unique_ptr<TPlan> ExampleStart(Example example, const TCalculateOptions& options) {
    TPlanData data;
    switch (example) {
    case Example::Herren:
        data.LoadFromClickTTFile(ExamplePath("bezirksliga-herren-nord.xml"));
        break;
    case Example::HerrenPlanFile:
        data.LoadFromXML(ExamplePath("bezirksliga-herren-nord.terminor.xml"));
        break;
    case Example::Damen:
        data.LoadFromClickTTFile(ExamplePath("kreisliga-damen-sued.xml"));
        break;
    case Example::Synthetic10:
        synthetic::BuildDivision(10, 1, data);
        break;
    case Example::Synthetic16:
        synthetic::BuildDivision(16, 1, data);
        break;
    }
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    plan->AssignOptions(options);
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    return plan;
}

/// FNV-1a over every game's teams, date, not-necessary and fixed flags, in list order.
std::uint64_t ScheduleHash(const TPlan& plan) {
    std::uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ULL;
        }
    };
    for (const TGame* g : plan.gamesAllowed) {
        mix(static_cast<std::uint64_t>(g->MannschaftHeim->Index));
        mix(static_cast<std::uint64_t>(g->MannschaftGast->Index));
        mix(static_cast<std::uint64_t>(ToMilliseconds(g->FDate)));
        mix((g->FNotNecessary ? 1U : 0U) | (g->FFixedDate ? 2U : 0U));
    }
    return h;
}

struct Recorded {
    Example example;
    int variant; // 0 defaults, 1 double round, 2 first half only
    const char* type;
    std::uint64_t seed;
    int steps;
    double cost;
    std::uint64_t hash;
};

TCalculateOptions Variant(int variant) {
    TCalculateOptions options;
    if (variant == 1) {
        options.DoubleRound = true;
    } else if (variant == 2) {
        options.RoundPlaning = rpFirstOnly;
    }
    return options;
}

// clang-format off
const Recorded Runs[] = {
    {Example::Herren, 0, "2", 1, 3000, 1001064510.5679692, 0xe3219f631b9f3a73ULL},
    {Example::Herren, 0, "2", 2, 800, 1004935441.1933458, 0x28a1be548e5e45afULL},
    {Example::Herren, 0, "S1,25", 3, 600, 1060728433.5551842, 0x00375ac94982cde9ULL},
    {Example::Herren, 0, "M2,10", 4, 600, 10061240828.767323, 0xd3f1581afc28e2cdULL},
    {Example::Herren, 0, "15", 5, 300, 1096248991.7022295, 0x37a3095c43cb7d9cULL},
    {Example::Herren, 0, "R", 6, 40, 21124167181.91304, 0x8ca61b2d92e73b2aULL},
    {Example::Herren, 1, "2", 7, 1000, 681248268409.4696, 0x74465f9c79bb63cbULL},
    {Example::Herren, 2, "5", 8, 800, 646853.29679214524, 0x4e869f24a9e757c9ULL},
    {Example::HerrenPlanFile, 0, "2", 9, 1500, 1314212.684387611, 0xd358ab21f5530bccULL},
    {Example::HerrenPlanFile, 0, "S2,10", 10, 400, 1031547181.8810283, 0xcd9ef3a191c3f714ULL},
    {Example::Damen, 0, "2", 11, 3000, 109650.83711376021, 0x6c01dfb6254b046dULL},
    {Example::Damen, 0, "M1,100", 12, 300, 773970.79056679644, 0x35aa00ede82878e6ULL},
    {Example::Damen, 1, "100", 13, 100, 11677344.408027679, 0x66e10224659e9523ULL},
    {Example::Synthetic10, 0, "2", 14, 3000, 535667.39759238972, 0xcc2212a35b397bf9ULL},
    {Example::Synthetic10, 0, "S1,10", 15, 800, 1000870997.3215196, 0x369bf0bbf9bacaebULL},
    {Example::Synthetic16, 0, "2", 16, 1500, 1030949189.2332038, 0x85ba2cfb9f1be93aULL},
    {Example::Synthetic16, 0, "M1,25", 17, 500, 1039621714.4024767, 0x4f5f3bdffe3ed3e0ULL},
};
// clang-format on

} // namespace

TEST(StepIdentity, SeededRunsGiveTheRecordedScheduleAndCost) {
    for (const Recorded& run : Runs) {
        const auto start = ExampleStart(run.example, Variant(run.variant));
        TPlanCalcThread worker(run.seed);
        worker.StartWithLists("1", *start, run.type, nullptr);
        const double cost = worker.RunSynchronously(run.steps);
        const std::uint64_t hash = ScheduleHash(worker.OptPlan());
        EXPECT_EQ(cost, run.cost) << run.type << " seed " << run.seed;
        EXPECT_EQ(hash, run.hash) << run.type << " seed " << run.seed << std::hex << " hash 0x" << hash;
    }
}
