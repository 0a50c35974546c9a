// TZoomCanvas over QPainter. Texts are placed by their top-left corner, as the page routines
// measure them; the painter's pen and font are restored after each operation.

#include "view/ZoomCanvas.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

} // namespace

TZoomCanvas::TZoomCanvas(QPainter* painter, double dpiX, double dpiY, double zoom)
    : FPainter(painter), FDpiX(dpiX), FDpiY(dpiY), FZoom(zoom) {}

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
    return font;
}

void TZoomCanvas::TextOut(int x, int y, std::string_view text, bool ignoreVisibilityCheck) {
    if (!ignoreVisibilityCheck && !IsVisible(y)) {
        return;
    }
    if (FTextLog != nullptr) {
        FTextLog->push_back({x, y, std::string(text), FFontColor, FontHeight, FontBold, FontRotation});
    }
    if (FPainter == nullptr) {
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

QSize TZoomCanvas::TextExtent(std::string_view text) const {
    const QFont font = DeviceFont();
    const QFontMetrics metrics =
        FPainter != nullptr ? QFontMetrics(font, FPainter->device()) : QFontMetrics(font);
    const QString s = ToQString(text);
    return {DeConvertXCoord(metrics.horizontalAdvance(s)), DeConvertXCoord(metrics.height())};
}

void TZoomCanvas::FillRect(const TIntRect& rect) {
    if (!IsVisible(rect.Top) || FPainter == nullptr) {
        return;
    }
    const int left = ConvertXCoord(rect.Left);
    const int top = ConvertYCoord(rect.Top);
    FPainter->fillRect(QRect(left, top, ConvertXCoord(rect.Right) - left, ConvertYCoord(rect.Bottom) - top),
                       FBrushColor);
}

void TZoomCanvas::DrawArc(int x, int y, int rad) {
    if (!IsVisible(y) || FPainter == nullptr) {
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
    if (!IsVisible(y) || FPainter == nullptr) {
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
    if ((ignoreVisibilityCheck || IsVisible(y)) && FPainter != nullptr) {
        FPainter->save();
        FPainter->setPen(FPenColor);
        FPainter->drawLine(ConvertXCoord(FPenX), ConvertYCoord(FPenY), ConvertXCoord(x), ConvertYCoord(y));
        FPainter->restore();
    }
    FPenX = x;
    FPenY = y;
}

void TZoomCanvas::AddActionRect(TActionRectPtr actionRect) {
    FActionRects.push_back(std::move(actionRect));
}

} // namespace terminor
