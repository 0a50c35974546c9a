#pragma once
// The hit area of one game line of the page "Terminplan": it names the game by its two teams and
// its date, so that the plan view can offer actions on that game (a context menu). A left click
// does nothing. User-interface thread only.

#include <string>
#include <utility>

#include "data/DateTime.h"
#include "view/ActionRect.h"

namespace terminor {

class TActionRectGame : public TActionRectBase {
public:
    TActionRectGame(std::string homeTeamId, std::string guestTeamId, TDateTime date, bool locked = false)
        : HomeTeamId(std::move(homeTeamId)), GuestTeamId(std::move(guestTeamId)), Date(date), Locked(locked) {
    }

    void DoAction(QPoint) override {}

    std::string HomeTeamId;
    std::string GuestTeamId;
    /// The game's date and time; 0 for an undated game.
    TDateTime Date = 0.0;
    /// The game is one of the plan's predefined games (locked to its date).
    bool Locked = false;
};

} // namespace terminor
