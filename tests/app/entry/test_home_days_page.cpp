// The page "Wunschtermine" with its week grid and the dialog "Wunschtermin".

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include "EntryTestUtil.h"
#include "HostedPage.h"
#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogEditOneHomeDay.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "app/entry/DialogPanelHomeDays.h"
#include "data/PlanTeams.h"
#include "data/PlanUtils.h"

using namespace terminor;
using namespace terminor::test;

namespace {

const std::string Altena = "TTC Blau-Weiß Altena";
const std::string Huesten2 = "TV Hüsten II";
const std::string Neheim = "TTV Neheim";
const std::string FourHours = "Zwischen dem ersten und zweiten Spiel müssen mindestens 4 Stunden liegen";

/// The example season runs from Sat 29.08.2026; its grid starts on Mon 24.08.2026. Row 1 is the
/// week of Sat 05.09.2026.
constexpr int Week = 1;
constexpr int Monday = 0;
constexpr int Saturday = 5;
constexpr int Sunday = 6;

TDialogPanelHomeDaysDetail* Detail(TDialogPanelHomeDays& page) {
    return qobject_cast<TDialogPanelHomeDaysDetail*>(page.DialogPanel.get());
}

QString Cell(TDialogPanelHomeDaysDetail* detail, int row, int column) {
    const QTableWidgetItem* item = detail->GridHomeDays->item(row, column);
    return item ? item->text() : QString();
}

void SetCell(TDialogPanelHomeDaysDetail* detail, int row, int column, const QString& text) {
    detail->GridHomeDays->item(row, column)->setText(text);
}

THomeDayList HomeDays(const TPlanData& data, const std::string& team) {
    THomeDayList records;
    data.GetHomeDays(team, records);
    return records;
}

/// The line edit of the cell being edited.
QLineEdit* OpenEditor(QTableWidget* grid) {
    for (QLineEdit* editor : grid->viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible()) {
            return editor;
        }
    }
    return nullptr;
}

/// Types `text` into a cell as the user does: the first key starts editing, Enter ends it.
void TypeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    grid->setCurrentCell(row, column);
    QTest::keyClicks(grid, text.left(1));
    QLineEdit* editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits and closes through a queued call.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// "Wunschtermine" on a copy of the example import (changed first by `prepare`), opened on
/// Altena; shown when keys are typed into it.
struct TAltenaPage {
    explicit TAltenaPage(bool shown, const std::function<void(TPlanData&)>& prepare = {}) {
        data.assign(*ExampleImport());
        if (prepare) {
            prepare(data);
        }
        TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
        page = std::make_unique<THostedPage<TDialogPanelHomeDays>>(data, nullptr);
        if (shown) {
            page->host.resize(1000, 700);
            page->host.show();
        }
        detail = Detail(*page->page);
        grid = detail->GridHomeDays;
    }

    TRecordedMessages messages;
    TPlanData data;
    std::unique_ptr<THostedPage<TDialogPanelHomeDays>> page;
    TDialogPanelHomeDaysDetail* detail = nullptr;
    QTableWidget* grid = nullptr;
};

} // namespace

TEST(HomeDaysPage, ShowsTheSeasonWeeksAndWritesBackWhatItShows) {
    TRecordedMessages messages;
    const auto defaults = ExampleImport();
    TPlanData data;
    data.assign(*defaults);
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;
    THostedPage<TDialogPanelHomeDays> page(data, defaults.get());
    EXPECT_EQ(page->getCaption(), "Wunschtermine");
    EXPECT_EQ(
        page->LabelHeaderText->text(),
        "Beispiele für die Termineingabe:\n"
        "18:00: Mannschaft kann um 18:00 Uhr ein Heimspiel austragen.\n"
        "FREI: Eingabe des Textes 'FREI' bedeutet, dass die Mannschaft an diesem Tag kein Spiel machen "
        "will.\n"
        "Keine Eingabe: Die Mannschaft kann an diesem Tag ein Auswärtsspiel wahrnehmen.\n\n"
        "Weitere Optionen (maximale Heimspiele, Koppeloptionen, Ausweichtermin etc.) mit Doppelklick oder "
        "Maus rechts.");
    TDialogPanelHomeDaysDetail* detail = Detail(*page.page);
    ASSERT_NE(detail, nullptr);
    QTableWidget* grid = detail->GridHomeDays;
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Mo");
    EXPECT_EQ(grid->horizontalHeaderItem(6)->text(), "So");
    // 24.08.2026 to the week of the season's end, 30.04.2027.
    ASSERT_EQ(grid->rowCount(), 36);
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "24.08 - 30.08.2026");
    EXPECT_EQ(grid->verticalHeaderItem(35)->text(), "26.04 - 02.05.2027");
    EXPECT_EQ(Cell(detail, Week, Saturday), "20:00");
    EXPECT_EQ(Cell(detail, Week + 3, Saturday), "20:00 Max:2"); // 26.09.2026
    EXPECT_EQ(Cell(detail, Week + 5, Saturday), "FREI");        // 10.10.2026, blocked
    EXPECT_EQ(Cell(detail, Week + 33, Saturday), "20:00 A");    // 24.04.2027, reserve
    EXPECT_EQ(Cell(detail, Week, Monday), "");
    // Every column fits its texts with a margin, and none is narrower than the design width.
    const QFontMetrics metrics = grid->fontMetrics();
    for (int column = 0; column < 7; ++column) {
        EXPECT_GE(grid->columnWidth(column), 60);
        for (int row = 0; row < grid->rowCount(); ++row) {
            EXPECT_GE(grid->columnWidth(column), metrics.horizontalAdvance(Cell(detail, row, column)) + 20);
        }
    }
    EXPECT_TRUE(page->isDefault());

    // Each team shown and left untouched changes nothing and asks nothing, even the one with two
    // kick-offs on one day, of which the grid shows only the later.
    std::vector<std::string> teams;
    data.getTeamNames(teams);
    for (const std::string& team : teams) {
        ASSERT_TRUE(page->SelectTeam(team)) << team;
        EXPECT_TRUE(page->isDefault()) << team;
    }
    ASSERT_TRUE(page->SelectTeam(Huesten2));
    EXPECT_EQ(Cell(Detail(*page.page), Week, Saturday), "18:30");
    ASSERT_TRUE(page->SelectTeam(Altena));
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&data.root(), &defaults->root()));
    EXPECT_TRUE(messages.Questions.empty());
    EXPECT_TRUE(messages.Messages.empty());

    // Edits are written when the team is left, and read back as they were typed.
    detail = Detail(*page.page);
    const int before = page.changes;
    SetCell(detail, Week, Saturday, "19:30 K2:10:00 L:2");
    SetCell(detail, Week, Monday, "FREI");
    SetCell(detail, Week + 3, Saturday, "");
    EXPECT_EQ(page.changes, before + 3);
    EXPECT_FALSE(page->isDefault());
    ASSERT_TRUE(page->SelectTeam(Neheim));
    const THomeDayList written = HomeDays(data, Altena);
    EXPECT_EQ(written.size(), HomeDays(*defaults, Altena).size());
    EXPECT_EQ(written[0].AsShortString(), "FREI");
    EXPECT_EQ(written[0].Date, EncodeDate(2026, 8, 31));
    EXPECT_EQ(written[1].AsShortString(), "19:30 K2:10:00 L:2");
    ASSERT_TRUE(page->SelectTeam(Altena));
    detail = Detail(*page.page);
    EXPECT_EQ(Cell(detail, Week, Saturday), "19:30 K2:10:00 L:2");
    EXPECT_EQ(Cell(detail, Week + 3, Saturday), "");
    EXPECT_FALSE(page->isDefault());

    // "Standard wiederherstellen" shows the import again and writes it.
    page->toDefault();
    EXPECT_EQ(Cell(detail, Week, Saturday), "20:00");
    EXPECT_TRUE(page->isDefault());
    page->FormToData();
    EXPECT_TRUE(SameHomeDays(HomeDays(data, Altena), HomeDays(*defaults, Altena)));
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(HomeDaysPage, ADoubleDateWithoutPartnerBlocksLeavingTheTeam) {
    TAltenaPage altena(false);
    auto& messages = altena.messages;
    auto& data = altena.data;
    auto& page = *altena.page;
    TDialogPanelHomeDaysDetail* detail = altena.detail;
    SetCell(detail, Week, Saturday, "18:00 D1");
    SetCell(detail, Week, Sunday, "10:00");
    EXPECT_FALSE(page->SelectTeam(Neheim));
    EXPECT_EQ(page->currentTeam(), Altena);
    ASSERT_EQ(messages.Messages.size(), 1U);
    EXPECT_EQ(
        messages.Messages[0],
        "Am Sa 05.09.2026 wurde ein Doppelspieltag angegeben. Das ist nur zulässig, wenn am darauf "
        "folgenden Tag auch ein Doppelspieltag ist. Für einen Doppelspieltag sind immer zwei Termine an "
        "zwei Tagen hintereinander nötig, welche beide als Doppelspieltag gekennzeichnet sind.");
    EXPECT_FALSE(HomeDays(data, Altena)[0].DoubleDate);

    SetCell(detail, Week, Sunday, "10:00 D1");
    EXPECT_TRUE(page->SelectTeam(Neheim));
    EXPECT_EQ(messages.Messages.size(), 1U);
    const THomeDayList written = HomeDays(data, Altena);
    EXPECT_TRUE(written[0].DoubleDate);
    EXPECT_TRUE(written[1].DoubleDate);
}

TEST(HomeDaysPage, CellsAreNormalisedWhenEditingStartsInACell) {
    TAltenaPage altena(true);
    auto& messages = altena.messages;
    auto& data = altena.data;
    auto& page = *altena.page;
    TDialogPanelHomeDaysDetail* detail = altena.detail;
    QTableWidget* grid = altena.grid;

    TypeIntoCell(grid, Week, Monday, "18:00  a");
    EXPECT_EQ(Cell(detail, Week, Monday), "18:00  a"); // as typed until editing starts elsewhere
    TypeIntoCell(grid, Week, Monday + 1, "k1:22:00 19:00");
    EXPECT_EQ(Cell(detail, Week, Monday), "18:00 A");
    TypeIntoCell(grid, Week, Monday + 2, "A K1:21:00");
    EXPECT_EQ(Cell(detail, Week, Monday + 1), "19:00 K1:22:00");
    EXPECT_EQ(Cell(detail, Week, Monday + 2), "A K1:21:00");
    // Editing the same cell again offers its normal form: here, without a kick-off, nothing.
    grid->setCurrentCell(Week, Monday + 2);
    QTest::keyClick(grid, Qt::Key_F2);
    QLineEdit* editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "");
    EXPECT_EQ(Cell(detail, Week, Monday + 2), "");
    QTest::keyClick(editor, Qt::Key_Escape);
    // An impossible time stays as typed, for the user to correct.
    TypeIntoCell(grid, Week, Monday + 3, "25:00");
    TypeIntoCell(grid, Week, Monday + 4, "frei 18:00");
    EXPECT_EQ(Cell(detail, Week, Monday + 3), "25:00");
    grid->setCurrentCell(Week, Saturday);
    QTest::keyClick(grid, Qt::Key_F2);
    EXPECT_EQ(Cell(detail, Week, Monday + 4), "FREI");
    ASSERT_NE(OpenEditor(grid), nullptr);
    QTest::keyClick(OpenEditor(grid), Qt::Key_Escape);

    // The cell typed last reads as well when the page is written.
    TypeIntoCell(grid, Week + 1, Monday, "17:45 max:3");
    // The impossible time is named before it is lost.
    messages.Answer = true;
    EXPECT_TRUE(page->CheckData());
    ASSERT_EQ(messages.Questions.size(), 1U);
    EXPECT_NE(messages.Questions[0].find("Do 03.09.2026: \u201E25:00\u201C (Ungültige Uhrzeit: 25:00)"),
              std::string::npos);
    page->FormToData();
    const THomeDayList written = HomeDays(data, Altena);
    ASSERT_GE(written.size(), 4U);
    EXPECT_EQ(written[0].AsShortString(), "18:00 A");
    EXPECT_EQ(written[1].AsShortString(), "19:00 K1:22:00");
    EXPECT_EQ(written[2].AsShortString(), "FREI");
    EXPECT_EQ(written[2].Date, EncodeDate(2026, 9, 4));
    bool found = false;
    for (const THomeDay& day : written) {
        found =
            found || (day.Date == EncodeDate(2026, 9, 7) + EncodeTime(17, 45) && day.MaxParallelGame == 3);
    }
    EXPECT_TRUE(found);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(HomeDaysPage, WhatWritingLosesIsNamedFirstAndTheUserMayGoBack) {
    TRecordedMessages messages;
    TPlanData data;
    data.assign(*ExampleImport());
    // A wish date after the last displayed week: the season ends on Fri 30.04.2027, the grid on
    // Sun 02.05.2027.
    TDataObject* altena = FindTeamElement(data, Altena);
    altena->addChild("homegameday").SetAsDateTime("datetime", EncodeDate(2027, 5, 8) + EncodeTime(20, 0));
    const THomeDayList before = HomeDays(data, Altena);
    TDialogPanelMultiTeams::LastSelectedTeam() = Altena;

    TDialogForMultiplePanel dialog;
    dialog.SetValues(data, nullptr, DataEntryPages());
    ASSERT_TRUE(dialog.SelectPage(6));
    auto* page = qobject_cast<TDialogPanelHomeDays*>(dialog.DialogPanel.get());
    ASSERT_NE(page, nullptr);
    // Looking loses nothing.
    ASSERT_TRUE(page->SelectTeam(Neheim));
    ASSERT_TRUE(page->SelectTeam(Altena));
    EXPECT_TRUE(messages.Questions.empty());
    EXPECT_EQ(HomeDays(dialog.getPlanData(), Altena).size(), before.size());

    // An edit writes the grid, which would lose the date it does not show and a cell that does
    // not read: "Nein" stays on the page, on the team, with nothing written.
    TDialogPanelHomeDaysDetail* detail = Detail(*page);
    SetCell(detail, Week, Monday, "19:00");
    SetCell(detail, Week, Monday + 1, "abends");
    messages.Answer = false;
    EXPECT_FALSE(page->SelectTeam(Neheim));
    EXPECT_EQ(page->currentTeam(), Altena);
    dialog.ButtonOK->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.SelectPage(7));
    ASSERT_EQ(messages.Questions.size(), 3U);
    EXPECT_EQ(messages.Questions[0],
              "Beim Übernehmen der Wunschtermine von TTC Blau-Weiß Altena gehen diese Einträge verloren:\n\n"
              "Di 01.09.2026: \u201Eabends\u201C nennt weder eine Uhrzeit noch FREI\n"
              "Sa 08.05.2027 20:00: liegt außerhalb der angezeigten Wochen\n\n"
              "Trotzdem übernehmen? Mit \u201ENein\u201C kehren Sie zur Eingabe zurück.");
    EXPECT_EQ(HomeDays(dialog.getPlanData(), Altena).size(), before.size());

    // "Ja" writes by the grid's rule: the date after the last displayed week is removed.
    messages.Answer = true;
    dialog.ButtonOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const THomeDayList written = HomeDays(dialog.getPlanData(), Altena);
    EXPECT_EQ(written.size(), before.size());
    EXPECT_EQ(written[0].Date, EncodeDate(2026, 8, 31) + EncodeTime(19, 0));
    EXPECT_LT(written.back().Date, EncodeDate(2027, 5, 3));
}

TEST(HomeDaysPage, DatesMoreThan360DaysAfterTheFirstMondayAreRemovedOnWrite) {
    // The grid starts on Mon 24.08.2026; its last row is the week of Mon 16.08.2027 (day 357).
    TAltenaPage altena(false, [](TPlanData& data) {
        data.root().SetAsDate("until", EncodeDate(2028, 6, 30));
        TDataObject* team = FindTeamElement(data, Altena);
        team->addChild("homegameday").SetAsDateTime("datetime", EncodeDate(2027, 8, 22) + EncodeTime(18, 0));
        team->addChild("homegameday").SetAsDateTime("datetime", EncodeDate(2027, 8, 23) + EncodeTime(18, 0));
    });
    auto& page = *altena.page;
    TDialogPanelHomeDaysDetail* detail = altena.detail;
    ASSERT_EQ(detail->GridHomeDays->rowCount(), 52);
    EXPECT_EQ(Cell(detail, 51, Sunday), "18:00");
    SetCell(detail, Week, Monday, "19:00");
    EXPECT_EQ(detail->Losses(),
              std::vector<std::string>{"Mo 23.08.2027 18:00: liegt außerhalb der angezeigten Wochen"});
    EXPECT_TRUE(page->CheckData());
    page->FormToData();
    const THomeDayList written = HomeDays(altena.data, Altena);
    EXPECT_EQ(written.back().Date, EncodeDate(2027, 8, 22) + EncodeTime(18, 0));
}

TEST(HomeDaysPage, PopupAndDialogEditACell) {
    TAltenaPage altena(true);
    auto& messages = altena.messages;
    TDialogPanelHomeDaysDetail* detail = altena.detail;
    QTableWidget* grid = altena.grid;

    // Right mouse selects the cell; "Löschen" only for a non-empty one.
    const QRect empty = grid->visualRect(grid->model()->index(Week, Monday));
    emit grid->customContextMenuRequested(empty.center());
    EXPECT_EQ(grid->currentRow(), Week);
    EXPECT_EQ(grid->currentColumn(), Monday);
    EXPECT_TRUE(detail->PopupMenu->isVisible());
    EXPECT_EQ(detail->MenuEdit->text(), "Bearbeiten...");
    EXPECT_EQ(detail->MenuDelete->text(), "Löschen");
    EXPECT_FALSE(detail->MenuDelete->isEnabled());
    detail->PopupMenu->hide();
    emit grid->customContextMenuRequested(grid->visualRect(grid->model()->index(Week, Saturday)).center());
    EXPECT_TRUE(detail->MenuDelete->isEnabled());
    detail->PopupMenu->hide();
    detail->MenuDelete->trigger();
    EXPECT_EQ(Cell(detail, Week, Saturday), "");

    // "Bearbeiten..." on the empty Saturday: the dialog's groups, states and checks.
    std::vector<std::string> seen;
    ScriptModals<TDialogEditOneHomeDay>({[&](TDialogEditOneHomeDay& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Wunschtermin");
        EXPECT_EQ(dialog.LabelDate->text(), "Datum: 05.09.2026");
        EXPECT_EQ(dialog.ComboBoxKind->currentText(), "kein Heimspiel, Auswärstspiele möglich");
        EXPECT_TRUE(dialog.PanelHomeDay->isHidden());
        dialog.ComboBoxKind->setCurrentIndex(TDialogEditOneHomeDay::kindHomeDay);
        EXPECT_FALSE(dialog.PanelHomeDay->isHidden());
        EXPECT_EQ(dialog.GroupBoxHalle->title(), "Halle");
        EXPECT_EQ(dialog.GroupBoxKoppel->title(), "Heimkoppel/Doppelspieltag");
        EXPECT_EQ(dialog.GroupBoxAuswaertsKoppel->title(), "Auswärtskoppeloptionen");
        EXPECT_EQ(dialog.ComboBoxMaxParallelGame->count(), 11);
        EXPECT_EQ(dialog.ComboBoxMaxParallelGame->itemText(0), "keine Beschränkung");
        EXPECT_EQ(dialog.ComboBoxLocation->count(), 6);
        EXPECT_FALSE(dialog.ComboBoxKoppelPrio->isEnabled());
        EXPECT_FALSE(dialog.DateTimePickerSecondTime->isEnabled());
        EXPECT_FALSE(dialog.DateTimePickerAlternativeTime->isEnabled());
        dialog.ButtonOK->click(); // no kick-off
        dialog.DateTimePickerTime->setTime(QTime(18, 0));
        dialog.ComboBoxKoppel->setCurrentIndex(TDialogEditOneHomeDay::koppelKoppelDate);
        EXPECT_TRUE(dialog.ComboBoxKoppelPrio->isEnabled());
        EXPECT_TRUE(dialog.DateTimePickerSecondTime->isEnabled());
        EXPECT_FALSE(dialog.CheckBoxAuswaertsKoppel->isEnabled());
        dialog.ButtonOK->click(); // no second kick-off
        dialog.DateTimePickerSecondTime->setTime(QTime(21, 59));
        dialog.ButtonOK->click();
        // An alternative kick-off is checked alike.
        dialog.ComboBoxKoppel->setCurrentIndex(TDialogEditOneHomeDay::koppelDoubleDate);
        EXPECT_TRUE(dialog.ComboBoxKoppelPrio->isEnabled());
        EXPECT_FALSE(dialog.DateTimePickerSecondTime->isEnabled());
        dialog.CheckBoxAuswaertsKoppel->setChecked(true);
        EXPECT_TRUE(dialog.DateTimePickerAlternativeTime->isEnabled());
        dialog.ButtonOK->click(); // no alternative kick-off
        dialog.DateTimePickerAlternativeTime->setTime(QTime(16, 30));
        dialog.ButtonOK->click();
        // A coupling day unchecks the away option.
        dialog.ComboBoxKoppel->setCurrentIndex(TDialogEditOneHomeDay::koppelKoppelDate);
        EXPECT_FALSE(dialog.CheckBoxAuswaertsKoppel->isChecked());
        dialog.DateTimePickerSecondTime->setTime(QTime(22, 0));
        dialog.ComboBoxKoppelPrio->setCurrentIndex(2);
        dialog.CheckBoxAusweichTermin->setChecked(true);
        dialog.ComboBoxMaxParallelGame->setCurrentIndex(2);
        dialog.ComboBoxLocation->setCurrentIndex(3);
        seen = messages.Messages;
        dialog.ButtonOK->click();
    }});
    detail->MenuEdit->trigger();
    EXPECT_EQ(seen, (std::vector<std::string>{"Bitte geben Sie eine Zeit ein",
                                              "Bitte geben Sie eine zweite Zeit ein", FourHours,
                                              "Bitte geben Sie eine zweite Zeit ein", FourHours}));
    EXPECT_EQ(messages.Messages.size(), 5U);
    EXPECT_EQ(Cell(detail, Week, Saturday), "18:00 A K2:22:00 Max:2 L:3");

    // A double click opens the cell's record; a double date with alternative kick-off and a blocked day.
    SetCell(detail, Week, Sunday, "20:00 T2:16:00 D1");
    ScriptModals<TDialogEditOneHomeDay>({[&](TDialogEditOneHomeDay& dialog) {
        EXPECT_EQ(dialog.ComboBoxKind->currentIndex(), TDialogEditOneHomeDay::kindHomeDay);
        EXPECT_EQ(dialog.DateTimePickerTime->time(), QTime(20, 0));
        EXPECT_EQ(dialog.ComboBoxKoppel->currentIndex(), TDialogEditOneHomeDay::koppelDoubleDate);
        EXPECT_EQ(dialog.ComboBoxKoppelPrio->currentText(), "normal");
        EXPECT_TRUE(dialog.CheckBoxAuswaertsKoppel->isChecked());
        EXPECT_EQ(dialog.DateTimePickerAlternativeTime->time(), QTime(16, 0));
        dialog.ButtonCancel->click();
    }});
    emit grid->cellDoubleClicked(Week, Sunday);
    EXPECT_EQ(Cell(detail, Week, Sunday), "20:00 T2:16:00 D1");
    ScriptModals<TDialogEditOneHomeDay>({[&](TDialogEditOneHomeDay& dialog) {
        dialog.ComboBoxKind->setCurrentIndex(TDialogEditOneHomeDay::kindSperrTermin);
        EXPECT_TRUE(dialog.PanelHomeDay->isHidden());
        dialog.ButtonOK->click();
    }});
    emit grid->cellDoubleClicked(Week, Sunday);
    EXPECT_EQ(Cell(detail, Week, Sunday), "FREI");
    EXPECT_EQ(messages.Messages.size(), 5U);
}
