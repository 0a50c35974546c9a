#pragma once
// TPlanOptimizer: the generation as the main window runs it. Four main threads (and later a
// "Special" one that weights one cost type to the maximum) search in parallel; once a second the
// optimiser keeps the best schedule, restarts the worst main thread when it stagnates and hands
// plan-data changes down. Lock order: optimiser lock before main-thread lock; the small locks
// (shown plan, thread lists, rate) come last and are never held while waiting for either.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/EngineConfig.h"
#include "engine/PlanMainThread.h"
#include "engine/Random.h"
#include "engine/ThreadFailure.h"
#include "model/Plan.h"

namespace terminor {

class TPlanOptimizer {
public:
    /// Takes a copy of the start plan; the thread tree starts with Start().
    TPlanOptimizer(const TPlan& plan, TEngineConfig config = {});
    /// Terminates and joins the whole thread tree.
    ~TPlanOptimizer();
    TPlanOptimizer(const TPlanOptimizer&) = delete;
    TPlanOptimizer& operator=(const TPlanOptimizer&) = delete;

    void Start();
    void Terminate();
    bool Finished() const { return FFinished.load(); }
    /// Terminate and join (children first).
    void Stop();

    /// Any thread: pauses or resumes every main thread and restarts the rate measurement, without
    /// waiting for a collection cycle.
    void SetPaused(bool value);
    bool Paused() const { return FPaused.load(); }

    /// Any thread: copies the best dates found so far into `plan` (same teams). Never waits for a
    /// collection cycle.
    void copyPlanDates(TPlan& plan);
    /// Any thread: new plan data or options for the running search, taken at the next cycle; the
    /// plan copyPlanDates reads has them at once. Never waits for a collection cycle.
    void setNewPlanData(const TPlan& plan);
    /// Steps per second since the start or the last pause change / new plan data.
    double PlanPerSec() const;
    std::int64_t Durchlaufe() const { return FDurchlaufe.load(); }
    /// The cost of the best plan (-1 before the first result).
    double BestKosten() const { return FBestKosten.load(); }
    bool HasSpecialThread() const { return FHasSpecialThread.load(); }
    /// How often the "Special" main thread was started (at most once per run).
    int SpecialThreadStarts() const { return FSpecialThreadStarts.load(); }
    TMannschaftsKostenType SpecialThreadMaxGewichtung() const;
    /// Any thread: the German text of the first error that ended a thread of this generation.
    std::optional<std::string> FailureText() const { return FFailure.Text(); }
    bool Failed() const { return FFailure.Failed(); }
    /// For tests: the optimiser's lock and every main thread's, as a collection cycle that waits
    /// for a main thread holds them.
    std::vector<std::unique_lock<std::recursive_mutex>> LockTreeForTests();

private:
    void Execute();
    void StartThreads();
    void KillThreads();
    void Collect();
    /// Optimiser thread, under its lock: plan data handed over by setNewPlanData become the
    /// optimiser's.
    void TakePendingPlanData();
    /// Optimiser thread, under its lock: the best plan becomes the one copyPlanDates reads, unless
    /// newer plan data are waiting.
    void PublishShownPlan();
    /// The step count of a cycle; when the pause state changed during the cycle, the rate
    /// measurement restarts from it.
    void StoreDurchlaufe(std::int64_t durchlaufe, std::int64_t startTickOfCycle);
    /// The rate measurement starts again from now and the current step count.
    void RestartRate();
    struct TMainThreadResult {
        std::int64_t durchLauf = 0;
        std::int64_t afterReInit = 0;
        std::int64_t ohneVerbesserung = 0;
        double kosten = -1.0;
    };
    /// Reads a main thread's counters and cost (under the own lock); takes its dates into the best
    /// plan when they are cheaper than `best` and no plan data is pending, and updates `best`.
    TMainThreadResult TakeIfCheaper(TPlanMainThread& mainThread, double& best);
    /// On termination: stops the main threads, then takes their last results and final counts.
    void CollectFinal();
    void StartSpecialThread();
    TMannschaftsKostenType ChooseMaxGewichtung();
    static std::int64_t NowMs();

    TEngineConfig FConfig;
    TThreadFailure FFailure;
    /// The seed of the main threads' and the workers' generators.
    std::uint64_t FSeed = 0;
    TRandom FRng;
    /// Held for a whole collection cycle, which waits for each main thread's lock; a main thread's
    /// lock may in turn be held by a worker that the scheduler has set aside. The window's calls
    /// therefore never take it: they use the small locks below.
    std::recursive_mutex FCriticalSectionOptimizer;
    std::unique_ptr<TPlan> FPlan;
    /// Guards FShownPlan and FPendingPlanData; held only for a copy, never while waiting for another
    /// lock.
    std::mutex FShownMutex;
    /// The best plan as the window sees it: FPlan's dates after each cycle, with the newest plan data.
    std::unique_ptr<TPlan> FShownPlan;
    /// Plan data from setNewPlanData that the next cycle takes.
    std::unique_ptr<TPlan> FPendingPlanData;
    /// Guards the structure of FThreads and FSpecialThread for SetPaused; they change only under the
    /// optimiser's lock and this one.
    std::mutex FListMutex;
    /// Makes a pause change and a cycle's new step count one step each for the rate measurement.
    std::mutex FRateMutex;
    std::vector<std::unique_ptr<TPlanMainThread>> FThreads;
    std::unique_ptr<TPlanMainThread> FSpecialThread;
    std::atomic<int> FSpecialThreadMaxGewichtung{static_cast<int>(mktAbstandHeimAuswaerts)};
    std::atomic<std::int64_t> FDurchlaufe{0};
    std::atomic<std::int64_t> FLastResetDurchlauf{0};
    std::atomic<std::int64_t> FStartTick{0};
    std::atomic<double> FBestKosten{-1.0};
    std::atomic<bool> FHasSpecialThread{false};
    std::atomic<int> FSpecialThreadStarts{0};
    bool FReInitPlanData = false;
    std::atomic<bool> FPaused{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};

} // namespace terminor
