#pragma once
// TZoomCanvas: one drawing surface for screen and paper. Pages draw in logical units (96 per inch
// at zoom 1); the canvas scales them by the device resolution and the zoom, skips what lies
// outside its visible vertical window and clips lines to it (so that a printer can cut a long
// drawing into pages) and collects the hit areas. A canvas without painter measures only; with
// layout recording it also notes how far right the drawing reaches and which vertical blocks a
// page break should not split. User-interface thread only.

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

    /// Only y values from minY up to, not including, maxY (logical) are drawn: what lies exactly on
    /// a page boundary belongs to the lower page only.
    void SetVisibleWindow(int minY, int maxY);
    int MinYVisible() const { return FMinYVisible; }
    int MaxYVisible() const { return FMaxYVisible; }
    bool IsVisible(int y) const { return y >= FMinYVisible && y < FMaxYVisible; }
    void SetZoom(double zoom) { FZoom = zoom; }
    /// The device rows a paint shows (the exposed part of a widget). A text wholly outside them
    /// is not drawn, which saves its costly layout; nothing else depends on it.
    void SetExposedRows(int top, int bottom) {
        FExposedTop = top;
        FExposedBottom = bottom;
    }
    /// The logical y that maps to the device's top.
    int Offset = 0;

    /// Font height in logical units; negative: character height, positive: cell height.
    double FontHeight = -12;
    bool FontBold = false;
    /// Degrees; -90 writes upwards.
    int FontRotation = 0;
    /// The font family of the text; the plan font (PlanFontFamily) unless set; empty: the
    /// application's default font.
    QString FontFamily;
    /// Off for print: the text layer of a PDF file then holds "ff", not the ligature's glyph.
    bool Ligatures = true;

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
    /// The text, shortened with "…" at its end where it is wider than `width` logical units.
    std::string ElidedText(std::string_view text, int width) const;
    void FillRect(const TIntRect& rect);
    /// An ellipse in the square of half-side `rad` around the point, outlined and filled.
    void DrawArc(int x, int y, int rad);
    /// A rectangle of the same square.
    void DrawQuadrat(int x, int y, int rad);
    void MoveTo(int x, int y);
    /// A line from the pen position, clipped to the window: a line crossing a page boundary ends
    /// there on one page and continues from there on the next.
    void LineTo(int x, int y, bool ignoreVisibilityCheck = false);

    /// Asks that the drawing from `top` to `bottom` (logical y) stays on one page when it fits.
    void KeepTogether(int top, int bottom);
    /// A vertical block that a page break should not split.
    struct TKeepBlock {
        int Top = 0;
        int Bottom = 0;
    };
    /// Starts noting the drawing's right edge and its blocks (the printer's measuring run).
    void RecordLayout() { FRecordLayout = true; }
    /// The largest logical x reached by texts, rectangles, markers and lines while recording.
    int DrawnRight() const { return FDrawnRight; }
    const std::vector<TKeepBlock>& KeepBlocks() const { return FKeepBlocks; }

    void AddActionRect(TActionRectPtr actionRect);
    std::vector<TActionRectPtr>& ActionRects() { return FActionRects; }

    /// Attaches a list that receives every text drawn (visible or not skipped), for tests.
    void SetTextLog(std::vector<TDrawnText>* log) { FTextLog = log; }
    QPainter* Painter() const { return FPainter; }
    double Zoom() const { return FZoom; }

private:
    QFont DeviceFont() const;
    bool OutsideExposedRows(int y, std::string_view text) const;
    void NoteRight(int x) {
        if (FRecordLayout && x > FDrawnRight) {
            FDrawnRight = x;
        }
    }

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
    int FExposedTop = std::numeric_limits<int>::min();
    int FExposedBottom = std::numeric_limits<int>::max();
    bool FRecordLayout = false;
    int FDrawnRight = 0;
    std::vector<TKeepBlock> FKeepBlocks;
};

} // namespace terminor
