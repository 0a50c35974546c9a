// TPlanOptimizer: once a cycle it keeps the best main-thread result, restarts the worst main
// thread when it stagnates, starts the "Special" main thread after enough steps and hands new plan
// data down to its main threads.

#include "engine/PlanOptimizer.h"

#include <algorithm>
#include <array>
#include <exception>
#include <utility>

#include "data/PlanUtils.h"
#include "engine/AllocatorArenas.h"

namespace terminor {

namespace {

constexpr auto PausePollInterval = std::chrono::milliseconds(100);
constexpr auto InitPollInterval = std::chrono::milliseconds(10);

} // namespace

TPlanOptimizer::TPlanOptimizer(const TPlan& plan, TEngineConfig config)
    : FConfig(std::move(config)), FSeed(FConfig.seed ? *FConfig.seed : TRandom::ClockSeed()), FRng(FSeed),
      FPlan(std::make_unique<TPlan>()), FShownPlan(std::make_unique<TPlan>()) {
    FPlan->Assign(plan);
    FShownPlan->Assign(plan);
}

TPlanOptimizer::~TPlanOptimizer() {
    Stop();
    KillThreads();
}

std::int64_t TPlanOptimizer::NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TPlanOptimizer::Start() {
    if (FThread.joinable()) {
        return;
    }
    // Every thread of the tree, the special thread's included, plus this one.
    const int perMainThread = 1 + static_cast<int>(FConfig.fixedWorkerTypes.size()) + FConfig.dynamicWorkers;
    ReserveAllocatorArenas(1 + (FConfig.mainThreads + 1) * perMainThread);
    FThread = std::thread([this] { Execute(); });
}

void TPlanOptimizer::Terminate() {
    FTerminated.store(true);
}

void TPlanOptimizer::Stop() {
    Terminate();
    if (FThread.joinable()) {
        FThread.join();
    }
}

void TPlanOptimizer::SetPaused(bool value) {
    FPaused.store(value);
    {
        const std::lock_guard list(FListMutex);
        // The state stored last wins, also against a concurrent call.
        const bool paused = FPaused.load();
        for (const auto& mainThread : FThreads) {
            mainThread->SetPaused(paused);
        }
        if (FSpecialThread) {
            FSpecialThread->SetPaused(paused);
        }
    }
    RestartRate();
}

void TPlanOptimizer::RestartRate() {
    const std::lock_guard rate(FRateMutex);
    FStartTick.store(NowMs());
    FLastResetDurchlauf.store(FDurchlaufe.load());
}

TMannschaftsKostenType TPlanOptimizer::SpecialThreadMaxGewichtung() const {
    return static_cast<TMannschaftsKostenType>(FSpecialThreadMaxGewichtung.load());
}

void TPlanOptimizer::copyPlanDates(TPlan& plan) {
    const std::lock_guard shown(FShownMutex);
    plan.AssignOptimizedDates(*FShownPlan);
}

void TPlanOptimizer::setNewPlanData(const TPlan& plan) {
    auto copy = std::make_unique<TPlan>();
    copy->Assign(plan);
    std::unique_ptr<TPlan> replaced;
    const std::lock_guard shown(FShownMutex);
    replaced = std::exchange(FPendingPlanData, std::move(copy));
    FShownPlan->AssignPlanData(plan);
    FShownPlan->RemoveNotValidDates();
}

void TPlanOptimizer::TakePendingPlanData() {
    std::unique_ptr<TPlan> pending;
    {
        const std::lock_guard shown(FShownMutex);
        pending = std::move(FPendingPlanData);
    }
    if (!pending) {
        return;
    }
    FReInitPlanData = true;
    FPlan->AssignPlanData(*pending);
    FPlan->RemoveNotValidDates();
}

void TPlanOptimizer::PublishShownPlan() {
    const std::lock_guard shown(FShownMutex);
    // Newer plan data are shown already, with the dates that fit them; the next cycle publishes
    // dates found with them.
    if (!FPendingPlanData) {
        FShownPlan->AssignOptimizedDates(*FPlan);
    }
}

void TPlanOptimizer::StoreDurchlaufe(std::int64_t durchlaufe, std::int64_t startTickOfCycle) {
    const std::lock_guard rate(FRateMutex);
    FDurchlaufe.store(durchlaufe);
    // A pause change during the cycle has restarted the measurement; the steps it counted belong
    // before the restart.
    if (FStartTick.load() != startTickOfCycle) {
        FLastResetDurchlauf.store(durchlaufe);
    }
}

double TPlanOptimizer::PlanPerSec() const {
    const std::int64_t elapsed = NowMs() - FStartTick.load();
    if (elapsed <= 0) {
        return 0.0;
    }
    return static_cast<double>(FDurchlaufe.load() - FLastResetDurchlauf.load()) /
           (static_cast<double>(elapsed) / 1000.0);
}

void TPlanOptimizer::StartThreads() {
    {
        const std::lock_guard lock(FCriticalSectionOptimizer);
        // Plan data handed over before the start: the main threads start with them.
        TakePendingPlanData();
        FReInitPlanData = false;
        PublishShownPlan();
        const std::lock_guard list(FListMutex);
        for (int i = 0; i < FConfig.mainThreads; ++i) {
            auto mainThread = std::make_unique<TPlanMainThread>(
                FConfig, TRandom::DeriveSeed(FSeed, static_cast<std::uint64_t>(i)));
            mainThread->InitWithPlan(std::to_string(i + 1), *FPlan, &FCriticalSectionOptimizer);
            mainThread->SetFailureSink(&FFailure);
            mainThread->SetPaused(true);
            mainThread->Start();
            FThreads.push_back(std::move(mainThread));
        }
        FSpecialThread.reset();
    }
    // Only this thread changes the list, so it may be read without the lock.
    for (const auto& mainThread : FThreads) {
        while (!mainThread->IsInit() && !mainThread->Finished() && !FTerminated.load()) {
            std::this_thread::sleep_for(InitPollInterval);
        }
    }
    const std::lock_guard list(FListMutex);
    const bool paused = FPaused.load();
    for (const auto& mainThread : FThreads) {
        mainThread->SetPaused(paused);
    }
}

void TPlanOptimizer::KillThreads() {
    std::vector<std::unique_ptr<TPlanMainThread>> threads;
    std::unique_ptr<TPlanMainThread> special;
    {
        const std::lock_guard lock(FCriticalSectionOptimizer);
        const std::lock_guard list(FListMutex);
        threads.swap(FThreads);
        special = std::move(FSpecialThread);
    }
    for (const auto& mainThread : threads) {
        mainThread->Terminate();
    }
    if (special) {
        special->Terminate();
    }
    for (const auto& mainThread : threads) {
        mainThread->Stop();
    }
    if (special) {
        special->Stop();
    }
}

void TPlanOptimizer::Execute() {
    try {
        FDurchlaufe.store(0);
        FLastResetDurchlauf.store(0);
        std::int64_t last = NowMs();
        FStartTick.store(last);
        StartThreads();
        const auto turn = std::chrono::milliseconds(std::min(FConfig.optimizerCycleMs, 100));
        while (!FTerminated.load()) {
            if (FPaused.load()) {
                std::this_thread::sleep_for(PausePollInterval);
                continue;
            }
            if (NowMs() - last > FConfig.optimizerCycleMs) {
                Collect();
                last = NowMs();
            }
            std::this_thread::sleep_for(turn);
        }
        // The main threads hand in what they found since the last cycle, and their final counts.
        CollectFinal();
    } catch (...) {
        // A failing cycle ends the generation; the best plan so far stays available.
        FFailure.ReportCurrentException("Optimizer");
    }
    KillThreads();
    FFinished.store(true);
}

void TPlanOptimizer::Collect() {
    // Read before the pause check: a pause change after it shows as a changed tick at the end.
    const std::int64_t startTick = FStartTick.load();
    const std::lock_guard lock(FCriticalSectionOptimizer);
    // A pause that arrived while this thread waited for the lock: the rate measurement has just
    // been restarted and must not see another collection.
    if (FPaused.load()) {
        return;
    }
    TakePendingPlanData();
    double best = FPlan->CalculateKosten(-1);
    TPlanMainThread* worst = nullptr;
    double worstKosten = -1.0;
    std::int64_t worstOhneVerbesserung = 0;
    std::int64_t sum = 0;

    for (const auto& mainThread : FThreads) {
        const TMainThreadResult r = TakeIfCheaper(*mainThread, best);
        sum += r.durchLauf;
        if (r.kosten >= 0 && (r.kosten > worstKosten || worstKosten < 0)) {
            worst = mainThread.get();
            worstKosten = r.kosten;
            worstOhneVerbesserung = r.ohneVerbesserung;
        }
    }

    const std::int64_t durchlaufe = sum + (FSpecialThread ? FSpecialThread->Durchlaufe() : 0);
    StoreDurchlaufe(durchlaufe, startTick);

    if (FConfig.specialThread && !FSpecialThread && durchlaufe > FConfig.specialAfterSteps) {
        StartSpecialThread();
    }

    if (worst != nullptr && worstOhneVerbesserung > FConfig.stagnationSteps && !FReInitPlanData) {
        const std::string text = " Reinit: " + FormatValue(static_cast<double>(durchlaufe) / 1'000'000.0);
        // The special thread's counter only grows, so once it has passed the threshold its result
        // is taken at every stagnation.
        if (FSpecialThread && FSpecialThread->Durchlaufe() > FConfig.specialResultAfterSteps) {
            {
                TPlan temporary;
                temporary.Assign(*FPlan);
                std::int64_t n = 0;
                std::int64_t afterReInit = 0;
                std::int64_t ohneVerbesserung = 0;
                double k = -1.0;
                FSpecialThread->GetActResult(&temporary, n, afterReInit, ohneVerbesserung, k);
                // With its dates: the restart continues from the special thread's result.
                worst->ReInit(temporary,
                              "Von Spezial" +
                                  std::string(MannschaftsKostenTypeText(SpecialThreadMaxGewichtung())),
                              true);
            }
            const TMannschaftsKostenType kostenType = ChooseMaxGewichtung();
            FSpecialThreadMaxGewichtung.store(static_cast<int>(kostenType));
            FSpecialThread->ReInit(*FPlan, std::string());
            FSpecialThread->SetMaxOption(kostenType);
        } else {
            worst->ReInitAll(text);
        }
    }

    if (FReInitPlanData) {
        for (const auto& mainThread : FThreads) {
            mainThread->ReInit(*FPlan, mainThread->ReinitString());
        }
        if (FSpecialThread) {
            FSpecialThread->ReInit(*FPlan, std::string());
        }
        FReInitPlanData = false;
        RestartRate();
    }
    PublishShownPlan();
    FBestKosten.store(best);
}

TPlanOptimizer::TMainThreadResult TPlanOptimizer::TakeIfCheaper(TPlanMainThread& mainThread, double& best) {
    TMainThreadResult r;
    mainThread.GetActResult(nullptr, r.durchLauf, r.afterReInit, r.ohneVerbesserung, r.kosten);
    if (r.kosten >= 0 && (r.kosten < best || best < 0) && !FReInitPlanData) {
        mainThread.GetActResult(FPlan.get(), r.durchLauf, r.afterReInit, r.ohneVerbesserung, r.kosten);
        best = FPlan->CalculateKosten(-1);
    }
    return r;
}

void TPlanOptimizer::CollectFinal() {
    std::vector<TPlanMainThread*> mainThreads;
    {
        const std::lock_guard lock(FCriticalSectionOptimizer);
        for (const auto& mainThread : FThreads) {
            mainThreads.push_back(mainThread.get());
        }
        if (FSpecialThread) {
            mainThreads.push_back(FSpecialThread.get());
        }
    }
    for (TPlanMainThread* mainThread : mainThreads) {
        mainThread->Terminate();
    }
    // Joined without the lock: a main thread takes it to report its last results.
    for (TPlanMainThread* mainThread : mainThreads) {
        mainThread->Stop();
    }
    const std::lock_guard lock(FCriticalSectionOptimizer);
    TakePendingPlanData();
    double best = FPlan->CalculateKosten(-1);
    std::int64_t sum = 0;
    for (const auto& mainThread : FThreads) {
        sum += TakeIfCheaper(*mainThread, best).durchLauf;
    }
    StoreDurchlaufe(sum + (FSpecialThread ? FSpecialThread->Durchlaufe() : 0), FStartTick.load());
    PublishShownPlan();
    FBestKosten.store(best);
}

void TPlanOptimizer::StartSpecialThread() {
    const std::lock_guard lock(FCriticalSectionOptimizer);
    auto special = std::make_unique<TPlanMainThread>(
        FConfig, TRandom::DeriveSeed(FSeed, static_cast<std::uint64_t>(FConfig.mainThreads)));
    special->InitWithPlan("Special", *FPlan, &FCriticalSectionOptimizer);
    special->SetFailureSink(&FFailure);
    const TMannschaftsKostenType kostenType = ChooseMaxGewichtung();
    FSpecialThreadMaxGewichtung.store(static_cast<int>(kostenType));
    special->ReInit(*FPlan, std::string());
    special->SetMaxOption(kostenType);
    special->SetPaused(true);
    special->Start();
    while (!special->IsInit() && !special->Finished() && !FTerminated.load()) {
        std::this_thread::sleep_for(InitPollInterval);
    }
    {
        // In the list before it may run, so that no pause change misses it.
        const std::lock_guard list(FListMutex);
        FSpecialThread = std::move(special);
        FSpecialThread->SetPaused(FPaused.load());
    }
    FHasSpecialThread.store(true);
    FSpecialThreadStarts.fetch_add(1);
}

std::vector<std::unique_lock<std::recursive_mutex>> TPlanOptimizer::LockTreeForTests() {
    std::vector<std::unique_lock<std::recursive_mutex>> locks;
    locks.emplace_back(FCriticalSectionOptimizer);
    for (const auto& mainThread : FThreads) {
        locks.push_back(mainThread->LockForTests());
    }
    return locks;
}

TMannschaftsKostenType TPlanOptimizer::ChooseMaxGewichtung() {
    const std::lock_guard lock(FCriticalSectionOptimizer);
    std::array<bool, MannschaftsKostenTypeCount> inSet{};
    bool any = false;
    auto consider = [&](TMannschaftsKostenType type, bool condition) {
        if (condition && FPlan->CalculateMannschaftsKosten(type) > 0) {
            inSet[static_cast<std::size_t>(type)] = true;
            any = true;
        }
    };
    consider(mktAuswaertsKoppelTermine, FPlan->HasAuswaertsKoppelTermine());
    consider(mktKoppelTermine, FPlan->HasKoppelTermine());
    consider(mktRanking, FPlan->HasRanking());
    consider(mktSisterGames, true);
    consider(mkt60Kilometer, FPlan->Has60KilometerValues());
    consider(mktAbstandHeimAuswaerts, true);
    consider(mkt2SpieleProWoche, true);
    if (!any) {
        return mktAbstandHeimAuswaerts;
    }
    for (;;) {
        const TMannschaftsKostenType type =
            AllMannschaftsKostenTypes[static_cast<std::size_t>(FRng.Random(15))];
        if (inSet[static_cast<std::size_t>(type)]) {
            return type;
        }
    }
}

} // namespace terminor
