// The date axis of the charts and the small marks they share.

#include "view/DiagramAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int UnitsPerDay = 4;
constexpr int CalendarLineHeight = 15;

} // namespace

TDateAxis::TDateAxis(const TPlan& plan) {
    TDateTime first = std::numeric_limits<double>::max();
    TDateTime last = 0;
    for (const auto& team : plan.Mannschaften) {
        for (const auto& wish : team->WunschTermine) {
            first = std::min(first, wish->Date);
            last = std::max(last, wish->Date);
        }
    }
    if (last == 0) {
        for (const TGame* game : plan.gamesAllowed) {
            if (game->DateValid()) {
                first = std::min(first, game->FDate);
                last = std::max(last, game->FDate);
            }
        }
    }
    if (last != 0) {
        FFirst = first;
        FLast = last;
        FFirstMonday = MondayOfWeek(first);
    }
}

int TDateAxis::X(TDateTime date) const {
    return DateAxisStartX + static_cast<int>(std::trunc(UnitsPerDay * (date - FFirst)));
}

int TDateAxis::Right() const {
    return X(MondayOfWeek(FLast) + 6);
}

void TDateAxis::DrawCalendar(TZoomCanvas& canvas, int y) const {
    canvas.TextOut(0, y, "KW");
    if (FLast == 0) {
        return;
    }
    const QColor oldPen = canvas.PenColor();
    canvas.SetPenColor(CalendarWeekLineColor);
    for (TDateTime monday = FFirstMonday; monday <= FLast; monday += 7) {
        for (const int x : {X(monday), X(monday + 6)}) {
            canvas.MoveTo(x, y);
            canvas.LineTo(x, y + CalendarLineHeight);
        }
        canvas.TextOut(X(monday) + 10, y, std::to_string(IsoWeekOfYear(monday)));
    }
    canvas.SetPenColor(oldPen);
}

void TDateAxis::DrawWeekLines(TZoomCanvas& canvas, int top, int bottom) const {
    if (FLast == 0) {
        return;
    }
    const QColor oldPen = canvas.PenColor();
    canvas.SetPenColor(CalendarWeekLineColor);
    for (TDateTime monday = FFirstMonday; monday <= FLast; monday += 7) {
        canvas.MoveTo(X(monday), top);
        canvas.LineTo(X(monday), bottom);
    }
    canvas.SetPenColor(oldPen);
}

std::vector<const TGame*> DatedGames(const TMannschaft& team) {
    std::vector<const TGame*> games;
    for (const TGame* game : team.gamesRef) {
        if (game->DateValid()) {
            games.push_back(game);
        }
    }
    std::stable_sort(games.begin(), games.end(),
                     [](const TGame* a, const TGame* b) { return a->FDate < b->FDate; });
    return games;
}

bool PlaysAtHome(const TMannschaft& team, const TGame& game) {
    return game.MannschaftHeim == &team;
}

void DrawMark(TZoomCanvas& canvas, int x, int y, const QColor& color) {
    const QColor oldBrush = canvas.BrushColor();
    canvas.SetBrushColor(color);
    canvas.FillRect({x, y, x + 2, y + 10});
    canvas.SetBrushColor(oldBrush);
}

void DrawLegendMark(TZoomCanvas& canvas, int x, int y, const QColor& color, const char* text) {
    DrawMark(canvas, x, y + 2, color);
    canvas.TextOut(x + 6, y, text);
}

} // namespace terminor
