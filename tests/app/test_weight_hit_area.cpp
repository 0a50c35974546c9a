// A click on a cost hit area opens the weighting dialog; the changed weight reaches the options
// file and the running generation.

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "ModalTestUtil.h"
#include "app/PanelOptionArray.h"
#include "app/SingleGewichtungDialog.h"
#include "app/WeightAction.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/KostenActionRects.h"
#include "view/PlanPanel.h"

using namespace terminor;
using namespace terminor::test;

TEST(WeightHitArea, ChangedWeightReachesOptionsFileAndGeneration) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    w.resize(1400, 900);
    w.show();
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    TFormPlanPanel& panel = w.PlanPanel();
    ASSERT_EQ(panel.PageControl()->currentIndex(), TFormPlanPanel::PageKosten);
    TPlanPaintBox* box = panel.PaintBox(TFormPlanPanel::PageKosten);

    // The heading of the column "Spielverteilung", once the page shows the costs.
    std::optional<TIntRect> heading;
    ASSERT_TRUE(WaitUntil([&] {
        for (const TActionRectPtr& r : panel.ActionRects()) {
            const auto* type = dynamic_cast<const TActionRectKostenTypeMannschaft*>(r.get());
            if (type != nullptr && type->getPaintBoxOwner() == box &&
                type->KostenType == mktSpielverteilung) {
                heading = type->getRect();
                return true;
            }
        }
        return false;
    }));

    // The real weighting dialog, answered with "extrem hoch".
    std::string title;
    t.script.EditWeight = [&](const TActionRectKosten& hit, TPlan& loaded, TPlan& displayed) {
        OnModal<TDialogForSingleGewichtungsOptions>([&](TDialogForSingleGewichtungsOptions& dialog) {
            title = dialog.windowTitle().toStdString();
            dialog.PanelPlanOptions->Combos[0]->setCurrentIndex(static_cast<int>(coExtremHoch));
            dialog.accept();
        });
        return RunWeightAction(&w, hit, loaded, displayed);
    };
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint((heading->Left + heading->Right) / 2, heading->Top + 5));
    EXPECT_EQ(title, "Gewichtung ändern");
    ASSERT_TRUE(t.script.Errors.empty()) << t.script.Errors.front();

    TCalculateOptions saved;
    saved.Load(w.Session().OptionsFileName());
    EXPECT_EQ(saved.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(mktSpielverteilung)],
              coExtremHoch);
    EXPECT_EQ(w.Session().PlanLoaded().getOptions(), saved);

    // The running generation values its best plan with the new weight.
    TPlanOptimizer* optimizer = w.Session().Optimizer();
    ASSERT_NE(optimizer, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
        TPlan copy;
        copy.Assign(w.Session().PlanLoaded());
        optimizer->copyPlanDates(copy);
        return copy.CalculateKosten(-1) == optimizer->BestKosten();
    }));
}
