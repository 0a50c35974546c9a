#pragma once
// TDialogEditOneHomeDay, "Wunschtermin": edits one day of a team's wish calendar (a THomeDay) with
// every option the short text can carry; opened from a cell of the wish grid. OK refuses a home
// day without kick-off and two kick-offs less than 4 hours apart. User-interface thread only.

#include <QDialog>

#include "data/HomeDay.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimeEdit;

namespace terminor {

class TDialogEditOneHomeDay : public QDialog {
    Q_OBJECT
public:
    /// The kinds of a day, in the order of `ComboBoxKind`.
    enum TKind { kindNoDate = 0, kindHomeDay = 1, kindSperrTermin = 2 };
    /// The choices of `ComboBoxKoppel`.
    enum TKoppel { koppelNone = 0, koppelKoppelDate = 1, koppelDoubleDate = 2 };

    explicit TDialogEditOneHomeDay(QWidget* parent = nullptr);

    /// Shows `day` for the calendar day `date`.
    void SetValues(TDateTime date, const THomeDay& day);
    /// The record the controls describe.
    THomeDay GetValues() const;
    /// Stores the choices and checks the times of a home day; shows the first failing message and
    /// stays, else closes with OK.
    void ButtonOKClick();

    QLabel* LabelDate = nullptr;
    QComboBox* ComboBoxKind = nullptr;
    QWidget* PanelHomeDay = nullptr;
    QTimeEdit* DateTimePickerTime = nullptr;
    QCheckBox* CheckBoxAusweichTermin = nullptr;
    QGroupBox* GroupBoxHalle = nullptr;
    QComboBox* ComboBoxMaxParallelGame = nullptr;
    QComboBox* ComboBoxLocation = nullptr;
    QGroupBox* GroupBoxKoppel = nullptr;
    QComboBox* ComboBoxKoppel = nullptr;
    QComboBox* ComboBoxKoppelPrio = nullptr;
    QTimeEdit* DateTimePickerSecondTime = nullptr;
    QGroupBox* GroupBoxAuswaertsKoppel = nullptr;
    QCheckBox* CheckBoxAuswaertsKoppel = nullptr;
    QTimeEdit* DateTimePickerAlternativeTime = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    /// Visibility and enabled states after a change of kind, coupling or away-coupling choice.
    void UpdateControls();

    TDateTime FDate = 0.0;
};

} // namespace terminor
