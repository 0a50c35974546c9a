// The page "Termine der Nachbarmannschaften": per team the games of the club's teams in other
// divisions, day by day; games that must not run in parallel with ours are blue.

#include <string>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/PageCommon.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int PageWidth = 1000;
constexpr int DateX = 20;
constexpr int TimeX = 150;
constexpr int GameX = 200;

std::string SisterGameText(const TSisterGame& game) {
    std::string text = "(" + game.gender + ") " + game.HomeMannschaftName + " - " + game.GuestMannschaftName;
    if (!game.Location.empty()) {
        text += " Spiellokal: " + game.Location;
    }
    return text;
}

} // namespace

TPageExtent DrawSisterTeamsPage(TZoomCanvas& canvas, TPlan& plan, bool forPrint) {
    if (plan.Mannschaften.empty()) {
        return DrawNoPlanLoaded(canvas);
    }
    canvas.FontHeight = BodyFontHeight;
    int y = 0;
    if (!forPrint) {
        DrawHeadingText(canvas, 0, y, "Termine der Nachbarmannschaften:");
        y += 20;
    }
    y += 20;
    canvas.SetFontColor(DirectNeighbourGameColor);
    canvas.TextOut(0, y, "Blau: Spiele direkter Nachbarmannschaften");
    for (const auto& team : plan.Mannschaften) {
        y += 30;
        canvas.SetFontColor(PageTextColor);
        DrawHeadingText(canvas, 0, y, team->teamName + ":");
        y += 10;
        for (const TSisterGames* day : team->sisterGames.toSortedArray()) {
            y += 5;
            bool first = true;
            for (const TSisterGame* game : day->toSortedArray()) {
                y += 20;
                canvas.SetFontColor(PageTextColor);
                if (first) {
                    canvas.TextOut(DateX, y, FormatDayDate(game->Date));
                    first = false;
                }
                canvas.SetFontColor(game->PreventParallelGame ? DirectNeighbourGameColor : PageTextColor);
                canvas.TextOut(TimeX, y, FormatTime(game->Date));
                canvas.TextOut(GameX, y, SisterGameText(*game));
            }
        }
        y += 20;
    }
    canvas.SetFontColor(PageTextColor);
    return {PageWidth, y};
}

} // namespace terminor
