#pragma once
// TDialogPanelRanking, "Setzliste": whether the seeding list is used and the expected final order
// of the teams, moved with "Nach oben", "Nach unten" or by drag and drop. User-interface thread only.

#include "app/entry/DialogPanel.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace terminor {

class TDialogPanelRanking : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelRanking(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    /// Switches the seeding list off.
    void toDefault() override;
    /// True exactly when the seeding list is off.
    bool isDefault() override;

    void ButtonUpClick();
    void ButtonDownClick();

    QCheckBox* CheckBoxActive = nullptr;
    QListWidget* ListBoxRanking = nullptr;
    QPushButton* ButtonUp = nullptr;
    QPushButton* ButtonDown = nullptr;

private:
    void MoveSelected(int delta);
    void UpdateButtons();
};

} // namespace terminor
