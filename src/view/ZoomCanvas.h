#pragma once
// TZoomCanvas: one drawing surface for screen and paper. Pages draw in logical units (96 per inch
// at zoom 1); the canvas scales them by the device resolution and the zoom, skips what lies
// outside its visible vertical window (so that a printer can cut a long drawing into pages) and
// collects the hit areas. A canvas without painter measures only. User-interface thread only.

#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>
#include <QFont>
#include <QSize>

#include "view/ActionRect.h"

class QPainter;

namespace terminor {

/// A text as drawn, in logical units; collected when a text log is attached (render tests).
struct TDrawnText {
    int X = 0;
    int Y = 0;
    std::string Text;
    QColor Color;
    double FontHeight = -12;
    bool Bold = false;
    int Rotation = 0;
};

class TZoomCanvas {
public:
    /// `painter` may be null: the canvas then only measures and collects hit areas.
    TZoomCanvas(QPainter* painter, double dpiX, double dpiY, double zoom);
    /// The screen's resolution for both axes.
    TZoomCanvas(QPainter* painter, double zoom);

    int ConvertXCoord(double x) const;
    int ConvertYCoord(double y) const;
    /// A height (font size) converted like y, without the offset.
    int ConvertHeight(double h) const;
    int DeConvertXCoord(double v) const;
    int DeConvertYCoord(double v) const;

    /// Only y values from minY to maxY (logical) are drawn.
    void SetVisibleWindow(int minY, int maxY);
    int MinYVisible() const { return FMinYVisible; }
    int MaxYVisible() const { return FMaxYVisible; }
    bool IsVisible(int y) const { return y >= FMinYVisible && y <= FMaxYVisible; }
    /// The logical y that maps to the device's top.
    int Offset = 0;

    /// Font height in logical units; negative: character height, positive: cell height.
    double FontHeight = -12;
    bool FontBold = false;
    /// Degrees; -90 writes upwards.
    int FontRotation = 0;
    /// The font family of the text; empty: the application's default font.
    QString FontFamily;

    void SetBrushColor(const QColor& color) { FBrushColor = color; }
    void SetPenColor(const QColor& color) { FPenColor = color; }
    void SetFontColor(const QColor& color) { FFontColor = color; }
    QColor BrushColor() const { return FBrushColor; }
    QColor PenColor() const { return FPenColor; }
    QColor FontColor() const { return FFontColor; }

    /// Text with its top-left corner at (x, y), transparent background.
    void TextOut(int x, int y, std::string_view text, bool ignoreVisibilityCheck = false);
    /// The size of a text in logical units (both axes converted with the x rule).
    QSize TextExtent(std::string_view text) const;
    void FillRect(const TIntRect& rect);
    /// An ellipse in the square of half-side `rad` around the point, outlined and filled.
    void DrawArc(int x, int y, int rad);
    /// A rectangle of the same square.
    void DrawQuadrat(int x, int y, int rad);
    void MoveTo(int x, int y);
    /// A line from the pen position; when the end lies outside the window the pen only moves.
    void LineTo(int x, int y, bool ignoreVisibilityCheck = false);

    void AddActionRect(TActionRectPtr actionRect);
    std::vector<TActionRectPtr>& ActionRects() { return FActionRects; }

    /// Attaches a list that receives every text drawn (visible or not skipped), for tests.
    void SetTextLog(std::vector<TDrawnText>* log) { FTextLog = log; }
    QPainter* Painter() const { return FPainter; }
    double Zoom() const { return FZoom; }

private:
    QFont DeviceFont() const;

    QPainter* FPainter = nullptr;
    double FDpiX = 96;
    double FDpiY = 96;
    double FZoom = 1;
    int FMinYVisible = 0;
    int FMaxYVisible = std::numeric_limits<int>::max();
    QColor FBrushColor = Qt::white;
    QColor FPenColor = Qt::black;
    QColor FFontColor = Qt::black;
    int FPenX = 0;
    int FPenY = 0;
    std::vector<TActionRectPtr> FActionRects;
    std::vector<TDrawnText>* FTextLog = nullptr;
};

} // namespace terminor
