#pragma once
// The page routines of the plan view. Each draws one page of a schedule onto a TZoomCanvas at the
// origin, in logical units, and returns the extent it used. With `forPrint` the on-screen heading
// is left out, since a printout has its own titles. The widget, the printer and the render tests
// all call these. User-interface thread only (they read the view's own copy of the plan).

namespace terminor {

class TPlan;
class TZoomCanvas;

/// The extent a page routine used, in logical units.
struct TPageExtent {
    int Width = 0;
    int Height = 0;
};

/// The three modes of the page "Terminplan".
enum class TTerminplanMode { Spielplan, Mannschaftsplaene, MannschaftsplaeneMitNachbarn };

/// Page 0 "Terminwünsche": each team's date wishes, blocked dates, couplings, evaluation.
TPageExtent DrawTerminWuenschePage(TZoomCanvas& canvas, TPlan& plan, bool forPrint);
/// Page 1 "Termine der Nachbarmannschaften".
TPageExtent DrawSisterTeamsPage(TZoomCanvas& canvas, TPlan& plan, bool forPrint);
/// Page 2 "Kosten": cost summary and the cost table with its hit areas.
TPageExtent DrawKostenPage(TZoomCanvas& canvas, TPlan& plan, bool forPrint);
/// Page 3 "Terminplan" in one of its three modes.
TPageExtent DrawTerminplanPage(TZoomCanvas& canvas, TPlan& plan, TTerminplanMode mode, bool forPrint);
/// Page 4 "Diagramme".
TPageExtent DrawDiagramPage(TZoomCanvas& canvas, TPlan& plan, bool forPrint);

} // namespace terminor
