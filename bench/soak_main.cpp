// bench_soak --minutes N [--teams T] [--seed S]: the soak. The full thread tree of the generation
// (the program's engine configuration) runs on a synthetic division for N minutes while this
// thread drives the session as the main window does: the sync timer every 777 ms, plan-data and
// option changes every few seconds, pause and resume, a schedule remembered and removed every
// minute. It prints resident memory and the thread count at the start, every minute and at the
// end, and fails (exit code 1) on a deadlock, a failed generation thread, growing memory or a
// thread count other than the tree's.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "SyntheticDivision.h"
#include "app/Session.h"
#include "data/FreeDays.h"
#include "data/PlanData.h"
#include "engine/EngineConfig.h"
#include "engine/PlanOptimizer.h"
#include "model/CalculateOptions.h"
#include "model/Plan.h"
#include "soak_process.h"

using namespace terminor;
using namespace terminor::soak;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto SyncInterval = std::chrono::milliseconds(777);
constexpr auto Tick = std::chrono::milliseconds(50);
/// Growth allowed after the warm-up: this share of the warm RSS plus a fixed amount.
constexpr double RssGrowthShare = 0.20;
constexpr std::int64_t RssGrowthKb = 20 * 1024;

struct TArguments {
    double Minutes = 1.0;
    int Teams = 14;
    std::uint64_t Seed = 2026;
    /// A call that hangs, or no progress of the step count while not paused, this long is a deadlock.
    /// Sanitizer builds run many times slower and need more.
    int DeadlockSeconds = 30;
    /// Where the stacks of all threads go on a deadlock (with gdb); none when empty.
    std::string StackFile;
};

TArguments ParseArguments(int argc, char** argv) {
    TArguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            throw std::invalid_argument("Wert fehlt nach " + arg);
        }
        const std::string value = argv[++i];
        if (arg == "--minutes") {
            args.Minutes = std::stod(value);
        } else if (arg == "--teams") {
            args.Teams = std::stoi(value);
        } else if (arg == "--seed") {
            args.Seed = std::stoull(value);
        } else if (arg == "--stacks") {
            args.StackFile = value;
        } else if (arg == "--deadlock-seconds") {
            args.DeadlockSeconds = std::stoi(value);
        } else {
            throw std::invalid_argument("Unbekannte Option " + arg);
        }
    }
    if (!(args.Minutes > 0)) {
        throw std::invalid_argument("--minutes muss größer als 0 sein");
    }
    return args;
}

/// Threads of the tree: the optimiser, and per main thread (the "Special" one included) itself and
/// its workers.
int TreeThreads(const TEngineConfig& config, bool special) {
    const int workers = static_cast<int>(config.fixedWorkerTypes.size()) + config.dynamicWorkers;
    return 1 + (config.mainThreads + (special ? 1 : 0)) * (1 + workers);
}

/// Per kind of call (the last step the watchdog saw): count, median, 99th percentile and maximum
/// in milliseconds, so a change to the locking can be compared call by call.
void PrintDurations(std::map<std::string, std::vector<double>>& durations) {
    std::cout << "Aufrufe (ms): Anzahl, Median, 99 %, Maximum" << std::endl;
    for (auto& [what, took] : durations) {
        std::sort(took.begin(), took.end());
        const auto at = [&](double share) {
            return took[std::min(took.size() - 1,
                                 static_cast<std::size_t>(share * static_cast<double>(took.size())))] *
                   1000.0;
        };
        std::cout << "  " << std::left << std::setw(28) << what << std::right << std::setw(6) << took.size()
                  << std::fixed << std::setprecision(1) << std::setw(10) << at(0.5) << std::setw(10)
                  << at(0.99) << std::setw(10) << took.back() * 1000.0 << std::defaultfloat << std::endl;
    }
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

std::string Millions(std::int64_t steps) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f Mio", static_cast<double>(steps) / 1e6);
    return text;
}

/// The session calls of the window, driven on a schedule, and the figures they produce.
class TSoak {
public:
    TSoak(TTerminorSession& session, TWatchdog& watchdog, std::string exportFile,
          std::chrono::seconds deadlockLimit, std::string stackFile)
        : FSession(session), FWatchdog(watchdog), FExportFile(std::move(exportFile)),
          FDeadlockLimit(deadlockLimit), FStackFile(std::move(stackFile)) {
        FBaseOptions = FSession.PlanLoaded().getOptions();
    }

    /// The sync timer: failures of the tree, the remembered schedules, the best dates.
    void Sync(Clock::time_point now) {
        // The parts are timed apart, so that a slow sync shows which call held it up.
        Clock::time_point part = Clock::now();
        const auto notePart = [&](const char* what) {
            const Clock::time_point end = Clock::now();
            FSyncParts[std::string("Sync: ") + what].push_back(Seconds(end - part));
            if (end - part > std::chrono::seconds(1)) {
                std::cout << "  Sync: " << what << " " << Seconds(end - part) << " s" << std::endl;
            }
            part = end;
        };
        FWatchdog.Beat("RefreshSavedPlans");
        FSession.RefreshSavedPlans(false);
        notePart("RefreshSavedPlans");
        FWatchdog.Beat("TakeGenerationFailure");
        if (const auto failure = FSession.TakeGenerationFailure()) {
            throw std::runtime_error("Generierung fehlgeschlagen: " + *failure);
        }
        FWatchdog.Beat("SyncPlans");
        const TTerminorSession::TSyncResult sync = FSession.SyncPlans();
        notePart("SyncPlans");
        if (!sync.Copied) {
            // Paused: no progress is expected.
            FLastProgress = now;
            return;
        }
        // The count restarts when the tree takes new plan data; every change is progress.
        if (sync.Durchlaufe != FLastDurchlaufe) {
            FSteps +=
                sync.Durchlaufe >= FLastDurchlaufe ? sync.Durchlaufe - FLastDurchlaufe : sync.Durchlaufe;
            FLastDurchlaufe = sync.Durchlaufe;
            FLastProgress = now;
        }
        FKosten = sync.Kosten;
        if (now - FLastProgress > FDeadlockLimit) {
            DumpStacks(FStackFile);
            throw std::runtime_error("Verklemmung: die Zahl der berechneten Pläne steht seit " +
                                     std::to_string(static_cast<int>(Seconds(now - FLastProgress))) +
                                     " s still, ohne Pause.");
        }
    }

    /// The event of second `s` of the run, if it has one.
    void Event(std::int64_t s) {
        if (s % 60 == 20) {
            Remember(s / 60 + 1);
        } else if (s % 60 == 50) {
            Forget();
        } else if (s % 20 == 10 || s % 20 == 13) {
            // Pause, and resume three seconds later, with the tool button's call.
            FWatchdog.Beat("StartPause");
            FSession.StartPause();
            ++FPauses;
        } else if (s % 5 == 2) {
            Change(s / 5);
        }
    }

    /// The durations of the sync's parts, by part.
    const std::map<std::string, std::vector<double>>& SyncParts() const { return FSyncParts; }
    std::int64_t Steps() const { return FSteps; }
    double Kosten() const { return FKosten; }
    std::string Counts() const {
        return std::to_string(FDataChanges) + " Datenänderungen, " + std::to_string(FOptionChanges) +
               " Optionsänderungen, " + std::to_string(FPauses) + " Pause/Weiter, " +
               std::to_string(FRemembered) + " gemerkt, " + std::to_string(FForgotten) + " gelöscht";
    }

private:
    /// Plan data and options in turn, each through the call of its control.
    void Change(std::int64_t n) {
        switch (n % 4) {
        case 0:
            ToggleLock();
            break;
        case 1: {
            // A weight edited from the cost table: the weight dialog's call, paused meanwhile.
            const TTerminorSession::TPauseGuard pause(FSession);
            TCalculateOptions options = FBaseOptions;
            if (n % 8 == 1) {
                const auto type = AllMannschaftsKostenTypes[static_cast<std::size_t>(n / 8) %
                                                            AllMannschaftsKostenTypes.size()];
                auto& weight = options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(type)];
                weight = weight == coHoch ? coSehrHoch : coHoch;
            }
            FWatchdog.Beat("ApplyOptions");
            FSession.ApplyOptions(options);
            ++FOptionChanges;
            break;
        }
        case 2:
            ToggleFreeDay();
            break;
        default: {
            // The options window edits the loaded plan's options and saves them, without a pause.
            TCalculateOptions options = FSession.PlanLoaded().getOptions();
            options.setGewichtungPlan(pktGameDayOverlap,
                                      options.getGewichtungPlan(pktGameDayOverlap) == coHoch ? coNormal
                                                                                             : coHoch);
            FSession.PlanLoaded().AssignOptions(options);
            FWatchdog.Beat("ApplySettings");
            FSession.ApplySettings(true);
            ++FOptionChanges;
            break;
        }
        }
    }

    /// A game of the running schedule locked to its date, and unlocked next time: the schedule
    /// context menu's calls.
    void ToggleLock() {
        if (FLocked) {
            FWatchdog.Beat("UnlockGame");
            FSession.UnlockGame(FLocked->Home, FLocked->Guest, FLocked->Date);
            FLocked.reset();
            ++FDataChanges;
            return;
        }
        const TPlan& plan = FSession.PlanOptimized();
        if (plan.gamesAllowed.empty()) {
            return;
        }
        // A different game each time, so that the locks move through the schedule.
        const std::size_t count = plan.gamesAllowed.size();
        for (std::size_t i = 0; i < count; ++i) {
            const TGame* game = plan.gamesAllowed[(FLockCursor + i) % count];
            if (game->DateValid()) {
                FLockCursor += i + 7;
                FLocked =
                    TLocked{game->MannschaftHeim->teamName, game->MannschaftGast->teamName, game->FDate};
                FWatchdog.Beat("LockGame");
                FSession.LockGame(FLocked->Home, FLocked->Guest, FLocked->Date, game->GetLocation());
                ++FDataChanges;
                return;
            }
        }
    }

    /// The data dialog: a copy of the plan data with a game-free day added (on a day the running
    /// schedule uses) or removed again, taken over while the generation pauses.
    void ToggleFreeDay() {
        const TTerminorSession::TPauseGuard pause(FSession);
        TPlanData edited;
        edited.assign(FSession.PlanData());
        std::vector<TDateTime> days = GetFreeDays(edited);
        if (FFreeDay) {
            std::erase(days, *FFreeDay);
            FFreeDay.reset();
        } else {
            for (const TGame* game : FSession.PlanOptimized().gamesAllowed) {
                if (game->DateValid()) {
                    FFreeDay = std::floor(game->FDate);
                    break;
                }
            }
            if (!FFreeDay) {
                return;
            }
            days.push_back(*FFreeDay);
        }
        SetFreeDays(edited, days);
        FWatchdog.Beat("TakeOverPlanData");
        FSession.TakeOverPlanData(edited);
        ++FDataChanges;
    }

    /// "Merken": the best schedule remembered, then written as CSV like an export of it.
    void Remember(std::int64_t minute) {
        const TTerminorSession::TPauseGuard pause(FSession);
        FWatchdog.Beat("BestPlanUnremembered");
        FSession.BestPlanUnremembered();
        FName = "Dauerlauf " + std::to_string(minute);
        FWatchdog.Beat("RememberPlan");
        FSession.RememberPlan(FName);
        ++FRemembered;
        FWatchdog.Beat("ExportCsv");
        const auto copy = TTerminorSession::ExportCopy(FSession.PlanOptimized());
        TTerminorSession::ExportWarnings(*copy);
        TTerminorSession::ExportCsv(*copy, FExportFile);
    }

    /// "Löschen" of the schedule remembered last.
    void Forget() {
        const TTerminorSession::TPauseGuard pause(FSession);
        const TSavedPlan* saved = FSession.SavedPlans().FindByName(FName);
        if (saved == nullptr) {
            throw std::runtime_error("Der gemerkte Spielplan \"" + FName + "\" fehlt in der Liste.");
        }
        FWatchdog.Beat("ForgetPlan");
        FSession.ForgetPlan(saved->Plan.get());
        if (FSession.SavedPlans().FindByName(FName) != nullptr) {
            throw std::runtime_error("Der Spielplan \"" + FName + "\" ist nach dem Löschen noch da.");
        }
        ++FForgotten;
    }

    struct TLocked {
        std::string Home;
        std::string Guest;
        TDateTime Date;
    };

    TTerminorSession& FSession;
    TWatchdog& FWatchdog;
    std::string FExportFile;
    std::chrono::seconds FDeadlockLimit;
    std::string FStackFile;
    TCalculateOptions FBaseOptions;
    std::optional<TLocked> FLocked;
    std::size_t FLockCursor = 0;
    std::optional<TDateTime> FFreeDay;
    std::string FName;
    std::map<std::string, std::vector<double>> FSyncParts;
    Clock::time_point FLastProgress = Clock::now();
    std::int64_t FLastDurchlaufe = 0;
    std::int64_t FSteps = 0;
    double FKosten = -1;
    int FDataChanges = 0;
    int FOptionChanges = 0;
    int FPauses = 0;
    int FRemembered = 0;
    int FForgotten = 0;
};

void PrintFigures(const std::string& label, const TProcessFigures& figures) {
    std::cout << label << ": RSS " << FormatMb(figures.RssKb) << ", Threads " << figures.Threads << std::endl;
}

/// A scratch folder for the division and the storage directory, removed at the end.
struct TScratch {
    fs::path Path;
    TScratch() {
        std::string pattern = (fs::temp_directory_path() / "terminor-soak-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("Kein temporäres Verzeichnis");
        }
        Path = pattern;
    }
    ~TScratch() {
        std::error_code ec;
        fs::remove_all(Path, ec);
    }
};

int Run(const TArguments& args) {
    const auto duration =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(args.Minutes * 60));
    const auto warmUp = std::min<Clock::duration>(std::chrono::seconds(60), duration / 4);
    const TProcessFigures before = ReadProcessFigures();
    PrintFigures("Vor dem Start", before);

    TScratch scratch;
    const std::string division = (scratch.Path / "division.xml").string();
    {
        TPlanData data;
        synthetic::BuildDivision(args.Teams, args.Seed, data);
        data.SaveToXML(division);
    }
    const TEngineConfig config;
    const std::chrono::seconds deadlockLimit(args.DeadlockSeconds);
    TWatchdog watchdog(deadlockLimit, args.StackFile);
    // The process's own threads besides the tree: this one, the watchdog and any a sanitizer's
    // runtime starts with the first thread.
    const int ownThreads = ReadProcessFigures().Threads;
    TTerminorSession session((scratch.Path / "appdata").string(), config);
    session.Adopt(session.OpenPlanFile(division));
    if (session.CurrentPlanDirectory().empty()) {
        throw std::runtime_error("Kein Speicherverzeichnis für die Division");
    }
    std::cout << "Division: " << args.Teams << " Mannschaften, " << session.PlanLoaded().gamesAllowed.size()
              << " Spiele; Baum: " << config.mainThreads << " Hauptthreads x "
              << config.fixedWorkerTypes.size() + static_cast<std::size_t>(config.dynamicWorkers)
              << " Worker + Spezial; Dauer " << args.Minutes << " min" << std::endl;
    watchdog.Beat("StartPause");
    session.StartPause();
    TSoak soak(session, watchdog, (scratch.Path / "export.csv").string(), deadlockLimit, args.StackFile);

    const Clock::time_point start = Clock::now();
    Clock::time_point nextSync = start + SyncInterval;
    std::int64_t lastSecond = -1;
    std::int64_t lastEvent = -1;
    std::int64_t lastMinute = 0;
    bool startPrinted = false;
    std::optional<TProcessFigures> warm;
    // The longest time the soak's thread spent in one sync or event: how long the window would
    // not respond. Events over two seconds are listed.
    double longest = 0;
    std::string longestWhat;
    std::map<std::string, std::vector<double>> durations;
    const auto noteDuration = [&](Clock::time_point since, const std::string& what) {
        const double took = Seconds(Clock::now() - since);
        durations[what].push_back(took);
        if (took > longest) {
            longest = took;
            longestWhat = what;
        }
        if (took > 2.0) {
            std::cout << "  " << static_cast<int>(Seconds(since - start)) << " s: " << what << " " << took
                      << " s" << std::endl;
        }
    };
    for (;;) {
        watchdog.Beat("Schleife");
        const Clock::time_point now = Clock::now();
        if (now - start >= duration) {
            break;
        }
        if (now >= nextSync) {
            // As the window's timer: restarted after its handler has run.
            soak.Sync(now);
            noteDuration(now, "Sync");
            nextSync = Clock::now() + SyncInterval;
        }
        const auto elapsed = now - start;
        const std::int64_t second = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
        if (second != lastSecond) {
            lastSecond = second;
            if (!startPrinted && second >= 3) {
                PrintFigures("Start (Baum läuft)", ReadProcessFigures());
                startPrinted = true;
            }
            if (!warm && elapsed >= warmUp) {
                warm = ReadProcessFigures();
                PrintFigures("Nach dem Warmlauf (" + std::to_string(second) + " s)", *warm);
            }
            if (second / 60 != lastMinute) {
                lastMinute = second / 60;
                const TProcessFigures figures = ReadProcessFigures();
                std::cout << "Minute " << lastMinute << ": RSS " << FormatMb(figures.RssKb) << ", Threads "
                          << figures.Threads << ", " << Millions(soak.Steps()) << " Schritte, Kosten "
                          << soak.Kosten()
                          << (session.Optimizer()->HasSpecialThread() ? ", Spezial läuft" : "") << std::endl;
            }
        }
        // Every second's event once, also for seconds a slow call has skipped, until the end.
        while (lastEvent < second && Clock::now() - start < duration) {
            const Clock::time_point before = Clock::now();
            soak.Event(++lastEvent);
            noteDuration(before, watchdog.Last());
        }
        std::this_thread::sleep_for(Tick);
    }
    if (session.Paused()) {
        watchdog.Beat("StartPause");
        session.StartPause();
    }

    // The end figures while the tree still runs: the special thread may start at any moment, so
    // its flag is read on both sides of the figures.
    TProcessFigures end;
    bool special = false;
    do {
        special = session.Optimizer()->HasSpecialThread();
        end = ReadProcessFigures();
    } while (special != session.Optimizer()->HasSpecialThread());
    const int expected = ownThreads + TreeThreads(config, special);
    PrintFigures("Ende", end);
    std::cout << "Schritte: " << soak.Steps() << " (" << Millions(soak.Steps()) << "), Kosten "
              << soak.Kosten() << ", Spezial-Thread " << (special ? "gestartet" : "nicht gestartet")
              << std::endl;
    std::cout << soak.Counts() << std::endl;
    std::cout << "Längster Aufruf: " << longest << " s (bis " << longestWhat << ")" << std::endl;
    for (const auto& [what, took] : soak.SyncParts()) {
        durations[what] = took;
    }
    PrintDurations(durations);
    watchdog.Beat("StopOptimizer");
    session.StopOptimizer();
    const TProcessFigures stopped = ReadProcessFigures();
    PrintFigures("Nach dem Beenden der Generierung", stopped);

    int result = 0;
    if (!warm) {
        warm = end;
    }
    const auto limitKb =
        static_cast<std::int64_t>(static_cast<double>(warm->RssKb) * (1.0 + RssGrowthShare)) + RssGrowthKb;
    if (end.RssKb > limitKb) {
        std::cout << "FEHLER: Speicher wächst: RSS am Ende " << FormatMb(end.RssKb) << " über der Grenze "
                  << FormatMb(limitKb) << " (nach dem Warmlauf " << FormatMb(warm->RssKb)
                  << " + 20 % + 20 MB)" << std::endl;
        result = 1;
    }
    if (end.Threads != expected) {
        std::cout << "FEHLER: " << end.Threads << " Threads am Ende, erwartet " << expected << std::endl;
        result = 1;
    }
    if (stopped.Threads != ownThreads) {
        std::cout << "FEHLER: " << stopped.Threads << " Threads nach dem Beenden, erwartet " << ownThreads
                  << std::endl;
        result = 1;
    }
    std::cout << (result == 0 ? "OK" : "FEHLGESCHLAGEN") << std::endl;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(ParseArguments(argc, argv));
    } catch (const std::invalid_argument& e) {
        std::cerr << "Aufruf: bench_soak --minutes N [--teams T] [--seed S] [--deadlock-seconds S] [--stacks "
                     "DATEI]\n"
                  << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cout << "FEHLER: " << e.what() << std::endl;
        return 1;
    }
}
