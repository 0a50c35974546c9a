// The pages "Ligadaten", "Mannschaften" and "Setzliste" on the example: round trips, their checks
// and messages, the team dialog's conflicts that reopen it with the entered values, and their
// default handling against the import.

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "EntryTestUtil.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogPanelMainData.h"
#include "app/entry/DialogPanelRanking.h"
#include "app/entry/DialogPanelTeams.h"
#include "data/DataObject.h"
#include "data/Ranking.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// A page opened as a host opens it, on its own copy of `source`.
template <typename TPage> struct TOpenPage {
    TOpenPage(const TPlanData& source, const TPlanData* defaults) {
        Data.assign(source);
        Page.setPlanData(&Data, defaults);
        Page.DataToForm();
        Page.OnChange = [this] { ++Changes; };
    }
    TPlanData Data;
    TPage Page;
    int Changes = 0;
};

std::vector<std::string> ListTexts(const QListWidget* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.push_back(list->item(i)->text().toStdString());
    }
    return texts;
}

void FillTeamDialog(TFormEditTeamName& d, const char* name, const char* id, const char* club, int number) {
    d.EditTeamName->setText(name);
    d.EditTeamId->setText(id);
    d.EditClubId->setText(club);
    d.SpinEditTeamNumber->setValue(number);
}

} // namespace

TEST(EntryPages, MainDataRoundTripChecksAndDefault) {
    TRecordedMessages messages;
    const auto imported = ExampleImport();
    TOpenPage<TDialogPanelMainData> p(*imported, imported.get());
    const TDataObject& root = imported->root();
    EXPECT_EQ(p.Page.EditName->text().toStdString(), root.GetAsString("name"));
    EXPECT_EQ(p.Page.ComboBoxGender->currentText().toStdString(), root.GetAsString("gender"));
    EXPECT_EQ(p.Changes, 0) << "filling the controls is no change";
    p.Page.FormToData();
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&p.Data.root(), &root)) << "round trip";
    EXPECT_TRUE(p.Page.isDefault());

    // Every check, the first failing one wins.
    auto check = [&](const char* expected) {
        messages.Messages.clear();
        EXPECT_FALSE(p.Page.CheckData());
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0], expected);
    };
    p.Page.EditName->setText("  ");
    check("Der Liganame darf nicht leer sein");
    EXPECT_GT(p.Changes, 0);
    EXPECT_FALSE(p.Page.isDefault());
    p.Page.EditName->setText("Liga");
    p.Page.EditId->setText(" ");
    check("Die Liganummer darf nicht leer sein");
    p.Page.EditId->setText("7");
    p.Page.ComboBoxGender->setEditText("");
    check("Die Art (Herren/Damen) darf nicht leer sein");
    SelectComboText(p.Page.ComboBoxGender, "Damen");
    EXPECT_EQ(GetComboText(p.Page.ComboBoxGender).toStdString(), "Damen");
    p.Page.DateTimePickerFrom->setDate(QDate(2024, 8, 1));
    p.Page.DateTimePickerMid->setDate(QDate(2025, 1, 6));
    p.Page.DateTimePickerUntil->setDate(QDate(2025, 1, 6));
    check("Das Ende der Rückrunde muss nach dem Start der Rückrunde sein");
    p.Page.DateTimePickerUntil->setDate(QDate(2025, 4, 30));
    p.Page.DateTimePickerFrom->setDate(QDate(2025, 1, 6));
    check("Der Start der Rückrunde muss nach dem Start der Vorrunde sein");
    p.Page.DateTimePickerFrom->setDate(QDate(2024, 8, 1));
    messages.Messages.clear();
    EXPECT_TRUE(p.Page.CheckData());
    p.Page.FormToData();
    EXPECT_EQ(p.Data.root().GetAsString("from"), "01.08.2024");
    EXPECT_EQ(p.Data.root().GetAsString("gender"), "Damen");

    p.Page.toDefault();
    EXPECT_TRUE(p.Page.isDefault());
    EXPECT_EQ(p.Page.EditName->text().toStdString(), root.GetAsString("name"));

    // No data yet: a season starting this year.
    TPlanData empty;
    TOpenPage<TDialogPanelMainData> fresh(empty, nullptr);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(fresh.Page.DateTimePickerFrom->date(), QDate(year, 7, 1));
    EXPECT_EQ(fresh.Page.DateTimePickerMid->date(), QDate(year, 12, 30));
    EXPECT_EQ(fresh.Page.DateTimePickerUntil->date(), QDate(year + 1, 5, 1));
    EXPECT_EQ(fresh.Page.ComboBoxGender->count(), 17);
}

TEST(EntryPages, TeamsDialogChecksConflictsRenameDeleteAndDefault) {
    TRecordedMessages messages;
    const auto imported = ExampleImport();
    TOpenPage<TDialogPanelTeams> p(*imported, imported.get());
    std::vector<std::string> names;
    imported->getTeamNames(names);
    EXPECT_EQ(ListTexts(p.Page.ListBoxTeams), names);
    EXPECT_FALSE(p.Page.ButtonEdit->isEnabled());
    EXPECT_FALSE(p.Page.ButtonDelete->isEnabled());
    EXPECT_TRUE(p.Page.isDefault());
    const TDataObject* first = imported->root().NamedChilds("team").front();
    const std::string takenId = first->GetAsString("teamid");

    // New: the empty-value checks keep the dialog open; a taken ID shows its message and the
    // dialog opens again with the entered values; then a valid team is appended.
    std::string reopenedName;
    std::string reopenedId;
    ScriptModals<TFormEditTeamName>({
        [&](TFormEditTeamName& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), "Mannschaft");
            d.ButtonOK->click();
            d.EditTeamName->setText("TTC Neu");
            d.ButtonOK->click();
            d.EditTeamId->setText(QString::fromStdString(takenId));
            d.ButtonOK->click();
            d.EditClubId->setText("999");
            d.SpinEditTeamNumber->setValue(3);
            SelectComboText(d.ComboBoxLocation, "2");
            d.ButtonOK->click();
        },
        [&](TFormEditTeamName& d) {
            reopenedName = d.EditTeamName->text().toStdString();
            reopenedId = d.EditTeamId->text().toStdString();
            EXPECT_EQ(d.SpinEditTeamNumber->value(), 3);
            EXPECT_EQ(GetComboText(d.ComboBoxLocation).toStdString(), "2");
            d.EditTeamId->setText("NEU-1");
            d.ButtonOK->click();
        },
    });
    p.Page.ButtonNew->click();
    EXPECT_EQ(messages.Messages, (std::vector<std::string>{"Der Mannschaftsname darf nicht leer sein",
                                                           "Die Mannschafts-ID darf nicht leer sein",
                                                           "Die Vereins-ID darf nicht leer sein",
                                                           "Mannschafts-ID ist nicht eindeutig"}));
    EXPECT_EQ(reopenedName, "TTC Neu");
    EXPECT_EQ(reopenedId, takenId);
    const TDataObject* added = p.Data.root().NamedChilds("team").back();
    EXPECT_EQ(added->GetAsString("teamname"), "TTC Neu");
    EXPECT_EQ(added->GetAsString("teamid"), "NEU-1");
    EXPECT_EQ(added->GetAsString("clubid"), "999");
    EXPECT_EQ(added->GetAsInt("teamnumber"), 3);
    EXPECT_EQ(added->GetAsString("location"), "2");
    EXPECT_EQ(p.Page.selectedTeam(), "TTC Neu");
    EXPECT_FALSE(p.Page.isDefault());
    EXPECT_GT(p.Changes, 0);

    // Edit: the same club and number as another team is refused, then renaming keeps the first name.
    messages.Messages.clear();
    ScriptModals<TFormEditTeamName>({
        [&](TFormEditTeamName& d) {
            EXPECT_EQ(d.EditTeamName->text().toStdString(), "TTC Neu");
            FillTeamDialog(d, "TTC Neu", "NEU-1", first->GetAsString("clubid").c_str(),
                           first->GetAsInt("teamnumber"));
            d.ButtonOK->click();
        },
        [&](TFormEditTeamName& d) {
            FillTeamDialog(d, first->GetAsString("teamname").c_str(), "NEU-1", "999", 3);
            d.ButtonOK->click();
        },
        [&](TFormEditTeamName& d) {
            FillTeamDialog(d, "TTC Neu II", "NEU-1", "999", 3);
            d.ButtonOK->click();
        },
    });
    p.Page.ButtonEdit->click();
    EXPECT_EQ(messages.Messages,
              (std::vector<std::string>{"Zu diesem Verein gibt es schon eine Mannschaft mit "
                                        "dieser Nummer",
                                        "Mannschaftsname ist nicht eindeutig"}));
    EXPECT_EQ(added->GetAsString("teamname"), "TTC Neu II");
    EXPECT_EQ(added->GetAsString("orgteamname"), "TTC Neu");

    // Delete asks first; "Nein" keeps the team.
    const std::string victim = names[1];
    p.Page.ListBoxTeams->setCurrentRow(1);
    messages.Answer = false;
    p.Page.ButtonDelete->click();
    EXPECT_EQ(messages.Questions.back(), "Möchten Sie die Mannschaft " + victim + " wirklich löschen?");
    EXPECT_EQ(p.Data.root().NamedChilds("team").size(), names.size() + 1);
    messages.Answer = true;
    p.Page.ButtonDelete->click();
    EXPECT_EQ(p.Data.root().NamedChilds("team").size(), names.size());

    // "Standard wiederherstellen": the import's teams again.
    p.Page.toDefault();
    EXPECT_TRUE(p.Page.isDefault());
    EXPECT_EQ(ListTexts(p.Page.ListBoxTeams), names);
    TOpenPage<TDialogPanelTeams> own(p.Data, nullptr);
    EXPECT_TRUE(own.Page.isDefault()) << "without default data there is nothing to restore";
}

TEST(EntryPages, RankingMovesDragAndDefault) {
    const auto imported = ExampleImport();
    TOpenPage<TDialogPanelRanking> p(*imported, imported.get());
    const std::vector<std::string> initial = ReadRanking(*imported).Teams;
    EXPECT_EQ(ListTexts(p.Page.ListBoxRanking), initial);
    EXPECT_EQ(p.Page.ListBoxRanking->currentRow(), 0);
    EXPECT_FALSE(p.Page.ButtonUp->isEnabled());
    EXPECT_TRUE(p.Page.ButtonDown->isEnabled());
    EXPECT_EQ(p.Page.isDefault(), !ReadRanking(*imported).Active);

    p.Page.CheckBoxActive->setChecked(true);
    EXPECT_FALSE(p.Page.isDefault());
    p.Page.ButtonDown->click();
    EXPECT_EQ(p.Page.ListBoxRanking->currentRow(), 1);
    EXPECT_TRUE(p.Page.ButtonUp->isEnabled());
    // A move inside the model, as a drop does it: the last team to the top.
    const int last = p.Page.ListBoxRanking->count() - 1;
    const int changes = p.Changes;
    p.Page.ListBoxRanking->model()->moveRow(QModelIndex(), last, QModelIndex(), 0);
    EXPECT_GT(p.Changes, changes);
    std::vector<std::string> expected = initial;
    std::swap(expected[0], expected[1]);
    expected.insert(expected.begin(), expected.back());
    expected.pop_back();
    EXPECT_EQ(ListTexts(p.Page.ListBoxRanking), expected);

    p.Page.FormToData();
    const TRankingList written = ReadRanking(p.Data);
    EXPECT_TRUE(written.Active);
    EXPECT_EQ(written.Teams, expected);
    TOpenPage<TDialogPanelRanking> reread(p.Data, imported.get());
    EXPECT_EQ(ListTexts(reread.Page.ListBoxRanking), expected) << "round trip";

    p.Page.toDefault();
    EXPECT_TRUE(p.Page.isDefault());
    EXPECT_FALSE(p.Page.CheckBoxActive->isChecked());
}
