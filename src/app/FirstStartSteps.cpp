// The first start's steps and their texts.

#include "app/FirstStartSteps.h"

#include "model/Plan.h"

namespace terminor {

TFirstStartFacts FirstStartFactsOf(const TPlan& plan) {
    TFirstStartFacts facts;
    facts.HasPossibleKoppelTermine = plan.HasPossibleKoppelTermine();
    facts.HasAuswaertsKoppelTermine = plan.HasAuswaertsKoppelTermine();
    facts.HasMandatoryGameDays = plan.HasMandatoryGameDays();
    return facts;
}

bool FirstStartStepApplies(TMessages step, const TFirstStartFacts& facts) {
    switch (step) {
    case tmLocations:
    case tmSetzliste:
        return true;
    case tmKoppel:
        return facts.HasPossibleKoppelTermine;
    case tmAuswaertskoppel:
        return facts.HasAuswaertsKoppelTermine;
    case tmMandatoryDays:
        return facts.HasMandatoryGameDays;
    }
    return false;
}

std::optional<TMessages> NextFirstStartStep(TMessages step, const TFirstStartFacts& facts) {
    for (int next = step + 1; next <= tmMandatoryDays; ++next) {
        if (FirstStartStepApplies(static_cast<TMessages>(next), facts)) {
            return static_cast<TMessages>(next);
        }
    }
    return std::nullopt;
}

std::vector<TMessages> FirstStartSteps(const TFirstStartFacts& facts) {
    std::vector<TMessages> steps{tmLocations};
    for (auto next = NextFirstStartStep(tmLocations, facts); next; next = NextFirstStartStep(*next, facts)) {
        steps.push_back(*next);
    }
    return steps;
}

const TFirstStartTexts& FirstStartTexts(TMessages step) {
    static const TFirstStartTexts texts[] = {
        {"Spiellokale", "Spiellokale bearbeiten",
         "Die Spiellokale werden von Click-TT über die Schnittstelle nicht übertragen.\n\n"
         "Falls Sie Vereine mit mehreren Spiellokalen in Ihrer Runde haben, so müssen die Spiellokale bei "
         "den Mannschaften und Nachbarmannschaften angegeben werden, sonst liefert die Berechnung der "
         "Hallenbelegung fehlerhafte Ergebnisse.\n\n"
         "Falls alle Vereine nur ein Spiellokal haben, so kann dieser Punkt übersprungen werden.\n"
         "Falls die Vereine keine Beschränkung bei der Anzahl der Heimspiele angegeben haben, so kann der "
         "Punkt ebenfalls übersprungen werden."},
        {"Koppeltermine", "Koppeltermine bearbeiten",
         "Der Plan enthält Koppelwünsche oder mögliche Doppelspieltage.\n\n"
         "Alle möglichen Optionen können in Click-TT nicht eingegeben werden und die Mannschaften machen "
         "hier auch gerne mal Eingabefehler.\n\n"
         "Bitte überprüfen Sie die Eingaben der Mannschaften."},
        {"Auswärtskoppelwünsche", "Auswärtskoppelwünsche bearbeiten",
         "Der Plan enthält Auswärtskoppelwünsche.\n\n"
         "Alle möglichen Optionen können in Click-TT nicht eingegeben werden und die Mannschaften machen "
         "hier auch gerne mal Eingabefehler.\n\n"
         "Bitte überprüfen Sie die Eingaben der Mannschaften."},
        {"Setzliste", "Setzliste aktivieren",
         "Mit der Setzliste können Sie die erwartete Tabelle am Ende der Saison vorgeben.\n\n"
         "Das Ziel ist, dass am Ende der Saison die stärksten und schwächsten Mannschaften gegeneinander "
         "spielen sollen. Damit soll verhindert werden, dass in den wichtigen Spielen um den Auf- und "
         "Abstieg "
         "Mannschaften beteiligt sind, bei denen es um nichts mehr geht.\n\n"
         "Mit der Setzliste soll die Spannung bis zum Schluss erhalten bleiben und, falls es so etwas "
         "überhaupt geben sollte, Mauscheleien verhindert werden."},
        {"Pflichtspieltage", "Pflichtspieltage bearbeiten",
         "Der Plan enthält Pflichtspieltage.\n\n"
         "Pflichtspieltage sind vor allem bei Ligen mit ungerader Mannschaftszahl problematisch. In diesem "
         "Fall müsste eine Mannschaft in einer Woche zwei Spiele machen. Um das zu verhindern sollte der "
         "Zeitraums des Pflichtspiels verlängert werden oder am Besten die Pflichtspieltage gelöscht werden "
         "und stattdessen sollte der letzte Spieltag optimiert werden.\n\n"
         "Bitte Bearbeiten Sie die Pflichtspieltage."},
    };
    return texts[step];
}

} // namespace terminor
