#pragma once
// TDialogPanelTeams, "Mannschaften": the division's teams, added, edited and deleted at once in
// the plan data through the dialog TFormEditTeamName "Mannschaft". A conflicting name, team ID or
// club number shows its message and opens the dialog again with the entered values.
// User-interface thread only.

#include <optional>
#include <string>

#include <QDialog>

#include "app/entry/DialogPanel.h"
#include "data/TeamEdit.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace terminor {

/// The dialog "Mannschaft": the values of one team.
class TFormEditTeamName : public QDialog {
    Q_OBJECT
public:
    explicit TFormEditTeamName(QWidget* parent = nullptr);

    void SetValues(const TTeamValues& values);
    TTeamValues GetValues() const;
    /// Checks name, team ID and club ID; closes with OK when all are given.
    void ButtonOKClick();

    QLineEdit* EditTeamName = nullptr;
    QLineEdit* EditTeamId = nullptr;
    QLineEdit* EditClubId = nullptr;
    QSpinBox* SpinEditTeamNumber = nullptr;
    QComboBox* ComboBoxLocation = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

class TDialogPanelTeams : public TDialogPanel {
    Q_OBJECT
public:
    explicit TDialogPanelTeams(QWidget* parent = nullptr);

    void DataToForm() override;
    void toDefault() override;
    bool isDefault() override;

    void ButtonNewClick();
    void ButtonEditClick();
    void ButtonDeleteClick();
    /// The selected team's name, or empty.
    std::string selectedTeam() const;

    QListWidget* ListBoxTeams = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;

private:
    /// Runs the team dialog from `values` until the values conflict with no other team than
    /// `editedTeam`; nothing when cancelled.
    std::optional<TTeamValues> EditValues(TTeamValues values, const TDataObject* editedTeam);
    void FillList(const std::string& select);
    void UpdateButtons();
};

} // namespace terminor
