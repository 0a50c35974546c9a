#pragma once
// Shared helpers of the engine tests: small plans, costs of copies and bounded polling.

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "model/ModelTestUtil.h"

namespace terminor::test {

/// A `team` element with its own club and the given home dates.
inline std::string Team(const std::string& name, const std::string& id,
                        const std::vector<std::string>& dates) {
    std::string xml = "<team teamname=\"" + name + "\" teamid=\"" + id + "\" clubid=\"c" + id + "\">";
    for (const std::string& d : dates) {
        xml += "<homegameday datetime=\"" + d + "\"/>";
    }
    return xml + "</team>";
}

/// Two teams with one wish date each: every complete schedule is the same, so every step after
/// the first one yields the same cost.
inline std::unique_ptr<TPlan> OneDateEachPlan() {
    auto plan = LoadPlanFromText(
        "<plan name=\"L\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">" +
        Team("A", "1", {"05.09.2026 18:00"}) + Team("B", "2", {"12.01.2027 20:00"}) + "</plan>");
    plan->clearAllDates();
    return plan;
}

/// The example division without dates.
inline std::unique_ptr<TPlan> EmptyExamplePlan() {
    auto plan = LoadExamplePlan();
    plan->clearAllDates();
    plan->RemoveNotValidDates();
    return plan;
}

/// The cost of a copy, as every thread of the engine sees a plan.
inline double CostOf(const TPlan& source) {
    TPlan copy;
    copy.Assign(source);
    return copy.CalculateKosten(-1);
}

/// Polls `condition` until it holds or 20 s have passed.
template <typename F> bool WaitFor(F condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace terminor::test
