// The page "Diagramme" rendered at zoom 1: the charts in their order and places, the legends,
// the square markers of coupled games, the spacing line colours, the charts and tables that
// depend on the round planning and the seeding list, and the page of an undated plan.

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/DatedExamplePlan.h"
#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/DiagramCharts.h"
#include "view/PageCommon.h"
#include "view/ViewTestUtil.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::RenderPage;
using terminor::test::ViewTestPlan;

namespace {

test::TRenderedPage RenderDiagrams(TPlan& plan) {
    return RenderPage([&](TZoomCanvas& canvas) { return DrawDiagramPage(canvas, plan, false); });
}

/// The chart and half titles: the texts at heading size at x 0, in drawing order.
std::vector<std::string> Titles(const test::TRenderedPage& page) {
    std::vector<std::string> titles;
    for (const TDrawnText& t : page.Texts) {
        if (t.X == 0 && t.FontHeight == -18) {
            titles.push_back(t.Text);
        }
    }
    return titles;
}

int TitleY(const test::TRenderedPage& page, const std::string& title) {
    const TDrawnText* text = page.Find(title);
    return text != nullptr ? text->Y : -1;
}

/// Whether the marker around (x, y) is a square: the top-left corner of its outline is drawn,
/// which a circle of the same size leaves empty.
bool SquareAt(const test::TRenderedPage& page, int x, int y) {
    return page.Image.pixelColor(x - 5, y - 5) == QColor(0, 0, 0);
}

/// The texts of one row (same y) right of the names, in x order.
std::vector<const TDrawnText*> RowValues(const test::TRenderedPage& page, int y) {
    std::vector<const TDrawnText*> row;
    for (const TDrawnText& t : page.Texts) {
        if (t.Y == y && t.X >= 300) {
            row.push_back(&t);
        }
    }
    std::sort(row.begin(), row.end(), [](const TDrawnText* a, const TDrawnText* b) { return a->X < b->X; });
    return row;
}

} // namespace

TEST(DiagramPage, ExampleChartsStackedWithLegendsAndTables) {
    auto plan = test::DatedExamplePlan(3);
    const auto page = RenderDiagrams(*plan);
    const std::vector<std::string> charts = {"Spieltage",
                                             "Wechsel Heim/Auswärts",
                                             "Spielverteilung",
                                             "Abstand Heimspiel zu Auswärtsspiel",
                                             "Anzahl Spiele pro Woche",
                                             "Hinrunde",
                                             "Rückrunde"};
    EXPECT_EQ(Titles(page), charts);

    // Each chart starts 40 below the previous one's end.
    const int teams = 12;
    EXPECT_EQ(TitleY(page, "Spieltage"), 0);
    const int legendY = 70 + 30 * teams;
    EXPECT_EQ(page.At(16, legendY), std::vector<std::string>{"Heimspiel"});
    EXPECT_EQ(page.At(116, legendY), std::vector<std::string>{"Auswärtsspiel"});
    EXPECT_EQ(page.At(210, legendY),
              std::vector<std::string>{"Überlappungen der Spieltage sind grau hinterlegt"});
    const int wechselY = TitleY(page, "Wechsel Heim/Auswärts");
    EXPECT_EQ(wechselY, legendY + 20 + 40);
    const int verteilungY = TitleY(page, "Spielverteilung");
    EXPECT_EQ(verteilungY, wechselY + 32 + 30 * teams + 40);
    const int lastRowY = verteilungY + 110 + 80 * (teams - 1);
    EXPECT_EQ(page.At(0, lastRowY + 30),
              std::vector<std::string>{"Koppeltermine/Doppelspieltage sind als Quadrate dargestellt  "
                                       "rot=Heimspiel schwarz=Auswärtsspiel"});
    EXPECT_EQ(TitleY(page, "Abstand Heimspiel zu Auswärtsspiel"), lastRowY + 30 + 20 + 40);

    // Coupled games are squares, the others circles (checked where no earlier marker of the
    // row reaches into the corner).
    const TDateAxis axis(*plan);
    int squares = 0;
    int circles = 0;
    for (std::size_t i = 0; i < plan->Mannschaften.size(); ++i) {
        const TMannschaft& team = *plan->Mannschaften[i];
        int previousX = -100;
        for (std::size_t k = 0; k < team.gamesRef.size(); ++k) {
            if (!team.gamesRef[k]->DateValid()) {
                continue;
            }
            const int x = axis.X(team.gamesRef[k]->FDate);
            if (x - previousX >= 12) {
                const bool coupled = team.getKoppeledGame(static_cast<int>(k)) != nullptr;
                EXPECT_EQ(SquareAt(page, x, verteilungY + 110 + 80 * static_cast<int>(i)), coupled)
                    << team.teamName << " " << k;
                (coupled ? squares : circles)++;
            }
            previousX = x;
        }
    }
    EXPECT_GT(squares, 0);
    EXPECT_GT(circles, 0);

    // The weekly tables: per team the two halves' totals add up to its dated games; differences
    // above 2 are red.
    std::vector<int> rowYs;
    const int hinrundeY = TitleY(page, "Hinrunde");
    const int rueckrundeY = TitleY(page, "Rückrunde");
    for (const int sectionY : {hinrundeY, rueckrundeY}) {
        EXPECT_EQ(page.At(0, sectionY + 30), std::vector<std::string>{"Spieltag"});
        EXPECT_EQ(page.At(0, sectionY + 70), std::vector<std::string>{"(Spiele die Woche / Spiele Gesamt)"});
        EXPECT_EQ(page.At(300, sectionY + 30), std::vector<std::string>{"1"});
        rowYs.push_back(sectionY + 105);
    }
    for (std::size_t i = 0; i < plan->Mannschaften.size(); ++i) {
        int total = 0;
        for (const int firstRowY : rowYs) {
            const int y = firstRowY + 30 * static_cast<int>(i);
            ASSERT_EQ(page.At(0, y), std::vector<std::string>{plan->Mannschaften[i]->teamName});
            const std::string last = RowValues(page, y).back()->Text;
            total += std::stoi(last.substr(last.find("/ ") + 2));
        }
        EXPECT_EQ(total, static_cast<int>(DatedGames(*plan->Mannschaften[i]).size()));
    }
    const int differenceY = rowYs[0] + 30 * teams + 10;
    ASSERT_EQ(page.At(0, differenceY), std::vector<std::string>{"maximale Differenz absolvierter Spiele"});
    for (const TDrawnText* value : RowValues(page, differenceY)) {
        EXPECT_EQ(value->Color, std::stoi(value->Text) > 2 ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }
    EXPECT_EQ(rueckrundeY, differenceY + 30);

    // The page is 100 wider than its widest chart, here the second half's table.
    const auto columns = RowValues(page, rueckrundeY + 30);
    EXPECT_EQ(page.Extent.Width, columns.back()->X + 70 + 100);
    EXPECT_EQ(page.Extent.Height, rowYs[1] + 30 * teams + 10 + 20);

    // With a seeding list the "Setzliste" closes the page.
    plan->RankingIndexe.resize(teams);
    std::iota(plan->RankingIndexe.begin(), plan->RankingIndexe.end(), 0);
    const auto ranked = RenderDiagrams(*plan);
    EXPECT_EQ(Titles(ranked).back(), "Setzliste");
    EXPECT_EQ(ranked.Extent.Height, TitleY(ranked, "Setzliste") + 32 + 60 * teams);
}

TEST(DiagramPage, RoundPlaningDecidesSpacingChartAndSecondHalfTable) {
    struct TCase {
        TRoundPlaning planing;
        bool abstand;
        bool rueckrunde;
    };
    for (const TCase& c :
         {TCase{rpBoth, true, true}, TCase{rpSecondOnly, true, true}, TCase{rpFirstOnly, false, false},
          TCase{rpHalfRound, false, false}, TCase{rpCorona, false, false}}) {
        auto plan = ViewTestPlan(false);
        TCalculateOptions options;
        options.RoundPlaning = c.planing;
        plan->AssignOptions(options);
        const auto page = RenderDiagrams(*plan);
        const auto titles = Titles(page);
        const auto has = [&titles](const char* title) {
            return std::find(titles.begin(), titles.end(), title) != titles.end();
        };
        EXPECT_EQ(has("Abstand Heimspiel zu Auswärtsspiel"), c.abstand) << static_cast<int>(c.planing);
        EXPECT_EQ(has("Rückrunde"), c.rueckrunde) << static_cast<int>(c.planing);
        EXPECT_TRUE(has("Hinrunde"));
        EXPECT_FALSE(has("Setzliste"));
    }
}

TEST(DiagramPage, MarksShadingSquaresAndSeedingBars) {
    for (const bool couplings : {true, false}) {
        auto plan = ViewTestPlan(false, true, couplings);
        const auto page = RenderDiagrams(*plan);
        const TDateAxis axis(*plan);
        // "Spieltage": SV Ost's home game is a red mark; game days 2 and 3 overlap on 19.09.
        EXPECT_EQ(page.Image.pixelColor(axis.X(D(2027, 1, 30, 18)), 65 + 5), QColor(255, 0, 0));
        EXPECT_EQ(page.Image.pixelColor(axis.X(D(2026, 9, 19, 18)), 62), QColor(230, 230, 230));

        // "Spielverteilung": SV Ost's double game day is two squares only as a coupling.
        const int rowY = TitleY(page, "Spielverteilung") + 110;
        EXPECT_EQ(SquareAt(page, axis.X(D(2026, 9, 5, 18)), rowY), couplings);
        EXPECT_EQ(page.Find("Koppeltermine/Doppelspieltage sind als Quadrate dargestellt  "
                            "rot=Heimspiel schwarz=Auswärtsspiel") != nullptr,
                  couplings);
        EXPECT_EQ(page.Image.pixelColor(axis.X(D(2027, 1, 30, 18)), rowY), QColor(255, 128, 128));
        EXPECT_EQ(page.Image.pixelColor(axis.X(D(2027, 2, 13, 18)), rowY), QColor(128, 128, 128));
        if (!couplings) {
            for (std::size_t i = 0; i < plan->Mannschaften.size(); ++i) {
                for (const TGame* game : DatedGames(*plan->Mannschaften[i])) {
                    EXPECT_FALSE(SquareAt(page, axis.X(game->FDate), rowY + 80 * static_cast<int>(i)));
                }
            }
        }
    }

    // "Setzliste" in seeding order SV Ost, TSV Nord, TSV Nord II, TTC West: SV Ost meets West
    // (difference 3), Nord (1) and Nord II (2) in the first round; the third game's difference
    // exceeds its countdown of 1 and is yellow.
    auto plan = ViewTestPlan(false);
    plan->RankingIndexe = {0, 1, 2, 3};
    const auto page = RenderDiagrams(*plan);
    const int rowY = TitleY(page, "Setzliste") + 70;
    EXPECT_EQ(page.Image.pixelColor(352, rowY + 15), QColor(0, 128, 0));
    EXPECT_EQ(page.Image.pixelColor(372, rowY + 15), QColor(255, 255, 0));
    EXPECT_EQ(page.Image.pixelColor(372, rowY + 5), QColor(240, 240, 240));
    // The second round starts 50 further right.
    EXPECT_EQ(page.Image.pixelColor(432, rowY + 15), QColor(0, 128, 0));
}

TEST(DiagramPage, SpacingLineColours) {
    // Green at the ideal distance, red at twice it after the reduction by 1.25, yellow between.
    EXPECT_EQ(SpacingLineColor(3, 3.0), QColor(0, 255, 0));
    EXPECT_EQ(SpacingLineColor(6, 3.0), QColor(255, 51, 0));
    EXPECT_EQ(SpacingLineColor(4, 3.0), QColor(68, 255, 0));
    EXPECT_EQ(SpacingLineColor(1, 3.0), QColor(255, 85, 0));
    EXPECT_EQ(SpacingLineColor(9, 3.0), QColor(255, 0, 0));

    // TSV Nord's two games against TSV Nord II are 3 apart, with 6 games in 2 rounds the ideal:
    // a green line below SV Ost's three opponents, with ticks at its ends.
    auto plan = ViewTestPlan(false);
    const auto page = RenderDiagrams(*plan);
    const TDateAxis axis(*plan);
    const int nordY = TitleY(page, "Abstand Heimspiel zu Auswärtsspiel") + 55 + 10 + 10;
    ASSERT_EQ(page.At(0, nordY), std::vector<std::string>{"TSV Nord"});
    const int x1 = axis.X(D(2026, 9, 5, 18));
    const int x2 = axis.X(D(2027, 1, 16, 18));
    EXPECT_EQ(page.Image.pixelColor((x1 + x2) / 2, nordY), QColor(0, 255, 0));
    EXPECT_EQ(page.Image.pixelColor(x2, nordY - 2), QColor(0, 255, 0));
    EXPECT_EQ(page.Image.pixelColor((x1 + x2) / 2, nordY - 2), QColor(255, 255, 255));
}

TEST(DiagramPage, UndatedPlanShowsOnlyNoGamesScheduledWhileWishesStayListed) {
    auto plan = test::LoadExamplePlan();
    const auto page = RenderDiagrams(*plan);
    ASSERT_EQ(page.Texts.size(), 1u);
    EXPECT_EQ(page.At(0, 0), std::vector<std::string>{"Keine Spiele terminiert"});

    const auto wishes =
        RenderPage([&](TZoomCanvas& canvas) { return DrawTerminWuenschePage(canvas, *plan, false); });
    EXPECT_NE(wishes.Find("Sa 05.09.2026 20:00"), nullptr);
    EXPECT_EQ(wishes.Find("Keine Spiele terminiert"), nullptr);
}

TEST(DiagramPage, UpwardDatesOfCloseGamesStandSideBySide) {
    // SV Ost and TSV Nord play on 05.09. and 06.09., 4 units apart: the two dates are pushed
    // apart, in order.
    auto plan = ViewTestPlan(false);
    const auto page = RenderDiagrams(*plan);
    TZoomCanvas measure(nullptr, 96, 96, 1.0);
    const int thickness = measure.TextExtent("00.00").height();
    std::map<int, std::vector<const TDrawnText*>> rows;
    for (const TDrawnText& text : page.Texts) {
        if (text.Rotation == -90) {
            rows[text.Y].push_back(&text);
        }
    }
    ASSERT_EQ(rows.size(), plan->Mannschaften.size());
    int pairs = 0;
    for (const auto& [y, labels] : rows) {
        for (std::size_t i = 1; i < labels.size(); ++i) {
            EXPECT_GE(labels[i]->X - labels[i - 1]->X, thickness - 1) << labels[i]->Text;
            pairs += labels[i - 1]->Text == "05.09" && labels[i]->Text == "06.09" ? 1 : 0;
        }
    }
    EXPECT_EQ(pairs, 2);
}
