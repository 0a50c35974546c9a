// The plan view widget: the zoom decides the painted size of a page, with its minimum size; a strip
// painted after scrolling shows every line that crosses it.

#include <memory>

#include <QImage>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "model/ModelTestUtil.h"
#include "view/PlanPanel.h"

using namespace terminor;

namespace {

/// The plan view on the example division, shown.
struct TShownPanel {
    TShownPanel() {
        Panel.resize(900, 700);
        Panel.SetPlan(Plan.get());
        Panel.show();
    }
    /// Lets the page paint once to learn its extent and once more after the resize.
    void Settle() {
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(20);
        }
    }
    std::unique_ptr<TPlan> Plan = test::LoadExamplePlan();
    TFormPlanPanel Panel;
    TPlanPaintBox* Box = Panel.PaintBox(TFormPlanPanel::PageTerminMeldung);
};

} // namespace

TEST(PlanPanel, ZoomChangesThePaintedSize) {
    TShownPanel shown;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.Panel));
    auto paintedSize = [&](double zoom) {
        shown.Panel.SetZoom(zoom);
        shown.Settle();
        return shown.Box->size();
    };
    const QSize normal = paintedSize(1.0);
    const QSize doubled = paintedSize(2.0);
    EXPECT_GT(doubled.width(), normal.width());
    EXPECT_GE(doubled.height(), normal.height());
    const QSize tiny = paintedSize(0.25);
    EXPECT_GE(tiny.width(), 500);
    EXPECT_GE(tiny.height(), 100);
    EXPECT_EQ(shown.Panel.PageControl()->count(), 5);
    EXPECT_EQ(shown.Panel.PageControl()->tabText(3).toStdString(), "Terminplan");
}

TEST(PlanPanel, WeekLinesShowInAStripPaintedAfterScrolling) {
    // Scrolling repaints only the strip that comes into view. The grey week lines of the wish chart
    // run from above the strip to below it and must show in it all the same.
    TShownPanel shown;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown.Panel));
    shown.Settle();
    // Chart rows run from y 65 to 425 for the 12 teams; the strip lies between them and is
    // rendered to the image's top.
    const QRect strip(0, 200, shown.Box->width(), 60);
    QImage image(strip.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    shown.Box->render(&image, QPoint(), QRegion(strip));
    const QRgb weekLine = QColor(200, 200, 200).rgb();
    int linePixels = 0;
    for (int x = 0; x < image.width(); ++x) {
        linePixels += image.pixel(x, 30) == weekLine ? 1 : 0;
    }
    EXPECT_GE(linePixels, 30) << "one per calendar week of the season";
}
