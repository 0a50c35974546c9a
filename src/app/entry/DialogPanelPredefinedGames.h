#pragma once
// TDialogPanelPredefinedGames, "Manuell festgelegte Begegnungen": the games fixed to their date
// (the same entries the plan view's lock writes), edited in the dialog "Begegnung"
// (TDialogEditOneGame). Every edit changes the plan data at once. User-interface thread only.

#include <QDialog>

#include "app/entry/DialogPanel.h"
#include "data/PredefinedGames.h"

class QComboBox;
class QDateTimeEdit;
class QPushButton;
class QTableWidget;
class QTimeEdit;

namespace terminor {

class TDialogEditOneGame : public QDialog {
    Q_OBJECT
public:
    /// `planData` holds the other fixed games; `index` is the edited game's position (-1: new).
    TDialogEditOneGame(const TPlanData& planData, int index, QWidget* parent = nullptr);

    void SetValues(const TPredefinedGame& game);
    TPredefinedGame GetValues() const;
    /// Checks home team, guest team, that they differ and that the game is not fixed already;
    /// shows the first failing message and stays, else closes with OK.
    void ButtonOKClick();

    QDateTimeEdit* DateTimePickerDate = nullptr;
    QTimeEdit* DateTimePickerTime = nullptr;
    QComboBox* ComboBoxHome = nullptr;
    QComboBox* ComboBoxGuest = nullptr;
    QComboBox* ComboBoxLocation = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    const TPlanData& FPlanData;
    int FIndex;
};

class TDialogPanelPredefinedGames : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelPredefinedGames(QWidget* parent = nullptr);

    void DataToForm() override;
    /// Copies the default's fixed games (or removes them when it has none) and shows them.
    void toDefault() override;
    /// The fixed games are the default's.
    bool isDefault() override;

    void ButtonNewClick();
    void ButtonEditClick();
    void ButtonDeleteClick();

    QTableWidget* GridGames = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;

private:
    void FillGrid(int selectRow);
    void UpdateButtons();
    /// Opens "Begegnung" on `game`; true on OK with the game stored at `index` (-1: appended).
    bool EditGame(int index, TPredefinedGame game);
};

} // namespace terminor
