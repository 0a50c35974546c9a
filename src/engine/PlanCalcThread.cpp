// TPlanCalcThread: the optimisation worker. The expensive step runs unlocked on the private plan;
// the driver's lock is taken only to publish an accepted plan and to apply a re-initialisation.

#include "engine/PlanCalcThread.h"

#include <chrono>
#include <exception>

#include "data/Error.h"
#include "data/PlanUtils.h"
#include "engine/ThreadPriority.h"

namespace terminor {

namespace {

constexpr auto PausePollInterval = std::chrono::milliseconds(100);
constexpr auto LowPrioSleep = std::chrono::milliseconds(50);
constexpr std::int64_t LowPrioAfterSteps = 10000;

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
      FMoves(std::make_unique<TPlanMoves>(*FPlan, FRng)), FReInitPlan(std::make_unique<TPlan>()) {}

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
        FReinitString = reinitString;
    }
}

void TPlanCalcThread::DoReInitPlanData(const TPlan& plan, const std::string& reinitString, bool withDates) {
    const std::lock_guard lock(Lock());
    auto copy = std::make_unique<TPlan>();
    copy->Assign(plan);
    FReInitPlanData = std::move(copy);
    FReInitWithDates = withDates;
    FReInitPlanDataFlag.store(true);
    if (!reinitString.empty()) {
        FReinitString = reinitString;
    }
}

std::string TPlanCalcThread::GetCompleteThreadName() const {
    const std::lock_guard lock(Lock());
    return FThreadName + "|" + ThreadType() + FReinitString;
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
        const std::lock_guard lock(Lock());
        kosten = FPlan->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
        FOptKosten = kosten;
        FRetKosten = kosten;
        FPlan->LastOptimizedThread = GetCompleteThreadName();
        FOptPlan->AssignOptimizedDates(*FPlan);
    }

    if (FReInitPlanFlag.load() || FReInitPlanDataFlag.load()) {
        ApplyReInit();
    }
}

void TPlanCalcThread::ApplyReInit() {
    FDurchLaufAfterReInit = 0;
    const std::lock_guard lock(Lock());
    if (FReInitPlanPending) {
        FPlan->AssignOptimizedDates(*FReInitPlan);
        FPlan->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
        FOptPlan->AssignOptimizedDates(*FPlan);
        FOptKosten = FPlan->CalculateKosten(-1);
        FRetKosten = FOptKosten;
        FReInitPlanPending = false;
    }
    if (FReInitPlanData) {
        FPlan->AssignPlanData(*FReInitPlanData);
        if (FReInitWithDates) {
            FPlan->AssignOptimizedDates(*FReInitPlanData);
        }
        FPlan->RemoveNotValidDates();
        FOptPlan->AssignPlanData(*FReInitPlanData);
        if (FReInitWithDates) {
            FOptPlan->AssignOptimizedDates(*FReInitPlanData);
        }
        FOptPlan->RemoveNotValidDates();
        FOptPlan->TransferDateToRefDate();
        FOptKosten = FOptPlan->CalculateKosten(-1);
        FPlan->TransferDateToRefDate();
        FRetKosten = FOptKosten;
        FReInitPlanData.reset();
        FReInitWithDates = false;
    }
    FReInitPlanFlag.store(false);
    FReInitPlanDataFlag.store(false);
}

} // namespace terminor
