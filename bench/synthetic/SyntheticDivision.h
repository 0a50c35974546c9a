#pragma once
// Synthetic divisions for benchmarks: a plan data document of any size up to the model's limit,
// shaped like the example divisions (mostly Saturday home dates, about twice as many dates as home
// games, coupled dates, fallback dates, blocked days, sister teams in the division and in other
// divisions, away couplings, far-away opponents, free days and mandatory periods). The same team
// count and seed always give the same document.

#include <cstdint>

#include "data/PlanData.h"

namespace terminor::synthetic {

/// Replaces the contents of `data` by a division of `teams` teams (2 ... 31), season 2026/27.
void BuildDivision(int teams, std::uint64_t seed, TPlanData& data);

} // namespace terminor::synthetic
