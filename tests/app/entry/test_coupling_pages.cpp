// The per-team pages "Spiellokale (Kompaktansicht)", "Heimkoppel/Doppelspieltage (Kompakt)",
// "Auswärtskoppeltermine" (with "Auswärtskoppelwunsch") and "Spiele der Nachbarmannschaften"
// (with "Nachbarmannschaft" and its "Begegnung"), on the example export.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include "EntryTestUtil.h"
#include "HostedPage.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogEditSisterTeam.h"
#include "app/entry/DialogPanelAuswaertskoppel.h"
#include "app/entry/DialogPanelHomeCoupleCompact.h"
#include "app/entry/DialogPanelLocationsCompact.h"
#include "app/entry/DialogPanelSisterTeams.h"
#include "app/entry/ValueList.h"
#include "data/AwayCouple.h"
#include "data/PlanTeams.h"
#include "data/SisterTeams.h"

using namespace terminor;
using namespace terminor::test;

namespace {

const std::string Altena = "TTC Blau-Weiß Altena";
const std::string Neheim = "TTV Neheim";
const std::string Menden = "TTF Menden";
const std::string Hennen = "SC Hennen";

/// The import of the example and a working copy of it, as the data dialog gets them.
struct TExample {
    TExample() : defaults(ExampleImport()) { data.assign(*defaults); }
    std::unique_ptr<TPlanData> defaults;
    TPlanData data;
};

/// Opens the per-team pages on that team and restores the team selected last afterwards.
struct TSelectedTeam {
    explicit TSelectedTeam(const std::string& name) : Saved(TDialogPanelMultiTeams::LastSelectedTeam()) {
        TDialogPanelMultiTeams::LastSelectedTeam() = name;
    }
    ~TSelectedTeam() { TDialogPanelMultiTeams::LastSelectedTeam() = Saved; }
    TSelectedTeam(const TSelectedTeam&) = delete;
    TSelectedTeam& operator=(const TSelectedTeam&) = delete;
    std::string Saved;
};

template <typename TDetail, typename TPage> TDetail* Detail(THostedPage<TPage>& page) {
    auto* detail = qobject_cast<TDetail*>(page->DialogPanel.get());
    EXPECT_NE(detail, nullptr);
    return detail;
}

int RowOf(const QTableWidget* list, const QString& key) {
    for (int row = 0; row < list->rowCount(); ++row) {
        if (list->item(row, 0)->text() == key) {
            return row;
        }
    }
    return -1;
}

QStringList Keys(const QTableWidget* list) {
    QStringList keys;
    for (int row = 0; row < list->rowCount(); ++row) {
        keys << list->item(row, 0)->text();
    }
    return keys;
}

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

/// The team's home date at that time; a record without date when there is none.
THomeDay HomeDayAt(const TPlanData& data, const std::string& team, TDateTime when) {
    THomeDayList days;
    data.GetHomeDays(team, days);
    for (const THomeDay& day : days) {
        if (day.Date == when) {
            return day;
        }
    }
    THomeDay none;
    none.NoDate = true;
    return none;
}

TDateTime At(int y, int m, int d, int h, int min = 0) {
    return EncodeDate(y, m, d) + EncodeTime(h, min);
}

TDataObject* Sister(const TPlanData& data, const std::string& team, int index) {
    return FindTeamElement(data, team)->NamedChilds("sisterteam")[static_cast<std::size_t>(index)];
}

} // namespace

TEST(LocationsPage, HallsOfTeamHomeDatesAndSisterTeamsRoundTripAndDefault) {
    TExample example;
    const TSelectedTeam selected(Neheim);
    THostedPage<TDialogPanelLocationsCompact> page(example.data, example.defaults.get());
    EXPECT_EQ(page->windowTitle(), "Spiellokale (Kompaktansicht)");
    EXPECT_FALSE(page->PanelFixedHeaderText->isVisibleTo(&page.host));
    auto* detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    EXPECT_EQ(detail->LabelSisterTeams->text(),
              "Spiellokale der Nachbarmannschaften (Doppelklick um einzelne Spieltermine zu bearbeiten):");
    EXPECT_EQ(Items(detail->ComboBoxLocation), (QStringList{"", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(detail->ValueListHomeDays->rowCount(), 20);
    EXPECT_EQ(detail->ValueListHomeDays->item(0, 0)->text(), "Sa 05.09.2026");
    // Sorted by key: the women's team before the men's third team.
    EXPECT_EQ(Keys(detail->ValueListSisterTeams),
              (QStringList{"(Damen) TTV Neheim", "(Herren) TTV Neheim III"}));
    EXPECT_TRUE(page->isDefault());

    const int opened = page.changes;
    SelectComboText(detail->ComboBoxLocation, "2");
    EXPECT_FALSE(page->isDefault()); // a default hall alone is no default
    SelectComboText(ValueAt<QComboBox>(detail->ValueListHomeDays, 0), "2");
    SelectComboText(ValueAt<QComboBox>(detail->ValueListHomeDays, 1), "3");
    SelectComboText(ValueAt<QComboBox>(detail->ValueListSisterTeams, 0), "1");
    EXPECT_EQ(page.changes, opened + 4);
    ASSERT_TRUE(page->SelectTeam(Altena)); // leaving the team writes it
    EXPECT_EQ(FindTeamElement(example.data, Neheim)->GetAsString("location"), "2");
    EXPECT_EQ(HomeDayAt(example.data, Neheim, At(2026, 9, 5, 18, 30)).Location, "2");
    EXPECT_EQ(HomeDayAt(example.data, Neheim, At(2026, 9, 12, 18, 30)).Location, "3");
    EXPECT_EQ(Sister(example.data, Neheim, 1)->GetAsString("location"), "1"); // (Damen) is the second
    ASSERT_TRUE(page->SelectTeam(Neheim));
    detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    EXPECT_EQ(GetComboText(ValueAt<QComboBox>(detail->ValueListHomeDays, 1)), "3");
    EXPECT_EQ(GetComboText(ValueAt<QComboBox>(detail->ValueListSisterTeams, 0)), "1");

    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(FindTeamElement(example.data, Neheim)->GetAsString("location"), "");
    EXPECT_EQ(HomeDayAt(example.data, Neheim, At(2026, 9, 12, 18, 30)).Location, "");
    EXPECT_EQ(Sister(example.data, Neheim, 1)->GetAsString("location"), "");

    // A team without sister teams, and a new one without home dates.
    ASSERT_TRUE(page->SelectTeam(Hennen));
    detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    EXPECT_EQ(Keys(detail->ValueListSisterTeams), QStringList{"Keine Nachbarmannschaften vorhanden"});
    example.data.root().addChild("team").SetAsString("teamname", "AAA Neu");
    page->DataToForm();
    ASSERT_TRUE(page->SelectTeam("AAA Neu"));
    detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    EXPECT_EQ(Keys(detail->ValueListHomeDays), QStringList{"Keine Wunschtermine vorhanden"});
    EXPECT_TRUE(page->isDefault());
    page->FormToData();
}

TEST(LocationsPage, DoubleClickOnSisterTeamOpensItsDialogAfterWritingThePage) {
    TExample example;
    TRecordedMessages messages;
    const TSelectedTeam selected(Neheim);
    THostedPage<TDialogPanelLocationsCompact> page(example.data, example.defaults.get());
    auto* detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    SelectComboText(detail->ComboBoxLocation, "5");
    ScriptModals<TDialogEditSisterTeam>({[](TDialogEditSisterTeam& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Nachbarmannschaft");
        EXPECT_EQ(dialog.EditName->text().toStdString(), "TTV Neheim III");
        SelectComboText(dialog.ComboBoxLocation, "4");
        dialog.ButtonOK->click();
    }});
    emit detail->ValueListSisterTeams->cellDoubleClicked(1, 0);
    EXPECT_EQ(Sister(example.data, Neheim, 0)->GetAsString("location"), "4");
    EXPECT_EQ(FindTeamElement(example.data, Neheim)->GetAsString("location"), "5");
    detail = Detail<TDialogPanelLocationsCompactDetail>(page);
    EXPECT_EQ(GetComboText(ValueAt<QComboBox>(detail->ValueListSisterTeams, 1)), "4");
    EXPECT_EQ(GetComboText(detail->ComboBoxLocation), "5");
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(HomeCouplePage, SingleRowsOfTheExampleTheirChoicesWritingAndDefault) {
    TExample example;
    const TSelectedTeam selected(Neheim);
    THostedPage<TDialogPanelHomeCoupleCompact> page(example.data, example.defaults.get());
    EXPECT_EQ(page->windowTitle(), "Heimkoppel/Doppelspieltage (Kompakt)");
    EXPECT_EQ(page->LabelHeaderText->text(),
              "Neue Heimkoppeltermine können nur in den Wunschterminen angelegt werden.\n"
              "Die zweite Anfangszeit kann ebenfalls nur in den Wunschterminen angegeben werden");
    auto* detail = Detail<TDialogPanelHomeCoupleCompactDetail>(page);
    ASSERT_EQ(detail->ValueListKoppel->rowCount(), 10);
    EXPECT_EQ(detail->ValueListKoppel->item(0, 0)->text(), "Sa 05.09.2026");
    QComboBox* first = detail->rowCombo(0);
    EXPECT_EQ(Items(first),
              (QStringList{"kein Koppeltermin/Doppelspieltag", "Zwei Heimspiele an diesem Tag möglich",
                           "Zwei Heimspiele an diesem Tag gewünscht",
                           "Zwei Heimspiele an diesem Tag gewünscht (hohe Prio)"}));
    EXPECT_EQ(first->currentIndex(), 3); // the export's "hard" coupling
    EXPECT_TRUE(page->isDefault());
    const TDateTime day = At(2026, 9, 5, 18, 30);
    const TDateTime secondTime = HomeDayAt(example.data, Neheim, day).KoppelSecondTime;

    const int opened = page.changes;
    first->setCurrentIndex(0);
    EXPECT_EQ(page.changes, opened + 1);
    EXPECT_FALSE(page->isDefault()); // which writes the page
    EXPECT_FALSE(HomeDayAt(example.data, Neheim, day).KoppelDate);
    // Switched on again, the coupling keeps its second kick-off.
    first->setCurrentIndex(2);
    page->FormToData();
    EXPECT_TRUE(HomeDayAt(example.data, Neheim, day).KoppelDate);
    EXPECT_EQ(HomeDayAt(example.data, Neheim, day).KoppelPrio, 1);
    EXPECT_EQ(HomeDayAt(example.data, Neheim, day).KoppelSecondTime, secondTime);
    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(Detail<TDialogPanelHomeCoupleCompactDetail>(page)->rowCombo(0)->currentIndex(), 3);
    EXPECT_EQ(HomeDayAt(example.data, Neheim, day).KoppelPrio, 2);

    ASSERT_TRUE(page->SelectTeam(Altena));
    detail = Detail<TDialogPanelHomeCoupleCompactDetail>(page);
    EXPECT_EQ(Keys(detail->ValueListKoppel),
              QStringList{"Koppelspiele sind in den Terminwünschen nicht enthalten"});
    EXPECT_TRUE(page->isDefault());
}

TEST(HomeCouplePage, PairRowsOfferThirteenChoicesAndKeepOptionsNoChoiceOffers) {
    TExample example;
    // A Sunday after the coupling Saturday 05.09. and a Friday before the one of 26.09.
    THomeDayList days;
    example.data.GetHomeDays(Neheim, days);
    THomeDay sunday;
    sunday.Date = At(2026, 9, 6, 10);
    THomeDay friday;
    friday.Date = At(2026, 9, 25, 20);
    friday.KoppelDate = true;
    friday.KoppelPrio = 1;
    days.push_back(sunday);
    days.push_back(friday);
    days.Sort();
    example.data.SetHomeDays(Neheim, days);

    const TSelectedTeam selected(Neheim);
    THostedPage<TDialogPanelHomeCoupleCompact> page(example.data, example.defaults.get());
    auto* detail = Detail<TDialogPanelHomeCoupleCompactDetail>(page);
    const int pair = RowOf(detail->ValueListKoppel, "Sa 05.09.2026 und So 06.09.2026");
    ASSERT_EQ(pair, 0);
    QComboBox* combo = detail->rowCombo(pair);
    ASSERT_EQ(combo->count(), 13);
    EXPECT_EQ(combo->itemText(1), "Doppelspieltag möglich");
    EXPECT_EQ(combo->itemText(4), "Sa 05.09.2026: Zwei Heimspiele an diesem Tag möglich");
    EXPECT_EQ(combo->itemText(8), "So 06.09.2026: Zwei Heimspiele an diesem Tag gewünscht");
    EXPECT_EQ(combo->itemText(12),
              "Sa 05.09.2026 und So 06.09.2026: Zwei Heimspiele an diesem Tag gewünscht (hohe Prio)");
    EXPECT_EQ(combo->currentIndex(), 6);
    // Friday coupling normal, Saturday coupling high: no choice shows that; writing keeps it.
    QComboBox* mixed = detail->rowCombo(RowOf(detail->ValueListKoppel, "Fr 25.09.2026 und Sa 26.09.2026"));
    ASSERT_NE(mixed, nullptr);
    EXPECT_EQ(mixed->currentIndex(), -1);
    EXPECT_FALSE(page->isDefault());

    combo->setCurrentIndex(2); // double date normal on both days
    page->FormToData();
    for (const TDateTime date : {At(2026, 9, 5, 18, 30), At(2026, 9, 6, 10)}) {
        const THomeDay written = HomeDayAt(example.data, Neheim, date);
        EXPECT_TRUE(written.DoubleDate);
        EXPECT_FALSE(written.KoppelDate);
        EXPECT_EQ(written.KoppelPrio, 1);
    }
    EXPECT_EQ(HomeDayAt(example.data, Neheim, At(2026, 9, 25, 20)).KoppelPrio, 1);
    EXPECT_EQ(HomeDayAt(example.data, Neheim, At(2026, 9, 26, 18, 30)).KoppelPrio, 2);
    page->DataToForm();
    EXPECT_EQ(Detail<TDialogPanelHomeCoupleCompactDetail>(page)->rowCombo(pair)->currentIndex(), 2);
}

TEST(AwayCouplePage, WishesWithTheirDialogChecksAndDefault) {
    TExample example;
    TRecordedMessages messages;
    const TSelectedTeam selected(Altena);
    THostedPage<TDialogPanelAuswaertskoppel> page(example.data, example.defaults.get());
    EXPECT_EQ(page->windowTitle(), "Auswärtskoppeltermine");
    auto* detail = Detail<TDialogPanelAuswaertsKoppelDetail>(page);
    EXPECT_EQ(detail->LabelKoppel->text(), "Auswärtskoppelwünsche");
    ASSERT_EQ(detail->ListBoxKoppel->count(), 1);
    EXPECT_EQ(detail->ListBoxKoppel->item(0)->text(), "TTF Menden, TTF Menden II (am gleichen Tag)");
    EXPECT_EQ(Keys(detail->ValueListAlternatives), QStringList{"Keine relevanten Termine vorhanden"});
    EXPECT_TRUE(page->isDefault());
    const int opened = page.changes;

    ScriptModals<TDialogEditOneAuswaertsKoppel>({[](TDialogEditOneAuswaertsKoppel& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Auswärtskoppelwunsch");
        EXPECT_EQ(dialog.ComboBoxTeam1->count(), 11);
        EXPECT_EQ(dialog.ComboBoxTeam1->findText(QString::fromStdString(Altena)), -1);
        EXPECT_EQ(Items(dialog.ComboBoxKind), (QStringList{"am gleichen Tag", "mit Übernachtung",
                                                           "am gleichen Tag oder mit Übernachtung"}));
        dialog.ButtonOKClick();
        SelectComboText(dialog.ComboBoxTeam1, "TTF Menden II");
        dialog.ButtonOKClick();
        SelectComboText(dialog.ComboBoxTeam2, "TTF Menden II");
        dialog.ButtonOKClick();
        SelectComboText(dialog.ComboBoxTeam2, "TTF Menden");
        dialog.ButtonOKClick(); // the existing wish in the other order
        SelectComboText(dialog.ComboBoxTeam2, "TTV Neheim");
        dialog.ComboBoxKind->setCurrentIndex(2);
        dialog.ButtonOK->click();
    }});
    detail->ButtonNewClick();
    EXPECT_EQ(messages.Messages,
              (std::vector<std::string>{"Bitte Mannschaft 1 angegeben", "Bitte Mannschaft 2 angegeben",
                                        "Mannschaft 1 und 2 müssen unterschiedlich sein",
                                        "Diesen Auswärtskoppelwunsch gibt es bereits."}));
    // Written at once.
    ASSERT_EQ(GetRoadCouples(example.data, Altena).size(), 2U);
    EXPECT_EQ(detail->ListBoxKoppel->item(1)->text(),
              "TTF Menden II, TTV Neheim (am gleichen Tag oder mit Übernachtung)");
    EXPECT_EQ(detail->ListBoxKoppel->currentRow(), 1);
    EXPECT_EQ(page.changes, opened + 1);
    EXPECT_FALSE(page->isDefault());

    // Editing by double click; deleting asks, "Nein" keeps the wish.
    ScriptModals<TDialogEditOneAuswaertsKoppel>({[](TDialogEditOneAuswaertsKoppel& dialog) {
        EXPECT_EQ(GetComboText(dialog.ComboBoxTeam2), "TTV Neheim");
        dialog.ComboBoxKind->setCurrentIndex(1);
        dialog.ButtonOK->click();
    }});
    emit detail->ListBoxKoppel->itemDoubleClicked(detail->ListBoxKoppel->item(1));
    EXPECT_EQ(GetRoadCouples(example.data, Altena)[1].SameDay, 1);
    messages.Answer = false;
    detail->ButtonDeleteClick();
    EXPECT_EQ(messages.Questions,
              std::vector<std::string>{"Möchten Sie den Auswärtskoppelwunsch TTF Menden II, "
                                       "TTV Neheim (mit Übernachtung) wirklich löschen?"});
    EXPECT_EQ(GetRoadCouples(example.data, Altena).size(), 2U);
    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(GetRoadCouples(example.data, Altena).size(), 1U);
    messages.Answer = true;
    detail->ButtonDeleteClick();
    EXPECT_TRUE(GetRoadCouples(example.data, Altena).empty());
    EXPECT_FALSE(page->isDefault());
}

TEST(AwayCouplePage, AlternativeKickOffsOfRelevantHomeDatesAndThePopup) {
    TExample example;
    const TSelectedTeam selected(Menden);
    THostedPage<TDialogPanelAuswaertskoppel> page(example.data, example.defaults.get());
    auto* detail = Detail<TDialogPanelAuswaertsKoppelDetail>(page);
    EXPECT_EQ(
        detail->LabelAlternatives->text(),
        "Um Auswärtskoppeltermine zu ermöglichen soll bei diesen Terminwünschen im Bedarfsfall eine andere "
        "Anfangszeit gewählt werden.\n(geben Sie die alternative Anfangszeit ein, leer = keine alternative "
        "Zeit)");
    // Altena's same-day wish names Menden and Menden II, whose home dates are two hours apart.
    ASSERT_EQ(detail->ValueListAlternatives->rowCount(), 13);
    EXPECT_EQ(detail->ValueListAlternatives->item(0, 0)->text(), "Sa 12.09.2026 20:00");
    QStringList actions;
    for (const QAction* action : detail->PopupMenuAlternatives->actions()) {
        actions << action->text();
    }
    EXPECT_EQ(actions, (QStringList{"Alles setzen", "Alle löschen"}));

    detail->PopupMenuAlternatives->actions()[0]->trigger();
    EXPECT_EQ(detail->rowEdit(0)->text(), "16:00");
    EXPECT_EQ(detail->rowEdit(12)->text(), "16:00");
    EXPECT_FALSE(page->isDefault());
    detail->rowEdit(1)->setText("9:30");
    detail->rowEdit(2)->clear();
    ASSERT_TRUE(page->SelectTeam(Altena));
    const THomeDay set = HomeDayAt(example.data, Menden, At(2026, 9, 12, 20));
    EXPECT_EQ(set.AsShortString(), "20:00 T2:16:00");
    EXPECT_EQ(HomeDayAt(example.data, Menden, At(2026, 9, 26, 20)).AsShortString(), "20:00 T2:09:30");
    EXPECT_EQ(HomeDayAt(example.data, Menden, At(2026, 10, 10, 20)).AsShortString(), "20:00");

    ASSERT_TRUE(page->SelectTeam(Menden));
    detail = Detail<TDialogPanelAuswaertsKoppelDetail>(page);
    EXPECT_EQ(detail->rowEdit(1)->text(), "09:30");
    // What the time field cannot take is refused while typing.
    detail->rowEdit(3)->clear();
    QTest::keyClicks(detail->rowEdit(3), "25:x");
    EXPECT_EQ(detail->rowEdit(3)->text(), "2:");
    detail->PopupMenuAlternatives->actions()[1]->trigger();
    EXPECT_TRUE(page->isDefault());
    page->FormToData();
    EXPECT_FALSE(HomeDayAt(example.data, Menden, At(2026, 9, 12, 20)).KoppelAuswaertsSecondTime);
}

TEST(SisterTeamsPage, DialogsChecksRenamingOfGamesAndDefault) {
    TExample example;
    TRecordedMessages messages;
    const TSelectedTeam selected(Altena);
    THostedPage<TDialogPanelSisterTeams> page(example.data, example.defaults.get());
    EXPECT_EQ(page->windowTitle(), "Spiele der Nachbarmannschaften");
    auto* detail = Detail<TDialogPanelSisterTeamsDetail>(page);
    ASSERT_EQ(detail->ListBoxSisterTeams->count(), 1);
    EXPECT_EQ(detail->ListBoxSisterTeams->item(0)->text().toStdString(), "(Damen) " + Altena + " 11, Spiele");
    EXPECT_TRUE(page->isDefault());
    const int opened = page.changes;
    const std::string newName = "TTC BW Altena";

    // The dialog on its own: checks, the games grid and the game dialog, all on its copy.
    {
        TDialogEditSisterTeam dialog(example.data, Altena, 0);
        dialog.SetValues(Sister(example.data, Altena, 0));
        EXPECT_EQ(dialog.windowTitle(), "Nachbarmannschaft");
        EXPECT_EQ(dialog.GridGames->rowCount(), 11);
        EXPECT_EQ(dialog.GridGames->horizontalHeaderItem(2)->text(), "Heimmannschaft");
        EXPECT_EQ(GetComboText(dialog.ComboBoxGender), "Damen");
        EXPECT_EQ(dialog.CheckBoxNoParallelGames->text(),
                  "Gleichzeitige (parallele) Spiele  mit dieser Mannschaft vermeiden");
        dialog.EditName->clear();
        dialog.ButtonOKClick();
        dialog.EditName->setText(QString::fromStdString(newName));
        dialog.ComboBoxGender->setCurrentText(" ");
        dialog.ButtonOKClick();
        dialog.ComboBoxGender->setCurrentText("Damen");
        dialog.CheckBoxParallelHomeGames->setChecked(true);
        ScriptModals<TDialogEditOneSisterGame>(
            {[&](TDialogEditOneSisterGame& game) {
                 EXPECT_EQ(game.windowTitle(), "Begegnung");
                 EXPECT_EQ(Items(game.ComboBoxKind), (QStringList{"Heimspiel", "Auswärtsspiel"}));
                 game.ButtonOKClick();
                 game.ComboBoxOpponent->setCurrentText("TuS Iserlohn");
                 game.ComboBoxKind->setCurrentIndex(1);
                 game.DateTimePickerDate->setDate(QDate(2026, 9, 11));
                 game.DateTimePickerTime->setTime(QTime(20, 0));
                 game.ButtonOKClick(); // the time of another game
                 game.DateTimePickerDate->setDate(QDate(2026, 9, 18));
                 game.ButtonOK->click();
             },
             [&](TDialogEditOneSisterGame& game) {
                 // The game of 11.09.: at home against TuS Iserlohn.
                 EXPECT_EQ(game.ComboBoxKind->currentIndex(), 0);
                 EXPECT_EQ(game.ComboBoxOpponent->currentText(), "TuS Iserlohn");
                 game.ButtonCancel->click();
             }});
        dialog.ButtonNewClick();
        EXPECT_EQ(dialog.GridGames->rowCount(), 12);
        dialog.GridGames->selectRow(0);
        dialog.ButtonEditClick();
        dialog.ButtonOKClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        // OK renamed the games of the old name in the copy; nothing keeps the old name.
        const std::vector<TSisterGameEntry> games = GetSisterGames(dialog.sisterTeam());
        ASSERT_EQ(games.size(), 12U);
        for (const TSisterGameEntry& game : games) {
            EXPECT_TRUE(game.Home == newName || game.Guest == newName) << game.Home << " - " << game.Guest;
            EXPECT_NE(game.Home, Altena);
            EXPECT_NE(game.Guest, Altena);
        }
        EXPECT_EQ(games.back().Home, "TuS Iserlohn");
        EXPECT_EQ(games.back().DateTime, At(2026, 9, 18, 20));
        EXPECT_EQ(Sister(example.data, Altena, 0)->GetAsString("teamname"), Altena);
    }
    EXPECT_EQ(messages.Messages,
              (std::vector<std::string>{"Der Name darf nicht leer sein", "Die Art darf nicht leer sein",
                                        "Kein Gegner angegeben",
                                        "Zu diesem Zeitpunkt gibt es bereits eine Begegnung."}));

    // Through the page: OK replaces the sister team, whose games follow the new name.
    ScriptModals<TDialogEditSisterTeam>({[&](TDialogEditSisterTeam& dialog) {
        dialog.EditName->setText(QString::fromStdString(newName));
        dialog.CheckBoxParallelHomeGames->setChecked(true);
        dialog.ButtonOK->click();
    }});
    detail->ButtonEditClick();
    const TDataObject* sister = Sister(example.data, Altena, 0);
    EXPECT_EQ(sister->GetAsString("teamname"), newName);
    for (const TSisterGameEntry& game : GetSisterGames(*sister)) {
        EXPECT_TRUE(game.Home == newName || game.Guest == newName) << game.Home << " - " << game.Guest;
    }
    EXPECT_EQ(detail->ListBoxSisterTeams->item(0)->text().toStdString(),
              "(Damen) " + newName + " 11, Spiele, gleichzeitige Heimspiele erwünscht");
    EXPECT_EQ(page.changes, opened + 1);
    EXPECT_FALSE(page->isDefault());

    // Cancel changes nothing; a second sister team of the same name and age class is refused.
    const std::string before = example.data.SaveToXMLText();
    ScriptModals<TDialogEditSisterTeam>({[&](TDialogEditSisterTeam& dialog) {
        dialog.EditName->setText(QString::fromStdString(newName));
        dialog.ComboBoxGender->setCurrentText("Damen");
        dialog.ButtonOKClick();
        dialog.ButtonCancel->click();
    }});
    detail->ButtonNewClick();
    EXPECT_EQ(messages.Messages.back(),
              "Eine Nachbarmannschaft mit diesem Namen und dieser Art gibt es bereits.");
    EXPECT_EQ(example.data.SaveToXMLText(), before);

    messages.Answer = false;
    detail->ButtonDeleteClick();
    EXPECT_EQ(messages.Questions.back(), "Möchten Sie die Mannschaft " + newName + " wirklich löschen?");
    EXPECT_EQ(FindTeamElement(example.data, Altena)->NamedChilds("sisterteam").size(), 1U);
    page->toDefault();
    EXPECT_TRUE(page->isDefault());
    EXPECT_EQ(Sister(example.data, Altena, 0)->GetAsString("teamname"), Altena);
    messages.Answer = true;
    detail->ButtonDeleteClick();
    EXPECT_EQ(detail->ListBoxSisterTeams->count(), 0);
    EXPECT_FALSE(page->isDefault());
}
