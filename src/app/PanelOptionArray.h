#pragma once
// TFormPanelOptionArray: a column of labelled weight selectors ("Nicht berücksichtigen" ...
// "extrem hoch"), each row with an optional "Anpassen..." button, inside a borderless scroll area.
// The options dialog and the weighting dialogs place it into one of their panels.
// User-interface thread only.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include <QWidget>

#include "model/Types.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace terminor {

class TFormPanelOptionArray : public QWidget {
    Q_OBJECT
public:
    /// A row's "Anpassen..." button was clicked: the button and the row index.
    using TOptionButtonClick = std::function<void(QPushButton* sender, int index)>;

    explicit TFormPanelOptionArray(QWidget* parent = nullptr);

    /// Puts the column into `parentPanel`, filling it; without a panel it stays a window of its own.
    void SetPanel(QWidget* parentPanel);
    /// One row per title, every selector on "normal", every row visible.
    void Init(const std::vector<std::string>& titles);
    /// Sets the selectors in row order without raising OnChanged.
    void SetValues(std::span<const TCalculateOptionsValues> values);
    /// Reads the selectors in row order into `values` (as many as both have).
    void GetValues(std::span<TCalculateOptionsValues> values) const;
    /// Shows or hides rows; lays out again only if anything changed.
    void SetVisibleState(const std::vector<bool>& values);
    /// Every selector to "normal" without raising OnChanged.
    void toDefault();
    /// True when every selector shows "normal".
    bool isDefault() const;

    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool value);
    int RowCount() const { return static_cast<int>(Combos.size()); }
    /// The size of the visible rows, so that a layout can give the column room without scrolling.
    QSize sizeHint() const override;

    /// The seven weight texts in value order.
    static QStringList WeightTexts();

    std::function<void()> OnChanged;
    TOptionButtonClick OnButtonClick;
    /// The selectors are being filled: their changes raise no OnChanged.
    bool InLoad = false;

    std::vector<QComboBox*> Combos;
    std::vector<QLabel*> Labels;
    std::vector<QPushButton*> Buttons;
    std::vector<bool> VisibleState;

private:
    void ClearRows();
    void Layout();
    void ComboChanged();

    QScrollArea* ScrollBox = nullptr;
    QWidget* FRowsWidget = nullptr;
    bool FShowButtons = false;
};

} // namespace terminor
