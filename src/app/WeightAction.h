#pragma once
// The weight edited by a click on a cost hit area of the plan view: the dialog's title and row
// text, the current value in the loaded plan's options, the team's detail messages, and writing a
// new value into a set of options. RunWeightAction shows the one-row weighting dialog for it.
// User-interface thread only.

#include <optional>
#include <string>
#include <vector>

#include "model/CalculateOptions.h"
#include "model/Types.h"

class QWidget;

namespace terminor {

class TActionRectKosten;
class TPlan;

/// Shown for a team's cost cell when the computation reports nothing.
inline constexpr const char* KeineMeldungText =
    "Zu dieser Kostenart gibt es bei dieser Mannschaft keine Meldung";

class TWeightAction {
public:
    enum class TKind { Plan, TypeMannschaft, MannschaftMain, MannschaftDetail };

    /// The action of a hit area; none when it names a team that the loaded plan does not have.
    /// For a team's cost cell the messages are computed on the displayed plan.
    static std::optional<TWeightAction> Create(const TActionRectKosten& hit, const TPlan& loadedPlan,
                                               TPlan& displayedPlan);

    TCalculateOptionsValues Read(const TCalculateOptions& options) const;
    void Write(TCalculateOptions& options, TCalculateOptionsValues value) const;

    TKind Kind = TKind::Plan;
    std::string Title;
    std::string RowText;
    /// The weight in the loaded plan's options.
    TCalculateOptionsValues Value = coNormal;
    /// Team cost cells only: the detail messages, or KeineMeldungText.
    std::vector<std::string> Messages;

private:
    TPlanKostenType FPlanType = pktGameDayOverlap;
    TMannschaftsKostenType FTeamType = mktHalleBelegt;
    std::string FTeamId;
};

/// Opens the small weighting dialog for the hit area; on OK the loaded plan's options with the
/// chosen value, which the caller saves and applies. Nothing for Cancel or an unknown team.
std::optional<TCalculateOptions> RunWeightAction(QWidget* parent, const TActionRectKosten& hit,
                                                 const TPlan& loadedPlan, TPlan& displayedPlan);

} // namespace terminor
