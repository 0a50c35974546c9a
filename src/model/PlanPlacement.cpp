// Placement rules of TPlan: where a game may lie, which dates are valid, and how many games a
// team should play in a period.

#include <algorithm>

#include "Plan.h"

namespace terminor {

bool TPlan::CanPlaceGame(const TWunschTermin& w, const TGame& game, bool allSecondTimeGamesAreValid,
                         const TGame* ignoreGame) const {
    if (IsFreeGameDay(w.Date)) {
        return false;
    }
    const TMannschaft* heim = game.MannschaftHeim;
    const TMannschaft* gast = game.MannschaftGast;
    if (!heim->IsTerminFree(w, *this, heim, gast, ignoreGame, allSecondTimeGamesAreValid) ||
        !gast->IsTerminFree(w, *this, heim, gast, ignoreGame, allSecondTimeGamesAreValid)) {
        return false;
    }
    const int r = GetRoundNumberByDate(w.Date);
    if (const std::vector<TGame*>* same = GamesOfPairing(*heim, *gast)) {
        for (const TGame* other : *same) {
            if (other == &game || other == ignoreGame || !other->DateValid()) {
                continue;
            }
            // Integer halves: with double rounds each home game of a pairing lies in another half.
            if (GetRoundNumberByDate(other->FDate) / 2 == r / 2) {
                return false;
            }
        }
    }
    if (const std::vector<TGame*>* reverse = GamesOfPairing(*gast, *heim)) {
        for (const TGame* other : *reverse) {
            if (other == ignoreGame || !other->DateValid()) {
                continue;
            }
            if (GetRoundNumberByDate(other->FDate) == r) {
                return false;
            }
        }
    }
    return true;
}

bool TPlan::GameIsValid(const TGame& game) const {
    if (IsInRoundToGenerate(game.FDate)) {
        if (const TWunschTermin* w = game.MannschaftHeim->WunschTermine.Find(game.FDate)) {
            return CanPlaceGame(*w, game, false, &game);
        }
        return predefinedGames.findSameGame(game) != nullptr;
    }
    if (FOptions.RoundPlaning == rpSecondOnly || FOptions.RoundPlaning == rpCorona) {
        return existingSchedule.findSameGame(game) != nullptr ||
               predefinedGames.findSameGame(game) != nullptr;
    }
    return false;
}

bool TPlan::GameIsValidCached(const TGame& game) const {
    const TMannschaft& heim = *game.MannschaftHeim;
    const TMannschaft& gast = *game.MannschaftGast;
    const int day = DayNumber(game.FDate);
    // Every counter only grows, so their sum is unchanged exactly when each of them is.
    const std::uint64_t stamp = std::uint64_t{heim.DayVersion(day)} + gast.DayVersion(day) +
                                heim.HomePairingVersion(gast) + gast.HomePairingVersion(heim);
    if (game.FValidEpoch == FValidityEpoch && game.FValidStamp == stamp && game.FValidDate == game.FDate) {
        return game.FValidResult;
    }
    game.FValidResult = GameIsValid(game);
    game.FValidEpoch = FValidityEpoch;
    game.FValidStamp = stamp;
    game.FValidDate = game.FDate;
    return game.FValidResult;
}

double TPlan::getNumSollGames(TDateTime dateFrom, TDateTime dateTo) const {
    const int dayFrom = DayNumber(dateFrom);
    const int dayTo = DayNumber(dateTo);
    const std::int64_t key = (static_cast<std::int64_t>(dayFrom) << 32) ^ static_cast<std::uint32_t>(dayTo);
    TPlanDataCache& cache = const_cast<TPlanDataCache&>(getDataCache());
    if (const auto it = cache.sollGamesByDate.find(key); it != cache.sollGamesByDate.end()) {
        return it->second;
    }
    const int r = GetRoundNumberByDate(dateFrom);
    double c = 0;
    double b = 0;
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            if (GetRoundNumberByDate(w->Date) != r || IsFreeGameDay(w->Date)) {
                continue;
            }
            const double weight = w->Options.IsKoppelDate() ? 2.0 : 1.0;
            c += weight;
            const int day = DayNumber(w->Date);
            if (dayFrom <= day && day < dayTo) {
                b += weight;
            }
        }
    }
    const double teams = static_cast<double>(Mannschaften.size());
    const double result = (c > 0 && teams > 0) ? b * (teams - 1) / c : 0.0;
    cache.sollGamesByDate.emplace(key, result);
    return result;
}

void TPlan::RemoveNotValidDates() {
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            w->assignedGame = nullptr;
        }
    }
    gamesNotAllowed.Clear();
    BuildTeamGameRefs();
    for (TGame* game : gamesAllowed) {
        if (!GameIsValid(*game)) {
            ResetGameDate(*game);
        } else if (game->FWunschTermin != nullptr) {
            game->FWunschTermin->assignedGame = game;
        }
    }
    // Reset games lost their dates: restore the date order of every team's games.
    for (const auto& team : Mannschaften) {
        team->SortGamesRef();
    }
    ResetNotNecessaryGames();
    AllDatesAreValid = true;
}

} // namespace terminor
