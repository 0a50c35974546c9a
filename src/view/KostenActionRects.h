#pragma once
// The hit areas of the cost page. Each carries what was clicked; its action hands itself to the
// handler that the plan view installs after painting (the main window edits the weight).
// User-interface thread only.

#include <functional>
#include <string>

#include "model/Types.h"
#include "view/ActionRect.h"

namespace terminor {

class TActionRectKosten : public TActionRectBase {
public:
    using THandler = std::function<void(const TActionRectKosten&)>;

    void DoAction(QPoint) override {
        if (FHandler) {
            FHandler(*this);
        }
    }
    void SetHandler(THandler handler) { FHandler = std::move(handler); }

private:
    THandler FHandler;
};

/// The value of a plan-level cost row: edits the plan weight of that type.
class TActionRectKostenPlan : public TActionRectKosten {
public:
    explicit TActionRectKostenPlan(TPlanKostenType kostenType) : KostenType(kostenType) {}
    TPlanKostenType KostenType;
};

/// A column heading or sum cell: edits the main weight of that team cost type for all teams.
class TActionRectKostenTypeMannschaft : public TActionRectKosten {
public:
    explicit TActionRectKostenTypeMannschaft(TMannschaftsKostenType kostenType) : KostenType(kostenType) {}
    TMannschaftsKostenType KostenType;
};

/// A team's name or total: edits the team's own weight.
class TActionRectKostenMannschaftMain : public TActionRectKosten {
public:
    explicit TActionRectKostenMannschaftMain(std::string id) : teamId(std::move(id)) {}
    std::string teamId;
};

/// A team's cell of one cost type: edits the team's weight for that type, shows its messages.
class TActionRectKostenMannschaftDetail : public TActionRectKosten {
public:
    TActionRectKostenMannschaftDetail(std::string id, TMannschaftsKostenType kostenType)
        : teamId(std::move(id)), KostenType(kostenType) {}
    std::string teamId;
    TMannschaftsKostenType KostenType;
};

} // namespace terminor
