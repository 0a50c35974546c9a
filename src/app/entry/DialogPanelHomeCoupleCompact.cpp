// The "Heimkoppel/Doppelspieltage (Kompakt)" page and its per-team detail page.

#include "app/entry/DialogPanelHomeCoupleCompact.h"

#include <string>

#include <QAbstractItemView>
#include <QComboBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/entry/ValueList.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "model/Types.h"

namespace terminor {

namespace {

static_assert(static_cast<int>(woKoppelNothing) == KoppelOptionNothing &&
                  static_cast<int>(woKoppelDoubleDatePossible) == KoppelOptionDoubleDate,
              "the page numbers the options as the wish-date options");

std::string OptionName(int option) {
    return std::string(WunschterminOptionText(static_cast<TWunschterminOption>(option)));
}

} // namespace

TDialogPanelHomeCoupleCompactDetail::TDialogPanelHomeCoupleCompactDetail(QWidget* parent)
    : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    ValueListKoppel = NewValueList(PanelMain, "ValueListKoppel", 0);
    layout->addWidget(ValueListKoppel, 1);
}

void TDialogPanelHomeCoupleCompactDetail::DataToForm() {
    const TFillGuard guard(*this);
    PlanData->GetHomeDays(TeamName, FHomeDays);
    FRows = BuildKoppelRows(FHomeDays);
    ValueListKoppel->setRowCount(0);
    for (const TKoppelWunschElem& row : FRows) {
        auto* combo = new QComboBox(ValueListKoppel);
        combo->setObjectName("ComboBoxKoppel");
        for (int choice = 0; choice < row.ChoiceCount(); ++choice) {
            combo->addItem(Qs(row.ChoiceText(choice, OptionName)));
        }
        // The long choices of a pair row stay readable in the open list.
        combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) + 24);
        // Options that no choice offers (entered in the wish dates) show no choice and stay.
        combo->setCurrentIndex(row.CurrentChoice());
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { DoChange(); });
        AddValueRow(ValueListKoppel, Qs(row.Key()), combo);
    }
    if (FRows.empty()) {
        AddValueListNote(ValueListKoppel, "Koppelspiele sind in den Terminwünschen nicht enthalten");
    }
}

QComboBox* TDialogPanelHomeCoupleCompactDetail::rowCombo(int row) const {
    return row >= 0 && row < ValueListKoppel->rowCount() ? ValueAt<QComboBox>(ValueListKoppel, row) : nullptr;
}

void TDialogPanelHomeCoupleCompactDetail::FormToData() {
    std::vector<TCalculateOptionsKoppelDate> chosen;
    for (int row = 0; row < static_cast<int>(FRows.size()); ++row) {
        const QComboBox* combo = rowCombo(row);
        chosen.push_back(
            FRows[static_cast<std::size_t>(row)].Chosen(combo != nullptr ? combo->currentIndex() : -1));
    }
    THomeDayList days = FHomeDays;
    ApplyKoppelDates(days, chosen);
    PlanData->SetHomeDays(TeamName, days);
}

namespace {

std::vector<TCalculateOptionsKoppelDate> DefaultRows(const TPlanData& planData, const TPlanData& defaults,
                                                     const std::string& teamName) {
    THomeDayList days;
    if (const TDataObject* team = FindDefaultTeam(planData, defaults, teamName)) {
        defaults.GetHomeDays(team->GetAsString("teamname"), days);
    }
    return KoppelRowOptions(days);
}

} // namespace

void TDialogPanelHomeCoupleCompactDetail::toDefault() {
    if (PlanDataDefault == nullptr) {
        return;
    }
    THomeDayList days = FHomeDays;
    ApplyKoppelDates(days, DefaultRows(*PlanData, *PlanDataDefault, TeamName));
    PlanData->SetHomeDays(TeamName, days);
    DataToForm();
    DoChange();
}

bool TDialogPanelHomeCoupleCompactDetail::isDefault() {
    if (PlanDataDefault == nullptr) {
        return true;
    }
    FormToData();
    THomeDayList days;
    PlanData->GetHomeDays(TeamName, days);
    const std::vector<TCalculateOptionsKoppelDate> current = KoppelRowOptions(days);
    const std::vector<TCalculateOptionsKoppelDate> defaults =
        DefaultRows(*PlanData, *PlanDataDefault, TeamName);
    return std::equal(current.begin(), current.end(), defaults.begin(), defaults.end(),
                      [](const auto& a, const auto& b) { return a.isTheSame(b); });
}

TDialogPanelHomeCoupleCompact::TDialogPanelHomeCoupleCompact(QWidget* parent)
    : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelHomeCoupleCompact::getDialogClass() const {
    return std::make_unique<TDialogPanelHomeCoupleCompactDetail>();
}

QString TDialogPanelHomeCoupleCompact::getCaption() const {
    return "Heimkoppel/Doppelspieltage (Kompakt)";
}

QString TDialogPanelHomeCoupleCompact::getHeaderText() const {
    return "Neue Heimkoppeltermine können nur in den Wunschterminen angelegt werden.\n"
           "Die zweite Anfangszeit kann ebenfalls nur in den Wunschterminen angegeben werden";
}

} // namespace terminor
