#pragma once
// The read-only grid of games ("Datum", "Uhrzeit", "Heimmannschaft", "Gastmannschaft",
// "Spiellokal") that the fixed-games page and the sister-team dialog show, one row per game.
// User-interface thread only.

#include <array>
#include <string>
#include <vector>

#include "data/DateTime.h"

class QTableWidget;
class QWidget;

namespace terminor {

/// An empty grid with the five columns of the given widths; whole rows are selected, one at a time.
QTableWidget* NewGamesGrid(QWidget* parent, const std::array<int, 5>& widths);
/// The texts of one row: the day as FormatDayDate, the kick-off, home, guest and location.
std::array<std::string, 5> GameRowTexts(TDateTime dateTime, const std::string& home, const std::string& guest,
                                        const std::string& location);
/// Replaces the rows and selects `selectRow` when it exists.
void FillGamesGrid(QTableWidget* grid, const std::vector<std::array<std::string, 5>>& rows, int selectRow);
/// The same for game records with DateTime, Home, Guest and Location.
template <typename TGameEntry>
void FillGamesGrid(QTableWidget* grid, const std::vector<TGameEntry>& games, int selectRow) {
    std::vector<std::array<std::string, 5>> rows;
    for (const TGameEntry& game : games) {
        rows.push_back(GameRowTexts(game.DateTime, game.Home, game.Guest, game.Location));
    }
    FillGamesGrid(grid, rows, selectRow);
}

} // namespace terminor
