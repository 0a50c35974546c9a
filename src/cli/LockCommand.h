#pragma once
// terminor-cli lock: locks a game of a division to its date (a predefined game of the plan data),
// or lifts the lock, as the desktop program's page "Terminplan" does. Main thread only.

#include <string>

namespace terminor::cli {

struct LockArgs {
    std::string input;
    /// "HOME|GUEST|dd.mm.yyyy hh:mm"
    std::string game;
    std::string output;
    bool unlock = false;
};

/// Writes the plan file (in place without -o), or for a click-TT export its modifications file.
int RunLock(const LockArgs& args);

} // namespace terminor::cli
