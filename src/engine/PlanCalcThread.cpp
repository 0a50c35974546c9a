// TPlanCalcThread: the optimisation worker. The step, the costs and the copies run unlocked on the
// worker's own plans; the driver's lock is taken only to hand over requests and to swap a prepared
// best plan in, and only when it is free.

#include "engine/PlanCalcThread.h"

#include <chrono>
#include <exception>
#include <utility>

#include "data/Error.h"
#include "data/PlanUtils.h"
#include "engine/ThreadPriority.h"

namespace terminor {

namespace {

constexpr auto PausePollInterval = std::chrono::milliseconds(100);
constexpr auto LowPrioSleep = std::chrono::milliseconds(50);
constexpr std::int64_t LowPrioAfterSteps = 10000;
constexpr auto LockRetryInterval = std::chrono::milliseconds(1);

/// The single digit of "S2,10" / "M1,25".
int ReadTauschAnzahl(const std::string& text) {
    const std::string digit = text.size() > 1 ? text.substr(1, 1) : std::string();
    if (digit.empty() || digit[0] < '0' || digit[0] > '9') {
        throw EConvertError("'" + digit + "' ist kein gültiger Integerwert");
    }
    return digit[0] - '0';
}

} // namespace

TWorkerType TWorkerType::Parse(const std::string& text) {
    TWorkerType type;
    type.ThreadType = text;
    const char first = text.empty() ? '\0' : text[0];
    if (first == 'R') {
        type.TauschTyp = ttRaster;
        type.LowPrioThread = true;
    } else if (first == 'S' || first == 'M') {
        type.TauschTyp = first == 'S' ? ttSpielTag : ttMannschaft;
        type.TauschAnzahl = ReadTauschAnzahl(text);
        // The third character separates the count from the percentage.
        type.TauschPercent =
            StrToFloatDot(text.size() > 3 ? std::string_view(text).substr(3) : std::string_view());
    } else {
        type.TauschPercent = StrToFloatDot(text);
        type.LowPrioThread = type.TauschPercent >= 30;
    }
    return type;
}

TPlanCalcThread::TPlanCalcThread(std::uint64_t seed)
    : FRng(seed), FPlan(std::make_unique<TPlan>()), FOptPlan(std::make_unique<TPlan>()),
      FOptPlanBack(std::make_unique<TPlan>()), FMoves(std::make_unique<TPlanMoves>(*FPlan, FRng)),
      FReInitPlan(std::make_unique<TPlan>()), FReInitPlanTaken(std::make_unique<TPlan>()) {}

TPlanCalcThread::~TPlanCalcThread() {
    Stop();
}

void TPlanCalcThread::StartWithLists(const std::string& threadName, const TPlan& plan,
                                     const std::string& tauschArt,
                                     std::recursive_mutex* parentCriticalSection) {
    FRetKosten = -1.0;
    FThreadName = threadName;
    SetThreadType(tauschArt);
    FParentCriticalSection = parentCriticalSection;
    FPlan->Assign(plan);
    FPlan->RemoveNotValidDates();
    FOptPlan->Assign(plan);
    FOptPlan->RemoveNotValidDates();
    FOptPlanBack->Assign(*FOptPlan);
}

void TPlanCalcThread::Start() {
    if (FThread.joinable()) {
        return;
    }
    FThread = std::thread([this] { Execute(); });
}

void TPlanCalcThread::Terminate() {
    FTerminated.store(true);
}

void TPlanCalcThread::Stop() {
    Terminate();
    if (FThread.joinable()) {
        FThread.join();
    }
}

void TPlanCalcThread::SetThreadType(const std::string& tauschArt) {
    TWorkerType type = TWorkerType::Parse(tauschArt);
    const std::lock_guard guard(FTypeMutex);
    FType = std::move(type);
}

std::string TPlanCalcThread::ThreadType() const {
    const std::lock_guard guard(FTypeMutex);
    return FType.ThreadType;
}

void TPlanCalcThread::GetActResult(TPlan* plan, std::int64_t& durchLauf, double& kosten) {
    const std::lock_guard lock(Lock());
    if (plan != nullptr) {
        plan->AssignOptimizedDates(*FOptPlan);
    }
    durchLauf = FDurchlauf.load();
    kosten = FReInitPlanFlag.load() || FReInitPlanDataFlag.load() ? -1.0 : FRetKosten;
}

void TPlanCalcThread::DoReInitPlan(const TPlan& plan, const std::string& reinitString) {
    const std::lock_guard lock(Lock());
    // The copy lives on between requests: while the driver's plan data stay the same, only the
    // dates need copying (Assign would give the same plan at several times the cost).
    if (FReInitPlanSourceStamp == plan.DataStamp()) {
        FReInitPlan->AssignDates(plan);
    } else {
        FReInitPlan->Assign(plan);
        FReInitPlanSourceStamp = plan.DataStamp();
    }
    FReInitPlanPending = true;
    FReInitPlanFlag.store(true);
    if (!reinitString.empty()) {
        const std::lock_guard guard(FTypeMutex);
        FReinitString = reinitString;
    }
}

void TPlanCalcThread::DoReInitPlanData(const TPlan& plan, const std::string& reinitString, bool withDates) {
    auto copy = std::make_unique<TPlan>();
    copy->Assign(plan);
    std::unique_ptr<TPlan> replaced;
    const std::lock_guard lock(Lock());
    replaced = std::move(FReInitPlanData);
    FReInitPlanData = std::move(copy);
    FReInitWithDates = withDates;
    FReInitPlanDataFlag.store(true);
    if (!reinitString.empty()) {
        const std::lock_guard guard(FTypeMutex);
        FReinitString = reinitString;
    }
}

std::string TPlanCalcThread::GetCompleteThreadName() const {
    const std::lock_guard guard(FTypeMutex);
    return FThreadName + "|" + FType.ThreadType + FReinitString;
}

void TPlanCalcThread::Init() {
    FOptKosten = FPlan->CalculateKosten(-1);
    FPlan->TransferDateToRefDate();
    FDurchlauf.store(0);
    FDurchLaufAfterReInit = 0;
    FIsInit.store(true);
}

void TPlanCalcThread::Execute() {
    // Workers run below the user interface and the drivers.
    LowerCurrentThreadPriority();
    try {
        Init();
        while (!FTerminated.load()) {
            if (FPaused.load()) {
                std::this_thread::sleep_for(PausePollInterval);
                continue;
            }
            bool lowPrio = false;
            {
                const std::lock_guard guard(FTypeMutex);
                lowPrio = FType.LowPrioThread;
            }
            if (lowPrio && FDurchLaufAfterReInit > LowPrioAfterSteps) {
                std::this_thread::sleep_for(LowPrioSleep);
            }
            // No yield per step: the scheduler shares the cores among the workers by preemption,
            // and a yield after every step of 96 workers on two cores only switches threads after
            // every step, each time onto a cold cache.
            DoStep();
        }
        // The last accepted plan counts: the driver collects it once this thread has ended.
        Publish(true);
    } catch (...) {
        // A failing step ends this worker; the generation reports the first such error.
        if (FFailure != nullptr) {
            FFailure->ReportCurrentException(FThreadName + "|" + ThreadType());
        }
    }
    FFinished.store(true);
}

double TPlanCalcThread::RunSynchronously(std::int64_t steps) {
    if (!FIsInit.load()) {
        Init();
    }
    for (std::int64_t i = 0; i < steps; ++i) {
        DoStep();
    }
    return FOptKosten;
}

void TPlanCalcThread::DoStep() {
    TTauschTyp tauschTyp;
    int tauschAnzahl;
    double tauschPercent;
    {
        const std::lock_guard guard(FTypeMutex);
        tauschTyp = FType.TauschTyp;
        tauschAnzahl = FType.TauschAnzahl;
        tauschPercent = FType.TauschPercent;
    }
    FDurchlauf.fetch_add(1);
    ++FDurchLaufAfterReInit;

    FMoves->Step(tauschTyp, tauschAnzahl, tauschPercent);
    double kosten = FPlan->CalculateKosten(FOptKosten);

    // Only a strictly cheaper candidate replaces the accepted state.
    if (kosten >= 0 && (kosten < FOptKosten || FOptKosten < 0)) {
        kosten = FPlan->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
        FOptKosten = kosten;
        FPlan->LastOptimizedThread = GetCompleteThreadName();
        FOptPlanBack->AssignOptimizedDates(*FPlan);
        FPublishPending = true;
    }
    if (FPublishPending) {
        Publish(false);
    }

    if (FReInitPlanFlag.load() || FReInitPlanDataFlag.load()) {
        ApplyReInit();
    }
}

void TPlanCalcThread::Publish(bool wait) {
    if (!FPublishPending) {
        return;
    }
    std::unique_lock<std::recursive_mutex> lock;
    if (wait) {
        lock = std::unique_lock(Lock());
    } else {
        lock = std::unique_lock(Lock(), std::try_to_lock);
        if (!lock.owns_lock()) {
            return;
        }
    }
    std::swap(FOptPlan, FOptPlanBack);
    FRetKosten = FOptKosten;
    FPublishPending = false;
}

std::unique_lock<std::recursive_mutex> TPlanCalcThread::LockWithoutQueueing() const {
    std::unique_lock lock(Lock(), std::try_to_lock);
    while (!lock.owns_lock()) {
        std::this_thread::sleep_for(LockRetryInterval);
        lock.try_lock();
    }
    return lock;
}

void TPlanCalcThread::ApplyReInit() {
    FDurchLaufAfterReInit = 0;
    // The requests are taken under the lock; the plans are rebuilt outside it and swapped in.
    bool takeDates = false;
    bool withDates = false;
    std::unique_ptr<TPlan> data;
    {
        const auto lock = LockWithoutQueueing();
        if (FReInitPlanPending) {
            std::swap(FReInitPlan, FReInitPlanTaken);
            std::swap(FReInitPlanSourceStamp, FReInitPlanTakenStamp);
            FReInitPlanPending = false;
            takeDates = true;
        }
        data = std::move(FReInitPlanData);
        withDates = FReInitWithDates;
        FReInitWithDates = false;
    }

    // FOptPlanBack becomes the new best plan. Only this thread replaces FOptPlan, so it may read
    // it here while the driver reads it under the lock.
    if (takeDates) {
        FPlan->AssignOptimizedDates(*FReInitPlanTaken);
        FPlan->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
        FOptKosten = FPlan->CalculateKosten(-1);
        FOptPlanBack->AssignOptimizedDates(*FPlan);
    } else if (data && !FPublishPending) {
        FOptPlanBack->AssignOptimizedDates(*FOptPlan);
    }
    if (data) {
        FPlan->AssignPlanData(*data);
        FOptPlanBack->AssignPlanData(*data);
        if (withDates) {
            FPlan->AssignOptimizedDates(*data);
            FOptPlanBack->AssignOptimizedDates(*data);
        }
        FPlan->RemoveNotValidDates();
        FOptPlanBack->RemoveNotValidDates();
        FOptPlanBack->TransferDateToRefDate();
        FOptKosten = FOptPlanBack->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
    }
    FPublishPending = FPublishPending || takeDates || data;

    {
        const auto lock = LockWithoutQueueing();
        if (FPublishPending) {
            std::swap(FOptPlan, FOptPlanBack);
            FRetKosten = FOptKosten;
            FPublishPending = false;
        }
        // A request that arrived while the plans were rebuilt stays flagged for the next step.
        FReInitPlanFlag.store(FReInitPlanPending);
        FReInitPlanDataFlag.store(FReInitPlanData != nullptr);
    }
    // The plan swapped out becomes the spare one and takes the new data as well.
    if (data) {
        FOptPlanBack->Assign(*FOptPlan);
    }
    // The taken plan data are freed here, outside the lock.
}

} // namespace terminor
