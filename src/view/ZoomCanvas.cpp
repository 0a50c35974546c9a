// TZoomCanvas over QPainter. Texts are placed by their top-left corner, as the page routines
// measure them; the painter's pen and font are restored after each operation.

#include "view/ZoomCanvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "view/PlanFont.h"

namespace terminor {

namespace {

double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

int RoundToInt(double v) {
    return static_cast<int>(std::lround(v));
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// Clips the segment a-b to the rows top <= y < bottom. A horizontal segment is kept when its row
/// lies inside; any other keeps only a part of positive height, so that a segment ending exactly on
/// a boundary is drawn on one side of it only.
bool ClipSegment(double& ax, double& ay, double& bx, double& by, double top, double bottom) {
    if (ay == by) {
        return ay >= top && ay < bottom;
    }
    if (ay > by) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    if (by <= top || ay >= bottom) {
        return false;
    }
    const double x0 = ax;
    const double y0 = ay;
    const double slope = (bx - ax) / (by - ay);
    if (ay < top) {
        ax = x0 + slope * (top - y0);
        ay = top;
    }
    if (by > bottom) {
        bx = x0 + slope * (bottom - y0);
        by = bottom;
    }
    return true;
}

} // namespace

TZoomCanvas::TZoomCanvas(QPainter* painter, double dpiX, double dpiY, double zoom)
    : FontFamily(PlanFontFamily()), FPainter(painter), FDpiX(dpiX), FDpiY(dpiY), FZoom(zoom) {}

TZoomCanvas::TZoomCanvas(QPainter* painter, double zoom)
    : TZoomCanvas(painter, ScreenDpi(), ScreenDpi(), zoom) {}

int TZoomCanvas::ConvertXCoord(double x) const {
    return RoundToInt(x * FDpiX / 96.0 * FZoom);
}

int TZoomCanvas::ConvertYCoord(double y) const {
    return RoundToInt((y - Offset) * FDpiY / 96.0 * FZoom);
}

int TZoomCanvas::ConvertHeight(double h) const {
    return RoundToInt(h * FDpiY / 96.0 * FZoom);
}

int TZoomCanvas::DeConvertXCoord(double v) const {
    return RoundToInt(v / FDpiX * 96.0 / FZoom);
}

int TZoomCanvas::DeConvertYCoord(double v) const {
    return RoundToInt(v / FDpiY * 96.0 / FZoom) + Offset;
}

void TZoomCanvas::SetVisibleWindow(int minY, int maxY) {
    FMinYVisible = minY;
    FMaxYVisible = maxY;
}

QFont TZoomCanvas::DeviceFont() const {
    QFont font = FontFamily.isEmpty() ? QGuiApplication::font() : QFont(FontFamily);
    // A negative height is the character height; a positive one the cell height, of which the
    // characters take about five sixths.
    const double characterHeight = FontHeight < 0 ? -FontHeight : FontHeight * 5.0 / 6.0;
    font.setPixelSize(std::max(1, ConvertHeight(characterHeight)));
    font.setBold(FontBold);
    if (!Ligatures) {
        // Without shaping, Latin text keeps one glyph per character.
        font.setStyleStrategy(QFont::PreferNoShaping);
    }
    return font;
}

void TZoomCanvas::TextOut(int x, int y, std::string_view text, bool ignoreVisibilityCheck) {
    if (!ignoreVisibilityCheck && !IsVisible(y)) {
        return;
    }
    if (FTextLog != nullptr) {
        FTextLog->push_back({x, y, std::string(text), FFontColor, FontHeight, FontBold, FontRotation});
    }
    if (FRecordLayout) {
        const QSize size = TextExtent(text);
        NoteRight(x + (FontRotation != 0 ? size.height() : size.width()));
    }
    if (FPainter == nullptr || OutsideExposedRows(y, text)) {
        return;
    }
    FPainter->save();
    FPainter->setFont(DeviceFont());
    FPainter->setPen(FFontColor);
    FPainter->translate(ConvertXCoord(x), ConvertYCoord(y));
    if (FontRotation != 0) {
        FPainter->rotate(FontRotation);
    }
    const QFontMetrics metrics(FPainter->font(), FPainter->device());
    FPainter->drawText(QPointF(0, metrics.ascent()), ToQString(text));
    FPainter->restore();
}

bool TZoomCanvas::OutsideExposedRows(int y, std::string_view text) const {
    // Upright text reaches at most twice its character height below y; rotated text at most one
    // character height per byte either way (no character is wider than that).
    const double height = std::abs(FontHeight);
    const double reach = FontRotation == 0 ? 2 * height : height * static_cast<double>(text.size());
    const double above = FontRotation == 0 ? 0 : reach;
    return ConvertYCoord(y - above) > FExposedBottom || ConvertYCoord(y + reach) < FExposedTop;
}

QSize TZoomCanvas::TextExtent(std::string_view text) const {
    const QFont font = DeviceFont();
    const QFontMetrics metrics =
        FPainter != nullptr ? QFontMetrics(font, FPainter->device()) : QFontMetrics(font);
    const QString s = ToQString(text);
    return {DeConvertXCoord(metrics.horizontalAdvance(s)), DeConvertXCoord(metrics.height())};
}

std::string TZoomCanvas::ElidedText(std::string_view text, int width) const {
    const QFont font = DeviceFont();
    const QFontMetrics metrics =
        FPainter != nullptr ? QFontMetrics(font, FPainter->device()) : QFontMetrics(font);
    return metrics.elidedText(ToQString(text), Qt::ElideRight, ConvertXCoord(width)).toStdString();
}

void TZoomCanvas::FillRect(const TIntRect& rect) {
    if (!IsVisible(rect.Top)) {
        return;
    }
    NoteRight(rect.Right);
    if (FPainter == nullptr) {
        return;
    }
    const int left = ConvertXCoord(rect.Left);
    const int top = ConvertYCoord(rect.Top);
    FPainter->fillRect(QRect(left, top, ConvertXCoord(rect.Right) - left, ConvertYCoord(rect.Bottom) - top),
                       FBrushColor);
}

void TZoomCanvas::DrawArc(int x, int y, int rad) {
    if (!IsVisible(y)) {
        return;
    }
    NoteRight(x + rad);
    if (FPainter == nullptr) {
        return;
    }
    FPainter->save();
    FPainter->setRenderHint(QPainter::Antialiasing);
    FPainter->setPen(FPenColor);
    FPainter->setBrush(FBrushColor);
    const int left = ConvertXCoord(x - rad);
    const int top = ConvertYCoord(y - rad);
    FPainter->drawEllipse(QRect(left, top, ConvertXCoord(x + rad) - left, ConvertYCoord(y + rad) - top));
    FPainter->restore();
}

void TZoomCanvas::DrawQuadrat(int x, int y, int rad) {
    if (!IsVisible(y)) {
        return;
    }
    NoteRight(x + rad);
    if (FPainter == nullptr) {
        return;
    }
    FPainter->save();
    FPainter->setPen(FPenColor);
    FPainter->setBrush(FBrushColor);
    const int left = ConvertXCoord(x - rad);
    const int top = ConvertYCoord(y - rad);
    FPainter->drawRect(QRect(left, top, ConvertXCoord(x + rad) - left - 1, ConvertYCoord(y + rad) - top - 1));
    FPainter->restore();
}

void TZoomCanvas::MoveTo(int x, int y) {
    FPenX = x;
    FPenY = y;
}

void TZoomCanvas::LineTo(int x, int y, bool ignoreVisibilityCheck) {
    double ax = FPenX;
    double ay = FPenY;
    double bx = x;
    double by = y;
    FPenX = x;
    FPenY = y;
    if (!ignoreVisibilityCheck && !ClipSegment(ax, ay, bx, by, FMinYVisible, FMaxYVisible)) {
        return;
    }
    NoteRight(static_cast<int>(std::ceil(std::max(ax, bx))));
    if (FPainter == nullptr) {
        return;
    }
    FPainter->save();
    FPainter->setPen(FPenColor);
    FPainter->drawLine(QPointF(ConvertXCoord(ax), ConvertYCoord(ay)),
                       QPointF(ConvertXCoord(bx), ConvertYCoord(by)));
    FPainter->restore();
}

void TZoomCanvas::KeepTogether(int top, int bottom) {
    if (FRecordLayout) {
        FKeepBlocks.push_back({top, bottom});
    }
}

void TZoomCanvas::AddActionRect(TActionRectPtr actionRect) {
    FActionRects.push_back(std::move(actionRect));
}

} // namespace terminor
