// The common frame of the sixteen team cost terms: reset of the entry, the plan-data flag
// shortcuts, the team's cost cache, the weight W and the dispatch to the term functions.

#include <array>

#include "data/Error.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

namespace terminor {

namespace {

/// Terms whose value may depend on the dates of sister teams in the same plan; a full computation
/// of the team reads their cached value only when the team has no such sister teams.
bool DependsOnSisterTeams(TMannschaftsKostenType type) {
    return type == mktHalleBelegt || type == mktSisterGames || type == mktForceSameHomeGames;
}

} // namespace

void TMannschaft::CalculateKosten(const TPlan& plan, TMannschaftsKosten& kosten, TMessageType withMessages) {
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        CalculateKostenForType(plan, type, kosten, withMessages);
    }
}

void TMannschaft::CalculateKostenForType(const TPlan& plan, TMannschaftsKostenType kostenType,
                                         TMannschaftsKosten& kosten, TMessageType withMessages) {
    // The term functions in the order of TMannschaftsKostenType.
    static constexpr std::array<KostenTermFunction, MannschaftsKostenTypeCount> Terms = {
        &TMannschaft::KostenHalleBelegt,
        &TMannschaft::KostenSisterGames,
        &TMannschaft::KostenForceSameHomeGames,
        &TMannschaft::KostenSperrTermine,
        &TMannschaft::KostenAusweichTermine,
        &TMannschaft::Kosten60Kilometer,
        &TMannschaft::KostenEngeTermine,
        &TMannschaft::Kosten2SpieleProWoche,
        &TMannschaft::KostenSpielverteilung,
        &TMannschaft::KostenKoppelTermine,
        &TMannschaft::KostenAuswaertsKoppelTermine,
        &TMannschaft::KostenZahlHeimSpielTermine,
        &TMannschaft::KostenWechselHeimAuswaerts,
        &TMannschaft::KostenAbstandHeimAuswaerts,
        &TMannschaft::KostenRanking,
        &TMannschaft::KostenMandatoryGames,
    };
    const auto index = static_cast<std::size_t>(kostenType);
    if (index >= Terms.size() || Terms[index] == nullptr) {
        throw TerminorError("Keine Berechnungsfunktion für Kostentyp");
    }

    kosten.ClearValues(kostenType);
    TKostenValue& value = kosten[kostenType];

    // Terms that only apply when the plan data contain the values they judge.
    switch (kostenType) {
    case mktAusweichTermine:
        if (!plan.HasAusweichTermine()) {
            return;
        }
        break;
    case mkt60Kilometer:
        if (!plan.Has60KilometerValues()) {
            return;
        }
        break;
    case mktKoppelTermine:
        if (!plan.HasKoppelTermine()) {
            return;
        }
        break;
    case mktAuswaertsKoppelTermine:
        if (!plan.HasAuswaertsKoppelTermine() || AuswaertsKoppel.empty()) {
            // This term reports its AllCount as 0 before any of its conditions is tested.
            value.AllCount = 0;
            return;
        }
        break;
    default:
        break;
    }

    const bool hasSisterTeams = !SisterTeamsInPlan.empty();
    TKostenValue& cached = KostenCache.Values[index];
    if (withMessages == tmNoMessage && cached.GesamtKosten != -1.0 &&
        !(hasSisterTeams && DependsOnSisterTeams(kostenType))) {
        value.GesamtKosten = cached.GesamtKosten;
        return;
    }

    const double w = plan.TeamTermWeight(*this, kostenType);
    std::vector<std::string>* messages = withMessages != tmNoMessage ? &kosten.Messages() : nullptr;
    if (!(this->*Terms[index])(plan, w, value, messages, withMessages)) {
        return;
    }

    // Stored for every team: a date change of a sister team's game empties the hall and
    // parallel-game entries of this team (TMannschaft::GamesChanged), so the entry stays right for
    // the plan's cost sums, which read it (TPlan::CalculateMannschaftsKosten).
    cached = value;
    KostenCache.Valid = true;
}

} // namespace terminor
