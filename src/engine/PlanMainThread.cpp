// TPlanMainThread: collects the results of its workers every cycle, keeps the cheapest plan,
// pushes it back into every worker and steers the adaptive workers towards the winning type.

#include "engine/PlanMainThread.h"

#include <algorithm>
#include <chrono>
#include <exception>

namespace terminor {

namespace {

constexpr auto PausePollInterval = std::chrono::milliseconds(100);
constexpr auto InitPollInterval = std::chrono::milliseconds(10);

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

TPlanMainThread::TPlanMainThread(const TEngineConfig& config, std::uint64_t seed)
    : FConfig(config), FSeed(seed), FPlan(std::make_unique<TPlan>()), FTemporary(std::make_unique<TPlan>()) {}

TPlanMainThread::~TPlanMainThread() {
    Stop();
    // Workers built without the thread (CreateWorkers) are stopped here.
    KillThreads();
}

void TPlanMainThread::InitWithPlan(const std::string& threadName, const TPlan& plan,
                                   std::recursive_mutex* parentCriticalSection) {
    const std::lock_guard lock(FCriticalSectionMainThread);
    FThreadName = threadName;
    FPlan->Assign(plan);
    FParentCriticalSection = parentCriticalSection;
}

void TPlanMainThread::Start() {
    if (FThread.joinable()) {
        return;
    }
    FThread = std::thread([this] { Execute(); });
}

void TPlanMainThread::Terminate() {
    FTerminated.store(true);
}

void TPlanMainThread::Stop() {
    Terminate();
    if (FThread.joinable()) {
        FThread.join();
    }
}

void TPlanMainThread::SetPaused(bool value) {
    FPaused.store(value);
    const std::lock_guard list(FListMutex);
    // The state stored last wins, also against a concurrent call.
    const bool paused = FPaused.load();
    for (const auto& worker : FThreads) {
        worker->SetPaused(paused);
    }
}

void TPlanMainThread::ReInitAll(const std::string& reinitString) {
    const std::lock_guard lock(FCriticalSectionMainThread);
    FFlagReInitAllDates = true;
    FReinitString = reinitString;
}

void TPlanMainThread::ReInit(const TPlan& plan, const std::string& reinitString, bool withDates) {
    const std::lock_guard lock(FCriticalSectionMainThread);
    FFlagReInitOptions = true;
    FReInitWithDates = withDates;
    auto copy = std::make_unique<TPlan>();
    copy->Assign(plan);
    FReInitPlanData = std::move(copy);
    FReinitString = reinitString;
}

void TPlanMainThread::SetMaxOption(TMannschaftsKostenType kostenType) {
    const std::lock_guard lock(FCriticalSectionMainThread);
    FFlagReInitOptions = true;
    if (FReInitPlanData) {
        TCalculateOptions options = FReInitPlanData->getOptions();
        options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(kostenType)] = coExtremHoch;
        FReInitPlanData->AssignOptions(options);
    }
}

void TPlanMainThread::GetActResult(TPlan* plan, std::int64_t& durchLauf, std::int64_t& durchLaufAfterReInit,
                                   std::int64_t& durchLaufOhneVerbesserung, double& kosten) {
    std::unique_lock<std::recursive_mutex> parentLock;
    if (FParentCriticalSection != nullptr) {
        parentLock = std::unique_lock(*FParentCriticalSection);
    }
    const std::lock_guard lock(FCriticalSectionMainThread);
    if (plan != nullptr) {
        plan->AssignOptimizedDates(*FPlan);
    }
    const std::int64_t durchlaufe = FDurchlaufe.load();
    durchLauf = durchlaufe;
    durchLaufAfterReInit = durchlaufe - FReInitByDurchLauf;
    durchLaufOhneVerbesserung = durchlaufe - FVerbesserungByDurchLauf;
    kosten = FFlagReInitAllDates || FFlagReInitOptions ? -1.0 : FRetKosten;
}

std::string TPlanMainThread::ReinitString() {
    const std::lock_guard lock(FCriticalSectionMainThread);
    return FReinitString;
}

void TPlanMainThread::CreateWorkers() {
    const std::lock_guard lock(FCriticalSectionMainThread);
    std::uint64_t index = 0;
    auto add = [&](const std::string& name, const std::string& type) {
        auto worker = std::make_unique<TPlanCalcThread>(TRandom::DeriveSeed(FSeed, index++));
        worker->StartWithLists(name, *FPlan, type, &FCriticalSectionMainThread);
        worker->SetFailureSink(FFailure);
        worker->SetPaused(true);
        const std::lock_guard list(FListMutex);
        FThreads.push_back(std::move(worker));
    };
    for (const std::string& type : FConfig.fixedWorkerTypes) {
        add(FThreadName, type);
    }
    for (int i = 0; i < FConfig.dynamicWorkers; ++i) {
        add(FThreadName + "|Dyn", FConfig.dynamicWorkerType);
        FDynamicThreads.push_back(FThreads.back().get());
    }
}

void TPlanMainThread::StartThreads() {
    {
        const std::lock_guard lock(FCriticalSectionMainThread);
        CreateWorkers();
        for (const auto& worker : FThreads) {
            worker->Start();
        }
    }
    // Only this thread changes the list, so it may be read without the lock.
    for (const auto& worker : FThreads) {
        while (!worker->IsInit() && !worker->Finished() && !FTerminated.load()) {
            std::this_thread::sleep_for(InitPollInterval);
        }
    }
    SetPaused(FPaused.load());
}

void TPlanMainThread::KillThreads() {
    std::vector<std::unique_ptr<TPlanCalcThread>> threads;
    {
        const std::lock_guard lock(FCriticalSectionMainThread);
        const std::lock_guard list(FListMutex);
        threads.swap(FThreads);
        FDynamicThreads.clear();
    }
    // Joined without the lock: a worker may be waiting for it to publish its last result.
    for (const auto& worker : threads) {
        worker->Terminate();
    }
    for (const auto& worker : threads) {
        worker->Stop();
    }
}

void TPlanMainThread::Execute() {
    try {
        {
            const std::lock_guard lock(FCriticalSectionMainThread);
            FDurchlaufe.store(0);
            FReInitByDurchLauf = 0;
            FVerbesserungByDurchLauf = 0;
            FRetKosten = -1.0;
        }
        std::int64_t last = NowMs();
        StartThreads();
        FIsInit.store(true);
        const auto turn = std::chrono::milliseconds(std::min(FConfig.mainThreadCycleMs, 100));
        while (!FTerminated.load()) {
            if (FPaused.load()) {
                std::this_thread::sleep_for(PausePollInterval);
                continue;
            }
            if (NowMs() - last > FConfig.mainThreadCycleMs) {
                CollectOnce();
                last = NowMs();
            }
            std::this_thread::sleep_for(turn);
        }
        // What the workers found since the last cycle, and every step they did, still count.
        CollectFinal();
    } catch (...) {
        // A failing cycle ends this main thread; the generation reports the first such error.
        if (FFailure != nullptr) {
            FFailure->ReportCurrentException(FThreadName);
        }
    }
    KillThreads();
    FFinished.store(true);
}

void TPlanMainThread::CollectOnce() {
    const std::lock_guard lock(FCriticalSectionMainThread);
    std::string winner;
    FRetKosten = FPlan->CalculateKosten(-1);

    if (FFlagReInitAllDates) {
        FRetKosten = -1.0;
        FReInitByDurchLauf = FVerbesserungByDurchLauf = FDurchlaufe.load();
        FPlan->clearAllDates();
        for (const auto& worker : FThreads) {
            worker->DoReInitPlan(*FPlan, FReinitString);
        }
        FFlagReInitAllDates = false;
    }

    if (FFlagReInitOptions) {
        FReInitByDurchLauf = FVerbesserungByDurchLauf = FDurchlaufe.load();
        if (FReInitPlanData) {
            FPlan->AssignPlanData(*FReInitPlanData);
            // AssignPlanData keeps this plan's own schedule; a restart from another thread's
            // result must carry that result's dates.
            if (FReInitWithDates) {
                FPlan->AssignOptimizedDates(*FReInitPlanData);
            }
        }
        FPlan->RemoveNotValidDates();
        FReInitPlanData.reset();
        FRetKosten = FPlan->CalculateKosten(-1);
        for (const auto& worker : FThreads) {
            worker->DoReInitPlanData(*FPlan, FReinitString, FReInitWithDates);
        }
        FFlagReInitOptions = false;
        FReInitWithDates = false;
    }

    const bool improved = TakeBestWorkerResult(winner);

    if (improved) {
        FVerbesserungByDurchLauf = FDurchlaufe.load();
        for (const auto& worker : FThreads) {
            worker->DoReInitPlan(*FPlan, std::string());
        }
        // Steer one adaptive worker towards the winning type unless a third of them carry it already.
        const auto withWinner =
            std::count_if(FDynamicThreads.begin(), FDynamicThreads.end(),
                          [&](const TPlanCalcThread* w) { return w->ThreadType() == winner; });
        const auto dynamicCount = static_cast<std::ptrdiff_t>(FDynamicThreads.size());
        if (withWinner < dynamicCount / 3 && dynamicCount > 1) {
            TPlanCalcThread* first = FDynamicThreads.front();
            first->SetThreadType(winner);
            FDynamicThreads.erase(FDynamicThreads.begin());
            FDynamicThreads.push_back(first);
        }
    }
}

bool TPlanMainThread::TakeBestWorkerResult(std::string& winner) {
    bool improved = false;
    std::int64_t durchlaufe = 0;
    for (const auto& worker : FThreads) {
        std::int64_t n = 0;
        double k = -1.0;
        worker->GetActResult(nullptr, n, k);
        durchlaufe += n;
        // Later workers of the same cycle must beat the cost just taken over.
        if (k >= 0 && (k < FRetKosten || FRetKosten < 0)) {
            // The worker's best dates pass through a plan with this thread's plan data. The copy of
            // the data is kept while they stay the same: taking the worker's dates replaces all the
            // dates the copy had. (Its cost is not needed; only this thread's plan is evaluated.)
            if (FTemporarySourceStamp != FPlan->DataStamp()) {
                FTemporary->Assign(*FPlan);
                FTemporarySourceStamp = FPlan->DataStamp();
            }
            std::int64_t ignored = 0;
            worker->GetActResult(FTemporary.get(), ignored, k);
            FPlan->AssignOptimizedDates(*FTemporary);
            FPlan->CalculateKosten(-1);
            FRetKosten = k;
            winner = worker->ThreadType();
            improved = true;
        }
    }
    FDurchlaufe.store(durchlaufe);
    return improved;
}

void TPlanMainThread::CollectFinal() {
    {
        const std::lock_guard lock(FCriticalSectionMainThread);
        for (const auto& worker : FThreads) {
            worker->Terminate();
        }
    }
    // Joined without the lock: a worker may be waiting for it to publish its last result.
    for (const auto& worker : FThreads) {
        worker->Stop();
    }
    const std::lock_guard lock(FCriticalSectionMainThread);
    // A pending restart has made the workers' results obsolete; the own plan stays the result.
    if (FFlagReInitAllDates || FFlagReInitOptions) {
        std::int64_t durchlaufe = 0;
        for (const auto& worker : FThreads) {
            durchlaufe += worker->Durchlauf();
        }
        FDurchlaufe.store(durchlaufe);
        return;
    }
    FRetKosten = FPlan->CalculateKosten(-1);
    std::string winner;
    TakeBestWorkerResult(winner);
}

} // namespace terminor
