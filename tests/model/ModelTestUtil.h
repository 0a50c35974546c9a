#pragma once
// Shared helpers of the model tests: date literals and plans built from plan-data texts or the
// example files.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "data/DateTime.h"
#include "data/PlanData.h"
#include "model/Plan.h"

namespace terminor::test {

/// The date-time y-m-d hh:mm.
inline TDateTime D(int y, int m, int d, int hh = 0, int mm = 0) {
    return EncodeDate(y, m, d) + EncodeTime(hh, mm);
}

/// A plan built from the text of one `<plan ...>...</plan>` element.
inline std::unique_ptr<TPlan> LoadPlanFromText(const std::string& planXml) {
    TPlanData data;
    data.LoadFromXMLText("<terminor>" + planXml + "</terminor>", "test-plan.xml");
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    return plan;
}

/// A plan built from the text of one `<plan ...>` element, with the options assigned when given.
inline std::unique_ptr<TPlan> LoadPlanFromText(const std::string& planXml, const TCalculateOptions* options) {
    auto plan = LoadPlanFromText(planXml);
    if (options != nullptr) {
        plan->AssignOptions(*options);
    }
    return plan;
}

/// The team of that name; a test failure when there is none.
inline TMannschaft& TeamOf(const TPlan& plan, const std::string& name) {
    TMannschaft* team = plan.Mannschaften.FindByName(name);
    if (team == nullptr) {
        throw std::runtime_error("no team " + name);
    }
    return *team;
}

/// The path of a file below the repository's examples folder.
inline std::string ExamplePath(const std::string& fileName) {
    return std::string(TERMINOR_SOURCE_DIR) + "/examples/" + fileName;
}

/// The plan of a click-TT example export below examples/, by default bezirksliga-herren-nord.xml.
inline std::unique_ptr<TPlan> LoadExamplePlan(const std::string& fileName = "bezirksliga-herren-nord.xml") {
    TPlanData data;
    data.LoadFromClickTTFile(ExamplePath(fileName));
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    return plan;
}

/// The first team term whose cached value differs from a computation from scratch, as
/// "team type cached fresh", or the empty text when every cached value is right: both the values a
/// team computation takes from the cache and every filled cache entry (the plan's cost sums read
/// those directly). The caches are left as they were.
inline std::string FirstStaleCachedTerm(TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        const TKostenCache entries = team->KostenCache;
        TMannschaftsKosten cached;
        team->CalculateKosten(plan, cached, tmNoMessage);
        const TKostenCache saved = team->KostenCache;
        team->ClearKostenCache();
        TMannschaftsKosten fresh;
        team->CalculateKosten(plan, fresh, tmNoMessage);
        team->KostenCache = saved;
        for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
            const double entry = entries.Values[static_cast<std::size_t>(type)].GesamtKosten;
            for (const double value : {cached[type].GesamtKosten, entry}) {
                if (value != -1.0 && value != fresh[type].GesamtKosten) {
                    return team->teamName + " " + std::string(MannschaftsKostenTypeName(type)) + " " +
                           std::to_string(value) + " " + std::to_string(fresh[type].GesamtKosten);
                }
            }
        }
    }
    return {};
}

/// The game-day terms of the plan against those of a fresh copy, whose game-day values are all
/// computed anew: the empty text when all four agree exactly.
inline std::string StaleGameDayTerms(const TPlan& plan) {
    TPlan copy;
    copy.Assign(plan);
    double kept[4];
    double fresh[4];
    plan.CalculateSpielTagKosten(kept[0], kept[1], kept[2], kept[3]);
    copy.CalculateSpielTagKosten(fresh[0], fresh[1], fresh[2], fresh[3]);
    for (int k = 0; k < 4; ++k) {
        if (kept[k] != fresh[k]) {
            return "game-day term " + std::to_string(k) + ": " + std::to_string(kept[k]) + " instead of " +
                   std::to_string(fresh[k]);
        }
    }
    return {};
}

/// The first incremental placement value that differs from a computation from scratch, or the
/// empty text: each team's count of dated games per day slot and the game it names, its table of
/// coupled pairs, the cached validity of every dated game, and the count of games on forbidden
/// dates.
inline std::string FirstStalePlacementValue(const TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        std::map<int, int> perSlot;
        std::map<int, const TGame*> lastInSlot;
        for (const TGame* game : team->gamesRef) {
            if (game->DateValid()) {
                const int slot = DayNumber(game->FDate) % TMannschaft::DaySlots;
                ++perSlot[slot];
                lastInSlot[slot] = game;
            }
        }
        for (int slot = 0; slot < TMannschaft::DaySlots; ++slot) {
            if (team->SlotGameCount(slot) != perSlot[slot]) {
                return team->teamName + " slot " + std::to_string(slot) + " counts " +
                       std::to_string(team->SlotGameCount(slot)) + " games, has " +
                       std::to_string(perSlot[slot]);
            }
            const TGame* only = team->OnlySlotGame(slot);
            if (only != nullptr && only != lastInSlot[slot]) {
                return team->teamName + " slot " + std::to_string(slot) + " names another game";
            }
        }
    }
    for (const auto& team : plan.Mannschaften) {
        for (int i = 0; i < static_cast<int>(team->gamesRef.size()); ++i) {
            if (team->StartsPair(i) != (team->getForwardKoppeledGame(i) != nullptr) ||
                team->EndsPair(i) != (team->getBackwardKoppeledGame(i) != nullptr)) {
                return team->teamName + " pair table at " + std::to_string(i);
            }
        }
    }
    for (const TGame* game : plan.gamesAllowed) {
        if (game->DateValid() && plan.GameIsValidCached(*game) != plan.GameIsValid(*game)) {
            return "validity of " + game->AsString();
        }
    }
    std::vector<std::string> lines;
    const int fresh = plan.CountNotAllowedGames(&lines);
    if (plan.CountNotAllowedGames() != fresh) {
        return "not allowed games " + std::to_string(plan.CountNotAllowedGames()) + " instead of " +
               std::to_string(fresh);
    }
    return {};
}

} // namespace terminor::test
