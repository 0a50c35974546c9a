// The weights edited from the cost hit areas: texts, value read and written, detail messages.

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/ModalTestUtil.h"
#include "app/SingleGewichtungDialog.h"
#include "app/WeightAction.h"
#include "engine/PlanCalcThread.h"
#include "model/Kosten.h"
#include "model/ModelTestUtil.h"
#include "view/KostenActionRects.h"

namespace terminor {
namespace {

/// The example division with some weights set (loaded plan, undated) and a dated copy (displayed).
struct Plans {
    std::unique_ptr<TPlan> loaded = test::LoadExamplePlan();
    TPlan displayed;
    TMannschaft* first = nullptr;
    TMannschaft* second = nullptr;

    Plans() {
        first = loaded->Mannschaften[0];
        second = loaded->Mannschaften[1];
        TCalculateOptions options;
        options.SpieltagGewichtung = coHoch;
        options.GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)] = coWenig;
        options.GewichtungMannschaften.addMain(first->teamId, coSehrHoch);
        options.GewichtungMannschaften.addDetail(second->teamId, mktSpielverteilung, coIgnore);
        loaded->AssignOptions(options);
        loaded->clearAllDates();
        loaded->RemoveNotValidDates();

        TPlanCalcThread worker(7);
        worker.StartWithLists("1", *loaded, "2", nullptr);
        worker.RunSynchronously(50);
        displayed.Assign(*loaded);
        displayed.AssignOptimizedDates(worker.OptPlan());
    }

    TWeightAction Action(const TActionRectKosten& hit) {
        std::optional<TWeightAction> action = TWeightAction::Create(hit, *loaded, displayed);
        EXPECT_TRUE(action.has_value());
        return action.value_or(TWeightAction{});
    }
};

/// Writes `value` through the action into a copy of the loaded options and returns the copy.
TCalculateOptions Written(const Plans& plans, const TWeightAction& action, TCalculateOptionsValues value) {
    TCalculateOptions options;
    options.Assign(plans.loaded->getOptions());
    action.Write(options, value);
    EXPECT_EQ(action.Read(options), value);
    return options;
}

TEST(WeightAction, EachHitAreaReadsAndWritesItsWeight) {
    Plans plans;
    const std::string& firstId = plans.first->teamId;
    const std::string& secondId = plans.second->teamId;

    const TWeightAction plan = plans.Action(TActionRectKostenPlan(pktGameDayLength));
    EXPECT_EQ(plan.Title, "Gewichtung ändern");
    EXPECT_EQ(plan.RowText, "Länge der Spieltage");
    EXPECT_EQ(plan.Value, coHoch);
    EXPECT_TRUE(plan.Messages.empty());
    EXPECT_EQ(Written(plans, plan, coIgnore).SpieltagGewichtung, coIgnore);

    const TWeightAction type = plans.Action(TActionRectKostenTypeMannschaft(mktSperrTermine));
    EXPECT_EQ(type.Title, "Gewichtung ändern");
    EXPECT_EQ(type.RowText, "Sperrtermine");
    EXPECT_EQ(type.Value, coWenig);
    EXPECT_EQ(Written(plans, type, coHoch).GewichtungMainMannschaftsKosten[Ord(mktSperrTermine)], coHoch);

    const TWeightAction main = plans.Action(TActionRectKostenMannschaftMain(firstId));
    EXPECT_EQ(main.Title, "Gewichtung der Mannschaft ändern");
    EXPECT_EQ(main.RowText, plans.first->teamName);
    EXPECT_EQ(main.Value, coSehrHoch);
    EXPECT_EQ(Written(plans, main, coWenig).GewichtungMannschaften.getMain(firstId), coWenig);

    const TWeightAction detail =
        plans.Action(TActionRectKostenMannschaftDetail(secondId, mktSpielverteilung));
    EXPECT_EQ(detail.Title, "Gewichtung der Mannschaft " + plans.second->teamName + " ändern");
    EXPECT_EQ(detail.RowText, "Spielverteilung");
    EXPECT_EQ(detail.Value, coIgnore);
    const TCalculateOptions written = Written(plans, detail, coExtremHoch);
    EXPECT_EQ(written.GewichtungMannschaften.getDetail(secondId, mktSpielverteilung), coExtremHoch);
    EXPECT_EQ(written.GewichtungMannschaften.getDetail(secondId, mktSperrTermine), coNormal);

    // A team the loaded plan does not have: no action.
    EXPECT_FALSE(
        TWeightAction::Create(TActionRectKostenMannschaftMain("fehlt"), *plans.loaded, plans.displayed));
    EXPECT_FALSE(TWeightAction::Create(TActionRectKostenMannschaftDetail("fehlt", mktHalleBelegt),
                                       *plans.loaded, plans.displayed));
}

TEST(WeightAction, DetailMessagesComeFromTheDisplayedPlan) {
    Plans plans;
    TMannschaft& team = *plans.displayed.Mannschaften.FindByTeamId(plans.first->teamId);
    bool withMessages = false;
    bool withoutMessages = false;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        TMannschaftsKosten kosten;
        team.CalculateKostenForType(plans.displayed, type, kosten, tmDetailMessage);
        const bool has = kosten.HasMessages() && !kosten.Messages().empty();
        const TWeightAction action = plans.Action(TActionRectKostenMannschaftDetail(team.teamId, type));
        if (has) {
            withMessages = true;
            EXPECT_EQ(action.Messages, kosten.Messages()) << Ord(type);
        } else {
            withoutMessages = true;
            EXPECT_EQ(action.Messages, std::vector<std::string>{KeineMeldungText}) << Ord(type);
        }
    }
    // The example has both kinds for its first team once it is dated.
    EXPECT_TRUE(withMessages);
    EXPECT_TRUE(withoutMessages);
}

TEST(WeightAction, DialogShowsTheWeightAndReturnsTheChangedOptions) {
    Plans plans;
    const TActionRectKostenMannschaftDetail hit(plans.second->teamId, mktSpielverteilung);

    std::string shown;
    test::OnModal<TDialogForSingleGewichtungsOptions>([&shown](TDialogForSingleGewichtungsOptions& d) {
        TFormPanelOptionArray& rows = *d.PanelPlanOptions;
        shown = d.windowTitle().toStdString() + "|" + rows.Labels[0]->text().toStdString() + "|" +
                rows.Combos[0]->currentText().toStdString() + "|" +
                (d.PanelMessages->isVisible() ? "Meldungen" : "keine");
        rows.Combos[0]->setCurrentIndex(static_cast<int>(coExtremHoch));
        d.ButtonOK->click();
    });
    const std::optional<TCalculateOptions> options =
        RunWeightAction(nullptr, hit, *plans.loaded, plans.displayed);
    EXPECT_EQ(shown, "Gewichtung der Mannschaft " + plans.second->teamName +
                         " ändern|Spielverteilung|Nicht berücksichtigen|Meldungen");
    ASSERT_TRUE(options.has_value());
    TCalculateOptions expected;
    expected.Assign(plans.loaded->getOptions());
    expected.GewichtungMannschaften.addDetail(plans.second->teamId, mktSpielverteilung, coExtremHoch);
    EXPECT_EQ(*options, expected);

    test::OnModal<TDialogForSingleGewichtungsOptions>([](TDialogForSingleGewichtungsOptions& d) {
        d.PanelPlanOptions->Combos[0]->setCurrentIndex(static_cast<int>(coHoch));
        d.ButtonCancel->click();
    });
    EXPECT_FALSE(
        RunWeightAction(nullptr, TActionRectKostenPlan(pktGameDayOverlap), *plans.loaded, plans.displayed));
}

} // namespace
} // namespace terminor
