// The two yes/no questions: a picture (hard errors only), the text, the lines, the question and
// the two buttons.

#include "app/QuestionDialogs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"

namespace terminor {

TQuestionDialog::TQuestionDialog(QWidget* parent, const QString& caption, const QString& text,
                                 const QString& question, const QString& yesText, const QString& noText,
                                 bool warningPicture)
    : QDialog(parent) {
    AdjustDialog(this);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    if (warningPicture) {
        auto* picture = new QLabel(this);
        picture->setObjectName("Image1");
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(size));
        head->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* label = new QLabel(text, this);
    label->setObjectName("Label1");
    label->setWordWrap(true);
    head->addWidget(label, 1);
    layout->addLayout(head);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    layout->addWidget(Memo, 1);

    if (!question.isEmpty()) {
        auto* questionLabel = new QLabel(question, this);
        questionLabel->setObjectName("Label2");
        layout->addWidget(questionLabel);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonYes = NewDialogButton(this, yesText, "ButtonYes", true);
    ButtonNo = NewDialogButton(this, noText, "ButtonNo", false);
    buttons->addWidget(ButtonYes);
    buttons->addWidget(ButtonNo);
    layout->addLayout(buttons);

    connect(ButtonYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonNo, &QPushButton::clicked, this, [this] { done(ResultNo); });
    resize(520, 360);
    ButtonYes->setFocus();
}

void TQuestionDialog::SetLines(const std::vector<std::string>& lines) {
    Memo->setPlainText(JoinLines(lines));
}

void TQuestionDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ButtonNo->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

TFormQuestionUseUserSettings::TFormQuestionUseUserSettings(QWidget* parent)
    : TQuestionDialog(parent, "Benutzereinstellungen...",
                      "Bei der letzten Verwendung wurden zu diesem Plan folgende Benutzereinstellungen "
                      "hinterlegt:",
                      QString(), "Ja, diese Einstellung wieder verwenden",
                      "Nein, die Standardeinstellungen verwenden", false) {
    setObjectName("FormQuestionUseUserSettings");
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

TFormQuestionHardErrors::TFormQuestionHardErrors(QWidget* parent)
    : TQuestionDialog(parent, "Warnung...", "Folgende Probleme sind in dem Plan enthalten:",
                      "Möchten Sie den Plan trotzdem exportieren?", "Ja", "Nein", true) {
    setObjectName("FormQuestionHardErrors");
}

bool AskUseUserSettings(QWidget* parent, const std::vector<std::string>& messages) {
    TFormQuestionUseUserSettings dialog(parent);
    dialog.SetLines(messages);
    return dialog.exec() != TQuestionDialog::ResultNo;
}

bool AskExportDespiteHardErrors(QWidget* parent, const std::vector<std::string>& messages) {
    TFormQuestionHardErrors dialog(parent);
    dialog.SetLines(messages);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace terminor
