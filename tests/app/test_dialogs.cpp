// The small dialogs: remembering a schedule, the two questions and the weighting column and dialog.

#include <array>
#include <filesystem>
#include <fstream>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/ModalTestUtil.h"
#include "app/PanelOptionArray.h"
#include "app/QuestionDialogs.h"
#include "app/SavePlanDialog.h"
#include "app/SingleGewichtungDialog.h"
#include "common/TempDir.h"
#include "data/PlanUtils.h"

namespace terminor {
namespace {

using test::OnModal;

/// The questions a save-plan dialog asked, answered with `answer`.
struct Answers {
    bool answer = false;
    QStringList questions;
    QStringList messages;

    void Attach(TFormSavePlan& dialog) {
        dialog.AskYesNo = [this](const QString& q) {
            questions << q;
            return answer;
        };
        dialog.ShowMessage = [this](const QString& m) { messages << m; };
    }
};

TEST(SavePlanDialog, NameChecksAndOverwriteQuestion) {
    TFormSavePlan dialog;
    Answers answers;
    answers.Attach(dialog);
    dialog.SetValues("/tmp/x", {"Plan", "Zweiter"});
    dialog.show();
    ASSERT_EQ(dialog.ListPlans->count(), 2);
    EXPECT_EQ(dialog.ListPlans->item(0)->text(), "Plan");

    // A click on an entry copies its name.
    const QRect second = dialog.ListPlans->visualItemRect(dialog.ListPlans->item(1));
    QTest::mouseClick(dialog.ListPlans->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(dialog.EditName->text(), "Zweiter");

    dialog.EditName->setText("   ");
    dialog.ButtonOK->click();
    EXPECT_EQ(answers.messages, QStringList{"Bitte geben Sie einen Namen ein."});
    EXPECT_TRUE(dialog.isVisible());

    // An existing name, in other case: asked, and only Yes closes.
    dialog.EditName->setText(" plan ");
    dialog.ButtonOK->click();
    EXPECT_EQ(answers.questions,
              QStringList{"\"plan\" existiert bereits, möchten Sie den Plan überschreiben?"});
    EXPECT_TRUE(dialog.isVisible());
    answers.answer = true;
    dialog.ButtonOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Name(), "plan");

    // The function returns the trimmed new name without asking; "Abbruch" returns nothing.
    std::string name;
    OnModal<TFormSavePlan>([](TFormSavePlan& d) {
        d.EditName->setText("  Neuer Plan ");
        d.ButtonOK->click();
    });
    EXPECT_TRUE(ExecuteSavePlanDialog(nullptr, "/tmp/x", {"Plan"}, name));
    EXPECT_EQ(name, "Neuer Plan");
    OnModal<TFormSavePlan>([](TFormSavePlan& d) {
        d.EditName->setText("Anders");
        d.ButtonCancel->click();
    });
    name.clear();
    EXPECT_FALSE(ExecuteSavePlanDialog(nullptr, "/tmp/x", {"Plan"}, name));
    EXPECT_EQ(name, "");
}

TEST(SavePlanDialog, DeleteAsksAndRemovesFileAndEntry) {
    test::TempDir dir;
    const std::filesystem::path file = dir.path / (EscapeFileName("A:B") + ".xml");
    std::ofstream(file) << "<terminor/>";

    TFormSavePlan dialog;
    Answers answers;
    answers.Attach(dialog);
    dialog.SetValues(dir.path.string(), {"A:B", "Schon weg"});
    dialog.EditName->setText("etwas");
    dialog.ListPlans->setCurrentRow(0);

    dialog.Lschen1->trigger();
    EXPECT_EQ(answers.questions, QStringList{"\"A:B\" löschen?"});
    EXPECT_EQ(dialog.EditName->text(), "");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(dialog.ListPlans->count(), 2);

    answers.answer = true;
    dialog.Lschen1->trigger();
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_EQ(dialog.ListPlans->count(), 1);

    // A file already gone still loses its entry.
    dialog.ListPlans->setCurrentRow(0);
    dialog.Lschen1->trigger();
    EXPECT_EQ(dialog.ListPlans->count(), 0);
    EXPECT_TRUE(answers.messages.isEmpty());
}

/// Answers the next question dialog by `how` and returns what the question function returned.
template <typename Dialog, typename Ask>
bool Answer(Ask ask, const std::function<void(TQuestionDialog&)>& how, QString* memoText = nullptr) {
    OnModal<Dialog>([how, memoText](Dialog& d) {
        if (memoText != nullptr) {
            *memoText = d.Memo->toPlainText();
        }
        how(d);
    });
    return ask(nullptr, {"Zeile 1", "Zeile 2"});
}

TEST(QuestionDialogs, AnswersOfBothQuestions) {
    const auto yes = [](TQuestionDialog& d) { d.ButtonYes->click(); };
    const auto no = [](TQuestionDialog& d) { d.ButtonNo->click(); };
    const auto escape = [](TQuestionDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); };
    const auto close = [](TQuestionDialog& d) { d.close(); };

    QString memo;
    EXPECT_TRUE(Answer<TFormQuestionUseUserSettings>(AskUseUserSettings, yes, &memo));
    EXPECT_EQ(memo, "Zeile 1\nZeile 2");
    EXPECT_FALSE(Answer<TFormQuestionUseUserSettings>(AskUseUserSettings, no));
    EXPECT_FALSE(Answer<TFormQuestionUseUserSettings>(AskUseUserSettings, escape));
    // Closing the window is no "Nein".
    EXPECT_TRUE(Answer<TFormQuestionUseUserSettings>(AskUseUserSettings, close));

    EXPECT_TRUE(Answer<TFormQuestionHardErrors>(AskExportDespiteHardErrors, yes, &memo));
    EXPECT_EQ(memo, "Zeile 1\nZeile 2");
    EXPECT_FALSE(Answer<TFormQuestionHardErrors>(AskExportDespiteHardErrors, no));
    EXPECT_FALSE(Answer<TFormQuestionHardErrors>(AskExportDespiteHardErrors, escape));
    EXPECT_FALSE(Answer<TFormQuestionHardErrors>(AskExportDespiteHardErrors, close));

    TFormQuestionHardErrors hardErrors;
    EXPECT_EQ(hardErrors.windowTitle(), "Warnung...");
    EXPECT_EQ(hardErrors.ButtonYes->text(), "Ja");
    EXPECT_TRUE(hardErrors.ButtonYes->isDefault());
    EXPECT_NE(hardErrors.findChild<QLabel*>("Image1"), nullptr);
}

TEST(PanelOptionArray, RowsVisibleStateDefaultsAndEvents) {
    QWidget panel;
    TFormPanelOptionArray array;
    array.SetPanel(&panel);
    array.Init({"Eins", "Zwei", "Drei"});
    panel.show();
    ASSERT_EQ(array.RowCount(), 3);
    EXPECT_EQ(array.Combos[0]->count(), 7);
    EXPECT_EQ(array.Combos[0]->itemText(0), "Nicht berücksichtigen");
    EXPECT_EQ(array.Combos[0]->currentText(), "normal");
    EXPECT_TRUE(array.isDefault());

    int changes = 0;
    std::vector<int> clicked;
    array.OnChanged = [&changes] { ++changes; };
    array.OnButtonClick = [&clicked](QPushButton*, int index) { clicked.push_back(index); };

    // Row geometry; buttons only with ShowButtons; a hidden row leaves no gap.
    EXPECT_EQ(array.Labels[1]->pos(), QPoint(10, 37));
    EXPECT_EQ(array.Combos[1]->geometry(), QRect(192, 34, 145, 21));
    EXPECT_TRUE(array.Buttons[1]->isHidden());
    array.SetShowButtons(true);
    EXPECT_EQ(array.Buttons[1]->geometry(), QRect(360, 32, 75, 25));
    array.SetVisibleState({true, false, true});
    EXPECT_TRUE(array.Combos[1]->isHidden());
    EXPECT_TRUE(array.Buttons[1]->isHidden());
    EXPECT_EQ(array.Labels[2]->pos(), QPoint(10, 37));
    array.Buttons[2]->click();
    EXPECT_EQ(clicked, std::vector<int>{2});

    // Setting values and defaults raises nothing; a user's choice does, unless InLoad.
    const std::array<TCalculateOptionsValues, 3> values = {coIgnore, coNormal, coExtremHoch};
    array.SetValues(values);
    EXPECT_EQ(changes, 0);
    std::array<TCalculateOptionsValues, 3> read{};
    array.GetValues(read);
    EXPECT_EQ(read, values);
    EXPECT_FALSE(array.isDefault());
    array.Combos[1]->setCurrentIndex(static_cast<int>(coHoch));
    EXPECT_EQ(changes, 1);
    array.InLoad = true;
    array.Combos[1]->setCurrentIndex(static_cast<int>(coWenig));
    array.InLoad = false;
    EXPECT_EQ(changes, 1);
    array.toDefault();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(array.isDefault());
}

TEST(SingleGewichtungDialog, StandardButtonTitleAndForms) {
    TDialogForSingleGewichtungsOptions dialog;
    dialog.SetTitle("Gewichtung ändern");
    EXPECT_EQ(dialog.LabelTitle->text(), "Gewichtung ändern");
    EXPECT_EQ(dialog.windowTitle(), "Gewichtung ändern");
    dialog.Init({"Eins", "Zwei"});
    EXPECT_FALSE(dialog.ButtonToStandard->isEnabled());

    const std::array<TCalculateOptionsValues, 2> values = {coNormal, coHoch};
    dialog.SetValues(values);
    EXPECT_TRUE(dialog.ButtonToStandard->isEnabled());
    dialog.PanelPlanOptions->Combos[1]->setCurrentIndex(static_cast<int>(coNormal));
    EXPECT_FALSE(dialog.ButtonToStandard->isEnabled());
    dialog.PanelPlanOptions->Combos[0]->setCurrentIndex(static_cast<int>(coIgnore));
    EXPECT_TRUE(dialog.ButtonToStandard->isEnabled());
    dialog.ButtonToStandard->click();
    EXPECT_TRUE(dialog.PanelPlanOptions->isDefault());
    EXPECT_FALSE(dialog.ButtonToStandard->isEnabled());

    dialog.SmallDlg();
    EXPECT_EQ(dialog.height(), dialog.width() / 2);
    EXPECT_TRUE(dialog.PanelMessages->isHidden());
    dialog.SetMessages({"erste", "zweite"});
    EXPECT_FALSE(dialog.PanelMessages->isHidden());
    EXPECT_EQ(dialog.MemoMessages->toPlainText(), "erste\nzweite");
    EXPECT_EQ(dialog.height(), dialog.width() * 2 / 3);

    OnModal<TDialogForSingleGewichtungsOptions>(
        [](TDialogForSingleGewichtungsOptions& d) { d.ButtonCancel->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    OnModal<TDialogForSingleGewichtungsOptions>(
        [](TDialogForSingleGewichtungsOptions& d) { d.ButtonOK->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

} // namespace
} // namespace terminor
