#pragma once
// TMannschaft: one team of a plan with its wishes, blocked and fallback days, sister games and
// references to its games; answers availability, hall, parallel-game and coupling queries.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/DateTime.h"
#include "model/Game.h"
#include "model/Kosten.h"
#include "model/ValueTypes.h"
#include "model/WunschTermin.h"

namespace terminor {

class TDataObject;
class TPlan;
class TPlanData;
class TMannschaftList;

class TMannschaft {
public:
    explicit TMannschaft(int index);
    ~TMannschaft();
    TMannschaft(const TMannschaft&) = delete;
    TMannschaft& operator=(const TMannschaft&) = delete;

    std::string teamName;
    std::string clubID;
    std::string teamId;
    int teamNumber = 0;
    std::string DefaultLocation;
    TMapSisterGames sisterGames;
    std::vector<std::string> noWeekGame;
    TDateList SperrTermine;
    TDateList AusweichTermine;
    TWunschTerminList WunschTermine;
    TAuswaertsKoppelList AuswaertsKoppel;
    int HomeRightCountRoundOne = -1;
    THomeRightList HomeRights;
    /// The other teams of the plan with the same club id (not owned).
    std::vector<TMannschaft*> SisterTeamsInPlan;
    /// All games of the team, home and away, in date order (not owned).
    TGameList gamesRef{false};
    int Index = 0;
    TKostenCache KostenCache;
    TKostenCache KostenCacheRef;

    /// Copies the team's data (not gamesRef, not SisterTeamsInPlan) and clears the caches.
    void Assign(const TMannschaft& source);
    /// Empties both cost caches and drops the data cache.
    void ClearCache();
    /// Empties KostenCache only.
    void ClearKostenCache() { KostenCache.Clear(); }
    /// A game of this team changed its date or lost it: the team's cost cache is emptied, gamesRef
    /// may be out of order, and the hall and parallel-game terms of its sister teams in the plan,
    /// which look at this team's games, are emptied too.
    void GamesChanged();
    /// Sorts gamesRef by date.
    void SortGamesRef();
    /// Sorts gamesRef only when a game moved since the last sort; a list none of whose games moved
    /// is still in date order, and sorting it would change nothing.
    void SortGamesRefIfMoved() {
        if (FGamesMoved) {
            SortGamesRef();
        }
    }
    bool GamesMoved() const { return FGamesMoved; }

    /// Day numbers fall into DaySlots slots (day mod DaySlots); the slots index the team's games by
    /// day for the placement test and the validity cache of the plan.
    static constexpr int DaySlots = 256;
    static constexpr int MaxOpponents = 32;
    /// A game of this team went from `oldDate` to `newDate` (0: no date) against `opponent`, this team
    /// at home when `home`: updates the slot counts and raises the change counters.
    void NoteGameDate(const TGame& game, TDateTime oldDate, TDateTime newDate, const TMannschaft& opponent,
                      bool home);
    /// Recounts the dated games per slot from gamesRef (after the list was rebuilt).
    void RecountDaySlots();
    /// False only when no dated game of the team lies on that day.
    bool MayHaveGameOnDay(int day) const { return FSlotGames[DaySlot(day)] != 0; }
    /// False only when no dated game of the team lies on that day or the days before and after it,
    /// which hold every game less than a day from a date of that day.
    bool MayHaveGameNear(int day) const {
        return MayHaveGameOnDay(day - 1) || MayHaveGameOnDay(day) || MayHaveGameOnDay(day + 1);
    }
    /// The number of dated games counted in the slot of that day.
    int SlotGameCount(int day) const { return FSlotGames[DaySlot(day)]; }
    /// The only game of the slot of that day, when the slot holds one game of gamesRef; else nullptr.
    const TGame* OnlySlotGame(int day) const {
        const std::size_t slot = DaySlot(day);
        return FSlotGames[slot] == 1 ? FSlotGame[slot] : nullptr;
    }
    /// Raised by every date change of a game of the team into or out of a day of that slot.
    std::uint32_t DayVersion(int day) const { return FSlotVersion[DaySlot(day)]; }
    /// Raised by every date change of a home game of the team against `guest`.
    std::uint32_t HomePairingVersion(const TMannschaft& guest) const {
        return FHomePairingVersion[OpponentSlot(guest)];
    }

    /// Reads the team from its `team` node of the plan data.
    void load(const TDataObject& data, const TPlan& plan, const TPlanData& planData);

    /// The data cache, built on first use.
    const TMannschaftDataCache& getCache(const TPlan& plan);

    /// Whether this team can take the game HeimMannschaft - GastMannschaft on the wish date.
    bool IsTerminFree(const TWunschTermin& termin, const TPlan& plan, const TMannschaft* heimMannschaft,
                      const TMannschaft* gastMannschaft, const TGame* ignoreGame,
                      bool allSecondTimeGamesAreValid) const;
    bool isAusWeichTermin(TDateTime date) const;
    /// Number of valid games with fromDate <= date <= toDate.
    int getGameCount(TDateTime fromDate, TDateTime toDate) const;

    void GetHallenBelegung(TDateTime date, const std::string& location, const TPlan& plan, int& belegungNum,
                           std::string& belegungString, bool fillBelegungString, bool ignoreThisPlan) const;
    void GetParallelGames(TDateTime date, const TPlan& plan, int& numGames, std::string& messageString,
                          bool fillMessageString, bool ignoreThisPlan) const;

    /// The partner of the game at that position of gamesRef in a coupled pair, or nullptr.
    TGame* getKoppeledGame(int indexInRefGames) const;
    TGame* getKoppeledGame(const TGame* game) const;
    /// The forward partner (game i+1) of position i, or nullptr.
    TGame* getForwardKoppeledGame(int indexInRefGames) const;
    /// The backward partner (game i-1) of position i, or nullptr.
    TGame* getBackwardKoppeledGame(int indexInRefGames) const;
    bool InternIsKoppeledGames(const TGame& game1, const TGame& game2) const;
    /// Whether the game at position i of gamesRef starts a coupled pair with the next one (the answer
    /// of getForwardKoppeledGame), from a table built once per state of the list: the cost terms ask
    /// it for most positions, and a pair chain is walked once instead of once per question.
    bool StartsPair(int i) const;
    /// Whether the game at position i ends a coupled pair (getBackwardKoppeledGame).
    bool EndsPair(int i) const { return i > 0 && StartsPair(i - 1); }
    bool IsAuswaertsKoppeledGames(const TGame& game1, const TGame& game2) const;
    /// The away-coupling rule for two away dates at the two home teams.
    bool IsAuswaertsKoppelMatch(TDateTime date1, const std::string& home1, TDateTime date2,
                                const std::string& home2) const;

    bool IsMannschaftInAuswaertsKoppelWunschAtOneDay(const TPlan& plan, const TMannschaft& mannschaftHeim);
    /// Games that depend on a game of this team at MannschaftHeim through away-coupling wishes.
    void CreateAuswaertsKoppeledGamesDependenciesList(const TPlan& plan, const TMannschaft& mannschaftHeim,
                                                      std::vector<TGame*>& result);

    // Team cost terms.
    /// All sixteen terms in type order into `kosten`.
    void CalculateKosten(const TPlan& plan, TMannschaftsKosten& kosten, TMessageType withMessages);
    /// One term into kosten[kostenType]; messages go to kosten.Messages() unless tmNoMessage.
    /// Throws TerminorError ("Keine Berechnungsfunktion für Kostentyp") for an unknown type.
    void CalculateKostenForType(const TPlan& plan, TMannschaftsKostenType kostenType,
                                TMannschaftsKosten& kosten, TMessageType withMessages);
    /// Per game of gamesRef: |position of this team - position of the opponent| in the seeding list, 0 when
    /// either is not listed.
    void getRankingDiffs(const TPlan& plan, std::vector<int>& resultValues) const;

    // Hard-error lists.
    /// Dates of dated games in generated rounds whose whole day is a blocked day of this team.
    void getSperrTerminViolations(const TPlan& plan, std::vector<TDateTime>& dates) const;
    /// Away games that break the 60 km rule.
    void get60KmViolations(const TPlan& plan, std::vector<const TGame*>& games) const;

    /// Plan-data diagnostics for this team (German lines).
    void getTermineNotPossible(const TPlan& plan, std::vector<std::string>& messageList) const;
    /// "ddd dd.mm.yyyy - ddd dd.mm.yyyy" for consecutive games at most two days apart that are no pair.
    void getCloseGames(const TPlan& plan, std::vector<std::string>& lines) const;

private:
    /// One term's computation: fills value (Anzahl, AllCount, GesamtKosten = final weighted cost with
    /// the weight w already applied as specified for the term) and appends messages when `messages` is
    /// given. Returns false when the term was not computed (its condition failed) and must not be cached.
    using KostenTermFunction = bool (TMannschaft::*)(const TPlan& plan, double w, TKostenValue& value,
                                                     std::vector<std::string>* messages,
                                                     TMessageType withMessages);
    bool KostenHalleBelegt(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenSisterGames(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenForceSameHomeGames(const TPlan&, double, TKostenValue&, std::vector<std::string>*,
                                  TMessageType);
    bool KostenSperrTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenAusweichTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool Kosten60Kilometer(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenEngeTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool Kosten2SpieleProWoche(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenSpielverteilung(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenKoppelTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenAuswaertsKoppelTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*,
                                      TMessageType);
    bool KostenZahlHeimSpielTermine(const TPlan&, double, TKostenValue&, std::vector<std::string>*,
                                    TMessageType);
    bool KostenWechselHeimAuswaerts(const TPlan&, double, TKostenValue&, std::vector<std::string>*,
                                    TMessageType);
    bool KostenAbstandHeimAuswaerts(const TPlan&, double, TKostenValue&, std::vector<std::string>*,
                                    TMessageType);
    bool KostenRanking(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);
    bool KostenMandatoryGames(const TPlan&, double, TKostenValue&, std::vector<std::string>*, TMessageType);

    /// Scratch values of the distribution term; keeps its capacity so that evaluations do not allocate.
    std::vector<double> FScratchValues;

    void BuildPairTable() const;
    /// InternIsKoppeledGames for two games at most a day apart.
    bool KoppeledWithinADay(const TGame& game1, const TGame& game2) const;
    /// Per position: 1 when the game starts a pair; empty while the table is out of date.
    mutable std::vector<std::uint8_t> FStartsPair;
    mutable bool FPairTableValid = false;

    void loadGameDays(const TPlan& plan, const TDataObject& data);
    void loadHomeGame(const TDataObject& teamNode, const TDataObject& data);
    void loadNoGame(const TDataObject& data);

    std::unique_ptr<TMannschaftDataCache> DataCache;
    /// Set by every date change of a game of the team, cleared by sorting gamesRef.
    bool FGamesMoved = true;
    static std::size_t DaySlot(int day) { return static_cast<unsigned>(day) % DaySlots; }
    static std::size_t OpponentSlot(const TMannschaft& team) {
        return static_cast<unsigned>(team.Index) % MaxOpponents;
    }
    std::array<std::int16_t, DaySlots> FSlotGames{};
    /// Per slot holding one game: that game when it is known to be in gamesRef, else nullptr.
    std::array<const TGame*, DaySlots> FSlotGame{};
    /// Whether the game is at its recorded position of gamesRef.
    bool AtRecordedPosition(const TGame& game) const;
    std::array<std::uint32_t, DaySlots> FSlotVersion{};
    std::array<std::uint32_t, MaxOpponents> FHomePairingVersion{};
};

/// A list of teams; an owning list (the plan's) or a reference list.
class TMannschaftList {
public:
    TMannschaftList() = default;
    TMannschaftList(const TMannschaftList&) = delete;
    TMannschaftList& operator=(const TMannschaftList&) = delete;

    TMannschaft& Add(std::unique_ptr<TMannschaft> team);
    void Clear() { FItems.clear(); }
    std::size_t size() const { return FItems.size(); }
    bool empty() const { return FItems.empty(); }
    TMannschaft* operator[](std::size_t i) const { return FItems[i].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

    TMannschaft* FindByName(std::string_view name) const;
    TMannschaft* FindByTeamId(std::string_view teamId) const;
    /// Sorts by teamName (ordinal) and renumbers every Index to the new position.
    void Sort();
    /// Replaces the list by copies of the source's teams.
    void Assign(const TMannschaftList& source);

private:
    std::vector<std::unique_ptr<TMannschaft>> FItems;
};

} // namespace terminor
