// The plan view widget: the zoom decides the painted size of a page, with its minimum size.

#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "model/ModelTestUtil.h"
#include "view/PlanPanel.h"

using namespace terminor;

TEST(PlanPanel, ZoomChangesThePaintedSize) {
    auto plan = test::LoadExamplePlan();
    TFormPlanPanel panel;
    panel.resize(900, 700);
    panel.SetPlan(plan.get());
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    TPlanPaintBox* box = panel.PaintBox(TFormPlanPanel::PageTerminMeldung);
    auto paintedSize = [&](double zoom) {
        panel.SetZoom(zoom);
        // One paint to learn the extent, one more after the resize.
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(20);
        }
        return box->size();
    };
    const QSize normal = paintedSize(1.0);
    const QSize doubled = paintedSize(2.0);
    EXPECT_GT(doubled.width(), normal.width());
    EXPECT_GE(doubled.height(), normal.height());
    const QSize tiny = paintedSize(0.25);
    EXPECT_GE(tiny.width(), 500);
    EXPECT_GE(tiny.height(), 100);
    EXPECT_EQ(panel.PageControl()->count(), 5);
    EXPECT_EQ(panel.PageControl()->tabText(3).toStdString(), "Terminplan");
}
