// The optimisation worker: the type grammar, strict acceptance, re-initialisation (pending cost,
// new start plan, new plan data, the re-init text) and reproducible synchronous runs.

#include <chrono>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "EngineTestUtil.h"
#include "data/Error.h"
#include "engine/AllocatorArenas.h"
#include "engine/PlanCalcThread.h"
#include "engine/ThreadPriority.h"

using namespace terminor;
using namespace terminor::test;

TEST(WorkerType, Grammar) {
    const TWorkerType r = TWorkerType::Parse("R");
    EXPECT_EQ(r.TauschTyp, ttRaster);
    EXPECT_TRUE(r.LowPrioThread);
    EXPECT_EQ(r.TauschAnzahl, 0);
    EXPECT_DOUBLE_EQ(r.TauschPercent, 10.0);
    EXPECT_EQ(r.ThreadType, "R");

    const TWorkerType thirty = TWorkerType::Parse("30");
    EXPECT_EQ(thirty.TauschTyp, ttNormal);
    EXPECT_DOUBLE_EQ(thirty.TauschPercent, 30.0);
    EXPECT_TRUE(thirty.LowPrioThread) << "30 % or more is throttled";
    const TWorkerType almost = TWorkerType::Parse("29.5");
    EXPECT_DOUBLE_EQ(almost.TauschPercent, 29.5);
    EXPECT_FALSE(almost.LowPrioThread);
    const TWorkerType two = TWorkerType::Parse("2");
    EXPECT_EQ(two.TauschTyp, ttNormal);
    EXPECT_EQ(two.TauschAnzahl, 0);
    EXPECT_DOUBLE_EQ(two.TauschPercent, 2.0);

    const TWorkerType s = TWorkerType::Parse("S2,10");
    EXPECT_EQ(s.TauschTyp, ttSpielTag);
    EXPECT_EQ(s.TauschAnzahl, 2);
    EXPECT_DOUBLE_EQ(s.TauschPercent, 10.0);
    EXPECT_FALSE(s.LowPrioThread);
    const TWorkerType m = TWorkerType::Parse("M1,25");
    EXPECT_EQ(m.TauschTyp, ttMannschaft);
    EXPECT_EQ(m.TauschAnzahl, 1);
    EXPECT_DOUBLE_EQ(m.TauschPercent, 25.0);
    const TWorkerType m100 = TWorkerType::Parse("M1,100");
    EXPECT_DOUBLE_EQ(m100.TauschPercent, 100.0);
    EXPECT_FALSE(m100.LowPrioThread) << "only the normal type is throttled by its percentage";
    // The third character is a separator of any kind; the percentage starts at the fourth.
    EXPECT_DOUBLE_EQ(TWorkerType::Parse("S3;7.5").TauschPercent, 7.5);

    EXPECT_THROW(TWorkerType::Parse("S"), EConvertError);
    EXPECT_THROW(TWorkerType::Parse("Sx,10"), EConvertError);
    EXPECT_THROW(TWorkerType::Parse("M1,"), EConvertError);
    EXPECT_THROW(TWorkerType::Parse("2,5"), EConvertError) << "numbers use the decimal point";
    EXPECT_THROW(TWorkerType::Parse(""), EConvertError);
}

TEST(Worker, NamesAndTypeChanges) {
    auto plan = OneDateEachPlan();
    TPlanCalcThread worker(1);
    worker.StartWithLists("3|Dyn", *plan, "2", nullptr);
    EXPECT_EQ(worker.ThreadType(), "2");
    EXPECT_EQ(worker.GetCompleteThreadName(), "3|Dyn|2");
    worker.SetThreadType("M2,10");
    EXPECT_EQ(worker.GetCompleteThreadName(), "3|Dyn|M2,10");
    EXPECT_THROW(worker.SetThreadType("x"), EConvertError);
    EXPECT_EQ(worker.ThreadType(), "M2,10") << "a rejected type text leaves the type alone";

    std::int64_t n = -1;
    double k = 0;
    worker.GetActResult(nullptr, n, k);
    EXPECT_EQ(n, 0);
    EXPECT_DOUBLE_EQ(k, -1.0) << "nothing published before the first improvement";
}

TEST(Worker, OnlyStrictlyCheaperCandidatesAreAccepted) {
    auto plan = OneDateEachPlan();
    TPlanCalcThread worker(5);
    worker.StartWithLists("1", *plan, "100", nullptr);
    const double first = worker.RunSynchronously(1);
    std::int64_t n = 0;
    double k = -1;
    worker.GetActResult(nullptr, n, k);
    EXPECT_EQ(n, 1);
    EXPECT_DOUBLE_EQ(k, first) << "the filled plan is cheaper than the empty start";
    EXPECT_LT(first, plan->CalculateKosten(-1));
    EXPECT_EQ(worker.OptPlan().LastOptimizedThread, "1|100");
    EXPECT_DOUBLE_EQ(CostOf(worker.OptPlan()), first);
    EXPECT_EQ(worker.OptPlan().CountUnscheduledGames(), 0);

    // Every further step rebuilds the same schedule at the same cost: none is accepted, so the
    // published plan keeps the name of the type that found it.
    worker.SetThreadType("50");
    EXPECT_DOUBLE_EQ(worker.RunSynchronously(20), first);
    worker.GetActResult(nullptr, n, k);
    EXPECT_EQ(n, 21);
    EXPECT_DOUBLE_EQ(k, first);
    EXPECT_EQ(worker.OptPlan().LastOptimizedThread, "1|100");
}

TEST(Worker, ReInitPlanAndPlanDataSynchronously) {
    auto plan = EmptyExamplePlan();
    TPlanCalcThread worker(11);
    worker.StartWithLists("2", *plan, "15", nullptr);
    const double improved = worker.RunSynchronously(30);
    EXPECT_LT(improved, plan->CalculateKosten(-1));

    // A new start plan (the empty one): pending until the next step, then its cost is published
    // and the search goes on from it.
    worker.DoReInitPlan(*plan, " Reinit: 1,50");
    std::int64_t n = 0;
    double k = 0;
    worker.GetActResult(nullptr, n, k);
    EXPECT_DOUBLE_EQ(k, -1.0);
    EXPECT_EQ(worker.GetCompleteThreadName(), "2|15 Reinit: 1,50");
    worker.RunSynchronously(1);
    worker.GetActResult(nullptr, n, k);
    EXPECT_DOUBLE_EQ(k, CostOf(*plan));
    EXPECT_EQ(worker.OptPlan().CountUnscheduledGames(), plan->CountUnscheduledGames());
    worker.DoReInitPlan(*plan, "");
    EXPECT_EQ(worker.GetCompleteThreadName(), "2|15 Reinit: 1,50") << "an empty text keeps the last one";
    worker.RunSynchronously(20);
    worker.GetActResult(nullptr, n, k);
    EXPECT_GE(k, 0.0);
    EXPECT_LT(k, plan->CalculateKosten(-1));
    EXPECT_EQ(n, 51);
    EXPECT_EQ(worker.OptPlan().LastOptimizedThread, "2|15 Reinit: 1,50");

    // New plan data with other weights: both plans take them and the cost is re-evaluated.
    auto other = EmptyExamplePlan();
    TCalculateOptions options = other->getOptions();
    options.GewichtungMainMannschaftsKosten.fill(coIgnore);
    other->AssignOptions(options);
    worker.DoReInitPlanData(*other, "");
    worker.GetActResult(nullptr, n, k);
    EXPECT_DOUBLE_EQ(k, -1.0);
    worker.RunSynchronously(1);
    worker.GetActResult(nullptr, n, k);
    EXPECT_TRUE(worker.OptPlan().getOptions() == options);
    EXPECT_DOUBLE_EQ(k, CostOf(worker.OptPlan()));

    // Both requests at once, then accepted steps: those publish through the worker's second plan,
    // which must have taken the new data as well.
    worker.DoReInitPlan(*plan, "");
    worker.DoReInitPlanData(*plan, "", true);
    worker.RunSynchronously(20);
    worker.GetActResult(nullptr, n, k);
    EXPECT_TRUE(worker.OptPlan().getOptions() == plan->getOptions());
    EXPECT_DOUBLE_EQ(k, CostOf(worker.OptPlan()));
    EXPECT_LT(k, CostOf(*plan));
}

TEST(Worker, SeededRunsAreReproducible) {
    auto plan = EmptyExamplePlan();
    auto run = [&](std::uint64_t seed, const std::string& type, TSchedule& schedule) {
        TPlanCalcThread worker(seed);
        worker.StartWithLists("1", *plan, type, nullptr);
        const double kosten = worker.RunSynchronously(60);
        worker.OptPlan().getSchedule(schedule);
        EXPECT_DOUBLE_EQ(kosten, CostOf(worker.OptPlan())) << type;
        return kosten;
    };
    for (const std::string type : {"15", "R", "S1,25", "M2,10"}) {
        TSchedule a;
        TSchedule b;
        EXPECT_DOUBLE_EQ(run(42, type, a), run(42, type, b)) << type;
        ASSERT_EQ(a.size(), b.size()) << type;
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].Date, b[i].Date) << type << " game " << i;
            EXPECT_EQ(a[i].MannschaftHeimName, b[i].MannschaftHeimName) << type << " game " << i;
            EXPECT_EQ(a[i].MannschaftGastName, b[i].MannschaftGastName) << type << " game " << i;
        }
    }
}

TEST(Worker, ThreadReInitWhileRunningAndPaused) {
    auto plan = EmptyExamplePlan();
    std::recursive_mutex lock;
    TPlanCalcThread worker(3);
    worker.StartWithLists("1", *plan, "5", &lock);
    worker.SetPaused(true);
    worker.Start();
    ASSERT_TRUE(WaitFor([&] { return worker.IsInit(); }));
    std::int64_t n = 0;
    double k = 0;
    worker.GetActResult(nullptr, n, k);
    EXPECT_DOUBLE_EQ(k, -1.0);

    // Requested while the worker has been paused from the start: it has not stepped, so it cannot
    // have applied the request.
    worker.DoReInitPlan(*plan, " Reinit: 2,00");
    worker.GetActResult(nullptr, n, k);
    EXPECT_DOUBLE_EQ(k, -1.0);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(worker.GetCompleteThreadName(), "1|5 Reinit: 2,00");
    worker.SetPaused(false);
    ASSERT_TRUE(WaitFor([&] {
        worker.GetActResult(nullptr, n, k);
        return k >= 0;
    }));

    // Requested under the driver's lock while running: the worker cannot apply it before the
    // lock is released.
    {
        const std::lock_guard guard(lock);
        worker.DoReInitPlan(*plan, "");
        worker.GetActResult(nullptr, n, k);
        EXPECT_DOUBLE_EQ(k, -1.0);
    }
    ASSERT_TRUE(WaitFor([&] {
        worker.GetActResult(nullptr, n, k);
        return k >= 0;
    }));
    EXPECT_EQ(worker.GetCompleteThreadName(), "1|5 Reinit: 2,00");
    TPlan copy;
    copy.Assign(*plan);
    worker.GetActResult(&copy, n, k);
    EXPECT_DOUBLE_EQ(copy.CalculateKosten(-1), k) << "the published plan has the published cost";

    worker.SetThreadType("S1,25");
    EXPECT_EQ(worker.ThreadType(), "S1,25");
    worker.Stop();
    EXPECT_TRUE(worker.Finished());
    EXPECT_GT(worker.Durchlauf(), 0);
}

TEST(Worker, KeepsSteppingWhileItsDriverHoldsTheLock) {
    // From the empty plan the first steps are accepted. While the driver holds its lock the worker
    // publishes none of them, but it does not wait either; once the lock is free it publishes.
    auto plan = EmptyExamplePlan();
    std::recursive_mutex lock;
    TPlanCalcThread worker(8);
    worker.StartWithLists("1", *plan, "15", &lock);
    std::int64_t n = 0;
    double k = 0;
    {
        const std::lock_guard guard(lock);
        worker.Start();
        ASSERT_TRUE(WaitFor([&] { return worker.Durchlauf() > 50; }));
        worker.GetActResult(nullptr, n, k);
        EXPECT_DOUBLE_EQ(k, -1.0);
    }
    ASSERT_TRUE(WaitFor([&] {
        worker.GetActResult(nullptr, n, k);
        return k >= 0;
    }));
    worker.Stop();
    worker.GetActResult(nullptr, n, k);
    EXPECT_LT(k, CostOf(*plan));
    EXPECT_DOUBLE_EQ(k, CostOf(worker.OptPlan())) << "the last accepted plan is published at the end";
}

TEST(ThreadTree, AllocatorArenasAreReservedAndNeverLowered) {
    const int reserved = ReserveAllocatorArenas(200);
    if (reserved == 0) {
        GTEST_SKIP() << "the allocator has no arena limit (sanitizer or not glibc)";
    }
    EXPECT_GE(reserved, 200);
    EXPECT_EQ(ReserveAllocatorArenas(10), reserved);
}

TEST(Worker, RunsBelowNormalPriorityAndReportsItsFailure) {
    // The priority is lowered for the calling thread only.
    const int before = CurrentThreadNice();
    int inThread = 0;
    std::thread([&] {
        LowerCurrentThreadPriority();
        inThread = CurrentThreadNice();
    }).join();
    EXPECT_EQ(inThread, 19);
    EXPECT_EQ(CurrentThreadNice(), before);

    // A worker whose re-initialisation plan has other teams fails in its step: the error ends
    // it and is kept, the first one only.
    auto plan = EmptyExamplePlan();
    auto other = OneDateEachPlan();
    TThreadFailure failure;
    TPlanCalcThread worker(3);
    worker.SetFailureSink(&failure);
    worker.StartWithLists("1", *plan, "5", nullptr);
    worker.Start();
    ASSERT_TRUE(WaitFor([&] { return worker.IsInit(); }));
    worker.DoReInitPlan(*other, std::string());
    ASSERT_TRUE(WaitFor([&] { return worker.Finished(); }));
    ASSERT_TRUE(failure.Failed());
    const std::string text = *failure.Text();
    EXPECT_NE(text.find("Thread \"1|5\""), std::string::npos) << text;
    EXPECT_NE(text.find("Plan.Assign: game wurde nicht gefunden"), std::string::npos) << text;
    failure.Report("later");
    EXPECT_EQ(*failure.Text(), text);
}
