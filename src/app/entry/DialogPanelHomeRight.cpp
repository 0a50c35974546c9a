// The "Heimrecht" page and its per-team detail page.

#include "app/entry/DialogPanelHomeRight.h"

#include <string>
#include <vector>

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/HomeRights.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

namespace {

/// The choices of a row in combo order, as `homeright` values.
constexpr int RowChoices[] = {HomeRightRound1, HomeRightNone, HomeRightRound2};
constexpr int RowChoiceEgal = 1;

int RowIndexOf(int right) {
    for (int i = 0; i < 3; ++i) {
        if (RowChoices[i] == right) {
            return i;
        }
    }
    return RowChoiceEgal;
}

} // namespace

TDialogPanelHomeRightDetail::TDialogPanelHomeRightDetail(QWidget* parent) : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout();
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    ComboBoxHomeGames = new QComboBox(PanelMain);
    ComboBoxHomeGames->setObjectName("ComboBoxHomeGames");
    form->addRow("Anzahl Heimspiele:", ComboBoxHomeGames);
    layout->addLayout(form);
    LabelHomeRights = new QLabel("Heimrecht bei diesen Mannschaften:", PanelMain);
    LabelHomeRights->setObjectName("LabelHomeRights");
    layout->addWidget(LabelHomeRights);
    ValueListHomeRights = new QTableWidget(0, 2, PanelMain);
    ValueListHomeRights->setObjectName("ValueListHomeRights");
    ValueListHomeRights->horizontalHeader()->hide();
    ValueListHomeRights->verticalHeader()->hide();
    ValueListHomeRights->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ValueListHomeRights->setSelectionMode(QAbstractItemView::NoSelection);
    ValueListHomeRights->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ValueListHomeRights->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    ValueListHomeRights->setColumnWidth(1, 140);
    layout->addWidget(ValueListHomeRights, 1);
    connect(ComboBoxHomeGames, &QComboBox::currentIndexChanged, this,
            &TDialogPanelHomeRightDetail::UserChanged);
}

void TDialogPanelHomeRightDetail::DataToForm() {
    const TFillGuard guard(*this);
    std::vector<std::string> teams;
    PlanData->getTeamNames(teams);
    const int n = static_cast<int>(teams.size());
    const TTeamHomeRights rights = GetTeamHomeRights(*PlanData, TeamName);
    StoredHomeGames = rights.HomeGamesRoundOne;

    ComboBoxHomeGames->clear();
    ComboBoxHomeGames->addItem("Automatisch");
    for (int i = 0; i < n; ++i) {
        ComboBoxHomeGames->addItem("Vorrunde: " + QString::number(i) +
                                   "      Rückrunde: " + QString::number(n - 1 - i));
    }
    // A number that no longer fits the division (teams were deleted) shows no choice and stays.
    const int index = rights.HomeGamesRoundOne + 1;
    ComboBoxHomeGames->setCurrentIndex(index >= 0 && index <= n ? index : -1);

    ValueListHomeRights->setRowCount(0);
    for (const std::string& opponent : OtherTeamNames(*PlanData, TeamName)) {
        const int row = ValueListHomeRights->rowCount();
        ValueListHomeRights->insertRow(row);
        ValueListHomeRights->setItem(row, 0, new QTableWidgetItem(Qs(opponent)));
        auto* combo = new QComboBox(ValueListHomeRights);
        combo->setObjectName("ComboBoxHomeRight");
        combo->addItems({"Vorrunde", "egal", "Rückrunde"});
        combo->setCurrentIndex(RowIndexOf(rights.RightAgainst(opponent)));
        connect(combo, &QComboBox::currentIndexChanged, this, &TDialogPanelHomeRightDetail::UserChanged);
        ValueListHomeRights->setCellWidget(row, 1, combo);
    }
    ValueListHomeRights->resizeColumnToContents(0);
}

QComboBox* TDialogPanelHomeRightDetail::rowCombo(const QString& opponent) const {
    for (int row = 0; row < ValueListHomeRights->rowCount(); ++row) {
        if (ValueListHomeRights->item(row, 0)->text() == opponent) {
            return qobject_cast<QComboBox*>(ValueListHomeRights->cellWidget(row, 1));
        }
    }
    return nullptr;
}

void TDialogPanelHomeRightDetail::WriteData() {
    TTeamHomeRights rights;
    const int index = ComboBoxHomeGames->currentIndex();
    rights.HomeGamesRoundOne = index >= 0 ? index - 1 : StoredHomeGames;
    for (int row = 0; row < ValueListHomeRights->rowCount(); ++row) {
        const auto* combo = qobject_cast<QComboBox*>(ValueListHomeRights->cellWidget(row, 1));
        const int choice = combo->currentIndex();
        if (choice >= 0 && RowChoices[choice] != HomeRightNone) {
            rights.Rights.emplace_back(Ss(ValueListHomeRights->item(row, 0)->text()), RowChoices[choice]);
        }
    }
    SetTeamHomeRights(*PlanData, TeamName, rights);
    StoredHomeGames = rights.HomeGamesRoundOne;
}

void TDialogPanelHomeRightDetail::UserChanged() {
    if (isFilling()) {
        return;
    }
    GuardedEntry(this, [this] { WriteData(); });
    DoChange();
}

void TDialogPanelHomeRightDetail::toDefault() {
    {
        const TFillGuard guard(*this);
        ComboBoxHomeGames->setCurrentIndex(0);
        for (int row = 0; row < ValueListHomeRights->rowCount(); ++row) {
            qobject_cast<QComboBox*>(ValueListHomeRights->cellWidget(row, 1))->setCurrentIndex(RowChoiceEgal);
        }
    }
    WriteData();
    DoChange();
}

bool TDialogPanelHomeRightDetail::isDefault() {
    if (ComboBoxHomeGames->currentIndex() != 0) {
        return false;
    }
    for (int row = 0; row < ValueListHomeRights->rowCount(); ++row) {
        if (qobject_cast<QComboBox*>(ValueListHomeRights->cellWidget(row, 1))->currentIndex() !=
            RowChoiceEgal) {
            return false;
        }
    }
    return true;
}

TDialogPanelHomeRight::TDialogPanelHomeRight(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelHomeRight::getDialogClass() const {
    return std::make_unique<TDialogPanelHomeRightDetail>();
}

QString TDialogPanelHomeRight::getCaption() const {
    return "Heimrecht";
}

} // namespace terminor
