#pragma once
// terminor-cli info: a German summary of a loaded division (or the same as JSON).

#include <ostream>

#include <nlohmann/json.hpp>

#include "model/Plan.h"

namespace terminor::cli {

nlohmann::ordered_json PlanInfoJson(const TPlan& plan);
void PrintPlanInfo(const TPlan& plan, std::ostream& out);

} // namespace terminor::cli
