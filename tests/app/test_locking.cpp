// Locking a game to its date: the plan data's predefined games, saved as modifications beside an
// export, and kept by a running generation.

#include <filesystem>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "data/PlanData.h"
#include "data/PredefinedGames.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"

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
    // Locked onto a free wish date of its home team, not the date the search gave it.
    const TGame* game = session.PlanOptimized().gamesAllowed[3];
    const std::string home = game->MannschaftHeim->teamName;
    const std::string guest = game->MannschaftGast->teamName;
    TDateTime when = 0;
    for (const auto& wish : game->MannschaftHeim->WunschTermine) {
        if (wish->assignedGame == nullptr && wish->Date != game->FDate && wish->Date > 0) {
            when = wish->Date;
            break;
        }
    }
    ASSERT_GT(when, 0);
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
