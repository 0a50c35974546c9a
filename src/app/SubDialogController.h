#pragma once
// TSubDialogController: the per-team weighting behind "Mannschaften anpassen...". It works on a
// plan copy of its own: the team list with each team's main weight, and per team the sixteen
// detail weights. Only the caller decides whether the copy's options are taken over.
// User-interface thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Types.h"

class QPushButton;
class QWidget;

namespace terminor {

class TCalculateOptions;
class TPlan;

/// The sixteen team cost type headings, in type order.
std::vector<std::string> MannschaftsKostenTypeTitles();
/// Per team cost type whether the plan has data for it (the rows and columns shown for it).
std::vector<bool> MannschaftsKostenTypeVisible(const TPlan& plan);
/// Changes the plan's options through a copy, which the plan then takes over (re-deriving its data).
void ChangeOptions(TPlan& plan, const std::function<void(TCalculateOptions&)>& change);

class TSubDialogController {
public:
    TSubDialogController();
    ~TSubDialogController();
    TSubDialogController(const TSubDialogController&) = delete;
    TSubDialogController& operator=(const TSubDialogController&) = delete;

    /// The team list dialog; on OK every team's main weight is written into Plan's options.
    bool Execute(QWidget* parent);
    /// The detail dialog of the team at `index`; on OK its sixteen weights are written.
    void DoButtonClick(QPushButton* sender, int index);

    /// The owned plan copy whose options are edited.
    std::unique_ptr<TPlan> Plan;
};

} // namespace terminor
