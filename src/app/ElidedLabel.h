#pragma once
// A one-line label that never widens its layout: a text longer than its width is cut with "…",
// and the whole text is its tooltip. For texts that change while the window is in use (the
// progress line), so that the controls beside it never move. User-interface thread only.

#include <QLabel>

namespace terminor {

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(const QString& text, QWidget* parent = nullptr);

    /// Shows `text` (cut to the width) and offers all of it as the tooltip.
    void SetFullText(const QString& text);
    /// Whether the shown text is cut.
    bool IsElided() const;
    /// Asks the layout for the whole text's width (still giving way when space is short); by
    /// default the label asks for little and takes what is left.
    void SetPreferFullWidth(bool prefer) {
        FPreferFullWidth = prefer;
        updateGeometry();
    }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool FPreferFullWidth = false;
};

} // namespace terminor
