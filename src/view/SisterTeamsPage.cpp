// Placeholder until this page is drawn: a single line of text.

#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

TPageExtent DrawSisterTeamsPage(TZoomCanvas& canvas, TPlan&, bool) {
    canvas.FontHeight = -12;
    canvas.TextOut(0, 0, "Diese Seite folgt in einer späteren Version.");
    return {500, 20};
}

} // namespace terminor
