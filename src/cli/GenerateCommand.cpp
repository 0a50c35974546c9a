#include "GenerateCommand.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <iostream>
#include <thread>

#include "CostsCommand.h"
#include "PlanInput.h"
#include "data/Error.h"
#include "data/PlanUtils.h"
#include "engine/PlanCalcThread.h"
#include "engine/PlanOptimizer.h"
#include "engine/Profiling.h"

namespace terminor::cli {

namespace {

std::atomic<bool> Interrupted{false};

extern "C" void OnInterrupt(int) {
    Interrupted.store(true);
}

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// The start plan of a generation: the loaded plan without dates, or with the dates of the given
/// schedule, invalid dates removed.
std::unique_ptr<TPlan> StartPlan(const TPlan& loaded, bool withSchedule) {
    auto plan = std::make_unique<TPlan>();
    plan->Assign(loaded);
    if (!withSchedule) {
        plan->clearAllDates();
    }
    plan->RemoveNotValidDates();
    return plan;
}

/// The cost exactly as `terminor-cli costs --schedule` computes it for the written schedule file.
std::unique_ptr<TPlan> EvaluationPlan(const GenerateArgs& args, const TPlan& result) {
    auto plan = LoadPlan(args.input, args.options);
    TPlanData schedule;
    schedule.LoadFromXMLText(result.ScheduleToXmlText(), "schedule");
    plan->LoadScheduleFromPlanData(schedule);
    const TCalculateOptions options = plan->getOptions();
    plan->AssignOptions(options);
    return plan;
}

std::string ProgressLine(std::int64_t steps, double rate, std::int64_t sinceImprovementMs) {
    std::string line = FormatInteger(steps) + " Pläne wurden berechnet (" +
                       FormatInteger(static_cast<std::int64_t>(std::trunc(rate))) + " Pläne/s)";
    if (sinceImprovementMs > 10000) {
        line += ", letzte Verbesserung vor: " + DurationText(sinceImprovementMs);
    }
    return line;
}

} // namespace

int RunGenerate(const GenerateArgs& args) {
    if (args.seconds.has_value() == args.steps.has_value()) {
        throw TerminorError("Bitte genau eine der Angaben --seconds oder --steps machen.");
    }
    const auto loaded = LoadPlan(args.input, args.options, args.schedule);
    const auto start = StartPlan(*loaded, !args.schedule.empty());
    auto result = std::make_unique<TPlan>();
    result->Assign(*start);

    const std::int64_t startMs = NowMs();
    std::int64_t steps = 0;
    if (!args.singleWorker.empty()) {
        TPlanCalcThread worker(args.seed.value_or(TRandom::ClockSeed()));
        worker.StartWithLists("1", *start, args.singleWorker, nullptr);
        if (args.steps) {
            worker.RunSynchronously(*args.steps);
        } else {
            // For a given time (to compare with the thread tree): steps in small batches until it is up.
            const auto limitMs = static_cast<std::int64_t>(*args.seconds * 1000);
            while (NowMs() - startMs < limitMs) {
                worker.RunSynchronously(64);
            }
        }
        steps = worker.Durchlauf();
        result->AssignOptimizedDates(worker.OptPlan());
    } else {
        TEngineConfig config;
        config.mainThreads = std::max(1, args.mainThreads);
        config.specialThread = !args.noSpecialThread;
        config.seed = args.seed;
        Interrupted.store(false);
        std::signal(SIGINT, OnInterrupt);
        TPlanOptimizer optimizer(*start, config);
        optimizer.Start();
        double lastCost = -1;
        std::int64_t lastImprovementMs = 0;
        std::int64_t nextReportMs = startMs + 1000;
        while (!Interrupted.load() && !optimizer.Failed()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const std::int64_t now = NowMs();
            if (args.seconds && now - startMs >= static_cast<std::int64_t>(*args.seconds * 1000)) {
                break;
            }
            if (args.steps && optimizer.Durchlaufe() >= *args.steps) {
                break;
            }
            if (now >= nextReportMs) {
                nextReportMs = now + 1000;
                const double cost = optimizer.BestKosten();
                if (cost != lastCost) {
                    lastCost = cost;
                    lastImprovementMs = now;
                }
                if (!args.quiet) {
                    std::cerr << ProgressLine(optimizer.Durchlaufe(), optimizer.PlanPerSec(),
                                              lastImprovementMs ? now - lastImprovementMs : 0)
                              << "\n";
                }
            }
        }
        std::signal(SIGINT, SIG_DFL);
        optimizer.Stop();
        // A thread that failed leaves a search that may be incomplete: nothing is written.
        if (const auto failure = optimizer.FailureText()) {
            throw TerminorError(*failure);
        }
        optimizer.copyPlanDates(*result);
        steps = optimizer.Durchlaufe();
    }
    const double seconds = static_cast<double>(NowMs() - startMs) / 1000.0;

    if (!args.output.empty()) {
        result->SaveScheduleToXml(args.output);
    }
    if (!args.csv.empty()) {
        result->SaveScheduleToCsv(args.csv);
    }
    const auto evaluation = EvaluationPlan(args, *result);
    const double cost = evaluation->CalculateKosten(-1);
    if (args.json) {
        std::vector<std::string> hardErrors;
        evaluation->getHardErrorMessages(hardErrors);
        nlohmann::ordered_json j;
        j["cost"] = cost;
        j["steps"] = steps;
        j["seconds"] = seconds;
        j["stepsPerSecond"] = seconds > 0 ? static_cast<double>(steps) / seconds : 0.0;
        j["lastOptimizedThread"] = result->LastOptimizedThread;
        j["hardErrors"] = hardErrors;
        std::cout << j.dump(2) << "\n";
    } else {
        PrintCosts(*evaluation, std::cout);
    }
    return 0;
}

int RunProfile(const ProfileArgs& args) {
    auto plan = LoadPlan(args.input, args.options, args.schedule);
    TProfileRun run(*plan, args.seed.value_or(TRandom::ClockSeed()));
    run.Run(args.calls);
    for (const std::string& line : run.Lines()) {
        std::cout << line << "\n";
    }
    return 0;
}

} // namespace terminor::cli
