// Plan-level game-free days.

#include "data/FreeDays.h"

#include <algorithm>
#include <set>

#include "data/PlanData.h"

namespace terminor {

namespace {

std::set<int> WholeDays(const std::vector<TDateTime>& days) {
    std::set<int> result;
    for (const TDateTime day : days) {
        result.insert(DayNumber(day));
    }
    return result;
}

std::vector<TDateTime> AsDates(const std::set<int>& days) {
    return {days.begin(), days.end()};
}

} // namespace

std::vector<TDateTime> GetFreeDays(const TPlanData& planData) {
    std::set<int> days;
    for (const TDataObject* day : planData.root().NamedChilds("nogameday")) {
        days.insert(DayNumber(day->GetAsDate("date")));
    }
    return AsDates(days);
}

void SetFreeDays(TPlanData& planData, const std::vector<TDateTime>& days) {
    TDataObject& root = planData.root();
    root.deleteChilds("nogameday");
    for (const int day : WholeDays(days)) {
        root.addChild("nogameday").SetAsDate("date", day);
    }
}

std::vector<TDateTime> FreeDaysAmong(const std::vector<TDateTime>& freeDays,
                                     const std::vector<TDateTime>& offeredDays) {
    const std::set<int> offered = WholeDays(offeredDays);
    std::set<int> result;
    for (const int day : WholeDays(freeDays)) {
        if (offered.contains(day)) {
            result.insert(day);
        }
    }
    return AsDates(result);
}

} // namespace terminor
