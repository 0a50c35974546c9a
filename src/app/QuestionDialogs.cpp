// The two yes/no questions: a picture (hard errors only), the text, the lines, the question and
// the two buttons.

#include "app/QuestionDialogs.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
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
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
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
    // Each message stays on its line; the dialog grows to the longest line and to all the lines,
    // but not past the screen, where the list scrolls.
    const QFontMetrics metrics(Memo->font());
    int textWidth = 0;
    for (const std::string& line : lines) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int frame = 2 * Memo->frameWidth() + 2 * static_cast<int>(Memo->document()->documentMargin());
    const int memoWidth = textWidth + frame + scrollBar + 8;
    const int memoHeight = metrics.lineSpacing() * (static_cast<int>(lines.size()) + 1) + frame;
    const QSize chrome = sizeHint() - Memo->sizeHint();
    QSize wanted(std::max(520, memoWidth + chrome.width()), std::max(360, memoHeight + chrome.height()));
    if (const QScreen* screen =
            this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        wanted = wanted.boundedTo(QSize(available.width() * 9 / 10, available.height() * 9 / 10));
    }
    resize(wanted);
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

namespace {

TYesNoCancel AskQuestion(QWidget* parent, const QString& question, bool withCancel) {
    QMessageBox box(QMessageBox::Question, "Terminor", question, QMessageBox::NoButton, parent);
    // Buttons of the program's own, without the icons some styles give to standard buttons, so
    // that every question looks alike.
    QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
    QPushButton* no = box.addButton("Nein", QMessageBox::NoRole);
    yes->setObjectName("ButtonYes");
    no->setObjectName("ButtonNo");
    QPushButton* cancel = nullptr;
    if (withCancel) {
        cancel = box.addButton("Abbrechen", QMessageBox::RejectRole);
        cancel->setObjectName("ButtonCancel");
    }
    box.setDefaultButton(yes);
    box.setEscapeButton(withCancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) {
        return TYesNoCancel::Yes;
    }
    if (box.clickedButton() == no) {
        return TYesNoCancel::No;
    }
    return withCancel ? TYesNoCancel::Cancel : TYesNoCancel::No;
}

} // namespace

bool AskYesNoQuestion(QWidget* parent, const QString& question) {
    return AskQuestion(parent, question, false) == TYesNoCancel::Yes;
}

TYesNoCancel AskYesNoCancelQuestion(QWidget* parent, const QString& question) {
    return AskQuestion(parent, question, true);
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
