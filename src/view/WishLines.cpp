// The wish lines of the wish page and the evaluation of a half.

#include "view/WishLines.h"

#include <array>
#include <cmath>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/PageCommon.h"

namespace terminor {

namespace {

/// The coupling options in the order in which the first one present is named.
constexpr std::array<TWunschterminOption, 6> NamedKoppelOptions = {
    woKoppelDoubleDatePossible, woKoppelDoubleDateHard,
    woKoppelDoubleDateSoft,     woKoppelSoft,
    woKoppelPossible,           woKoppelHard};

} // namespace

TWishLine MakeWishLine(const TPlan& plan, const TMannschaft& team, const TWunschTermin& wish) {
    TWishLine line;
    line.Color = PageTextColor;
    line.Text = FormatDayDateTime(wish.Date);
    for (const TWunschterminOption option : NamedKoppelOptions) {
        if (wish.Options.Contains(option)) {
            line.Text += ", ";
            line.Text += WunschterminOptionText(option);
            break;
        }
    }
    if (wish.ParallelGames > 0) {
        line.Text += ", maximale Heimspiele: " + std::to_string(wish.ParallelGames);
    }
    if (team.isAusWeichTermin(wish.Date)) {
        line.Text += ", Ausweichtermin";
    }
    if (!wish.Location.empty()) {
        line.Text += ", Spiellokal: " + wish.Location;
    }
    line.FreeGameDay = plan.IsFreeGameDay(wish.Date);
    // Halls and parallel games are counted as the costs count them: the games of other divisions
    // and the home games this plan's schedule gives the club's other teams in it.
    int occupants = 0;
    std::string occupantNames;
    team.GetHallenBelegung(wish.Date, wish.Location, plan, occupants, occupantNames, true, false);
    if (wish.ParallelGames > 0 && occupants >= wish.ParallelGames) {
        line.Text += ", Halle ist belegt von: " + occupantNames;
        line.Color = HallOccupiedWishColor;
        line.Occupied = !line.FreeGameDay;
    }
    int parallel = 0;
    std::string parallelGames;
    team.GetParallelGames(wish.Date, plan, parallel, parallelGames, true, false);
    if (parallel > 0) {
        line.Text += ", parallele Spiele (" + std::to_string(parallel) + "): " + parallelGames;
        line.Parallel = true;
    }
    if (line.FreeGameDay) {
        line.Text += ", spielfreier Tag";
        line.Color = FreeGameDayWishColor;
    }
    return line;
}

void TWishCounts::Add(const TWishLine& line) {
    ++All;
    Occupied += line.Occupied ? 1 : 0;
    FreeGameDays += line.FreeGameDay ? 1 : 0;
    Parallel += line.Parallel ? 1 : 0;
}

int NeededWishesPerHalf(const TPlan& plan) {
    const int opponents = static_cast<int>(plan.Mannschaften.size()) - 1;
    const double games = plan.getOptions().DoubleRound ? opponents : opponents / 2.0;
    return static_cast<int>(std::trunc(games + 0.75)) + 2;
}

std::string EvaluationText(std::string_view label, const TWishCounts& counts) {
    std::string text(label);
    text += std::to_string(counts.All);
    const auto part = [&text](const char* name, int count) {
        if (count > 0) {
            text += name + std::to_string(count);
        }
    };
    part(", davon belegt: ", counts.Occupied);
    part(", davon an spielfreien Tagen: ", counts.FreeGameDays);
    part(", davon mit parallelen Spielen: ", counts.Parallel);
    text += ", effektiv: " + std::to_string(counts.Effective());
    return text;
}

QColor EvaluationColor(const TPlan& plan, const TWishCounts& counts) {
    return NeededWishesPerHalf(plan) > counts.Effective() ? TooFewWishesColor : EnoughWishesColor;
}

} // namespace terminor
