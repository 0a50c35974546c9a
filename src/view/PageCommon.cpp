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

void DrawKostenCell(TZoomCanvas& canvas, int x, int y, double total, double value,
                    std::optional<TKostenCounts> counts, int marker) {
    const std::string text = KostenCellText(value, counts);
    const int share = KostenShare(total, value);
    if (share < 240) {
        const QColor oldBrush = canvas.BrushColor();
        canvas.SetBrushColor(QColor(255, share, share));
        canvas.FillRect({x - 2, y - 2, x + canvas.TextExtent(text).width() + 4, y + 15});
        canvas.SetBrushColor(oldBrush);
    }
    canvas.TextOut(x, y, text);
    DrawWeightMarker(canvas, x, y, marker);
}

void DrawWeightMarker(TZoomCanvas& canvas, int x, int y, int marker) {
    if (marker == 0) {
        return;
    }
    std::string text;
    QColor color;
    if (marker < -999) {
        text = "X";
        color = PageTextColor;
    } else if (marker < 0) {
        text = std::to_string(marker);
        color = MarkerReducedColor;
    } else {
        text = "+";
        text += std::to_string(marker);
        color = MarkerIncreasedColor;
    }
    const double oldHeight = canvas.FontHeight;
    const QColor oldColor = canvas.FontColor();
    canvas.FontHeight = MarkerFontHeight;
    canvas.SetFontColor(color);
    canvas.TextOut(x + 90 - canvas.TextExtent(text).width(), y, text);
    canvas.FontHeight = oldHeight;
    canvas.SetFontColor(oldColor);
}

} // namespace terminor
