#pragma once
// The division's game-free days: the `nogameday` elements directly under `plan`, on which no game
// of the division may take place. Any thread, on its own plan data.

#include <vector>

#include "data/DateTime.h"

namespace terminor {

class TPlanData;

/// The whole days of the plan-level `nogameday` elements, ascending, each once.
std::vector<TDateTime> GetFreeDays(const TPlanData& planData);
/// Replaces every plan-level `nogameday` element by one per day (whole days, ascending, each once).
void SetFreeDays(TPlanData& planData, const std::vector<TDateTime>& days);
/// The days of `freeDays` that are among `offeredDays` (compared as whole days), ascending: what a
/// choice among the offered days can show of them.
std::vector<TDateTime> FreeDaysAmong(const std::vector<TDateTime>& freeDays,
                                     const std::vector<TDateTime>& offeredDays);

} // namespace terminor
