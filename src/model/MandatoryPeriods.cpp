// Mandatory periods between plan data and TPlanMandatoryTime lists.

#include "model/MandatoryPeriods.h"

#include "data/PlanData.h"

namespace terminor {

namespace {

bool SameDays(const TPlanMandatoryTime& a, const TPlanMandatoryTime& b) {
    return DayNumber(a.DateFrom) == DayNumber(b.DateFrom) && DayNumber(a.DateTo) == DayNumber(b.DateTo);
}

} // namespace

TPlanMandatoryTimeList ReadMandatoryPeriods(const TPlanData& planData) {
    TPlanMandatoryTimeList periods;
    for (const TDataObject* period : planData.root().NamedChilds("mandatorygames")) {
        periods.push_back(TPlanMandatoryTime{period->GetAsDate("datefrom"), period->GetAsDate("dateto"),
                                             period->GetAsInt("numbergames")});
    }
    return periods;
}

void WriteMandatoryPeriods(TPlanData& planData, const TPlanMandatoryTimeList& periods) {
    TDataObject& root = planData.root();
    root.deleteChilds("mandatorygames");
    for (const TPlanMandatoryTime& period : periods) {
        TDataObject& node = root.addChild("mandatorygames");
        node.SetAsDate("datefrom", period.DateFrom);
        node.SetAsDate("dateto", period.DateTo);
        node.SetAsInt("numbergames", period.GameCount);
    }
}

bool IsMandatoryPeriodInOrder(TDateTime dateFrom, TDateTime dateTo) {
    return DayNumber(dateTo) >= DayNumber(dateFrom);
}

int StoreMandatoryPeriod(TPlanMandatoryTimeList& periods, int index, const TPlanMandatoryTime& period) {
    TPlanMandatoryTimeList result;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        if (static_cast<int>(i) != index && !SameDays(periods[i], period)) {
            result.push_back(periods[i]);
        }
    }
    result.push_back(period);
    result.Sort();
    periods = result;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        if (SameDays(periods[i], period)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace terminor
