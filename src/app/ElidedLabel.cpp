// TElidedLabel: the text drawn cut to the label's width; size hints that ignore its length.

#include "app/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace terminor {

TElidedLabel::TElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    SetFullText(text);
}

void TElidedLabel::SetFullText(const QString& text) {
    setText(text);
    setToolTip(text);
    updateGeometry();
}

bool TElidedLabel::IsElided() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

QSize TElidedLabel::sizeHint() const {
    if (FPreferFullWidth) {
        return QLabel::sizeHint();
    }
    return {fontMetrics().averageCharWidth() * 20, QLabel::sizeHint().height()};
}

QSize TElidedLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 4, QLabel::minimumSizeHint().height()};
}

void TElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace terminor
