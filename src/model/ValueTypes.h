#pragma once
// Small value types of the schedule model: mandatory periods, away-coupling wishes, sister
// games, home rights, rounds, date lists and the data caches of plans and teams.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DateTime.h"
#include "model/Types.h"

namespace terminor {

class TMannschaft;
class TPlan;

/// A period in which every team must play at least GameCount games (0: the period was removed).
struct TPlanMandatoryTime {
    TDateTime DateFrom = 0.0;
    TDateTime DateTo = 0.0;
    int GameCount = 0;

    void Assign(const TPlanMandatoryTime& source) { *this = source; }
    bool IsTheSame(const TPlanMandatoryTime& value) const;
    std::string AsString() const;
};

struct TPlanMandatoryTimeComparer {
    static int Compare(const TPlanMandatoryTime& left, const TPlanMandatoryTime& right);
};

class TPlanMandatoryTimeList : public std::vector<TPlanMandatoryTime> {
public:
    /// Index of the last element with the same DateFrom and DateTo, or -1.
    int FindValueByDate(const TPlanMandatoryTime& value) const;
    void Assign(const TPlanMandatoryTimeList& source);
    /// Stable sort by TPlanMandatoryTimeComparer.
    void Sort();
};

/// A wish to play the away games at TeamA and TeamB on one trip.
struct TAuswaertsKoppel {
    std::string TeamA;
    std::string TeamB;
    TMannschaft* CachedMannschaftA = nullptr;
    TMannschaft* CachedMannschaftB = nullptr;
    TAuswaertsKoppelType Option = ktNone;

    std::string AsString() const;
    /// The team named TeamA (resolved once, then cached), or nullptr.
    TMannschaft* getMannschaftA(const TPlan& plan);
    TMannschaft* getMannschaftB(const TPlan& plan);
    /// Copies names and option, not the cached teams.
    void Assign(const TAuswaertsKoppel& source);
};

using TAuswaertsKoppelList = std::vector<TAuswaertsKoppel>;

/// A game of a sister team (same club, other division) that the plan has to respect.
struct TSisterGame {
    TDateTime Date = 0.0;
    std::string gender;
    int Number = 0;
    std::string teamName;
    bool IsHomeGame = false;
    std::string HomeMannschaftName;
    std::string GuestMannschaftName;
    std::string Location;
    bool PreventParallelGame = false;
    bool ForceParallelHomeGames = false;

    void Assign(const TSisterGame& source) { *this = source; }
};

struct TSisterGameComparer {
    static int Compare(const TSisterGame& left, const TSisterGame& right);
};

/// The sister games of one calendar day.
class TSisterGames : public std::vector<TSisterGame> {
public:
    /// The games sorted by date (stable).
    std::vector<const TSisterGame*> toSortedArray() const;
};

struct TSisterGamesComparer {
    static int Compare(const TSisterGames& left, const TSisterGames& right);
};

/// Sister games by day number.
class TMapSisterGames {
public:
    void Add(const TSisterGame& sisterGame);
    /// The games of the calendar day of `date`, or nullptr.
    const TSisterGames* get(TDateTime date) const;
    TSisterGames* get(TDateTime date);
    bool IsEmpty() const { return values.empty(); }
    void Clear() { values.clear(); }
    /// The day lists in day order.
    std::vector<TSisterGames*> toArray();
    std::vector<const TSisterGames*> toArray() const;
    std::vector<const TSisterGames*> toSortedArray() const;
    void Assign(const TMapSisterGames& source);

    std::map<int, TSisterGames> values;
};

struct THomeRight {
    std::string Team;
    THomeRightValue Option = hrNone;

    std::string AsString() const;
};

class THomeRightList : public std::vector<THomeRight> {
public:
    THomeRightValue getValueForTeam(std::string_view teamName) const;
};

/// The bounds of one round; DateTo is exclusive.
struct TRoundInfo {
    TDateTime DateFrom = 0.0;
    TDateTime DateTo = 0.0;

    bool DateInRound(TDateTime date) const { return DateFrom <= date && date < DateTo; }
};

/// A list of dates (blocked or fallback days), kept sorted by its owner.
class TDateList : public std::vector<TDateTime> {
public:
    void Assign(const TDateList& source) { *this = source; }
    void Sort();
    /// Whether the sorted list holds exactly this value (binary search).
    bool ContainsSorted(TDateTime value) const;
};

struct TAuswaertsKoppelCachedTeams {
    std::vector<std::string> TeamsOnDay;
    std::map<std::string, std::vector<std::string>> TeamIdToTeamId;

    void AddTeamIdToTeamId(const std::string& teamA, const std::string& teamB);
};

struct TMannschaftDataCache {
    TAuswaertsKoppelCachedTeams CachedAuswaertsKoppelTeams;
    /// "gender\nteam name" of every sister game that wants synchronous home games; sorted, unique.
    std::vector<std::string> CachedTeamsForForceHomeGames;
};

struct TPlanDataCache {
    bool Has60KilometerValues = false;
    int NumWunschDays = 0;
    bool HasAuswaertsKoppelTermine = false;
    bool HasKoppelTermine = false;
    bool HasAusweichTermine = false;
    bool HasMandatoryGameDays = false;
    bool HasForceSameHomeGames = false;
    /// Cache of getNumSollGames by "dayFrom dayTo".
    std::unordered_map<std::int64_t, double> sollGamesByDate;
    /// Team term weights W by team index and cost type.
    std::vector<std::array<double, 16>> TeamWeights;
    /// The free days as a table: FreeDays[day - FirstFreeDay] is 1 for a free day.
    int FirstFreeDay = 0;
    std::vector<std::uint8_t> FreeDays;
    /// Set when the free days span too many years for the table.
    bool FreeDaysInMap = false;
    /// Per round: the earliest and latest offered home date of any team that is no free day (0: none).
    std::array<TDateTime, 11> FirstPossibleDate{};
    std::array<TDateTime, 11> LastPossibleDate{};
};

} // namespace terminor
