#include "PlanInput.h"

#include <fstream>
#include <iostream>

#include "data/Error.h"

namespace terminor::cli {

TPlanFileKind LoadInput(const std::string& path, TPlanData& planData) {
    try {
        return LoadPlanInput(path, planData);
    } catch (const EPlanInputError& e) {
        if (e.Kind() != pfkSchedule) {
            throw;
        }
        throw EPlanInputError(std::string(e.what()) +
                                  " Ein gemerkter Spielplan wird mit --schedule zu seiner Staffel angegeben.",
                              e.Kind());
    }
}

std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile) {
    TPlanData planData;
    LoadInput(inputPath, planData);
    auto plan = std::make_unique<TPlan>();
    plan->Load(planData);
    TCalculateOptions options;
    if (!optionsFile.empty()) {
        // The options file never fails to load, but a path the user names must exist.
        if (!std::ifstream(optionsFile).good()) {
            throw EFileError("Datei " + optionsFile +
                             " kann nicht gelesen werden. Grund: Datei nicht gefunden");
        }
        options.Load(optionsFile);
    }
    plan->AssignOptions(options);
    return plan;
}

std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile,
                                const std::string& scheduleFile) {
    auto plan = LoadPlan(inputPath, optionsFile);
    if (!scheduleFile.empty()) {
        TPlanData schedule;
        LoadScheduleInput(scheduleFile, schedule);
        const TScheduleLoadResult result = plan->LoadScheduleFromPlanData(schedule, scheduleFile);
        if (result.gamesWithoutTeam > 0) {
            std::cerr << "Achtung: " << result.UnmatchedText() << " (" << scheduleFile << ")\n";
        }
        const TCalculateOptions options = plan->getOptions();
        plan->AssignOptions(options);
    }
    return plan;
}

void RequireDatedGames(const TPlan& plan) {
    if (plan.NoGames()) {
        throw TerminorError("Der Plan enthält keine terminierten Spiele; bitte --schedule angeben");
    }
}

} // namespace terminor::cli
