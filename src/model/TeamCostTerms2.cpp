// The team cost terms for the spread of games over a round, granted home and away couplings, the
// number and alternation of home games, the spacing of the two meetings with an opponent, the
// seeding order and mandatory periods; plus the seeding distances of a team's games.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/Error.h"
#include "data/PlanUtils.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

namespace terminor {

namespace {

using RoundTally = std::array<int, MaxRoundsPerPlan>;
using TeamSlots = std::array<int, MaxTeamsPerPlan>;

/// Most teams the home/away spacing term can judge.
constexpr int MaxTeamsForAbstand = 30;
/// Positions noted per opponent by the home/away spacing term.
constexpr int MaxPositionsPerOpponent = 9;

/// The rounds the per-round tallies can hold.
int RoundCount(const TPlan& plan) {
    return std::min(static_cast<int>(plan.Rounds().size()), MaxRoundsPerPlan);
}

/// A round counts when both rounds are planned or when its middle lies in a generated round.
bool RoundCounts(const TPlan& plan, const TRoundInfo& round) {
    return plan.getOptions().RoundPlaning == rpBoth ||
           plan.IsInRoundToGenerate(round.DateFrom + (round.DateTo - round.DateFrom) / 2);
}

/// The round index of a date inside the tallies, or -1.
int TallyRound(const TPlan& plan, TDateTime date) {
    const int r = plan.GetRoundNumberByDate(date);
    return r < MaxRoundsPerPlan ? r : -1;
}

const TMannschaft* Opponent(const TGame& game, const TMannschaft* team) {
    return game.MannschaftHeim == team ? game.MannschaftGast : game.MannschaftHeim;
}

/// Position of a team index in the seeding list per team index (-1: not listed).
void RankingPositions(const TPlan& plan, TeamSlots& positions) {
    positions.fill(-1);
    for (std::size_t k = 0; k < plan.RankingIndexe.size(); ++k) {
        const int index = plan.RankingIndexe[k];
        if (index >= 0 && index < MaxTeamsPerPlan && positions[static_cast<std::size_t>(index)] < 0) {
            positions[static_cast<std::size_t>(index)] = static_cast<int>(k);
        }
    }
}

int RankingDiff(const TeamSlots& positions, int teamIndex, int opponentIndex) {
    if (teamIndex < 0 || teamIndex >= MaxTeamsPerPlan || opponentIndex < 0 ||
        opponentIndex >= MaxTeamsPerPlan) {
        return 0;
    }
    const int own = positions[static_cast<std::size_t>(teamIndex)];
    const int other = positions[static_cast<std::size_t>(opponentIndex)];
    if (own < 0 || other < 0) {
        return 0;
    }
    return std::abs(own - other);
}

} // namespace

bool TMannschaft::KostenSpielverteilung(const TPlan& plan, double w, TKostenValue& value,
                                        std::vector<std::string>* /*messages*/,
                                        TMessageType /*withMessages*/) {
    value.Anzahl = -1;
    const int gameCount = static_cast<int>(gamesRef.size());
    if (gameCount == 0) {
        return true;
    }
    const std::vector<TRoundInfo>& rounds = plan.Rounds();
    const int roundCount = RoundCount(plan);
    const std::array<TDateTime, MaxRoundsPerPlan>& firstPossible = plan.getDataCache().FirstPossibleDate;
    const std::array<TDateTime, MaxRoundsPerPlan>& lastPossible = plan.getDataCache().LastPossibleDate;

    // The expected games of one interval; coupled pairs at its ends weigh less, the round's
    // first and last interval get half a game more.
    auto addInterval = [&](TDateTime from, TDateTime to, int startIndex, int endIndex) {
        if (to == 0.0) {
            return;
        }
        double v = plan.getNumSollGames(from, to);
        if (endIndex >= 0 && StartsPair(endIndex)) {
            v /= 1.5;
        }
        if (startIndex >= 0 && EndsPair(startIndex)) {
            v /= 1.5;
        }
        if (startIndex < 0 || endIndex < 0) {
            v += 0.5;
        }
        FScratchValues.push_back(v);
    };

    FScratchValues.clear();
    for (int r = 0; r < roundCount; ++r) {
        const TRoundInfo& round = rounds[static_cast<std::size_t>(r)];
        if (!RoundCounts(plan, round)) {
            continue;
        }
        int previous = -1;
        for (int i = 0; i < gameCount; ++i) {
            const TGame* game = gamesRef[static_cast<std::size_t>(i)];
            if (!game->DateValid() || !round.DateInRound(game->FDate) ||
                plan.GetRoundNumberByDate(game->FDate) != r) {
                continue;
            }
            const TDateTime from =
                previous < 0 ? firstPossible[static_cast<std::size_t>(r)] : gamesRef[previous]->FDate;
            addInterval(from, game->FDate, previous, i);
            previous = i;
        }
        if (previous >= 0) {
            const TDateTime last = lastPossible[static_cast<std::size_t>(r)];
            addInterval(gamesRef[static_cast<std::size_t>(previous)]->FDate, last == 0.0 ? 0.0 : last + 1.0,
                        previous, -1);
        }
    }

    double sd = 0.0;
    const std::size_t count = FScratchValues.size();
    if (count >= 2) {
        double sum = 0.0;
        for (double v : FScratchValues) {
            sum += v;
        }
        const double mean = sum / static_cast<double>(count);
        double squares = 0.0;
        for (double v : FScratchValues) {
            squares += (v - mean) * (v - mean);
        }
        sd = std::sqrt(squares / static_cast<double>(count));
    }
    value.GesamtKosten = std::pow(5.0 * sd, 5.0) / 10.0 * w / static_cast<double>(gameCount) * 20.0;
    return true;
}

bool TMannschaft::KostenKoppelTermine(const TPlan& plan, double w, TKostenValue& value,
                                      std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    const int roundCount = RoundCount(plan);
    RoundTally hardWishes{};
    RoundTally softWishes{};
    int t = 0;
    for (const auto& wish : WunschTermine) {
        if (!wish->Options.IsKoppelDate() || !plan.IsInRoundToGenerate(wish->Date)) {
            continue;
        }
        ++t;
        const int r = TallyRound(plan, wish->Date);
        if (r < 0) {
            continue;
        }
        if (wish->Options.IsHard()) {
            ++hardWishes[static_cast<std::size_t>(r)];
        }
        if (wish->Options.IsSoft()) {
            ++softWishes[static_cast<std::size_t>(r)];
        }
    }
    if (t == 0) {
        return true;
    }

    // A coupling uses two dates; per round at most a quarter of the opponents can be coupled.
    const int cap = (static_cast<int>(plan.Mannschaften.size()) - 1) / 4;
    std::array<double, MaxRoundsPerPlan> target{};
    int allCount = 0;
    int hardWished = 0;
    int softWished = 0;
    for (int r = 0; r < roundCount; ++r) {
        const auto k = static_cast<std::size_t>(r);
        int hard = hardWishes[k] / 2;
        int soft = softWishes[k] / 2;
        if (hard >= cap) {
            hard = cap;
            soft = 0;
        } else if (hard + soft > cap) {
            soft = cap - hard;
        }
        target[k] = hard + 0.25 * soft;
        allCount += hard + soft;
        hardWished += hard;
        softWished += soft;
    }

    std::array<double, MaxRoundsPerPlan> achieved{};
    int hardGrants = 0;
    int softGrants = 0;
    const int gameCount = static_cast<int>(gamesRef.size());
    for (int i = 0; i < gameCount; ++i) {
        const TGame* game = gamesRef[static_cast<std::size_t>(i)];
        const TWunschterminOptions options = game->FDateOptions;
        if (game->MannschaftHeim != this || !game->DateValid() || options.IsPossible() ||
            !options.IsKoppelDate() || !plan.IsInRoundToGenerate(game->FDate) || !StartsPair(i)) {
            continue;
        }
        const int r = TallyRound(plan, game->FDate);
        if (options.IsHard()) {
            ++hardGrants;
            if (r >= 0) {
                achieved[static_cast<std::size_t>(r)] += 1.0;
            }
        } else {
            ++softGrants;
            if (r >= 0) {
                achieved[static_cast<std::size_t>(r)] += 0.25;
            }
        }
    }

    double m = 0.0;
    for (int r = 0; r < roundCount; ++r) {
        const double missing = target[static_cast<std::size_t>(r)] - achieved[static_cast<std::size_t>(r)];
        if (missing > 0) {
            m += missing;
        }
    }
    value.AllCount = allCount;
    value.Anzahl = allCount - hardGrants - softGrants;
    if (messages != nullptr) {
        if (hardGrants < hardWished) {
            messages->push_back("Unbedingte Heimkoppeltermine/Doppelspieltage wurden nicht vergeben: " +
                                std::to_string(hardWished - hardGrants) + " mal");
        }
        if (softGrants < softWished) {
            messages->push_back("\"Wenn möglich\" Heimkoppeltermine/Doppelspieltage wurden nicht vergeben: " +
                                std::to_string(softWished - softGrants) + " mal");
        }
    }
    const double x = 10.0 * m;
    value.GesamtKosten = x * x * w;
    return true;
}

bool TMannschaft::KostenAuswaertsKoppelTermine(const TPlan& plan, double w, TKostenValue& value,
                                               std::vector<std::string>* messages,
                                               TMessageType /*withMessages*/) {
    value.AllCount = 0;
    if (AuswaertsKoppel.empty() || !plan.HasAuswaertsKoppelTermine()) {
        return false;
    }
    // Per opponent: how many trips to it should still be coupled.
    TeamSlots slots{};
    const int wanted = static_cast<int>(plan.Rounds().size()) / 2;
    for (TAuswaertsKoppel& wish : AuswaertsKoppel) {
        const TMannschaft* a = wish.getMannschaftA(plan);
        const TMannschaft* b = wish.getMannschaftB(plan);
        if (a == nullptr || b == nullptr || a->Index < 0 || a->Index >= MaxTeamsPerPlan || b->Index < 0 ||
            b->Index >= MaxTeamsPerPlan) {
            continue;
        }
        slots[static_cast<std::size_t>(a->Index)] = wanted;
        slots[static_cast<std::size_t>(b->Index)] = wanted;
    }
    int wished = 0;
    for (int slot : slots) {
        if (slot > 0) {
            ++wished;
        }
    }

    const int gameCount = static_cast<int>(gamesRef.size());
    for (int i = 0; i < gameCount; ++i) {
        const TGame* game = gamesRef[static_cast<std::size_t>(i)];
        if (game->MannschaftGast != this) {
            continue;
        }
        if (!StartsPair(i)) {
            continue;
        }
        const TGame* partner = gamesRef[static_cast<std::size_t>(i + 1)];
        for (const TMannschaft* heim : {game->MannschaftHeim, partner->MannschaftHeim}) {
            if (heim->Index >= 0 && heim->Index < MaxTeamsPerPlan) {
                --slots[static_cast<std::size_t>(heim->Index)];
            }
        }
    }

    int n = 0;
    const int teams = std::min(static_cast<int>(plan.Mannschaften.size()), MaxTeamsPerPlan);
    for (int k = 0; k < teams; ++k) {
        const int slot = slots[static_cast<std::size_t>(k)];
        if (slot > 0) {
            n += slot;
            if (messages != nullptr) {
                messages->push_back("Kein Auswärtskoppeltermin bei: " +
                                    plan.Mannschaften[static_cast<std::size_t>(k)]->teamName);
            }
        }
    }

    // Teams with many away-coupling partners weigh less, down to a quarter.
    const int a = std::clamp(wished - 2, 0, 6);
    const double reduction = 1.0 - a / 6.0 * 0.75;
    const double x = 5.0 * n;
    value.GesamtKosten = x * x * 4.0 * w * reduction;
    value.Anzahl = n / 2;
    value.AllCount = wished / 2;
    return true;
}

bool TMannschaft::KostenZahlHeimSpielTermine(const TPlan& plan, double w, TKostenValue& value,
                                             std::vector<std::string>* messages,
                                             TMessageType /*withMessages*/) {
    const TCalculateOptions& options = plan.getOptions();
    const TRoundPlaning planing = options.RoundPlaning;
    const bool single = planing == rpCorona || (planing == rpHalfRound && !options.DoubleRound);
    const int roundCount = RoundCount(plan);
    const int teams = static_cast<int>(plan.Mannschaften.size());

    int h = 0;
    if (!HomeRights.empty()) {
        for (const TGame* game : gamesRef) {
            if (!game->DateValid()) {
                continue;
            }
            const THomeRightValue right = HomeRights.getValueForTeam(Opponent(*game, this)->teamName);
            if (right == hrNone) {
                continue;
            }
            const int r = single ? 0 : plan.GetRoundNumberByDate(game->FDate);
            bool shouldBeHome = r % 2 == 0;
            if (right == hrRound2) {
                shouldBeHome = !shouldBeHome;
            }
            if ((game->MannschaftHeim == this) != shouldBeHome) {
                ++h;
                if (messages != nullptr) {
                    messages->push_back(game->AsString() + (shouldBeHome ? " sollte ein Heimspiel sein"
                                                                         : " sollte ein Auswärtsspiel sein"));
                }
            }
        }
    }

    RoundTally counter{};
    int notNecessaryFree = 0;
    for (const TGame* game : gamesRef) {
        if (!game->FNotNecessary) {
            ++notNecessaryFree;
        }
        if (game->MannschaftHeim != this || !game->DateValid()) {
            continue;
        }
        const int r = single ? 0 : TallyRound(plan, game->FDate);
        if (r >= 0) {
            ++counter[static_cast<std::size_t>(r)];
        }
    }

    const double games = static_cast<double>(gamesRef.size());
    double target = 0.0;
    if (single) {
        target = notNecessaryFree / 2.0;
    } else if (roundCount > 0) {
        const double share = planing == rpHalfRound && options.DoubleRound ? 0.25 : 0.5;
        target = games * share / roundCount;
    }

    const int homeRightCount = HomeRightCountRoundOne;
    int d = 0;
    if (single) {
        d = static_cast<int>(std::fabs(counter[0] - target));
        if (d > 0 && homeRightCount >= 0 && messages != nullptr) {
            messages->push_back("Anzahl Heimspiele: " + std::to_string(counter[0]) + " anstatt " +
                                std::to_string(static_cast<int>(target)));
        }
    } else {
        for (int j = 0; j < roundCount; ++j) {
            if (!RoundCounts(plan, plan.Rounds()[static_cast<std::size_t>(j)])) {
                continue;
            }
            const int count = counter[static_cast<std::size_t>(j)];
            double roundTarget = target;
            if (homeRightCount >= 0) {
                roundTarget = j % 2 == 0 ? homeRightCount : teams - homeRightCount - 1;
            }
            const int part = static_cast<int>(std::fabs(count - roundTarget));
            d += part;
            if (part > 0 && homeRightCount >= 0 && messages != nullptr) {
                messages->push_back(
                    (j % 2 == 1 ? "Anzahl Heimspiele in Rückrunde: " : "Anzahl Heimspiele in Vorrunde: ") +
                    std::to_string(count) + " anstatt " + std::to_string(static_cast<int>(roundTarget)));
            }
        }
        if (d > 0 && homeRightCount < 0 && messages != nullptr) {
            const bool onlyCounting = planing == rpHalfRound || planing == rpFirstOnly || planing == rpCorona;
            std::string line = "Anzahl Heimspiele in den Runden unterschiedlich: ";
            bool first = true;
            for (int j = 0; j < roundCount; ++j) {
                if (onlyCounting && !RoundCounts(plan, plan.Rounds()[static_cast<std::size_t>(j)])) {
                    continue;
                }
                if (!first) {
                    line += " - ";
                }
                first = false;
                line += std::to_string(counter[static_cast<std::size_t>(j)]);
            }
            messages->push_back(std::move(line));
        }
    }

    const double x = d + 2.0 * h;
    value.GesamtKosten = x * x * 300.0 * w;
    value.Anzahl = d + h;
    return true;
}

bool TMannschaft::KostenWechselHeimAuswaerts(const TPlan& plan, double w, TKostenValue& value,
                                             std::vector<std::string>* messages,
                                             TMessageType /*withMessages*/) {
    bool previousHome = false;
    int run = 0;
    int n = 0;
    double s = 0.0;
    const int gameCount = static_cast<int>(gamesRef.size());
    for (int i = 0; i < gameCount; ++i) {
        const TGame* game = gamesRef[static_cast<std::size_t>(i)];
        if (!game->DateValid() || !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        const bool home = game->MannschaftHeim == this;
        if (i > 0) {
            if (home != previousHome) {
                run = 0;
            } else if (!EndsPair(i)) {
                // Same side again and not the second game of a coupled pair: the run grows.
                ++run;
                ++n;
                const double r = run;
                s += r * r * r * r;
            }
        }
        previousHome = home;
    }
    if (messages != nullptr) {
        messages->push_back("Kein Wechsel Heimspiel und Auswärtsspiel: " + std::to_string(n));
    }
    value.Anzahl = n;
    value.GesamtKosten = s * s / 30.0 * w;
    return true;
}

bool TMannschaft::KostenAbstandHeimAuswaerts(const TPlan& plan, double w, TKostenValue& value,
                                             std::vector<std::string>* messages,
                                             TMessageType /*withMessages*/) {
    const TCalculateOptions& options = plan.getOptions();
    if (!options.DoubleRound && (options.RoundPlaning == rpHalfRound || options.RoundPlaning == rpFirstOnly ||
                                 options.RoundPlaning == rpCorona)) {
        return false;
    }
    const int teams = static_cast<int>(plan.Mannschaften.size());
    if (teams > MaxTeamsForAbstand) {
        throw TerminorError("Der Plan enthält zu viele Mannschaften. Für maximal " +
                            std::to_string(MaxTeamsForAbstand) + " kann der Plan generiert werden");
    }

    // Positions of the games against each opponent in the team's game list.
    std::array<std::array<int, MaxPositionsPerOpponent>, MaxTeamsForAbstand> positions;
    std::array<int, MaxTeamsForAbstand> positionCount{};
    const int gameCount = static_cast<int>(gamesRef.size());
    for (int p = 0; p < gameCount; ++p) {
        const TGame* game = gamesRef[static_cast<std::size_t>(p)];
        if (!game->DateValid()) {
            continue;
        }
        const int opponent = Opponent(*game, this)->Index;
        if (opponent < 0 || opponent >= MaxTeamsForAbstand) {
            continue;
        }
        int& count = positionCount[static_cast<std::size_t>(opponent)];
        if (count < MaxPositionsPerOpponent) {
            positions[static_cast<std::size_t>(opponent)][static_cast<std::size_t>(count)] = p;
            ++count;
        }
    }
    std::array<int, MaxTeamsForAbstand*(MaxPositionsPerOpponent - 1)> distances;
    std::size_t distanceCount = 0;
    for (int k = 0; k < teams; ++k) {
        const auto opponent = static_cast<std::size_t>(k);
        for (int j = 1; j < positionCount[opponent]; ++j) {
            distances[distanceCount++] = positions[opponent][static_cast<std::size_t>(j)] -
                                         positions[opponent][static_cast<std::size_t>(j - 1)];
        }
    }

    double mean = 1.0;
    double weightedMax = 0.0;
    double maxDeviation = 0.0;
    if (distanceCount >= 2) {
        double sum = 0.0;
        for (std::size_t k = 0; k < distanceCount; ++k) {
            sum += distances[k];
        }
        mean = sum / static_cast<double>(distanceCount);
        for (std::size_t k = 0; k < distanceCount; ++k) {
            const double x = distances[k];
            const double deviation = std::fabs(x - mean);
            // Second meetings that come too early weigh double.
            weightedMax = std::max(weightedMax, (x < mean ? 2.0 : 1.0) * deviation);
            maxDeviation = std::max(maxDeviation, deviation);
        }
    }
    const int n = static_cast<int>(std::floor(maxDeviation + 0.5));
    value.Anzahl = n;
    if (messages != nullptr) {
        messages->push_back("Maximale Abweichung Reihenfolge Heim- und Auswärtsspiel: " + FormatValue(n));
    }
    value.GesamtKosten = std::pow(6.0 * weightedMax / mean, 6.0) / 5000.0 * w;
    return true;
}

bool TMannschaft::KostenRanking(const TPlan& plan, double w, TKostenValue& value,
                                std::vector<std::string>* messages, TMessageType withMessages) {
    if (plan.RankingIndexe.empty()) {
        return false;
    }
    TeamSlots rankingPositions;
    RankingPositions(plan, rankingPositions);
    const int teams = static_cast<int>(plan.Mannschaften.size());
    const int lastRound = static_cast<int>(plan.Rounds().size()) - 1;
    const bool detail = messages != nullptr && withMessages == tmDetailMessage;

    // q: how many games of the round are still to come; a strong opponent met while more of the
    // round's games remain than the seeding distance is met too early.
    int q = 0;
    double factor = 1.0;
    int previousRound = -1;
    int n = 0;
    double s = 0.0;
    for (const TGame* game : gamesRef) {
        if (!game->DateValid()) {
            continue;
        }
        const int r = plan.GetRoundNumberByDate(game->FDate);
        if (r != previousRound) {
            q = teams - 1;
            if (r == lastRound) {
                factor = 4.0;
            }
        } else {
            --q;
        }
        previousRound = r;
        const TMannschaft* opponent = Opponent(*game, this);
        const int diff = RankingDiff(rankingPositions, Index, opponent->Index) - q;
        if (diff > 0 && q > 0) {
            s += diff / std::pow(static_cast<double>(q), 1.25) * factor;
            ++n;
            if (detail) {
                messages->push_back("Spiel gegen " + opponent->teamName + " sollte " + std::to_string(diff) +
                                    " Spieltage früher stattfinden");
            }
        }
    }
    value.Anzahl = n;
    value.GesamtKosten = std::pow(s / 8.0, 3.0) * w;
    return true;
}

bool TMannschaft::KostenMandatoryGames(const TPlan& plan, double w, TKostenValue& value,
                                       std::vector<std::string>* messages, TMessageType /*withMessages*/) {
    int allCount = 0;
    int n = 0;
    const int gameCount = static_cast<int>(gamesRef.size());
    for (const TPlanMandatoryTime& period : plan.MandatoryGameDays) {
        if (!plan.IsInRoundToGenerate(period.DateFrom)) {
            continue;
        }
        allCount += period.GameCount;
        const int fromDay = DayNumber(period.DateFrom);
        const int toDay = DayNumber(period.DateTo);
        int count = 0;
        for (int i = gamesRef.getFirstGameRefIndexByDate(period.DateFrom); i < gameCount; ++i) {
            const TGame* game = gamesRef[static_cast<std::size_t>(i)];
            if (!game->DateValid()) {
                continue;
            }
            const int day = DayNumber(game->FDate);
            if (day > toDay) {
                break;
            }
            if (day >= fromDay) {
                ++count;
            }
        }
        if (count < period.GameCount) {
            const int shortfall = period.GameCount - count;
            n += shortfall;
            if (messages != nullptr) {
                messages->push_back(std::to_string(shortfall) + " Spiel(e) zu wenig vom " +
                                    FormatDayDate(period.DateFrom) + " - " + FormatDayDate(period.DateTo));
            }
        }
    }
    value.AllCount = allCount;
    value.Anzahl = n;
    value.GesamtKosten = static_cast<double>(n) * n * 1000.0 * w;
    return true;
}

void TMannschaft::getRankingDiffs(const TPlan& plan, std::vector<int>& resultValues) const {
    resultValues.clear();
    TeamSlots rankingPositions;
    RankingPositions(plan, rankingPositions);
    for (const TGame* game : gamesRef) {
        resultValues.push_back(RankingDiff(rankingPositions, Index, Opponent(*game, this)->Index));
    }
}

} // namespace terminor
