// TWeightAction: which weight each kind of cost hit area reads and writes.

#include "app/WeightAction.h"

#include <array>

#include "app/SingleGewichtungDialog.h"
#include "model/Kosten.h"
#include "model/Plan.h"
#include "view/KostenActionRects.h"

namespace terminor {

namespace {

/// The detail messages of one team and cost type, computed on the displayed plan.
std::vector<std::string> DetailMessages(TPlan& displayedPlan, const std::string& teamId,
                                        TMannschaftsKostenType type) {
    TMannschaftsKosten kosten;
    if (TMannschaft* team = displayedPlan.Mannschaften.FindByTeamId(teamId)) {
        team->CalculateKostenForType(displayedPlan, type, kosten, tmDetailMessage);
    }
    if (kosten.HasMessages() && !kosten.Messages().empty()) {
        return kosten.Messages();
    }
    return {KeineMeldungText};
}

} // namespace

std::optional<TWeightAction> TWeightAction::Create(const TActionRectKosten& hit, const TPlan& loadedPlan,
                                                   TPlan& displayedPlan) {
    TWeightAction action;
    if (const auto* plan = dynamic_cast<const TActionRectKostenPlan*>(&hit)) {
        action.Kind = TKind::Plan;
        action.FPlanType = plan->KostenType;
        action.Title = "Gewichtung ändern";
        action.RowText = PlanKostenTypeText(plan->KostenType);
    } else if (const auto* type = dynamic_cast<const TActionRectKostenTypeMannschaft*>(&hit)) {
        action.Kind = TKind::TypeMannschaft;
        action.FTeamType = type->KostenType;
        action.Title = "Gewichtung ändern";
        action.RowText = MannschaftsKostenTypeText(type->KostenType);
    } else if (const auto* main = dynamic_cast<const TActionRectKostenMannschaftMain*>(&hit)) {
        action.Kind = TKind::MannschaftMain;
        action.FTeamId = main->teamId;
    } else if (const auto* detail = dynamic_cast<const TActionRectKostenMannschaftDetail*>(&hit)) {
        action.Kind = TKind::MannschaftDetail;
        action.FTeamId = detail->teamId;
        action.FTeamType = detail->KostenType;
    } else {
        return std::nullopt;
    }
    if (action.Kind == TKind::MannschaftMain || action.Kind == TKind::MannschaftDetail) {
        const TMannschaft* team = loadedPlan.Mannschaften.FindByTeamId(action.FTeamId);
        if (team == nullptr) {
            return std::nullopt;
        }
        if (action.Kind == TKind::MannschaftMain) {
            action.Title = "Gewichtung der Mannschaft ändern";
            action.RowText = team->teamName;
        } else {
            action.Title = "Gewichtung der Mannschaft " + team->teamName + " ändern";
            action.RowText = MannschaftsKostenTypeText(action.FTeamType);
            action.Messages = DetailMessages(displayedPlan, action.FTeamId, action.FTeamType);
        }
    }
    action.Value = action.Read(loadedPlan.getOptions());
    return action;
}

TCalculateOptionsValues TWeightAction::Read(const TCalculateOptions& options) const {
    switch (Kind) {
    case TKind::Plan:
        return options.getGewichtungPlan(FPlanType);
    case TKind::TypeMannschaft:
        return options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(FTeamType))];
    case TKind::MannschaftMain:
        return options.GewichtungMannschaften.getMain(FTeamId);
    case TKind::MannschaftDetail:
        return options.GewichtungMannschaften.getDetail(FTeamId, FTeamType);
    }
    return coNormal;
}

void TWeightAction::Write(TCalculateOptions& options, TCalculateOptionsValues value) const {
    switch (Kind) {
    case TKind::Plan:
        options.setGewichtungPlan(FPlanType, value);
        break;
    case TKind::TypeMannschaft:
        options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(FTeamType))] = value;
        break;
    case TKind::MannschaftMain:
        options.GewichtungMannschaften.addMain(FTeamId, value);
        break;
    case TKind::MannschaftDetail:
        options.GewichtungMannschaften.addDetail(FTeamId, FTeamType, value);
        break;
    }
}

std::optional<TCalculateOptions> RunWeightAction(QWidget* parent, const TActionRectKosten& hit,
                                                 const TPlan& loadedPlan, TPlan& displayedPlan) {
    const std::optional<TWeightAction> action = TWeightAction::Create(hit, loadedPlan, displayedPlan);
    if (!action) {
        return std::nullopt;
    }
    TDialogForSingleGewichtungsOptions dialog(parent);
    dialog.SmallDlg();
    dialog.SetTitle(action->Title);
    dialog.Init({action->RowText});
    std::array<TCalculateOptionsValues, 1> values = {action->Value};
    dialog.SetValues(values);
    if (action->Kind == TWeightAction::TKind::MannschaftDetail) {
        dialog.SetMessages(action->Messages);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    dialog.GetValues(values);
    TCalculateOptions options;
    options.Assign(loadedPlan.getOptions());
    action->Write(options, values[0]);
    return options;
}

} // namespace terminor
