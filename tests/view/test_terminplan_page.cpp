// The page "Terminplan" rendered at zoom 1 in its three modes: game lines with their remarks,
// week and round spacing, the neighbouring games, the hit areas of the game lines; and the notice
// of a plan without dated games on the pages Kosten and Terminplan.

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Plan.h"
#include "view/GameActionRects.h"
#include "view/PageCommon.h"
#include "view/ViewTestUtil.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::RenderPage;
using terminor::test::ViewTestPlan;

namespace {

using Texts = std::vector<std::string>;

test::TRenderedPage RenderPlan(TPlan& plan, TTerminplanMode mode, bool forPrint = false) {
    return RenderPage([&](TZoomCanvas& canvas) { return DrawTerminplanPage(canvas, plan, mode, forPrint); });
}

/// The date column of the line at y.
Texts DateAt(const test::TRenderedPage& page, int y) {
    return page.At(0, y);
}

/// The y of every line whose date column shows `date`.
std::vector<int> LinesOf(const test::TRenderedPage& page, const std::string& date) {
    std::vector<int> ys;
    for (const TDrawnText* t : page.All(date)) {
        if (t->X == 0) {
            ys.push_back(t->Y);
        }
    }
    return ys;
}

} // namespace

TEST(TerminplanPage, SpielplanLinesWeeksRemarksAndHitAreas) {
    auto plan = ViewTestPlan(true);
    const auto page = RenderPlan(*plan, TTerminplanMode::Spielplan);
    EXPECT_EQ(page.At(0, 0), Texts{"Spielplan:"});

    // The undated game comes first, without time; the columns of a game line.
    EXPECT_EQ(page.At(0, 40), Texts{"------"});
    EXPECT_TRUE(page.At(100, 40).empty());
    EXPECT_EQ(page.At(150, 40), Texts{"TSV Nord II"});
    EXPECT_EQ(page.At(400, 40), Texts{"-"});
    EXPECT_EQ(page.At(420, 40), Texts{"TTC West"});
    EXPECT_EQ(page.At(100, 70), Texts{"18:00"});

    // A new calendar week adds 10; the same date, and Saturday to Sunday, add nothing.
    EXPECT_EQ(LinesOf(page, "Sa 05.09.2026"), (std::vector<int>{70, 90}));
    EXPECT_EQ(LinesOf(page, "So 06.09.2026"), std::vector<int>{110});
    EXPECT_EQ(LinesOf(page, "Sa 19.09.2026"), (std::vector<int>{140, 160}));

    // Remarks by line, in their order; a fixed game names its own hall, not the wish's.
    std::map<std::string, std::string> remarkOf;
    for (const TDrawnText& t : page.Texts) {
        if (t.X == 720) {
            const auto date = DateAt(page, t.Y);
            const auto home = page.At(150, t.Y);
            remarkOf[date.front() + " " + home.front()] = t.Text;
        }
    }
    EXPECT_EQ(remarkOf, (std::map<std::string, std::string>{
                            {"Sa 05.09.2026 SV Ost", "Heimkoppelspiel/Doppelspieltag"},
                            {"So 06.09.2026 SV Ost", "Heimkoppelspiel/Doppelspieltag"},
                            {"Sa 19.09.2026 TTC West", "kein Wunschtermin"},
                            {"Sa 03.10.2026 TTC West", "spielfreier Tag, ungültiger Termin"},
                            {"Sa 16.01.2027 TSV Nord II", "manuell festgelegter Termin, Spiellokal: 2"},
                            {"Sa 30.01.2027 TSV Nord", "Ausweichtermin, Spiellokal: 1"},
                            {"Sa 20.02.2027 TSV Nord", "doppeltes Spiel"},
                        }));
    // The locked game's line has a dark lock mark left of its date, the others none.
    QImage margin(1600, page.Image.height(), QImage::Format_RGB32);
    margin.fill(Qt::white);
    {
        QPainter painter(&margin);
        painter.translate(20, 0);
        TZoomCanvas canvas(&painter, 96, 96, 1.0);
        DrawTerminplanPage(canvas, *plan, TTerminplanMode::Spielplan, false);
    }
    for (const TDrawnText& t : page.Texts) {
        if (t.X == 720) {
            const bool locked = t.Text.starts_with("manuell festgelegter Termin");
            EXPECT_EQ(margin.pixelColor(20 - 9, t.Y + 11).value() < 128, locked) << t.Text;
        }
    }
    const std::vector<int> last = LinesOf(page, "Sa 20.02.2027");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(page.Extent.Width, 1500);
    EXPECT_EQ(page.Extent.Height, last.front() + 20 + 40);

    // One hit area per game line, naming the game.
    const auto hits = page.HitsOf<TActionRectGame>();
    ASSERT_EQ(hits.size(), 13u);
    const TIntRect first = hits.front()->getRect();
    EXPECT_EQ((std::vector<int>{first.Left, first.Top, first.Right, first.Bottom}),
              (std::vector<int>{0, 40, 1500, 60}));
    EXPECT_EQ(hits.front()->HomeTeamId, "n2");
    EXPECT_EQ(hits.front()->GuestTeamId, "w");
    EXPECT_EQ(hits.front()->Date, 0.0);
    EXPECT_EQ(hits[1]->HomeTeamId, "o");
    EXPECT_EQ(hits[1]->Date, D(2026, 9, 5, 18));
    EXPECT_EQ(hits[1]->getRect().Top, 70);

    const auto printed = RenderPlan(*plan, TTerminplanMode::Spielplan, true);
    EXPECT_EQ(printed.Find("Spielplan:"), nullptr);
    EXPECT_EQ(printed.At(0, 40), Texts{"------"});
}

TEST(TerminplanPage, TeamPlansRoundsAndNeighbourGames) {
    auto plan = ViewTestPlan(true);
    const auto page = RenderPlan(*plan, TTerminplanMode::Mannschaftsplaene);
    EXPECT_EQ(page.At(0, 0), Texts{"Mannschaftspläne:"});
    EXPECT_EQ(page.At(0, 40), Texts{"SV Ost:"});
    EXPECT_EQ(page.Find("SV Ost:")->FontHeight, -18);
    // SV Ost: three games in the first half, 30 more before the second, 30 after the team.
    EXPECT_EQ(page.At(0, 70), Texts{"Sa 05.09.2026"});
    EXPECT_EQ(page.At(0, 110), Texts{"Sa 19.09.2026"});
    EXPECT_EQ(DateAt(page, 160), Texts{"Sa 16.01.2027"});
    EXPECT_EQ(page.At(0, 200), Texts{"Sa 13.02.2027"});
    EXPECT_EQ(page.At(0, 250), Texts{"TSV Nord:"});
    EXPECT_EQ(page.Find("(Damen) TSV Nord"), nullptr);

    const auto withNeighbours = RenderPlan(*plan, TTerminplanMode::MannschaftsplaeneMitNachbarn);
    EXPECT_EQ(withNeighbours.At(0, 0), Texts{"Mannschaftspläne mit Nachbarmannschaften:"});
    // In TSV Nord's plan, below its away game at TTC West: the club's sister games of that day
    // (by time; blue where parallel games are to be avoided), then the game of the club's other
    // team of this division (blue: team numbers 1 and 2). TTC West's sister game concerns
    // another club and appears in TTC West's plan only.
    const int nordY = withNeighbours.Find("TSV Nord:")->Y;
    int y = -1;
    for (const TDrawnText* t : withNeighbours.All("Sa 19.09.2026")) {
        if (withNeighbours.At(150, t->Y) == Texts{"TTC West"} && t->Y > nordY) {
            y = t->Y;
            break;
        }
    }
    ASSERT_GT(y, 0);
    const QColor grey(128, 128, 128);
    const QColor blue(0, 0, 255);
    EXPECT_EQ(withNeighbours.At(100, y + 20), Texts{"10:00"});
    EXPECT_EQ(withNeighbours.At(150, y + 20), Texts{"(Jungen) SC Fremd"});
    EXPECT_EQ(withNeighbours.At(420, y + 20), Texts{"TSV Nord"});
    EXPECT_EQ(withNeighbours.At(720, y + 20), Texts{"Spiellokal: 3"});
    EXPECT_EQ(withNeighbours.Find("(Jungen) SC Fremd")->Color, grey);
    EXPECT_EQ(withNeighbours.At(150, y + 40), Texts{"(Damen) TSV Nord"});
    EXPECT_EQ(withNeighbours.Find("(Damen) TSV Nord")->Color, blue);
    EXPECT_EQ(withNeighbours.At(150, y + 60), Texts{"(Herren) TSV Nord II"});
    EXPECT_EQ(withNeighbours.At(420, y + 60), Texts{"SV Ost"});
    // 10 after the neighbours, 30 for the new round.
    EXPECT_EQ(DateAt(withNeighbours, y + 80 + 10 + 30), Texts{"Sa 16.01.2027"});
    const auto westSister = withNeighbours.All("(Damen) TTC West");
    ASSERT_EQ(westSister.size(), 1u);
    EXPECT_EQ(westSister.front()->Color, grey);
    EXPECT_GT(westSister.front()->Y, withNeighbours.Find("TTC West:")->Y);
    // Neighbour lines carry no hit area of their own: home and away games of every team, the
    // second game of a pairing for both of its teams.
    EXPECT_EQ(withNeighbours.HitsOf<TActionRectGame>().size(), 4u * 6 + 2);
}

TEST(PlanPages, UndatedPlanShowsOnlyTheNotice) {
    auto plan = ViewTestPlan(false);
    plan->clearAllDates();
    std::vector<test::TRenderedPage> pages = {
        RenderPage([&](TZoomCanvas& canvas) { return DrawKostenPage(canvas, *plan, false); })};
    for (const TTerminplanMode mode : {TTerminplanMode::Spielplan, TTerminplanMode::Mannschaftsplaene,
                                       TTerminplanMode::MannschaftsplaeneMitNachbarn}) {
        pages.push_back(RenderPlan(*plan, mode));
    }
    for (const auto& page : pages) {
        ASSERT_EQ(page.Texts.size(), 1u);
        EXPECT_EQ(page.At(0, 0), Texts{"Keine Spiele terminiert"});
        EXPECT_TRUE(page.Hits.empty());
    }
}
