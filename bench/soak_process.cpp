// Reading /proc/self/status, and the watchdog of the soak's thread.

#include "soak_process.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/prctl.h>
#include <unistd.h>

namespace terminor::soak {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

TProcessFigures ReadProcessFigures() {
    TProcessFigures figures;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "VmRSS:") {
            fields >> figures.RssKb;
        } else if (key == "Threads:") {
            fields >> figures.Threads;
        }
    }
    return figures;
}

std::string FormatMb(std::int64_t kb) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kb) / 1024.0);
    return text;
}

void DumpStacks(const std::string& fileName) {
    if (fileName.empty()) {
        return;
    }
    // gdb runs as a child of the process it reads; Yama's ptrace scope 1 allows that only when
    // the process agrees.
    ::prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY, 0, 0, 0);
    const std::string command = "gdb -p " + std::to_string(::getpid()) +
                                " -batch -ex 'thread apply all bt 16' > '" + fileName + "' 2>&1";
    if (std::system(command.c_str()) == 0) {
        std::cout << "Stacks aller Threads: " << fileName << std::endl;
    }
}

TWatchdog::TWatchdog(std::chrono::seconds limit, std::string stackFile)
    : FLimit(limit), FStackFile(std::move(stackFile)), FLastBeatMs(NowMs()) {
    FThread = std::thread([this] { Execute(); });
}

TWatchdog::~TWatchdog() {
    {
        const std::lock_guard lock(FMutex);
        FStop = true;
    }
    FWake.notify_all();
    FThread.join();
}

void TWatchdog::Beat(const char* what) {
    FWhat.store(what);
    FLastBeatMs.store(NowMs());
}

void TWatchdog::Execute() {
    std::unique_lock lock(FMutex);
    while (!FWake.wait_for(lock, std::chrono::seconds(1), [this] { return FStop; })) {
        const std::int64_t silent = NowMs() - FLastBeatMs.load();
        if (silent > std::chrono::duration_cast<std::chrono::milliseconds>(FLimit).count()) {
            std::cout << "FEHLER: Verklemmung - der Aufruf " << FWhat.load() << " kehrt seit "
                      << silent / 1000 << " s nicht zurück." << std::endl;
            DumpStacks(FStackFile);
            std::_Exit(1);
        }
    }
}

} // namespace terminor::soak
