// The charts "Spieltage" and "Wechsel Heim/Auswärts": the game days of all teams over the
// calendar, and each team's sequence of home and away games.

#include <algorithm>
#include <limits>
#include <vector>

#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int RowHeight = 30;

/// The earliest and latest date of one game day over all teams.
struct TGameDaySpan {
    TDateTime First = 0;
    TDateTime Last = 0;
};

/// Per game day (the i-th entry of every team's game list) its span; days without a date dropped.
std::vector<TGameDaySpan> GameDaySpans(const TPlan& plan) {
    std::vector<TGameDaySpan> spans;
    const auto days = static_cast<std::size_t>(plan.getMaxGamePerMannschaft());
    for (std::size_t i = 0; i < days; ++i) {
        TGameDaySpan span{std::numeric_limits<double>::max(), 0};
        for (const auto& team : plan.Mannschaften) {
            if (i < team->gamesRef.size() && team->gamesRef[i]->DateValid()) {
                span.First = std::min(span.First, team->gamesRef[i]->FDate);
                span.Last = std::max(span.Last, team->gamesRef[i]->FDate);
            }
        }
        if (span.Last != 0) {
            spans.push_back(span);
        }
    }
    return spans;
}

/// Grey behind every stretch where game day i has not ended when game day i + s begins; the
/// farther apart the two days, the darker.
void DrawOverlaps(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int top, int bottom) {
    const std::vector<TGameDaySpan> spans = GameDaySpans(plan);
    const QColor oldBrush = canvas.BrushColor();
    for (std::size_t s = 1; s < spans.size(); ++s) {
        const int grey = 255 - std::min(25 * static_cast<int>(s), 128);
        canvas.SetBrushColor(QColor(grey, grey, grey));
        for (std::size_t i = 0; i + s < spans.size(); ++i) {
            const TGameDaySpan& later = spans[i + s];
            if (DayNumber(spans[i].Last) >= DayNumber(later.First)) {
                const int left = axis.X(later.First);
                canvas.FillRect({left, top, std::max(axis.X(spans[i].Last), left + 1), bottom});
            }
        }
    }
    canvas.SetBrushColor(oldBrush);
}

} // namespace

TChartExtent DrawSpieltageChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y) {
    DrawHeadingText(canvas, 0, y, "Spieltage");
    axis.DrawCalendar(canvas, y + 30);
    const int teams = static_cast<int>(plan.Mannschaften.size());
    DrawOverlaps(canvas, plan, axis, y + 60, y + 60 + RowHeight * teams - 10);

    std::vector<std::vector<const TGame*>> games;
    for (const auto& team : plan.Mannschaften) {
        games.push_back(DatedGames(*team));
    }
    const QColor oldPen = canvas.PenColor();
    for (int i = 0; i + 1 < teams; ++i) {
        const auto& upper = games[static_cast<std::size_t>(i)];
        const auto& lower = games[static_cast<std::size_t>(i + 1)];
        const int rowY = y + 65 + RowHeight * i;
        for (std::size_t k = 0; k < std::min(upper.size(), lower.size()); ++k) {
            canvas.SetPenColor(k % 2 == 0 ? GameDayLinkEvenColor : GameDayLinkOddColor);
            canvas.MoveTo(axis.X(upper[k]->FDate), rowY + 5);
            canvas.LineTo(axis.X(lower[k]->FDate), rowY + RowHeight + 5);
        }
    }
    canvas.SetPenColor(oldPen);
    for (int i = 0; i < teams; ++i) {
        const TMannschaft& team = *plan.Mannschaften[static_cast<std::size_t>(i)];
        const int rowY = y + 65 + RowHeight * i;
        canvas.TextOut(0, rowY, team.teamName);
        for (const TGame* game : games[static_cast<std::size_t>(i)]) {
            DrawMark(canvas, axis.X(game->FDate), rowY,
                     PlaysAtHome(team, *game) ? HomeGameColor : AwayGameColor);
        }
    }

    const int legendY = y + 70 + RowHeight * teams;
    DrawLegendMark(canvas, 10, legendY, HomeGameColor, "Heimspiel");
    DrawLegendMark(canvas, 110, legendY, AwayGameColor, "Auswärtsspiel");
    canvas.TextOut(210, legendY, "Überlappungen der Spieltage sind grau hinterlegt");
    return {axis.Right(), legendY + 20};
}

TChartExtent DrawWechselChart(TZoomCanvas& canvas, const TPlan& plan, int y) {
    DrawHeadingText(canvas, 0, y, "Wechsel Heim/Auswärts");
    const int teams = static_cast<int>(plan.Mannschaften.size());
    DrawRowBands(canvas, y + 32, teams, 310 + 10 * plan.getMaxGamePerMannschaft());
    int largestX = 310;
    int rowY = y + 40;
    for (const auto& team : plan.Mannschaften) {
        canvas.TextOut(0, rowY, team->teamName);
        int x = 310;
        bool first = true;
        for (const TGame* game : DatedGames(*team)) {
            const int pointY = PlaysAtHome(*team, *game) ? rowY + 10 : rowY;
            if (first) {
                canvas.MoveTo(x, pointY);
                first = false;
            }
            canvas.LineTo(x, pointY);
            largestX = std::max(largestX, x);
            x += 10;
        }
        rowY += RowHeight;
    }
    return {largestX + 100, y + 32 + RowHeight * teams};
}

} // namespace terminor
