#pragma once
// Loading a division for the command line exactly as the desktop program does: plan data file
// or click-TT export -> TPlan::Load -> options file -> AssignOptions.

#include <memory>
#include <string>

#include "data/PlanData.h"
#include "model/Plan.h"

namespace terminor::cli {

/// Reads a plan data file or a click-TT export (recognised by its document element "TT").
void LoadPlanInput(const std::string& path, TPlanData& planData, bool& isClickTT);

/// The plan of the input with the options of `optionsFile` (defaults when empty) assigned.
std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile);

/// LoadPlan, then with a schedule file given its dates (LoadScheduleFromXml) followed by AssignOptions
/// with the plan's own options, as the main window treats a remembered schedule.
std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile,
                                const std::string& scheduleFile);

} // namespace terminor::cli
