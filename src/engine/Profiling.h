#pragma once
// The profiling run: times the building blocks of the optimisation (each team cost type, the
// plan terms, and a fill step on a private copy) on one plan and reports their shares.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "model/Plan.h"

namespace terminor {

struct TTestAction {
    std::string Name;
    std::uint32_t Millisecs = 0;
    std::function<void()> Event;
};

class TProfileRun {
public:
    /// Measures `plan` (not owned, only read by the cost actions); the fill actions work on a copy.
    explicit TProfileRun(TPlan& plan, std::uint64_t seed = TRandom::ClockSeed());

    /// Runs every action `calls` times in a row and times it. With `cancel`, a run stops between
    /// two actions once it is set; the return value says whether every action ran.
    bool Run(int calls = 10001, const std::atomic<bool>* cancel = nullptr);
    /// The report: the two (empty) statistics headings, then one line per action, slowest first.
    std::vector<std::string> Lines() const;
    const std::vector<TTestAction>& Actions() const { return FActions; }
    const TPlan& PlanTemp() const { return *FPlanTemp; }

private:
    TPlan& FPlan;
    std::unique_ptr<TPlan> FPlanTemp;
    TRandom FRng;
    std::vector<TTestAction> FActions;
};

} // namespace terminor
