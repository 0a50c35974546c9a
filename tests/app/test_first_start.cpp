// "Erster Start...": which steps a plan is offered, skipping, a cancelled page that keeps its step,
// a confirmed page taken over, and a plan rebuilt between the steps.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ModalTestUtil.h"
#include "app/FirstStartDialog.h"
#include "app/entry/DialogForSinglePanel.h"
#include "data/DataObject.h"
#include "data/PlanTeams.h"
#include "data/PlanUtils.h"
#include "entry/EntryTestUtil.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;

namespace {

/// A page that marks the plan data with its step when it is written.
class TMarkPage : public TDialogPanel {
public:
    explicit TMarkPage(std::string mark) : Mark(std::move(mark)) { setWindowTitle(Qs(Mark)); }
    void FormToData() override { PlanData->root().SetAsString("name", Mark); }
    std::string Mark;
};

TFirstStartPages MarkPages() {
    TFirstStartPages pages;
    for (int step = tmLocations; step <= tmMandatoryDays; ++step) {
        pages[static_cast<std::size_t>(step)] = [step] {
            return std::unique_ptr<TDialogPanel>(
                std::make_unique<TMarkPage>("Schritt " + std::to_string(step)));
        };
    }
    return pages;
}

/// The example division without coupling wishes, away couplings and mandatory days: each team
/// keeps its home dates on one weekday only, without coupling options.
std::unique_ptr<TPlanData> DivisionWithoutCouplings() {
    auto data = ExampleImport();
    TDataObject& root = data->root();
    for (TDataObject* mandatory : root.NamedChilds("mandatorygames")) {
        root.RemoveChild(mandatory);
    }
    std::vector<std::string> names;
    data->getTeamNames(names);
    for (const std::string& name : names) {
        TDataObject* team = FindTeamElement(*data, name);
        for (TDataObject* couple : team->NamedChilds("roadcouple")) {
            team->RemoveChild(couple);
        }
        THomeDayList days;
        data->GetHomeDays(name, days);
        THomeDayList kept;
        int weekday = -1;
        for (THomeDay day : days) {
            if (day.IsHomeDay()) {
                const int dayOfWeek = DayNumber(day.Date) % 7;
                weekday = weekday < 0 ? dayOfWeek : weekday;
                if (dayOfWeek != weekday) {
                    continue;
                }
                day.KoppelDate = false;
                day.DoubleDate = false;
                day.KoppelPrio = 0;
                day.KoppelAuswaertsSecondTime = false;
            }
            kept.push_back(day);
        }
        data->SetHomeDays(name, kept);
    }
    return data;
}

std::string Header(const TDialogFirstStart& dialog) {
    return dialog.LabelHeader->text().toStdString();
}

} // namespace

TEST(FirstStartSteps, OnlyTheStepsThatApplyFollowEachOther) {
    EXPECT_EQ(FirstStartSteps({}), (std::vector<TMessages>{tmLocations, tmSetzliste}));
    EXPECT_EQ(
        FirstStartSteps({true, true, true}),
        (std::vector<TMessages>{tmLocations, tmKoppel, tmAuswaertskoppel, tmSetzliste, tmMandatoryDays}));
    EXPECT_EQ(FirstStartSteps({false, true, false}),
              (std::vector<TMessages>{tmLocations, tmAuswaertskoppel, tmSetzliste}));
    EXPECT_EQ(NextFirstStartStep(tmSetzliste, {}), std::nullopt);
    EXPECT_EQ(NextFirstStartStep(tmLocations, {false, false, true}), tmSetzliste);
    EXPECT_STREQ(FirstStartTexts(tmAuswaertskoppel).Header, "Auswärtskoppelwünsche");
    EXPECT_STREQ(FirstStartTexts(tmSetzliste).OkCaption, "Setzliste aktivieren");
}

TEST(FirstStartDialog, PlanWithoutCouplingsOffersLocationsAndSeedingListOnly) {
    const auto data = DivisionWithoutCouplings();
    TPlan plan;
    plan.Load(*data);
    ASSERT_FALSE(plan.HasPossibleKoppelTermine());
    ASSERT_FALSE(plan.HasAuswaertsKoppelTermine());
    ASSERT_FALSE(plan.HasMandatoryGameDays());

    TDialogFirstStart dialog(nullptr, MarkPages());
    dialog.SetValue(*data, data.get(), plan);
    int applied = 0;
    dialog.OnApplyChangedSettings = [&](const TPlanData&) { return ++applied > 0; };
    dialog.show();
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Erster Start...");
    EXPECT_EQ(Header(dialog), "Spiellokale");
    EXPECT_EQ(dialog.ButtonOK->text().toStdString(), "Spiellokale bearbeiten");
    EXPECT_EQ(dialog.ButtonCancel->text().toStdString(), "Überspringen");
    EXPECT_NE(dialog.LabelMessage->text().indexOf("Die Spiellokale werden von Click-TT"), -1);

    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.currMessage(), tmSetzliste);
    EXPECT_EQ(Header(dialog), "Setzliste");
    EXPECT_TRUE(dialog.isVisible());
    // Escape skips as "Überspringen" does: after the last step the dialog closes with OK.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(applied, 0);
}

TEST(FirstStartDialog, PlanWithCouplingsWalksEveryStepCancelKeepsTheStepOkTakesThePageOver) {
    TRecordedMessages messages;
    const auto imported = ExampleImport();
    TPlanData data;
    data.assign(*imported);
    TPlan plan;
    plan.Load(data);
    ASSERT_TRUE(plan.HasPossibleKoppelTermine());
    ASSERT_TRUE(plan.HasAuswaertsKoppelTermine());
    ASSERT_TRUE(plan.HasMandatoryGameDays());

    TDialogFirstStart dialog(nullptr, MarkPages());
    dialog.SetValue(data, imported.get(), plan);
    std::vector<std::string> taken;
    bool failSave = false;
    dialog.OnApplyChangedSettings = [&](const TPlanData& edited) {
        if (failSave) {
            return false;
        }
        // As the main window does: the data are taken over and the plan is rebuilt from them.
        data.assign(edited);
        taken.push_back(data.root().GetAsString("name"));
        plan.Load(data);
        return true;
    };
    dialog.show();

    // Cancel on the page: the step stays and nothing is taken over.
    OnModal<TDialogForSinglePanel>([](TDialogForSinglePanel& host) {
        EXPECT_EQ(host.windowTitle().toStdString(), "Schritt 0");
        host.ButtonCancel->click();
    });
    dialog.ButtonOK->click();
    EXPECT_EQ(dialog.currMessage(), tmLocations);
    EXPECT_TRUE(taken.empty());

    // A take-over that fails (it has said why) keeps the step too.
    failSave = true;
    OnModal<TDialogForSinglePanel>([](TDialogForSinglePanel& host) { host.ButtonOK->click(); });
    dialog.ButtonOK->click();
    EXPECT_EQ(dialog.currMessage(), tmLocations);
    failSave = false;

    // OK on the page: its data are taken over and the next step follows.
    OnModal<TDialogForSinglePanel>([](TDialogForSinglePanel& host) { host.ButtonOK->click(); });
    dialog.ButtonOK->click();
    EXPECT_EQ(taken, std::vector<std::string>{"Schritt 0"});
    EXPECT_EQ(dialog.currMessage(), tmKoppel);
    EXPECT_EQ(dialog.ButtonOK->text().toStdString(), "Koppeltermine bearbeiten");

    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.currMessage(), tmAuswaertskoppel);
    EXPECT_EQ(dialog.ButtonOK->text().toStdString(), "Auswärtskoppelwünsche bearbeiten");
    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.currMessage(), tmSetzliste);
    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.currMessage(), tmMandatoryDays);
    EXPECT_EQ(Header(dialog), "Pflichtspieltage");

    // The page of the last step opens on the data taken over before; its OK ends the first start.
    OnModal<TDialogForSinglePanel>([](TDialogForSinglePanel& host) {
        EXPECT_EQ(host.getPlanData().root().GetAsString("name"), "Schritt 0");
        host.ButtonOK->click();
    });
    dialog.ButtonOK->click();
    EXPECT_EQ(taken, (std::vector<std::string>{"Schritt 0", "Schritt 4"}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(FirstStartDialog, StepsFollowThePlanAsRebuiltAfterAPage) {
    // The mandatory days go on the coupling step's page: the last step is no longer offered.
    const auto imported = ExampleImport();
    TPlanData data;
    data.assign(*imported);
    TPlan plan;
    plan.Load(data);
    TFirstStartPages pages = MarkPages();
    pages[tmKoppel] = [] {
        struct TDropMandatory : TDialogPanel {
            void FormToData() override {
                for (TDataObject* m : PlanData->root().NamedChilds("mandatorygames")) {
                    PlanData->root().RemoveChild(m);
                }
            }
        };
        return std::unique_ptr<TDialogPanel>(std::make_unique<TDropMandatory>());
    };
    TDialogFirstStart dialog(nullptr, pages);
    dialog.SetValue(data, imported.get(), plan);
    dialog.OnApplyChangedSettings = [&](const TPlanData& edited) {
        data.assign(edited);
        plan.Load(data);
        return true;
    };
    dialog.show();
    dialog.ButtonCancel->click();
    ASSERT_EQ(dialog.currMessage(), tmKoppel);
    OnModal<TDialogForSinglePanel>([](TDialogForSinglePanel& host) { host.ButtonOK->click(); });
    dialog.ButtonOK->click();
    ASSERT_FALSE(plan.HasMandatoryGameDays());
    dialog.ButtonCancel->click();
    EXPECT_EQ(dialog.currMessage(), tmSetzliste);
    dialog.ButtonCancel->click();
    EXPECT_FALSE(dialog.isVisible()) << "no step Pflichtspieltage any more";
}

TEST(FirstStartDialog, StepsOpenTheirDataEntryPages) {
    const auto imported = ExampleImport();
    TPlan plan;
    plan.Load(*imported);
    TDialogFirstStart dialog;
    dialog.SetValue(*imported, imported.get(), plan);
    dialog.OnApplyChangedSettings = [](const TPlanData&) { return true; };
    const std::vector<std::string> captions{"Spiellokale (Kompaktansicht)",
                                            "Heimkoppel/Doppelspieltage (Kompakt)", "Auswärtskoppeltermine",
                                            "Setzliste", "Plichtspieltage"};
    std::vector<std::string> opened;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        OnModal<TDialogForSinglePanel>([&](TDialogForSinglePanel& host) {
            opened.push_back(host.windowTitle().toStdString());
            host.ButtonCancel->click();
        });
        dialog.ButtonOK->click();
        dialog.ButtonCancel->click();
    }
    EXPECT_EQ(opened, captions);
}
