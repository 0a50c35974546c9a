#pragma once
// The moves of the local search on one plan: removing the dates of a random selection of games
// (by game, team, game day, or a round-robin raster) and refilling every game without date from
// its home team's allowed wish dates. One object per worker; it keeps scratch lists so that a
// step allocates nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "model/Plan.h"

namespace terminor {

enum class TTauschTyp { ttNormal, ttSpielTag, ttMannschaft, ttRaster };
using enum TTauschTyp;

class TPlanMoves {
public:
    TPlanMoves(TPlan& plan, TRandom& rng) : FPlan(plan), FRng(rng) {}

    /// One optimisation step without evaluation: restore the accepted dates, fix the predefined
    /// games, mutate, refill.
    void Step(TTauschTyp tauschTyp, int tauschAnzahl, double tauschPercent);

    void Tausch(TTauschTyp tauschTyp, int tauschAnzahl, double tauschPercent);
    void ClearRandomDates(const std::vector<TGame*>& list, bool withPartners, double percent);
    void FillFreeGames();
    void BuildRasterPlan();
    /// Puts the game on a random qualifying candidate wish date; false when none qualifies.
    bool PlaceGameAtRandomWishDate(std::vector<TWunschTermin*>& candidates, bool allSecondTimeGamesAreValid,
                                   TGame& game);
    void PlaceGameNearDate(TGame& game, bool allSecondTimeGamesAreValid, TDateTime refDate);

private:
    void FillFreeGamesPass(bool allSecondTimeGamesAreValid);
    void ClearDate(TGame& game);
    void MarkReverseNotNecessary(const TGame& game);
    void PlaceRasterRound(bool even, TDateTime dateFrom, TDateTime dateTo);
    void PlaceRasterGame(TMannschaft& home, TMannschaft& guest, TDateTime monday);
    void Shuffle101(std::vector<int>& values);

    TPlan& FPlan;
    TRandom& FRng;
    // Scratch lists, kept between steps.
    std::vector<TGame*> FSelection;
    std::vector<TGame*> FQueue;
    std::vector<TGame*> FFree;
    std::vector<TGame*> FDependencies;
    std::vector<TWunschTermin*> FCandidates;
    std::vector<TMannschaft*> FRasterTeams;
    std::vector<int> FRasterOrder;
    std::vector<int> FRasterTeamOrder;
    std::vector<TDateTime> FMondays;
};

/// One step of the fill without evaluation, as the profiling run times it: restore the accepted
/// dates, remove TauschPercent % of the dates, refill.
void ProfileFillTermine(TPlan& plan, TRandom& rng, double tauschPercent);

} // namespace terminor
