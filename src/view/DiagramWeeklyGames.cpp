// The chart "Anzahl Spiele pro Woche": per half a table of the game-day weeks with each team's
// games in the week and in total, and how far apart the teams' game counts are.

#include <algorithm>
#include <string>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int FirstColumnX = 300;
constexpr int ColumnWidth = 70;
constexpr int RowHeight = 30;
constexpr TDateTime OneSecond = 1.0 / 86400.0;
const QColor DifferenceLineColor{200, 200, 200};
const QColor LargeDifferenceColor{255, 0, 0};

int ColumnX(std::size_t column) {
    return FirstColumnX + ColumnWidth * static_cast<int>(column);
}

/// The table of one half from the section's y on: the weeks starting at `mondays`, the last one
/// ending before `end`. Returns the y of its last row.
int DrawWeekTable(TZoomCanvas& canvas, const TPlan& plan, const std::vector<TDateTime>& mondays,
                  TDateTime end, int sectionY) {
    const int headY = sectionY + 30;
    canvas.TextOut(0, headY, "Spieltag");
    canvas.TextOut(0, headY + 40, "(Spiele die Woche / Spiele Gesamt)");
    for (std::size_t i = 0; i < mondays.size(); ++i) {
        DrawHeadingText(canvas, ColumnX(i), headY, std::to_string(i + 1));
        canvas.TextOut(ColumnX(i), headY + 25, FormatDayMonth(mondays[i]));
        canvas.TextOut(ColumnX(i), headY + 40, "- " + FormatDayMonth(mondays[i] + 6));
    }

    int rowY = headY + 75;
    const int width = mondays.empty() ? FirstColumnX : ColumnX(mondays.size() - 1);
    DrawRowBands(canvas, rowY - 8, static_cast<int>(plan.Mannschaften.size()), width);
    std::vector<int> most(mondays.size(), 0);
    std::vector<int> fewest(mondays.size(), 0);
    bool firstTeam = true;
    for (const auto& team : plan.Mannschaften) {
        canvas.TextOut(0, rowY, team->teamName);
        int total = 0;
        for (std::size_t i = 0; i < mondays.size(); ++i) {
            const TDateTime next = i + 1 < mondays.size() ? mondays[i + 1] : end;
            const int inWeek = team->getGameCount(mondays[i], next - OneSecond);
            total += inWeek;
            canvas.TextOut(ColumnX(i), rowY, std::to_string(inWeek) + " / " + std::to_string(total));
            most[i] = firstTeam ? total : std::max(most[i], total);
            fewest[i] = firstTeam ? total : std::min(fewest[i], total);
        }
        firstTeam = false;
        rowY += RowHeight;
    }

    const QColor oldPen = canvas.PenColor();
    canvas.SetPenColor(DifferenceLineColor);
    canvas.MoveTo(0, rowY);
    canvas.LineTo(width, rowY);
    canvas.SetPenColor(oldPen);
    rowY += 10;
    canvas.TextOut(0, rowY, "maximale Differenz absolvierter Spiele");
    for (std::size_t i = 0; i < mondays.size(); ++i) {
        const int difference = most[i] - fewest[i];
        canvas.SetFontColor(difference > 2 ? LargeDifferenceColor : PageTextColor);
        canvas.TextOut(ColumnX(i), rowY, std::to_string(difference));
    }
    canvas.SetFontColor(PageTextColor);
    return rowY;
}

} // namespace

TChartExtent DrawSpieleProWocheChart(TZoomCanvas& canvas, const TPlan& plan, int y) {
    DrawHeadingText(canvas, 0, y + 50, "Anzahl Spiele pro Woche");
    DrawHeadingText(canvas, 0, y + 100, "Hinrunde");
    const TRoundPlaning planing = plan.getOptions().RoundPlaning;
    const TDateTime firstEnd = planing == rpHalfRound ? plan.DateEnd : plan.DateBeginRueckrundeInXML;
    std::vector<TDateTime> mondays;
    plan.getSpieltagMondays(mondays, 0, firstEnd - OneSecond, true);
    std::size_t columns = mondays.size();
    int lastY = DrawWeekTable(canvas, plan, mondays, firstEnd, y + 100);
    if (planing != rpHalfRound && planing != rpFirstOnly && planing != rpCorona) {
        const int sectionY = lastY + 30;
        DrawHeadingText(canvas, 0, sectionY, "Rückrunde");
        const TDateTime secondEnd = EncodeDate(2500, 1, 1);
        plan.getSpieltagMondays(mondays, plan.DateBeginRueckrundeInXML, secondEnd - OneSecond, true);
        columns = std::max(columns, mondays.size());
        lastY = DrawWeekTable(canvas, plan, mondays, secondEnd, sectionY);
    }
    return {ColumnX(columns), lastY + 20};
}

} // namespace terminor
