// The two-column value list of the per-team pages.

#include "app/entry/ValueList.h"

#include <QHeaderView>
#include <QTableWidget>

namespace terminor {

QTableWidget* NewValueList(QWidget* parent, const char* objectName, int valueWidth) {
    auto* list = new QTableWidget(0, 2, parent);
    list->setObjectName(objectName);
    list->horizontalHeader()->hide();
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    if (valueWidth > 0) {
        list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
        list->setColumnWidth(1, valueWidth);
    } else {
        list->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    }
    return list;
}

void AddValueRow(QTableWidget* list, const QString& key, QWidget* value) {
    const int row = list->rowCount();
    list->insertRow(row);
    list->setItem(row, 0, new QTableWidgetItem(key));
    list->setCellWidget(row, 1, value);
}

void AddValueListNote(QTableWidget* list, const QString& text) {
    const int row = list->rowCount();
    list->insertRow(row);
    list->setItem(row, 0, new QTableWidgetItem(text));
    list->setSpan(row, 0, 1, 2);
}

} // namespace terminor
