// TFormOptions: the two pages, filling them from the options, writing them back on each change,
// the enabled states and the per-page reset.

#include "app/OptionsDialog.h"

#include <algorithm>
#include <array>
#include <exception>
#include <new>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/PanelOptionArray.h"
#include "app/SubDialogController.h"
#include "app/WindowHelpers.h"
#include "model/Plan.h"

namespace terminor {

namespace {

constexpr int DesignWidth = 848;
constexpr int DesignHeight = 697;
constexpr int RefreshMs = 1000;

QCheckBox* NewCheckBox(QWidget* parent, const QString& text, const char* name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

std::vector<std::string> PlanKostenTypeTitles() {
    std::vector<std::string> titles;
    for (int i = 0; i < PlanKostenTypeCount; ++i) {
        titles.emplace_back(PlanKostenTypeText(static_cast<TPlanKostenType>(i)));
    }
    return titles;
}

/// A group box at the top of its column on the weights page, holding a weight column in a panel.
struct TWeightGroup {
    QGroupBox* Group;
    QWidget* Panel;
    TFormPanelOptionArray* Column;
    QVBoxLayout* Layout;
};

TWeightGroup NewWeightGroup(QWidget* page, QHBoxLayout* groups, const QString& title, const char* groupName,
                            const char* panelName, const char* columnName,
                            const std::vector<std::string>& titles, int stretch) {
    TWeightGroup result{};
    result.Group = new QGroupBox(title, page);
    result.Group->setObjectName(groupName);
    result.Layout = new QVBoxLayout(result.Group);
    result.Panel = new QWidget(result.Group);
    result.Panel->setObjectName(panelName);
    result.Layout->addWidget(result.Panel);
    result.Column = new TFormPanelOptionArray;
    result.Column->setObjectName(columnName);
    result.Column->SetPanel(result.Panel);
    result.Column->Init(titles);
    auto* column = new QVBoxLayout;
    column->addWidget(result.Group);
    column->addStretch(1);
    groups->addLayout(column, stretch);
    return result;
}

} // namespace

TFormOptions::TFormOptions(QWidget* parent) : QDialog(parent) {
    AdjustDialog(this);
    setObjectName("FormOptions");
    setWindowTitle("Einstellungen");
    setModal(false);
    auto* layout = new QVBoxLayout(this);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    layout->addWidget(PageControl, 1);
    CreateWeightsPage();
    CreateRoundsPage();

    auto* bottom = new QHBoxLayout;
    ButtonToStandard = NewDialogButton(this, "Standard wiederherstellen", "ButtonToStandard", false);
    ButtonOK = NewDialogButton(this, "Schließen", "ButtonOK", true);
    bottom->addWidget(ButtonToStandard);
    bottom->addStretch(1);
    bottom->addWidget(ButtonOK);
    layout->addLayout(bottom);

    connect(PageControl, &QTabWidget::currentChanged, this, [this] { UpdateEnabledStates(); });
    connect(ButtonToStandard, &QPushButton::clicked, this, [this] { ButtonToStandardClick(); });
    connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(RefreshMs);
    connect(Timer1, &QTimer::timeout, this, [this] { UpdateEnabledStates(); });
    Timer1->start();

    // The weight columns may scroll vertically on a small screen, but never cut their selectors.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    PanelPlanGewichtung->setMinimumWidth(PanelPlanOptions->sizeHint().width() + scrollBar);
    PanelMannschaftenGewichtung->setMinimumWidth(PanelMannschaftOptions->sizeHint().width() + scrollBar);
    FitFormToScreen(this, DesignWidth, DesignHeight);
    PageControl->setCurrentIndex(0);
    UpdateEnabledStates();
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::CreateWeightsPage() {
    TabSheetGewichtung = new QWidget;
    TabSheetGewichtung->setObjectName("TabSheetGewichtung");
    PageControl->addTab(TabSheetGewichtung, "Gewichtung der Kosten");
    auto* page = new QVBoxLayout(TabSheetGewichtung);

    CheckBoxFreitagIs60km = NewCheckBox(TabSheetGewichtung, "Freitagspiele sind bei 60km Regel zulässig",
                                        "CheckBoxFreitagIs60km");
    page->addWidget(CheckBoxFreitagIs60km);
    connect(CheckBoxFreitagIs60km, &QCheckBox::toggled, this, [this] { ControlChanged(); });

    // The plan costs beside the team costs: sixteen rows need the page's full height.
    auto* groups = new QHBoxLayout;
    page->addLayout(groups, 1);

    const TWeightGroup plan =
        NewWeightGroup(TabSheetGewichtung, groups, " Allgemeine Plankosten ", "GroupBoxPlan",
                       "PanelPlanGewichtung", "PanelPlanOptions", PlanKostenTypeTitles(), 0);
    GroupBoxPlan = plan.Group;
    PanelPlanGewichtung = plan.Panel;
    PanelPlanOptions = plan.Column;
    PanelPlanOptions->OnChanged = [this] { ControlChanged(); };

    const TWeightGroup teams = NewWeightGroup(TabSheetGewichtung, groups, " Mannschaftskosten ",
                                              "GroupBoxMannschaften", "PanelMannschaftenGewichtung",
                                              "PanelMannschaftOptions", MannschaftsKostenTypeTitles(), 1);
    GroupBoxMannschaften = teams.Group;
    PanelMannschaftenGewichtung = teams.Panel;
    PanelMannschaftOptions = teams.Column;
    PanelMannschaftOptions->OnChanged = [this] { ControlChanged(); };
    ButtonGewichtungMannschaften = NewDialogButton(GroupBoxMannschaften, "Mannschaften anpassen...",
                                                   "ButtonGewichtungMannschaften", false);
    auto* teamButtons = new QHBoxLayout;
    teamButtons->addWidget(ButtonGewichtungMannschaften);
    teamButtons->addStretch(1);
    teams.Layout->addLayout(teamButtons);
    connect(ButtonGewichtungMannschaften, &QPushButton::clicked, this,
            [this] { ButtonGewichtungMannschaftenClick(); });
}

void TFormOptions::CreateRoundsPage() {
    TabSheetDoppelrunde = new QWidget;
    TabSheetDoppelrunde->setObjectName("TabSheetDoppelrunde");
    PageControl->addTab(TabSheetDoppelrunde, "Runden");
    auto* page = new QVBoxLayout(TabSheetDoppelrunde);

    ComboBoxPlanRounds = new QComboBox(TabSheetDoppelrunde);
    ComboBoxPlanRounds->setObjectName("ComboBoxPlanRounds");
    ComboBoxPlanRounds->addItems(
        {"Vor- und Rückrunde planen", "Halbrunde planen", "Nur Vorrunde planen", "Nur Rückrunde planen",
         "Coronarunde planen (Nur die nicht gemachten Spiele in der Rückrunde planen)"});
    ComboBoxPlanRounds->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* comboRow = new QHBoxLayout;
    comboRow->addWidget(ComboBoxPlanRounds);
    comboRow->addStretch(1);
    page->addLayout(comboRow);
    page->addSpacing(12);
    connect(ComboBoxPlanRounds, &QComboBox::currentIndexChanged, this,
            [this] { ComboBoxPlanRoundsChange(); });

    CheckBoxDoubleRound = NewCheckBox(TabSheetDoppelrunde, "Doppelrunde planen", "CheckBoxDoubleRound");
    page->addWidget(CheckBoxDoubleRound);
    connect(CheckBoxDoubleRound, &QCheckBox::toggled, this, [this] { ControlChanged(); });

    // The automatic box and the dates belong to the double round: indented below it.
    auto* doubleRound = new QGridLayout;
    doubleRound->setContentsMargins(20, 0, 0, 0);
    CheckBoxDateAutomatic = NewCheckBox(
        TabSheetDoppelrunde, "Endedatum der Viertelrunden automatisch ermitteln", "CheckBoxDateAutomatic");
    doubleRound->addWidget(CheckBoxDateAutomatic, 0, 0, 1, 3);
    connect(CheckBoxDateAutomatic, &QCheckBox::clicked, this, [this] { CheckBoxDateAutomaticClick(); });
    LabelFirstRoundDate = new QLabel("Endedatum der 1. Viertelrunde", TabSheetDoppelrunde);
    LabelFirstRoundDate->setObjectName("LabelFirstRoundDate");
    DateTimeMid1 = NewDatePicker(TabSheetDoppelrunde, "DateTimeMid1");
    LabelThirdRoundDate = new QLabel("Endedatum der 3. Viertelrunde", TabSheetDoppelrunde);
    LabelThirdRoundDate->setObjectName("LabelThirdRoundDate");
    DateTimeMid2 = NewDatePicker(TabSheetDoppelrunde, "DateTimeMid2");
    doubleRound->addWidget(LabelFirstRoundDate, 1, 0);
    doubleRound->addWidget(DateTimeMid1, 1, 1);
    doubleRound->addWidget(LabelThirdRoundDate, 2, 0);
    doubleRound->addWidget(DateTimeMid2, 2, 1);
    doubleRound->setColumnStretch(2, 1);
    page->addLayout(doubleRound);
    page->addStretch(1);
    for (QDateTimeEdit* picker : {DateTimeMid1, DateTimeMid2}) {
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { ControlChanged(); });
    }
}

void TFormOptions::SetValues(TPlan& plan) {
    FPlan = &plan;
    {
        const QScopedValueRollback<bool> loading(InLoad, true);
        const TCalculateOptions& options = plan.getOptions();
        CheckBoxFreitagIs60km->setChecked(options.FreitagIsAllowedBy60km);
        ComboBoxPlanRounds->setCurrentIndex(static_cast<int>(options.RoundPlaning));
        CheckBoxDoubleRound->setChecked(options.DoubleRound);
        CheckBoxDateAutomatic->setChecked(options.AutomaticMidDate);
        DateTimeMid1->setDateTime(ToQDateTime(options.getMidDate1(plan)));
        DateTimeMid2->setDateTime(ToQDateTime(options.getMidDate2(plan)));
        std::array<TCalculateOptionsValues, PlanKostenTypeCount> planWeights{};
        for (int i = 0; i < PlanKostenTypeCount; ++i) {
            planWeights[static_cast<std::size_t>(i)] =
                options.getGewichtungPlan(static_cast<TPlanKostenType>(i));
        }
        PanelPlanOptions->SetValues(planWeights);
        PanelMannschaftOptions->SetValues(options.GewichtungMainMannschaftsKosten);
    }
    UpdateEnabledStates();
}

TCalculateOptions TFormOptions::ControlOptions(const TCalculateOptions& base) const {
    TCalculateOptions options;
    options.Assign(base);
    options.FreitagIsAllowedBy60km = CheckBoxFreitagIs60km->isChecked();
    options.RoundPlaning = static_cast<TRoundPlaning>(std::max(0, ComboBoxPlanRounds->currentIndex()));
    options.DoubleRound = CheckBoxDoubleRound->isChecked();
    options.AutomaticMidDate = CheckBoxDateAutomatic->isChecked();
    options.MidDate1 = FromQDateTime(DateTimeMid1->dateTime());
    options.MidDate2 = FromQDateTime(DateTimeMid2->dateTime());
    std::array<TCalculateOptionsValues, PlanKostenTypeCount> planWeights{};
    PanelPlanOptions->GetValues(planWeights);
    for (int i = 0; i < PlanKostenTypeCount; ++i) {
        options.setGewichtungPlan(static_cast<TPlanKostenType>(i), planWeights[static_cast<std::size_t>(i)]);
    }
    PanelMannschaftOptions->GetValues(options.GewichtungMainMannschaftsKosten);
    return options;
}

void TFormOptions::Apply(const TCalculateOptions& base) {
    if (FPlan == nullptr) {
        return;
    }
    const TWaitCursor wait;
    FPlan->AssignOptions(ControlOptions(base));
    UpdateEnabledStates();
    if (OnAfterSave) {
        OnAfterSave(true);
    }
}

void TFormOptions::Guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::bad_alloc&) {
        QMessageBox::critical(this, "Terminor", "Nicht genügend Arbeitsspeicher.");
    } catch (const std::exception& e) {
        QMessageBox::critical(this, "Terminor", QString::fromStdString(e.what()));
    }
}

void TFormOptions::ControlChanged() {
    if (InLoad || FPlan == nullptr) {
        return;
    }
    Guarded([this] { Apply(FPlan->getOptions()); });
}

void TFormOptions::ComboBoxPlanRoundsChange() {
    ControlChanged();
}

void TFormOptions::CheckBoxDateAutomaticClick() {
    if (InLoad || FPlan == nullptr) {
        return;
    }
    if (CheckBoxDateAutomatic->isChecked()) {
        Guarded([this] {
            // The automatic dates depend on the round planning as the combo shows it.
            const TCalculateOptions options = ControlOptions(FPlan->getOptions());
            const QScopedValueRollback<bool> loading(InLoad, true);
            DateTimeMid1->setDateTime(ToQDateTime(options.getAutomaticMidDate1(*FPlan)));
            DateTimeMid2->setDateTime(ToQDateTime(options.getAutomaticMidDate2(*FPlan)));
        });
    }
    ControlChanged();
}

void TFormOptions::ButtonGewichtungMannschaftenClick() {
    if (FPlan == nullptr) {
        return;
    }
    Guarded([this] {
        TSubDialogController controller;
        controller.Plan->Assign(*FPlan);
        if (controller.Execute(this)) {
            Apply(controller.Plan->getOptions());
        }
    });
}

void TFormOptions::ButtonToStandardClick() {
    if (FPlan == nullptr) {
        return;
    }
    if (PageControl->currentWidget() == TabSheetGewichtung) {
        {
            const QScopedValueRollback<bool> loading(InLoad, true);
            CheckBoxFreitagIs60km->setChecked(true);
            PanelPlanOptions->toDefault();
            PanelMannschaftOptions->toDefault();
        }
        Guarded([this] {
            TCalculateOptions base;
            base.Assign(FPlan->getOptions());
            base.GewichtungMannschaften.Clear();
            Apply(base);
        });
    } else {
        {
            const QScopedValueRollback<bool> loading(InLoad, true);
            ComboBoxPlanRounds->setCurrentIndex(0);
            CheckBoxDoubleRound->setChecked(false);
            CheckBoxDateAutomatic->setChecked(true);
        }
        CheckBoxDateAutomaticClick();
    }
}

void TFormOptions::ButtonOKClick() {
    hide();
}

void TFormOptions::UpdateEnabledStates() {
    const bool doubleRound = CheckBoxDoubleRound->isChecked();
    const bool automatic = CheckBoxDateAutomatic->isChecked();
    CheckBoxDateAutomatic->setEnabled(doubleRound);
    for (QWidget* control : std::initializer_list<QWidget*>{LabelFirstRoundDate, DateTimeMid1,
                                                            LabelThirdRoundDate, DateTimeMid2}) {
        control->setEnabled(doubleRound && !automatic);
    }
    if (PageControl->currentWidget() == TabSheetGewichtung) {
        ButtonToStandard->setEnabled(!CheckBoxFreitagIs60km->isChecked() || !PanelPlanOptions->isDefault() ||
                                     !PanelMannschaftOptions->isDefault());
    } else {
        ButtonToStandard->setEnabled(ComboBoxPlanRounds->currentIndex() != 0 || doubleRound || !automatic);
    }
    if (FPlan != nullptr) {
        PanelMannschaftOptions->SetVisibleState(MannschaftsKostenTypeVisible(*FPlan));
    }
}

} // namespace terminor
