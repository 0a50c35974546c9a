#pragma once
// TThreadFailure: the first error that ended a thread of a generation. Every thread of the tree
// reports into the optimiser's one instance; the user interface and the command line read it.
// Any thread may call it.

#include <exception>
#include <mutex>
#include <optional>
#include <string>

namespace terminor {

class TThreadFailure {
public:
    /// Keeps `text` unless an earlier error was reported.
    void Report(const std::string& text);
    /// Reports the exception being handled (call inside a catch block).
    void ReportCurrentException(const std::string& threadName);
    bool Failed() const;
    /// The German text of the first error, if any.
    std::optional<std::string> Text() const;

private:
    mutable std::mutex FMutex;
    std::optional<std::string> FText;
};

/// The German text for the exception being handled: a project error's own text, any other
/// error with the thread named.
std::string CurrentExceptionText(const std::string& threadName);

} // namespace terminor
