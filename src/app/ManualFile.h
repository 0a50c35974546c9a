#pragma once
// Where "Anleitung..." finds the manual "Terminor.pdf": beside the executable (the build tree),
// else in the install's data folder relative to it (bin/../share/terminor). Plain file-system
// logic without Qt; any thread.

#include <filesystem>
#include <optional>
#include <vector>

namespace terminor {

/// The places of the manual for an executable in `executableDir`, in the order they are tried.
std::vector<std::filesystem::path> ManualCandidates(const std::filesystem::path& executableDir);

/// The first of the places that holds the manual, or nothing.
std::optional<std::filesystem::path> FindManual(const std::filesystem::path& executableDir);

/// The place a message about a missing manual names: the install's data folder for an installed
/// program (its folder is named "bin"), else beside the executable.
std::filesystem::path ExpectedManual(const std::filesystem::path& executableDir);

} // namespace terminor
