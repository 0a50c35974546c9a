// The "Spiele der Nachbarmannschaften" page and its per-team detail page.

#include "app/entry/DialogPanelSisterTeams.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "app/entry/DialogEditSisterTeam.h"
#include "app/entry/EntryDialogParts.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/SisterTeams.h"

namespace terminor {

TDialogPanelSisterTeamsDetail::TDialogPanelSisterTeamsDetail(QWidget* parent) : TDialogTeamPanel(parent) {
    auto* layout = new QHBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    ListBoxSisterTeams = new QListWidget(PanelMain);
    ListBoxSisterTeams->setObjectName("ListBoxSisterTeams");
    layout->addWidget(ListBoxSisterTeams, 1);
    const TListButtons buttons = AddListButtons(layout, PanelMain, "Neue Mannschaft...",
                                                "Mannschaft bearbeiten...", "Mannschaft Löschen...");
    ButtonNew = buttons.New;
    ButtonEdit = buttons.Edit;
    ButtonDelete = buttons.Delete;
    ConnectListButtons(
        this, buttons, [this] { ButtonNewClick(); }, [this] { ButtonEditClick(); },
        [this] { ButtonDeleteClick(); });
    connect(ListBoxSisterTeams, &QListWidget::itemDoubleClicked, this,
            [this] { GuardedEntry(this, [this] { ButtonEditClick(); }); });
    connect(ListBoxSisterTeams, &QListWidget::currentRowChanged, this,
            &TDialogPanelSisterTeamsDetail::UpdateButtons);
    UpdateButtons();
}

void TDialogPanelSisterTeamsDetail::FillList(int selectRow) {
    const TFillGuard guard(*this);
    ListBoxSisterTeams->clear();
    if (const TDataObject* team = FindTeamElement(*PlanData, TeamName)) {
        for (const TDataObject* sister : team->NamedChilds("sisterteam")) {
            ListBoxSisterTeams->addItem(Qs(SisterTeamLine(*sister)));
        }
    }
    if (selectRow >= 0 && selectRow < ListBoxSisterTeams->count()) {
        ListBoxSisterTeams->setCurrentRow(selectRow);
    }
    UpdateButtons();
}

void TDialogPanelSisterTeamsDetail::UpdateButtons() {
    const bool selected = ListBoxSisterTeams->currentRow() >= 0;
    ButtonEdit->setEnabled(selected);
    ButtonDelete->setEnabled(selected);
}

void TDialogPanelSisterTeamsDetail::DataToForm() {
    FillList(0);
}

void TDialogPanelSisterTeamsDetail::ButtonNewClick() {
    if (EditSisterTeam(this, *PlanData, TeamName, -1)) {
        FillList(ListBoxSisterTeams->count());
        DoChange();
    }
}

void TDialogPanelSisterTeamsDetail::ButtonEditClick() {
    const int row = ListBoxSisterTeams->currentRow();
    if (row >= 0 && EditSisterTeam(this, *PlanData, TeamName, row)) {
        FillList(row);
        DoChange();
    }
}

void TDialogPanelSisterTeamsDetail::ButtonDeleteClick() {
    const int row = ListBoxSisterTeams->currentRow();
    TDataObject* team = FindTeamElement(*PlanData, TeamName);
    if (row < 0 || team == nullptr) {
        return;
    }
    const TDataObject* sister = team->NamedChilds("sisterteam")[static_cast<std::size_t>(row)];
    if (!AskEntryYesNo(this, "Möchten Sie die Mannschaft " + Qs(sister->GetAsString("teamname")) +
                                 " wirklich löschen?")) {
        return;
    }
    team->RemoveChild(sister);
    FillList(std::min(row, ListBoxSisterTeams->count() - 2));
    DoChange();
}

void TDialogPanelSisterTeamsDetail::toDefault() {
    if (PlanDataDefault != nullptr) {
        CopyDefaultSisterTeams(*PlanData, TeamName, *PlanDataDefault);
        FillList(0);
        DoChange();
    }
}

bool TDialogPanelSisterTeamsDetail::isDefault() {
    return PlanDataDefault == nullptr || SisterTeamsAreDefault(*PlanData, TeamName, *PlanDataDefault);
}

TDialogPanelSisterTeams::TDialogPanelSisterTeams(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelSisterTeams::getDialogClass() const {
    return std::make_unique<TDialogPanelSisterTeamsDetail>();
}

QString TDialogPanelSisterTeams::getCaption() const {
    return "Spiele der Nachbarmannschaften";
}

} // namespace terminor
