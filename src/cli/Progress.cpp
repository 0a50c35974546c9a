#include "Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include <unistd.h>

#include "Output.h"
#include "data/PlanUtils.h"

namespace terminor::cli {

namespace {

/// "mm:ss", or "h:mm:ss" from one hour on.
std::string ClockText(std::int64_t ms) {
    const std::int64_t seconds = ms / 1000;
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

/// FormatInteger without the blanks it pads short numbers with.
std::string NumberText(std::int64_t n) {
    const std::string text = FormatInteger(n);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

std::int64_t IntervalMs(bool terminal) {
    return terminal ? 1000 : 5000;
}

} // namespace

std::string ProgressText(const ProgressState& state, std::optional<double> totalSeconds,
                         std::optional<std::int64_t> totalSteps) {
    std::string text = ClockText(state.elapsedMs);
    if (totalSeconds) {
        text += " / " + ClockText(static_cast<std::int64_t>(std::ceil(*totalSeconds)) * 1000);
    }
    text += " · " + NumberText(state.steps);
    if (totalSteps) {
        text += " / " + NumberText(*totalSteps);
    }
    text += " Pläne (" + NumberText(static_cast<std::int64_t>(state.stepsPerSecond)) + "/s)";
    if (state.bestCost >= 0) {
        text += " · beste Kosten " + FormatLargeValue(state.bestCost) + " · " +
                HardErrorsText(state.hardErrors.Others());
        if (state.hardErrors.unscheduled > 0) {
            text += " · " + UndatedText(state.hardErrors.unscheduled);
        }
    }
    return text;
}

TProgressLine::TProgressLine(bool quiet, std::optional<double> totalSeconds,
                             std::optional<std::int64_t> totalSteps)
    : FQuiet(quiet), FTerminal(::isatty(STDERR_FILENO) == 1), FTotalSeconds(totalSeconds),
      FTotalSteps(totalSteps), FNextMs(IntervalMs(FTerminal)) {}

bool TProgressLine::Due(std::int64_t elapsedMs) const {
    return !FQuiet && elapsedMs >= FNextMs;
}

void TProgressLine::Show(const ProgressState& state) {
    if (FQuiet) {
        return;
    }
    FNextMs = state.elapsedMs + IntervalMs(FTerminal);
    const std::string text = ProgressText(state, FTotalSeconds, FTotalSteps);
    // On a terminal the line is rewritten from its start and the rest of the old one is cleared.
    std::cerr << (FTerminal ? "\r" + text + "\x1b[K" : text + "\n") << std::flush;
}

void TProgressLine::Finish(const ProgressState& state) {
    if (FQuiet) {
        return;
    }
    Show(state);
    if (FTerminal) {
        std::cerr << "\n";
    }
}

} // namespace terminor::cli
