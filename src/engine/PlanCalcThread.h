#pragma once
// TPlanCalcThread: one optimisation worker. It repeats the step of the local search on its own
// plan copy, accepts a candidate only when it is strictly cheaper, and publishes its best plan
// to its driver under the driver's lock. A driver may push a new start plan or new plan data.
// The worker runs at the lowest priority. It holds the driver's lock only to swap prepared plans,
// and it never queues for it: a worker preempted inside the lock, or two dozen of them queued in
// front of the driver, would stall the driver and the window behind it for seconds.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/PlanMoves.h"
#include "engine/Random.h"
#include "engine/ThreadFailure.h"
#include "model/Plan.h"

namespace terminor {

/// The parsed worker type text ("R", "S1,25", "M2,10", "15", ...).
struct TWorkerType {
    std::string ThreadType;
    bool LowPrioThread = false;
    TTauschTyp TauschTyp = ttNormal;
    int TauschAnzahl = 0;
    double TauschPercent = 10.0;

    /// Parses the type grammar; a number that cannot be read throws EConvertError.
    static TWorkerType Parse(const std::string& text);
};

class TPlanCalcThread {
public:
    /// Creates the worker without starting its thread; `seed` seeds its own generator.
    explicit TPlanCalcThread(std::uint64_t seed);
    /// Terminates the thread, if running, and joins it.
    ~TPlanCalcThread();
    TPlanCalcThread(const TPlanCalcThread&) = delete;
    TPlanCalcThread& operator=(const TPlanCalcThread&) = delete;

    /// Driver thread, before Start: the name, the start plan (copied, invalid dates removed), the
    /// type text and the driver's lock.
    void StartWithLists(const std::string& threadName, const TPlan& plan, const std::string& tauschArt,
                        std::recursive_mutex* parentCriticalSection);
    /// Starts the worker thread (at most once).
    void Start();
    /// Asks the thread to stop; Finished() turns true when it has left its loop.
    void Terminate();
    bool Finished() const { return FFinished.load(); }
    /// Terminate and join.
    void Stop();

    /// Driver thread, under the driver's lock; the worker takes the new type at its next step.
    void SetThreadType(const std::string& tauschArt);
    std::string ThreadType() const;
    void SetPaused(bool value) { FPaused.store(value); }
    bool Paused() const { return FPaused.load(); }
    bool IsInit() const { return FIsInit.load(); }

    /// Driver thread: copies the best dates into `plan` (when given) and reports the step count and
    /// the published cost (-1 while nothing is published or a re-initialisation is pending).
    void GetActResult(TPlan* plan, std::int64_t& durchLauf, double& kosten);
    void DoReInitPlan(const TPlan& plan, const std::string& reinitString);
    /// New plan data; with `withDates` the worker also takes the dates of `plan`, otherwise it keeps
    /// its own schedule where it still fits.
    void DoReInitPlanData(const TPlan& plan, const std::string& reinitString, bool withDates = false);
    /// Driver thread, before Start: where an error that ends this worker is reported.
    void SetFailureSink(TThreadFailure* failure) { FFailure = failure; }
    std::string GetCompleteThreadName() const;

    /// Runs the worker's loop for `steps` steps in the calling thread (no driver, no sleeping):
    /// deterministic for a given seed. Returns the accepted cost.
    double RunSynchronously(std::int64_t steps);
    /// The accepted plan (calling thread only, when the worker thread is not running).
    const TPlan& OptPlan() const { return *FOptPlan; }
    std::int64_t Durchlauf() const { return FDurchlauf.load(); }

private:
    void Execute();
    void Init();
    void DoStep();
    void ApplyReInit();
    /// Publishes the best plan prepared in FOptPlanBack if the lock is free; otherwise it stays
    /// pending for the next step. With `wait`, it waits for the lock (at the end of the thread).
    void Publish(bool wait);
    /// The driver's lock, taken by polling instead of queueing behind the driver.
    std::unique_lock<std::recursive_mutex> LockWithoutQueueing() const;
    /// The driver's lock, or the worker's own one when it runs without a driver.
    std::recursive_mutex& Lock() const {
        return FParentCriticalSection ? *FParentCriticalSection : FOwnCriticalSection;
    }

    TRandom FRng;
    std::unique_ptr<TPlan> FPlan;
    /// The published best plan: the driver reads it under the lock, only this worker replaces it.
    std::unique_ptr<TPlan> FOptPlan;
    /// The same plan data as FOptPlan; the next best plan is prepared here outside the lock and
    /// swapped with FOptPlan under it.
    std::unique_ptr<TPlan> FOptPlanBack;
    /// FOptPlanBack holds an accepted plan that is not published yet (worker thread only).
    bool FPublishPending = false;
    std::unique_ptr<TPlanMoves> FMoves;
    /// The start plan of a pending re-initialisation (when FReInitPlanPending); kept between requests.
    std::unique_ptr<TPlan> FReInitPlan;
    bool FReInitPlanPending = false;
    /// The DataStamp of the plan FReInitPlan's data were copied from (0: none yet).
    std::uint64_t FReInitPlanSourceStamp = 0;
    /// The start plan last taken over, swapped with FReInitPlan under the lock and read outside
    /// it; it carries its stamp along, so the driver's next request may again copy dates only.
    std::unique_ptr<TPlan> FReInitPlanTaken;
    std::uint64_t FReInitPlanTakenStamp = 0;
    std::unique_ptr<TPlan> FReInitPlanData;
    std::recursive_mutex* FParentCriticalSection = nullptr;
    mutable std::recursive_mutex FOwnCriticalSection;
    /// Guards FType and FReinitString: the driver changes them, the worker reads them for its steps
    /// and its name.
    mutable std::mutex FTypeMutex;
    std::string FThreadName;
    std::string FReinitString;
    TWorkerType FType;

    std::atomic<std::int64_t> FDurchlauf{0};
    std::int64_t FDurchLaufAfterReInit = 0;
    double FOptKosten = -1.0;
    double FRetKosten = -1.0;
    std::atomic<bool> FReInitPlanFlag{false};
    std::atomic<bool> FReInitPlanDataFlag{false};
    bool FReInitWithDates = false;
    TThreadFailure* FFailure = nullptr;
    std::atomic<bool> FPaused{false};
    std::atomic<bool> FIsInit{false};
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::thread FThread;
};

} // namespace terminor
