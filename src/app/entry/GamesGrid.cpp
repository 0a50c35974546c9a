// The read-only grid of games.

#include "app/entry/GamesGrid.h"

#include <QHeaderView>
#include <QTableWidget>

#include "data/PlanUtils.h"

namespace terminor {

QTableWidget* NewGamesGrid(QWidget* parent, const std::array<int, 5>& widths) {
    auto* grid = new QTableWidget(0, 5, parent);
    grid->setObjectName("GridGames");
    grid->setHorizontalHeaderLabels({"Datum", "Uhrzeit", "Heimmannschaft", "Gastmannschaft", "Spiellokal"});
    for (int column = 0; column < 5; ++column) {
        grid->setColumnWidth(column, widths[static_cast<std::size_t>(column)]);
    }
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

std::array<std::string, 5> GameRowTexts(TDateTime dateTime, const std::string& home, const std::string& guest,
                                        const std::string& location) {
    return {FormatDayDate(dateTime), FormatTime(dateTime), home, guest, location};
}

void FillGamesGrid(QTableWidget* grid, const std::vector<std::array<std::string, 5>>& rows, int selectRow) {
    grid->setRowCount(0);
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < 5; ++column) {
            grid->setItem(row, column,
                          new QTableWidgetItem(QString::fromStdString(
                              rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])));
        }
    }
    if (selectRow >= 0 && selectRow < grid->rowCount()) {
        grid->selectRow(selectRow);
    }
}

} // namespace terminor
