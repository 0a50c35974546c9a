// The pages "Manuell festgelegte Begegnungen" (with the dialog "Begegnung"), "60km Regel" and
// "Heimrecht".

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>

#include "EntryTestUtil.h"
#include "HostedPage.h"
#include "app/DialogHelpers.h"
#include "app/GuiTestUtil.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogPanel60km.h"
#include "app/entry/DialogPanelHomeRight.h"
#include "app/entry/DialogPanelPredefinedGames.h"
#include "data/HomeRights.h"
#include "data/NoWeekGames.h"
#include "data/PlanTeams.h"
#include "data/PredefinedGames.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;

namespace {

const std::string Altena = "TTC Blau-Weiß Altena";
const std::string Neheim = "TTV Neheim";
const std::string Neheim2 = "TTV Neheim II";

QStringList RowTexts(QTableWidget* grid, int row) {
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column) {
        texts << grid->item(row, column)->text();
    }
    return texts;
}

/// Fills the game dialog and presses OK.
std::function<void(TDialogEditOneGame&)> Answer(const std::string& home, const std::string& guest,
                                                QTime time = QTime(19, 30)) {
    return [=](TDialogEditOneGame& dialog) {
        SelectComboText(dialog.ComboBoxHome, Qs(home));
        SelectComboText(dialog.ComboBoxGuest, Qs(guest));
        dialog.DateTimePickerTime->setTime(time);
        dialog.ButtonOK->click();
    };
}

QListWidgetItem* TeamItem(QListWidget* list, const std::string& name) {
    const QList<QListWidgetItem*> items = list->findItems(Qs(name), Qt::MatchExactly);
    return items.isEmpty() ? nullptr : items.front();
}

} // namespace

TEST(PredefinedGamesPage, ShowsTheFixedGamesAndLockedOnesAndComparesWithTheImport) {
    const auto defaults = ExampleImport();
    TPlanData data;
    data.assign(*ExamplePlanFile());
    THostedPage<TDialogPanelPredefinedGames> page(data, defaults.get());
    QTableWidget* grid = page->GridGames;
    EXPECT_EQ(page->windowTitle(), "Manuell festgelegte Begegnungen");
    EXPECT_EQ(page->ButtonNew->text(), "Neue Begenung...");
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), "Spiellokal");
    EXPECT_EQ(grid->columnWidth(0), 100);
    EXPECT_EQ(grid->columnWidth(1), 80);
    EXPECT_EQ(grid->columnWidth(3), 200);
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(RowTexts(grid, 0), (QStringList{"Sa 05.09.2026", "18:30", Qs(Neheim), Qs(Neheim2), ""}));
    EXPECT_TRUE(page->isDefault());

    // A game locked in the plan view is the page's entry, and restoring the import removes it.
    const TDateTime kickOff = EncodeDate(2026, 10, 3) + EncodeTime(18, 0);
    LockGame(data, Altena, Neheim, kickOff, "2");
    page->DataToForm();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(RowTexts(grid, 1), (QStringList{"Sa 03.10.2026", "18:00", Qs(Altena), Qs(Neheim), "2"}));
    EXPECT_FALSE(page->isDefault());
    page->toDefault();
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_FALSE(IsGameLocked(data, Altena, Neheim, kickOff));
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(page.changes, 1);
}

TEST(PredefinedGamesPage, GameDialogChecksAndAGameEnteredIsLocked) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    TRecordedMessages messages;
    THostedPage<TDialogPanelPredefinedGames> page(data, nullptr);

    QDate offered;
    ScriptModals<TDialogEditOneGame>({[&](TDialogEditOneGame& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Begegnung");
        offered = dialog.DateTimePickerDate->date();
        EXPECT_EQ(dialog.ComboBoxHome->currentIndex(), -1);
        dialog.ButtonOKClick();
        SelectComboText(dialog.ComboBoxHome, Qs(Altena));
        dialog.ButtonOKClick();
        SelectComboText(dialog.ComboBoxGuest, Qs(Altena));
        dialog.ButtonOKClick();
        // The fixed game of the example, on its date and time: already there.
        dialog.DateTimePickerDate->setDate(QDate(2026, 9, 5));
        dialog.DateTimePickerTime->setTime(QTime(18, 30));
        SelectComboText(dialog.ComboBoxHome, Qs(Neheim));
        SelectComboText(dialog.ComboBoxGuest, Qs(Neheim2));
        dialog.ButtonOKClick();
        Answer(Neheim2, Neheim, QTime(18, 30))(dialog);
    }});
    page->ButtonNewClick();
    EXPECT_EQ(offered, QDate(2026, 8, 29)); // the start of the season
    EXPECT_EQ(messages.Messages,
              (std::vector<std::string>{"Keine Heimmanschaft angegeben", "Keine Gastmanschaft angegeben",
                                        "Die Mannschaft kann nicht gegen sich selbst spielen",
                                        "Diese Begegnung ist bereits festgelegt."}));
    // Written at once; the plan view sees it locked.
    EXPECT_TRUE(IsGameLocked(data, Neheim2, Neheim, EncodeDate(2026, 9, 5) + EncodeTime(18, 30)));
    ASSERT_EQ(page->GridGames->rowCount(), 2);
    EXPECT_EQ(page->GridGames->currentRow(), 1);
    EXPECT_EQ(page.changes, 1);

    // Editing the selected game keeps its place; a double click opens it as well.
    ScriptModals<TDialogEditOneGame>({[&](TDialogEditOneGame& dialog) {
        EXPECT_EQ(GetComboText(dialog.ComboBoxHome), Qs(Neheim2));
        EXPECT_EQ(dialog.DateTimePickerTime->time(), QTime(18, 30));
        SelectComboText(dialog.ComboBoxLocation, "3");
        dialog.ButtonOK->click();
    }});
    emit page->GridGames->cellDoubleClicked(1, 0);
    EXPECT_EQ(GetPredefinedGames(data)[1].Location, "3");
    EXPECT_EQ(page.changes, 2);

    // Deleting asks; "Nein" keeps the game.
    messages.Answer = false;
    page->ButtonDeleteClick();
    EXPECT_EQ(messages.Questions, std::vector<std::string>{"Möchten Sie das Spiel wirklich löschen?"});
    EXPECT_EQ(GetPredefinedGames(data).size(), 2U);
    messages.Answer = true;
    page->ButtonDeleteClick();
    EXPECT_EQ(GetPredefinedGames(data).size(), 1U);
    EXPECT_FALSE(IsGameLocked(data, Neheim2, Neheim, EncodeDate(2026, 9, 5) + EncodeTime(18, 30)));
    EXPECT_EQ(page.changes, 3);
}

TEST(PredefinedGamesPage, AgreesWithTheLockOfThePlanView) {
    TTestWindow t;
    TTerminorSession& session = t.window->Session();
    session.Adopt(session.OpenPlanFile(t.CopyExample()));
    const TDateTime locked = EncodeDate(2026, 10, 3) + EncodeTime(18, 0);
    session.LockGame(Altena, Neheim, locked, ""); // what the plan view's popup does

    // The data dialog works on a copy of the window's plan data.
    TPlanData copy;
    copy.assign(session.PlanData());
    const TDateTime entered = EncodeDate(2026, 10, 10) + EncodeTime(19, 30);
    {
        THostedPage<TDialogPanelPredefinedGames> page(copy, session.PlanDataClickTTFile());
        ASSERT_EQ(page->GridGames->rowCount(), 2);
        EXPECT_EQ(RowTexts(page->GridGames, 1),
                  (QStringList{"Sa 03.10.2026", "18:00", Qs(Altena), Qs(Neheim), ""}));
        ScriptModals<TDialogEditOneGame>({[](TDialogEditOneGame& dialog) {
            dialog.DateTimePickerDate->setDate(QDate(2026, 10, 10));
            Answer(Neheim2, Altena)(dialog);
        }});
        page->ButtonNewClick();
    }
    session.TakeOverPlanData(copy);

    // The plan the view draws holds the entered game as fixed, so its line shows the lock; the
    // view's unlock finds the page's entry.
    const auto fixed = [&](const std::string& home, TDateTime when) {
        for (const TGame* game : session.PlanLoaded().predefinedGames) {
            if (game->MannschaftHeim->teamName == home && game->FDate == when) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(fixed(Neheim2, entered));
    EXPECT_TRUE(fixed(Altena, locked));
    EXPECT_TRUE(session.IsGameLocked(Neheim2, Altena, entered));
    session.UnlockGame(Neheim2, Altena, entered);
    EXPECT_FALSE(session.IsGameLocked(Neheim2, Altena, entered));
    EXPECT_FALSE(fixed(Neheim2, entered));
}

TEST(SixtyKmPage, ChecksThePartnersWritesThemAndRestoresTheImport) {
    const auto defaults = ExampleImport();
    TPlanData data;
    data.assign(*ExamplePlanFile());
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
    THostedPage<TDialogPanel60km> page(data, defaults.get());
    EXPECT_EQ(page->LabelHeaderText->text(), "Wegen des langen Anfahrtsweges dürfen Spiele gegen diese "
                                             "Mannschaften nur am Wochenende stattfinden");
    auto* detail = qobject_cast<TDialogPanel60kmDetail*>(page->DialogPanel.get());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->teamName(), Altena);
    EXPECT_EQ(detail->CheckListBoxTeams->count(), 11);
    EXPECT_EQ(TeamItem(detail->CheckListBoxTeams, Altena), nullptr);
    EXPECT_EQ(detail->checkedTeams(), (std::vector<std::string>{"TuS Oeventrop", "TuS Sundern III"}));
    EXPECT_TRUE(page->isDefault());

    const int before = page.changes;
    TeamItem(detail->CheckListBoxTeams, "TuS Oeventrop")->setCheckState(Qt::Unchecked);
    TeamItem(detail->CheckListBoxTeams, Neheim)->setCheckState(Qt::Checked);
    EXPECT_EQ(page.changes, before + 2);
    EXPECT_FALSE(page->isDefault());
    // Switching teams writes the detail page back.
    ASSERT_TRUE(page->SelectTeam(Neheim));
    EXPECT_EQ(GetNoWeekGamePartners(data, Altena), (std::vector<std::string>{Neheim, "TuS Sundern III"}));
    ASSERT_TRUE(page->SelectTeam(Altena));
    detail = qobject_cast<TDialogPanel60kmDetail*>(page->DialogPanel.get());
    EXPECT_EQ(detail->checkedTeams(), (std::vector<std::string>{Neheim, "TuS Sundern III"}));
    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    page->FormToData();
    EXPECT_EQ(GetNoWeekGamePartners(data, Altena),
              (std::vector<std::string>{"TuS Oeventrop", "TuS Sundern III"}));
}

TEST(SixtyKmPage, PartnersThatNoLongerExistAreDroppedOnWrite) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    TDataObject* team = FindTeamElement(data, "TuS Sundern III");
    team->SetAsString("teamname", "TuS Sundern 3"); // renamed: the old name no longer exists
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
    THostedPage<TDialogPanel60km> page(data, nullptr);
    auto* detail = qobject_cast<TDialogPanel60kmDetail*>(page->DialogPanel.get());
    EXPECT_EQ(detail->checkedTeams(), std::vector<std::string>{"TuS Oeventrop"});
    EXPECT_NE(TeamItem(detail->CheckListBoxTeams, "TuS Sundern 3"), nullptr);
    page->FormToData();
    const IDataObjectList written = FindTeamElement(data, Altena)->NamedChilds("noweekgames");
    ASSERT_EQ(written.size(), 1U);
    EXPECT_EQ(written[0]->GetAsString("teamname"), "TuS Oeventrop");
}

TEST(HomeRightPage, EveryChangeIsWrittenAtOnceAndDefaultIsAutomaticWithoutPreferences) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    const auto defaults = ExampleImport();
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
    THostedPage<TDialogPanelHomeRight> page(data, defaults.get());
    EXPECT_EQ(page->windowTitle(), "Heimrecht");
    EXPECT_FALSE(page->PanelFixedHeaderText->isVisibleTo(&page.host));
    auto* detail = qobject_cast<TDialogPanelHomeRightDetail*>(page->DialogPanel.get());
    ASSERT_NE(detail, nullptr);
    QComboBox* count = detail->ComboBoxHomeGames;
    ASSERT_EQ(count->count(), 13);
    EXPECT_EQ(count->itemText(0), "Automatisch");
    EXPECT_EQ(count->itemText(1), "Vorrunde: 0      Rückrunde: 11");
    EXPECT_EQ(count->itemText(12), "Vorrunde: 11      Rückrunde: 0");
    EXPECT_EQ(count->currentIndex(), 0);
    EXPECT_EQ(detail->ValueListHomeRights->rowCount(), 11);
    QComboBox* neheim = detail->rowCombo(Qs(Neheim));
    ASSERT_NE(neheim, nullptr);
    EXPECT_EQ(neheim->currentText(), "egal");
    EXPECT_TRUE(page->isDefault());

    const int before = page.changes;
    count->setCurrentIndex(7);
    EXPECT_EQ(FindTeamElement(data, Altena)->GetAsInt("homerights"), 6);
    neheim->setCurrentText("Rückrunde");
    detail->rowCombo(Qs(Neheim2))->setCurrentText("Vorrunde");
    TTeamHomeRights rights = GetTeamHomeRights(data, Altena);
    EXPECT_EQ(rights.RightAgainst(Neheim), HomeRightRound2);
    EXPECT_EQ(rights.RightAgainst(Neheim2), HomeRightRound1);
    EXPECT_EQ(rights.Rights.size(), 2U);
    EXPECT_EQ(page.changes, before + 3);
    EXPECT_FALSE(page->isDefault());

    // A new detail page shows what was written.
    ASSERT_TRUE(page->SelectTeam(Neheim));
    ASSERT_TRUE(page->SelectTeam(Altena));
    detail = qobject_cast<TDialogPanelHomeRightDetail*>(page->DialogPanel.get());
    EXPECT_EQ(detail->ComboBoxHomeGames->currentIndex(), 7);
    EXPECT_EQ(detail->rowCombo(Qs(Neheim))->currentText(), "Rückrunde");

    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    rights = GetTeamHomeRights(data, Altena);
    EXPECT_EQ(rights.HomeGamesRoundOne, -1);
    EXPECT_TRUE(rights.Rights.empty());
}

TEST(HomeRightPage, ANumberBeyondTheDivisionIsKept) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    FindTeamElement(data, Altena)->SetAsInt("homerights", 20);
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
    THostedPage<TDialogPanelHomeRight> page(data, nullptr);
    auto* detail = qobject_cast<TDialogPanelHomeRightDetail*>(page->DialogPanel.get());
    EXPECT_EQ(detail->ComboBoxHomeGames->currentIndex(), -1);
    EXPECT_FALSE(page->isDefault());
    detail->rowCombo(Qs(Neheim))->setCurrentText("Vorrunde");
    EXPECT_EQ(FindTeamElement(data, Altena)->GetAsInt("homerights"), 20);
    EXPECT_EQ(GetTeamHomeRights(data, Altena).RightAgainst(Neheim), HomeRightRound1);
}
