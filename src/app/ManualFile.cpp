// The places of the manual "Terminor.pdf".

#include "app/ManualFile.h"

// The install's data folder of the manual relative to its bin folder; the build sets it from the
// install layout.
#ifndef TERMINOR_MANUAL_FROM_BIN
#define TERMINOR_MANUAL_FROM_BIN "../share/terminor"
#endif

namespace terminor {

namespace {

constexpr const char* ManualName = "Terminor.pdf";

} // namespace

std::vector<std::filesystem::path> ManualCandidates(const std::filesystem::path& executableDir) {
    return {(executableDir / ManualName).lexically_normal(),
            (executableDir / TERMINOR_MANUAL_FROM_BIN / ManualName).lexically_normal()};
}

std::optional<std::filesystem::path> FindManual(const std::filesystem::path& executableDir) {
    for (const std::filesystem::path& candidate : ManualCandidates(executableDir)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::filesystem::path ExpectedManual(const std::filesystem::path& executableDir) {
    std::filesystem::path dir = executableDir.lexically_normal();
    if (dir.filename().empty()) {
        dir = dir.parent_path(); // a trailing separator
    }
    const std::vector<std::filesystem::path> candidates = ManualCandidates(dir);
    return dir.filename() == "bin" ? candidates.back() : candidates.front();
}

} // namespace terminor
