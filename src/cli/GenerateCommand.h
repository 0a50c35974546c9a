#pragma once
// terminor-cli generate and profile: the optimisation run without a user interface.

#include <cstdint>
#include <optional>
#include <string>

namespace terminor::cli {

/// The length of a generation given neither --seconds nor --steps.
inline constexpr double DefaultGenerateSeconds = 60;
/// Each main thread runs 24 workers; more than this only costs memory.
inline constexpr int MaxMainThreads = 16;

struct GenerateArgs {
    std::string input;
    std::string options;
    std::string schedule;
    std::optional<double> seconds;
    std::optional<std::int64_t> steps;
    std::optional<std::uint64_t> seed;
    int mainThreads = 4;
    bool noSpecialThread = false;
    std::string singleWorker;
    std::string output;
    std::string csv;
    bool json = false;
    bool quiet = false;
    bool wide = false;
};

int RunGenerate(const GenerateArgs& args);

struct ProfileArgs {
    std::string input;
    std::string options;
    std::string schedule;
    int calls = 10001;
    std::optional<std::uint64_t> seed;
};

int RunProfile(const ProfileArgs& args);

} // namespace terminor::cli
