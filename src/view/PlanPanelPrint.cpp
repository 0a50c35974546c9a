// TFormPlanPanel::Print: asks with TFormPrintSelect, then prints the chosen sections of the view's
// own plan. The sections call the page routines directly, since each schedule section needs its
// own mode of page 3 whatever mode the view shows.

#include "view/PlanPanel.h"

#include "model/Plan.h"
#include "view/PlanPrint.h"
#include "view/PrintSelect.h"
#include "view/SimplePrinter.h"

namespace terminor {

void TFormPlanPanel::Print() {
    TFormPrintSelect select(this);
    if (select.exec() != QDialog::Accepted) {
        return;
    }
    const TPrintSelection selection = select.Selection();
    TSimplePrinter printer(this);
    printer.FontFamily = "Tahoma";
    printer.FontHeight = -12;
    printer.Zoom = PrintZoom(selection);
    if (!printer.BeginPrint(Plan().PlanName, selection.Landscape)) {
        return;
    }
    PrintPlanSections(printer, Plan(), selection);
    printer.EndPrint();
}

} // namespace terminor
