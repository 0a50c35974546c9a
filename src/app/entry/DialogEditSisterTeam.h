#pragma once
// The dialog "Nachbarmannschaft" (TDialogEditSisterTeam): one sister team of a team with its
// games, edited on a copy that replaces the sister team only on OK; and its game dialog
// "Begegnung" (TDialogEditOneSisterGame). User-interface thread only.

#include <memory>
#include <string>

#include <QDialog>

#include "data/SisterTeams.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimeEdit;

namespace terminor {

class TDataObject;
class TPlanData;

class TDialogEditOneSisterGame : public QDialog {
    Q_OBJECT
public:
    /// `sister` is the sister team (its name makes a game a home game) with its other games;
    /// `index` is the edited game's position (-1: new).
    TDialogEditOneSisterGame(const TDataObject& sister, int index, QWidget* parent = nullptr);

    void SetValues(const TSisterGameEntry& game);
    TSisterGameEntry GetValues() const;
    /// Requires an opponent and a date and time no other game of the team has; shows the first
    /// failing message and stays, else closes with OK.
    void ButtonOKClick();

    QDateTimeEdit* DateTimePickerDate = nullptr;
    QTimeEdit* DateTimePickerTime = nullptr;
    QComboBox* ComboBoxKind = nullptr;
    QComboBox* ComboBoxOpponent = nullptr;
    QComboBox* ComboBoxLocation = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    const TDataObject& FSister;
    int FIndex;
};

class TDialogEditSisterTeam : public QDialog {
    Q_OBJECT
public:
    /// `planData` and `teamName` name the team whose sister team at `index` (-1: new) is edited.
    TDialogEditSisterTeam(const TPlanData& planData, const std::string& teamName, int index,
                          QWidget* parent = nullptr);
    ~TDialogEditSisterTeam() override;

    /// Shows a copy of `sister` (an empty one when null).
    void SetValues(const TDataObject* sister);
    /// The edited copy; after OK it carries the fields and renamed games.
    const TDataObject& sisterTeam() const { return *FSister; }
    /// Checks name and age class (and that no other sister team has both), writes the fields into
    /// the copy, renames the games of the old name and closes with OK.
    void ButtonOKClick();

    void ButtonNewClick();
    void ButtonEditClick();
    void ButtonDeleteClick();

    QLineEdit* EditName = nullptr;
    QSpinBox* SpinEditNumber = nullptr;
    QComboBox* ComboBoxGender = nullptr;
    QComboBox* ComboBoxLocation = nullptr;
    QCheckBox* CheckBoxNoParallelGames = nullptr;
    QCheckBox* CheckBoxParallelHomeGames = nullptr;
    QTableWidget* GridGames = nullptr;
    QPushButton* ButtonNew = nullptr;
    QPushButton* ButtonEdit = nullptr;
    QPushButton* ButtonDelete = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    void FillGames(int selectRow);
    void UpdateButtons();
    void EditGame(int index, const TSisterGameEntry& game);

    const TPlanData& FPlanData;
    std::string FTeamName;
    int FIndex;
    std::unique_ptr<TDataObject> FSister;
};

/// Opens "Nachbarmannschaft" for the team's sister team at `index` (-1: a new one) and stores it
/// on OK; true when the data changed.
bool EditSisterTeam(QWidget* parent, TPlanData& planData, const std::string& teamName, int index);

} // namespace terminor
