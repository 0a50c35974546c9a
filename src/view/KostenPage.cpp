// The page "Kosten" (placeholder while it is being built).

#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

TPageExtent DrawKostenPage(TZoomCanvas& canvas, TPlan&, bool) {
    canvas.TextOut(0, 0, "Kosten");
    return {500, 20};
}

} // namespace terminor
