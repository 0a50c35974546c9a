#pragma once
// Loading a division for the command line exactly as the desktop program does: plan data file
// or click-TT export -> TPlan::Load -> options file -> AssignOptions.

#include <memory>
#include <string>

#include "data/PlanData.h"
#include "data/PlanFileKind.h"
#include "model/Plan.h"

namespace terminor::cli {

/// Reads a plan data file or a click-TT export (LoadPlanInput of the core); a schedule file given
/// instead is refused with the hint to pass it with --schedule.
TPlanFileKind LoadInput(const std::string& path, TPlanData& planData);

/// The plan of the input with the options of `optionsFile` (defaults when empty) assigned.
std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile);

/// LoadPlan, then with a schedule file given its dates followed by AssignOptions with the plan's own
/// options, as the main window treats a remembered schedule. Games of the file that fit no team
/// are reported on standard error; a file none of whose games fits is refused.
std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile,
                                const std::string& scheduleFile);

/// Refuses to generate for a plan with fewer than two teams (a plan still being entered).
void RequireTwoTeams(const TPlan& plan);

/// Refuses a plan without any dated game (nothing to write without --schedule).
void RequireDatedGames(const TPlan& plan);

} // namespace terminor::cli
