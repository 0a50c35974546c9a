#include "Types.h"

namespace terminor {

namespace {

template <typename E, std::size_t N>
std::string_view Lookup(const std::array<std::string_view, N>& texts, E value) {
    const auto i = static_cast<std::size_t>(value);
    return i < N ? texts[i] : std::string_view();
}

constexpr std::array<std::string_view, 10> WunschterminOptionTexts = {
    "Zwei Heimspiele an diesem Tag möglich",
    "Zwei Heimspiele an diesem Tag gewünscht",
    "Zwei Heimspiele an diesem Tag gewünscht (hohe Prio)",
    "Doppelspieltag möglich",
    "Doppelspieltag gewünscht",
    "Doppelspieltag gewünscht (hohe Prio)",
    "Zusatztermin für Koppeltermine",
    "Zusatztermin für Auswärtskoppeltermine",
    "Alternativzeit für Auswärtskoppeltermine vorhanden",
    "kein Koppeltermin/Doppelspieltag",
};

constexpr std::array<std::string_view, 4> AuswaertsKoppelTypeTexts = {
    "kein Koppeltermin", "am gleichen Tag", "mit Übernachtung", "am gleichen Tag oder mit Übernachten"};

constexpr std::array<std::string_view, 16> KostenTypeTexts = {
    "Hallenbelegung",  "parallele Spiele", "synchrone Heimsp.", "Sperrtermine",
    "Ausweichtermine", "60km Regel",       "3-Tage-Abstand",    "2-Spiele-die-Woche",
    "Spielverteilung", "Heimkoppel",       "Auswärtskoppel",    "Ungleich H/A",
    "Wechsel H/A",     "Abstand H/A",      "Setzliste",         "Pflichtspieltage"};

constexpr std::array<std::string_view, 16> KostenTypeNames = {"mktHalleBelegt",
                                                              "mktSisterGames",
                                                              "mktForceSameHomeGames",
                                                              "mktSperrTermine",
                                                              "mktAusweichTermine",
                                                              "mkt60Kilometer",
                                                              "mktEngeTermine",
                                                              "mkt2SpieleProWoche",
                                                              "mktSpielverteilung",
                                                              "mktKoppelTermine",
                                                              "mktAuswaertsKoppelTermine",
                                                              "mktZahlHeimSpielTermine",
                                                              "mktWechselHeimAuswaerts",
                                                              "mktAbstandHeimAuswaerts",
                                                              "mktRanking",
                                                              "mktMandatoryGames"};

constexpr std::array<std::string_view, 5> PlanKostenTypeTexts = {
    "Überlappung der Spieltage", "Länge der Spieltage", "Überlappung letzer Spieltag",
    "Länge letzer Spieltag", "Vereinsinterne Spiele am Anfang"};

constexpr std::array<std::string_view, 7> OptionsValueTexts = {
    "Nicht berücksichtigen", "sehr wenig", "wenig", "normal", "hoch", "sehr hoch", "extrem hoch"};

constexpr std::array<std::string_view, 7> OptionsValueNames = {
    "coIgnore", "coSehrWenig", "coWenig", "coNormal", "coHoch", "coSehrHoch", "coExtremHoch"};

constexpr std::array<double, 7> OptionsFactors = {0, 1, 10, 100, 1000, 10000, 100000};
constexpr std::array<int, 7> OptionsOffsets = {-1000, -2, -1, 0, 1, 2, 3};

constexpr std::array<std::string_view, 5> RoundPlaningNames = {"rpBoth", "rpHalfRound", "rpFirstOnly",
                                                               "rpSecondOnly", "rpCorona"};

constexpr std::array<std::string_view, 5> RoundPlaningTexts = {
    "Vor- und Rückrunde planen", "Halbrunde planen", "Nur Vorrunde planen", "Nur Rückrunde planen",
    "Coronarunde planen (Nur die nicht gemachten Spiele in der Rückrunde planen)"};

} // namespace

int TWunschterminOptions::KoppelLevel() const {
    if (Contains(woKoppelDoubleDatePossible)) {
        return 3;
    }
    if (Contains(woKoppelDoubleDateHard)) {
        return 5;
    }
    if (Contains(woKoppelDoubleDateSoft)) {
        return 4;
    }
    if (Contains(woKoppelSoft)) {
        return 1;
    }
    if (Contains(woKoppelPossible)) {
        return 0;
    }
    if (Contains(woKoppelHard)) {
        return 2;
    }
    return 9;
}

std::string_view WunschterminOptionText(TWunschterminOption option) {
    return Lookup(WunschterminOptionTexts, option);
}
std::string_view AuswaertsKoppelTypeText(TAuswaertsKoppelType type) {
    return Lookup(AuswaertsKoppelTypeTexts, type);
}
std::string_view MannschaftsKostenTypeText(TMannschaftsKostenType type) {
    return Lookup(KostenTypeTexts, type);
}
std::string_view MannschaftsKostenTypeName(TMannschaftsKostenType type) {
    return Lookup(KostenTypeNames, type);
}
std::string_view PlanKostenTypeText(TPlanKostenType type) {
    return Lookup(PlanKostenTypeTexts, type);
}
std::string_view CalculateOptionsValueText(TCalculateOptionsValues value) {
    return Lookup(OptionsValueTexts, value);
}
std::string_view CalculateOptionsValueName(TCalculateOptionsValues value) {
    return Lookup(OptionsValueNames, value);
}
double CalculateOptionsFactor(TCalculateOptionsValues value) {
    const auto i = static_cast<std::size_t>(value);
    return i < OptionsFactors.size() ? OptionsFactors[i] : 0.0;
}
int CalculateOptionsDisplayOffset(TCalculateOptionsValues value) {
    const auto i = static_cast<std::size_t>(value);
    return i < OptionsOffsets.size() ? OptionsOffsets[i] : 0;
}
std::string_view RoundPlaningName(TRoundPlaning value) {
    return Lookup(RoundPlaningNames, value);
}
std::string_view RoundPlaningText(TRoundPlaning value) {
    return Lookup(RoundPlaningTexts, value);
}

} // namespace terminor
