// The page "Termine der Nachbarmannschaften" rendered at zoom 1: the games of each team's club
// in other divisions day by day, direct neighbours in blue; and the pages without teams.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Plan.h"
#include "view/PageCommon.h"
#include "view/ViewTestUtil.h"

using namespace terminor;
using terminor::test::RenderPage;
using terminor::test::ViewTestPlan;

namespace {

test::TRenderedPage RenderSisterTeams(TPlan& plan, bool forPrint = false) {
    return RenderPage([&](TZoomCanvas& canvas) { return DrawSisterTeamsPage(canvas, plan, forPrint); });
}

} // namespace

TEST(SisterTeamsPage, GamesByDayDirectNeighboursBlue) {
    auto plan = ViewTestPlan(false);
    const auto page = RenderSisterTeams(*plan);
    const QColor blue(0, 0, 255);
    const QColor black(0, 0, 0);
    EXPECT_EQ(page.At(0, 0), std::vector<std::string>{"Termine der Nachbarmannschaften:"});
    EXPECT_EQ(page.Find("Termine der Nachbarmannschaften:")->FontHeight, -18);
    ASSERT_EQ(page.At(0, 40), std::vector<std::string>{"Blau: Spiele direkter Nachbarmannschaften"});
    EXPECT_EQ(page.Find("Blau: Spiele direkter Nachbarmannschaften")->Color, blue);

    // SV Ost has no sister games; TSV Nord two on one day (the date only on the first line),
    // the one that must not run in parallel in blue; TTC West one.
    EXPECT_EQ(page.At(0, 70), std::vector<std::string>{"SV Ost:"});
    EXPECT_EQ(page.At(0, 130), std::vector<std::string>{"TSV Nord:"});
    EXPECT_EQ(page.At(20, 165), std::vector<std::string>{"Sa 19.09.2026"});
    EXPECT_EQ(page.At(150, 165), std::vector<std::string>{"10:00"});
    EXPECT_EQ(page.At(200, 165), std::vector<std::string>{"(Jungen) SC Fremd - TSV Nord Spiellokal: 3"});
    EXPECT_TRUE(page.At(20, 185).empty());
    EXPECT_EQ(page.At(200, 185), std::vector<std::string>{"(Damen) TSV Nord - TuS Süd"});
    for (const auto& [y, color] : {std::pair{165, black}, std::pair{185, blue}}) {
        for (const TDrawnText& t : page.Texts) {
            if (t.Y == y && t.X >= 150) {
                EXPECT_EQ(t.Color, color) << t.Text;
            }
        }
    }
    EXPECT_EQ(page.At(0, 235), std::vector<std::string>{"TSV Nord II:"});
    EXPECT_EQ(page.At(0, 295), std::vector<std::string>{"TTC West:"});
    EXPECT_EQ(page.At(200, 330), std::vector<std::string>{"(Damen) TTC West - TuS Süd"});
    EXPECT_EQ(page.Extent.Width, 1000);
    EXPECT_EQ(page.Extent.Height, 350);

    // Printed: without the heading and the 20 units after it.
    const auto printed = RenderSisterTeams(*plan, true);
    EXPECT_EQ(printed.Find("Termine der Nachbarmannschaften:"), nullptr);
    EXPECT_EQ(printed.At(0, 20), std::vector<std::string>{"Blau: Spiele direkter Nachbarmannschaften"});
    EXPECT_EQ(printed.Extent.Height, 330);
}

TEST(SisterTeamsPage, PagesWithoutTeamsShowKeinPlanGeladen) {
    TPlan empty;
    for (const auto& draw : {DrawTerminWuenschePage, DrawSisterTeamsPage}) {
        const auto page = RenderPage([&](TZoomCanvas& canvas) { return draw(canvas, empty, false); });
        ASSERT_EQ(page.Texts.size(), 1u);
        EXPECT_EQ(page.At(0, 0), std::vector<std::string>{"Kein Plan geladen"});
        EXPECT_EQ(page.Extent.Height, 20);
    }
}
