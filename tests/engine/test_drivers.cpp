// The two drivers: a main thread's collection cycle (best of its workers, pushing the best back,
// adapting the dynamic workers, restart and new-data requests) and the optimiser's thread tree
// (pause, rate, termination, the special thread, copying the best plan, new plan data).

#include <algorithm>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "EngineTestUtil.h"
#include "engine/PlanOptimizer.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// A small, fast tree: no special thread, short cycles, a fixed seed.
TEngineConfig SmallConfig(std::vector<std::string> fixedTypes, int dynamicWorkers) {
    TEngineConfig config;
    config.mainThreads = 1;
    config.specialThread = false;
    config.fixedWorkerTypes = std::move(fixedTypes);
    config.dynamicWorkers = dynamicWorkers;
    config.mainThreadCycleMs = 10;
    config.optimizerCycleMs = 30;
    config.seed = 17;
    return config;
}

struct MainResult {
    std::int64_t durchLauf = 0;
    std::int64_t afterReInit = 0;
    std::int64_t ohneVerbesserung = 0;
    double kosten = 0;
};

MainResult ResultOf(TPlanMainThread& mainThread, TPlan* plan = nullptr) {
    MainResult r;
    mainThread.GetActResult(plan, r.durchLauf, r.afterReInit, r.ohneVerbesserung, r.kosten);
    return r;
}

double WorkerKosten(TPlanCalcThread& worker) {
    std::int64_t n = 0;
    double k = 0;
    worker.GetActResult(nullptr, n, k);
    return k;
}

long CountType(const TPlanMainThread& mainThread, const std::string& type) {
    const auto& dynamic = mainThread.DynamicWorkers();
    return std::count_if(dynamic.begin(), dynamic.end(),
                         [&](const TPlanCalcThread* w) { return w->ThreadType() == type; });
}

/// The example plan with every team cost type ignored: new options for a running search.
std::unique_ptr<TPlan> ExamplePlanIgnoringTeamCosts() {
    auto changed = EmptyExamplePlan();
    TCalculateOptions options = changed->getOptions();
    options.GewichtungMainMannschaftsKosten.fill(coIgnore);
    changed->AssignOptions(options);
    return changed;
}

/// Whether the dates the optimiser shows, valued with `data`'s options, cost what it reports.
bool ShownPlanIsTheBest(TPlanOptimizer& optimizer, const TPlan& data) {
    TPlan copy;
    copy.Assign(data);
    optimizer.copyPlanDates(copy);
    return copy.CalculateKosten(-1) == optimizer.BestKosten();
}

} // namespace

TEST(MainThread, WorkersAndTheAdaptationRule) {
    auto plan = EmptyExamplePlan();
    // Ten dynamic workers of which three already carry the winning type "5": 3 is not below
    // 10 div 3, so nothing is re-typed.
    {
        TPlanMainThread mainThread(SmallConfig({"5", "15"}, 10), 9);
        mainThread.InitWithPlan("1", *plan, nullptr);
        mainThread.CreateWorkers();
        ASSERT_EQ(mainThread.Workers().size(), 12u);
        ASSERT_EQ(mainThread.DynamicWorkers().size(), 10u);
        EXPECT_EQ(mainThread.Workers()[1]->GetCompleteThreadName(), "1|15");
        EXPECT_EQ(mainThread.Workers()[2]->GetCompleteThreadName(), "1|Dyn|2");
        EXPECT_EQ(mainThread.DynamicWorkers()[0], mainThread.Workers()[2].get());
        for (const int i : {3, 5, 7}) {
            mainThread.DynamicWorkers()[static_cast<std::size_t>(i)]->SetThreadType("5");
        }
        const std::vector<TPlanCalcThread*> order = mainThread.DynamicWorkers();
        mainThread.Workers()[0]->RunSynchronously(5);
        mainThread.CollectOnce();
        TPlan best;
        best.Assign(*plan);
        ResultOf(mainThread, &best);
        EXPECT_EQ(best.LastOptimizedThread, "1|5") << "the worker of type 5 won";
        EXPECT_EQ(mainThread.DynamicWorkers(), order);
        EXPECT_EQ(CountType(mainThread, "5"), 3);
    }
    // With only two of them, the first dynamic worker takes the type and moves to the end.
    {
        TPlanMainThread mainThread(SmallConfig({"5", "15"}, 10), 9);
        mainThread.InitWithPlan("1", *plan, nullptr);
        mainThread.CreateWorkers();
        for (const int i : {3, 5}) {
            mainThread.DynamicWorkers()[static_cast<std::size_t>(i)]->SetThreadType("5");
        }
        std::vector<TPlanCalcThread*> order = mainThread.DynamicWorkers();
        mainThread.Workers()[0]->RunSynchronously(5);
        mainThread.CollectOnce();
        std::rotate(order.begin(), order.begin() + 1, order.end());
        EXPECT_EQ(mainThread.DynamicWorkers(), order);
        EXPECT_EQ(order.back()->ThreadType(), "5");
        EXPECT_EQ(CountType(mainThread, "5"), 3);

        // No improvement in the next cycle: no re-typing either.
        for (const auto& worker : mainThread.Workers()) {
            worker->RunSynchronously(1);
        }
        mainThread.CollectOnce();
        EXPECT_EQ(mainThread.DynamicWorkers(), order);
    }
}

TEST(MainThread, BestWorkerOfACycleAndWhatIsSentBack) {
    auto plan = EmptyExamplePlan();
    TPlanMainThread mainThread(SmallConfig({"5", "15", "100"}, 0), 4);
    mainThread.InitWithPlan("1", *plan, nullptr);
    mainThread.CreateWorkers();
    const auto& workers = mainThread.Workers();
    workers[0]->RunSynchronously(5);
    workers[1]->RunSynchronously(100);
    const double k0 = WorkerKosten(*workers[0]);
    const double k1 = WorkerKosten(*workers[1]);
    ASSERT_GE(k0, 0.0);
    ASSERT_GE(k1, 0.0);

    // Both improved on the empty plan; the second one wins only if it beats the first one too.
    mainThread.CollectOnce();
    TPlan best;
    best.Assign(*plan);
    MainResult r = ResultOf(mainThread, &best);
    EXPECT_DOUBLE_EQ(r.kosten, std::min(k0, k1));
    EXPECT_EQ(best.LastOptimizedThread, k1 < k0 ? "1|15" : "1|5");
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), r.kosten);
    EXPECT_EQ(r.durchLauf, 105);
    EXPECT_EQ(r.afterReInit, 105);
    EXPECT_EQ(r.ohneVerbesserung, 0);

    // The best plan went back to every worker: all report -1 until they applied it, then its cost.
    for (const auto& worker : workers) {
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), -1.0);
        worker->RunSynchronously(1);
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), r.kosten);
    }

    // A cycle without improvement sends nothing: nobody is pending afterwards.
    mainThread.CollectOnce();
    for (const auto& worker : workers) {
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), r.kosten);
    }
    r = ResultOf(mainThread);
    EXPECT_EQ(r.durchLauf, 108);
    EXPECT_EQ(r.ohneVerbesserung, 3);
}

TEST(MainThread, EqualCostsKeepTheFirstWorker) {
    auto plan = OneDateEachPlan();
    TPlanMainThread mainThread(SmallConfig({"5", "15", "100"}, 0), 4);
    mainThread.InitWithPlan("1", *plan, nullptr);
    mainThread.CreateWorkers();
    mainThread.Workers()[0]->RunSynchronously(1);
    mainThread.Workers()[1]->RunSynchronously(1);
    ASSERT_DOUBLE_EQ(WorkerKosten(*mainThread.Workers()[0]), WorkerKosten(*mainThread.Workers()[1]));
    mainThread.CollectOnce();
    TPlan best;
    best.Assign(*plan);
    ResultOf(mainThread, &best);
    EXPECT_EQ(best.LastOptimizedThread, "1|5");
}

TEST(MainThread, RestartAndNewPlanDataRequests) {
    auto plan = EmptyExamplePlan();
    std::recursive_mutex parentLock;
    TPlanMainThread mainThread(SmallConfig({"5", "S1,25"}, 2), 6);
    mainThread.InitWithPlan("2", *plan, &parentLock);
    mainThread.CreateWorkers();
    const auto& workers = mainThread.Workers();
    workers[0]->RunSynchronously(20);
    mainThread.CollectOnce();
    const double improved = ResultOf(mainThread).kosten;
    ASSERT_LT(improved, CostOf(*plan));

    // Restart from an empty schedule: pending until the next cycle, which clears the plan and
    // hands the text to every worker.
    mainThread.ReInitAll(" Reinit: 0,50");
    EXPECT_DOUBLE_EQ(ResultOf(mainThread).kosten, -1.0);
    EXPECT_EQ(mainThread.ReinitString(), " Reinit: 0,50");
    mainThread.CollectOnce();
    MainResult r = ResultOf(mainThread);
    EXPECT_DOUBLE_EQ(r.kosten, -1.0);
    EXPECT_EQ(r.afterReInit, 0);
    for (const auto& worker : workers) {
        worker->RunSynchronously(1);
        const std::string name = worker->GetCompleteThreadName();
        EXPECT_TRUE(name.ends_with(" Reinit: 0,50")) << name;
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), CostOf(*plan)) << "every worker starts from the empty plan";
    }
    mainThread.CollectOnce();
    EXPECT_DOUBLE_EQ(ResultOf(mainThread).kosten, CostOf(*plan));

    // New plan data with one weight raised to the maximum reaches the workers' plans.
    mainThread.ReInit(*plan, " Von SpezialHeimkoppel");
    mainThread.SetMaxOption(mktSperrTermine);
    EXPECT_DOUBLE_EQ(ResultOf(mainThread).kosten, -1.0);
    mainThread.CollectOnce();
    for (const auto& worker : workers) {
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), -1.0);
        worker->RunSynchronously(1);
        EXPECT_EQ(worker->OptPlan()
                      .getOptions()
                      .GewichtungMainMannschaftsKosten[static_cast<std::size_t>(mktSperrTermine)],
                  coExtremHoch);
        EXPECT_GE(WorkerKosten(*worker), 0.0);
    }
    EXPECT_GE(ResultOf(mainThread).kosten, 0.0);
}

TEST(Optimizer, PauseResumeAndTermination) {
    auto plan = EmptyExamplePlan();
    TEngineConfig config = SmallConfig({"5", "S1,25"}, 2);
    config.mainThreads = 2;
    config.specialThread = true;
    config.specialAfterSteps = 1'000'000'000; // never reached here
    {
        TPlanOptimizer optimizer(*plan, config);
        EXPECT_DOUBLE_EQ(optimizer.BestKosten(), -1.0);
        optimizer.Start();
        ASSERT_TRUE(WaitFor([&] { return optimizer.Durchlaufe() > 0 && optimizer.BestKosten() >= 0; }));
        optimizer.SetPaused(true);
        EXPECT_TRUE(optimizer.Paused());
        EXPECT_EQ(optimizer.PlanPerSec(), 0.0) << "the rate restarts with every pause change";
        const std::int64_t paused = optimizer.Durchlaufe();
        optimizer.SetPaused(false);
        ASSERT_TRUE(WaitFor([&] { return optimizer.Durchlaufe() > paused && optimizer.PlanPerSec() > 0; }));
        EXPECT_FALSE(optimizer.HasSpecialThread());
    } // the destructor stops the whole tree

    // Paused from the start, and destroyed right after starting.
    {
        TPlanOptimizer optimizer(*plan, config);
        optimizer.SetPaused(true);
        optimizer.Start();
        EXPECT_EQ(optimizer.PlanPerSec(), 0.0);
    }
    {
        TPlanOptimizer optimizer(*plan, config);
        optimizer.Start();
        optimizer.Stop();
        EXPECT_TRUE(optimizer.Finished());
    }
}

TEST(Optimizer, SpecialThreadStartsOnceAfterTheThreshold) {
    auto plan = EmptyExamplePlan();
    TEngineConfig config = SmallConfig({"5", "M1,25"}, 2);
    config.mainThreads = 2;
    config.specialThread = true;
    config.specialAfterSteps = 150;
    // Stagnation restarts and taking the special result happen too.
    config.stagnationSteps = 40;
    config.specialResultAfterSteps = 100;
    TPlanOptimizer optimizer(*plan, config);
    EXPECT_EQ(optimizer.SpecialThreadMaxGewichtung(), mktAbstandHeimAuswaerts);
    optimizer.Start();
    ASSERT_TRUE(WaitFor([&] { return optimizer.HasSpecialThread(); }));
    EXPECT_GT(optimizer.Durchlaufe(), 150);
    EXPECT_EQ(optimizer.SpecialThreadStarts(), 1);
    const std::vector<TMannschaftsKostenType> candidates = {
        mktAuswaertsKoppelTermine, mktKoppelTermine,  mktRanking, mktSisterGames, mkt60Kilometer,
        mktAbstandHeimAuswaerts,   mkt2SpieleProWoche};
    EXPECT_NE(std::find(candidates.begin(), candidates.end(), optimizer.SpecialThreadMaxGewichtung()),
              candidates.end());

    const std::int64_t seen = optimizer.Durchlaufe();
    ASSERT_TRUE(WaitFor([&] { return optimizer.Durchlaufe() > seen + 300; }));
    EXPECT_EQ(optimizer.SpecialThreadStarts(), 1);
    optimizer.Stop();
    TPlan best;
    best.Assign(*plan);
    optimizer.copyPlanDates(best);
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), optimizer.BestKosten());
}

TEST(Optimizer, StagnationRestartsWithoutHangs) {
    // Every complete schedule costs the same: after the first fill nothing improves, so the worst
    // main thread restarts at every cycle, from the special thread's result once it has one.
    auto plan = OneDateEachPlan();
    TEngineConfig config = SmallConfig({"5", "100"}, 2);
    config.mainThreads = 2;
    config.specialThread = true;
    config.specialAfterSteps = 100;
    config.stagnationSteps = 40;
    config.specialResultAfterSteps = 50;
    TPlanOptimizer optimizer(*plan, config);
    optimizer.Start();
    ASSERT_TRUE(WaitFor([&] { return optimizer.HasSpecialThread() && optimizer.Durchlaufe() > 30000; }));
    EXPECT_EQ(optimizer.SpecialThreadStarts(), 1);
    optimizer.Stop();
    TPlan best;
    best.Assign(*plan);
    optimizer.copyPlanDates(best);
    EXPECT_EQ(best.CountUnscheduledGames(), 0);
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), optimizer.BestKosten());
}

TEST(Optimizer, BestPlanAndNewPlanData) {
    auto plan = EmptyExamplePlan();
    const double start = CostOf(*plan);
    TPlanOptimizer optimizer(*plan, SmallConfig({"5", "S1,25", "M1,10"}, 2));
    optimizer.Start();
    ASSERT_TRUE(WaitFor([&] { return optimizer.BestKosten() >= 0 && optimizer.BestKosten() < start; }));

    // New weights while running: once a cycle has taken them, the best plan is valued with them.
    auto changed = ExamplePlanIgnoringTeamCosts();
    optimizer.setNewPlanData(*changed);
    ASSERT_TRUE(WaitFor([&] { return ShownPlanIsTheBest(optimizer, *changed); }));
    const std::int64_t seen = optimizer.Durchlaufe();
    ASSERT_TRUE(WaitFor([&] { return optimizer.Durchlaufe() > seen + 100; }));

    optimizer.Stop();
    EXPECT_TRUE(optimizer.Finished());
    TPlan best;
    best.Assign(*changed);
    optimizer.copyPlanDates(best);
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), optimizer.BestKosten());
    EXPECT_LT(optimizer.BestKosten(), start);
}

TEST(Optimizer, WindowCallsDoNotWaitForACollectionCycle) {
    auto plan = EmptyExamplePlan();
    TPlanOptimizer optimizer(*plan, SmallConfig({"5", "S1,25"}, 1));
    optimizer.Start();
    ASSERT_TRUE(WaitFor([&] { return optimizer.BestKosten() >= 0; }));
    auto changed = ExamplePlanIgnoringTeamCosts();

    // A cycle stuck in a main thread whose lock a worker holds while it is not scheduled: the
    // window's calls must still return.
    std::future<double> calls;
    bool returned = false;
    {
        const auto cycle = optimizer.LockTreeForTests();
        calls = std::async(std::launch::async, [&] {
            optimizer.SetPaused(true);
            optimizer.setNewPlanData(*changed);
            TPlan shown;
            shown.Assign(*changed);
            optimizer.copyPlanDates(shown);
            optimizer.SetPaused(false);
            return shown.CalculateKosten(-1);
        });
        returned = calls.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    }
    EXPECT_TRUE(returned);
    EXPECT_GE(calls.get(), 0.0);
    // The next cycles take the new data.
    EXPECT_TRUE(WaitFor([&] { return ShownPlanIsTheBest(optimizer, *changed); }));
}

TEST(MainThread, RestartFromAnotherThreadsResultCarriesItsDates) {
    auto plan = EmptyExamplePlan();
    // The result of another thread: a worker's plan after some steps.
    TPlanCalcThread source(21);
    source.StartWithLists("Special", *plan, "5", nullptr);
    source.RunSynchronously(50);
    TPlan result;
    result.Assign(*plan);
    result.AssignOptimizedDates(source.OptPlan());
    const double resultKosten = CostOf(result);
    ASSERT_LT(resultKosten, CostOf(*plan));

    TPlanMainThread mainThread(SmallConfig({"5", "S1,25"}, 1), 8);
    mainThread.InitWithPlan("3", *plan, nullptr);
    mainThread.CreateWorkers();
    mainThread.ReInit(result, "Von SpezialHeimkoppel", true);
    mainThread.CollectOnce();
    TPlan taken;
    taken.Assign(*plan);
    const MainResult r = ResultOf(mainThread, &taken);
    EXPECT_DOUBLE_EQ(r.kosten, resultKosten);
    EXPECT_EQ(taken.CountUnscheduledGames(), result.CountUnscheduledGames());
    for (std::size_t i = 0; i < result.gamesAllowed.size(); ++i) {
        EXPECT_EQ(taken.gamesAllowed[i]->FDate, result.gamesAllowed[i]->FDate) << i;
    }
    // The workers continue from those dates too, not from their own.
    for (const auto& worker : mainThread.Workers()) {
        worker->RunSynchronously(1);
        EXPECT_DOUBLE_EQ(WorkerKosten(*worker), resultKosten);
    }

    // New plan data without dates keep the thread's own schedule.
    mainThread.ReInit(*plan, std::string());
    mainThread.CollectOnce();
    EXPECT_DOUBLE_EQ(ResultOf(mainThread).kosten, resultKosten);
}

TEST(Optimizer, AFailedThreadIsReported) {
    // A worker type that cannot be read ends the main thread while it builds its workers.
    auto plan = EmptyExamplePlan();
    TEngineConfig config = SmallConfig({"5", "Sx,10"}, 0);
    TPlanOptimizer optimizer(*plan, config);
    EXPECT_FALSE(optimizer.Failed());
    optimizer.Start();
    ASSERT_TRUE(WaitFor([&] { return optimizer.Failed(); }));
    const std::string text = *optimizer.FailureText();
    EXPECT_NE(text.find("Thread \"1\""), std::string::npos) << text;
    EXPECT_NE(text.find("kein gültiger Integerwert"), std::string::npos) << text;
    optimizer.Stop();
}

TEST(Optimizer, StoppingTakesTheResultsAndStepsSinceTheLastCycle) {
    // Cycles far longer than the run: every result and step is collected only when the tree stops.
    auto plan = EmptyExamplePlan();
    TEngineConfig config = SmallConfig({"5", "2"}, 1);
    config.mainThreadCycleMs = 600'000;
    config.optimizerCycleMs = 600'000;

    TPlanMainThread mainThread(config, 5);
    mainThread.InitWithPlan("1", *plan, nullptr);
    mainThread.Start();
    ASSERT_TRUE(WaitFor([&] { return mainThread.IsInit(); }));
    // The worker list is complete once the thread is initialised; from the empty plan a worker's
    // first steps are accepted, so after a hundred steps there is a result to take.
    const auto stepped = [&] {
        std::int64_t sum = 0;
        for (const auto& worker : mainThread.Workers()) {
            sum += worker->Durchlauf();
        }
        return sum;
    };
    ASSERT_TRUE(WaitFor([&] { return stepped() > 100; }));
    const std::int64_t seen = stepped();
    EXPECT_EQ(ResultOf(mainThread).kosten, -1.0);
    mainThread.Stop();
    TPlan best;
    best.Assign(*plan);
    const MainResult result = ResultOf(mainThread, &best);
    EXPECT_GE(result.durchLauf, seen);
    ASSERT_GE(result.kosten, 0.0);
    // A hundred steps need not have placed every game yet (a slow or sanitized build stops
    // early); the taken result is a worker's plan, not the empty one it started from.
    EXPECT_LT(best.CountUnscheduledGames(), plan->CountUnscheduledGames());
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), result.kosten);

    TPlanOptimizer optimizer(*plan, config);
    optimizer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(optimizer.BestKosten(), -1.0);
    optimizer.Stop();
    EXPECT_GT(optimizer.Durchlaufe(), 0);
    ASSERT_GE(optimizer.BestKosten(), 0.0);
    optimizer.copyPlanDates(best);
    EXPECT_DOUBLE_EQ(best.CalculateKosten(-1), optimizer.BestKosten());
}
