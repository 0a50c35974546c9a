#include "PlanInput.h"

#include "data/Error.h"
#include "data/XmlFile.h"

#include <fstream>

namespace terminor::cli {

void LoadPlanInput(const std::string& path, TPlanData& planData, bool& isClickTT) {
    const std::string bytes = ReadFileBytes(path);
    TXmlDocument probe;
    probe.LoadBytes(bytes, path);
    isClickTT = std::string_view(probe.documentElement().name()) == "TT";
    if (isClickTT) {
        planData.LoadFromClickTTText(bytes, path);
    } else {
        planData.LoadFromXMLText(bytes, path);
    }
}

std::unique_ptr<TPlan> LoadPlan(const std::string& inputPath, const std::string& optionsFile) {
    TPlanData planData;
    bool isClickTT = false;
    LoadPlanInput(inputPath, planData, isClickTT);
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
        plan->LoadScheduleFromXml(scheduleFile);
        const TCalculateOptions options = plan->getOptions();
        plan->AssignOptions(options);
    }
    return plan;
}

} // namespace terminor::cli
