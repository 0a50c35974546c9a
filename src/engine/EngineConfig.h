#pragma once
// The size and the random seed of the optimiser's thread tree. The defaults are the program's;
// tests and the command line choose smaller trees and fixed seeds.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace terminor {

struct TEngineConfig {
    /// Main threads under the optimiser, named "1" ... "n".
    int mainThreads = 4;
    /// Whether the "Special" main thread starts after SpecialAfterSteps steps.
    bool specialThread = true;
    std::int64_t specialAfterSteps = 3'000'000;
    std::int64_t specialResultAfterSteps = 200'000;
    /// Steps without improvement after which the worst main thread restarts.
    std::int64_t stagnationSteps = 100'000;
    /// The fixed worker types of a main thread, in order.
    std::vector<std::string> fixedWorkerTypes = {"R",     "100",    "15",     "5",     "2",
                                                 "1",     "S1,100", "S1,25",  "S1,10", "S2,10",
                                                 "M1,10", "M1,25",  "M1,100", "M2,10"};
    /// Number of adaptive workers ("|Dyn", starting with type "2").
    int dynamicWorkers = 10;
    std::string dynamicWorkerType = "2";
    /// Collection cycles in milliseconds.
    int mainThreadCycleMs = 100;
    int optimizerCycleMs = 1000;
    /// Fixed seed; without one every generator is seeded from the clock.
    std::optional<std::uint64_t> seed;
};

} // namespace terminor
