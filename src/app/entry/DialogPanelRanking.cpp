// The "Setzliste" page.

#include "app/entry/DialogPanelRanking.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "data/PlanData.h"
#include "data/Ranking.h"

namespace terminor {

TDialogPanelRanking::TDialogPanelRanking(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Setzliste");
    auto* layout = new QVBoxLayout(PanelMain);
    CheckBoxActive = new QCheckBox("Setzliste aktivieren", PanelMain);
    CheckBoxActive->setObjectName("CheckBoxActive");
    layout->addWidget(CheckBoxActive);
    layout->addWidget(new QLabel("Erwartete Reihenfolge:", PanelMain));
    auto* row = new QHBoxLayout();
    ListBoxRanking = new QListWidget(PanelMain);
    ListBoxRanking->setObjectName("ListBoxRanking");
    ListBoxRanking->setDragDropMode(QAbstractItemView::InternalMove);
    ListBoxRanking->setDefaultDropAction(Qt::MoveAction);
    ListBoxRanking->setSelectionMode(QAbstractItemView::SingleSelection);
    row->addWidget(ListBoxRanking, 1);
    auto* buttons = new QVBoxLayout();
    ButtonUp = NewDialogButton(PanelMain, "Nach oben", "ButtonUp", false);
    ButtonDown = NewDialogButton(PanelMain, "Nach unten", "ButtonDown", false);
    buttons->addWidget(ButtonUp);
    buttons->addWidget(ButtonDown);
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    connect(CheckBoxActive, &QCheckBox::toggled, this, [this] { DoChange(); });
    connect(ButtonUp, &QPushButton::clicked, this, &TDialogPanelRanking::ButtonUpClick);
    connect(ButtonDown, &QPushButton::clicked, this, &TDialogPanelRanking::ButtonDownClick);
    connect(ListBoxRanking, &QListWidget::currentRowChanged, this, &TDialogPanelRanking::UpdateButtons);
    // A drop within the list moves the row.
    connect(ListBoxRanking->model(), &QAbstractItemModel::rowsMoved, this, [this] {
        UpdateButtons();
        DoChange();
    });
    UpdateButtons();
}

void TDialogPanelRanking::DataToForm() {
    const TFillGuard guard(*this);
    const TRankingList ranking = ReadRanking(*PlanData);
    CheckBoxActive->setChecked(ranking.Active);
    ListBoxRanking->clear();
    for (const std::string& name : ranking.Teams) {
        ListBoxRanking->addItem(Qs(name));
    }
    if (ListBoxRanking->count() > 0) {
        ListBoxRanking->setCurrentRow(0);
    }
    UpdateButtons();
}

void TDialogPanelRanking::FormToData() {
    TRankingList ranking;
    ranking.Active = CheckBoxActive->isChecked();
    for (int i = 0; i < ListBoxRanking->count(); ++i) {
        ranking.Teams.push_back(Ss(ListBoxRanking->item(i)->text()));
    }
    WriteRanking(*PlanData, ranking);
}

void TDialogPanelRanking::toDefault() {
    CheckBoxActive->setChecked(false);
}

bool TDialogPanelRanking::isDefault() {
    return !CheckBoxActive->isChecked();
}

void TDialogPanelRanking::MoveSelected(int delta) {
    const int row = ListBoxRanking->currentRow();
    const int target = row + delta;
    if (row < 0 || target < 0 || target >= ListBoxRanking->count()) {
        return;
    }
    QListWidgetItem* item = ListBoxRanking->takeItem(row);
    ListBoxRanking->insertItem(target, item);
    ListBoxRanking->setCurrentRow(target);
    UpdateButtons();
    DoChange();
}

void TDialogPanelRanking::ButtonUpClick() {
    MoveSelected(-1);
}

void TDialogPanelRanking::ButtonDownClick() {
    MoveSelected(1);
}

void TDialogPanelRanking::UpdateButtons() {
    const int row = ListBoxRanking->currentRow();
    ButtonUp->setEnabled(row > 0);
    ButtonDown->setEnabled(row >= 0 && row + 1 < ListBoxRanking->count());
}

} // namespace terminor
