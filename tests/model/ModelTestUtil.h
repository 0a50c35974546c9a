#pragma once
// Shared helpers of the model tests: date literals and plans built from plan-data texts or the
// example files.

#include <memory>
#include <stdexcept>
#include <string>

#include "data/DateTime.h"
#include "data/PlanData.h"
#include "model/Plan.h"

namespace terminor::test {

/// The date-time y-m-d hh:mm.
inline TDateTime D(int y, int m, int d, int hh = 0, int mm = 0) {
    return EncodeDate(y, m, d) + EncodeTime(hh, mm);
}

/// A plan built from the text of one `<plan ...>...</plan>` element.
inline std::unique_ptr<TPlan> LoadPlanFromText(const std::string& planXml) {
    TPlanData data;
    data.LoadFromXMLText("<terminor>" + planXml + "</terminor>", "test-plan.xml");
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    return plan;
}

/// A plan built from the text of one `<plan ...>` element, with the options assigned when given.
inline std::unique_ptr<TPlan> LoadPlanFromText(const std::string& planXml, const TCalculateOptions* options) {
    auto plan = LoadPlanFromText(planXml);
    if (options != nullptr) {
        plan->AssignOptions(*options);
    }
    return plan;
}

/// The team of that name; a test failure when there is none.
inline TMannschaft& TeamOf(const TPlan& plan, const std::string& name) {
    TMannschaft* team = plan.Mannschaften.FindByName(name);
    if (team == nullptr) {
        throw std::runtime_error("no team " + name);
    }
    return *team;
}

/// The path of a file below the repository's examples folder.
inline std::string ExamplePath(const std::string& fileName) {
    return std::string(TERMINOR_SOURCE_DIR) + "/examples/" + fileName;
}

/// The plan of the click-TT example export examples/bezirksliga-herren-nord.xml.
inline std::unique_ptr<TPlan> LoadExamplePlan() {
    TPlanData data;
    data.LoadFromClickTTFile(ExamplePath("bezirksliga-herren-nord.xml"));
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    return plan;
}

/// The first team term whose cached value differs from a computation from scratch, as
/// "team type cached fresh", or the empty text when every cached value is right: both the values a
/// team computation takes from the cache and every filled cache entry (the plan's cost sums read
/// those directly). The caches are left as they were.
inline std::string FirstStaleCachedTerm(TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        const TKostenCache entries = team->KostenCache;
        TMannschaftsKosten cached;
        team->CalculateKosten(plan, cached, tmNoMessage);
        const TKostenCache saved = team->KostenCache;
        team->ClearKostenCache();
        TMannschaftsKosten fresh;
        team->CalculateKosten(plan, fresh, tmNoMessage);
        team->KostenCache = saved;
        for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
            const double entry = entries.Values[static_cast<std::size_t>(type)].GesamtKosten;
            for (const double value : {cached[type].GesamtKosten, entry}) {
                if (value != -1.0 && value != fresh[type].GesamtKosten) {
                    return team->teamName + " " + std::string(MannschaftsKostenTypeName(type)) + " " +
                           std::to_string(value) + " " + std::to_string(fresh[type].GesamtKosten);
                }
            }
        }
    }
    return {};
}

} // namespace terminor::test
