#pragma once
// The remembered schedules of a plan: every "*.xml" file in the plan's storage directory is one
// schedule, read against a copy of the loaded plan. The list follows the directory: files that
// appear, change or vanish are picked up by Refresh. User-interface thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/Plan.h"

namespace terminor {

/// One remembered schedule; owns its plan.
struct TSavedPlan {
    std::string FileName;
    std::string Name;
    /// Modification time of the file when it was read (file-system ticks); 0 forces a re-read.
    std::int64_t FileAge = 0;
    bool Valid = false;
    /// The German reason when the file could not be read.
    std::string Error;
    /// Games of the file that fit no team of the plan ("N von M Spielen ..."), or empty.
    std::string Warning;
    std::unique_ptr<TPlan> Plan;
};

class TSavedPlans {
public:
    TSavedPlans();
    ~TSavedPlans();

    /// Newest file first.
    const std::vector<std::unique_ptr<TSavedPlan>>& Items() const { return FItems; }
    /// The valid schedules in list order.
    std::vector<TSavedPlan*> ValidItems() const;
    void Clear() { FItems.clear(); }
    /// The remembered schedule whose name equals `name` ignoring case, or null.
    const TSavedPlan* FindByName(const std::string& name) const;
    /// The schedules that could not be read, as lines naming each file and its reason.
    std::vector<std::string> InvalidTexts() const;

    /// Follows the directory; `planLoaded` is the plan each schedule is read against. Returns
    /// whether anything was removed or (re)loaded.
    bool Refresh(const std::string& directory, const TPlan& planLoaded, bool forceReload);
    /// New plan data or options for every valid schedule.
    void AssignPlanData(const TPlan& planLoaded);
    void AssignOptions(const TPlan& optionsSource);

    /// The path of the schedule file for a display name.
    static std::string FileNameFor(const std::string& directory, const std::string& name);

private:
    bool AddSavedPlanFile(const std::string& path, const TPlan& planLoaded);
    static bool LoadSavedPlan(TSavedPlan& saved, const std::string& path, const TPlan& planLoaded);

    std::vector<std::unique_ptr<TSavedPlan>> FItems;
};

} // namespace terminor
