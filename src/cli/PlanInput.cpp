#include "PlanInput.h"

#include <fstream>
#include <iostream>
#include <set>

#include "data/Error.h"

namespace terminor::cli {

namespace {

/// What a reader repaired or dropped, on standard error like the other warnings; once per run,
/// although a command may read its input twice.
void PrintLoadWarnings(const TPlanData& data) {
    static std::set<std::string> printed;
    for (const std::string& warning : data.LoadWarnings()) {
        if (printed.insert(warning).second) {
            std::cerr << "Achtung: " << warning << "\n";
        }
    }
}

} // namespace

TPlanFileKind LoadInput(const std::string& path, TPlanData& planData) {
    try {
        const TPlanFileKind kind = LoadPlanInput(path, planData);
        PrintLoadWarnings(planData);
        return kind;
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
        // A file the user names as options must be one: a silent fall-back to the defaults
        // would generate with settings nobody asked for.
        std::string problem;
        options.Load(optionsFile, &problem);
        if (!problem.empty()) {
            throw EFileError(problem);
        }
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
        PrintLoadWarnings(schedule);
        const TScheduleLoadResult result = plan->LoadScheduleFromPlanData(schedule, scheduleFile);
        if (result.gamesWithoutTeam > 0) {
            std::cerr << "Achtung: " << result.UnmatchedText() << " (" << scheduleFile << ")\n";
        }
        const TCalculateOptions options = plan->getOptions();
        plan->AssignOptions(options);
    }
    return plan;
}

void RequireTwoTeams(const TPlan& plan) {
    if (plan.Mannschaften.size() < 2) {
        throw TerminorError("Der Plan enthält weniger als zwei Mannschaften; es kann kein Spielplan "
                            "generiert werden.");
    }
}

void RequireDatedGames(const TPlan& plan) {
    if (plan.NoGames()) {
        throw TerminorError("Der Plan enthält keine terminierten Spiele; bitte --schedule angeben");
    }
}

} // namespace terminor::cli
