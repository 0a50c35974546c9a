// The data dialog from the main window: a division entered by hand from "Neue Datei..." to the
// CSV export, the refusals on a plan without teams, a failed save that keeps the edits, and a plan
// whose references name a deleted or renamed team.

#include <filesystem>
#include <fstream>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "../GuiTestUtil.h"
#include "../ModalTestUtil.h"
#include "EntryTestUtil.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "app/entry/DialogPanelMainData.h"
#include "app/entry/DialogPanelTeams.h"
#include "data/DataObject.h"
#include "data/TeamEdit.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

/// The main window's messages, recorded.
std::vector<std::string>& RecordMessages(TTestWindow& t) {
    static std::vector<std::string> messages;
    messages.clear();
    t.window->Hooks().ShowMessage = [](QWidget*, const std::string& text) { messages.push_back(text); };
    return messages;
}

std::size_t StorageFolders(const TTestWindow& t) {
    const fs::path root = fs::path(t.dir.File("appdata")) / "Terminor";
    if (!fs::exists(root)) {
        return 0;
    }
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(root), fs::directory_iterator()));
}

/// One home date a week for each team, on its own weekday at 19:30, through the season.
void WriteWishDates(TPlanData& data) {
    std::vector<std::string> names;
    data.getTeamNames(names);
    const TDateTime from = data.root().GetAsDate("from");
    const TDateTime until = data.root().GetAsDate("until");
    for (std::size_t i = 0; i < names.size(); ++i) {
        THomeDayList days;
        for (TDateTime day = from + static_cast<double>(i % 5); day <= until; day += 7) {
            THomeDay home;
            home.Date = day + EncodeTime(19, 30);
            days.push_back(home);
        }
        data.SetHomeDays(names[i], days);
    }
}

/// Generates on the window's plan until every game has a date, then pauses.
void ShortGeneration(TTestWindow& t) {
    TFormTerminorMain& w = *t.window;
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Running());
    ASSERT_TRUE(WaitUntil([&] { return w.Session().PlanOptimized().CountUnscheduledGames() == 0; }, 60));
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(w.Session().Paused());
}

void ExportCsv(TTestWindow& t, const std::string& name) {
    t.script.CsvFile = t.dir.File(name);
    auto* selector = Find<QComboBox>(*t.window, "ComboBoxPlanSelector");
    selector->setCurrentIndex(0);
    emit selector->activated(0);
    t.window->ToolButtonExportClick();
    ASSERT_TRUE(fs::exists(t.script.CsvFile)) << (t.script.Errors.empty() ? "" : t.script.Errors.back());
}

} // namespace

TEST(EntryMainWindow, NewFileEnteredByHandGeneratesAndExports) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    std::vector<std::string>& messages = RecordMessages(t);
    t.script.OpenFile = t.dir.File("neue-liga.xml");

    // "Neue Datei...": the new file opens as a loaded plan and the data dialog follows; cancelled.
    bool dialogOpened = false;
    OnModal<TDialogForMultiplePanel>([&](TDialogForMultiplePanel& d) {
        dialogOpened = true;
        EXPECT_EQ(d.windowTitle().toStdString(), "Spielplandaten bearbeiten...");
        EXPECT_TRUE(d.ButtonToStandard->isHidden());
        d.ButtonCancel->click();
    });
    w.MenuNewClick();
    EXPECT_TRUE(dialogOpened);
    ASSERT_TRUE(w.Session().PlanIsLoaded());
    EXPECT_NE(Find<QLabel>(w, "LabelPlanName")->text().toStdString(), "Kein Plan geladen");
    EXPECT_EQ(StorageFolders(t), 0u) << "no folder before the division has a name and a season";

    // Start, export and print refuse a plan without teams; nothing runs.
    t.script.CsvFile = t.dir.File("leer.csv");
    w.ToolButtonStartPauseClick();
    w.ToolButtonExportClick();
    w.MenuPrintClick();
    EXPECT_FALSE(w.Session().Running());
    EXPECT_FALSE(fs::exists(t.script.CsvFile));
    EXPECT_EQ(t.script.Prints, 0);
    ASSERT_EQ(messages.size(), 3u);
    for (const std::string& message : messages) {
        EXPECT_NE(message.find("weniger als zwei Mannschaften"), std::string::npos) << message;
    }

    // Ctrl+D: "Ligadaten", six teams, their wish dates, OK.
    OnModal<TDialogForMultiplePanel>([&](TDialogForMultiplePanel& d) {
        auto* main = static_cast<TDialogPanelMainData*>(d.DialogPanel.get());
        main->EditName->setText("Kreisliga Handeingabe");
        main->EditId->setText("KL 7");
        SelectComboText(main->ComboBoxGender, "Herren");
        main->DateTimePickerFrom->setDate(QDate(2025, 8, 25));
        main->DateTimePickerMid->setDate(QDate(2026, 1, 5));
        main->DateTimePickerUntil->setDate(QDate(2026, 4, 30));
        ASSERT_TRUE(d.SelectPage(1));
        auto* teams = static_cast<TDialogPanelTeams*>(d.DialogPanel.get());
        for (int i = 1; i <= 6; ++i) {
            ScriptModals<TFormEditTeamName>({[i](TFormEditTeamName& e) {
                e.EditTeamName->setText(QString("TTC Hand %1").arg(i));
                e.EditTeamId->setText(QString("H%1").arg(i));
                e.EditClubId->setText(QString("C%1").arg(i));
                e.ButtonOK->click();
            }});
            teams->ButtonNew->click();
        }
        ASSERT_TRUE(d.SelectPage(2));
        WriteWishDates(d.getPlanData());
        d.ButtonOK->click();
    });
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(w.Session().TeamCount(), 6) << (t.script.Errors.empty() ? "" : t.script.Errors.back());
    EXPECT_EQ(w.Session().PlanLoaded().PlanName, "Kreisliga Handeingabe");
    EXPECT_EQ(Find<QLabel>(w, "LabelPlanName")->text().toStdString(), "Kreisliga Handeingabe");
    EXPECT_EQ(StorageFolders(t), 1u);
    EXPECT_FALSE(w.Session().CurrentPlanDirectory().empty());
    // Saved into the plan file.
    TPlanData saved;
    saved.LoadFromXML(t.script.OpenFile);
    EXPECT_EQ(saved.root().NamedChilds("team").size(), 6u);

    ShortGeneration(t);
    ExportCsv(t, "Kreisliga.csv");
    std::ifstream in(t.script.CsvFile, std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
    }
    EXPECT_EQ(lines, 1 + 6 * 5) << "header and every game of a double round of six teams";
}

TEST(EntryMainWindow, FailedSaveKeepsEditsUntilTheNextSave) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    const std::string file = t.CopyExample();
    ASSERT_TRUE(w.LoadPlanFile(file, false));
    const std::string modifications = fs::path(file).replace_extension("modifications").string();
    const auto exportSize = fs::file_size(file);
    // A folder where the modifications file should go makes the save fail.
    fs::remove(modifications);
    fs::create_directory(modifications);

    auto rename = [&](const char* name) {
        OnModal<TDialogForMultiplePanel>([name](TDialogForMultiplePanel& d) {
            static_cast<TDialogPanelMainData*>(d.DialogPanel.get())->EditName->setText(name);
            d.ButtonOK->click();
        });
        w.ToolButtonDataClick();
    };
    rename("Liga ohne Speicherplatz");
    ASSERT_EQ(t.script.Errors.size(), 1u);
    EXPECT_NE(t.script.Errors[0].find("kann nicht geschrieben werden"), std::string::npos);
    EXPECT_EQ(w.Session().PlanData().root().GetAsString("name"), "Liga ohne Speicherplatz");
    EXPECT_EQ(w.Session().PlanLoaded().PlanName, "Liga ohne Speicherplatz");

    // The next save writes them; the export itself is never written.
    fs::remove(modifications);
    OnModal<TDialogForMultiplePanel>([](TDialogForMultiplePanel& d) { d.ButtonOK->click(); });
    w.ToolButtonDataClick();
    EXPECT_EQ(t.script.Errors.size(), 1u);
    TPlanData diff;
    diff.LoadFromXML(modifications);
    EXPECT_EQ(diff.root().GetAsString("name"), "Liga ohne Speicherplatz");
    EXPECT_EQ(fs::file_size(file), exportSize);
}

TEST(EntryMainWindow, ReferencesToDeletedAndRenamedTeamsLoadGenerateAndExport) {
    const auto data = ExamplePlanFile();
    std::vector<std::string> names;
    data->getTeamNames(names);
    ASSERT_GE(names.size(), 4u);
    const std::string victim = names[0];
    const std::string renamed = names[1];
    TDataObject& root = data->root();
    TDataObject* owner = nullptr;
    for (TDataObject* team : root.NamedChilds("team")) {
        if (team->GetAsString("teamname") == names[2]) {
            owner = team;
        }
    }
    ASSERT_NE(owner, nullptr);
    // The two teams named in every kind of reference.
    for (const std::string& name : {victim, renamed}) {
        TDataObject& couple = owner->addChild("roadcouple");
        couple.SetAsString("teamnamea", name);
        couple.SetAsString("teamnameb", name == victim ? renamed : names[3]);
        couple.SetAsInt("sameday", 0);
        owner->addChild("noweekgames").SetAsString("teamname", name);
        TDataObject& right = owner->addChild("homerights");
        right.SetAsString("teamname", name);
        right.SetAsInt("homeright", 1);
        TDataObject& sister = owner->addChild("sisterteam");
        sister.SetAsString("teamname", name + " Damen");
        sister.SetAsString("gender", "Damen");
        TDataObject& sisterGame = sister.addChild("sistergame");
        sisterGame.SetAsDateTime("datetime", root.GetAsDate("from") + 5 + EncodeTime(19, 0));
        sisterGame.SetAsString("hometeamname", name + " Damen");
        sisterGame.SetAsString("guestteamname", name);
        TDataObject& game = root.getOrCreateChild("predefinedgames").addChild("game");
        game.SetAsDateTime("datetime",
                           root.GetAsDate("from") + (name == victim ? 12 : 13) + EncodeTime(20, 0));
        game.SetAsString("hometeamname", name);
        game.SetAsString("guestteamname", names[2]);
    }
    TDataObject& ranking = root.getOrCreateChild("ranking");
    ranking.SetAsBool("active", true);
    for (std::size_t i = 0; i < names.size(); ++i) {
        TDataObject& entry = ranking.addChild("team");
        entry.SetAsString("teamname", names[i]);
        entry.SetAsInt("rankingindex", static_cast<int>(i));
    }
    ASSERT_TRUE(DeleteTeam(*data, victim));
    for (TDataObject* team : root.NamedChilds("team")) {
        if (team->GetAsString("teamname") == renamed) {
            TTeamValues values = ReadTeamValues(*team);
            values.TeamName = renamed + " (neu)";
            UpdateTeam(*team, values);
        }
    }

    TTestWindow t;
    const std::string file = t.dir.File("verwaist.terminor.xml");
    data->SaveToXML(file);
    TFormTerminorMain& w = *t.window;
    ASSERT_TRUE(w.LoadPlanFile(file, false)) << (t.script.Errors.empty() ? "" : t.script.Errors.back());
    // The away-coupling wish names an unknown team: its data error is one of the wish page's lines.
    std::vector<std::string> lines;
    const TMannschaft* team = w.Session().PlanLoaded().Mannschaften.FindByName(names[2]);
    ASSERT_NE(team, nullptr);
    team->getTermineNotPossible(w.Session().PlanLoaded(), lines);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Datenfehler: Unbekanntes Team " + victim + " in einem Auswärtskoppelwunsch."),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Datenfehler: Unbekanntes Team " + renamed + " in einem Auswärtskoppelwunsch."),
              lines.end());

    // The data dialog opens every page on it, and the plan generates and exports.
    OnModal<TDialogForMultiplePanel>([](TDialogForMultiplePanel& d) {
        for (int i = 0; i < d.TreeView->topLevelItemCount(); ++i) {
            EXPECT_TRUE(d.SelectPage(i)) << i;
        }
        d.ButtonOK->click();
    });
    w.ToolButtonDataClick();
    EXPECT_TRUE(t.script.Errors.empty()) << t.script.Errors.front();
    ShortGeneration(t);
    ExportCsv(t, "verwaist.csv");
    EXPECT_TRUE(t.script.Errors.empty()) << t.script.Errors.front();
}
