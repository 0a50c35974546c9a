// The chart "Setzliste": per team and game a bar of the distance between the two teams in the
// seeding list, against a countdown of the games left in the round; strong teams should meet late.

#include <vector>

#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int RowHeight = 60;
/// Where a row's band begins and ends, from the row's y.
constexpr int BandAbove = 38;
constexpr int BandBelow = 22;
const QColor RankingFitColor{0, 128, 0};
const QColor RankingAboveColor{255, 255, 0};
const QColor RankingFarAboveColor{255, 153, 102};
const QColor RankingWayAboveColor{255, 0, 0};
const QColor RankingGuideColor{192, 192, 192};

/// The bar colour of a rank difference `d` at countdown `c`.
QColor RankingBarColor(int d, int c) {
    if (d > 5 * c) {
        return RankingWayAboveColor;
    }
    if (d > 2 * c) {
        return RankingFarAboveColor;
    }
    return d > c ? RankingAboveColor : RankingFitColor;
}

void DrawTeamBars(TZoomCanvas& canvas, const TPlan& plan, const TMannschaft& team, int rowY) {
    std::vector<int> diffs;
    team.getRankingDiffs(plan, diffs);
    const int countdownStart = static_cast<int>(plan.Mannschaften.size()) - 1;
    int x = 300;
    int previousRound = -1;
    int countdown = countdownStart;
    int previousCountdown = countdownStart;
    for (std::size_t k = 0; k < team.gamesRef.size() && k < diffs.size(); ++k) {
        const TGame* game = team.gamesRef[k];
        if (!game->DateValid()) {
            continue;
        }
        const int round = plan.GetRoundNumberByDate(game->FDate);
        if (round != previousRound) {
            x += 50;
            countdown = countdownStart;
        } else {
            canvas.SetPenColor(RankingGuideColor);
            canvas.MoveTo(x - 13, rowY + 15 - 5 * previousCountdown);
            canvas.LineTo(x + 7, rowY + 25 - 5 * previousCountdown);
        }
        const int d = diffs[k];
        canvas.SetBrushColor(RankingBarColor(d, countdown));
        canvas.FillRect({x, rowY + 20 - 5 * d, x + 5, rowY + 20});
        previousRound = round;
        previousCountdown = countdown;
        --countdown;
        x += 10;
    }
}

} // namespace

TChartExtent DrawSetzlisteChart(TZoomCanvas& canvas, const TPlan& plan, int y) {
    DrawHeadingText(canvas, 0, y, "Setzliste");
    const int teams = static_cast<int>(plan.Mannschaften.size());
    const int width = 310 + 10 * plan.getMaxGamePerMannschaft() + 50 * static_cast<int>(plan.Rounds().size());
    DrawRowBands(canvas, y + 32, teams, width, RowHeight);
    const QColor oldBrush = canvas.BrushColor();
    const QColor oldPen = canvas.PenColor();
    int rowY = y + 70;
    for (const auto& team : plan.Mannschaften) {
        // A row stays on one page: its band with the name, the bars and the guide lines.
        canvas.KeepTogether(rowY - BandAbove, rowY + BandBelow);
        canvas.TextOut(0, rowY, team->teamName);
        DrawTeamBars(canvas, plan, *team, rowY);
        rowY += RowHeight;
    }
    canvas.SetBrushColor(oldBrush);
    canvas.SetPenColor(oldPen);
    return {width, y + 32 + RowHeight * teams};
}

} // namespace terminor
