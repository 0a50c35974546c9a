#pragma once
// Games fixed to their date: the plan data's predefined games ("Manuell festgelegte Begegnungen"),
// which every search keeps where they are. Locking a game in the plan view and the data page edit
// the same `game` elements under `predefinedgames`. Any thread, on its own plan data.

#include <string>
#include <vector>

#include "data/DateTime.h"

namespace terminor {

class TPlanData;

/// One fixed game: kick-off, the two team names and the hall (empty: the home team's hall).
struct TPredefinedGame {
    TDateTime DateTime = 0.0;
    std::string Home;
    std::string Guest;
    std::string Location;
};

/// Adds the game home - guest on `dateTime` (with its location; empty: the home team's hall) to the
/// predefined games, or updates the location of that entry. Returns whether the data changed.
bool LockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime,
              const std::string& location);
/// Removes that predefined game; returns whether there was one.
bool UnlockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime);
bool IsGameLocked(const TPlanData& planData, const std::string& home, const std::string& guest,
                  TDateTime dateTime);

/// The predefined games in document order.
std::vector<TPredefinedGame> GetPredefinedGames(const TPlanData& planData);
/// Position among GetPredefinedGames of the game home - guest at `dateTime` (to the minute), or -1.
int FindPredefinedGame(const TPlanData& planData, const std::string& home, const std::string& guest,
                       TDateTime dateTime);
/// Writes `game` over the game at `index`, or appends it when `index` is -1 (creating
/// `predefinedgames` when missing). Throws TerminorError "Diese Begegnung ist bereits festgelegt."
/// when another game has the same date, time, home and guest team, and leaves the data unchanged.
void StorePredefinedGame(TPlanData& planData, int index, const TPredefinedGame& game);
/// Removes the game at that position; the emptied `predefinedgames` element goes as well.
void RemovePredefinedGame(TPlanData& planData, int index);
/// Whether both plan data fix the same games; an empty `predefinedgames` counts as none.
bool PredefinedGamesAreTheSame(const TPlanData& planData, const TPlanData* other);
/// Replaces the predefined games by a copy of `source`'s, or removes them when `source` has none.
void CopyPredefinedGames(TPlanData& target, const TPlanData* source);

/// The message when a game is entered twice.
inline constexpr const char* PredefinedGameExistsMessage = "Diese Begegnung ist bereits festgelegt.";

} // namespace terminor
