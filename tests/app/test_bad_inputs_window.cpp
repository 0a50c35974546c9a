// The table of bad inputs (tests/common/BadInputs.h) through the window's open: every refused
// file shows its German message and leaves the previously loaded plan in place; a repaired file
// opens with its warning; a broken options file or another division's remembered schedule is
// named while the plan opens. Afterwards the window still generates.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "common/BadInputs.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

bool AnyHas(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& text : texts) {
        if (text.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(WindowBadInputs, EveryBadInputHasItsGermanMessageAndThePlanStays) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    const std::string good = t.CopyExample("kreisliga-damen-sued.xml");
    ASSERT_TRUE(w.LoadPlanFile(good, true)) << (t.script.Errors.empty() ? "" : t.script.Errors[0]);
    const std::string directory = w.Session().CurrentPlanDirectory();
    ASSERT_FALSE(directory.empty());
    const auto expectGoodPlan = [&] {
        EXPECT_EQ(w.Session().CurrentFileName(), good);
        EXPECT_EQ(w.Session().PlanLoaded().Mannschaften.size(), 7u);
        EXPECT_FALSE(w.Session().Running());
    };

    for (const TBadInput& bad : BadInputs()) {
        SCOPED_TRACE(bad.name);
        t.script.Errors.clear();
        t.script.Messages.clear();
        switch (bad.role) {
        case TBadInputRole::Input: {
            const std::string file =
                t.dir.File(std::string("eingabe-") + std::to_string(bad.bytes.size()) + ".xml");
            std::ofstream(file, std::ios::binary) << bad.bytes;
            const bool opened = w.LoadPlanFile(file, true);
            if (bad.outcome == TBadInputOutcome::Refused) {
                EXPECT_FALSE(opened);
                EXPECT_TRUE(AnyHas(t.script.Errors, bad.message))
                    << (t.script.Errors.empty() ? "<kein Fehler>" : t.script.Errors.back());
                expectGoodPlan();
                continue;
            }
            ASSERT_TRUE(opened) << (t.script.Errors.empty() ? "" : t.script.Errors.back());
            if (bad.outcome == TBadInputOutcome::NotGenerated) {
                w.ToolButtonStartPauseClick();
                EXPECT_FALSE(w.Session().Running());
            }
            EXPECT_TRUE(AnyHas(t.script.Messages, bad.message))
                << (t.script.Messages.empty() ? "<keine Meldung>" : t.script.Messages.back());
            break;
        }
        case TBadInputRole::Schedule: {
            // A remembered schedule in the plan's folder: not offered, and named in the status line.
            const std::string file = directory + "/Fremder Plan.xml";
            std::ofstream(file, std::ios::binary) << bad.bytes;
            w.Session().RefreshSavedPlans(true);
            EXPECT_TRUE(AnyHas(w.Session().SavedPlans().InvalidTexts(), bad.message));
            EXPECT_TRUE(w.Session().SavedPlans().ValidItems().empty());
            fs::remove(file);
            w.Session().RefreshSavedPlans(true);
            break;
        }
        case TBadInputRole::Options: {
            // The plan's own options file, damaged: the plan opens with the defaults and says why.
            std::ofstream(w.Session().OptionsFileName(), std::ios::binary) << bad.bytes;
            ASSERT_TRUE(w.LoadPlanFile(good, true));
            EXPECT_TRUE(AnyHas(t.script.Messages, bad.message))
                << (t.script.Messages.empty() ? "<keine Meldung>" : t.script.Messages.back());
            EXPECT_TRUE(AnyHas(t.script.Messages, "Es gelten die Standardeinstellungen."));
            EXPECT_EQ(w.Session().PlanLoaded().getOptions(), TCalculateOptions());
            fs::remove(w.Session().OptionsFileName());
            break;
        }
        }
        ASSERT_TRUE(w.LoadPlanFile(good, true));
        expectGoodPlan();
    }

    // The window is still usable: the last good plan generates.
    t.script.Messages.clear();
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Running()) << (t.script.Messages.empty() ? "" : t.script.Messages.back());
    EXPECT_TRUE(WaitUntil([&] { return w.Session().Optimizer()->Durchlaufe() > 0; }, 60));
    w.Session().StopOptimizer();
}
