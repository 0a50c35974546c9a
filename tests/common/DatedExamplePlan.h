#pragma once
// The example division with a complete schedule, from a seeded single worker run in the calling
// thread: the same schedule for the same seed.

#include <cstdint>
#include <memory>

#include "engine/PlanCalcThread.h"
#include "model/ModelTestUtil.h"

namespace terminor::test {

/// The plan with the schedule of a seeded single worker run from no dates.
inline std::unique_ptr<TPlan> WithWorkerDates(std::unique_ptr<TPlan> plan, std::uint64_t seed) {
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    TPlanCalcThread worker(seed);
    worker.StartWithLists("1", *plan, "2", nullptr);
    worker.RunSynchronously(20);
    plan->AssignOptimizedDates(worker.OptPlan());
    return plan;
}

inline std::unique_ptr<TPlan> DatedExamplePlan(std::uint64_t seed) {
    return WithWorkerDates(LoadExamplePlan(), seed);
}

} // namespace terminor::test
