// The main window's workflow with scripted dialogs: its states and controls, opening an export
// twice, a generation with remembered schedules, a failed open, a failed generation thread, the
// keyboard, the export question.

#include <filesystem>
#include <fstream>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "data/PlanData.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/PlanPanel.h"

using namespace terminor;
using namespace terminor::test;

namespace {

struct TControls {
    explicit TControls(QWidget& w)
        : start(Find<QToolButton>(w, "ToolButtonStartPause")),
          exportButton(Find<QToolButton>(w, "ToolButtonExport")),
          data(Find<QToolButton>(w, "ToolButtonData")), options(Find<QToolButton>(w, "ToolButtonOptions")),
          load(Find<QToolButton>(w, "ToolButtonLoad")), selector(Find<QComboBox>(w, "ComboBoxPlanSelector")),
          save(Find<QToolButton>(w, "ButtonSave")), remove(Find<QToolButton>(w, "ButtonRemove")),
          print(Find<QAction>(w, "MenuPrint")), progress(Find<QLabel>(w, "LabelDurchlauf")) {}
    QToolButton* start;
    QToolButton* exportButton;
    QToolButton* data;
    QToolButton* options;
    QToolButton* load;
    QComboBox* selector;
    QToolButton* save;
    QToolButton* remove;
    QAction* print;
    QLabel* progress;
};

} // namespace

TEST(MainWindow, StatesGenerationAndRememberedSchedules) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    TControls c(w);

    // No plan loaded: only loading (and the other menu) works; the selector is hidden.
    EXPECT_TRUE(c.load->isEnabled());
    for (QWidget* control : {static_cast<QWidget*>(c.start), static_cast<QWidget*>(c.exportButton),
                             static_cast<QWidget*>(c.data), static_cast<QWidget*>(c.options)}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_FALSE(c.print->isEnabled());
    EXPECT_TRUE(c.selector->isHidden());
    EXPECT_TRUE(c.save->isHidden());
    EXPECT_EQ(w.windowTitle().toStdString().rfind("Terminor ", 0), 0u);

    // Loaded without generation: the existing schedule is shown on the wish page.
    t.script.OpenFile = t.CopyExample();
    w.MenuOpenClick();
    ASSERT_TRUE(w.Session().PlanIsLoaded()) << (t.script.Errors.empty() ? "" : t.script.Errors[0]);
    EXPECT_TRUE(c.start->isEnabled());
    EXPECT_TRUE(c.print->isEnabled());
    EXPECT_FALSE(c.selector->isHidden());
    EXPECT_EQ(c.selector->currentIndex(), 1);
    EXPECT_EQ(c.selector->itemText(0).toStdString(), "laufende Generierung");
    EXPECT_EQ(c.selector->itemText(1).toStdString(), "in Click-TT vorhandener Plan");
    EXPECT_FALSE(c.save->isEnabled()) << "only the running generation can be remembered";
    EXPECT_FALSE(c.remove->isEnabled());
    EXPECT_EQ(c.start->text().toStdString(), "Generierung starten");
    EXPECT_EQ(w.PlanPanel().PageControl()->currentIndex(), 0);

    // Running: the cost page of the running generation; the progress line fills.
    w.ToolButtonStartPauseClick();
    EXPECT_EQ(c.start->text().toStdString(), "Generierung pausieren");
    EXPECT_EQ(c.selector->currentIndex(), 0);
    EXPECT_EQ(w.PlanPanel().PageControl()->currentIndex(), 2);
    EXPECT_TRUE(c.save->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return c.progress->text().contains("Pläne wurden berechnet"); }));
    ASSERT_TRUE(WaitUntil([&] { return w.Session().PlanOptimized().CountUnscheduledGames() == 0; }));

    // Paused: the button offers to resume; the shown schedule stays.
    w.ToolButtonStartPauseClick();
    EXPECT_EQ(c.start->text().toStdString(), "Generierung fortsetzen");
    ASSERT_TRUE(w.Session().Paused());
    const double pausedCost = w.Session().PlanOptimized().CalculateKosten(-1);

    // Remember it: the new entry is item 2 and shows that schedule.
    t.script.SavePlanName = "Erster Versuch";
    w.ButtonSaveClick();
    ASSERT_EQ(c.selector->count(), 3) << (t.script.Errors.empty() ? "" : t.script.Errors[0]);
    EXPECT_EQ(c.selector->itemText(2).toStdString(), "Erster Versuch");
    EXPECT_TRUE(w.Session().Paused()) << "the pause state is restored";
    c.selector->setCurrentIndex(2);
    emit c.selector->activated(2);
    EXPECT_TRUE(c.remove->isEnabled());
    EXPECT_FALSE(c.save->isEnabled());
    EXPECT_DOUBLE_EQ(w.PlanPanel().Plan().CalculateKosten(-1), pausedCost);

    // A file that changes outside the program is picked up by the timer; one that vanishes too.
    const std::string file = w.Session().SavedPlans().Items().front()->FileName;
    std::filesystem::copy_file(file, w.Session().CurrentPlanDirectory() + "/Kopie.xml");
    ASSERT_TRUE(WaitUntil([&] { return c.selector->count() == 4; }));

    // Forget the selected one: asked first, answered "Nein" keeps it.
    const int kopie = c.selector->findText("Kopie");
    c.selector->setCurrentIndex(kopie);
    emit c.selector->activated(kopie);
    t.script.YesNo = false;
    w.ButtonRemoveClick();
    EXPECT_EQ(c.selector->count(), 4);
    EXPECT_EQ(t.script.Asked.back(), "\"Kopie\" löschen?");
    t.script.YesNo = true;
    w.ButtonRemoveClick();
    EXPECT_EQ(c.selector->count(), 3);
    EXPECT_FALSE(std::filesystem::exists(w.Session().CurrentPlanDirectory() + "/Kopie.xml"));
    std::filesystem::remove(file);
    ASSERT_TRUE(WaitUntil([&] { return c.selector->count() == 2; }));
    EXPECT_EQ(c.selector->currentIndex(), 1) << "the smaller of the old index and the last one";

    // Closing stops the generation without asking anything.
    w.close();
    EXPECT_FALSE(w.Session().Running());
    EXPECT_TRUE(t.script.Errors.empty());
}

TEST(MainWindow, OpeningAnExportTwiceMergesTheModifications) {
    TTestWindow t;
    TTerminorSession& session = t.window->Session();
    const std::string file = t.CopyExample();
    const std::string modifications = std::filesystem::path(file).replace_extension("modifications").string();

    auto first = session.OpenPlanFile(file);
    EXPECT_TRUE(first->FirstStart);
    session.Adopt(std::move(first));
    EXPECT_TRUE(std::filesystem::exists(modifications)) << "the first start is noted once";

    // A change of the data is kept beside the export, which itself is never written.
    const auto before = std::filesystem::last_write_time(file);
    session.PlanData().root().SetAsString("name", "Bezirksliga Herren Nord (geändert)");
    session.ApplySettings(false);
    EXPECT_EQ(std::filesystem::last_write_time(file), before);

    auto second = session.OpenPlanFile(file);
    EXPECT_FALSE(second->FirstStart);
    EXPECT_EQ(second->PlanLoaded->PlanName, "Bezirksliga Herren Nord (geändert)");
}

TEST(MainWindow, FailedOpenKeepsThePlanAndItsGeneration) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    TPlanOptimizer* optimizer = w.Session().Optimizer();
    ASSERT_NE(optimizer, nullptr);
    const std::string name = w.Session().PlanLoaded().PlanName;

    // A remembered schedule given as the plan is named as such.
    const std::string schedule = t.dir.File("schedule.xml");
    w.Session().PlanLoaded().SaveScheduleToXml(schedule);
    for (const std::string& bad : {t.dir.File("missing.xml"), t.dir.File("broken.xml"), schedule}) {
        std::ofstream(t.dir.File("broken.xml")) << "<terminor><plan name=";
        t.script.Errors.clear();
        EXPECT_FALSE(w.LoadPlanFile(bad, true));
        ASSERT_EQ(t.script.Errors.size(), 1u);
        EXPECT_NE(t.script.Errors[0].find("Datei"), std::string::npos) << t.script.Errors[0];
        EXPECT_EQ(w.Session().Optimizer(), optimizer) << "the generation keeps running";
        EXPECT_FALSE(w.Session().Paused());
        EXPECT_EQ(w.Session().PlanLoaded().PlanName, name);
        EXPECT_EQ(w.PlanPanel().Plan().PlanName, name);
    }
}

TEST(MainWindow, AFailedGenerationThreadIsShownOnce) {
    // A worker type that cannot be read ends the main thread while it builds its workers.
    TEngineConfig config = SmallEngine();
    config.fixedWorkerTypes = {"5", "Sx,10"};
    TTestWindow t(config);
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(WaitUntil([&] { return !t.script.Errors.empty(); }));
    QTest::qWait(1500); // further sync ticks
    ASSERT_EQ(t.script.Errors.size(), 1u);
    EXPECT_NE(t.script.Errors[0].find("kein gültiger Integerwert"), std::string::npos) << t.script.Errors[0];
}

TEST(MainWindow, KeyboardOpensStartsPausesPrintsAndQuits) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    t.script.OpenFile = t.CopyExample();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(w.Session().PlanLoaded().Mannschaften.size() > 0);
    QTest::keyClick(&w, Qt::Key_F5);
    ASSERT_TRUE(w.Session().Running());
    EXPECT_FALSE(w.Session().Paused());
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_TRUE(w.Session().Paused());
    QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(t.script.Prints, 1);
    QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w.isVisible()) << "Ctrl+Q closes the window";
    EXPECT_FALSE(w.Session().Running()) << "closing stops the generation";
}

TEST(MainWindow, ExportAsksAboutHardErrorsAndWritesOnlyOnYes) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    // The running generation has not started: every game is undated, a hard error.
    auto* selector = Find<QComboBox>(w, "ComboBoxPlanSelector");
    selector->setCurrentIndex(0);
    emit selector->activated(0);
    t.script.CsvFile = t.dir.File("export.csv");

    t.script.ExportDespiteHardErrors = false;
    w.ToolButtonExportClick();
    EXPECT_EQ(t.script.HardErrorQuestions, 1);
    EXPECT_FALSE(std::filesystem::exists(t.script.CsvFile));

    t.script.ExportDespiteHardErrors = true;
    w.ToolButtonExportClick();
    EXPECT_EQ(t.script.HardErrorQuestions, 2);
    ASSERT_TRUE(std::filesystem::exists(t.script.CsvFile));
    std::ifstream in(t.script.CsvFile, std::ios::binary);
    std::string head;
    std::getline(in, head);
    EXPECT_EQ(head.rfind("Nr.;", 0), 0u);

    // A failed write is reported and leaves no file behind.
    t.script.CsvFile = t.dir.File("missing-folder/export.csv");
    w.ToolButtonExportClick();
    ASSERT_FALSE(t.script.Errors.empty());
    EXPECT_NE(t.script.Errors.back().find("kann nicht geschrieben werden"), std::string::npos);
}
