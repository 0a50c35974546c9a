// The options dialog: filling without applying, every kind of control written into the options
// file, the enabled states, both resets, the team weights with OK and Cancel, and a running
// generation that takes over a changed weight.

#include <cmath>
#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "app/ModalTestUtil.h"
#include "app/OptionsDialog.h"
#include "app/PanelOptionArray.h"
#include "app/SingleGewichtungDialog.h"
#include "app/SubDialogController.h"
#include "engine/PlanOptimizer.h"
#include "model/ModelTestUtil.h"
#include "model/Plan.h"

namespace terminor {
namespace {

using test::OnModal;

QDate Day(TDateTime value) {
    const DateParts d = DecodeDate(value);
    return QDate(d.year, static_cast<int>(d.month), static_cast<int>(d.day));
}

/// The selector of a row, by row number or by the cost type of the row.
template <typename Index> QComboBox* Row(TFormPanelOptionArray* panel, Index index) {
    return panel->Combos.at(static_cast<std::size_t>(index));
}

/// The example division opened in a test window, its options dialog shown; applies are counted.
struct TOptionsWindow {
    test::TTestWindow t;
    TFormOptions* dialog = nullptr;
    int applies = 0;

    TOptionsWindow() {
        EXPECT_TRUE(t.window->LoadPlanFile(t.CopyExample(), false));
        t.window->ToolButtonOptionsClick();
        dialog = t.window->FormOptions();
        if (dialog != nullptr) {
            auto apply = dialog->OnAfterSave;
            dialog->OnAfterSave = [this, apply](bool saveOnlyOptions) {
                ++applies;
                EXPECT_TRUE(saveOnlyOptions);
                apply(saveOnlyOptions);
            };
        }
    }
    TFormTerminorMain& Window() { return *t.window; }
    std::string OptionsFile() { return Window().Session().OptionsFileName(); }
    /// The options as the options file holds them.
    TCalculateOptions Saved() {
        TCalculateOptions options;
        options.Load(OptionsFile());
        return options;
    }
};

/// The example plan in a dialog of its own; applies are counted.
struct TOptionsOnPlan {
    std::unique_ptr<TPlan> plan = test::LoadExamplePlan();
    TFormOptions dialog;
    int applies = 0;

    TOptionsOnPlan() {
        dialog.OnAfterSave = [this](bool) { ++applies; };
        dialog.SetValues(*plan);
        dialog.show();
    }
    const TCalculateOptions& Options() const { return plan->getOptions(); }
};

TEST(OptionsDialog, FillsWithoutApplyingAndEveryControlWritesTheOptionsFile) {
    TOptionsWindow o;
    ASSERT_NE(o.dialog, nullptr);
    TFormOptions& d = *o.dialog;
    TFormTerminorMain& w = o.Window();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.isModal());
    EXPECT_EQ(d.parent(), &w);
    EXPECT_EQ(d.windowTitle(), "Einstellungen");
    EXPECT_EQ(d.PageControl->currentWidget(), d.TabSheetGewichtung);
    EXPECT_EQ(d.PageControl->tabText(1), "Runden");

    // Filling, also with options that differ from the defaults, applies nothing.
    TCalculateOptions set;
    set.FreitagIsAllowedBy60km = false;
    set.LastSpieltagOverlapp = coHoch;
    set.GewichtungMainMannschaftsKosten[Ord(mktEngeTermine)] = coWenig;
    set.RoundPlaning = rpFirstOnly;
    set.DoubleRound = true;
    set.AutomaticMidDate = false;
    set.MidDate1 = EncodeDate(2024, 11, 4);
    set.MidDate2 = EncodeDate(2025, 3, 10);
    w.Session().ApplyOptions(set);
    std::filesystem::remove(o.OptionsFile());
    d.SetValues(w.Session().PlanLoaded());
    w.ToolButtonOptionsClick();
    EXPECT_EQ(w.FormOptions(), &d) << "one dialog for the window's life";
    EXPECT_EQ(o.applies, 0);
    EXPECT_FALSE(std::filesystem::exists(o.OptionsFile()));
    EXPECT_FALSE(d.CheckBoxFreitagIs60km->isChecked());
    EXPECT_EQ(Row(d.PanelPlanOptions, pktLastGameDayOverlap)->currentIndex(), static_cast<int>(coHoch));
    EXPECT_EQ(Row(d.PanelMannschaftOptions, Ord(mktEngeTermine))->currentIndex(), static_cast<int>(coWenig));
    EXPECT_EQ(d.ComboBoxPlanRounds->currentIndex(), static_cast<int>(rpFirstOnly));
    EXPECT_TRUE(d.CheckBoxDoubleRound->isChecked());
    EXPECT_FALSE(d.CheckBoxDateAutomatic->isChecked());
    EXPECT_EQ(d.DateTimeMid1->date(), QDate(2024, 11, 4));

    // Each change is saved at once; the plan weights in row order of their fields.
    d.CheckBoxFreitagIs60km->click();
    EXPECT_TRUE(o.Saved().FreitagIsAllowedBy60km);
    for (int i = 0; i < PlanKostenTypeCount; ++i) {
        Row(d.PanelPlanOptions, i)->setCurrentIndex((i + 4) % CalculateOptionsValuesCount);
    }
    Row(d.PanelMannschaftOptions, Ord(mktSperrTermine))->setCurrentIndex(static_cast<int>(coExtremHoch));
    d.ComboBoxPlanRounds->setCurrentIndex(static_cast<int>(rpCorona));
    d.DateTimeMid1->setDate(QDate(2024, 10, 28));
    EXPECT_EQ(o.applies, 1 + PlanKostenTypeCount + 3);
    TCalculateOptions saved = o.Saved();
    EXPECT_EQ(saved.SpieltagOverlapp, coHoch);
    EXPECT_EQ(saved.SpieltagGewichtung, coSehrHoch);
    EXPECT_EQ(saved.LastSpieltagOverlapp, coExtremHoch);
    EXPECT_EQ(saved.LastSpieltagGewichtung, coIgnore);
    EXPECT_EQ(saved.SisterTeamsAmAnfangGewichtung, coSehrWenig);
    EXPECT_EQ(saved.GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)], coExtremHoch);
    EXPECT_EQ(saved.GewichtungMainMannschaftsKosten[Ord(mktEngeTermine)], coWenig);
    EXPECT_EQ(saved.RoundPlaning, rpCorona);
    EXPECT_EQ(saved.MidDate1, EncodeDate(2024, 10, 28));
    EXPECT_EQ(saved, w.Session().PlanLoaded().getOptions());

    // Without a double round the dates are disabled, yet still written.
    d.CheckBoxDoubleRound->click();
    d.DateTimeMid2->setDate(QDate(2025, 2, 24));
    saved = o.Saved();
    EXPECT_FALSE(saved.DoubleRound);
    EXPECT_EQ(saved.MidDate2, EncodeDate(2025, 2, 24));

    // The automatic box replaces both dates by the computed ones.
    d.CheckBoxDoubleRound->click();
    d.CheckBoxDateAutomatic->click();
    EXPECT_TRUE(o.Saved().AutomaticMidDate);
    const TPlan& loaded = w.Session().PlanLoaded();
    EXPECT_EQ(d.DateTimeMid1->date(), Day(loaded.getOptions().getAutomaticMidDate1(loaded)));
    EXPECT_EQ(d.DateTimeMid2->date(), Day(loaded.getOptions().getAutomaticMidDate2(loaded)));

    d.ButtonOK->click();
    EXPECT_FALSE(d.isVisible());
    w.ToolButtonOptionsClick();
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(o.t.script.Errors.empty());
}

TEST(OptionsDialog, EnabledStatesAndBothResets) {
    TOptionsOnPlan o;
    TFormOptions& d = o.dialog;
    const TPlan& plan = *o.plan;
    const auto manualDates = [&] {
        return std::vector<bool>{d.LabelFirstRoundDate->isEnabled(), d.DateTimeMid1->isEnabled(),
                                 d.LabelThirdRoundDate->isEnabled(), d.DateTimeMid2->isEnabled()};
    };
    const std::vector<bool> none(4, false);
    const std::vector<bool> all(4, true);

    // Team weight rows only for the cost types the plan has data for.
    bool someHidden = false;
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        const bool hidden = d.PanelMannschaftOptions->Labels[static_cast<std::size_t>(Ord(type))]->isHidden();
        EXPECT_EQ(hidden, !plan.HasValuesForType(type)) << MannschaftsKostenTypeText(type);
        someHidden = someHidden || hidden;
    }
    EXPECT_TRUE(someHidden) << "the example should lack some kind of data";

    // Defaults: nothing to reset on either page; no double round, so no dates.
    EXPECT_FALSE(d.ButtonToStandard->isEnabled());
    EXPECT_FALSE(d.CheckBoxDateAutomatic->isEnabled());
    EXPECT_EQ(manualDates(), none);
    d.PageControl->setCurrentWidget(d.TabSheetDoppelrunde);
    EXPECT_FALSE(d.ButtonToStandard->isEnabled());

    // A double round enables the automatic box; the dates only without it, keeping their values.
    d.CheckBoxDoubleRound->click();
    EXPECT_TRUE(d.CheckBoxDateAutomatic->isEnabled());
    EXPECT_EQ(manualDates(), none);
    EXPECT_TRUE(d.ButtonToStandard->isEnabled());
    const QDate automatic1 = Day(plan.getOptions().getAutomaticMidDate1(plan));
    EXPECT_EQ(d.DateTimeMid1->date(), automatic1);
    d.CheckBoxDateAutomatic->click();
    EXPECT_EQ(manualDates(), all);
    EXPECT_EQ(d.DateTimeMid1->date(), automatic1);
    EXPECT_FALSE(o.Options().AutomaticMidDate);
    d.DateTimeMid1->setDate(QDate(2000, 1, 3));
    EXPECT_EQ(o.Options().MidDate1, EncodeDate(2000, 1, 3));

    // Reset of the rounds page: one apply, automatic dates as for both halves.
    d.ComboBoxPlanRounds->setCurrentIndex(static_cast<int>(rpHalfRound));
    const int applies = o.applies;
    d.ButtonToStandard->click();
    EXPECT_EQ(o.applies, applies + 1);
    EXPECT_EQ(d.ComboBoxPlanRounds->currentIndex(), 0);
    EXPECT_FALSE(d.CheckBoxDoubleRound->isChecked());
    EXPECT_TRUE(d.CheckBoxDateAutomatic->isChecked());
    EXPECT_EQ(d.DateTimeMid1->date(), Day(TCalculateOptions().getAutomaticMidDate1(plan)));
    EXPECT_EQ(o.Options().RoundPlaning, rpBoth);
    EXPECT_FALSE(o.Options().DoubleRound);
    EXPECT_TRUE(o.Options().AutomaticMidDate);
    EXPECT_FALSE(d.ButtonToStandard->isEnabled());

    // Reset of the weights page, including the per-team weights.
    d.PageControl->setCurrentWidget(d.TabSheetGewichtung);
    ChangeOptions(*o.plan,
                  [&](TCalculateOptions& options) { options.GewichtungMannschaften.addMain("any", coHoch); });
    Row(d.PanelMannschaftOptions, Ord(mktSperrTermine))->setCurrentIndex(static_cast<int>(coIgnore));
    EXPECT_TRUE(d.ButtonToStandard->isEnabled());
    Row(d.PanelPlanOptions, pktGameDayOverlap)->setCurrentIndex(static_cast<int>(coHoch));
    d.CheckBoxFreitagIs60km->click();
    const int before = o.applies;
    d.ButtonToStandard->click();
    EXPECT_EQ(o.applies, before + 1);
    EXPECT_TRUE(d.CheckBoxFreitagIs60km->isChecked());
    TCalculateOptions expected;
    expected.MidDate1 = o.Options().MidDate1;
    expected.MidDate2 = o.Options().MidDate2;
    EXPECT_EQ(o.Options(), expected);
    EXPECT_FALSE(d.ButtonToStandard->isEnabled());
}

TEST(OptionsDialog, TeamWeightsTakeEffectOnlyWithOk) {
    TOptionsOnPlan o;
    const TMannschaft& first = *o.plan->Mannschaften[0];
    const TMannschaft& second = *o.plan->Mannschaften[1];
    const std::vector<bool> visible = MannschaftsKostenTypeVisible(*o.plan);

    // Sets the first team's main weight and a detail of the second team, then closes the team list.
    const auto edit = [&](bool ok) {
        OnModal<TDialogForSingleGewichtungsOptions>([&, ok](TDialogForSingleGewichtungsOptions& teams) {
            EXPECT_EQ(teams.windowTitle(), "Gewichtung der Mannschaften");
            ASSERT_EQ(teams.PanelPlanOptions->RowCount(), static_cast<int>(o.plan->Mannschaften.size()));
            EXPECT_EQ(teams.PanelPlanOptions->Labels[1]->text().toStdString(), second.teamName);
            EXPECT_FALSE(teams.PanelPlanOptions->Buttons[1]->isHidden());
            Row(teams.PanelPlanOptions, 0)->setCurrentIndex(static_cast<int>(coHoch));
            OnModal<TDialogForSingleGewichtungsOptions>([&](TDialogForSingleGewichtungsOptions& detail) {
                EXPECT_EQ(detail.windowTitle().toStdString(), "Gewichtung für: " + second.teamName);
                ASSERT_EQ(detail.PanelPlanOptions->RowCount(), MannschaftsKostenTypeCount);
                for (std::size_t i = 0; i < visible.size(); ++i) {
                    EXPECT_EQ(detail.PanelPlanOptions->Labels[i]->isHidden(), !visible[i]) << i;
                }
                Row(detail.PanelPlanOptions, Ord(mktSperrTermine))
                    ->setCurrentIndex(static_cast<int>(coIgnore));
                detail.ButtonOK->click();
            });
            teams.PanelPlanOptions->Buttons[1]->click();
            (ok ? teams.ButtonOK : teams.ButtonCancel)->click();
        });
        o.dialog.ButtonGewichtungMannschaften->click();
    };

    // Cancel after a detail was confirmed: nothing reaches the plan.
    edit(false);
    EXPECT_EQ(o.applies, 0);
    EXPECT_TRUE(o.Options().GewichtungMannschaften.TeamIds().empty());

    edit(true);
    EXPECT_EQ(o.applies, 1);
    const TGewichtungMannschaften& weights = o.Options().GewichtungMannschaften;
    EXPECT_EQ(weights.getMain(first.teamId), coHoch);
    EXPECT_EQ(weights.getMain(second.teamId), coNormal);
    EXPECT_EQ(weights.getDetail(second.teamId, mktSperrTermine), coIgnore);
    EXPECT_EQ(weights.getDetail(second.teamId, mktSpielverteilung), coNormal);
    EXPECT_EQ(weights.getDetail(first.teamId, mktSperrTermine), coNormal);

    // Opened again, both dialogs show the stored weights.
    OnModal<TDialogForSingleGewichtungsOptions>([&](TDialogForSingleGewichtungsOptions& teams) {
        EXPECT_EQ(Row(teams.PanelPlanOptions, 0)->currentIndex(), static_cast<int>(coHoch));
        OnModal<TDialogForSingleGewichtungsOptions>([&](TDialogForSingleGewichtungsOptions& detail) {
            EXPECT_EQ(Row(detail.PanelPlanOptions, Ord(mktSperrTermine))->currentIndex(),
                      static_cast<int>(coIgnore));
            detail.ButtonCancel->click();
        });
        teams.PanelPlanOptions->Buttons[1]->click();
        teams.ButtonCancel->click();
    });
    o.dialog.ButtonGewichtungMannschaften->click();
    EXPECT_EQ(o.applies, 1);
}

TEST(OptionsDialog, RunningGenerationTakesTheNewWeight) {
    TOptionsWindow o;
    ASSERT_NE(o.dialog, nullptr);
    TFormTerminorMain& w = o.Window();
    w.ToolButtonStartPauseClick();
    TPlanOptimizer* optimizer = w.Session().Optimizer();
    ASSERT_NE(optimizer, nullptr);

    // True when the optimiser's best schedule, valued with `plan`'s options, costs what it reports.
    const auto valuedWith = [&](TPlan& plan) {
        optimizer->copyPlanDates(plan);
        const double best = optimizer->BestKosten();
        return best > 0 && std::abs(plan.CalculateKosten(-1) - best) <= 1e-9 * best;
    };
    TPlan before;
    before.Assign(w.Session().PlanLoaded());
    ASSERT_TRUE(test::WaitUntil([&] { return valuedWith(before); }));
    double breite = 0, overlap = 0, lastBreite = 0, lastOverlap = 0;
    before.CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    ASSERT_GT(breite, 0) << "the changed weight must matter";

    Row(o.dialog->PanelPlanOptions, pktGameDayLength)->setCurrentIndex(static_cast<int>(coExtremHoch));
    EXPECT_EQ(o.Saved().SpieltagGewichtung, coExtremHoch);
    TPlan after;
    after.Assign(w.Session().PlanLoaded());
    EXPECT_TRUE(test::WaitUntil([&] { return valuedWith(after); }));
    EXPECT_TRUE(o.t.script.Errors.empty());
}

} // namespace
} // namespace terminor
