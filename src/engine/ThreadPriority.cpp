// Thread priority on Linux: the nice value is per thread there, addressed by the thread id.
// Nice 19 rather than 1: the scheduler shares the processor by weight, and 96 workers at nice 1
// would leave the user-interface thread a few percent of a core; at 19 it gets most of one.

#include "engine/ThreadPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace terminor {

namespace {
constexpr int WorkerNice = 19;
}

bool LowerCurrentThreadPriority() {
    const auto tid = static_cast<id_t>(::gettid());
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, tid);
    if (errno != 0) {
        return false;
    }
    if (current >= WorkerNice) {
        return true;
    }
    return ::setpriority(PRIO_PROCESS, tid, WorkerNice) == 0;
}

int CurrentThreadNice() {
    errno = 0;
    const int value = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    return errno != 0 ? 0 : value;
}

} // namespace terminor
