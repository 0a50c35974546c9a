#pragma once
// terminor-cli costs: the plan's cost broken down by plan terms, teams and cost types.

#include <ostream>

#include <nlohmann/json.hpp>

#include "model/Plan.h"

namespace terminor::cli {

/// The cost breakdown as JSON: total, plan terms, per team the sixteen terms and messages, hard errors.
nlohmann::ordered_json CostsJson(TPlan& plan);
/// The same as German text: by default one block per team that fits 80 columns; `wide` gives the
/// layout of the cost page, one row per team and one column per cost type.
void PrintCosts(TPlan& plan, std::ostream& out, bool wide = false);

} // namespace terminor::cli
