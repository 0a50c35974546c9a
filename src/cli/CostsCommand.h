#pragma once
// terminor-cli costs: the plan's cost broken down by plan terms, teams and cost types.

#include <ostream>

#include <nlohmann/json.hpp>

#include "model/Plan.h"

namespace terminor::cli {

/// The cost breakdown as JSON: total, plan terms, per team the sixteen terms and messages, hard errors.
nlohmann::ordered_json CostsJson(TPlan& plan);
/// The same as a German table in the layout of the cost page.
void PrintCosts(TPlan& plan, std::ostream& out);

} // namespace terminor::cli
