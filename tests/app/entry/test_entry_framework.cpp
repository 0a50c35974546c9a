// The data dialog's framework with the division-wide pages: page switching writes back first,
// checks block leaving a page and OK, Cancel leaves the caller's data alone, "Standard
// wiederherstellen" follows the default data, per-team pages share the team selected last.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "EntryTestUtil.h"
#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "app/entry/DialogForSinglePanel.h"
#include "app/entry/DialogPanelLocationsCompact.h"
#include "app/entry/DialogPanelMainData.h"
#include "app/entry/DialogPanelMultiTeams.h"
#include "app/entry/DialogPanelRanking.h"
#include "app/entry/DialogPanelTeams.h"
#include "data/DataObject.h"
#include "data/TeamEdit.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// A per-team page whose detail page shows the team's `location` in a line edit.
class TTestTeamDetail : public TDialogTeamPanel {
public:
    TTestTeamDetail() { Edit = new QLineEdit(PanelMain); }
    void DataToForm() override { Edit->setText(Qs(Team().GetAsString("location"))); }
    void FormToData() override { Team().SetAsString("location", Ss(Edit->text())); }
    bool CheckData() override { return Edit->text() != "x"; }
    TDataObject& Team() {
        for (TDataObject* team : PlanData->root().NamedChilds("team")) {
            if (team->GetAsString("teamname") == TeamName) {
                return *team;
            }
        }
        throw std::runtime_error("no team");
    }
    QLineEdit* Edit;
};

class TTestTeamPage : public TDialogPanelMultiTeams {
public:
    std::unique_ptr<TDialogTeamPanel> getDialogClass() const override {
        return std::make_unique<TTestTeamDetail>();
    }
    QString getCaption() const override { return "Testseite"; }
    QString getHeaderText() const override { return "Kopf"; }
    TTestTeamDetail* Detail() const { return static_cast<TTestTeamDetail*>(DialogPanel.get()); }
};

std::vector<TDialogPanelClass> TestPages() {
    return {PageClass<TDialogPanelMainData>(), PageClass<TDialogPanelTeams>(),
            PageClass<TDialogPanelRanking>(), PageClass<TTestTeamPage>()};
}

std::vector<std::string> TeamNames(const TPlanData& data) {
    std::vector<std::string> names;
    data.getTeamNames(names);
    return names;
}

} // namespace

TEST(EntryFramework, PagesSwitchingCancelAndDefaultButton) {
    TRecordedMessages messages;
    const auto imported = ExampleImport();
    TPlanData caller;
    caller.assign(*imported);
    const std::string before = caller.SaveToXMLText();

    TDialogForMultiplePanel dialog;
    dialog.SetValues(caller, imported.get(), TestPages());
    ASSERT_EQ(dialog.TreeView->topLevelItemCount(), 4);
    EXPECT_EQ(dialog.TreeView->topLevelItem(0)->text(0).toStdString(), "Ligadaten");
    EXPECT_EQ(dialog.TreeView->topLevelItem(3)->text(0).toStdString(), "Testseite");
    EXPECT_EQ(dialog.currentPage(), 0);
    EXPECT_FALSE(dialog.ButtonToStandard->isHidden());
    EXPECT_FALSE(dialog.ButtonToStandard->isEnabled()) << "the import is the default";

    // An edit enables "Standard wiederherstellen", which restores the import.
    auto* main = static_cast<TDialogPanelMainData*>(dialog.DialogPanel.get());
    main->EditName->setText("Andere Liga");
    EXPECT_TRUE(dialog.ButtonToStandard->isEnabled());
    dialog.ButtonToStandard->click();
    EXPECT_EQ(main->EditName->text().toStdString(), imported->root().GetAsString("name"));
    EXPECT_FALSE(dialog.ButtonToStandard->isEnabled());

    // A failing check keeps the user on the page, for the tree and for OK.
    main->EditName->setText(" ");
    EXPECT_FALSE(dialog.SelectPage(1));
    EXPECT_EQ(dialog.currentPage(), 0);
    EXPECT_EQ(dialog.TreeView->currentItem(), dialog.TreeView->topLevelItem(0));
    dialog.ButtonOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(messages.Messages, (std::vector<std::string>{"Der Liganame darf nicht leer sein",
                                                           "Der Liganame darf nicht leer sein"}));
    main->EditName->setText("Geänderte Liga");

    // A team added on "Mannschaften" shows on the next per-team page: the page wrote back first.
    ASSERT_TRUE(dialog.SelectPage(1));
    EXPECT_EQ(dialog.getPlanData().root().GetAsString("name"), "Geänderte Liga");
    auto* teams = static_cast<TDialogPanelTeams*>(dialog.DialogPanel.get());
    ScriptModals<TFormEditTeamName>({[](TFormEditTeamName& d) {
        d.EditTeamName->setText("AAA Neu");
        d.EditTeamId->setText("N1");
        d.EditClubId->setText("NC");
        d.ButtonOK->click();
    }});
    teams->ButtonNew->click();
    EXPECT_TRUE(dialog.ButtonToStandard->isEnabled());
    ASSERT_TRUE(dialog.SelectPage(2));
    auto* ranking = static_cast<TDialogPanelRanking*>(dialog.DialogPanel.get());
    ranking->CheckBoxActive->setChecked(true);
    ASSERT_TRUE(dialog.SelectPage(3));
    auto* perTeam = static_cast<TTestTeamPage*>(dialog.DialogPanel.get());
    EXPECT_EQ(perTeam->TreeView->topLevelItem(0)->text(0).toStdString(), "AAA Neu");
    EXPECT_EQ(perTeam->PanelHeader->text().toStdString(), "AAA Neu / Testseite");
    EXPECT_EQ(perTeam->LabelHeaderText->text().toStdString(), "Kopf");

    // Cancel: nothing reached the caller's data.
    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(caller.SaveToXMLText(), before);
    // The edits were all in the dialog's copy.
    EXPECT_EQ(dialog.getPlanData().root().GetAsString("name"), "Geänderte Liga");
    EXPECT_TRUE(dialog.getPlanData().root().FindChild("ranking")->GetAsBool("active"));
    EXPECT_EQ(TeamNames(dialog.getPlanData()).front(), "AAA Neu");
}

TEST(EntryFramework, OwnFileHidesDefaultButtonAndOkWritesOpenPage) {
    TRecordedMessages messages;
    const auto own = ExamplePlanFile();
    TDialogForMultiplePanel dialog;
    dialog.SetValues(*own, nullptr, DataEntryPages());
    ASSERT_EQ(dialog.TreeView->topLevelItemCount(), 13);
    const std::vector<std::string> captions = {"Ligadaten",
                                               "Mannschaften",
                                               "Setzliste",
                                               "Spiellokale (Kompaktansicht)",
                                               "Heimkoppel/Doppelspieltage (Kompakt)",
                                               "Auswärtskoppeltermine",
                                               "Wunschtermine",
                                               "Spiele der Nachbarmannschaften",
                                               "60km Regel",
                                               "Spielfreie Tage",
                                               "Plichtspieltage",
                                               "Manuell festgelegte Begegnungen",
                                               "Heimrecht"};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(dialog.TreeView->topLevelItem(i)->text(0).toStdString(),
                  captions[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(dialog.SelectPage(i)) << captions[static_cast<std::size_t>(i)];
        EXPECT_TRUE(dialog.ButtonToStandard->isHidden()) << captions[static_cast<std::size_t>(i)];
    }
    ASSERT_TRUE(dialog.SelectPage(3));
    EXPECT_NE(qobject_cast<TDialogPanelLocationsCompact*>(dialog.DialogPanel.get()), nullptr);
    ASSERT_TRUE(dialog.SelectPage(0));
    static_cast<TDialogPanelMainData*>(dialog.DialogPanel.get())->EditId->setText("42");
    dialog.ButtonOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.getPlanData().root().GetAsString("id"), "42");
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(EntryFramework, PerTeamPagesShareLastTeamAndBlockLeavingATeam) {
    TRecordedMessages messages;
    const auto data = ExamplePlanFile();
    const std::vector<std::string> names = TeamNames(*data);
    ASSERT_GE(names.size(), 3u);
    TDialogForMultiplePanel dialog;
    dialog.SetValues(*data, nullptr, {PageClass<TTestTeamPage>(), PageClass<TTestTeamPage>()});
    auto* page = static_cast<TTestTeamPage*>(dialog.DialogPanel.get());
    ASSERT_TRUE(page->SelectTeam(names[2]));
    page->Detail()->Edit->setText("3");
    page->Detail()->Edit->setText("x");
    EXPECT_FALSE(page->SelectTeam(names[1])) << "the detail page's check fails";
    EXPECT_EQ(page->currentTeam(), names[2]);
    page->Detail()->Edit->setText("4");

    // The other per-team page opens on the team selected last; the first page wrote its team back.
    ASSERT_TRUE(dialog.SelectPage(1));
    page = static_cast<TTestTeamPage*>(dialog.DialogPanel.get());
    EXPECT_EQ(page->currentTeam(), names[2]);
    EXPECT_EQ(page->Detail()->Edit->text().toStdString(), "4");

    // The single host writes without checking and takes the page's caption.
    TDialogForSinglePanel single;
    single.SetValues(*data, data.get(), PageClass<TTestTeamPage>());
    EXPECT_EQ(single.windowTitle().toStdString(), "Testseite");
    EXPECT_FALSE(single.ButtonToStandard->isEnabled());
    static_cast<TTestTeamPage*>(single.DialogPanel.get())->Detail()->Edit->setText("x");
    single.ButtonOK->click();
    EXPECT_EQ(single.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.Messages.empty());
}
