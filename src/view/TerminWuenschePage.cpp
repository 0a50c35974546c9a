// The page "Terminwünsche": a chart of every team's date wishes and blocked dates over the
// calendar, then per team its wish lines, blocked dates, away couplings, 60 km partners, home
// rights and the evaluation whether its wishes suffice for each half, with the data diagnostics.

#include <algorithm>
#include <string>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/PageCommon.h"
#include "view/PlanPages.h"
#include "view/WishLines.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int MinPageWidth = 1000;
constexpr int ChartRowHeight = 30;
constexpr int SectionX = 10;
constexpr int LineX = 20;
constexpr int LineHeight = 20;
constexpr int SectionGap = 25;

bool IsShownWish(const TWunschTermin& wish) {
    return !wish.Options.Contains(woAuswaertsKoppelSecondTime);
}

/// The chart from y on; returns the y of its last legend line.
int DrawWishChart(TZoomCanvas& canvas, const TPlan& plan, const TDateAxis& axis, int y) {
    axis.DrawCalendar(canvas, y);
    const int teams = static_cast<int>(plan.Mannschaften.size());
    axis.DrawWeekLines(canvas, y + 25, y + 25 + ChartRowHeight * teams);
    int rowY = y + 35;
    for (const auto& team : plan.Mannschaften) {
        canvas.TextOut(0, rowY, team->teamName);
        for (const auto& wish : team->WunschTermine) {
            if (IsShownWish(*wish)) {
                DrawMark(canvas, axis.X(DateOf(wish->Date) + 0.5), rowY,
                         wish->Options.IsKoppelDate() ? KoppelWishMarkColor : WishMarkColor);
            }
        }
        for (const TDateTime sperrTermin : team->SperrTermine) {
            DrawMark(canvas, axis.X(sperrTermin), rowY, SperrTerminMarkColor);
        }
        rowY += ChartRowHeight;
    }
    int legendY = rowY - ChartRowHeight + 35;
    DrawLegendMark(canvas, 10, legendY, WishMarkColor, "Terminwunsch");
    DrawLegendMark(canvas, 110, legendY, SperrTerminMarkColor, "Sperrtermin");
    if (plan.HasKoppelTermine()) {
        DrawLegendMark(canvas, 210, legendY, KoppelWishMarkColor, "Koppeltermin/Doppelspieltag");
    }
    const std::pair<bool, const char*> missing[] = {
        {!plan.Has60KilometerValues(), "Keine Wünsche für die 60km-Regel"},
        {!plan.HasKoppelTermine(), "Keine Koppeltermine/Doppelspieltage gemeldet"},
        {!plan.HasAuswaertsKoppelTermine(), "Keine Auswärtskoppelwünsche gemeldet"},
    };
    for (const auto& [applies, text] : missing) {
        if (applies) {
            legendY += 15;
            canvas.TextOut(10, legendY, text);
        }
    }
    return legendY;
}

/// A section heading at x 10, 25 below y, with its lines at x 20, 20 apart; returns the new y.
int DrawSection(TZoomCanvas& canvas, int y, const std::string& heading,
                const std::vector<std::string>& lines) {
    y += SectionGap;
    canvas.TextOut(SectionX, y, heading);
    for (const std::string& line : lines) {
        y += LineHeight;
        canvas.TextOut(LineX, y, line);
    }
    return y;
}

/// The away-coupling, 60 km and home-right sections of a team; returns the new y.
int DrawTeamWishes(TZoomCanvas& canvas, const TPlan& plan, const TMannschaft& team, int y) {
    if (!team.AuswaertsKoppel.empty()) {
        std::vector<std::string> lines;
        for (const TAuswaertsKoppel& koppel : team.AuswaertsKoppel) {
            const char* kind = koppel.Option == ktSameDay   ? "am gleichen Tag"
                               : koppel.Option == ktDiffDay ? "mit Übernachtung"
                                                            : "mit optionaler Übernachtung";
            if (koppel.Option != ktNone) {
                lines.push_back(koppel.TeamA + " und " + koppel.TeamB + " " + kind);
            }
        }
        y = DrawSection(canvas, y, "Auswärtskoppelwünsche:", lines);
    }
    if (!team.noWeekGame.empty()) {
        y = DrawSection(canvas, y,
                        "Spiele gegen diese Mannschaften nur am Wochenende (60km Regel):", team.noWeekGame);
    }
    if (team.HomeRightCountRoundOne >= 0 || !team.HomeRights.empty()) {
        std::vector<std::string> lines;
        if (team.HomeRightCountRoundOne >= 0) {
            const int secondRound =
                static_cast<int>(plan.Mannschaften.size()) - team.HomeRightCountRoundOne - 1;
            lines.push_back("Vorrunde: " + std::to_string(team.HomeRightCountRoundOne) +
                            " Rückrunde: " + std::to_string(secondRound));
        }
        for (const THomeRight& homeRight : team.HomeRights) {
            lines.push_back(homeRight.AsString());
        }
        y = DrawSection(canvas, y, "Heimrecht:", lines);
    }
    return y;
}

/// One team's block from y on; returns the y after it.
int DrawTeam(TZoomCanvas& canvas, const TPlan& plan, const TMannschaft& team, int y) {
    DrawHeadingText(canvas, 0, y, team.teamName + ":");
    y += 10;
    const TRoundPlaning planing = plan.getOptions().RoundPlaning;
    TWishCounts firstHalf;
    TWishCounts secondHalf;
    for (const auto& wish : team.WunschTermine) {
        if (!IsShownWish(*wish)) {
            continue;
        }
        const TWishLine line = MakeWishLine(plan, team, *wish);
        y += LineHeight;
        canvas.SetFontColor(line.Color);
        canvas.TextOut(LineX, y, line.Text);
        const bool first = planing == rpHalfRound || wish->Date < plan.DateBeginRueckrundeInXML;
        (first ? firstHalf : secondHalf).Add(line);
    }
    canvas.SetFontColor(PageTextColor);

    std::vector<std::string> sperrTermine;
    for (const TDateTime date : team.SperrTermine) {
        if (plan.IsInRoundToGenerate(date)) {
            sperrTermine.push_back(FormatDayDate(date));
        }
    }
    if (!sperrTermine.empty()) {
        y = DrawSection(canvas, y,
                        "Sperrtermine (" + std::to_string(sperrTermine.size()) + " Stück):", sperrTermine);
    }
    y = DrawTeamWishes(canvas, plan, team, y);

    y = DrawSection(canvas, y, "Auswertung:", {}) + LineHeight;
    const auto evaluation = [&](const char* label, const TWishCounts& counts) {
        canvas.SetFontColor(EvaluationColor(plan, counts));
        canvas.TextOut(LineX, y, EvaluationText(label, counts));
    };
    evaluation(planing == rpHalfRound ? "Terminwünsche: " : "Terminwünsche Vorrunde: ", firstHalf);
    y += LineHeight;
    if (planing == rpBoth || planing == rpSecondOnly) {
        evaluation("Terminwünsche Rückrunde: ", secondHalf);
        std::vector<std::string> messages;
        team.getTermineNotPossible(plan, messages);
        canvas.SetFontColor(TooFewWishesColor);
        for (const std::string& message : messages) {
            y += LineHeight;
            canvas.TextOut(LineX, y, message);
        }
        y += LineHeight;
    }
    canvas.SetFontColor(PageTextColor);
    return y + 20;
}

} // namespace

TPageExtent DrawTerminWuenschePage(TZoomCanvas& canvas, TPlan& plan, bool forPrint) {
    if (plan.Mannschaften.empty()) {
        return DrawNoPlanLoaded(canvas);
    }
    canvas.FontHeight = BodyFontHeight;
    canvas.SetFontColor(PageTextColor);
    if (!forPrint) {
        DrawHeadingText(canvas, 0, 0, "Terminwünsche:");
    }
    const TDateAxis axis(plan);
    int y = DrawWishChart(canvas, plan, axis, 30) + 40;
    for (const auto& team : plan.Mannschaften) {
        y = DrawTeam(canvas, plan, *team, y);
    }
    return {std::max(MinPageWidth, axis.Right()), y - 40};
}

} // namespace terminor
