// The charts "Spielverteilung" and "Abstand Heimspiel zu Auswärtsspiel": each team's games on the
// calendar with their dates, and the distances between the meetings of the same two teams.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int DistributionRowHeight = 80;
constexpr int MarkerRadius = 5;
/// How far a team name reaches below its row's y.
constexpr int RowTextHeight = 15;

/// The left edges of labels `thickness` wide, in the order of their centres `centres` (ascending):
/// each centred on its line where there is room; labels that would overlap are pushed apart as a
/// group, centred on their lines' mean, just enough to touch.
std::vector<double> SpreadLabels(const std::vector<int>& centres, double thickness) {
    struct TGroup {
        std::size_t Count = 0;
        double Sum = 0; // of each member's wanted left edge less its offset in the group
        double Left() const { return Sum / static_cast<double>(Count); }
    };
    std::vector<TGroup> groups;
    for (const int centre : centres) {
        groups.push_back({1, centre - thickness / 2});
        while (groups.size() > 1) {
            const TGroup last = groups.back();
            TGroup& previous = groups[groups.size() - 2];
            if (previous.Left() + static_cast<double>(previous.Count) * thickness <= last.Left()) {
                break;
            }
            // The members of `last` move back by the count of `previous` in the joined group.
            previous.Sum += last.Sum - static_cast<double>(last.Count * previous.Count) * thickness;
            previous.Count += last.Count;
            groups.pop_back();
        }
    }
    std::vector<double> lefts;
    for (const TGroup& group : groups) {
        for (std::size_t k = 0; k < group.Count; ++k) {
            lefts.push_back(group.Left() + static_cast<double>(k) * thickness);
        }
    }
    return lefts;
}

/// The dates of a row's games written upwards, starting 12 above the row, each over its line.
void DrawRotatedDates(TZoomCanvas& canvas, const std::vector<std::pair<int, TDateTime>>& games, int rowY) {
    std::vector<int> centres;
    for (const auto& game : games) {
        centres.push_back(game.first);
    }
    // A unit of room between neighbouring labels.
    const double thickness = canvas.TextExtent("00.00").height() + 1;
    const std::vector<double> lefts = SpreadLabels(centres, thickness);
    canvas.FontRotation = -90;
    for (std::size_t i = 0; i < games.size(); ++i) {
        canvas.TextOut(static_cast<int>(std::lround(lefts[i])), rowY - 12, FormatDayMonth(games[i].second));
    }
    canvas.FontRotation = 0;
}

const TMannschaft* OpponentOf(const TMannschaft& team, const TGame& game) {
    return PlaysAtHome(team, game) ? game.MannschaftGast : game.MannschaftHeim;
}

/// A horizontal line from x1 to x2 at y with a short tick at each end.
void DrawSpacingLine(TZoomCanvas& canvas, int x1, int x2, int y) {
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
    for (const int x : {x1, x2}) {
        canvas.MoveTo(x, y - 2);
        canvas.LineTo(x, y + 3);
    }
}

} // namespace

TChartExtent DrawSpielverteilungChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y) {
    DrawHeadingText(canvas, 0, y, "Spielverteilung");
    axis.DrawCalendar(canvas, y + 30);
    const int teams = static_cast<int>(plan.Mannschaften.size());
    axis.DrawWeekLines(canvas, y + 50, y + 50 + DistributionRowHeight * teams);
    const QColor oldBrush = canvas.BrushColor();
    // A row, its upward dates included, stays on one page.
    const int labelLength = canvas.TextExtent("00.00").width();
    int rowY = y + 110;
    for (const auto& team : plan.Mannschaften) {
        canvas.KeepTogether(rowY - 12 - labelLength, rowY + RowTextHeight);
        canvas.TextOut(0, rowY, team->teamName);
        std::vector<std::pair<int, TDateTime>> dates;
        for (std::size_t k = 0; k < team->gamesRef.size(); ++k) {
            const TGame* game = team->gamesRef[k];
            if (!game->DateValid()) {
                continue;
            }
            const int x = axis.X(game->FDate);
            dates.emplace_back(x, game->FDate);
            canvas.MoveTo(x, rowY);
            canvas.LineTo(x, rowY - 10);
            canvas.SetBrushColor(PlaysAtHome(*team, *game) ? HomeMarkerColor : AwayMarkerColor);
            if (team->getKoppeledGame(static_cast<int>(k)) != nullptr) {
                canvas.DrawQuadrat(x, rowY, MarkerRadius);
            } else {
                canvas.DrawArc(x, rowY, MarkerRadius);
            }
        }
        std::stable_sort(dates.begin(), dates.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        DrawRotatedDates(canvas, dates, rowY);
        rowY += DistributionRowHeight;
    }
    canvas.SetBrushColor(oldBrush);
    int bottom = y + 50 + DistributionRowHeight * teams;
    if (plan.HasKoppelTermine() || plan.HasAuswaertsKoppelTermine()) {
        const int legendY = rowY - DistributionRowHeight + 30;
        canvas.TextOut(0, legendY,
                       "Koppeltermine/Doppelspieltage sind als Quadrate dargestellt  "
                       "rot=Heimspiel schwarz=Auswärtsspiel");
        bottom = std::max(bottom, legendY + 20);
    }
    return {axis.Right(), bottom};
}

QColor SpacingLineColor(int distance, double ideal) {
    double deviation = std::abs(distance - ideal) / ideal;
    if (distance > ideal) {
        deviation /= 1.25;
    }
    const int l = static_cast<int>(std::clamp(255.0 - std::trunc(255.0 * deviation), 0.0, 255.0));
    return 255 - l < l ? QColor(255 - l, 255, 0) : QColor(255, l, 0);
}

TChartExtent DrawAbstandChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y) {
    DrawHeadingText(canvas, 0, y, "Abstand Heimspiel zu Auswärtsspiel");
    axis.DrawCalendar(canvas, y + 30);
    const double rounds = static_cast<double>(std::max<std::size_t>(plan.Rounds().size(), 1));
    const QColor oldPen = canvas.PenColor();
    int lineY = y + 55;
    for (const auto& team : plan.Mannschaften) {
        canvas.TextOut(0, lineY, team->teamName);
        const double ideal = static_cast<double>(team->gamesRef.size()) / rounds;
        const std::vector<const TGame*> games = DatedGames(*team);
        std::set<const TMannschaft*> seen;
        int lastLineY = lineY;
        for (std::size_t first = 0; first < games.size(); ++first) {
            const TMannschaft* opponent = OpponentOf(*team, *games[first]);
            if (!seen.insert(opponent).second) {
                continue;
            }
            std::size_t previous = first;
            for (std::size_t next = first + 1; next < games.size(); ++next) {
                if (OpponentOf(*team, *games[next]) != opponent) {
                    continue;
                }
                canvas.SetPenColor(SpacingLineColor(static_cast<int>(next - previous), ideal));
                DrawSpacingLine(canvas, axis.X(games[previous]->FDate), axis.X(games[next]->FDate), lineY);
                previous = next;
            }
            lastLineY = lineY;
            lineY += 5;
        }
        lineY = lastLineY + 10;
    }
    canvas.SetPenColor(oldPen);
    return {axis.Right(), lineY};
}

} // namespace terminor
