// The page "Diagramme": the charts of a dated schedule stacked from top to bottom, each 40 below
// the previous one; the spacing chart and the seeding chart only where they apply.

#include <algorithm>

#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int MinPageWidth = 500;
constexpr int ChartGap = 40;

} // namespace

TPageExtent DrawDiagramPage(TZoomCanvas& canvas, TPlan& plan, bool) {
    if (!HasDatedGames(plan)) {
        return DrawNoGamesScheduled(canvas);
    }
    canvas.FontHeight = BodyFontHeight;
    canvas.SetFontColor(PageTextColor);
    const TDateAxis axis(plan);
    int width = 0;
    int bottom = 0;
    const auto stack = [&width, &bottom](TChartExtent chart) {
        width = std::max(width, chart.Width);
        bottom = chart.Bottom;
    };
    stack(DrawSpieltageChart(canvas, plan, axis, 0));
    stack(DrawWechselChart(canvas, plan, bottom + ChartGap));
    stack(DrawSpielverteilungChart(canvas, plan, axis, bottom + ChartGap));
    const TRoundPlaning planing = plan.getOptions().RoundPlaning;
    if (planing == rpBoth || planing == rpSecondOnly) {
        stack(DrawAbstandChart(canvas, plan, axis, bottom + ChartGap));
    }
    stack(DrawSpieleProWocheChart(canvas, plan, bottom + ChartGap));
    if (plan.HasRanking()) {
        stack(DrawSetzlisteChart(canvas, plan, bottom + ChartGap));
    }
    return {std::max(MinPageWidth, width + 100), bottom};
}

} // namespace terminor
