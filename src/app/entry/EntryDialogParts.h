#pragma once
// Building blocks shared by the data pages and their edit dialogs: the form of an edit dialog with
// its "OK"/"Abbrechen" row, the column of list buttons beside a list, and the location drop-down.
// User-interface thread only.

#include <functional>

#include <QString>

class QBoxLayout;
class QComboBox;
class QDialog;
class QFormLayout;
class QPushButton;
class QWidget;

namespace terminor {

/// Gives the dialog its caption and a vertical layout with a form, and returns the form.
QFormLayout* NewDialogForm(QDialog* dialog, const QString& caption);
/// Appends the right-aligned row "OK" (default, `ButtonOK`) and "Abbrechen" (`ButtonCancel`,
/// rejects); the caller connects OK to its check. Then applies the common dialog adjustment.
void AddOkCancelRow(QDialog* dialog, QPushButton*& buttonOK, QPushButton*& buttonCancel);

/// The buttons "new", "edit" and "delete" beside a list (`ButtonNew`, `ButtonEdit`, `ButtonDelete`).
struct TListButtons {
    QPushButton* New = nullptr;
    QPushButton* Edit = nullptr;
    QPushButton* Delete = nullptr;
};
/// Adds the three buttons as a column, top-aligned, to `row`.
TListButtons AddListButtons(QBoxLayout* row, QWidget* parent, const QString& newText, const QString& editText,
                            const QString& deleteText);

/// Connects the three buttons to their handlers, each run guarded (errors shown in German).
void ConnectListButtons(QWidget* owner, const TListButtons& buttons, const std::function<void()>& onNew,
                        const std::function<void()>& onEdit, const std::function<void()>& onDelete);

/// A row of the field with its note to the right, for a form.
QWidget* WithNote(QWidget* field, const QString& note);

/// A drop-down of the valid locations "", "1" to "5".
QComboBox* NewLocationCombo(QWidget* parent, const char* objectName);

} // namespace terminor
