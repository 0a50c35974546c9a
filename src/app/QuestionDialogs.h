#pragma once
// The two yes/no questions with a list of lines: whether the stored user settings of a plan are
// used again (TFormQuestionUseUserSettings) and whether a schedule with hard errors is exported
// all the same (TFormQuestionHardErrors). User-interface thread only.

#include <string>
#include <vector>

#include <QDialog>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace terminor {

/// A question above a read-only list of lines, answered by two buttons; the Escape key presses
/// the second one.
class TQuestionDialog : public QDialog {
    Q_OBJECT
public:
    /// The result of the second button; the first one accepts.
    static constexpr int ResultNo = 2;

    /// Shows the lines unwrapped and sizes the dialog to them, up to 90 % of the screen.
    void SetLines(const std::vector<std::string>& lines);

    QPlainTextEdit* Memo = nullptr;
    QPushButton* ButtonYes = nullptr;
    QPushButton* ButtonNo = nullptr;

protected:
    TQuestionDialog(QWidget* parent, const QString& caption, const QString& text, const QString& question,
                    const QString& yesText, const QString& noText, bool warningPicture);
    void keyPressEvent(QKeyEvent* event) override;
};

class TFormQuestionUseUserSettings : public TQuestionDialog {
    Q_OBJECT
public:
    explicit TFormQuestionUseUserSettings(QWidget* parent = nullptr);
};

class TFormQuestionHardErrors : public TQuestionDialog {
    Q_OBJECT
public:
    explicit TFormQuestionHardErrors(QWidget* parent = nullptr);
};

/// A question in a message box with the buttons "Ja" (default) and "Nein"; every yes/no question of
/// the program looks like this. Closing the box counts as "Nein".
bool AskYesNoQuestion(QWidget* parent, const QString& question);
/// The same with a third button "Abbrechen"; closing the box counts as "Abbrechen".
enum class TYesNoCancel { Yes, No, Cancel };
TYesNoCancel AskYesNoCancelQuestion(QWidget* parent, const QString& question);

/// Shows the stored settings; false only when "Nein, die Standardeinstellungen verwenden" is
/// chosen (any other close counts as yes).
bool AskUseUserSettings(QWidget* parent, const std::vector<std::string>& messages);
/// Shows the hard errors; true only when "Ja" is chosen.
bool AskExportDespiteHardErrors(QWidget* parent, const std::vector<std::string>& messages);

} // namespace terminor
