#pragma once
// The steps of the first start after a click-TT export was opened for the first time: which
// steps apply to a plan, the order in which they follow each other, and their texts. Plain code
// without Qt; any thread.

#include <optional>
#include <vector>

namespace terminor {

class TPlan;

/// The steps in their order.
enum TMessages { tmLocations, tmKoppel, tmAuswaertskoppel, tmSetzliste, tmMandatoryDays };

/// What of the plan decides which steps apply.
struct TFirstStartFacts {
    /// Coupling wishes or wish dates on consecutive days (`TPlan::HasPossibleKoppelTermine`).
    bool HasPossibleKoppelTermine = false;
    bool HasAuswaertsKoppelTermine = false;
    bool HasMandatoryGameDays = false;
};
TFirstStartFacts FirstStartFactsOf(const TPlan& plan);

/// Whether the step is offered for a plan with these facts; "Spiellokale" and "Setzliste" always.
bool FirstStartStepApplies(TMessages step, const TFirstStartFacts& facts);
/// The step after `step` that applies, or none after the last one.
std::optional<TMessages> NextFirstStartStep(TMessages step, const TFirstStartFacts& facts);
/// Every step that applies, in order.
std::vector<TMessages> FirstStartSteps(const TFirstStartFacts& facts);

/// The texts of a step: the heading, the caption of its OK button and the message (UTF-8, lines
/// separated by '\n').
struct TFirstStartTexts {
    const char* Header;
    const char* OkCaption;
    const char* Message;
};
const TFirstStartTexts& FirstStartTexts(TMessages step);

} // namespace terminor
