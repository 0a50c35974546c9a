// A division manager's correction on the first start: opening an export for the first time offers
// "Spiellokale"; a hall set there lands in the modifications file, the export stays as it was, and
// the next open merges it without another first start.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "GuiTestUtil.h"
#include "ModalTestUtil.h"
#include "app/FirstStartDialog.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogForSinglePanel.h"
#include "app/entry/DialogPanelLocationsCompact.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TeamLocation(const TPlanData& data, const std::string& team) {
    const TDataObject* element = FindTeamElement(data, team);
    return element != nullptr ? element->GetAsString("location") : "(keine Mannschaft)";
}

} // namespace

TEST(FirstStartMainWindow, HallSetOnTheFirstStartIsKeptBesideTheUnchangedExport) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    const std::string file = t.CopyExample();
    const std::string modifications = fs::path(file).replace_extension("modifications").string();
    ASSERT_FALSE(fs::exists(modifications));
    const std::string exportBefore = ReadFile(file);

    TPlanData imported;
    imported.LoadFromClickTTFile(file);
    std::vector<std::string> teams;
    imported.getTeamNames(teams);
    ASSERT_GE(teams.size(), 2u);
    const std::string team = teams[1];
    ASSERT_EQ(TeamLocation(imported, team), "");

    std::vector<std::string> headers;
    t.script.FirstStart = [&](TDialogFirstStart& dialog) {
        OnModal<TDialogFirstStart>([&](TDialogFirstStart& d) {
            headers.push_back(d.LabelHeader->text().toStdString());
            OnModal<TDialogForSinglePanel>([&](TDialogForSinglePanel& host) {
                auto* page = dynamic_cast<TDialogPanelLocationsCompact*>(host.DialogPanel.get());
                ASSERT_NE(page, nullptr);
                ASSERT_TRUE(page->SelectTeam(team));
                SelectComboText(Find<QComboBox>(*page->DialogPanel, "ComboBoxLocation"), "2");
                host.ButtonOK->click();
            });
            d.ButtonOK->click();
            headers.push_back(d.LabelHeader->text().toStdString());
            // Closing the window ends the first start; what was confirmed stays.
            d.close();
        });
        dialog.exec();
    };

    // 1.-2. The first open of the export offers "Spiellokale" once the window shows the plan.
    ASSERT_TRUE(w.LoadPlanFile(file, true));
    EXPECT_EQ(t.script.FirstStarts, 1);
    ASSERT_GE(headers.size(), 2u);
    EXPECT_EQ(headers[0], "Spiellokale");
    EXPECT_EQ(headers[1], "Koppeltermine") << "the confirmed page moves on to the next step";
    EXPECT_TRUE(t.script.Errors.empty()) << t.script.Errors.front();

    // 3.-4. The hall is in the window's data and plan, in the modifications file, not in the export.
    EXPECT_EQ(TeamLocation(w.Session().PlanData(), team), "2");
    const TMannschaft* loaded = w.Session().PlanLoaded().Mannschaften.FindByName(team);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->DefaultLocation, "2");
    ASSERT_TRUE(fs::exists(modifications));
    TPlanData merged;
    merged.LoadFromClickTTFile(file);
    TPlanData diff;
    diff.LoadFromXML(modifications);
    merged.Merge(diff);
    EXPECT_EQ(TeamLocation(merged, team), "2");
    EXPECT_EQ(ReadFile(file), exportBefore);

    // 5. Opened again: no first start, and the hall is there.
    t.script.FirstStart = nullptr;
    ASSERT_TRUE(w.LoadPlanFile(file, true));
    EXPECT_EQ(t.script.FirstStarts, 1);
    EXPECT_EQ(TeamLocation(w.Session().PlanData(), team), "2");
    EXPECT_EQ(ReadFile(file), exportBefore);
}

TEST(FirstStartMainWindow, NoFirstStartForAPlanFileOrWithoutQuestions) {
    TTestWindow t;
    const std::string planFile = t.CopyExample("bezirksliga-herren-nord.terminor.xml");
    ASSERT_TRUE(t.window->LoadPlanFile(planFile, true));
    EXPECT_EQ(t.script.FirstStarts, 0) << "a plan file of the program's own is no export";
    ASSERT_TRUE(t.window->LoadPlanFile(t.CopyExample(), false));
    EXPECT_EQ(t.script.FirstStarts, 0) << "an open without the start questions";
}

TEST(FirstStartMainWindow, AFailedSaveOnAStepIsShownAndLeavesThePlanUsable) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    const std::string file = t.CopyExample();
    const std::string modifications = fs::path(file).replace_extension("modifications").string();
    std::string header;
    t.script.FirstStart = [&](TDialogFirstStart& dialog) {
        // The modifications file cannot be written any more: a folder stands in its place.
        fs::remove(modifications);
        fs::create_directory(modifications);
        OnModal<TDialogFirstStart>([&](TDialogFirstStart& d) {
            OnModal<TDialogForSinglePanel>([&](TDialogForSinglePanel& host) { host.ButtonOK->click(); });
            d.ButtonOK->click();
            header = d.LabelHeader->text().toStdString();
            d.close();
        });
        dialog.exec();
    };
    ASSERT_TRUE(w.LoadPlanFile(file, true));
    ASSERT_EQ(t.script.Errors.size(), 1u);
    EXPECT_NE(t.script.Errors.front().find("kann nicht"), std::string::npos) << t.script.Errors.front();
    EXPECT_EQ(header, "Spiellokale") << "the step stays after the error";
    EXPECT_TRUE(w.Session().PlanIsLoaded());
    EXPECT_EQ(w.Session().CurrentFileName(), file);
    EXPECT_TRUE(Find<QWidget>(w, "ToolButtonStartPause")->isEnabled());
}
