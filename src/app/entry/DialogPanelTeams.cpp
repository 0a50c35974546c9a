// The "Mannschaften" page and its team dialog.

#include "app/entry/DialogPanelTeams.h"

#include <vector>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/EntryDialogParts.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

TFormEditTeamName::TFormEditTeamName(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Mannschaft");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    layout->addLayout(form);
    EditTeamName = new QLineEdit(this);
    EditTeamName->setObjectName("EditTeamName");
    EditTeamName->setMinimumWidth(320);
    form->addRow("Mannschaftsname", EditTeamName);
    EditTeamId = new QLineEdit(this);
    EditTeamId->setObjectName("EditTeamId");
    form->addRow("Mannschafts-ID", EditTeamId);
    EditClubId = new QLineEdit(this);
    EditClubId->setObjectName("EditClubId");
    form->addRow("Vereins-ID", EditClubId);
    SpinEditTeamNumber = new QSpinBox(this);
    SpinEditTeamNumber->setObjectName("SpinEditTeamNumber");
    SpinEditTeamNumber->setRange(1, 99);
    form->addRow("Mannschaftsnummer", WithNote(SpinEditTeamNumber, "1., 2., 3. Mannschaft"));
    ComboBoxLocation = new QComboBox(this);
    ComboBoxLocation->setObjectName("ComboBoxLocation");
    std::vector<std::string> locations;
    TPlanData::getTeamLocationsInt(locations);
    for (const std::string& location : locations) {
        ComboBoxLocation->addItem(Qs(location));
    }
    form->addRow("Spiellokal",
                 WithNote(ComboBoxLocation, "leer, falls Verein nur in einem Spiellokal spielt"));
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    ButtonOK = NewDialogButton(this, "OK", "ButtonOK", true);
    ButtonCancel = NewDialogButton(this, "Abbrechen", "ButtonCancel", false);
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);
    layout->addLayout(buttons);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormEditTeamName::ButtonOKClick);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    AdjustDialog(this);
}

void TFormEditTeamName::SetValues(const TTeamValues& values) {
    EditTeamName->setText(Qs(values.TeamName));
    EditTeamId->setText(Qs(values.TeamId));
    EditClubId->setText(Qs(values.ClubId));
    SpinEditTeamNumber->setValue(values.TeamNumber);
    SelectComboText(ComboBoxLocation, Qs(TPlanData::FixLocation(values.Location)));
}

TTeamValues TFormEditTeamName::GetValues() const {
    TTeamValues values;
    values.TeamName = Ss(EditTeamName->text());
    values.TeamId = Ss(EditTeamId->text());
    values.ClubId = Ss(EditClubId->text());
    values.TeamNumber = SpinEditTeamNumber->value();
    values.Location = Ss(GetComboText(ComboBoxLocation));
    return TrimmedTeamValues(values);
}

void TFormEditTeamName::ButtonOKClick() {
    const std::string message = CheckTeamValues(GetValues());
    if (!message.empty()) {
        ShowEntryMessage(this, Qs(message));
        return;
    }
    accept();
}

TDialogPanelTeams::TDialogPanelTeams(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Mannschaften");
    auto* layout = new QHBoxLayout(PanelMain);
    ListBoxTeams = new QListWidget(PanelMain);
    ListBoxTeams->setObjectName("ListBoxTeams");
    layout->addWidget(ListBoxTeams, 1);
    auto* buttons = new QVBoxLayout();
    ButtonNew = NewDialogButton(PanelMain, "Neue Mannschaft...", "ButtonNew", false);
    ButtonEdit = NewDialogButton(PanelMain, "Mannschaft bearbeiten...", "ButtonEdit", false);
    ButtonDelete = NewDialogButton(PanelMain, "Mannschaft Löschen...", "ButtonDelete", false);
    buttons->addWidget(ButtonNew);
    buttons->addWidget(ButtonEdit);
    buttons->addWidget(ButtonDelete);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(ButtonNew, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonNewClick(); }); });
    connect(ButtonEdit, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(ButtonDelete, &QPushButton::clicked, this,
            [this] { GuardedEntry(this, [this] { ButtonDeleteClick(); }); });
    connect(ListBoxTeams, &QListWidget::itemDoubleClicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(ListBoxTeams, &QListWidget::currentRowChanged, this, &TDialogPanelTeams::UpdateButtons);
    UpdateButtons();
}

void TDialogPanelTeams::FillList(const std::string& select) {
    const TFillGuard guard(*this);
    std::vector<std::string> names;
    PlanData->getTeamNames(names);
    ListBoxTeams->clear();
    for (const std::string& name : names) {
        ListBoxTeams->addItem(Qs(name));
        if (name == select) {
            ListBoxTeams->setCurrentRow(ListBoxTeams->count() - 1);
        }
    }
    UpdateButtons();
}

void TDialogPanelTeams::UpdateButtons() {
    const bool selected = ListBoxTeams->currentRow() >= 0;
    ButtonEdit->setEnabled(selected);
    ButtonDelete->setEnabled(selected);
}

std::string TDialogPanelTeams::selectedTeam() const {
    const QListWidgetItem* item = ListBoxTeams->currentItem();
    return item != nullptr ? Ss(item->text()) : std::string();
}

void TDialogPanelTeams::DataToForm() {
    FillList({});
}

std::optional<TTeamValues> TDialogPanelTeams::EditValues(TTeamValues values, const TDataObject* editedTeam) {
    for (;;) {
        TFormEditTeamName dialog(this);
        dialog.SetValues(values);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        values = dialog.GetValues();
        const std::string conflict = FindTeamConflict(*PlanData, values, editedTeam);
        if (conflict.empty()) {
            return values;
        }
        ShowEntryMessage(this, Qs(conflict));
    }
}

void TDialogPanelTeams::ButtonNewClick() {
    const std::optional<TTeamValues> values = EditValues(TTeamValues{}, nullptr);
    if (values) {
        AddTeam(*PlanData, *values);
        FillList(values->TeamName);
        DoChange();
    }
}

void TDialogPanelTeams::ButtonEditClick() {
    TDataObject* team = FindTeamElement(*PlanData, selectedTeam());
    if (team == nullptr) {
        return;
    }
    const std::optional<TTeamValues> values = EditValues(ReadTeamValues(*team), team);
    if (values) {
        UpdateTeam(*team, *values);
        FillList(values->TeamName);
        DoChange();
    }
}

void TDialogPanelTeams::ButtonDeleteClick() {
    const std::string name = selectedTeam();
    if (name.empty() ||
        !AskEntryYesNo(this, "Möchten Sie die Mannschaft " + Qs(name) + " wirklich löschen?")) {
        return;
    }
    DeleteTeam(*PlanData, name);
    FillList({});
    DoChange();
}

void TDialogPanelTeams::toDefault() {
    if (PlanDataDefault != nullptr) {
        TeamsToDefault(*PlanData, *PlanDataDefault);
        FillList(selectedTeam());
        DoChange();
    }
}

bool TDialogPanelTeams::isDefault() {
    return PlanDataDefault == nullptr || TeamsAreDefault(*PlanData, *PlanDataDefault);
}

} // namespace terminor
