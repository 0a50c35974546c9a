// Locking a game to its date: the plan data's predefined games, saved as modifications beside an
// export, and kept by a running generation.

#include <filesystem>
#include <optional>

#include <QAction>
#include <QMenu>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "data/PlanData.h"
#include "data/PredefinedGames.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/GameActionRects.h"
#include "view/PlanPanel.h"

using namespace terminor;
using namespace terminor::test;

TEST(Locking, PlanDataEntries) {
    TPlanData data;
    const TDateTime when = EncodeDate(2026, 9, 5) + EncodeTime(18, 30);
    EXPECT_TRUE(LockGame(data, "A", "B", when, "2"));
    EXPECT_FALSE(LockGame(data, "A", "B", when, "2")) << "already locked";
    EXPECT_TRUE(IsGameLocked(data, "A", "B", when));
    EXPECT_FALSE(IsGameLocked(data, "B", "A", when));
    TPlanData back;
    back.LoadFromXMLText(data.SaveToXMLText(), "locked.xml");
    const TDataObject* game = back.root().FindChild("predefinedgames")->FindChild("game");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->GetAsString("datetime"), "05.09.2026 18:30");
    EXPECT_EQ(game->GetAsString("location"), "2");
    EXPECT_TRUE(UnlockGame(back, "A", "B", when));
    EXPECT_FALSE(UnlockGame(back, "A", "B", when));
    EXPECT_FALSE(IsGameLocked(back, "A", "B", when));
}

TEST(Locking, RunningGenerationKeepsALockedGame) {
    TTestWindow t;
    TTerminorSession& session = t.window->Session();
    const std::string file = t.CopyExample();
    session.Adopt(session.OpenPlanFile(file));
    session.StartPause();
    ASSERT_TRUE(WaitUntil([&] {
        session.SyncPlans();
        return session.PlanOptimized().CountUnscheduledGames() == 0;
    }));
    session.SetPaused(true);
    const std::size_t predefined = session.PlanLoaded().predefinedGames.size();
    // Locked onto a free wish date of its home team where the game may be placed in the current
    // schedule, not the date the search gave it. (The search is seeded from the clock, so the
    // game and its free dates differ from run to run.)
    const TPlan& current = session.PlanOptimized();
    const TGame* game = nullptr;
    TDateTime when = 0;
    for (const TGame* candidate : current.gamesAllowed) {
        for (const auto& wish : candidate->MannschaftHeim->WunschTermine) {
            if (wish->assignedGame == nullptr && wish->Date != candidate->FDate && wish->Date > 0 &&
                current.CanPlaceGame(*wish, *candidate, false, candidate)) {
                game = candidate;
                when = wish->Date;
                break;
            }
        }
        if (game != nullptr) {
            break;
        }
    }
    ASSERT_NE(game, nullptr);
    const std::string home = game->MannschaftHeim->teamName;
    const std::string guest = game->MannschaftGast->teamName;
    session.LockGame(home, guest, when, "");
    session.SetPaused(false);

    // Saved as a modification beside the export, which stays as it was.
    TPlanData modifications;
    modifications.LoadFromXML(std::filesystem::path(file).replace_extension("modifications").string());
    EXPECT_TRUE(IsGameLocked(modifications, home, guest, when));
    EXPECT_TRUE(session.IsGameLocked(home, guest, when));

    // The generation goes on and keeps the game on its date.
    const std::int64_t seen = session.Optimizer()->Durchlaufe();
    ASSERT_TRUE(WaitUntil([&] { return session.Optimizer()->Durchlaufe() > seen + 20000; }));
    session.SyncPlans();
    const TPlan& best = session.PlanOptimized();
    ASSERT_EQ(best.predefinedGames.size(), predefined + 1);
    const auto* games =
        best.GamesOfPairing(*best.Mannschaften.FindByName(home), *best.Mannschaften.FindByName(guest));
    ASSERT_NE(games, nullptr);
    EXPECT_TRUE(std::any_of(games->begin(), games->end(), [&](const TGame* g) { return g->FDate == when; }));

    session.UnlockGame(home, guest, when);
    EXPECT_FALSE(session.IsGameLocked(home, guest, when));
    EXPECT_EQ(session.PlanOptimized().predefinedGames.size(), predefined);
}

TEST(Locking, ContextMenuOfAGameLineInEveryMode) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    w.resize(1400, 900);
    w.show();
    ASSERT_TRUE(w.LoadPlanFile(t.CopyExample(), false));
    w.ToolButtonStartPauseClick();
    ASSERT_TRUE(WaitUntil([&] { return w.PlanPanel().Plan().CountUnscheduledGames() == 0; }));
    w.ToolButtonStartPauseClick(); // paused
    TFormPlanPanel& panel = w.PlanPanel();
    panel.PageControl()->setCurrentIndex(TFormPlanPanel::PageTermine);
    TPlanPaintBox* box = panel.PaintBox(TFormPlanPanel::PageTermine);

    // The first game line (of a dated game) whose lock state is `locked`, once painted.
    auto lineOf = [&](bool locked) -> std::optional<TActionRectGame> {
        std::optional<TActionRectGame> found;
        WaitUntil([&] {
            for (const TActionRectPtr& r : panel.ActionRects()) {
                const auto* game = dynamic_cast<const TActionRectGame*>(r.get());
                if (game != nullptr && game->getPaintBoxOwner() == box && game->Date > 0 &&
                    game->Locked == locked && game->getRect().Top > 0 &&
                    game->getRect().Bottom < box->height()) {
                    found = *game;
                    return true;
                }
            }
            return false;
        });
        return found;
    };
    auto rightClick = [&](const TActionRectGame& line) {
        const TIntRect r = line.getRect();
        QTest::mouseClick(box, Qt::RightButton, {}, QPoint(r.Left + 200, (r.Top + r.Bottom) / 2));
        return w.GameMenu()->isVisible();
    };
    for (const TTerminplanMode mode : {TTerminplanMode::MannschaftsplaeneMitNachbarn,
                                       TTerminplanMode::Mannschaftsplaene, TTerminplanMode::Spielplan}) {
        panel.SetMode(mode);
        const auto line = lineOf(false);
        ASSERT_TRUE(line);
        ASSERT_TRUE(rightClick(*line)) << static_cast<int>(mode);
        const QList<QAction*> actions = w.GameMenu()->actions();
        ASSERT_EQ(actions.size(), 2);
        EXPECT_EQ(actions[0]->text().toStdString(), "Begegnung auf diesen Termin festlegen");
        EXPECT_TRUE(actions[0]->isEnabled());
        EXPECT_EQ(actions[1]->text().toStdString(), "Festlegung aufheben");
        EXPECT_FALSE(actions[1]->isEnabled());
        w.GameMenu()->hide();
    }

    // Locking from the menu in mode "Spielplan": the line shows the lock and offers to lift it.
    const std::size_t predefined = w.Session().PlanLoaded().predefinedGames.size();
    const auto line = lineOf(false);
    ASSERT_TRUE(line && rightClick(*line));
    w.GameMenu()->actions()[0]->trigger();
    EXPECT_EQ(w.Session().PlanLoaded().predefinedGames.size(), predefined + 1);
    const auto locked = lineOf(true);
    ASSERT_TRUE(locked);
    ASSERT_TRUE(rightClick(*locked));
    EXPECT_FALSE(w.GameMenu()->actions()[0]->isEnabled());
    w.GameMenu()->actions()[1]->trigger();
    EXPECT_EQ(w.Session().PlanLoaded().predefinedGames.size(), predefined);
    EXPECT_TRUE(t.script.Errors.empty()) << t.script.Errors.front();
}
