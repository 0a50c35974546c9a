// TSubDialogController: the two weighting dialogs of the team weights.

#include "app/SubDialogController.h"

#include <QPushButton>

#include "app/SingleGewichtungDialog.h"
#include "model/Plan.h"

namespace terminor {

std::vector<std::string> MannschaftsKostenTypeTitles() {
    std::vector<std::string> titles;
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        titles.emplace_back(MannschaftsKostenTypeText(type));
    }
    return titles;
}

std::vector<bool> MannschaftsKostenTypeVisible(const TPlan& plan) {
    std::vector<bool> visible;
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        visible.push_back(plan.HasValuesForType(type));
    }
    return visible;
}

void ChangeOptions(TPlan& plan, const std::function<void(TCalculateOptions&)>& change) {
    TCalculateOptions options;
    options.Assign(plan.getOptions());
    change(options);
    plan.AssignOptions(options);
}

TSubDialogController::TSubDialogController() : Plan(std::make_unique<TPlan>()) {}

TSubDialogController::~TSubDialogController() = default;

bool TSubDialogController::Execute(QWidget* parent) {
    std::vector<std::string> titles;
    std::vector<TCalculateOptionsValues> values;
    for (const auto& team : Plan->Mannschaften) {
        titles.push_back(team->teamName);
        values.push_back(Plan->getOptions().GewichtungMannschaften.getMain(team->teamId));
    }
    TDialogForSingleGewichtungsOptions dialog(parent);
    dialog.SetTitle("Gewichtung der Mannschaften");
    dialog.Init(titles);
    dialog.SetValues(values);
    dialog.SetShowButtons(true);
    dialog.SetOnButtonClick([this](QPushButton* sender, int index) { DoButtonClick(sender, index); });
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    dialog.GetValues(values);
    ChangeOptions(*Plan, [&](TCalculateOptions& options) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            options.GewichtungMannschaften.addMain(Plan->Mannschaften[i]->teamId, values[i]);
        }
    });
    return true;
}

void TSubDialogController::DoButtonClick(QPushButton* sender, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Plan->Mannschaften.size()) {
        return;
    }
    const std::string teamId = Plan->Mannschaften[static_cast<std::size_t>(index)]->teamId;
    TMannschaftsKostenArray values{};
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        values[static_cast<std::size_t>(Ord(type))] =
            Plan->getOptions().GewichtungMannschaften.getDetail(teamId, type);
    }
    TDialogForSingleGewichtungsOptions dialog(sender != nullptr ? sender->window() : nullptr);
    dialog.SetTitle("Gewichtung für: " + Plan->Mannschaften[static_cast<std::size_t>(index)]->teamName);
    dialog.Init(MannschaftsKostenTypeTitles());
    dialog.SetValues(values);
    dialog.SetVisibleState(MannschaftsKostenTypeVisible(*Plan));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    dialog.GetValues(values);
    ChangeOptions(*Plan, [&](TCalculateOptions& options) {
        for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
            options.GewichtungMannschaften.addDetail(teamId, type,
                                                     values[static_cast<std::size_t>(Ord(type))]);
        }
    });
}

} // namespace terminor
