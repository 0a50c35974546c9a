#pragma once
// Locking a game to its date: the plan data's predefined games ("Manuell festgelegte
// Begegnungen"), which every search keeps where they are. Any thread, on its own plan data.

#include <string>

#include "data/DateTime.h"

namespace terminor {

class TPlanData;

/// Adds the game home - guest on `dateTime` (with its location; empty: the home team's hall) to the
/// predefined games, or updates the location of that entry. Returns whether the data changed.
bool LockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime,
              const std::string& location);
/// Removes that predefined game; returns whether there was one.
bool UnlockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime);
bool IsGameLocked(const TPlanData& planData, const std::string& home, const std::string& guest,
                  TDateTime dateTime);

} // namespace terminor
