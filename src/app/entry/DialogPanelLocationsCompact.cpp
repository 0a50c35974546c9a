// The "Spiellokale (Kompaktansicht)" page and its per-team detail page.

#include "app/entry/DialogPanelLocationsCompact.h"

#include <algorithm>
#include <numeric>

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/WindowHelpers.h"
#include "app/entry/DialogEditSisterTeam.h"
#include "app/entry/EntryDialogParts.h"
#include "app/entry/ValueList.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "data/PlanUtils.h"
#include "data/SisterTeams.h"

namespace terminor {

namespace {

constexpr int LocationWidth = 80;

std::vector<TDataObject*> SisterTeams(const TPlanData& planData, const std::string& teamName) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    return team != nullptr ? team->NamedChilds("sisterteam") : IDataObjectList{};
}

/// Every location combo of the list, in row order (the note row has none).
std::vector<QComboBox*> Combos(const QTableWidget* list) {
    std::vector<QComboBox*> combos;
    for (int row = 0; row < list->rowCount(); ++row) {
        if (auto* combo = ValueAt<QComboBox>(list, row)) {
            combos.push_back(combo);
        }
    }
    return combos;
}

} // namespace

TDialogPanelLocationsCompactDetail::TDialogPanelLocationsCompactDetail(QWidget* parent)
    : TDialogTeamPanel(parent) {
    auto* layout = new QVBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout();
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    ComboBoxLocation = NewLocationCombo(PanelMain, "ComboBoxLocation");
    ComboBoxLocation->setMinimumWidth(LocationWidth);
    form->addRow("Standardspiellokal:", ComboBoxLocation);
    layout->addLayout(form);
    LabelHomeDays = new QLabel("Spiellokale an den konkreten Heimspieltagen:", PanelMain);
    LabelHomeDays->setObjectName("LabelHomeDays");
    layout->addWidget(LabelHomeDays);
    ValueListHomeDays = NewValueList(PanelMain, "ValueListHomeDays", LocationWidth);
    layout->addWidget(ValueListHomeDays, 2);
    LabelSisterTeams = new QLabel(
        "Spiellokale der Nachbarmannschaften (Doppelklick um einzelne Spieltermine zu bearbeiten):",
        PanelMain);
    LabelSisterTeams->setObjectName("LabelSisterTeams");
    layout->addWidget(LabelSisterTeams);
    ValueListSisterTeams = NewValueList(PanelMain, "ValueListSisterTeams", LocationWidth);
    layout->addWidget(ValueListSisterTeams, 1);
    connect(ComboBoxLocation, &QComboBox::currentIndexChanged, this, [this] { DoChange(); });
    connect(ValueListSisterTeams, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column == 0) {
            GuardedEntry(this, [this, row] { EditSisterTeamOfRow(row); });
        }
    });
}

void TDialogPanelLocationsCompactDetail::DataToForm() {
    const TFillGuard guard(*this);
    const TDataObject* team = FindTeamElement(*PlanData, TeamName);
    SelectComboText(
        ComboBoxLocation,
        Qs(team != nullptr ? TPlanData::FixLocation(team->GetAsString("location")) : std::string()));

    const auto addCombo = [this](QTableWidget* list, const QString& key, const std::string& location) {
        QComboBox* combo = NewLocationCombo(list, "ComboBoxRowLocation");
        SelectComboText(combo, Qs(TPlanData::FixLocation(location)));
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { DoChange(); });
        AddValueRow(list, key, combo);
    };

    PlanData->GetHomeDays(TeamName, FHomeDays);
    ValueListHomeDays->setRowCount(0);
    for (const THomeDay& day : FHomeDays) {
        if (day.IsHomeDay()) {
            addCombo(ValueListHomeDays, Qs(FormatDayDate(day.Date)), day.Location);
        }
    }
    if (ValueListHomeDays->rowCount() == 0) {
        AddValueListNote(ValueListHomeDays, "Keine Wunschtermine vorhanden");
    }

    const std::vector<TDataObject*> sisters = SisterTeams(*PlanData, TeamName);
    FSisterIndex.resize(sisters.size());
    std::iota(FSisterIndex.begin(), FSisterIndex.end(), 0);
    std::stable_sort(FSisterIndex.begin(), FSisterIndex.end(), [&sisters](int a, int b) {
        return SisterTeamKey(*sisters[static_cast<std::size_t>(a)]) <
               SisterTeamKey(*sisters[static_cast<std::size_t>(b)]);
    });
    ValueListSisterTeams->setRowCount(0);
    for (const int index : FSisterIndex) {
        const TDataObject& sister = *sisters[static_cast<std::size_t>(index)];
        addCombo(ValueListSisterTeams, Qs(SisterTeamKey(sister)), sister.GetAsString("location"));
    }
    if (sisters.empty()) {
        AddValueListNote(ValueListSisterTeams, "Keine Nachbarmannschaften vorhanden");
    }
}

void TDialogPanelLocationsCompactDetail::FormToData() {
    TDataObject* team = FindTeamElement(*PlanData, TeamName);
    if (team == nullptr) {
        return;
    }
    team->SetAsString("location", TPlanData::FixLocation(Ss(GetComboText(ComboBoxLocation))));
    const std::vector<QComboBox*> dayCombos = Combos(ValueListHomeDays);
    THomeDayList days = FHomeDays;
    std::size_t row = 0;
    for (THomeDay& day : days) {
        if (day.IsHomeDay() && row < dayCombos.size()) {
            day.Location = TPlanData::FixLocation(Ss(GetComboText(dayCombos[row++])));
        }
    }
    PlanData->SetHomeDays(TeamName, days);
    const std::vector<QComboBox*> sisterCombos = Combos(ValueListSisterTeams);
    const std::vector<TDataObject*> sisters = SisterTeams(*PlanData, TeamName);
    for (std::size_t i = 0; i < sisterCombos.size() && i < FSisterIndex.size(); ++i) {
        const auto index = static_cast<std::size_t>(FSisterIndex[i]);
        if (index < sisters.size()) {
            sisters[index]->SetAsString("location",
                                        TPlanData::FixLocation(Ss(GetComboText(sisterCombos[i]))));
        }
    }
}

void TDialogPanelLocationsCompactDetail::toDefault() {
    {
        const TFillGuard guard(*this);
        SelectComboText(ComboBoxLocation, "");
        for (QTableWidget* list : {ValueListHomeDays, ValueListSisterTeams}) {
            for (QComboBox* combo : Combos(list)) {
                SelectComboText(combo, "");
            }
        }
    }
    FormToData();
    DataToForm();
    DoChange();
}

bool TDialogPanelLocationsCompactDetail::isDefault() {
    const QString hall = GetComboText(ComboBoxLocation);
    if (!hall.isEmpty()) {
        return false;
    }
    const auto differs = [](const QTableWidget* list, const QString& value) {
        const std::vector<QComboBox*> combos = Combos(list);
        return std::any_of(combos.begin(), combos.end(),
                           [&value](const QComboBox* combo) { return GetComboText(combo) != value; });
    };
    return !differs(ValueListSisterTeams, "") && !differs(ValueListHomeDays, hall);
}

void TDialogPanelLocationsCompactDetail::EditSisterTeamOfRow(int row) {
    if (row < 0 || row >= static_cast<int>(FSisterIndex.size())) {
        return;
    }
    FormToData();
    if (EditSisterTeam(this, *PlanData, TeamName, FSisterIndex[static_cast<std::size_t>(row)])) {
        DataToForm();
        DoChange();
    }
}

TDialogPanelLocationsCompact::TDialogPanelLocationsCompact(QWidget* parent) : TDialogPanelMultiTeams(parent) {
    setWindowTitle(getCaption());
}

std::unique_ptr<TDialogTeamPanel> TDialogPanelLocationsCompact::getDialogClass() const {
    return std::make_unique<TDialogPanelLocationsCompactDetail>();
}

QString TDialogPanelLocationsCompact::getCaption() const {
    return "Spiellokale (Kompaktansicht)";
}

} // namespace terminor
