// The "60km Regel" page and its per-team detail page.

#include "app/entry/DialogPanel60km.h"

#include <algorithm>

#include <QListWidget>
#include <QVBoxLayout>

#include "data/NoWeekGames.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

TDialogPanel60kmDetail::TDialogPanel60kmDetail(QWidget* parent) : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    CheckListBoxTeams = new QListWidget(PanelMain);
    CheckListBoxTeams->setObjectName("CheckListBoxTeams");
    layout->addWidget(CheckListBoxTeams, 1);
    connect(CheckListBoxTeams, &QListWidget::itemChanged, this, [this] { DoChange(); });
}

void TDialogPanel60kmDetail::CheckTeams(const std::vector<std::string>& names) {
    const TFillGuard guard(*this);
    for (int row = 0; row < CheckListBoxTeams->count(); ++row) {
        QListWidgetItem* item = CheckListBoxTeams->item(row);
        const bool checked = std::find(names.begin(), names.end(), Ss(item->text())) != names.end();
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void TDialogPanel60kmDetail::DataToForm() {
    const TFillGuard guard(*this);
    CheckListBoxTeams->clear();
    for (const std::string& name : OtherTeamNames(*PlanData, TeamName)) {
        auto* item = new QListWidgetItem(Qs(name), CheckListBoxTeams);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    CheckTeams(GetNoWeekGamePartners(*PlanData, TeamName));
}

std::vector<std::string> TDialogPanel60kmDetail::checkedTeams() const {
    std::vector<std::string> names;
    for (int row = 0; row < CheckListBoxTeams->count(); ++row) {
        const QListWidgetItem* item = CheckListBoxTeams->item(row);
        if (item->checkState() == Qt::Checked) {
            names.push_back(Ss(item->text()));
        }
    }
    return names;
}

void TDialogPanel60kmDetail::FormToData() {
    SetNoWeekGamePartners(*PlanData, TeamName, checkedTeams());
}

std::vector<std::string> TDialogPanel60kmDetail::DefaultTeams() const {
    const TDataObject* team = FindDefaultTeam(*PlanData, *PlanDataDefault, TeamName);
    if (team == nullptr) {
        return {};
    }
    // Only names the list offers can be checked.
    std::vector<std::string> names;
    for (const std::string& name : GetNoWeekGamePartners(*PlanDataDefault, team->GetAsString("teamname"))) {
        if (!CheckListBoxTeams->findItems(Qs(name), Qt::MatchExactly).isEmpty()) {
            names.push_back(name);
        }
    }
    return names;
}

void TDialogPanel60kmDetail::toDefault() {
    if (PlanDataDefault != nullptr) {
        CheckTeams(DefaultTeams());
        DoChange();
    }
}

bool TDialogPanel60kmDetail::isDefault() {
    if (PlanDataDefault == nullptr) {
        return true;
    }
    std::vector<std::string> checked = checkedTeams();
    std::sort(checked.begin(), checked.end());
    return checked == DefaultTeams();
}

TDialogPanel60km::TDialogPanel60km(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanel60km::getDialogClass() const {
    return std::make_unique<TDialogPanel60kmDetail>();
}

QString TDialogPanel60km::getCaption() const {
    return "60km Regel";
}

QString TDialogPanel60km::getHeaderText() const {
    return "Wegen des langen Anfahrtsweges dürfen Spiele gegen diese Mannschaften nur am Wochenende "
           "stattfinden";
}

} // namespace terminor
