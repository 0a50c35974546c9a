// The pages "Spielfreie Tage" and "Plichtspieltage" with the period dialog "Pflichtspieltag".

#include <gtest/gtest.h>

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "EntryTestUtil.h"
#include "HostedPage.h"
#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogPanelFreeDays.h"
#include "app/entry/DialogPanelMandatoryDays.h"
#include "data/FreeDays.h"
#include "data/PlanUtils.h"
#include "model/MandatoryPeriods.h"

using namespace terminor;
using namespace terminor::test;

namespace {

QListWidgetItem* DayItem(QListWidget* list, TDateTime day) {
    const QList<QListWidgetItem*> items = list->findItems(Qs(FormatDayDate(day)), Qt::MatchExactly);
    return items.isEmpty() ? nullptr : items.front();
}

TPlanMandatoryTime Period(int y1, int m1, int d1, int y2, int m2, int d2, int games) {
    return TPlanMandatoryTime{EncodeDate(y1, m1, d1), EncodeDate(y2, m2, d2), games};
}

QComboBox* CountCombo(QTableWidget* list, int row) {
    return qobject_cast<QComboBox*>(list->cellWidget(row, 1));
}

/// Sets the period dialog's fields and presses OK.
void AnswerPeriod(TFormEditMandatoryDatesDialog& dialog, const TPlanMandatoryTime& period) {
    dialog.DateTimePicker1->setDate(ToQDate(period.DateFrom));
    dialog.DateTimePicker2->setDate(ToQDate(period.DateTo));
    SelectComboText(dialog.ComboBox1, QString::number(period.GameCount));
    dialog.ButtonOK->click();
}

} // namespace

TEST(FreeDaysPage, ShowsWritesAndRestoresTheGameFreeDaysOfTheOfferedDays) {
    const auto defaults = ExampleImport();
    TPlanData data;
    data.assign(*defaults);
    std::vector<TDateTime> offered;
    data.getAllPossibleDates(offered);
    const std::vector<TDateTime> shownFree = FreeDaysAmong(GetFreeDays(data), offered);
    ASSERT_FALSE(shownFree.empty());

    THostedPage<TDialogPanelFreeDays> page(data, defaults.get());
    EXPECT_EQ(page->windowTitle(), "Spielfreie Tage");
    EXPECT_EQ(page->LabelText->text(), "An diesen Tagen sollen keine Spiele stattfinden:");
    EXPECT_EQ(page->CheckListBoxDays->count(), static_cast<int>(offered.size()));
    EXPECT_EQ(page->checkedDays(), shownFree);
    EXPECT_EQ(page.changes, 0);
    EXPECT_TRUE(page->isDefault());

    // A free day is unchecked, an offered day checked: each a change.
    DayItem(page->CheckListBoxDays, shownFree.front())->setCheckState(Qt::Unchecked);
    const auto other = std::find_if(offered.begin(), offered.end(), [&](TDateTime day) {
        return std::find(shownFree.begin(), shownFree.end(), day) == shownFree.end();
    });
    DayItem(page->CheckListBoxDays, *other)->setCheckState(Qt::Checked);
    EXPECT_EQ(page.changes, 2);
    EXPECT_FALSE(page->isDefault());
    page->FormToData();
    std::vector<TDateTime> expected(shownFree.begin() + 1, shownFree.end());
    expected.push_back(*other);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(GetFreeDays(data), expected);

    // Read back by a new page, then restored from the import.
    THostedPage<TDialogPanelFreeDays> again(data, defaults.get());
    EXPECT_EQ(again->checkedDays(), expected);
    again->toDefault();
    EXPECT_TRUE(again->isDefault());
    again->FormToData();
    EXPECT_EQ(GetFreeDays(data), shownFree);
}

TEST(FreeDaysPage, AGameFreeDayNoTeamOffersDisappearsOnWrite) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    std::vector<TDateTime> offered;
    data.getAllPossibleDates(offered);
    const TDateTime nobodysDay = offered.front() - 1.0;
    std::vector<TDateTime> free = GetFreeDays(data);
    free.push_back(nobodysDay);
    SetFreeDays(data, free);

    THostedPage<TDialogPanelFreeDays> page(data, nullptr);
    EXPECT_EQ(DayItem(page->CheckListBoxDays, nobodysDay), nullptr);
    EXPECT_TRUE(page->isDefault()); // no import: nothing to restore
    page->FormToData();
    const std::vector<TDateTime> written = GetFreeDays(data);
    EXPECT_EQ(std::count(written.begin(), written.end(), nobodysDay), 0);
    EXPECT_EQ(written, FreeDaysAmong(free, offered));
}

TEST(MandatoryDaysPage, ListsSortedPeriodsWritesThemAndComparesWithTheImport) {
    const auto defaults = ExampleImport();
    TPlanData data;
    data.assign(*ExamplePlanFile());
    // Stored out of order with a count the drop-down does not offer.
    TPlanMandatoryTimeList stored = ReadMandatoryPeriods(data);
    ASSERT_EQ(stored.size(), 2U);
    std::reverse(stored.begin(), stored.end());
    stored.push_back(Period(2026, 12, 7, 2026, 12, 7, 12));
    WriteMandatoryPeriods(data, stored);

    THostedPage<TDialogPanelMandatoryDays> page(data, defaults.get());
    EXPECT_EQ(page->windowTitle(), "Plichtspieltage");
    EXPECT_EQ(page->LabelText->text(),
              "In diesen Zeiträumen müssen die Mannschaften mindestens eine bestimmte "
              "Anzahl Spiele machen\n(Maus rechts für Löschen und Hinzufügen)");
    QTableWidget* list = page->ValueListMandatory;
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 0)->text(), "Mo 07.12.2026 - Mo 07.12.2026");
    EXPECT_EQ(list->item(1, 0)->text(), "Mo 07.12.2026 - So 13.12.2026");
    EXPECT_EQ(list->item(2, 0)->text(), "Mo 19.04.2027 - So 25.04.2027");
    EXPECT_EQ(CountCombo(list, 0)->currentText(), "12");
    EXPECT_EQ(CountCombo(list, 1)->count(), 10);
    EXPECT_EQ(page.changes, 0);
    EXPECT_FALSE(page->isDefault());

    page->FormToData();
    TPlanMandatoryTimeList sorted = stored;
    sorted.Sort();
    const TPlanMandatoryTimeList written = ReadMandatoryPeriods(data);
    ASSERT_EQ(written.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(written[i].IsTheSame(sorted[i])) << i;
    }

    // Deleting asks nothing; then the same periods as the import.
    list->selectRow(0);
    page->DeleteClick();
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(page.changes, 1);
    // The count chosen in the list is a change and is written.
    SelectComboText(CountCombo(list, 1), "3");
    EXPECT_EQ(page.changes, 2);
    EXPECT_FALSE(page->isDefault());
    page->FormToData();
    EXPECT_EQ(ReadMandatoryPeriods(data)[1].GameCount, 3);
    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(CountCombo(list, 1)->currentText(), "1");
}

TEST(MandatoryDaysPage, PopupAddsEditsAndDeletesPeriods) {
    TPlanData data;
    data.assign(*ExamplePlanFile());
    WriteMandatoryPeriods(data, {});
    TRecordedMessages messages;
    THostedPage<TDialogPanelMandatoryDays> page(data, nullptr);
    QTableWidget* list = page->ValueListMandatory;
    page.host.resize(800, 600);
    page.host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page.host));
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), "Keine Pflichtspieltermine vorhanden");

    // Right click on the empty list: only "Neu..." can be used.
    emit list->customContextMenuRequested(list->visualItemRect(list->item(0, 0)).center());
    EXPECT_TRUE(page->MenuNew->isEnabled());
    EXPECT_FALSE(page->MenuEdit->isEnabled());
    EXPECT_FALSE(page->MenuDelete->isEnabled());
    page->PopupMenu->close();

    // "Neu..." starts today to today with one game.
    TPlanMandatoryTime offered;
    ScriptModals<TFormEditMandatoryDatesDialog>({[&](TFormEditMandatoryDatesDialog& dialog) {
        offered = dialog.GetValues();
        AnswerPeriod(dialog, Period(2027, 4, 24, 2027, 4, 25, 2));
    }});
    page->MenuNew->trigger();
    const int today = DayNumber(FromQDate(QDate::currentDate()));
    EXPECT_TRUE(
        offered.IsTheSame(TPlanMandatoryTime{static_cast<double>(today), static_cast<double>(today), 1}));
    ScriptModals<TFormEditMandatoryDatesDialog>({[&](TFormEditMandatoryDatesDialog& dialog) {
        AnswerPeriod(dialog, Period(2027, 4, 17, 2027, 4, 17, 1));
    }});
    page->NewClick();
    ASSERT_EQ(page->periods().size(), 2U);
    EXPECT_EQ(list->item(0, 0)->text(), "Sa 17.04.2027 - Sa 17.04.2027");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(page.changes, 2);

    // Editing the second period from its popup (also from its drop-down); Cancel changes nothing.
    list->selectRow(0);
    emit CountCombo(list, 1)->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(page->MenuEdit->isEnabled());
    page->PopupMenu->close();
    ScriptModals<TFormEditMandatoryDatesDialog>({[&](TFormEditMandatoryDatesDialog& dialog) {
        EXPECT_EQ(dialog.DateTimePicker1->date(), QDate(2027, 4, 24));
        EXPECT_EQ(dialog.ComboBox1->currentText(), "2");
        dialog.ButtonCancel->click();
    }});
    page->MenuEdit->trigger();
    EXPECT_EQ(page.changes, 2);
    ScriptModals<TFormEditMandatoryDatesDialog>({[&](TFormEditMandatoryDatesDialog& dialog) {
        AnswerPeriod(dialog, Period(2027, 4, 10, 2027, 4, 11, 4));
    }});
    page->EditClick();
    EXPECT_EQ(list->item(0, 0)->text(), "Sa 10.04.2027 - So 11.04.2027");
    EXPECT_EQ(CountCombo(list, 0)->currentText(), "4");
    EXPECT_EQ(list->currentRow(), 0);

    page->MenuDelete->trigger();
    page->FormToData();
    const TPlanMandatoryTimeList written = ReadMandatoryPeriods(data);
    ASSERT_EQ(written.size(), 1U);
    EXPECT_TRUE(written[0].IsTheSame(Period(2027, 4, 17, 2027, 4, 17, 1)));
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_TRUE(messages.Questions.empty());
}

TEST(MandatoryPeriodDialog, RefusesAnEndBeforeTheStartAndAcceptsTheSameDay) {
    TRecordedMessages messages;
    TFormEditMandatoryDatesDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Pflichtspieltag");
    EXPECT_EQ(dialog.ComboBox1->count(), 10);
    EXPECT_EQ(dialog.ButtonCancel->text(), "Abbrechen");
    bool accepted = false;
    QObject::connect(&dialog, &QDialog::accepted, [&] { accepted = true; });

    // A count outside 1 to 10 selects nothing and is kept.
    dialog.SetValues(Period(2027, 4, 24, 2027, 4, 23, 12));
    EXPECT_EQ(dialog.ComboBox1->currentIndex(), -1);
    dialog.ButtonOKClick();
    EXPECT_FALSE(accepted);
    ASSERT_EQ(messages.Messages.size(), 1U);
    EXPECT_EQ(messages.Messages[0], "Das \"bis\" Datum darf nicht kleiner als das \"von\" Datum sein");

    dialog.DateTimePicker2->setDate(QDate(2027, 4, 24));
    dialog.ButtonOKClick();
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(dialog.GetValues().IsTheSame(Period(2027, 4, 24, 2027, 4, 24, 12)));
    EXPECT_EQ(messages.Messages.size(), 1U);

    // EditMandatoryTime hands back whole days and the chosen count only on OK.
    TPlanMandatoryTime period{EncodeDate(2027, 4, 3) + 0.5, EncodeDate(2027, 4, 4) + 0.5, 1};
    ScriptModals<TFormEditMandatoryDatesDialog>({[](TFormEditMandatoryDatesDialog& d) {
        SelectComboText(d.ComboBox1, "5");
        d.ButtonOK->click();
    }});
    ASSERT_TRUE(EditMandatoryTime(nullptr, period));
    EXPECT_TRUE(period.IsTheSame(Period(2027, 4, 3, 2027, 4, 4, 5)));
    ScriptModals<TFormEditMandatoryDatesDialog>({[](TFormEditMandatoryDatesDialog& d) {
        SelectComboText(d.ComboBox1, "7");
        d.ButtonCancel->click();
    }});
    EXPECT_FALSE(EditMandatoryTime(nullptr, period));
    EXPECT_EQ(period.GameCount, 5);
}
