// The plan cost: hard terms, the weighted team terms and the game-day terms, evaluated in a
// fixed order with checkpoints against a bound so that hopeless candidates stop early.

#include <algorithm>
#include <cmath>
#include <limits>

#include "Plan.h"

namespace terminor {

namespace {

constexpr double HardErrorCost = 10'000'000'000.0;
constexpr double SoftCap = 1'000'000'000.0;

constexpr std::array<TMannschaftsKostenType, 11> FirstGroup = {
    mktEngeTermine,          mkt2SpieleProWoche, mkt60Kilometer,          mktAuswaertsKoppelTermine,
    mktMandatoryGames,       mktKoppelTermine,   mktZahlHeimSpielTermine, mktWechselHeimAuswaerts,
    mktAbstandHeimAuswaerts, mktRanking,         mktSperrTermine};

constexpr std::array<TMannschaftsKostenType, 5> SecondGroup = {
    mktAusweichTermine, mktHalleBelegt, mktSisterGames, mktForceSameHomeGames, mktSpielverteilung};

double PopulationStdDev(const std::vector<double>& values) {
    if (values.size() <= 1) {
        return 0.0;
    }
    double mean = 0.0;
    for (const double v : values) {
        mean += v;
    }
    mean /= static_cast<double>(values.size());
    double squares = 0.0;
    for (const double v : values) {
        squares += (v - mean) * (v - mean);
    }
    return std::sqrt(squares / static_cast<double>(values.size()));
}

} // namespace

template <std::size_t N, typename Passed>
bool TPlan::AddTeamTerms(const std::array<TMannschaftsKostenType, N>& types, double& sum, Passed passed) {
    const TMannschaftsKostenArray& global = FOptions.GewichtungMainMannschaftsKosten;
    for (const TMannschaftsKostenType type : types) {
        if (global[static_cast<std::size_t>(type)] == coIgnore) {
            continue;
        }
        // Checkpoint before each team term.
        if (passed()) {
            return false;
        }
        sum += CalculateMannschaftsKosten(type);
    }
    return true;
}

double TPlan::CalculateKosten(double breakByValue) {
    double sum = 0.0;
    // The evaluation goes on only while the bound is not passed.
    const auto passed = [&sum, breakByValue] { return breakByValue >= 0 && !(breakByValue >= sum); };

    sum = CalculateFehlterminKosten();
    if (passed()) {
        return -1.0;
    }
    sum += CalculateFreeGameDateKosten();
    if (passed()) {
        return -1.0;
    }
    if (FOptions.SisterTeamsAmAnfangGewichtung != coIgnore) {
        sum += CalculateSisterTeamsAmAnfang();
    }
    if (!AddTeamTerms(FirstGroup, sum, passed)) {
        return -1.0;
    }
    if (passed()) {
        return -1.0;
    }
    if (FOptions.SpieltagGewichtung != coIgnore || FOptions.SpieltagOverlapp != coIgnore) {
        double breite = 0;
        double overlap = 0;
        double lastBreite = 0;
        double lastOverlap = 0;
        CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
        sum += breite;
        sum += overlap;
        sum += lastBreite;
        sum += lastOverlap;
    }
    if (!AddTeamTerms(SecondGroup, sum, passed)) {
        return -1.0;
    }
    if (passed()) {
        return -1.0;
    }
    sum += CalculateNotAllowedKosten();
    return sum;
}

int TPlan::CountUnscheduledGames(std::vector<std::string>* lines) const {
    int count = 0;
    for (const TGame* game : gamesAllowed) {
        if (!game->DateValid() && !game->FNotNecessary) {
            ++count;
            if (lines != nullptr) {
                lines->push_back(game->AsString());
            }
        }
    }
    return count;
}

double TPlan::CalculateFehlterminKosten() const {
    return HardErrorCost * CountUnscheduledGames();
}

int TPlan::CountNotAllowedGames(std::vector<std::string>* lines) const {
    // Validated dates stay valid unless couplings make the validity depend on other games.
    if (AllDatesAreValid && !HasKoppelTermine() && !HasAuswaertsKoppelTermine()) {
        return 0;
    }
    int count = static_cast<int>(gamesNotAllowed.size());
    if (lines != nullptr) {
        for (const TGame* game : gamesNotAllowed) {
            lines->push_back(game->AsString());
        }
    }
    for (const TGame* game : gamesAllowed) {
        if (game->DateValid() && !game->FNotNecessary &&
            !(lines != nullptr ? GameIsValid(*game) : GameIsValidCached(*game))) {
            ++count;
            if (lines != nullptr) {
                lines->push_back(game->AsString());
            }
        }
    }
    return count;
}

double TPlan::CalculateNotAllowedKosten() const {
    return HardErrorCost * CountNotAllowedGames();
}

double TPlan::CalculateFreeGameDateKosten() const {
    if (FreeGameDays.empty()) {
        return 0.0;
    }
    int count = 0;
    for (const TGame* game : gamesAllowed) {
        if (IsFreeGameDay(game->FDate) && IsInRoundToGenerate(game->FDate)) {
            ++count;
        }
    }
    return HardErrorCost * count;
}

int TPlan::CountGamesBeforeSisterGames() const {
    int n = 0;
    for (const auto& team : Mannschaften) {
        const std::size_t sisters = team->SisterTeamsInPlan.size();
        if (sisters == 0) {
            continue;
        }
        for (const TRoundInfo& round : FRounds) {
            const bool generated = FOptions.RoundPlaning == rpBoth ||
                                   IsInRoundToGenerate(round.DateFrom + (round.DateTo - round.DateFrom) / 2);
            if (!generated) {
                continue;
            }
            std::size_t s = 0;
            for (const TGame* game : team->gamesRef) {
                if (s >= sisters) {
                    break;
                }
                if (!game->DateValid() || !round.DateInRound(game->FDate)) {
                    continue;
                }
                const TMannschaft* opponent =
                    game->MannschaftHeim == team.get() ? game->MannschaftGast : game->MannschaftHeim;
                if (std::find(team->SisterTeamsInPlan.begin(), team->SisterTeamsInPlan.end(), opponent) !=
                    team->SisterTeamsInPlan.end()) {
                    ++s;
                } else {
                    ++n;
                }
            }
        }
    }
    return n;
}

double TPlan::CalculateSisterTeamsAmAnfang() const {
    const int n = CountGamesBeforeSisterGames();
    return std::min(SoftCap, std::pow(2.0, n) * 300.0 *
                                 CalculateOptionsFactor(FOptions.SisterTeamsAmAnfangGewichtung));
}

void TPlan::UpdateGameDayColumns(std::size_t gameDays) const {
    // A game day's values depend only on the dates of its games (and on the options, whose change
    // raises the epoch), so a game day whose dates are unchanged keeps them.
    const std::size_t teams = Mannschaften.size();
    if (FGameDayEpoch != FValidityEpoch || FGameDayDates.size() != gameDays * teams) {
        FGameDayEpoch = FValidityEpoch;
        FGameDayDates.assign(gameDays * teams, std::numeric_limits<double>::quiet_NaN());
        FGameDays.assign(gameDays, TGameDayColumn{});
    }
    const double teamCount = static_cast<double>(teams);
    std::vector<double>& days = FScratchGameDayDays; // D: the days of this game day
    for (std::size_t i = 0; i < gameDays; ++i) {
        double* column = &FGameDayDates[i * teams];
        bool same = true;
        for (std::size_t t = 0; t < teams; ++t) {
            const TGameList& games = Mannschaften[t]->gamesRef;
            const TDateTime d = i < games.size() ? games[i]->FDate : 0.0;
            if (column[t] != d) {
                column[t] = d;
                same = false;
            }
        }
        if (same) {
            continue;
        }
        days.clear();
        TDateTime first = 0;
        TDateTime last = 0;
        for (std::size_t t = 0; t < teams; ++t) {
            const TDateTime d = column[t];
            if (d == 0.0 || !IsInRoundToGenerate(d)) {
                continue;
            }
            days.push_back(DayNumber(d));
            if (first == 0.0 || d < first) {
                first = d;
            }
            if (last == 0.0 || d > last) {
                last = d;
            }
        }
        TGameDayColumn& result = FGameDays[i];
        result.hasGames = first > 0 && last > 0;
        result.firstDay = DayNumber(first);
        result.lastDay = DayNumber(last);
        const double span = result.hasGames ? static_cast<double>(result.lastDay - result.firstDay) : 0.0;
        const double s = teamCount / 10.0 * span;
        double b = std::max(0.0, s - 6.0) / 7.0;
        if (s > 0) {
            b += std::min(0.99, PopulationStdDev(days) / (s / 2.0));
        }
        result.power = std::pow(3.0, b);
    }
}

void TPlan::CalculateSpielTagKosten(double& kostenBreite, double& kostenOverlap, double& lastKostenBreite,
                                    double& lastKostenOverlap) const {
    kostenBreite = 0;
    kostenOverlap = 0;
    lastKostenBreite = 0;
    lastKostenOverlap = 0;
    std::size_t gameDays = 0;
    for (const auto& team : Mannschaften) {
        gameDays = std::max(gameDays, team->gamesRef.size());
    }
    UpdateGameDayColumns(gameDays);
    const double breiteFactor = CalculateOptionsFactor(FOptions.SpieltagGewichtung);
    const double lastBreiteFactor = CalculateOptionsFactor(FOptions.LastSpieltagGewichtung);
    // The factor of the k-th earlier game day counted from the latest: 5, 25, 125, ..., each the
    // product of the one before and 5, as the walk over E multiplies it.
    std::vector<double>& factors = FScratchGameDayEnds;
    factors.resize(gameDays);
    double f = 5;
    for (double& factor : factors) {
        factor = f;
        f *= 5;
    }
    std::vector<int>& ends = FScratchGameDayEndDays; // E: the last day of each earlier game day
    ends.clear();
    for (std::size_t i = 0; i < gameDays; ++i) {
        const TGameDayColumn& day = FGameDays[i];
        const bool isLast = i + 1 == gameDays;
        if (day.hasGames) {
            for (std::size_t k = ends.size(); k-- > 0;) {
                const int endDay = ends[k];
                if (endDay >= day.firstDay) {
                    const double v = (static_cast<double>(endDay - day.firstDay) / 8.0 + 1.0) *
                                     factors[ends.size() - 1 - k];
                    kostenOverlap += v;
                    if (isLast) {
                        lastKostenOverlap = v * 20;
                    }
                }
            }
            ends.push_back(day.lastDay);
        }
        kostenBreite += breiteFactor * day.power;
        if (isLast) {
            lastKostenBreite = lastBreiteFactor * day.power * 5.0;
        }
    }
    lastKostenBreite = std::min(SoftCap, lastKostenBreite);
    kostenBreite = std::min(SoftCap, kostenBreite);
    kostenOverlap = std::min(SoftCap, CalculateOptionsFactor(FOptions.SpieltagOverlapp) * kostenOverlap);
    lastKostenOverlap =
        std::min(SoftCap, CalculateOptionsFactor(FOptions.LastSpieltagOverlapp) * lastKostenOverlap);
}

bool TPlan::TeamTermApplies(TMannschaftsKostenType kostenType) const {
    if (kostenType == mktAbstandHeimAuswaerts) {
        return FOptions.DoubleRound ||
               (FOptions.RoundPlaning != rpHalfRound && FOptions.RoundPlaning != rpFirstOnly &&
                FOptions.RoundPlaning != rpCorona);
    }
    return HasValuesForType(kostenType);
}

double TPlan::CalculateMannschaftsKosten(TMannschaftsKostenType kostenType) {
    // A term of data the plan does not have costs every team 0, and adding 0 changes no sum.
    if (!TeamTermApplies(kostenType)) {
        return 0.0;
    }
    const auto index = static_cast<std::size_t>(kostenType);
    double sum = 0.0;
    for (const auto& team : Mannschaften) {
        // Every filled cache entry is right, those of the sister-dependent terms included (see
        // TMannschaft::GamesChanged); only the empty ones are computed.
        const double cached = team->KostenCache.Values[index].GesamtKosten;
        if (cached != -1.0) {
            sum += cached;
            continue;
        }
        team->CalculateKostenForType(*this, kostenType, FScratchKosten, tmNoMessage);
        sum += FScratchKosten[kostenType].GesamtKosten;
    }
    return sum;
}

int TPlan::GetMannschaftKostenDisplayInteger(const TMannschaft& mannschaft,
                                             TMannschaftsKostenType aktType) const {
    int a = 0;
    const auto fold = [&a](TCalculateOptionsValues v) {
        if (a < -999) {
            return;
        }
        a = v == coIgnore ? -1000 : a + CalculateOptionsDisplayOffset(v);
    };
    fold(FOptions.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(aktType)]);
    fold(FOptions.GewichtungMannschaften.getMain(mannschaft.teamId));
    fold(FOptions.GewichtungMannschaften.getDetail(mannschaft.teamId, aktType));
    return a;
}

double TPlan::TeamTermWeight(const TMannschaft& mannschaft, TMannschaftsKostenType kostenType) const {
    const TPlanDataCache& cache = getDataCache();
    const auto index = static_cast<std::size_t>(mannschaft.Index);
    if (index < cache.TeamWeights.size() && Mannschaften[index] == &mannschaft) {
        return cache.TeamWeights[index][static_cast<std::size_t>(kostenType)];
    }
    return FOptions.TeamWeight(mannschaft.teamId, kostenType);
}

} // namespace terminor
