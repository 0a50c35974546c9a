#pragma once
// TDialogPanelMandatoryDays, "Plichtspieltage": the periods in which every team must play a least
// number of games, added, edited and deleted through the right mouse button; and the period
// dialog TFormEditMandatoryDatesDialog "Pflichtspieltag" (EditMandatoryTime). The periods are
// written in FormToData. User-interface thread only.

#include <QDialog>

#include "app/entry/DialogPanel.h"
#include "model/ValueTypes.h"

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QMenu;
class QAction;
class QPushButton;
class QTableWidget;

namespace terminor {

class TFormEditMandatoryDatesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFormEditMandatoryDatesDialog(QWidget* parent = nullptr);

    /// Shows the period; the drop-down selects nothing for a count outside 1 to 10.
    void SetValues(const TPlanMandatoryTime& period);
    /// The whole days of the pickers and the selected count (the given count when none is selected).
    TPlanMandatoryTime GetValues() const;
    /// Refuses a "bis" day before the "von" day with a message; closes with OK otherwise.
    void ButtonOKClick();

    QDateTimeEdit* DateTimePicker1 = nullptr;
    QDateTimeEdit* DateTimePicker2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    int FGameCount = 0;
};

/// Edits one period in the dialog "Pflichtspieltag"; true on OK, with the period changed.
bool EditMandatoryTime(QWidget* parent, TPlanMandatoryTime& period);

class TDialogPanelMandatoryDays : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelMandatoryDays(QWidget* parent = nullptr);

    void DataToForm() override;
    void FormToData() override;
    /// Shows the default's periods.
    void toDefault() override;
    /// The same periods in the same order as the default.
    bool isDefault() override;

    /// "Neu...": a period from today to today with 1 game.
    void NewClick();
    /// "Bearbeiten..." on the selected period row.
    void EditClick();
    /// "Löschen..." on the selected period row, without asking.
    void DeleteClick();
    /// The periods as the page shows them, with the counts chosen in the list.
    const TPlanMandatoryTimeList& periods() const { return Periods; }

    QLabel* LabelText = nullptr;
    QTableWidget* ValueListMandatory = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* MenuNew = nullptr;
    QAction* MenuEdit = nullptr;
    QAction* MenuDelete = nullptr;

private:
    void ShowPeriods(const TPlanMandatoryTimeList& periods, int selectRow);
    void StoreEdited(int index, const TPlanMandatoryTime& period);
    int SelectedPeriod() const;
    void ShowPopup(const QPoint& position);

    TPlanMandatoryTimeList Periods;
};

} // namespace terminor
