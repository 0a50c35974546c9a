#pragma once
// The enumerations of the schedule model with their value names and German display texts.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace terminor {

enum class TWunschterminOption : std::uint8_t {
    woKoppelPossible,
    woKoppelSoft,
    woKoppelHard,
    woKoppelDoubleDatePossible,
    woKoppelDoubleDateSoft,
    woKoppelDoubleDateHard,
    woKoppelSecondTime,
    woAuswaertsKoppelSecondTime,
    woAuswaertsKoppelHasSecondTime,
    woKoppelNothing,
};
using enum TWunschterminOption;

/// A set of TWunschterminOption values.
class TWunschterminOptions {
public:
    constexpr TWunschterminOptions() = default;
    constexpr TWunschterminOptions(std::initializer_list<TWunschterminOption> options) {
        for (TWunschterminOption o : options) {
            FBits |= Bit(o);
        }
    }
    constexpr bool Contains(TWunschterminOption o) const { return (FBits & Bit(o)) != 0; }
    constexpr bool ContainsAny(TWunschterminOptions other) const { return (FBits & other.FBits) != 0; }
    constexpr void Include(TWunschterminOption o) { FBits |= Bit(o); }
    constexpr void Exclude(TWunschterminOption o) { FBits &= static_cast<std::uint16_t>(~Bit(o)); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint16_t Bits() const { return FBits; }
    friend constexpr bool operator==(TWunschterminOptions, TWunschterminOptions) = default;

    /// Any of the six home coupling options (same day or double date).
    constexpr bool IsKoppelDate() const { return ContainsAny(KoppelOptions()); }
    /// A same-day coupling option: woKoppelPossible, woKoppelSoft or woKoppelHard.
    constexpr bool IsSameDayKoppel() const {
        return ContainsAny({woKoppelPossible, woKoppelSoft, woKoppelHard});
    }
    constexpr bool IsHard() const { return ContainsAny({woKoppelHard, woKoppelDoubleDateHard}); }
    constexpr bool IsSoft() const { return ContainsAny({woKoppelSoft, woKoppelDoubleDateSoft}); }
    constexpr bool IsPossible() const { return ContainsAny({woKoppelPossible, woKoppelDoubleDatePossible}); }
    /// The marker level of the views: 3, 5, 4, 1, 0, 2 or 9 (see KoppelLevel).
    int KoppelLevel() const;

    static constexpr TWunschterminOptions KoppelOptions() {
        return {woKoppelPossible,           woKoppelSoft,           woKoppelHard,
                woKoppelDoubleDatePossible, woKoppelDoubleDateSoft, woKoppelDoubleDateHard};
    }

private:
    static constexpr std::uint16_t Bit(TWunschterminOption o) {
        return static_cast<std::uint16_t>(1u << static_cast<unsigned>(o));
    }
    std::uint16_t FBits = 0;
};

std::string_view WunschterminOptionText(TWunschterminOption option);

enum class TAuswaertsKoppelType : std::uint8_t { ktNone, ktSameDay, ktDiffDay, ktAllDay };
using enum TAuswaertsKoppelType;
std::string_view AuswaertsKoppelTypeText(TAuswaertsKoppelType type);

enum class THomeRightValue : std::uint8_t { hrNone, hrRound1, hrRound2 };
using enum THomeRightValue;

enum class TMessageType : std::uint8_t { tmNoMessage, tmNormalMessage, tmDetailMessage };
using enum TMessageType;

enum class TMannschaftsKostenType : std::uint8_t {
    mktHalleBelegt,
    mktSisterGames,
    mktForceSameHomeGames,
    mktSperrTermine,
    mktAusweichTermine,
    mkt60Kilometer,
    mktEngeTermine,
    mkt2SpieleProWoche,
    mktSpielverteilung,
    mktKoppelTermine,
    mktAuswaertsKoppelTermine,
    mktZahlHeimSpielTermine,
    mktWechselHeimAuswaerts,
    mktAbstandHeimAuswaerts,
    mktRanking,
    mktMandatoryGames,
};
using enum TMannschaftsKostenType;
inline constexpr int MannschaftsKostenTypeCount = 16;
inline constexpr std::array<TMannschaftsKostenType, 16> AllMannschaftsKostenTypes = {
    mktHalleBelegt,
    mktSisterGames,
    mktForceSameHomeGames,
    mktSperrTermine,
    mktAusweichTermine,
    mkt60Kilometer,
    mktEngeTermine,
    mkt2SpieleProWoche,
    mktSpielverteilung,
    mktKoppelTermine,
    mktAuswaertsKoppelTermine,
    mktZahlHeimSpielTermine,
    mktWechselHeimAuswaerts,
    mktAbstandHeimAuswaerts,
    mktRanking,
    mktMandatoryGames};
/// The column head / option label of a team cost type ("Hallenbelegung", ...).
std::string_view MannschaftsKostenTypeText(TMannschaftsKostenType type);
/// The value name ("mktHalleBelegt", ...), used in the options file.
std::string_view MannschaftsKostenTypeName(TMannschaftsKostenType type);

enum class TPlanKostenType : std::uint8_t {
    pktGameDayOverlap,
    pktGameDayLength,
    pktLastGameDayOverlap,
    pktLastGameDayLength,
    pktSisterGamesAtBegin,
};
using enum TPlanKostenType;
inline constexpr int PlanKostenTypeCount = 5;
std::string_view PlanKostenTypeText(TPlanKostenType type);

enum class TCalculateOptionsValues : std::uint8_t {
    coIgnore,
    coSehrWenig,
    coWenig,
    coNormal,
    coHoch,
    coSehrHoch,
    coExtremHoch,
};
using enum TCalculateOptionsValues;
inline constexpr int CalculateOptionsValuesCount = 7;
std::string_view CalculateOptionsValueText(TCalculateOptionsValues value);
std::string_view CalculateOptionsValueName(TCalculateOptionsValues value);
/// The factor F of a weight: 0, 1, 10, 100, 1000, 10000, 100000.
double CalculateOptionsFactor(TCalculateOptionsValues value);
/// The display offset of a weight: -1000, -2, -1, 0, 1, 2, 3.
int CalculateOptionsDisplayOffset(TCalculateOptionsValues value);

enum class TRoundPlaning : std::uint8_t { rpBoth, rpHalfRound, rpFirstOnly, rpSecondOnly, rpCorona };
using enum TRoundPlaning;
std::string_view RoundPlaningName(TRoundPlaning value);
/// The display text of the options dialog's list, e.g. "Vor- und Rückrunde planen".
std::string_view RoundPlaningText(TRoundPlaning value);

using TMannschaftsKostenArray = std::array<TCalculateOptionsValues, 16>;

constexpr int Ord(TMannschaftsKostenType t) {
    return static_cast<int>(t);
}

} // namespace terminor
