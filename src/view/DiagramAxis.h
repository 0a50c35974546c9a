#pragma once
// What the calendar charts of the plan view share: their colours, the date axis (4 units per day
// from x 300, where the team names end) with its calendar-week header and week lines, and the
// small marks of games and wishes. User-interface thread only.

#include <vector>

#include <QColor>

#include "data/DateTime.h"

namespace terminor {

class TGame;
class TMannschaft;
class TPlan;
class TZoomCanvas;

// Colours of the charts and of the wish page.
inline const QColor CalendarWeekLineColor{200, 200, 200};
inline const QColor HomeGameColor{255, 0, 0};
inline const QColor AwayGameColor{0, 0, 0};
inline const QColor GameDayLinkEvenColor{255, 215, 0};
inline const QColor GameDayLinkOddColor{0, 205, 205};
inline const QColor HomeMarkerColor{255, 128, 128};
inline const QColor AwayMarkerColor{128, 128, 128};
inline const QColor WishMarkColor{0, 0, 0};
inline const QColor KoppelWishMarkColor{0, 0, 255};
inline const QColor SperrTerminMarkColor{255, 0, 0};
inline const QColor HallOccupiedWishColor{255, 165, 0};
inline const QColor FreeGameDayWishColor{255, 0, 0};
inline const QColor EnoughWishesColor{60, 179, 113};
inline const QColor TooFewWishesColor{255, 0, 0};

/// The x of the team-name column's end, where the date axis starts.
inline constexpr int DateAxisStartX = 300;

/// The date axis over the span of all teams' date wishes.
class TDateAxis {
public:
    /// The span of every team's wishes; without any wish, that of the dated games.
    explicit TDateAxis(const TPlan& plan);

    /// 300 plus the integer part of 4 units per day since the earliest date.
    int X(TDateTime date) const;
    /// The Monday on or before the earliest date.
    TDateTime FirstMonday() const { return FFirstMonday; }
    /// The latest date; the weeks run up to the one holding it.
    TDateTime Last() const { return FLast; }
    /// The x of the last week's Sunday, the right end of the axis.
    int Right() const;

    /// "KW" at x 0, then per week grey lines 15 high at the x of its Monday and of its Sunday,
    /// and its ISO week number 10 right of the Monday.
    void DrawCalendar(TZoomCanvas& canvas, int y) const;
    /// Grey vertical lines at every Monday from `top` to `bottom`.
    void DrawWeekLines(TZoomCanvas& canvas, int top, int bottom) const;

private:
    TDateTime FFirst = 0;
    TDateTime FLast = 0;
    TDateTime FFirstMonday = 0;
};

/// A team's games with a date, in date order.
std::vector<const TGame*> DatedGames(const TMannschaft& team);
/// Whether the team is the home team of the game.
bool PlaysAtHome(const TMannschaft& team, const TGame& game);

/// A mark 2 wide and 10 high with its top-left corner at (x, y).
void DrawMark(TZoomCanvas& canvas, int x, int y, const QColor& color);
/// A legend entry: a mark at x, its text right of it.
void DrawLegendMark(TZoomCanvas& canvas, int x, int y, const QColor& color, const char* text);

} // namespace terminor
