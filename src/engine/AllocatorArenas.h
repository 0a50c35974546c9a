#pragma once
// The allocator's arenas for the generation's threads. Threads that share an arena share its lock,
// and a worker at the lowest priority that is preempted while it holds it stalls every thread of
// higher priority on that arena: the drivers and the user interface. Any thread may call it.

namespace terminor {

/// Raises the C library's arena limit so that `threads` more threads get an arena of their own
/// (glibc; elsewhere nothing happens). Call it before the threads are started; it never lowers the
/// limit. Returns the limit now set, or 0 when the allocator has none.
int ReserveAllocatorArenas(int threads);

} // namespace terminor
