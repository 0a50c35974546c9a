// TSavedPlans: directory listing, modification times and reading of the schedule files.

#include "app/SavedPlans.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include <QString>

#include "data/PlanUtils.h"
#include "model/Plan.h"

namespace terminor {

namespace {

namespace fs = std::filesystem;

std::int64_t FileAgeOf(const std::string& path) {
    std::error_code ec;
    const auto time = fs::last_write_time(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

} // namespace

TSavedPlans::TSavedPlans() = default;
TSavedPlans::~TSavedPlans() = default;

std::vector<TSavedPlan*> TSavedPlans::ValidItems() const {
    std::vector<TSavedPlan*> result;
    for (const auto& item : FItems) {
        if (item->Valid) {
            result.push_back(item.get());
        }
    }
    return result;
}

const TSavedPlan* TSavedPlans::FindByName(const std::string& name) const {
    const QString wanted = QString::fromStdString(name);
    for (const auto& item : FItems) {
        if (QString::fromStdString(item->Name).compare(wanted, Qt::CaseInsensitive) == 0) {
            return item.get();
        }
    }
    return nullptr;
}

std::vector<std::string> TSavedPlans::InvalidTexts() const {
    std::vector<std::string> lines;
    for (const auto& item : FItems) {
        if (!item->Valid) {
            lines.push_back("\"" + item->Name + "\" wird nicht angezeigt: " + item->Error);
        }
    }
    return lines;
}

std::string TSavedPlans::FileNameFor(const std::string& directory, const std::string& name) {
    return directory + "/" + EscapeFileName(name) + ".xml";
}

bool TSavedPlans::Refresh(const std::string& directory, const TPlan& planLoaded, bool forceReload) {
    if (forceReload) {
        for (const auto& item : FItems) {
            item->FileAge = 0;
        }
    }
    if (directory.empty()) {
        return false;
    }
    std::vector<std::string> files;
    ListFiles(directory + "/*.xml", files);
    bool changed = false;
    for (auto it = FItems.end(); it != FItems.begin();) {
        --it;
        const std::string name = fs::path((*it)->FileName).filename().string();
        // Exact names: on a case-sensitive file system "A.xml" and "a.xml" are two schedules, and
        // each entry vanishes with its own file.
        const bool listed = std::find(files.begin(), files.end(), name) != files.end();
        if (!listed) {
            it = FItems.erase(it);
            changed = true;
        }
    }
    for (const std::string& file : files) {
        changed = AddSavedPlanFile(directory + "/" + file, planLoaded) || changed;
    }
    if (changed) {
        std::stable_sort(FItems.begin(), FItems.end(),
                         [](const auto& a, const auto& b) { return a->FileAge > b->FileAge; });
    }
    return changed;
}

bool TSavedPlans::AddSavedPlanFile(const std::string& path, const TPlan& planLoaded) {
    for (const auto& item : FItems) {
        if (item->FileName == path) {
            if (item->FileAge != FileAgeOf(path)) {
                LoadSavedPlan(*item, path, planLoaded);
                // A re-read counts as a change whether or not it succeeded: validity may differ.
                return true;
            }
            return false;
        }
    }
    auto saved = std::make_unique<TSavedPlan>();
    LoadSavedPlan(*saved, path, planLoaded);
    FItems.push_back(std::move(saved));
    return true;
}

bool TSavedPlans::LoadSavedPlan(TSavedPlan& saved, const std::string& path, const TPlan& planLoaded) {
    saved.FileName = path;
    saved.Name = UnescapeFileName(fs::path(path).stem().string());
    saved.FileAge = FileAgeOf(path);
    try {
        auto plan = std::make_unique<TPlan>();
        plan->Assign(planLoaded);
        saved.Warning = plan->LoadScheduleFromXml(path).UnmatchedText();
        plan->AssignOptions(planLoaded.getOptions());
        saved.Plan = std::move(plan);
        saved.Valid = true;
        saved.Error.clear();
    } catch (const std::exception& e) {
        saved.Valid = false;
        saved.Error = e.what();
        saved.Warning.clear();
    }
    return saved.Valid;
}

void TSavedPlans::AssignPlanData(const TPlan& planLoaded) {
    for (TSavedPlan* item : ValidItems()) {
        item->Plan->AssignPlanData(planLoaded);
    }
}

void TSavedPlans::AssignOptions(const TPlan& optionsSource) {
    for (TSavedPlan* item : ValidItems()) {
        item->Plan->AssignOptions(optionsSource.getOptions());
    }
}

} // namespace terminor
