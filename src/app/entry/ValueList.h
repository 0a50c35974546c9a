#pragma once
// The two-column value list of the per-team pages: a key text per row and a control to choose or
// type its value, or one row with a note when there is nothing to list. User-interface thread only.

#include <QString>
#include <QTableWidget>

namespace terminor {

/// An empty value list without headers, the key column sized to its texts; the value column has
/// `valueWidth`, or takes the rest of the width when `valueWidth` is 0.
QTableWidget* NewValueList(QWidget* parent, const char* objectName, int valueWidth);
/// Appends a row with the key and the value control (which the list then owns).
void AddValueRow(QTableWidget* list, const QString& key, QWidget* value);
/// Appends the single row that says the list is empty, its text across both columns.
void AddValueListNote(QTableWidget* list, const QString& text);
/// The value control of a row, or null for the note row.
template <typename T> T* ValueAt(const QTableWidget* list, int row) {
    return qobject_cast<T*>(list->cellWidget(row, 1));
}

} // namespace terminor
