#pragma once
// Lowers the priority of the calling thread, so that the workers of a generation yield to the
// user interface and to the drivers. Called by each worker thread on itself.

namespace terminor {

/// Gives the calling thread the nice value 19, the lowest scheduling priority below normal.
/// A system that does not allow it leaves the priority as it is; the failure is ignored.
/// Returns whether the priority is now lowered.
bool LowerCurrentThreadPriority();

/// The nice value of the calling thread (for tests and diagnostics).
int CurrentThreadNice();

} // namespace terminor
