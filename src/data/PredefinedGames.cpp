// Predefined games in the plan data: one `game` element per locked game under `predefinedgames`,
// keyed by date-time and the two team names. Dates compare to the minute, as the file stores them.

#include "data/PredefinedGames.h"

#include <cmath>

#include "data/PlanData.h"

namespace terminor {

namespace {

long long Minutes(TDateTime value) {
    return std::llround(value * 24.0 * 60.0);
}

TDataObject* FindGame(const TPlanData& planData, const std::string& home, const std::string& guest,
                      TDateTime dateTime) {
    const TDataObject* games = planData.root().FindChild("predefinedgames");
    if (games == nullptr) {
        return nullptr;
    }
    for (TDataObject* game : games->NamedChilds("game")) {
        if (game->GetAsString("hometeamname") == home && game->GetAsString("guestteamname") == guest &&
            Minutes(game->GetAsDateTime("datetime")) == Minutes(dateTime)) {
            return game;
        }
    }
    return nullptr;
}

} // namespace

bool LockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime,
              const std::string& location) {
    TDataObject* game = FindGame(planData, home, guest, dateTime);
    if (game != nullptr) {
        if (game->GetAsString("location") == location) {
            return false;
        }
    } else {
        game = &planData.root().getOrCreateChild("predefinedgames").addChild("game");
        game->SetAsDateTime("datetime", dateTime);
        game->SetAsString("hometeamname", home);
        game->SetAsString("guestteamname", guest);
    }
    if (!location.empty() || game->HasAttribute("location")) {
        game->SetAsString("location", location);
    }
    return true;
}

bool UnlockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime) {
    TDataObject* game = FindGame(planData, home, guest, dateTime);
    if (game == nullptr) {
        return false;
    }
    game->parent()->RemoveChild(game);
    return true;
}

bool IsGameLocked(const TPlanData& planData, const std::string& home, const std::string& guest,
                  TDateTime dateTime) {
    return FindGame(planData, home, guest, dateTime) != nullptr;
}

} // namespace terminor
