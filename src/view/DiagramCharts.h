#pragma once
// The six charts of the page "Diagramme". Each draws from vertical position y down and reports
// where it ended; the page stacks them. User-interface thread only.

#include <QColor>

namespace terminor {

class TDateAxis;
class TPlan;
class TZoomCanvas;

/// The width a chart used and the y where it ended, in logical units.
struct TChartExtent {
    int Width = 0;
    int Bottom = 0;
};

/// "Spieltage": every team's games on the date axis, the overlaps of the game days shaded grey
/// and the i-th games of neighbouring rows linked.
TChartExtent DrawSpieltageChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y);
/// "Wechsel Heim/Auswärts": per team a zigzag of its games, high for home, low for away.
TChartExtent DrawWechselChart(TZoomCanvas& canvas, const TPlan& plan, int y);
/// "Spielverteilung": per team its games on the date axis with their dates; coupled games square.
TChartExtent DrawSpielverteilungChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y);
/// "Abstand Heimspiel zu Auswärtsspiel": per team and opponent lines between their meetings,
/// coloured by how far the distance is from the ideal one.
TChartExtent DrawAbstandChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y);
/// "Anzahl Spiele pro Woche": the games per game-day week and team, per half.
TChartExtent DrawSpieleProWocheChart(TZoomCanvas& canvas, const TPlan& plan, int y);
/// "Setzliste": per team and game a bar of the seeding-list distance to the opponent.
TChartExtent DrawSetzlisteChart(TZoomCanvas& canvas, const TPlan& plan, int y);

/// The pen colour of a line between two meetings `distance` positions apart in the team's games,
/// `ideal` being its games per round: green at the ideal, through yellow to red.
QColor SpacingLineColor(int distance, double ideal);

} // namespace terminor
