#include "GenerateCommand.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <thread>
#include <vector>

#include "CostsCommand.h"
#include "Output.h"
#include "PlanInput.h"
#include "Progress.h"
#include "data/Error.h"
#include "data/XmlFile.h"
#include "engine/PlanCalcThread.h"
#include "engine/PlanOptimizer.h"
#include "engine/Profiling.h"

namespace terminor::cli {

namespace {

std::atomic<bool> Interrupted{false};

// A repeated signal changes nothing: the terminal sends Ctrl-C to the whole process group, and
// timeout(1) and batch systems signal the process and its group, so one request often arrives twice.
extern "C" void OnInterrupt(int) {
    Interrupted.store(true);
}

/// Ctrl-C (and the SIGTERM of a batch system's time limit) ends the run early; the best plan so
/// far is still written.
class InterruptGuard {
public:
    InterruptGuard() {
        Interrupted.store(false);
        std::signal(SIGINT, OnInterrupt);
        std::signal(SIGTERM, OnInterrupt);
    }
    ~InterruptGuard() {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Steps of the single worker between two looks at the clock and at Ctrl-C.
constexpr std::int64_t SingleWorkerChunk = 50;

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

THardErrorCounts CountHardErrors(const TPlan& plan) {
    std::vector<std::string> messages;
    return plan.getHardErrorMessages(messages);
}

void CheckOutputs(const GenerateArgs& args) {
    if (args.output == "-" && args.csv == "-") {
        throw TerminorError("-o und --csv können nicht beide auf die Standardausgabe (-) schreiben.");
    }
    if (args.json && (args.output == "-" || args.csv == "-")) {
        throw TerminorError("--json und eine Ausgabe auf die Standardausgabe (-) schließen sich aus.");
    }
    for (const std::string* out : {&args.output, &args.csv}) {
        if (!out->empty()) {
            CheckOutput(args.input, *out);
        }
    }
}

std::int64_t RunSingleWorker(const GenerateArgs& args, const TPlan& start, TPlan& result,
                             TProgressLine& progress, std::int64_t startMs) {
    TPlanCalcThread worker(args.seed.value_or(TRandom::ClockSeed()));
    try {
        worker.StartWithLists("1", start, args.singleWorker, nullptr);
    } catch (const EConvertError& e) {
        throw TerminorError("Ungültiger Rechenthread-Typ für --single-worker \"" + args.singleWorker +
                            "\": " + e.what());
    }
    ProgressState state;
    const auto update = [&] {
        state.steps = worker.Durchlauf();
        state.elapsedMs = NowMs() - startMs;
        state.stepsPerSecond = state.elapsedMs > 0 ? static_cast<double>(state.steps) * 1000.0 /
                                                         static_cast<double>(state.elapsedMs)
                                                   : 0.0;
        state.hardErrors = CountHardErrors(worker.OptPlan());
    };
    // For a number of steps, or for a time (to compare with the thread tree over the same time).
    const std::int64_t limitMs =
        args.steps ? 0 : static_cast<std::int64_t>(args.seconds.value_or(DefaultGenerateSeconds) * 1000);
    const auto more = [&] {
        return args.steps ? worker.Durchlauf() < *args.steps : NowMs() - startMs < limitMs;
    };
    while (more() && !Interrupted.load()) {
        // The loop continues where the last chunk stopped, so a seeded run stays reproducible.
        const std::int64_t chunk =
            args.steps ? std::min(SingleWorkerChunk, *args.steps - worker.Durchlauf()) : SingleWorkerChunk;
        state.bestCost = worker.RunSynchronously(chunk);
        if (progress.Due(NowMs() - startMs)) {
            update();
            progress.Show(state);
        }
    }
    update();
    progress.Finish(state);
    result.AssignOptimizedDates(worker.OptPlan());
    return worker.Durchlauf();
}

std::int64_t RunThreadTree(const GenerateArgs& args, const TPlan& start, TPlan& result,
                           TProgressLine& progress, std::int64_t startMs) {
    TEngineConfig config;
    config.mainThreads = args.mainThreads;
    config.specialThread = !args.noSpecialThread;
    config.seed = args.seed;
    TPlanOptimizer optimizer(start, config);
    optimizer.Start();
    TPlan best;
    best.Assign(start);
    const auto state = [&](std::int64_t elapsedMs) {
        ProgressState s;
        s.elapsedMs = elapsedMs;
        s.steps = optimizer.Durchlaufe();
        s.stepsPerSecond = optimizer.PlanPerSec();
        s.bestCost = optimizer.BestKosten();
        if (s.bestCost >= 0) {
            optimizer.copyPlanDates(best);
            s.hardErrors = CountHardErrors(best);
        }
        return s;
    };
    const double limitMs = args.seconds.value_or(DefaultGenerateSeconds) * 1000.0;
    while (!Interrupted.load() && !optimizer.Failed()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::int64_t elapsed = NowMs() - startMs;
        if (args.steps ? optimizer.Durchlaufe() >= *args.steps : static_cast<double>(elapsed) >= limitMs) {
            break;
        }
        if (progress.Due(elapsed)) {
            progress.Show(state(elapsed));
        }
    }
    optimizer.Stop();
    progress.Finish(state(NowMs() - startMs));
    // A thread that failed leaves a search that may be incomplete: nothing is written.
    if (const auto failure = optimizer.FailureText()) {
        throw TerminorError(*failure);
    }
    optimizer.copyPlanDates(result);
    return optimizer.Durchlaufe();
}

/// Where a result goes when its output cannot be written: beside the input, else in the
/// temporary folder; "NAME.terminor-YYYYMMDD-HHMMSS.EXT", never an existing file.
std::vector<std::string> FallbackPaths(const std::string& input, const std::string& extension) {
    namespace fs = std::filesystem;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const fs::path in(input);
    const std::string base = in.stem().string() + ".terminor-" + stamp;
    std::vector<std::string> paths;
    std::error_code ec;
    for (const fs::path& folder :
         {in.has_parent_path() ? in.parent_path() : fs::path("."), fs::temp_directory_path(ec)}) {
        fs::path candidate = folder / (base + extension);
        for (int n = 2; fs::exists(candidate, ec); ++n) {
            candidate = folder / (base + "-" + std::to_string(n) + extension);
        }
        paths.push_back(candidate.string());
    }
    return paths;
}

/// Writes one output of the run. When that fails the run is not lost: the same bytes go to a
/// fallback file, which the message names. False when the output itself was not written.
bool SaveOutput(const GenerateArgs& args, const std::string& output, const std::string& bytes,
                const std::string& label, const std::string& extension) {
    try {
        WriteOutput(output, bytes, label);
        return true;
    } catch (const TerminorError& e) {
        std::cerr << e.what() << "\n";
    }
    for (const std::string& fallback : FallbackPaths(args.input, extension)) {
        try {
            WriteFileAtomic(fallback, bytes);
            std::cerr << label << " stattdessen gespeichert: " << fallback << "\n";
            return false;
        } catch (const TerminorError&) {
            // The next place is tried.
        }
    }
    std::cerr << label << " konnte auch ersatzweise nicht gespeichert werden.\n";
    return false;
}

} // namespace

int RunGenerate(const GenerateArgs& args) {
    CheckOutputs(args);
    const auto loaded = LoadPlan(args.input, args.options, args.schedule);
    RequireTwoTeams(*loaded);
    const auto start = StartPlan(*loaded, !args.schedule.empty());
    auto result = std::make_unique<TPlan>();
    result->Assign(*start);

    const std::int64_t startMs = NowMs();
    TProgressLine progress(
        args.quiet, args.steps ? std::nullopt : std::optional(args.seconds.value_or(DefaultGenerateSeconds)),
        args.steps);
    std::int64_t steps = 0;
    {
        const InterruptGuard guard;
        steps = args.singleWorker.empty() ? RunThreadTree(args, *start, *result, progress, startMs)
                                          : RunSingleWorker(args, *start, *result, progress, startMs);
    }
    if (Interrupted.load()) {
        std::cerr << "Abgebrochen – der beste Plan bis jetzt wird gespeichert\n";
    }
    const double seconds = static_cast<double>(NowMs() - startMs) / 1000.0;

    bool saved = true;
    if (!args.output.empty()) {
        saved = SaveOutput(args, args.output, result->ScheduleToXmlText(), "Spielplan", ".xml") && saved;
    }
    if (!args.csv.empty()) {
        saved = SaveOutput(args, args.csv, result->ScheduleToCsvBytes(), "CSV für click-TT", ".csv") && saved;
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
        // A schedule on standard output leaves it to that schedule alone.
        PrintCosts(*evaluation, args.output == "-" || args.csv == "-" ? std::cerr : std::cout, args.wide);
    }
    const bool fileWritten = !args.output.empty() && args.output != "-" && saved;
    const int code = ScheduleExitCode(
        *evaluation, fileWritten ? CostsCommandLine(args.input, args.options, args.output) : std::string());
    return saved ? code : ExitError;
}

int RunProfile(const ProfileArgs& args) {
    auto plan = LoadPlan(args.input, args.options, args.schedule);
    TProfileRun run(*plan, args.seed.value_or(TRandom::ClockSeed()));
    run.Run(args.calls);
    for (const std::string& line : run.Lines()) {
        std::cout << line << "\n";
    }
    return ExitDone;
}

} // namespace terminor::cli
