#pragma once
// TDialogPanelAuswaertskoppel, "Auswärtskoppeltermine": per team
// (TDialogPanelAuswaertsKoppelDetail) its wishes to play two away games on one trip, edited in the
// dialog "Auswärtskoppelwunsch" (TDialogEditOneAuswaertsKoppel) and written at once, and the
// alternative kick-offs of its home dates that other teams' away couplings may need, written in
// FormToData. User-interface thread only.

#include <string>
#include <vector>

#include <QDialog>

#include "app/entry/DialogPanelMultiTeams.h"
#include "data/AwayCouple.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableWidget;

namespace terminor {

class TDialogEditOneAuswaertsKoppel : public QDialog {
    Q_OBJECT
public:
    /// Offers every team but `teamName`; `index` is the edited wish's position (-1: new).
    TDialogEditOneAuswaertsKoppel(const TPlanData& planData, const std::string& teamName, int index,
                                  QWidget* parent = nullptr);

    void SetValues(const TRoadCouple& couple);
    TRoadCouple GetValues() const;
    /// Checks both teams, that they differ and that the team has no such wish yet; shows the
    /// first failing message and stays, else closes with OK.
    void ButtonOKClick();

    QComboBox* ComboBoxTeam1 = nullptr;
    QComboBox* ComboBoxTeam2 = nullptr;
    QComboBox* ComboBoxKind = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    const TPlanData& FPlanData;
    std::string FTeamName;
    int FIndex;
};

class TDialogPanelAuswaertsKoppelDetail : public TDialogTeamPanel {
    Q_OBJECT
public:
    explicit TDialogPanelAuswaertsKoppelDetail(QWidget* parent = nullptr);

    void DataToForm() override;
    /// Writes the alternative kick-offs of the listed home dates.
    void FormToData() override;
    /// Restores the default's wishes and empties every alternative kick-off.
    void toDefault() override;
    /// The wishes are the default's and no home date has an alternative kick-off.
    bool isDefault() override;

    void ButtonNewClick();
    void ButtonEditClick();
    void ButtonDeleteClick();
    /// "Alles setzen": every row gets the proposed alternative of its kick-off.
    void SetAllAlternatives();
    /// "Alle löschen": every row is emptied.
    void ClearAllAlternatives();

    /// The value editor of a row, or null (the note row).
    QLineEdit* rowEdit(int row) const;

    QLabel* LabelKoppel = nullptr;
    QListWidget* ListBoxKoppel = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;
    QLabel* LabelAlternatives = nullptr;
    QTableWidget* ValueListAlternatives = nullptr;
    QMenu* PopupMenuAlternatives = nullptr;

private:
    void FillWishes(int selectRow);
    void UpdateButtons();
    bool EditWish(int index, const TRoadCouple& couple);

    /// The home dates the rows stand for, in row order.
    std::vector<TAlternativeKickOff> FAlternatives;
};

class TDialogPanelAuswaertskoppel : public TDialogPanelMultiTeams {
    Q_OBJECT
public:
    explicit TDialogPanelAuswaertskoppel(QWidget* parent = nullptr);

    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override;
    QString getCaption() const override;
};

} // namespace terminor
