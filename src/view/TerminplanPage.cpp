// The page "Terminplan" in its three modes: the whole schedule by date with a gap at each new
// calendar week; each team's games with a gap at each new round; and the team plans with the games
// of the same club's other teams on the same day beneath each game.

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/GameActionRects.h"
#include "view/PageCommon.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {

namespace {

constexpr int LineHeight = 20;
constexpr int PageWidth = 1500;
constexpr int TimeX = 100;
// The lock mark of a locked game sits left of the line, in the page's margin.
constexpr int LockMarkX = -14;
constexpr int HomeX = 150;
constexpr int DashX = 400;
constexpr int GuestX = 420;
constexpr int RemarksX = 720;

/// Whether the team, which plays `game`, has a coupled partner for it among its own games.
bool HasKoppeledGame(const TMannschaft& team, const TGame& game) {
    const TGame* own = team.gamesRef.findSameGame(game);
    return own != nullptr && team.getKoppeledGame(own) != nullptr;
}

/// The remarks of a game line, joined with ", ".
std::string GameRemarks(const TPlan& plan, const TGame& game) {
    std::vector<std::string> remarks;
    if (plan.FreeGameDays.contains(static_cast<int>(game.FDate))) {
        remarks.emplace_back("spielfreier Tag");
    }
    if (game.DateValid()) {
        const TGame* predefined = plan.predefinedGames.findSameGame(game);
        if (predefined != nullptr) {
            remarks.emplace_back("manuell festgelegter Termin");
        }
        if (HasKoppeledGame(*game.MannschaftHeim, game)) {
            remarks.emplace_back("Heimkoppelspiel/Doppelspieltag");
        }
        if (HasKoppeledGame(*game.MannschaftGast, game)) {
            remarks.emplace_back("Auswärtskoppelspiel");
        }
        const TWunschTermin* wish = game.MannschaftHeim->WunschTermine.Find(game.FDate);
        if (wish != nullptr) {
            if (game.MannschaftHeim->isAusWeichTermin(game.FDate)) {
                remarks.emplace_back("Ausweichtermin");
            }
            if (wish->Options.ContainsAny({woKoppelSecondTime, woAuswaertsKoppelSecondTime})) {
                remarks.emplace_back("wegen Koppeltermin geänderte Uhrzeit");
            }
            if (predefined == nullptr && !wish->Location.empty()) {
                remarks.push_back("Spiellokal: " + wish->Location);
            }
        }
        if (predefined != nullptr && !predefined->OverrideLocation.empty()) {
            remarks.push_back("Spiellokal: " + predefined->OverrideLocation);
        }
        if (wish == nullptr) {
            remarks.emplace_back("kein Wunschtermin");
        }
        if (plan.gamesNotAllowed.findSameGame(game) != nullptr) {
            remarks.emplace_back("doppeltes Spiel");
        }
        if (wish != nullptr) {
            const TGame* allowed = plan.gamesAllowed.findSameGame(game);
            if (allowed != nullptr && !plan.GameIsValid(*allowed)) {
                remarks.emplace_back("ungültiger Termin");
            }
        }
    }
    std::string text;
    for (const std::string& remark : remarks) {
        text += (text.empty() ? "" : ", ") + remark;
    }
    return text;
}

/// A small padlock at the start of a game line whose date is locked, left of its date.
void DrawLockMark(TZoomCanvas& canvas, int y) {
    const QColor brush = canvas.BrushColor();
    const QColor pen = canvas.PenColor();
    const QColor dark(90, 90, 90);
    canvas.SetPenColor(dark);
    canvas.MoveTo(LockMarkX + 2, y + 7);
    canvas.LineTo(LockMarkX + 2, y + 2);
    canvas.LineTo(LockMarkX + 7, y + 2);
    canvas.LineTo(LockMarkX + 7, y + 7);
    canvas.SetBrushColor(dark);
    canvas.FillRect({LockMarkX, y + 7, LockMarkX + 10, y + 15});
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
}

/// One game line at y, with its hit area.
void DrawGameLine(TZoomCanvas& canvas, const TPlan& plan, const TGame& game, int y) {
    const bool locked = game.DateValid() && plan.predefinedGames.findSameGame(game) != nullptr;
    if (locked) {
        DrawLockMark(canvas, y);
    }
    if (game.DateValid()) {
        canvas.TextOut(0, y, FormatDayDate(game.FDate));
        canvas.TextOut(TimeX, y, FormatTime(game.FDate));
    } else {
        canvas.TextOut(0, y, "------");
    }
    canvas.TextOut(HomeX, y, game.MannschaftHeim->teamName);
    canvas.TextOut(DashX, y, "-");
    canvas.TextOut(GuestX, y, game.MannschaftGast->teamName);
    if (const std::string remarks = GameRemarks(plan, game); !remarks.empty()) {
        canvas.TextOut(RemarksX, y, remarks);
    }
    auto hit = std::make_shared<TActionRectGame>(game.MannschaftHeim->teamId, game.MannschaftGast->teamId,
                                                 game.FDate, locked);
    hit->setRect(0, y, PageWidth, LineHeight);
    canvas.AddActionRect(std::move(hit));
}

/// A team's club: its name without a trailing blank and Roman numeral of 1 to 30.
std::string_view ClubOf(std::string_view teamName) {
    static const std::array<std::string, 30> numerals = [] {
        std::array<std::string, 30> result;
        for (int n = 1; n <= 30; ++n) {
            result[static_cast<std::size_t>(n - 1)] = ToRoman(n);
        }
        return result;
    }();
    for (const std::string& numeral : numerals) {
        if (teamName.size() > numeral.size() && teamName.ends_with(numeral) &&
            teamName[teamName.size() - numeral.size() - 1] == ' ') {
            return teamName.substr(0, teamName.size() - numeral.size() - 1);
        }
    }
    return teamName;
}

/// Draws the neighbouring games of `game`'s day that involve `club`, one line each from y on;
/// returns the y below them (with 10 units of space when there were any).
int DrawNeighbourGames(TZoomCanvas& canvas, const TPlan& plan, const TGame& game, std::string_view club,
                       int y) {
    const auto relevant = [club](std::string_view home, std::string_view guest) {
        return ClubOf(home) == club || ClubOf(guest) == club;
    };
    const auto line = [&canvas, &y](TDateTime date, const std::string& home, const std::string& guest,
                                    const std::string& location, bool direct) {
        canvas.SetFontColor(direct ? DirectNeighbourGameColor : NeighbourGameColor);
        canvas.TextOut(TimeX, y, FormatTime(date));
        canvas.TextOut(HomeX, y, home);
        canvas.TextOut(DashX, y, "-");
        canvas.TextOut(GuestX, y, guest);
        if (!location.empty()) {
            canvas.TextOut(RemarksX, y, "Spiellokal: " + location);
        }
        y += LineHeight;
    };
    const int top = y;
    const int day = static_cast<int>(game.FDate);
    for (const TMannschaft* side : {game.MannschaftHeim, game.MannschaftGast}) {
        if (const TSisterGames* dayGames = side->sisterGames.get(game.FDate)) {
            for (const TSisterGame* sister : dayGames->toSortedArray()) {
                if (relevant(sister->HomeMannschaftName, sister->GuestMannschaftName)) {
                    line(sister->Date, "(" + sister->gender + ") " + sister->HomeMannschaftName,
                         sister->GuestMannschaftName, sister->Location, sister->PreventParallelGame);
                }
            }
        }
        for (const TMannschaft* sisterTeam : side->SisterTeamsInPlan) {
            for (const TGame* other : sisterTeam->gamesRef) {
                if (!other->DateValid() || static_cast<int>(other->FDate) != day ||
                    other->MannschaftHeim == side || other->MannschaftGast == side ||
                    !relevant(other->MannschaftHeim->teamName, other->MannschaftGast->teamName)) {
                    continue;
                }
                line(other->FDate, "(" + plan.gender + ") " + other->MannschaftHeim->teamName,
                     other->MannschaftGast->teamName, other->GetLocation(),
                     std::abs(side->teamNumber - sisterTeam->teamNumber) == 1);
            }
        }
    }
    canvas.SetFontColor(PageTextColor);
    return y > top ? y + 10 : y;
}

TPageExtent DrawSpielplan(TZoomCanvas& canvas, const TPlan& plan, int y) {
    TGameList games;
    plan.getCloneOfAllGames(games);
    games.SortByDate();
    bool first = true;
    int previousWeek = 0;
    for (const TGame* game : games) {
        if (game->FNotNecessary) {
            continue;
        }
        const int week = game->DateValid() ? IsoWeekOfYear(game->FDate) : 0;
        if (!first && week != previousWeek) {
            y += 10;
        }
        first = false;
        previousWeek = week;
        DrawGameLine(canvas, plan, *game, y);
        y += LineHeight;
    }
    return {PageWidth, y + 40};
}

TPageExtent DrawMannschaftsplaene(TZoomCanvas& canvas, const TPlan& plan, bool withNeighbours, int y) {
    for (const auto& team : plan.Mannschaften) {
        DrawHeadingText(canvas, 0, y, team->teamName + ":");
        y += 30;
        const std::string_view club = ClubOf(team->teamName);
        bool first = true;
        int previousRound = -1;
        for (const TGame* game : team->gamesRef) {
            if (game->FNotNecessary) {
                continue;
            }
            const int round = game->DateValid() ? plan.GetRoundNumberByDate(game->FDate) : -1;
            if (!first && round > previousRound) {
                y += 30;
            }
            first = false;
            previousRound = round;
            DrawGameLine(canvas, plan, *game, y);
            y += LineHeight;
            if (withNeighbours && game->DateValid()) {
                y = DrawNeighbourGames(canvas, plan, *game, club, y);
            }
        }
        y += 30;
    }
    return {PageWidth, y + 40};
}

} // namespace

TPageExtent DrawTerminplanPage(TZoomCanvas& canvas, TPlan& plan, TTerminplanMode mode, bool forPrint) {
    if (!HasDatedGames(plan)) {
        return DrawNoGamesScheduled(canvas);
    }
    canvas.FontHeight = BodyFontHeight;
    canvas.SetFontColor(PageTextColor);
    if (!forPrint) {
        const char* heading = mode == TTerminplanMode::Spielplan ? "Spielplan:"
                              : mode == TTerminplanMode::Mannschaftsplaene
                                  ? "Mannschaftspläne:"
                                  : "Mannschaftspläne mit Nachbarmannschaften:";
        DrawHeadingText(canvas, 0, 0, heading);
    }
    const int y = 40;
    if (mode == TTerminplanMode::Spielplan) {
        return DrawSpielplan(canvas, plan, y);
    }
    return DrawMannschaftsplaene(canvas, plan, mode == TTerminplanMode::MannschaftsplaeneMitNachbarn, y);
}

} // namespace terminor
