// Shared building blocks of the data pages and their edit dialogs.

#include "app/entry/EntryDialogParts.h"

#include <string>
#include <vector>

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "app/DialogHelpers.h"
#include "app/WindowHelpers.h"
#include "app/entry/DialogPanel.h"
#include "data/PlanData.h"

namespace terminor {

QFormLayout* NewDialogForm(QDialog* dialog, const QString& caption) {
    dialog->setWindowTitle(caption);
    auto* layout = new QVBoxLayout(dialog);
    auto* form = new QFormLayout();
    layout->addLayout(form);
    return form;
}

void AddOkCancelRow(QDialog* dialog, QPushButton*& buttonOK, QPushButton*& buttonCancel) {
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttonOK = NewDialogButton(dialog, "OK", "ButtonOK", true);
    buttonCancel = NewDialogButton(dialog, "Abbrechen", "ButtonCancel", false);
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonCancel);
    qobject_cast<QBoxLayout*>(dialog->layout())->addLayout(buttons);
    QObject::connect(buttonCancel, &QPushButton::clicked, dialog, &QDialog::reject);
    AdjustDialog(dialog);
}

TListButtons AddListButtons(QBoxLayout* row, QWidget* parent, const QString& newText, const QString& editText,
                            const QString& deleteText) {
    TListButtons result;
    auto* column = new QVBoxLayout();
    result.New = NewDialogButton(parent, newText, "ButtonNew", false);
    result.Edit = NewDialogButton(parent, editText, "ButtonEdit", false);
    result.Delete = NewDialogButton(parent, deleteText, "ButtonDelete", false);
    column->addWidget(result.New);
    column->addWidget(result.Edit);
    column->addWidget(result.Delete);
    column->addStretch(1);
    row->addLayout(column);
    return result;
}

void ConnectListButtons(QWidget* owner, const TListButtons& buttons, const std::function<void()>& onNew,
                        const std::function<void()>& onEdit, const std::function<void()>& onDelete) {
    const auto connectGuarded = [owner](QPushButton* button, const std::function<void()>& handler) {
        QObject::connect(button, &QPushButton::clicked, owner,
                         [owner, handler] { GuardedEntry(owner, handler); });
    };
    connectGuarded(buttons.New, onNew);
    connectGuarded(buttons.Edit, onEdit);
    connectGuarded(buttons.Delete, onDelete);
}

QWidget* WithNote(QWidget* field, const QString& note) {
    auto* row = new QWidget(field->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    field->setParent(row);
    layout->addWidget(field);
    layout->addWidget(new QLabel(note, row), 1);
    return row;
}

QComboBox* NewLocationCombo(QWidget* parent, const char* objectName) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    std::vector<std::string> locations;
    TPlanData::getTeamLocationsInt(locations);
    for (const std::string& location : locations) {
        combo->addItem(QString::fromStdString(location));
    }
    return combo;
}

} // namespace terminor
