// The main window as a division manager uses it for hours: the export writes the schedule that was
// checked, the tool bar stays whole at 1280 pixels, an open either completes or changes nothing,
// remembered schedules whose names differ in case, names the CSV cannot hold, schedules of
// another division, and the question before a generation's best schedule is lost.

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "ModalTestUtil.h"
#include "app/ElidedLabel.h"
#include "app/QuestionDialogs.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "app/entry/DialogPanelMainData.h"
#include "data/DataObject.h"
#include "data/PlanData.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/PlanPanel.h"

using namespace terminor;
using namespace terminor::test;

namespace fs = std::filesystem;

namespace {

void Select(TFormTerminorMain& w, int index) {
    auto* selector = Find<QComboBox>(w, "ComboBoxPlanSelector");
    selector->setCurrentIndex(index);
    emit selector->activated(index);
}

/// The remembered schedules' files in the storage folder.
std::vector<std::string> ScheduleFiles(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (entry.path().extension() == ".xml") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(MainWindowTrial, ExportWritesTheScheduleThatWasChecked) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    TPlan& running = w.Session().PlanOptimized();
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(WaitUntil([&] { return running.CountUnscheduledGames() == 0; }));
    w.ToolButtonStartPauseClick();
    ASSERT_EQ(Find<QComboBox>(w, "ComboBoxPlanSelector")->currentIndex(), 0);
    const std::string checked = running.ScheduleToCsvBytes();

    // While the questions wait, the sync timer copies newer dates into the running schedule.
    w.Hooks().AskExportDespiteHardErrors = [&](QWidget*, const std::vector<std::string>&) {
        running.clearAllDates();
        return true;
    };
    w.Hooks().CsvFileName = [&](QWidget*, const std::string& proposed) {
        EXPECT_EQ(fs::path(proposed).parent_path(), fs::path(t.dir.File("x")).parent_path())
            << "proposed in the opened file's folder";
        running.clearAllDates();
        return t.dir.File("export.csv");
    };
    w.ToolButtonExportClick();
    ASSERT_TRUE(t.script.Errors.empty()) << t.script.Errors[0];
    EXPECT_EQ(ReadFileBytes(t.dir.File("export.csv")), checked);
}

TEST(MainWindowTrial, EveryToolButtonStaysVisibleAt1280PixelsWhileTheProgressTextGrows) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1280, 720);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    auto* progress = Find<TElidedLabel>(w, "LabelDurchlauf");
    const auto* start = Find<QToolButton>(w, "ToolButtonStartPause");
    const auto* exportButton = Find<QToolButton>(w, "ToolButtonExport");
    QTest::qWait(50);
    const int exportX = exportButton->mapTo(&w, QPoint()).x();

    w.ToolButtonStartPauseClick();
    progress->SetFullText(QString(200, QChar('8')));
    QTest::qWait(50);
    for (const char* name : {"ToolButtonLoad", "ToolButtonStartPause", "ToolButtonExport", "ToolButtonData",
                             "ToolButtonOptions", "ToolButtonDivers", "ButtonSave", "ButtonRemove"}) {
        const auto* button = Find<QToolButton>(w, name);
        EXPECT_TRUE(button->isVisible()) << name;
        const QRect area(button->mapTo(&w, QPoint()), button->size());
        EXPECT_TRUE(w.rect().contains(area)) << name;
    }
    EXPECT_TRUE(Find<QComboBox>(w, "ComboBoxZoom")->isVisible());
    EXPECT_LE(progress->mapTo(&w, QPoint(progress->width(), 0)).x(), w.width());
    EXPECT_EQ(progress->toolTip(), progress->text()) << "the whole text is the tooltip";

    // Pausing changes the start button's text; the buttons beside it stay where they were.
    w.ToolButtonStartPauseClick();
    QTest::qWait(50);
    EXPECT_EQ(start->text().toStdString(), "Generierung fortsetzen");
    EXPECT_EQ(exportButton->mapTo(&w, QPoint()).x(), exportX);
    w.Session().StopOptimizer();
}

TEST(MainWindowTrial, AnOpenThatCannotNoteTheFirstStartCompletesWithAWarning) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample("kreisliga-damen-sued.xml"), false));
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Running());

    // The modifications file beside the export points into a folder that does not exist: it
    // cannot be written, whoever runs the program.
    const std::string file = t.CopyExample();
    fs::create_symlink(t.dir.File("missing/folder/file"), fs::path(file).replace_extension("modifications"));
    std::vector<std::string> messages;
    w.Hooks().ShowMessage = [&](QWidget*, const std::string& text) { messages.push_back(text); };
    ASSERT_TRUE(w.LoadPlanFile(file, false));
    EXPECT_TRUE(t.script.Errors.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("nicht neben der Datei gespeichert"), std::string::npos) << messages[0];
    EXPECT_EQ(w.Session().CurrentFileName(), file);
    EXPECT_EQ(w.PlanPanel().Plan().PlanName, w.Session().PlanLoaded().PlanName);
    EXPECT_FALSE(w.Session().Running());
    EXPECT_FALSE(Find<QLabel>(w, "LabelDurchlauf")->isVisible());
    EXPECT_EQ(Find<QToolButton>(w, "ToolButtonStartPause")->text().toStdString(), "Generierung starten");
}

TEST(MainWindowTrial, RememberedSchedulesWhoseNamesDifferInCase) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(WaitUntil([&] { return w.Session().PlanOptimized().CountUnscheduledGames() == 0; }));
    const std::string directory = w.Session().CurrentPlanDirectory();

    t.script.SavePlanName = "Entwurf A";
    w.ButtonSaveClick();
    // The save dialog found "Entwurf A" and asked; the answer overwrites that file.
    t.script.SavePlanName = "entwurf a";
    w.ButtonSaveClick();
    EXPECT_EQ(ScheduleFiles(directory), std::vector<std::string>{"Entwurf A.xml"});
    w.Session().StopOptimizer();

    // Two files that differ in case (made outside the program) are two schedules; deleting one
    // leaves exactly the other.
    fs::copy_file(directory + "/Entwurf A.xml", directory + "/entwurf a.xml");
    w.TimerSyncPlansTimer();
    auto* selector = Find<QComboBox>(w, "ComboBoxPlanSelector");
    ASSERT_EQ(selector->count(), 4);
    Select(w, selector->findText("entwurf a"));
    t.script.YesNo = true;
    w.ButtonRemoveClick();
    EXPECT_EQ(ScheduleFiles(directory), std::vector<std::string>{"Entwurf A.xml"});
    EXPECT_EQ(selector->count(), 3);
    EXPECT_EQ(selector->findText("entwurf a"), -1);

    // A file that cannot be deleted (here a folder with content took its place) is reported.
    Select(w, selector->findText("Entwurf A"));
    fs::remove(directory + "/Entwurf A.xml");
    fs::create_directories(directory + "/Entwurf A.xml/inhalt");
    w.ButtonRemoveClick();
    ASSERT_EQ(t.script.Errors.size(), 1u);
    EXPECT_NE(t.script.Errors[0].find("kann nicht gelöscht werden"), std::string::npos) << t.script.Errors[0];
}

TEST(MainWindowTrial, TheExportQuestionNamesTextsTheCsvCannotHold) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    // A hand-made division whose club is spelled with letters windows-1252 lacks.
    const std::string file = t.dir.File("liga.xml");
    std::ofstream(file)
        << "<terminor><plan name=\"Testliga\" id=\"T1\" gender=\"Herren\" from=\"29.08.2026\" "
           "mid=\"04.01.2027\" until=\"30.04.2027\">"
           "<team teamname=\"SG Łódź\" teamid=\"1\" clubid=\"C1\" teamnumber=\"1\">"
           "<homegameday datetime=\"05.09.2026 18:00\"/></team>"
           "<team teamname=\"TSV Müller\" teamid=\"2\" clubid=\"C2\" teamnumber=\"1\">"
           "<homegameday datetime=\"12.09.2026 18:00\"/></team></plan></terminor>";
    ASSERT_TRUE(w.LoadPlanFile(file, false)) << t.script.Errors[0];
    std::vector<std::string> asked;
    w.Hooks().AskExportDespiteHardErrors = [&](QWidget*, const std::vector<std::string>& lines) {
        asked = lines;
        return true;
    };
    t.script.CsvFile = t.dir.File("export.csv");
    w.ToolButtonExportClick();
    EXPECT_NE(std::find(asked.begin(), asked.end(), "  SG Łódź"), asked.end());
    EXPECT_EQ(std::find(asked.begin(), asked.end(), "  TSV Müller"), asked.end());
    // Written as before, so that click-TT still reads the file.
    EXPECT_NE(ReadFileBytes(t.script.CsvFile)
                  .find("SG ?\xF3"
                        "d?"),
              std::string::npos);
}

TEST(MainWindowTrial, ARememberedScheduleOfAnotherDivisionIsNamedInTheStatusBar) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    auto other = w.Session().OpenPlanFile(t.CopyExample("kreisliga-damen-sued.xml"));
    other->PlanLoaded->SaveScheduleToXml(w.Session().CurrentPlanDirectory() + "/Damen.xml");
    w.TimerSyncPlansTimer();
    EXPECT_EQ(Find<QComboBox>(w, "ComboBoxPlanSelector")->findText("Damen"), -1);
    const QString message = w.statusBar()->currentMessage();
    EXPECT_TRUE(message.contains("\"Damen\" wird nicht angezeigt")) << message.toStdString();
}

TEST(MainWindowTrial, EndingAGenerationOffersToRememberItsBestSchedule) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    const std::string other = t.CopyExample("kreisliga-damen-sued.xml");
    // Nothing to lose before a generation.
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    EXPECT_TRUE(t.script.Asked.empty());

    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(WaitUntil([&] { return w.Session().Optimizer()->Durchlaufe() > 0; }));
    const std::string question =
        "Der beste Plan der laufenden Generierung wurde nicht gemerkt. Jetzt merken?";
    t.script.YesNoCancel = TMainWindowHooks::TAnswer::Cancel;
    EXPECT_FALSE(w.LoadPlanFile(other, false));
    ASSERT_EQ(t.script.Asked, std::vector<std::string>{question});
    EXPECT_TRUE(w.Session().Running()) << "cancelled: the generation goes on";
    EXPECT_FALSE(w.close()) << "closing asks too";
    EXPECT_TRUE(w.Session().Running());

    // "Ja" remembers it, then the other file opens.
    t.script.YesNoCancel = TMainWindowHooks::TAnswer::Yes;
    t.script.SavePlanName = "Vor dem Wechsel";
    const std::string directory = w.Session().CurrentPlanDirectory();
    EXPECT_TRUE(w.LoadPlanFile(other, false));
    EXPECT_TRUE(fs::exists(directory + "/Vor dem Wechsel.xml"));
    EXPECT_EQ(w.Session().CurrentFileName(), other);
}

TEST(MainWindowTrial, PausedTimeIsNotRunningTime) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Paused());
    const std::int64_t paused = w.Session().RunningMs();
    QTest::qWait(150);
    EXPECT_EQ(w.Session().RunningMs(), paused);
    w.ToolButtonStartPauseClick();
    QTest::qWait(60);
    EXPECT_GT(w.Session().RunningMs(), paused);
}

TEST(MainWindowTrial, TheHardErrorQuestionFitsItsLinesWithoutWrapping) {
    const std::vector<std::string> lines(40,
                                         "Spiel " + std::string(150, 'x') + " liegt an einem Sperrtermin");
    OnModal<TFormQuestionHardErrors>([](TFormQuestionHardErrors& dialog) {
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_EQ(dialog.Memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_GT(dialog.width(), 520);
        EXPECT_LE(dialog.width(), screen.width());
        EXPECT_LE(dialog.height(), screen.height());
        dialog.ButtonNo->click();
    });
    EXPECT_FALSE(AskExportDespiteHardErrors(nullptr, lines));
}

TEST(MainWindowTrial, AToolButtonLosesItsHoverFrameWhenItsDialogCloses) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    auto* button = Find<QToolButton>(w, "ToolButtonExport");
    QCursor::setPos(w.mapToGlobal(QPoint(w.width() - 5, w.height() - 5)));
    button->setAttribute(Qt::WA_UnderMouse, true);
    t.script.CsvFile.clear(); // the file dialog is cancelled
    w.ToolButtonExportClick();
    EXPECT_FALSE(button->testAttribute(Qt::WA_UnderMouse));
}

TEST(MainWindowTrial, StartButtonShowsTheRestoredStateAfterADialog) {
    // The data dialog pauses the generation; its OK updates the window while paused. Afterwards
    // the generation runs again, and the button must offer to pause it, not to resume it.
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    auto* button = Find<QToolButton>(w, "ToolButtonStartPause");
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Running());
    OnModal<TDialogForMultiplePanel>([](TDialogForMultiplePanel& d) {
        static_cast<TDialogPanelMainData*>(d.DialogPanel.get())->EditName->setText("Bezirksliga Umbenannt");
        d.ButtonOK->click();
    });
    w.ToolButtonDataClick();
    EXPECT_FALSE(w.Session().Paused());
    EXPECT_EQ(button->text().toStdString(), "Generierung pausieren");

    // Paused before: it stays paused, and the button says so.
    w.ToolButtonStartPauseClick();
    OnModal<TDialogForMultiplePanel>([](TDialogForMultiplePanel& d) { d.ButtonOK->click(); });
    w.ToolButtonDataClick();
    EXPECT_TRUE(w.Session().Paused());
    EXPECT_EQ(button->text().toStdString(), "Generierung fortsetzen");
}
