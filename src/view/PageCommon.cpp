// Shared drawing pieces of the plan view's pages.

#include "view/PageCommon.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/ZoomCanvas.h"

namespace terminor {

void DrawHeadingText(TZoomCanvas& canvas, int x, int y, std::string_view text) {
    canvas.FontHeight = HeadingFontHeight;
    canvas.TextOut(x, y, text);
    canvas.FontHeight = BodyFontHeight;
}

void DrawRowBands(TZoomCanvas& canvas, int top, int count, int width, int bandHeight) {
    const QColor oldBrush = canvas.BrushColor();
    canvas.SetBrushColor(RowBandColor);
    for (int i = 0; i < count; i += 2) {
        const int bandTop = top + i * bandHeight;
        canvas.FillRect({0, bandTop, width, bandTop + bandHeight});
    }
    canvas.SetBrushColor(oldBrush);
}

bool HasDatedGames(const TPlan& plan) {
    return std::any_of(plan.gamesAllowed.begin(), plan.gamesAllowed.end(),
                       [](const TGame* game) { return game->DateValid(); });
}

namespace {

TPageExtent DrawOnlyText(TZoomCanvas& canvas, std::string_view text) {
    canvas.FontHeight = BodyFontHeight;
    canvas.TextOut(0, 0, text);
    return {canvas.TextExtent(text).width(), 20};
}

} // namespace

TPageExtent DrawNoGamesScheduled(TZoomCanvas& canvas) {
    return DrawOnlyText(canvas, NoGamesScheduledText);
}

TPageExtent DrawNoPlanLoaded(TZoomCanvas& canvas) {
    return DrawOnlyText(canvas, NoPlanLoadedText);
}

std::string KostenCellText(double value, std::optional<TKostenCounts> counts) {
    const std::string valueText = FormatLargeValue(value);
    if (!counts) {
        return valueText;
    }
    if (counts->AllCount >= 0) {
        return std::to_string(counts->Anzahl) + " /" + std::to_string(counts->AllCount) + " (" + valueText +
               ")";
    }
    if (counts->Anzahl >= 0) {
        return std::to_string(counts->Anzahl) + " (" + valueText + ")";
    }
    return valueText;
}

int KostenShare(double total, double value) {
    if (!(total > 0)) {
        return 255;
    }
    const double part = std::trunc(value * 255.0 / total);
    return static_cast<int>(std::clamp(255.0 - part, 0.0, 255.0));
}

namespace {

/// The marker's text and colour; empty for 0.
std::string WeightMarkerText(int marker, QColor& color) {
    if (marker == 0) {
        return {};
    }
    if (marker < -999) {
        color = PageTextColor;
        return "X";
    }
    if (marker < 0) {
        color = MarkerReducedColor;
        return std::to_string(marker);
    }
    color = MarkerIncreasedColor;
    // Appended, not "+" + string: GCC 12 warns falsely about the latter (-Wrestrict).
    std::string text = "+";
    text += std::to_string(marker);
    return text;
}

/// The marker's width at its own font height.
int WeightMarkerWidth(TZoomCanvas& canvas, int marker) {
    QColor color;
    const std::string text = WeightMarkerText(marker, color);
    if (text.empty()) {
        return 0;
    }
    const double oldHeight = canvas.FontHeight;
    canvas.FontHeight = MarkerFontHeight;
    const int width = canvas.TextExtent(text).width();
    canvas.FontHeight = oldHeight;
    return width;
}

} // namespace

int KostenCellRoom(TZoomCanvas& canvas, int marker) {
    const int markerWidth = WeightMarkerWidth(canvas, marker);
    return markerWidth > 0 ? KostenMarkerEnd - markerWidth - 4 : KostenCellWidth - 6;
}

void DrawKostenCell(TZoomCanvas& canvas, int x, int y, double total, double value,
                    std::optional<TKostenCounts> counts, int marker) {
    std::string text = KostenCellText(value, counts);
    // A text too long for its room is drawn smaller, down to 60 %, and beyond that shortened, so
    // that it runs neither into the weight marker nor into the next column.
    const int room = KostenCellRoom(canvas, marker);
    const double oldHeight = canvas.FontHeight;
    int width = canvas.TextExtent(text).width();
    if (width > room) {
        // Font sizes round to whole device pixels: a step may not shrink enough, so shrink on.
        constexpr double MinFactor = 0.6;
        for (double factor = std::max(MinFactor, static_cast<double>(room) / width);;
             factor = std::max(MinFactor, factor - 0.05)) {
            canvas.FontHeight = oldHeight * factor;
            width = canvas.TextExtent(text).width();
            if (width <= room || factor <= MinFactor) {
                break;
            }
        }
        if (width > room) {
            text = canvas.ElidedText(text, room);
            width = canvas.TextExtent(text).width();
        }
    }
    const int share = KostenShare(total, value);
    if (share < 240) {
        const QColor oldBrush = canvas.BrushColor();
        canvas.SetBrushColor(QColor(255, share, share));
        canvas.FillRect({x - 2, y - 2, x + width + 4, y + 15});
        canvas.SetBrushColor(oldBrush);
    }
    canvas.TextOut(x, y, text);
    canvas.FontHeight = oldHeight;
    DrawWeightMarker(canvas, x, y, marker);
}

void DrawWeightMarker(TZoomCanvas& canvas, int x, int y, int marker) {
    QColor color;
    const std::string text = WeightMarkerText(marker, color);
    if (text.empty()) {
        return;
    }
    const double oldHeight = canvas.FontHeight;
    const QColor oldColor = canvas.FontColor();
    canvas.FontHeight = MarkerFontHeight;
    canvas.SetFontColor(color);
    canvas.TextOut(x + KostenMarkerEnd - canvas.TextExtent(text).width(), y, text);
    canvas.FontHeight = oldHeight;
    canvas.SetFontColor(oldColor);
}

} // namespace terminor
