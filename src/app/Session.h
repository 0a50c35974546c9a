#pragma once
// TTerminorSession: the state and workflow of the main window without any widget: the plan data
// being edited, the click-TT export as read, the loaded and the running schedule, the remembered
// schedules, the storage directory and the generation. The form asks the questions and shows the
// results; everything else happens here. User-interface thread only (the optimiser runs its own
// threads and is reached only through its thread-safe calls).

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/SavedPlans.h"
#include "data/DateTime.h"
#include "engine/EngineConfig.h"

namespace terminor {

class TPlan;
class TPlanData;
class TPlanOptimizer;

/// A plan file read into new objects; the session switches to it only when all has loaded.
struct TOpenedPlan {
    TOpenedPlan();
    ~TOpenedPlan();
    std::string FileName;
    std::unique_ptr<TPlanData> PlanData;
    /// The click-TT export as read; null for a plan file of the program's own.
    std::unique_ptr<TPlanData> PlanDataClickTTFile;
    std::unique_ptr<TPlan> PlanLoaded;
    std::string Directory;
    /// A click-TT export opened without a modifications file beside it.
    bool FirstStart = false;
    /// German notes on what reading repaired: characters dropped, a broken options file.
    std::vector<std::string> Warnings;
};

/// The season-length questions asked after opening a file, in the order they are asked.
enum class TSeasonQuestion { None, HalfRound, Corona, SecondOnly };

class TTerminorSession {
public:
    /// `appDataFolder` is the user's local application-data folder; `config` sizes the generation.
    explicit TTerminorSession(std::string appDataFolder, TEngineConfig config = {});
    ~TTerminorSession();
    TTerminorSession(const TTerminorSession&) = delete;
    TTerminorSession& operator=(const TTerminorSession&) = delete;

    // Opening.
    /// Reads a click-TT export (merging its modifications file) or a plan file, builds its plan and
    /// loads its options file; throws the core's German errors and changes nothing of the session.
    /// A file that is no plan input is refused; one without teams only with `allowEmpty` (a new file).
    std::unique_ptr<TOpenedPlan> OpenPlanFile(const std::string& fileName, bool allowEmpty = false) const;
    /// The settings of the opened plan's options file that differ from the defaults.
    static std::vector<std::string> UserSettings(const TOpenedPlan& opened);
    /// Back to the default options, saved.
    static void UseDefaultSettings(TOpenedPlan& opened);
    /// The next season question to ask at `now`, given the options as they are now.
    static TSeasonQuestion NextSeasonQuestion(const TOpenedPlan& opened, TDateTime now,
                                              TSeasonQuestion after);
    static std::string SeasonQuestionText(TSeasonQuestion question);
    /// A "Ja" to a season question: the round planning it names, saved.
    static void AcceptSeasonQuestion(TOpenedPlan& opened, TSeasonQuestion question);
    /// Ends the running generation and switches to the opened plan (the running schedule without
    /// dates). A first start writes the modifications file, so that it is noted once. Nothing after
    /// the switch can fail: when that file cannot be written, the plan is opened all the same and
    /// the returned warning says that changes cannot be kept beside the export; it also holds the
    /// opened plan's Warnings (else it is empty).
    std::string Adopt(std::unique_ptr<TOpenedPlan> opened);
    /// Writes an empty plan data file for "Neue Datei...".
    static void CreateNewFile(const std::string& fileName);

    // State.
    bool PlanIsLoaded() const { return FPlanIsLoaded; }
    const std::string& CurrentFileName() const { return FCurrentFileName; }
    const std::string& CurrentPlanDirectory() const { return FCurrentPlanDirectory; }
    std::string OptionsFileName() const;
    std::string ModificationsFileName() const;
    TPlanData& PlanData() { return *FPlanData; }
    const TPlanData* PlanDataClickTTFile() const { return FPlanDataClickTTFile.get(); }
    TPlan& PlanLoaded() { return *FPlanLoaded; }
    TPlan& PlanOptimized() { return *FPlanOptimized; }
    TSavedPlans& SavedPlans() { return FSavedPlans; }
    TPlanOptimizer* Optimizer() { return FOptimizer.get(); }

    /// The storage directory of a plan: app data, "Terminor", the escaped name and season year;
    /// created when missing; empty when that fails.
    std::string GetPlanDirectory(const TPlanData& planData) const;

    // Changes.
    /// The plan data as the user changed them: modifications beside an export, else the plan file.
    void SavePlanData();
    /// Options (and with `saveOnlyOptions` false the plan data) saved, every plan rebuilt, the
    /// running generation handed the new data. A failed save is thrown at the end, after the rest.
    void ApplySettings(bool saveOnlyOptions);
    /// The data dialog's edited copy becomes the plan data, then ApplySettings(false). A failed save
    /// throws its error after everything else was done: the edits stay and the next save writes them.
    void TakeOverPlanData(const TPlanData& edited);
    /// The number of teams in the plan data; start, export and print need at least two.
    int TeamCount() const;
    /// New options for the loaded plan, applied as ApplySettings(true).
    void ApplyOptions(const class TCalculateOptions& options);
    /// Locks a game of the plan to its date (a predefined game of the plan data), or lifts that;
    /// saved and handed to the running generation like every data change. A failed save leaves
    /// the plan data as they were.
    void LockGame(const std::string& home, const std::string& guest, TDateTime dateTime,
                  const std::string& location);
    void UnlockGame(const std::string& home, const std::string& guest, TDateTime dateTime);
    bool IsGameLocked(const std::string& home, const std::string& guest, TDateTime dateTime) const;
    /// Re-reads the remembered schedules; returns whether the list changed.
    bool RefreshSavedPlans(bool forceReload);

    // Generation.
    bool Running() const;
    bool Paused() const;
    /// Starts a generation from the running schedule's dates, or toggles the pause.
    void StartPause();
    void StopOptimizer();
    /// Pauses or resumes a running generation.
    void SetPaused(bool paused);
    /// Milliseconds the current generation has run, pauses not counted.
    std::int64_t RunningMs() const;
    /// Pauses the generation for the lifetime of the returned guard, then restores its state.
    class TPauseGuard {
    public:
        explicit TPauseGuard(TTerminorSession& session);
        ~TPauseGuard();
        TPauseGuard(const TPauseGuard&) = delete;
        TPauseGuard& operator=(const TPauseGuard&) = delete;

    private:
        TTerminorSession& FSession;
        bool FWasPaused = false;
        bool FHadOptimizer = false;
    };

    /// One sync-timer run while generating: copies the best dates into the running schedule.
    struct TSyncResult {
        bool Copied = false;
        std::int64_t Durchlaufe = 0;
        double PlanPerSec = 0;
        double Kosten = -1;
    };
    TSyncResult SyncPlans();
    /// The first error that ended a thread of the generation, reported once.
    std::optional<std::string> TakeGenerationFailure();

    // Remembered schedules and export.
    /// Saves the running generation's best schedule under `name` in the storage directory. A
    /// remembered schedule whose name differs only in case is overwritten, not doubled.
    void RememberPlan(const std::string& name);
    /// Whether a generation has computed a schedule that differs from the one remembered last.
    bool BestPlanUnremembered() const;
    /// Deletes the files of the remembered schedules whose plan is `plan`; throws when one stays.
    void ForgetPlan(const TPlan* plan);
    /// A copy of `plan` for the export, so that the schedule checked is the one written, whatever
    /// the generation does meanwhile.
    static std::unique_ptr<TPlan> ExportCopy(const TPlan& plan);
    /// What to ask about before exporting `copy`: its hard errors, then the texts that the CSV
    /// file cannot hold (written with "?").
    static std::vector<std::string> ExportWarnings(const TPlan& copy);
    /// Writes `copy` as the CSV file for click-TT.
    static void ExportCsv(const TPlan& copy, const std::string& fileName);

private:
    void PlanDataChanged();
    /// Starts or stops the clock of RunningMs.
    void NoteRunning(bool running);
    /// Applies `change` to the plan data and then ApplySettings(false); restores them on failure.
    void ChangePlanData(const std::function<bool(TPlanData&)>& change);

    std::string FAppDataFolder;
    TEngineConfig FConfig;
    bool FPlanIsLoaded = false;
    std::string FCurrentFileName;
    std::string FCurrentPlanDirectory;
    std::unique_ptr<TPlanData> FPlanData;
    std::unique_ptr<TPlanData> FPlanDataClickTTFile;
    std::unique_ptr<TPlan> FPlanLoaded;
    std::unique_ptr<TPlan> FPlanOptimized;
    TSavedPlans FSavedPlans;
    std::unique_ptr<TPlanOptimizer> FOptimizer;
    bool FFailureReported = false;
    /// The best schedule's cost when it was remembered last in this generation.
    std::optional<double> FRememberedKosten;
    std::int64_t FRunMs = 0;
    std::optional<std::chrono::steady_clock::time_point> FRunningSince;
};

} // namespace terminor
