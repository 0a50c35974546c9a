#pragma once
// Runs terminor-cli as a child process and collects its exit code and output.

#include <array>
#include <cstdio>
#include <string>

#include <sys/wait.h>

namespace terminor::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
};

/// Runs terminor-cli with the arguments; `mergeStderr` adds standard error to the output.
inline CliRun RunCli(const std::string& args, bool mergeStderr = true) {
    CliRun r;
    const std::string cmd =
        std::string(TERMINOR_CLI_PATH) + " " + args + (mergeStderr ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) {
        r.out.append(buf.data(), n);
    }
    const int status = ::pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline const std::string& ExamplesDir() {
    static const std::string dir = std::string(TERMINOR_SOURCE_DIR) + "/examples/";
    return dir;
}

} // namespace terminor::test
