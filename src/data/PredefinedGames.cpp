// Predefined games in the plan data: one `game` element per locked game under `predefinedgames`,
// keyed by date-time and the two team names. Dates compare to the minute, as the file stores them.

#include "data/PredefinedGames.h"

#include <cmath>

#include "data/Error.h"
#include "data/PlanData.h"

namespace terminor {

namespace {

long long Minutes(TDateTime value) {
    return std::llround(value * 24.0 * 60.0);
}

TDataObject* GamesElement(const TPlanData& planData) {
    return planData.root().FindChild("predefinedgames");
}

IDataObjectList GameElements(const TPlanData& planData) {
    const TDataObject* games = GamesElement(planData);
    return games == nullptr ? IDataObjectList() : games->NamedChilds("game");
}

int FindGameIndex(const IDataObjectList& games, const std::string& home, const std::string& guest,
                  TDateTime dateTime) {
    for (std::size_t i = 0; i < games.size(); ++i) {
        const TDataObject* game = games[i];
        if (game->GetAsString("hometeamname") == home && game->GetAsString("guestteamname") == guest &&
            Minutes(game->GetAsDateTime("datetime")) == Minutes(dateTime)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TDataObject* FindGame(const TPlanData& planData, const std::string& home, const std::string& guest,
                      TDateTime dateTime) {
    const IDataObjectList games = GameElements(planData);
    const int index = FindGameIndex(games, home, guest, dateTime);
    return index < 0 ? nullptr : games[static_cast<std::size_t>(index)];
}

/// The location is written only when there is one or the element had one, so that a game
/// locked without hall keeps the form of the other writers.
void WriteLocation(TDataObject& game, const std::string& location) {
    if (!location.empty() || game.HasAttribute("location")) {
        game.SetAsString("location", location);
    }
}

void RemoveGame(TDataObject& game) {
    TDataObject* games = game.parent();
    games->RemoveChild(&game);
    if (games->childs().empty()) {
        games->parent()->RemoveChild(games);
    }
}

bool IsEmptyOrMissing(const TDataObject* games) {
    return games == nullptr || games->childs().empty();
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
    WriteLocation(*game, location);
    return true;
}

bool UnlockGame(TPlanData& planData, const std::string& home, const std::string& guest, TDateTime dateTime) {
    TDataObject* game = FindGame(planData, home, guest, dateTime);
    if (game == nullptr) {
        return false;
    }
    RemoveGame(*game);
    return true;
}

bool IsGameLocked(const TPlanData& planData, const std::string& home, const std::string& guest,
                  TDateTime dateTime) {
    return FindGame(planData, home, guest, dateTime) != nullptr;
}

std::vector<TPredefinedGame> GetPredefinedGames(const TPlanData& planData) {
    std::vector<TPredefinedGame> result;
    for (const TDataObject* game : GameElements(planData)) {
        result.push_back(TPredefinedGame{game->GetAsDateTime("datetime"), game->GetAsString("hometeamname"),
                                         game->GetAsString("guestteamname"), game->GetAsString("location")});
    }
    return result;
}

int FindPredefinedGame(const TPlanData& planData, const std::string& home, const std::string& guest,
                       TDateTime dateTime) {
    return FindGameIndex(GameElements(planData), home, guest, dateTime);
}

void StorePredefinedGame(TPlanData& planData, int index, const TPredefinedGame& game) {
    const IDataObjectList games = GameElements(planData);
    const int existing = FindGameIndex(games, game.Home, game.Guest, game.DateTime);
    if (existing >= 0 && existing != index) {
        throw TerminorError(PredefinedGameExistsMessage);
    }
    TDataObject* node = nullptr;
    if (index >= 0 && static_cast<std::size_t>(index) < games.size()) {
        node = games[static_cast<std::size_t>(index)];
    } else {
        node = &planData.root().getOrCreateChild("predefinedgames").addChild("game");
    }
    node->SetAsDateTime("datetime", game.DateTime);
    node->SetAsString("hometeamname", game.Home);
    node->SetAsString("guestteamname", game.Guest);
    WriteLocation(*node, game.Location);
}

void RemovePredefinedGame(TPlanData& planData, int index) {
    const IDataObjectList games = GameElements(planData);
    if (index >= 0 && static_cast<std::size_t>(index) < games.size()) {
        RemoveGame(*games[static_cast<std::size_t>(index)]);
    }
}

bool PredefinedGamesAreTheSame(const TPlanData& planData, const TPlanData* other) {
    const TDataObject* own = GamesElement(planData);
    const TDataObject* theirs = other == nullptr ? nullptr : GamesElement(*other);
    if (IsEmptyOrMissing(own) && IsEmptyOrMissing(theirs)) {
        return true;
    }
    return TDataObject::NodesAreTheSame(own, theirs);
}

void CopyPredefinedGames(TPlanData& target, const TPlanData* source) {
    const TDataObject* theirs = source == nullptr ? nullptr : GamesElement(*source);
    if (IsEmptyOrMissing(theirs)) {
        if (const TDataObject* own = GamesElement(target)) {
            target.root().RemoveChild(own);
        }
        return;
    }
    target.root().getOrCreateChild("predefinedgames").assign(*theirs);
}

} // namespace terminor
