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

/// Shows the stored settings; false only when "Nein, die Standardeinstellungen verwenden" is
/// chosen (any other close counts as yes).
bool AskUseUserSettings(QWidget* parent, const std::vector<std::string>& messages);
/// Shows the hard errors; true only when "Ja" is chosen.
bool AskExportDespiteHardErrors(QWidget* parent, const std::vector<std::string>& messages);

} // namespace terminor
