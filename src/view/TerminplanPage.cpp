// The page "Terminplan" (placeholder while it is being built).

#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

TPageExtent DrawTerminplanPage(TZoomCanvas& canvas, TPlan&, TTerminplanMode, bool) {
    canvas.TextOut(0, 0, "Terminplan");
    return {500, 20};
}

} // namespace terminor
