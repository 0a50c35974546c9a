#pragma once
// Window helpers every dialog uses: the reference-counted hourglass, the common adjustment of a
// new dialog (tab order by position, Arial under a Windows compatibility layer) and reading and
// selecting combo box items by text. User-interface thread only.

#include <memory>

#include <QString>

class QComboBox;
class QWidget;

namespace terminor {

class TWaitCursor;

/// Shows the hourglass until the last copy of the returned reference is gone.
std::shared_ptr<TWaitCursor> CreateWaitCursor();

/// Re-numbers the tab order of every control of `form` by position: top to bottom, controls that
/// overlap vertically left to right. Children of a control follow it.
void ArrangeTabOrder(QWidget* form);
/// The common adjustment of every dialog, applied when it is created: Arial under a Windows
/// compatibility layer, and ArrangeTabOrder once the dialog is first shown (its controls have
/// their places only then).
void AdjustDialog(QWidget* form);

/// The text of the selected item; empty when nothing is selected.
QString GetComboText(const QComboBox* combo);
/// Selects the item equal to `text`; nothing is selected when there is none. An editable combo
/// then shows `text` itself.
void SelectComboText(QComboBox* combo, const QString& text);

} // namespace terminor
