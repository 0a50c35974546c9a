#pragma once
// The soak's view of its own process: resident memory and thread count from /proc/self/status,
// and a watchdog thread that ends the process when the soak's own thread stops reporting (a call
// into the session that never returns). Any thread.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace terminor::soak {

struct TProcessFigures {
    /// Resident memory in KiB (VmRSS).
    std::int64_t RssKb = 0;
    /// Threads of the process (Threads).
    int Threads = 0;
};

/// Reads VmRSS and Threads of this process; zeros when /proc is not there.
TProcessFigures ReadProcessFigures();
/// "123.4 MB" for a size in KiB.
std::string FormatMb(std::int64_t kb);
/// Writes the stacks of all threads of this process to `fileName` with gdb, when there is one;
/// nothing for an empty name.
void DumpStacks(const std::string& fileName);

/// Runs one thread that checks the heartbeat of the soak's thread; when none came for `limit`, it
/// prints which call hangs, dumps the stacks to `stackFile` and ends the process with exit code 1
/// (a hung thread cannot be joined).
class TWatchdog {
public:
    TWatchdog(std::chrono::seconds limit, std::string stackFile);
    ~TWatchdog();
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

    /// Soak thread: about to make the call `what` (a string literal).
    void Beat(const char* what);
    /// The call named last.
    const char* Last() const { return FWhat.load(); }

private:
    void Execute();

    std::chrono::seconds FLimit;
    std::string FStackFile;
    std::atomic<std::int64_t> FLastBeatMs;
    std::atomic<const char*> FWhat{"Start"};
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FStop = false;
    std::thread FThread;
};

} // namespace terminor::soak
