// Small pieces shared by the dialogs.

#include "app/DialogHelpers.h"

#include <QPushButton>
#include <QStringList>

namespace terminor {

QPushButton* NewDialogButton(QWidget* parent, const QString& text, const char* objectName, bool isDefault) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << QString::fromStdString(line);
    }
    return text.join('\n');
}

} // namespace terminor
