#pragma once
// The progress line of a generation on standard error: updated in place on a terminal, one line
// every 5 seconds otherwise, none with --quiet.

#include <cstdint>
#include <optional>
#include <string>

#include "model/Plan.h"

namespace terminor::cli {

/// The state of a run as the progress line shows it.
struct ProgressState {
    std::int64_t elapsedMs = 0;
    std::int64_t steps = 0;
    double stepsPerSecond = 0;
    /// The best cost so far, or -1 while there is none.
    double bestCost = -1;
    THardErrorCounts hardErrors;
};

/// "00:12 / 01:00 · 1.358.706 Pläne (71.039/s) · beste Kosten 95.497 · 0 harte Fehler"; with a
/// step limit instead of a duration the steps show their total; undated games are added when there are any.
std::string ProgressText(const ProgressState& state, std::optional<double> totalSeconds,
                         std::optional<std::int64_t> totalSteps);

class TProgressLine {
public:
    TProgressLine(bool quiet, std::optional<double> totalSeconds, std::optional<std::int64_t> totalSteps);

    /// Whether a line is due at `elapsedMs`.
    bool Due(std::int64_t elapsedMs) const;
    void Show(const ProgressState& state);
    /// The last line of the run; on a terminal it ends the line that was updated in place.
    void Finish(const ProgressState& state);

private:
    bool FQuiet;
    bool FTerminal;
    std::optional<double> FTotalSeconds;
    std::optional<std::int64_t> FTotalSteps;
    std::int64_t FNextMs;
};

} // namespace terminor::cli
