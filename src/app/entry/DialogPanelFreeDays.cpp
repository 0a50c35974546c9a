// The "Spielfreie Tage" page.

#include "app/entry/DialogPanelFreeDays.h"

#include <algorithm>

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "data/FreeDays.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

constexpr int DayRole = Qt::UserRole;

} // namespace

TDialogPanelFreeDays::TDialogPanelFreeDays(QWidget* parent) : TDialogPanel(parent) {
    setWindowTitle("Spielfreie Tage");
    auto* layout = new QVBoxLayout(PanelMain);
    LabelText = new QLabel("An diesen Tagen sollen keine Spiele stattfinden:", PanelMain);
    LabelText->setObjectName("LabelText");
    layout->addWidget(LabelText);
    CheckListBoxDays = new QListWidget(PanelMain);
    CheckListBoxDays->setObjectName("CheckListBoxDays");
    layout->addWidget(CheckListBoxDays, 1);
    connect(CheckListBoxDays, &QListWidget::itemChanged, this, [this] { DoChange(); });
}

void TDialogPanelFreeDays::CheckDays(const std::vector<TDateTime>& freeDays) {
    const TFillGuard guard(*this);
    for (int row = 0; row < CheckListBoxDays->count(); ++row) {
        QListWidgetItem* item = CheckListBoxDays->item(row);
        const TDateTime day = item->data(DayRole).toDouble();
        const bool free = std::find(freeDays.begin(), freeDays.end(), day) != freeDays.end();
        item->setCheckState(free ? Qt::Checked : Qt::Unchecked);
    }
}

void TDialogPanelFreeDays::DataToForm() {
    const TFillGuard guard(*this);
    std::vector<TDateTime> days;
    PlanData->getAllPossibleDates(days);
    CheckListBoxDays->clear();
    for (const TDateTime day : days) {
        auto* item = new QListWidgetItem(Qs(FormatDayDate(day)), CheckListBoxDays);
        item->setData(DayRole, static_cast<double>(DayNumber(day)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    CheckDays(FreeDaysAmong(GetFreeDays(*PlanData), days));
}

std::vector<TDateTime> TDialogPanelFreeDays::checkedDays() const {
    std::vector<TDateTime> days;
    for (int row = 0; row < CheckListBoxDays->count(); ++row) {
        const QListWidgetItem* item = CheckListBoxDays->item(row);
        if (item->checkState() == Qt::Checked) {
            days.push_back(item->data(DayRole).toDouble());
        }
    }
    return days;
}

void TDialogPanelFreeDays::FormToData() {
    SetFreeDays(*PlanData, checkedDays());
}

std::vector<TDateTime> TDialogPanelFreeDays::DefaultDays() const {
    std::vector<TDateTime> listed;
    for (int row = 0; row < CheckListBoxDays->count(); ++row) {
        listed.push_back(CheckListBoxDays->item(row)->data(DayRole).toDouble());
    }
    return FreeDaysAmong(GetFreeDays(*PlanDataDefault), listed);
}

void TDialogPanelFreeDays::toDefault() {
    if (PlanDataDefault != nullptr) {
        CheckDays(DefaultDays());
        DoChange();
    }
}

bool TDialogPanelFreeDays::isDefault() {
    return PlanDataDefault == nullptr || checkedDays() == DefaultDays();
}

} // namespace terminor
