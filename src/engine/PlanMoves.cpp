#include "PlanMoves.h"

#include <algorithm>
#include <cmath>

#include "data/PlanUtils.h"

namespace terminor {

namespace {

/// Removes element i by moving the last one into its place (order does not matter for the draws).
template <typename T> void SwapRemove(std::vector<T>& list, std::size_t i) {
    list[i] = list.back();
    list.pop_back();
}

} // namespace

void TPlanMoves::Step(TTauschTyp tauschTyp, int tauschAnzahl, double tauschPercent) {
    FPlan.TransferRefDateToDate();
    FPlan.FixPredefinedGames();
    Tausch(tauschTyp, tauschAnzahl, tauschPercent);
    FillFreeGames();
}

void TPlanMoves::ClearDate(TGame& game) {
    if (!game.FFixedDate) {
        game.setEmptyDate();
    }
}

void TPlanMoves::MarkReverseNotNecessary(const TGame& game) {
    if (FPlan.getOptions().RoundPlaning != rpBoth) {
        FPlan.MarkReverseNotNecessary(game);
    }
}

void TPlanMoves::Tausch(TTauschTyp tauschTyp, int tauschAnzahl, double tauschPercent) {
    const TMannschaftList& teams = FPlan.Mannschaften;
    switch (tauschTyp) {
    case ttRaster:
        BuildRasterPlan();
        return;
    case ttMannschaft: {
        FSelection.clear();
        if (teams.empty()) {
            return;
        }
        for (int i = 0; i < tauschAnzahl; ++i) {
            const TMannschaft* team =
                teams[static_cast<std::size_t>(FRng.Random(static_cast<int>(teams.size())))];
            FSelection.insert(FSelection.end(), team->gamesRef.begin(), team->gamesRef.end());
        }
        ClearRandomDates(FSelection, false, tauschPercent);
        return;
    }
    case ttSpielTag: {
        FSelection.clear();
        if (teams.empty() || teams[0]->gamesRef.empty()) {
            return;
        }
        const int g = static_cast<int>(teams[0]->gamesRef.size());
        for (int i = 0; i < tauschAnzahl; ++i) {
            const auto k = static_cast<std::size_t>(FRng.Random(g));
            for (const auto& team : teams) {
                if (team->gamesRef.size() > k) {
                    FSelection.push_back(team->gamesRef[k]);
                }
            }
        }
        ClearRandomDates(FSelection, true, tauschPercent);
        return;
    }
    default:
        ClearRandomDates(FPlan.gamesAllowed.Items(), true, tauschPercent);
        return;
    }
}

void TPlanMoves::ClearRandomDates(const std::vector<TGame*>& list, bool withPartners, double percent) {
    if (percent == 0.0) {
        return;
    }
    if (percent == 100.0) {
        for (TGame* game : list) {
            ClearDate(*game);
        }
        return;
    }
    FQueue.assign(list.begin(), list.end());
    auto k = static_cast<std::size_t>(std::trunc(percent * static_cast<double>(list.size()) / 100.0));
    k = std::min(k, list.size());
    if (k == 0) {
        k = 1;
    }
    const bool couplings = FPlan.HasKoppelTermine() || FPlan.HasAuswaertsKoppelTermine();
    std::size_t treated = 0;
    while (treated < k && !FQueue.empty()) {
        const auto index = static_cast<std::size_t>(FRng.Random(static_cast<int>(FQueue.size())));
        TGame& game = *FQueue[index];
        if (!game.DateValid()) {
            SwapRemove(FQueue, index);
            continue;
        }
        TMannschaft& heim = *game.MannschaftHeim;
        TMannschaft& gast = *game.MannschaftGast;
        if (withPartners && couplings) {
            if (TGame* partner = heim.getKoppeledGame(&game)) {
                ClearDate(*partner);
            }
            if (!gast.AuswaertsKoppel.empty()) {
                gast.CreateAuswaertsKoppeledGamesDependenciesList(FPlan, heim, FDependencies);
                for (TGame* dependent : FDependencies) {
                    ClearDate(*dependent);
                }
            }
        }
        ClearDate(game);
        SwapRemove(FQueue, index);
        ++treated;
        if (withPartners) {
            for (const std::vector<TGame*>* pairing :
                 {FPlan.GamesOfPairing(heim, gast), FPlan.GamesOfPairing(gast, heim)}) {
                if (pairing != nullptr) {
                    for (TGame* other : *pairing) {
                        ClearDate(*other);
                    }
                }
            }
        }
    }
}

void TPlanMoves::FillFreeGames() {
    FillFreeGamesPass(true);
    if (!FPlan.HasAuswaertsKoppelTermine() && !FPlan.HasKoppelTermine()) {
        return;
    }
    // Derived second times only serve couplings: a game left on one without its coupling loses it.
    for (TGame* game : FPlan.gamesAllowed) {
        if (game->DateValid() && !game->FFixedDate &&
            (game->FDateOptions.Contains(woKoppelSecondTime) ||
             game->FDateOptions.Contains(woAuswaertsKoppelSecondTime)) &&
            !FPlan.GameIsValidCached(*game)) {
            game->setEmptyDate();
        }
    }
    FillFreeGamesPass(false);
}

void TPlanMoves::FillFreeGamesPass(bool allSecondTimeGamesAreValid) {
    if (FPlan.getOptions().RoundPlaning != rpBoth) {
        FPlan.ResetNotNecessaryGames();
    }
    FFree.clear();
    for (TGame* game : FPlan.gamesAllowed) {
        if (!game->DateValid()) {
            FFree.push_back(game);
        }
    }
    const bool awayCouplings = FPlan.HasAuswaertsKoppelTermine();
    while (!FFree.empty()) {
        const auto index = static_cast<std::size_t>(FRng.Random(static_cast<int>(FFree.size())));
        TGame& game = *FFree[index];
        if (!game.FNotNecessary) {
            TMannschaft& heim = *game.MannschaftHeim;
            FCandidates.clear();
            for (const auto& w : heim.WunschTermine) {
                FCandidates.push_back(w.get());
            }
            const bool placed = PlaceGameAtRandomWishDate(FCandidates, allSecondTimeGamesAreValid, game);
            if (awayCouplings && FRng.Random(100) < 70) {
                game.MannschaftGast->CreateAuswaertsKoppeledGamesDependenciesList(FPlan, heim, FDependencies);
                if (!FDependencies.empty()) {
                    TGame& dependent = *FDependencies[static_cast<std::size_t>(
                        FRng.Random(static_cast<int>(FDependencies.size())))];
                    PlaceGameNearDate(dependent, allSecondTimeGamesAreValid, placed ? game.FDate : 0.0);
                }
            }
        }
        // FFree may have been reordered only by this removal: the index is still the drawn game.
        SwapRemove(FFree, index);
    }
    for (const auto& team : FPlan.Mannschaften) {
        team->SortGamesRefIfMoved();
    }
}

bool TPlanMoves::PlaceGameAtRandomWishDate(std::vector<TWunschTermin*>& candidates,
                                           bool allSecondTimeGamesAreValid, TGame& game) {
    TMannschaft& heim = *game.MannschaftHeim;
    TMannschaft& gast = *game.MannschaftGast;
    while (!candidates.empty()) {
        const auto index = static_cast<std::size_t>(FRng.Random(static_cast<int>(candidates.size())));
        TWunschTermin& w = *candidates[index];
        bool qualifies = w.assignedGame == nullptr && FPlan.IsInRoundToGenerate(w.Date);
        if (qualifies && w.Options.Contains(woAuswaertsKoppelSecondTime) &&
            !w.Options.Contains(woKoppelSecondTime)) {
            qualifies = gast.IsMannschaftInAuswaertsKoppelWunschAtOneDay(FPlan, heim);
        }
        if (qualifies && FPlan.CanPlaceGame(w, game, allSecondTimeGamesAreValid, nullptr)) {
            game.setDate(w.Date, w.Options, w.ParallelGames, false, false, &w);
            MarkReverseNotNecessary(game);
            return true;
        }
        SwapRemove(candidates, index);
    }
    return false;
}

void TPlanMoves::PlaceGameNearDate(TGame& game, bool allSecondTimeGamesAreValid, TDateTime refDate) {
    const int refDay = DayNumber(refDate);
    FCandidates.clear();
    for (const auto& w : game.MannschaftHeim->WunschTermine) {
        if (std::abs(DayNumber(w->Date) - refDay) <= 1) {
            FCandidates.push_back(w.get());
        }
    }
    if (!FCandidates.empty()) {
        PlaceGameAtRandomWishDate(FCandidates, allSecondTimeGamesAreValid, game);
    }
}

void TPlanMoves::Shuffle101(std::vector<int>& values) {
    const int n = static_cast<int>(values.size());
    for (int draw = 0; draw < 101; ++draw) {
        const int a = FRng.Random(n);
        const int b = FRng.Random(n);
        if (a != b) {
            std::swap(values[static_cast<std::size_t>(a)], values[static_cast<std::size_t>(b)]);
        }
    }
}

void TPlanMoves::BuildRasterPlan() {
    const int n = static_cast<int>(FPlan.Mannschaften.size());
    if (n < 2) {
        return;
    }
    for (TGame* game : FPlan.gamesAllowed) {
        ClearDate(*game);
    }
    if (FPlan.getOptions().RoundPlaning != rpBoth) {
        FPlan.ResetNotNecessaryGames();
    }
    FRasterTeamOrder.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        FRasterTeamOrder[static_cast<std::size_t>(i)] = i;
    }
    Shuffle101(FRasterTeamOrder);
    FRasterTeams.clear();
    for (const int i : FRasterTeamOrder) {
        FRasterTeams.push_back(FPlan.Mannschaften[static_cast<std::size_t>(i)]);
    }
    FRasterOrder.resize(static_cast<std::size_t>(n - 1));
    for (int i = 0; i < n - 1; ++i) {
        FRasterOrder[static_cast<std::size_t>(i)] = i;
    }
    Shuffle101(FRasterOrder);
    const std::vector<TRoundInfo>& rounds = FPlan.Rounds();
    for (std::size_t j = 0; j < rounds.size(); ++j) {
        PlaceRasterRound(j % 2 == 0, rounds[j].DateFrom, rounds[j].DateTo);
    }
    for (const auto& team : FPlan.Mannschaften) {
        team->SortGamesRefIfMoved();
    }
}

void TPlanMoves::PlaceRasterRound(bool even, TDateTime dateFrom, TDateTime dateTo) {
    const int n = static_cast<int>(FRasterTeams.size());
    FPlan.getSpieltagMondays(FMondays, dateFrom, dateTo, true);
    while (static_cast<int>(FMondays.size()) > n - 1) {
        FMondays.erase(FMondays.begin() + FRng.Random(static_cast<int>(FMondays.size())));
    }
    int b = n;
    TMannschaft* pivot = nullptr;
    if (n % 2 == 0) {
        b = n - 1;
        pivot = FRasterTeams[static_cast<std::size_t>(n - 1)];
    }
    const double half = static_cast<double>(FMondays.size()) / 2.0;
    for (int i = 0; i < b; ++i) {
        for (std::size_t j = 0; j < FMondays.size(); ++j) {
            const int p = FRasterOrder[j];
            const int idx = (((-p - i) % b) + b) % b;
            if (idx < i) {
                continue;
            }
            TMannschaft* opponent = nullptr;
            if (idx == i) {
                opponent = pivot;
            } else {
                opponent = FRasterTeams[static_cast<std::size_t>(idx)];
            }
            if (opponent == nullptr) {
                continue;
            }
            TMannschaft* team = FRasterTeams[static_cast<std::size_t>(i)];
            bool teamAtHome = (j % 2 == 1 && even) || (j % 2 == 0 && !even);
            if (static_cast<double>(j) >= half) {
                teamAtHome = !teamAtHome;
            }
            if (teamAtHome) {
                PlaceRasterGame(*team, *opponent, FMondays[j]);
            } else {
                PlaceRasterGame(*opponent, *team, FMondays[j]);
            }
        }
    }
}

void TPlanMoves::PlaceRasterGame(TMannschaft& home, TMannschaft& guest, TDateTime monday) {
    const std::vector<TGame*>* games = FPlan.GamesOfPairing(home, guest);
    if (games == nullptr) {
        return;
    }
    for (const auto& w : home.WunschTermine) {
        // The week of `monday` covers its seven days; dates more than a day outside cannot fall
        // into it, whatever the rounding, and are passed over without the exact week computation.
        if (w->Date < monday - 1.0 || w->Date >= monday + 8.0 || MondayOfWeek(w->Date) != monday) {
            continue;
        }
        for (TGame* game : *games) {
            if (game->FNotNecessary || game->DateValid()) {
                continue;
            }
            if (FPlan.IsInRoundToGenerate(w->Date) && FPlan.CanPlaceGame(*w, *game, false, nullptr)) {
                game->setDate(w->Date, w->Options, w->ParallelGames, false, false, w.get());
                MarkReverseNotNecessary(*game);
                break;
            }
        }
    }
}

void ProfileFillTermine(TPlan& plan, TRandom& rng, double tauschPercent) {
    TPlanMoves moves(plan, rng);
    plan.TransferRefDateToDate();
    moves.Tausch(ttNormal, 0, tauschPercent);
    moves.FillFreeGames();
}

} // namespace terminor
