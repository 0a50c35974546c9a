// The dialog "Wunschtermin" of the wish grid.

#include "app/entry/DialogEditOneHomeDay.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "app/WindowHelpers.h"
#include "app/entry/DialogPanel.h"
#include "app/entry/EntryDialogParts.h"
#include "data/PlanData.h"
#include "data/WishGrid.h"

namespace terminor {

namespace {

QTimeEdit* NewTimePicker(QWidget* parent, const char* name) {
    auto* picker = new QTimeEdit(parent);
    picker->setObjectName(name);
    picker->setDisplayFormat("HH:mm");
    return picker;
}

QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title, QFormLayout*& form) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return group;
}

void SetTime(QTimeEdit* picker, TDateTime value) {
    const TimeParts time = DecodeTime(value);
    picker->setTime(QTime(time.hour, time.minute));
}

TDateTime GetTime(const QTimeEdit* picker) {
    return EncodeTime(picker->time().hour(), picker->time().minute());
}

} // namespace

TDialogEditOneHomeDay::TDialogEditOneHomeDay(QWidget* parent) : QDialog(parent) {
    QFormLayout* form = NewDialogForm(this, "Wunschtermin");
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    LabelDate = new QLabel(this);
    LabelDate->setObjectName("LabelDate");
    form->addRow(LabelDate);
    ComboBoxKind = NewCombo(this, "ComboBoxKind",
                            {"kein Heimspiel, Auswärstspiele möglich", "Heimspiel möglich", "Sperrtermin"});
    form->addRow(ComboBoxKind);

    PanelHomeDay = new QWidget(this);
    PanelHomeDay->setObjectName("PanelHomeDay");
    auto* homeLayout = new QVBoxLayout(PanelHomeDay);
    homeLayout->setContentsMargins(0, 0, 0, 0);
    auto* homeForm = new QFormLayout();
    homeForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    homeLayout->addLayout(homeForm);
    DateTimePickerTime = NewTimePicker(PanelHomeDay, "DateTimePickerTime");
    homeForm->addRow("Uhrzeit:", DateTimePickerTime);
    CheckBoxAusweichTermin = new QCheckBox("nur im Notfall einplanen", PanelHomeDay);
    CheckBoxAusweichTermin->setObjectName("CheckBoxAusweichTermin");
    homeForm->addRow("Ausweichtermin:", CheckBoxAusweichTermin);

    QFormLayout* halleForm = nullptr;
    GroupBoxHalle = NewGroup(PanelHomeDay, "GroupBoxHalle", "Halle", halleForm);
    QStringList maxGames{"keine Beschränkung"};
    for (int games = 1; games <= 10; ++games) {
        maxGames << QString::number(games);
    }
    ComboBoxMaxParallelGame = NewCombo(GroupBoxHalle, "ComboBoxMaxParallelGame", maxGames);
    halleForm->addRow("Maximale Heimspiele:", ComboBoxMaxParallelGame);
    ComboBoxLocation = NewLocationCombo(GroupBoxHalle, "ComboBoxLocation");
    ComboBoxLocation->setMinimumWidth(ComboBoxMaxParallelGame->sizeHint().width() / 2);
    auto* locationRow = new QHBoxLayout();
    locationRow->addWidget(ComboBoxLocation);
    auto* locationNote = new QLabel("leer: Standardspiellokal der Mannschaft", GroupBoxHalle);
    locationNote->setObjectName("LabelLocationNote");
    locationRow->addWidget(locationNote, 1);
    halleForm->addRow("Spiellokal:", locationRow);
    homeLayout->addWidget(GroupBoxHalle);

    QFormLayout* koppelForm = nullptr;
    GroupBoxKoppel = NewGroup(PanelHomeDay, "GroupBoxKoppel", "Heimkoppel/Doppelspieltag", koppelForm);
    ComboBoxKoppel = NewCombo(
        GroupBoxKoppel, "ComboBoxKoppel",
        {"kein", "Koppelspieltag (zwei Spiele an einem Tag)", "Doppelspieltag (zwei Spiele am Wochenende)"});
    koppelForm->addRow("Koppel/Doppelspieltag:", ComboBoxKoppel);
    ComboBoxKoppelPrio = NewCombo(GroupBoxKoppel, "ComboBoxKoppelPrio", {"möglich", "normal", "hoch"});
    koppelForm->addRow("Priorität bei Koppel:", ComboBoxKoppelPrio);
    DateTimePickerSecondTime = NewTimePicker(GroupBoxKoppel, "DateTimePickerSecondTime");
    koppelForm->addRow("Startzeit zweites Spiel:", DateTimePickerSecondTime);
    homeLayout->addWidget(GroupBoxKoppel);

    QFormLayout* awayForm = nullptr;
    GroupBoxAuswaertsKoppel =
        NewGroup(PanelHomeDay, "GroupBoxAuswaertsKoppel", "Auswärtskoppeloptionen", awayForm);
    CheckBoxAuswaertsKoppel =
        new QCheckBox("Startzeit ändern um Auswärtskoppeltermine zu ermöglichen", GroupBoxAuswaertsKoppel);
    CheckBoxAuswaertsKoppel->setObjectName("CheckBoxAuswaertsKoppel");
    awayForm->addRow("Auswärtskoppel:", CheckBoxAuswaertsKoppel);
    DateTimePickerAlternativeTime = NewTimePicker(GroupBoxAuswaertsKoppel, "DateTimePickerAlternativeTime");
    awayForm->addRow("Alternative Startzeit:", DateTimePickerAlternativeTime);
    homeLayout->addWidget(GroupBoxAuswaertsKoppel);
    qobject_cast<QBoxLayout*>(layout())->addWidget(PanelHomeDay);

    AddOkCancelRow(this, ButtonOK, ButtonCancel);
    connect(ButtonOK, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonOKClick(); }); });
    for (QComboBox* combo : {ComboBoxKind, ComboBoxKoppel}) {
        connect(combo, &QComboBox::currentIndexChanged, this, &TDialogEditOneHomeDay::UpdateControls);
    }
    connect(CheckBoxAuswaertsKoppel, &QCheckBox::toggled, this, &TDialogEditOneHomeDay::UpdateControls);
    UpdateControls();
}

void TDialogEditOneHomeDay::UpdateControls() {
    PanelHomeDay->setVisible(ComboBoxKind->currentIndex() == kindHomeDay);
    const int koppel = ComboBoxKoppel->currentIndex();
    ComboBoxKoppelPrio->setEnabled(koppel != koppelNone);
    DateTimePickerSecondTime->setEnabled(koppel == koppelKoppelDate);
    // A coupling day's second kick-off and an alternative kick-off share one field of the record.
    if (koppel == koppelKoppelDate) {
        CheckBoxAuswaertsKoppel->setChecked(false);
    }
    CheckBoxAuswaertsKoppel->setEnabled(koppel != koppelKoppelDate);
    DateTimePickerAlternativeTime->setEnabled(CheckBoxAuswaertsKoppel->isChecked());
}

void TDialogEditOneHomeDay::SetValues(TDateTime date, const THomeDay& day) {
    FDate = DateOf(date);
    LabelDate->setText("Datum: " + Qs(DateToStorage(FDate)));
    ComboBoxKind->setCurrentIndex(day.NoDate ? kindNoDate : day.SperrTermin ? kindSperrTermin : kindHomeDay);
    SetTime(DateTimePickerTime, day.IsHomeDay() ? TimeOf(day.Date) : 0.0);
    CheckBoxAusweichTermin->setChecked(day.AusweichTermin);
    ComboBoxMaxParallelGame->setCurrentIndex(day.MaxParallelGame >= 0 &&
                                                     day.MaxParallelGame < ComboBoxMaxParallelGame->count()
                                                 ? day.MaxParallelGame
                                                 : 0);
    SelectComboText(ComboBoxLocation, Qs(TPlanData::FixLocation(day.Location)));
    ComboBoxKoppel->setCurrentIndex(day.KoppelDate   ? koppelKoppelDate
                                    : day.DoubleDate ? koppelDoubleDate
                                                     : koppelNone);
    ComboBoxKoppelPrio->setCurrentIndex(day.KoppelPrio >= 0 && day.KoppelPrio <= 2 ? day.KoppelPrio : 0);
    SetTime(DateTimePickerSecondTime, day.KoppelDate ? day.KoppelSecondTime : 0.0);
    CheckBoxAuswaertsKoppel->setChecked(!day.KoppelDate && day.KoppelAuswaertsSecondTime);
    SetTime(DateTimePickerAlternativeTime, day.KoppelAuswaertsSecondTime ? day.KoppelSecondTime : 0.0);
    UpdateControls();
}

THomeDay TDialogEditOneHomeDay::GetValues() const {
    THomeDay day;
    day.Date = FDate;
    switch (ComboBoxKind->currentIndex()) {
    case kindHomeDay:
        break;
    case kindSperrTermin:
        day.SperrTermin = true;
        return day;
    default:
        day.NoDate = true;
        return day;
    }
    day.Date = NormalizeDateTime(FDate + GetTime(DateTimePickerTime));
    day.AusweichTermin = CheckBoxAusweichTermin->isChecked();
    day.MaxParallelGame = std::max(0, ComboBoxMaxParallelGame->currentIndex());
    day.Location = Ss(GetComboText(ComboBoxLocation));
    const int koppel = ComboBoxKoppel->currentIndex();
    if (koppel == koppelKoppelDate || koppel == koppelDoubleDate) {
        day.KoppelDate = koppel == koppelKoppelDate;
        day.DoubleDate = koppel == koppelDoubleDate;
        day.KoppelPrio = std::max(0, ComboBoxKoppelPrio->currentIndex());
    }
    if (day.KoppelDate) {
        day.KoppelSecondTime = GetTime(DateTimePickerSecondTime);
    } else if (CheckBoxAuswaertsKoppel->isChecked()) {
        day.KoppelAuswaertsSecondTime = true;
        day.KoppelSecondTime = GetTime(DateTimePickerAlternativeTime);
    }
    return day;
}

void TDialogEditOneHomeDay::ButtonOKClick() {
    const std::string problem = HomeDayTimeProblem(GetValues());
    if (!problem.empty()) {
        ShowEntryMessage(this, Qs(problem));
        return;
    }
    accept();
}

} // namespace terminor
