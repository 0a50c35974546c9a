#pragma once
// The mandatory periods of the plan data (`mandatorygames` under `plan`) as TPlanMandatoryTime
// lists: reading, writing and the edits the mandatory-days page makes. Any thread, on its own data.

#include "model/ValueTypes.h"

namespace terminor {

class TPlanData;

/// The periods of the `mandatorygames` elements in document order.
TPlanMandatoryTimeList ReadMandatoryPeriods(const TPlanData& planData);
/// Replaces all `mandatorygames` elements by one per period (`datefrom`, `dateto` as whole days,
/// `numbergames`), in list order.
void WriteMandatoryPeriods(TPlanData& planData, const TPlanMandatoryTimeList& periods);
/// Whether the whole day of `dateTo` is not before that of `dateFrom`.
bool IsMandatoryPeriodInOrder(TDateTime dateFrom, TDateTime dateTo);
/// Puts `period` at `index` (appends when `index` is -1), drops every other period with the same
/// two days (the file keys a period by them, so two cannot be stored) and sorts the list.
/// Returns the period's position in the sorted list.
int StoreMandatoryPeriod(TPlanMandatoryTimeList& periods, int index, const TPlanMandatoryTime& period);

} // namespace terminor
