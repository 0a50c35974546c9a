#pragma once
// TPlanMainThread: a driver of 14 fixed and 10 adaptive workers. Every 100 ms it adopts the
// cheapest worker result, pushes it back into all workers and re-types an adaptive worker to the
// winner's type; it also applies restart and new-data requests from the optimiser.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/EngineConfig.h"
#include "engine/PlanCalcThread.h"
#include "engine/ThreadFailure.h"
#include "model/Plan.h"

namespace terminor {

class TPlanMainThread {
public:
    /// `seed` derives the seeds of the workers.
    TPlanMainThread(const TEngineConfig& config, std::uint64_t seed);
    /// Stops and joins the thread and all workers.
    ~TPlanMainThread();
    TPlanMainThread(const TPlanMainThread&) = delete;
    TPlanMainThread& operator=(const TPlanMainThread&) = delete;

    /// Optimiser thread, before Start: name, start plan (copied) and the optimiser's lock.
    void InitWithPlan(const std::string& threadName, const TPlan& plan,
                      std::recursive_mutex* parentCriticalSection);
    void Start();
    void Terminate();
    bool Finished() const { return FFinished.load(); }
    void Stop();

    /// Any thread; never waits for the main-thread lock.
    void SetPaused(bool value);
    bool Paused() const { return FPaused.load(); }
    bool IsInit() const { return FIsInit.load(); }
    const std::string& ThreadName() const { return FThreadName; }
    /// Before Start: where an error that ends this thread or one of its workers is reported.
    void SetFailureSink(TThreadFailure* failure) { FFailure = failure; }

    /// Restart from an empty schedule at the next cycle.
    void ReInitAll(const std::string& reinitString);
    /// New plan data (copied) at the next cycle. With `withDates` the thread and its workers also
    /// take the dates of `plan` (a restart from another thread's result); otherwise each keeps its
    /// own schedule where it still fits.
    void ReInit(const TPlan& plan, const std::string& reinitString, bool withDates = false);
    /// Right after ReInit: the pending plan data weights this team cost type to the maximum.
    void SetMaxOption(TMannschaftsKostenType kostenType);
    /// Optimiser thread (takes the optimiser's lock, then its own): copies the best dates into `plan`
    /// when given and reports the counters and the cost (-1 while a request is pending).
    void GetActResult(TPlan* plan, std::int64_t& durchLauf, std::int64_t& durchLaufAfterReInit,
                      std::int64_t& durchLaufOhneVerbesserung, double& kosten);
    std::int64_t Durchlaufe() const { return FDurchlaufe.load(); }
    /// The text of the last re-initialisation request.
    std::string ReinitString();

    /// For tests: the main-thread lock, which the workers share.
    std::unique_lock<std::recursive_mutex> LockForTests() {
        return std::unique_lock(FCriticalSectionMainThread);
    }
    /// For tests: the workers, and one collection cycle run in the calling thread. CreateWorkers
    /// builds the workers as the running thread does, without starting them.
    const std::vector<std::unique_ptr<TPlanCalcThread>>& Workers() const { return FThreads; }
    const std::vector<TPlanCalcThread*>& DynamicWorkers() const { return FDynamicThreads; }
    void CreateWorkers();
    void CollectOnce();

private:
    void Execute();
    void StartThreads();
    void KillThreads();
    /// Takes the cheapest worker result that beats FRetKosten into FPlan and refreshes the step
    /// count; returns whether one did. The caller holds the own lock.
    bool TakeBestWorkerResult(std::string& winner);
    /// On termination: stops the workers, then takes their last results and final step counts.
    void CollectFinal();

    TEngineConfig FConfig;
    std::uint64_t FSeed;
    std::recursive_mutex FCriticalSectionMainThread;
    std::recursive_mutex* FParentCriticalSection = nullptr;
    std::unique_ptr<TPlan> FPlan;
    std::unique_ptr<TPlan> FReInitPlanData;
    /// Carries a worker's result into FPlan; holds FPlan's plan data as of FTemporarySourceStamp.
    std::unique_ptr<TPlan> FTemporary;
    std::uint64_t FTemporarySourceStamp = 0;
    std::vector<std::unique_ptr<TPlanCalcThread>> FThreads;
    /// Guards the structure of FThreads for SetPaused, which must not wait for the main-thread lock
    /// (a worker the scheduler has set aside may hold it); the list changes under both.
    std::mutex FListMutex;
    std::vector<TPlanCalcThread*> FDynamicThreads;
    std::string FThreadName;
    std::string FReinitString;
    double FRetKosten = -1.0;
    std::atomic<std::int64_t> FDurchlaufe{0};
    std::int64_t FReInitByDurchLauf = 0;
    std::int64_t FVerbesserungByDurchLauf = 0;
    bool FFlagReInitAllDates = false;
    bool FFlagReInitOptions = false;
    bool FReInitWithDates = false;
    TThreadFailure* FFailure = nullptr;
    std::atomic<bool> FPaused{false};
    std::atomic<bool> FIsInit{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};

} // namespace terminor
