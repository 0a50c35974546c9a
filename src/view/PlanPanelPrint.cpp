// TFormPlanPanel::Print (placeholder while printing is being built).

#include "view/PlanPanel.h"

namespace terminor {

void TFormPlanPanel::Print() {}

} // namespace terminor
