// The page "Kosten": the plan's total cost and its plan-level terms, then the table of every
// team's cost per team cost type with column sums, then the teams' cost messages. Every cost
// figure carries a hit area that edits the weight behind it.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/KostenActionRects.h"
#include "view/PageCommon.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int ValueX = 200;
constexpr int FirstTypeX = 250;
constexpr int TypeColumnWidth = KostenCellWidth;
constexpr int HitHeight = 20;

template <typename TRect, typename... Args>
void AddHit(TZoomCanvas& canvas, int x, int y, int width, Args&&... args) {
    auto rect = std::make_shared<TRect>(std::forward<Args>(args)...);
    rect->setRect(x, y, width, HitHeight);
    canvas.AddActionRect(std::move(rect));
}

int MarkerOf(TCalculateOptionsValues weight) {
    return CalculateOptionsDisplayOffset(weight);
}

/// Rows 2 to 4: the total and the plan-level terms; returns the y of the last row.
int DrawPlanRows(TZoomCanvas& canvas, TPlan& plan, int y, double total) {
    canvas.TextOut(0, y, "Gesamtkosten:");
    canvas.TextOut(ValueX, y, FormatLargeValue(total));

    const std::pair<const char*, double> hardRows[] = {
        {"Spiele nicht terminiert:", plan.CalculateFehlterminKosten()},
        {"ungültige Spiele:", plan.CalculateNotAllowedKosten()},
        {"Spiele an spielfreien Tagen:", plan.CalculateFreeGameDateKosten()},
    };
    for (const auto& [label, value] : hardRows) {
        if (value > 0) {
            y += 20;
            canvas.TextOut(0, y, label);
            DrawKostenCell(canvas, ValueX, y, total, value, std::nullopt, 0);
        }
    }

    double breite = 0;
    double overlap = 0;
    double lastBreite = 0;
    double lastOverlap = 0;
    plan.CalculateSpielTagKosten(breite, overlap, lastBreite, lastOverlap);
    struct TPlanRow {
        const char* label;
        double value;
        TPlanKostenType type;
    };
    std::vector<TPlanRow> rows = {
        {"Überlappung Spieltage:", overlap, pktGameDayOverlap},
        {"Länge Spieltage:", breite, pktGameDayLength},
        {"Überlappung letzer Spieltag:", lastOverlap, pktLastGameDayOverlap},
        {"Länge letzer Spieltag:", lastBreite, pktLastGameDayLength},
    };
    if (const double sisterAtBegin = plan.CalculateSisterTeamsAmAnfang(); sisterAtBegin > 0) {
        rows.push_back({"Vereinsinterne Spiele am Anfang:", sisterAtBegin, pktSisterGamesAtBegin});
    }
    const TCalculateOptions& options = plan.getOptions();
    for (const TPlanRow& row : rows) {
        y += 20;
        canvas.TextOut(0, y, row.label);
        DrawKostenCell(canvas, ValueX, y, total, row.value, std::nullopt,
                       MarkerOf(options.getGewichtungPlan(row.type)));
        AddHit<TActionRectKostenPlan>(canvas, ValueX, y, 70, row.type);
    }
    return y;
}

} // namespace

TPageExtent DrawKostenPage(TZoomCanvas& canvas, TPlan& plan, bool forPrint) {
    if (!HasDatedGames(plan)) {
        return DrawNoGamesScheduled(canvas);
    }
    canvas.FontHeight = BodyFontHeight;
    canvas.SetFontColor(PageTextColor);
    int y = 0;
    if (!forPrint) {
        DrawHeadingText(canvas, 0, y, "Kosten:");
    }
    y += 30;

    const double total = plan.CalculateKosten(-1);
    y = DrawPlanRows(canvas, plan, y, total);
    y += 40;

    std::vector<TMannschaftsKostenType> shown;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        if (plan.HasValuesForType(type)) {
            shown.push_back(type);
        }
    }
    const int shownCount = static_cast<int>(shown.size());
    const int teamCount = static_cast<int>(plan.Mannschaften.size());
    DrawRowBands(canvas, y + 52, teamCount, 440 + 100 * shownCount);

    canvas.TextOut(0, y, "Mannschaft");
    int x = FirstTypeX;
    for (const TMannschaftsKostenType type : shown) {
        canvas.TextOut(x, y, MannschaftsKostenTypeText(type));
        AddHit<TActionRectKostenTypeMannschaft>(canvas, x, y, TypeColumnWidth, type);
        x += TypeColumnWidth;
    }
    canvas.TextOut(x, y, "Gesamt");
    y += 30;

    const TCalculateOptions& options = plan.getOptions();
    std::vector<double> columnSums(shown.size(), 0.0);
    double sumOfTotals = 0;
    std::vector<TMannschaftsKosten> teamCosts(plan.Mannschaften.size());
    for (std::size_t t = 0; t < teamCosts.size(); ++t) {
        TMannschaft* team = plan.Mannschaften[t];
        TMannschaftsKosten& kosten = teamCosts[t];
        team->CalculateKosten(plan, kosten, tmNormalMessage);
        canvas.TextOut(0, y, team->teamName);
        AddHit<TActionRectKostenMannschaftMain>(canvas, 0, y, 250, team->teamId);
        x = FirstTypeX;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const TKostenValue& value = kosten[shown[i]];
            DrawKostenCell(canvas, x, y, total, value.GesamtKosten,
                           TKostenCounts{value.Anzahl, value.AllCount},
                           plan.GetMannschaftKostenDisplayInteger(*team, shown[i]));
            AddHit<TActionRectKostenMannschaftDetail>(canvas, x, y, TypeColumnWidth, team->teamId, shown[i]);
            columnSums[i] += value.GesamtKosten;
            x += TypeColumnWidth;
        }
        const double teamTotal = kosten.getGesamtKosten();
        sumOfTotals += teamTotal;
        DrawKostenCell(canvas, x, y, total, teamTotal, std::nullopt,
                       MarkerOf(options.GewichtungMannschaften.getMain(team->teamId)));
        AddHit<TActionRectKostenMannschaftMain>(canvas, x, y, TypeColumnWidth, team->teamId);
        y += 30;
    }

    y += 5;
    canvas.TextOut(0, y, "Summe:");
    x = FirstTypeX;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        DrawKostenCell(canvas, x, y, total, columnSums[i], std::nullopt,
                       MarkerOf(options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(shown[i])]));
        AddHit<TActionRectKostenTypeMannschaft>(canvas, x, y, TypeColumnWidth, shown[i]);
        x += TypeColumnWidth;
    }
    DrawKostenCell(canvas, x, y, total, sumOfTotals, std::nullopt, 0);
    y += 60;

    for (std::size_t t = 0; t < teamCosts.size(); ++t) {
        TMannschaftsKosten& kosten = teamCosts[t];
        if (!kosten.HasMessages() || kosten.Messages().empty()) {
            continue;
        }
        DrawHeadingText(canvas, 0, y, plan.Mannschaften[t]->teamName + ":");
        y += 30;
        for (const std::string& message : kosten.Messages()) {
            canvas.TextOut(0, y, message);
            y += 20;
        }
        y += 20;
    }

    // The table's right end: the "Gesamt" column after the shown types (wider than the nominal
    // 450 plus 100 per type from 10 types on).
    return {std::max(450 + 100 * shownCount, FirstTypeX + TypeColumnWidth * (shownCount + 1)), y};
}

} // namespace terminor
