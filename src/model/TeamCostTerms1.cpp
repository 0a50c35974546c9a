// The team cost terms for halls, parallel and synchronous games of sister teams, blocked and
// fallback days, the 60 km rule and the spacing of consecutive games; plus the lists of blocked-day
// and 60 km violations for the hard-error report.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

namespace terminor {

namespace {

/// The venue of a game as TGame::GetLocation gives it, without copying the text.
const std::string& GameLocation(const TGame& game) {
    static const std::string empty;
    if (!game.OverrideLocation.empty()) {
        return game.OverrideLocation;
    }
    return game.FWunschTermin != nullptr ? game.FWunschTermin->Location : empty;
}

/// Power(4 / (gap + 1), 4.3) for the gaps of 0 to 3 days the 3-day term counts, computed once.
double CloseGapWeight(int gap) {
    static const std::array<double, 4> Weights = {std::pow(4.0 / 1, 4.3), std::pow(4.0 / 2, 4.3),
                                                  std::pow(4.0 / 3, 4.3), std::pow(4.0 / 4, 4.3)};
    return Weights[static_cast<std::size_t>(gap)];
}

/// Whether `entry` ("gender\nteam name") names the team of that sister game.
bool IsForceHomeTeam(const std::string& entry, const TSisterGame& game) {
    const std::size_t g = game.gender.size();
    return entry.size() == g + 1 + game.teamName.size() && entry.compare(0, g, game.gender) == 0 &&
           entry[g] == '\n' && entry.compare(g + 1, std::string::npos, game.teamName) == 0;
}

bool IsNoWeekGameOpponent(const std::vector<std::string>& noWeekGame, const TMannschaft& opponent) {
    for (const std::string& name : noWeekGame) {
        if (name == opponent.teamName) {
            return true;
        }
    }
    return false;
}

/// A valid away game at a far opponent on a day that is not allowed for such games.
bool Breaks60KmRule(const TPlan& plan, const TMannschaft& team, const TGame& game) {
    return game.MannschaftGast == &team && game.DateValid() && plan.IsInRoundToGenerate(game.FDate) &&
           !plan.DateIsAllowedForWeekendGames(game.FDate) &&
           IsNoWeekGameOpponent(team.noWeekGame, *game.MannschaftHeim);
}

} // namespace

bool TMannschaft::KostenHalleBelegt(const TPlan& plan, double w, TKostenValue& value,
                                    std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    if (sisterGames.IsEmpty() && SisterTeamsInPlan.empty()) {
        return true;
    }
    const bool fill = messages != nullptr;
    std::string occupants;
    int n = 0;
    for (const TGame* game : gamesRef) {
        if (game->MannschaftHeim != this || game->FDateMaxHome <= 0 || !game->DateValid() ||
            !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        int belegung = 0;
        GetHallenBelegung(game->FDate, GameLocation(*game), plan, belegung, occupants, fill, false);
        if (belegung >= game->FDateMaxHome) {
            n += belegung - game->FDateMaxHome + 1;
            if (fill) {
                messages->push_back("Halle belegt von " + occupants + ": " + FormatDayDate(game->FDate));
            }
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(10.0 * n, 2.0) * 500.0 * w;
    return true;
}

bool TMannschaft::KostenSisterGames(const TPlan& plan, double w, TKostenValue& value,
                                    std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    if (sisterGames.IsEmpty() && SisterTeamsInPlan.empty()) {
        return true;
    }
    const bool fill = messages != nullptr;
    std::string parallel;
    int n = 0;
    double s = 0.0;
    for (const TGame* game : gamesRef) {
        if (!game->DateValid() || !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        int k = 0;
        GetParallelGames(game->FDate, plan, k, parallel, fill, false);
        if (k > 0) {
            n += k;
            s += std::pow(static_cast<double>(k), 3.0);
            if (fill) {
                messages->push_back("Parallele Spiele: " + FormatDayDate(game->FDate) + " " + parallel);
            }
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(s, 1.5) * 20.0 * w;
    return true;
}

bool TMannschaft::KostenForceSameHomeGames(const TPlan& plan, double w, TKostenValue& value,
                                           std::vector<std::string>* messages,
                                           TMessageType /*withMessages*/) {
    const std::vector<std::string>& bound = getCache(plan).CachedTeamsForForceHomeGames;
    if (bound.empty()) {
        return true;
    }
    int n = 0;
    for (const TGame* game : gamesRef) {
        if (game->MannschaftHeim != this || !game->DateValid() || !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        const TSisterGames* dayGames = sisterGames.get(game->FDate);
        int k = 0;
        std::string missing;
        for (const std::string& entry : bound) {
            bool hasHomeGame = false;
            if (dayGames != nullptr) {
                for (const TSisterGame& sister : *dayGames) {
                    if (sister.IsHomeGame && sister.ForceParallelHomeGames &&
                        IsForceHomeTeam(entry, sister)) {
                        hasHomeGame = true;
                        break;
                    }
                }
            }
            if (hasHomeGame) {
                continue;
            }
            ++k;
            if (messages != nullptr) {
                if (!missing.empty()) {
                    missing += ", ";
                }
                const std::size_t separator = entry.find('\n');
                missing.append(entry, 0, separator);
                missing += ' ';
                missing.append(entry, separator + 1, std::string::npos);
            }
        }
        if (k > 0) {
            n += k;
            if (messages != nullptr) {
                messages->push_back("Kein gleichzeitiges Heimspiel: " + FormatDayDate(game->FDate) + " " +
                                    missing);
            }
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(static_cast<double>(n), 3.0) * 10.0 * w;
    return true;
}

bool TMannschaft::KostenSperrTermine(const TPlan& plan, double w, TKostenValue& value,
                                     std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    const int blockedDays = static_cast<int>(SperrTermine.size());
    value.AllCount = blockedDays;
    if (blockedDays == 0) {
        return true;
    }
    int n = 0;
    for (const TGame* game : gamesRef) {
        if (!game->DateValid()) {
            continue;
        }
        const TDateTime day = DateOf(game->FDate);
        if (!plan.IsInRoundToGenerate(day) || !SperrTermine.ContainsSorted(day)) {
            continue;
        }
        ++n;
        if (messages != nullptr) {
            messages->push_back("Sperrtermin wurde verletzt: " + FormatDayDate(day));
        }
    }
    value.Anzahl = n;
    double x = static_cast<double>(n) / blockedDays * 20.0;
    x = static_cast<double>(plan.GetNumWunschDays()) / 50.0 * x;
    value.GesamtKosten = std::pow(x, 3.0) * 200.0 * w;
    return true;
}

bool TMannschaft::KostenAusweichTermine(const TPlan& plan, double w, TKostenValue& value,
                                        std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    value.AllCount = static_cast<int>(AusweichTermine.size());
    if (AusweichTermine.empty()) {
        return true;
    }
    int n = 0;
    for (const TGame* game : gamesRef) {
        if (game->MannschaftHeim != this || !game->DateValid() || !plan.IsInRoundToGenerate(game->FDate) ||
            !AusweichTermine.ContainsSorted(DateOf(game->FDate))) {
            continue;
        }
        ++n;
        if (messages != nullptr) {
            messages->push_back("Ausweichtermin wurde verwendet: " + FormatDayDate(game->FDate));
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(static_cast<double>(n), 2.0) * 10.0 * w;
    return true;
}

bool TMannschaft::Kosten60Kilometer(const TPlan& plan, double w, TKostenValue& value,
                                    std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    value.AllCount = static_cast<int>(noWeekGame.size());
    int n = 0;
    if (!noWeekGame.empty()) {
        for (const TGame* game : gamesRef) {
            if (!Breaks60KmRule(plan, *this, *game)) {
                continue;
            }
            ++n;
            if (messages != nullptr) {
                messages->push_back("60km Regel nicht beachtet: " + FormatDayDate(game->FDate) + " beim " +
                                    game->MannschaftHeim->teamName);
            }
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(10.0 * n, 2.0) * w;
    return true;
}

bool TMannschaft::KostenEngeTermine(const TPlan& plan, double w, TKostenValue& value,
                                    std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    const int count = static_cast<int>(gamesRef.size());
    int n = 0;
    double s = 0.0;
    // Each game's day is computed once and carried to the next pair.
    int nextDay = count > 0 ? DayNumber(gamesRef[0]->FDate) : 0;
    for (int i = 0; i + 1 < count; ++i) {
        const TGame* game = gamesRef[i];
        const TGame* next = gamesRef[i + 1];
        const int day = nextDay;
        nextDay = DayNumber(next->FDate);
        if (!game->DateValid() || !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        const int gap = nextDay - day;
        if (gap < 0 || gap > 3 || StartsPair(i)) {
            continue;
        }
        ++n;
        s += CloseGapWeight(gap);
        if (messages != nullptr) {
            messages->push_back("Weniger als drei Tage Abstand: " + FormatDayDate(game->FDate) + " - " +
                                FormatDayDate(next->FDate));
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(s, 2.0) * w;
    return true;
}

bool TMannschaft::Kosten2SpieleProWoche(const TPlan& plan, double w, TKostenValue& value,
                                        std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    const int count = static_cast<int>(gamesRef.size());
    int n = 0;
    // Each game's week is computed once and carried to the next pair.
    int nextWeek = count > 0 ? WeekIndex(gamesRef[0]->FDate) : 0;
    for (int i = 0; i + 1 < count; ++i) {
        const TGame* game = gamesRef[i];
        const TGame* next = gamesRef[i + 1];
        const int week = nextWeek;
        nextWeek = WeekIndex(next->FDate);
        if (!game->DateValid() || !plan.IsInRoundToGenerate(game->FDate) || week != nextWeek ||
            StartsPair(i)) {
            continue;
        }
        ++n;
        if (messages != nullptr) {
            messages->push_back("Zwei Spiele die Woche: " + FormatDayDate(game->FDate) + " - " +
                                FormatDayDate(next->FDate));
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(static_cast<double>(n), 2.0) * 400.0 * w;
    return true;
}

void TMannschaft::getSperrTerminViolations(const TPlan& plan, std::vector<TDateTime>& dates) const {
    if (SperrTermine.empty()) {
        return;
    }
    for (const TGame* game : gamesRef) {
        if (game->DateValid() && plan.IsInRoundToGenerate(game->FDate) &&
            SperrTermine.ContainsSorted(DateOf(game->FDate))) {
            dates.push_back(game->FDate);
        }
    }
}

void TMannschaft::get60KmViolations(const TPlan& plan, std::vector<const TGame*>& games) const {
    if (noWeekGame.empty()) {
        return;
    }
    for (const TGame* game : gamesRef) {
        if (Breaks60KmRule(plan, *this, *game)) {
            games.push_back(game);
        }
    }
}

} // namespace terminor
