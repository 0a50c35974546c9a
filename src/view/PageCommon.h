#pragma once
// What the page routines of the plan view share: its colours and text sizes, the page heading,
// the alternating row bands, the "no game dated" page, and the cost cell with its red share
// background and weight marker. User-interface thread only.

#include <optional>
#include <string_view>

#include <QColor>

#include "view/PlanPages.h"

namespace terminor {

class TPlan;
class TZoomCanvas;

// Colours of the plan view.
inline const QColor PageBackgroundColor{255, 255, 255};
inline const QColor RowBandColor{240, 240, 240};
/// Games of neighbouring teams, and of the direct neighbours among them.
inline const QColor NeighbourGameColor{128, 128, 128};
inline const QColor DirectNeighbourGameColor{0, 0, 255};
/// Weight markers: increased, reduced; an ignored weight shows a black "X".
inline const QColor MarkerIncreasedColor{0, 128, 0};
inline const QColor MarkerReducedColor{255, 0, 0};
inline const QColor PageTextColor{0, 0, 0};

// Font heights in logical units (negative: character height).
inline constexpr double HeadingFontHeight = -18;
inline constexpr double BodyFontHeight = -12;
inline constexpr double MarkerFontHeight = 11;

/// Band height of the cost table rows.
inline constexpr int RowBandHeight = 30;
/// The text shown instead of a page whose plan has no dated game.
inline constexpr std::string_view NoGamesScheduledText = "Keine Spiele terminiert";

/// A text at heading size at (x, y); the canvas is back at body size afterwards.
void DrawHeadingText(TZoomCanvas& canvas, int x, int y, std::string_view text);

/// `count` bands of `bandHeight` from `top`, `width` wide from x 0; the first, third, ... band is
/// filled with the band colour, the others stay white.
void DrawRowBands(TZoomCanvas& canvas, int top, int count, int width, int bandHeight = RowBandHeight);

/// Whether any game of the plan's gamesAllowed has a date.
bool HasDatedGames(const TPlan& plan);
/// Draws only "Keine Spiele terminiert" at the top left and returns its extent.
TPageExtent DrawNoGamesScheduled(TZoomCanvas& canvas);
/// The text shown instead of a page whose plan has no teams.
inline constexpr std::string_view NoPlanLoadedText = "Kein Plan geladen";
/// Draws only "Kein Plan geladen" at the top left and returns its extent.
TPageExtent DrawNoPlanLoaded(TZoomCanvas& canvas);

/// The counts of a cost cell: Anzahl and AllCount of a team cost (AllCount below 0: none).
struct TKostenCounts {
    int Anzahl = 0;
    int AllCount = -1;
};

/// The text of a cost value: FormatLargeValue, with counts "A /N (value)" or "A (value)".
std::string KostenCellText(double value, std::optional<TKostenCounts> counts);
/// The red share 255 - int(value * 255 / total), clamped to 0..255; 255 when total is not above 0.
int KostenShare(double total, double value);

/// The width of a cost table column, and where a cell's weight marker ends, from the cell's x.
inline constexpr int KostenCellWidth = 110;
inline constexpr int KostenMarkerEnd = 90;
/// The width a cost cell's text may take: up to its marker, or without one up to the next column.
int KostenCellRoom(TZoomCanvas& canvas, int marker);

/// A cost cell at (x, y): the value text on a red background when its share of `total` is at least
/// 16/255 (the redder the larger), followed by the weight marker `marker` (see DrawWeightMarker).
/// A text wider than its room (KostenCellRoom) is drawn smaller, and shortened when that is not
/// enough.
void DrawKostenCell(TZoomCanvas& canvas, int x, int y, double total, double value,
                    std::optional<TKostenCounts> counts, int marker);

/// The weight marker of the cell at x, right-aligned to end at x + 90: below -999 a black "X",
/// below 0 the number in red, 0 nothing, above 0 "+n" in green.
void DrawWeightMarker(TZoomCanvas& canvas, int x, int y, int marker);

} // namespace terminor
