// Arena limit: glibc's default is eight arenas per processor on 64-bit systems, which the 97 to 126
// threads of a generation on a small machine exceed many times over.

#include "engine/AllocatorArenas.h"

#include <algorithm>
#include <mutex>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace terminor {

int ReserveAllocatorArenas(int threads) {
#if defined(__GLIBC__)
    static std::mutex mutex;
    static int reserved = 0;
    const int processors = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const int wanted = 8 * processors + std::max(0, threads);
    const std::lock_guard lock(mutex);
    if (wanted > reserved && mallopt(M_ARENA_MAX, wanted) == 1) {
        reserved = wanted;
    }
    return reserved;
#else
    (void)threads;
    return 0;
#endif
}

} // namespace terminor
