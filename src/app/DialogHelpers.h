#pragma once
// Small pieces shared by the dialogs: their push buttons and multi-line texts from line lists.
// User-interface thread only.

#include <string>
#include <vector>

#include <QString>

class QPushButton;
class QWidget;

namespace terminor {

/// A push button with its object name; the default button reacts to Enter, the others never do.
QPushButton* NewDialogButton(QWidget* parent, const QString& text, const char* objectName, bool isDefault);
/// The lines joined by line breaks.
QString JoinLines(const std::vector<std::string>& lines);

} // namespace terminor
