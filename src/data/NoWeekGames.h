#pragma once
// The 60 km rule of one team: the opponents (`noweekgames` under the team) it may meet only at
// the weekend because of the long journey. Any thread, on its own plan data.

#include <string>
#include <string_view>
#include <vector>

namespace terminor {

class TPlanData;

/// The names in the team's `noweekgames` that name another team of the plan, sorted, each once;
/// names of teams that no longer exist are dropped. Empty when the team does not exist.
std::vector<std::string> GetNoWeekGamePartners(const TPlanData& planData, std::string_view teamName);
/// Replaces the team's `noweekgames` by one per name (each once, in the given order).
void SetNoWeekGamePartners(TPlanData& planData, std::string_view teamName,
                           const std::vector<std::string>& partners);

} // namespace terminor
