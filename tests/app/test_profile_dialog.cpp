// The profiling dialog: headings at once, a report line per action after a run, and the shown
// plan untouched by the fill actions.

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "app/ProfileDialog.h"
#include "model/ModelTestUtil.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;

TEST(ProfileDialog, RunsInTheBackgroundAndReportsEveryAction) {
    auto plan = LoadExamplePlan();
    const double before = plan->CalculateKosten(-1);
    TFormProfile dialog(*plan, nullptr, 3);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Profile...");
    EXPECT_TRUE(dialog.Memo()->toPlainText().startsWith("Treffer der Threadtypen\n\nDynamische Threads"));

    auto* start = Find<QPushButton>(dialog, "ButtonStart");
    start->click();
    EXPECT_FALSE(start->isEnabled()) << "one run at a time";
    ASSERT_TRUE(WaitUntil([&] { return !dialog.Running(); }));
    EXPECT_TRUE(start->isEnabled());
    const QString text = dialog.Memo()->toPlainText();
    EXPECT_TRUE(text.contains("mktHalleBelegt: ")) << text.toStdString();
    EXPECT_TRUE(text.contains("Filltermine 2%: "));
    EXPECT_EQ(text.count("ms   "), 16 + 6);
    EXPECT_DOUBLE_EQ(plan->CalculateKosten(-1), before);
}
