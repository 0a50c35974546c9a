#include "Profiling.h"

#include <algorithm>
#include <chrono>

#include "data/PlanUtils.h"
#include "engine/PlanMoves.h"

namespace terminor {

TProfileRun::TProfileRun(TPlan& plan, std::uint64_t seed)
    : FPlan(plan), FPlanTemp(std::make_unique<TPlan>()), FRng(seed) {
    FPlanTemp->Assign(plan);
    FPlanTemp->TransferDateToRefDate();
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        FActions.push_back({std::string(MannschaftsKostenTypeName(type)), 0,
                            [this, type] { FPlan.CalculateMannschaftsKosten(type); }});
    }
    FActions.push_back({"Spieltagkosten", 0, [this] {
                            double a = 0;
                            double b = 0;
                            double c = 0;
                            double d = 0;
                            FPlan.CalculateSpielTagKosten(a, b, c, d);
                        }});
    FActions.push_back({"Fehltermine", 0, [this] { FPlan.CalculateFehlterminKosten(); }});
    FActions.push_back({"Nicht erlaubte Spieltage", 0, [this] { FPlan.CalculateFreeGameDateKosten(); }});
    FActions.push_back(
        {"Vereinsinterne Spiele am Anfang", 0, [this] { FPlan.CalculateSisterTeamsAmAnfang(); }});
    FActions.push_back({"Filltermine 10%", 0, [this] { ProfileFillTermine(*FPlanTemp, FRng, 10); }});
    FActions.push_back({"Filltermine 2%", 0, [this] { ProfileFillTermine(*FPlanTemp, FRng, 2); }});
}

bool TProfileRun::Run(int calls, const std::atomic<bool>* cancel) {
    for (TTestAction& action : FActions) {
        action.Millisecs = 0;
    }
    for (TTestAction& action : FActions) {
        if (cancel != nullptr && cancel->load()) {
            return false;
        }
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i) {
            action.Event();
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        action.Millisecs = static_cast<std::uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }
    return true;
}

std::vector<std::string> TProfileRun::Lines() const {
    std::vector<std::string> lines = {"Treffer der Threadtypen", "", "Dynamische Threads", ""};
    std::vector<const TTestAction*> sorted;
    double total = 0;
    for (const TTestAction& action : FActions) {
        sorted.push_back(&action);
        total += action.Millisecs;
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TTestAction* a, const TTestAction* b) { return a->Millisecs > b->Millisecs; });
    for (const TTestAction* action : sorted) {
        // With no measurable time at all every share is 0.
        const double share = total > 0 ? action->Millisecs * 100.0 / total : 0.0;
        lines.push_back(action->Name + ": " + FormatInteger(action->Millisecs) + "ms   " +
                        FormatValue(share) + "%");
    }
    return lines;
}

} // namespace terminor
