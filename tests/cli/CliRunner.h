#pragma once
// Runs terminor-cli as a child process and collects its exit code and output.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace terminor::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    /// Standard error, when RunCliSplit collected it apart.
    std::string err;
};

/// Runs a shell command line and collects its standard output and exit code.
inline CliRun RunShell(const std::string& cmd) {
    CliRun r;
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

inline std::string CliPath() {
    return TERMINOR_CLI_PATH;
}

/// Runs terminor-cli with the arguments; `mergeStderr` adds standard error to the output.
inline CliRun RunCli(const std::string& args, bool mergeStderr = true) {
    return RunShell(CliPath() + " " + args + (mergeStderr ? " 2>&1" : " 2>/dev/null"));
}

/// Runs terminor-cli with standard output and standard error apart.
inline CliRun RunCliSplit(const std::string& args) {
    char name[] = "/tmp/terminor-cli-stderr-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) {
        ::close(fd);
    }
    CliRun r = RunShell(CliPath() + " " + args + " 2>" + name);
    std::ifstream in(name, std::ios::binary);
    r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(name);
    return r;
}

inline const std::string& ExamplesDir() {
    static const std::string dir = std::string(TERMINOR_SOURCE_DIR) + "/examples/";
    return dir;
}

} // namespace terminor::test
