#pragma once
// TGame: one fixture with its date, the wish date it occupies and the reference copy of both
// used by the optimiser; TGameList: an owning or referencing list of games.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/DateTime.h"
#include "model/Types.h"

namespace terminor {

class TMannschaft;
class TWunschTermin;

class TGame {
public:
    TGame(TMannschaft* heim, TMannschaft* gast) : MannschaftHeim(heim), MannschaftGast(gast) {}

    TDateTime FDate = 0.0;
    TWunschterminOptions FDateOptions;
    int FDateMaxHome = 0;
    TWunschTermin* FWunschTermin = nullptr;
    bool FFixedDate = false;
    bool FNotNecessary = false;

    TDateTime FDateRef = 0.0;
    TWunschterminOptions FDateRefOptions;
    int FDateRefMaxHome = 0;
    TWunschTermin* FWunschTerminRef = nullptr;
    bool FNotNecessaryRef = false;

    TMannschaft* MannschaftHeim;
    TMannschaft* MannschaftGast;
    std::string OverrideLocation;

    /// The only way to change a game's date: clears the cost caches of both teams (and the
    /// sister-dependent terms of their sister teams) and keeps the wish date's back reference in step.
    void setDate(TDateTime date, TWunschterminOptions isKoppel, int maxHome, bool fixedDate,
                 bool notNecessary, TWunschTermin* wunschTermin);
    void setEmptyDate() { setDate(0.0, {}, 0, false, false, nullptr); }
    /// Back to the created state: no date, no options, not fixed, necessary, no override location,
    /// reference copy emptied. Releases the wish date when it still points back at this game (the
    /// wish date must still exist); leaves the teams' cost caches to the caller.
    void Reset();
    bool DateValid() const { return FDate != 0.0; }

    /// TPlan::GameIsValid as last computed, with the state it was computed for (see
    /// TPlan::GameIsValidCached).
    mutable std::uint64_t FValidStamp = 0;
    mutable std::uint32_t FValidEpoch = 0;
    mutable TDateTime FValidDate = 0.0;
    mutable bool FValidResult = false;
    /// The game's positions in the home and the guest team's gamesRef as of their last sort (-1:
    /// never); a position is only trusted after checking that the list holds the game there.
    int FPosHeim = -1;
    int FPosGast = -1;
    /// Same date and the same home and guest team ids.
    bool isTheSame(const TGame& game) const;
    std::string AsString() const;
    std::string GetLocation() const;

private:
    /// Tells both teams that the game moves from oldDate to newDate.
    void NoteDateChange(TDateTime oldDate, TDateTime newDate);
};

struct TGameComparer {
    /// By date, then by "home guest" team names (ordinal).
    static int Compare(const TGame& left, const TGame& right);
};

/// A list of games in a chosen order. An owning list (ownsObjects) frees its games; a
/// reference list only points at games owned elsewhere.
class TGameList {
public:
    explicit TGameList(bool ownsObjects = true) : FOwnsObjects(ownsObjects) {}
    TGameList(const TGameList&) = delete;
    TGameList& operator=(const TGameList&) = delete;

    bool OwnsObjects() const { return FOwnsObjects; }
    /// Appends a game the list takes over (owning lists only).
    TGame* Add(std::unique_ptr<TGame> game);
    /// Appends a reference (reference lists only).
    void AddRef(TGame* game);
    void Clear();
    std::size_t size() const { return FItems.size(); }
    bool empty() const { return FItems.empty(); }
    TGame* operator[](std::size_t i) const { return FItems[i]; }
    std::vector<TGame*>::const_iterator begin() const { return FItems.begin(); }
    std::vector<TGame*>::const_iterator end() const { return FItems.end(); }
    const std::vector<TGame*>& Items() const { return FItems; }
    void Reserve(std::size_t n);

    TGame* findSameGame(const TGame& game) const;
    /// Binary search in a date-sorted list: index of a game at `date`, else the insertion position.
    int getFirstGameRefIndexByDate(TDateTime date) const;
    /// Clears `result` (a reference list) and appends every game of this list.
    void GetRefListe(TGameList& result) const;
    /// Stable sort by TGameComparer (neighbour exchange).
    void SortByDate();
    /// Index of the game in the list, -1 when absent.
    int IndexOf(const TGame* game) const;

private:
    bool FOwnsObjects;
    std::vector<TGame*> FItems;
    std::vector<std::unique_ptr<TGame>> FOwned;
};

} // namespace terminor
