// The page "Terminwünsche" rendered at zoom 1: the wish chart with its data-dependent legend, the
// team sections, the wish lines' colours and counts, and the evaluation against the wishes a
// team needs per half.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/Plan.h"
#include "view/DiagramAxis.h"
#include "view/PageCommon.h"
#include "view/ViewTestUtil.h"
#include "view/WishLines.h"

using namespace terminor;
using terminor::test::RenderPage;

namespace {

const QColor Red(255, 0, 0);
const QColor Green(60, 179, 113);

test::TRenderedPage RenderWishes(TPlan& plan, bool forPrint = false) {
    return RenderPage([&](TZoomCanvas& canvas) { return DrawTerminWuenschePage(canvas, plan, forPrint); });
}

int EffectiveOf(const std::string& evaluation) {
    const std::string key = ", effektiv: ";
    return std::stoi(evaluation.substr(evaluation.rfind(key) + key.size()));
}

/// Every evaluation line is red exactly when it has fewer effective wishes than needed.
void ExpectEvaluationColours(const test::TRenderedPage& page, int needed, std::size_t lines) {
    std::size_t found = 0;
    for (const TDrawnText* line : page.StartingWith("Terminwünsche")) {
        if (line->Y > 0) {
            EXPECT_EQ(line->X, 20);
            EXPECT_EQ(line->Color, EffectiveOf(line->Text) < needed ? Red : Green) << line->Text;
            ++found;
        }
    }
    EXPECT_EQ(found, lines);
}

} // namespace

TEST(WishPage, ExampleDivisionChartLegendAndEvaluation) {
    // The wish page needs no schedule: the undated example is drawn completely.
    auto plan = test::LoadExamplePlan();
    ASSERT_FALSE(HasDatedGames(*plan));
    const auto page = RenderWishes(*plan);
    const TDateAxis axis(*plan);
    EXPECT_EQ(page.Extent.Width, std::max(1000, axis.Right()));
    // The extent ends 40 above the end of the last team's block, at its last line.
    EXPECT_EQ(page.Extent.Height, page.Texts.back().Y);

    EXPECT_EQ(page.At(0, 0), std::vector<std::string>{"Terminwünsche:"});
    EXPECT_EQ(page.At(0, 30), std::vector<std::string>{"KW"});
    for (std::size_t i = 0; i < plan->Mannschaften.size(); ++i) {
        EXPECT_EQ(page.At(0, 65 + 30 * static_cast<int>(i)),
                  std::vector<std::string>{plan->Mannschaften[i]->teamName});
    }
    // Legend 35 below the last row; the example has couplings, away couplings and 60 km partners.
    const int legendY = 65 + 30 * 11 + 35;
    EXPECT_EQ(page.At(16, legendY), std::vector<std::string>{"Terminwunsch"});
    EXPECT_EQ(page.At(116, legendY), std::vector<std::string>{"Sperrtermin"});
    EXPECT_EQ(page.At(216, legendY), std::vector<std::string>{"Koppeltermin/Doppelspieltag"});
    EXPECT_TRUE(page.StartingWith("Keine ").empty());
    const TDrawnText* firstTeam = page.Find(plan->Mannschaften[0]->teamName + ":");
    ASSERT_NE(firstTeam, nullptr);
    EXPECT_EQ(firstTeam->Y, legendY + 40);
    EXPECT_EQ(firstTeam->FontHeight, -18);
    EXPECT_EQ(page.At(20, legendY + 70).size(), 1u);

    // A coupling wish is a blue mark at noon of its day, a plain wish a black one.
    const TMannschaft& neheim = test::TeamOf(*plan, "TTV Neheim");
    const int neheimY = 65 + 30 * neheim.Index;
    int blue = 0;
    int black = 0;
    for (const auto& wish : neheim.WunschTermine) {
        const QColor mark = page.Image.pixelColor(axis.X(DateOf(wish->Date) + 0.5), neheimY + 5);
        if (!neheim.SperrTermine.ContainsSorted(DateOf(wish->Date))) {
            EXPECT_EQ(mark, wish->Options.IsKoppelDate() ? QColor(0, 0, 255) : QColor(0, 0, 0));
            (wish->Options.IsKoppelDate() ? blue : black)++;
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_GT(black, 0);

    // Twelve teams need 8 effective wishes per half; some teams of the example have fewer.
    ASSERT_EQ(NeededWishesPerHalf(*plan), 8);
    ExpectEvaluationColours(page, 8, 24);
    EXPECT_EQ(page.StartingWith("Terminwünsche Vorrunde: ").size(), 12u);
    EXPECT_EQ(page.StartingWith("Terminwünsche Rückrunde: ").size(), 12u);
    const auto evaluations = page.StartingWith("Terminwünsche ");
    EXPECT_TRUE(std::any_of(evaluations.begin(), evaluations.end(),
                            [](const TDrawnText* t) { return t->Color == Red; }));

    // With a double round they need 13.
    TCalculateOptions options;
    options.DoubleRound = true;
    plan->AssignOptions(options);
    ASSERT_EQ(NeededWishesPerHalf(*plan), 13);
    ExpectEvaluationColours(RenderWishes(*plan), 13, 24);
}

TEST(WishPage, WithoutCouplingsAndForOneHalfRound) {
    // The small division without its double game day has no couplings of either kind and no
    // 60 km partners: no coupling legend, and all three lines about what was not asked for.
    auto plan = test::ViewTestPlan(false, true, false);
    ASSERT_FALSE(plan->HasKoppelTermine());
    const auto page = RenderWishes(*plan);
    const int legendY = 65 + 30 * 3 + 35;
    EXPECT_EQ(page.Find("Koppeltermin/Doppelspieltag"), nullptr);
    EXPECT_EQ(page.At(10, legendY + 15), std::vector<std::string>{"Keine Wünsche für die 60km-Regel"});
    EXPECT_EQ(page.At(10, legendY + 30),
              std::vector<std::string>{"Keine Koppeltermine/Doppelspieltage gemeldet"});
    EXPECT_EQ(page.At(10, legendY + 45), std::vector<std::string>{"Keine Auswärtskoppelwünsche gemeldet"});
    EXPECT_EQ(page.At(0, legendY + 45 + 40), std::vector<std::string>{"SV Ost:"});
    ASSERT_EQ(NeededWishesPerHalf(*plan), 4);
    ExpectEvaluationColours(page, 4, 8);

    // One half round: a single evaluation line per team, without "Vorrunde".
    TCalculateOptions options;
    options.RoundPlaning = rpHalfRound;
    plan->AssignOptions(options);
    const auto half = RenderWishes(*plan);
    EXPECT_EQ(half.StartingWith("Terminwünsche: ").size(), 4u);
    ExpectEvaluationColours(half, 4, 4);
}

TEST(WishPage, TeamSectionsFreeDayAndOccupiedHall) {
    // Team A: a wish on the free day 03.10. in an occupied hall, one in an occupied hall, one
    // with a parallel game of the club's next team; a blocked date, an away coupling, a 60 km
    // partner and home rights.
    auto plan = test::LoadPlanFromText(
        "<plan name=\"Wunschliga\" id=\"9\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
        "until=\"30.04.2027\">"
        "<team teamname=\"A\" teamid=\"a\" clubid=\"a\" teamnumber=\"1\" homerights=\"1\">"
        "<homegameday datetime=\"03.10.2026 18:00\" parallelgames=\"1\"/>"
        "<homegameday datetime=\"10.10.2026 18:00\" parallelgames=\"1\"/>"
        "<homegameday datetime=\"17.10.2026 18:00\"/>"
        "<nogameday date=\"24.10.2026\"/>"
        "<roadcouple teamnamea=\"B\" teamnameb=\"C\" sameday=\"1\"/>"
        "<homerights teamname=\"C\" homeright=\"2\"/>"
        "<noweekgames teamname=\"B\"/>"
        "<sisterteam teamname=\"A\" gender=\"Damen\" teamnumber=\"1\">"
        "<sistergame datetime=\"03.10.2026 18:00\" hometeamname=\"A\" guestteamname=\"X\"/>"
        "<sistergame datetime=\"10.10.2026 17:00\" hometeamname=\"A\" guestteamname=\"Y\"/></sisterteam>"
        "<sisterteam teamname=\"A II\" gender=\"Herren\" teamnumber=\"2\">"
        "<sistergame datetime=\"17.10.2026 19:00\" hometeamname=\"Z\" guestteamname=\"A II\"/></sisterteam>"
        "</team>"
        "<team teamname=\"B\" teamid=\"b\" clubid=\"b\" teamnumber=\"1\">"
        "<homegameday datetime=\"05.09.2026 18:00\"/></team>"
        "<team teamname=\"C\" teamid=\"c\" clubid=\"c\" teamnumber=\"1\">"
        "<homegameday datetime=\"12.09.2026 18:00\"/></team>"
        "<nogameday date=\"03.10.2026\"/></plan>");
    const auto page = RenderWishes(*plan);
    const int legendY = 65 + 30 * 2 + 35;
    EXPECT_EQ(page.At(10, legendY + 15),
              std::vector<std::string>{"Keine Koppeltermine/Doppelspieltage gemeldet"});
    const int y = legendY + 15 + 40;
    ASSERT_EQ(page.At(0, y), std::vector<std::string>{"A:"});

    struct TLine {
        int x, y;
        std::string text;
        QColor color;
    };
    const QColor black(0, 0, 0);
    const std::vector<TLine> expected = {
        {20, y + 30,
         "Sa 03.10.2026 18:00, maximale Heimspiele: 1, Halle ist belegt von: A (Damen), spielfreier Tag",
         Red},
        {20, y + 50, "Sa 10.10.2026 18:00, maximale Heimspiele: 1, Halle ist belegt von: A (Damen)",
         QColor(255, 165, 0)},
        {20, y + 70, "Sa 17.10.2026 18:00, parallele Spiele (1): Z - A II", black},
        {10, y + 95, "Sperrtermine (1 Stück):", black},
        {20, y + 115, "Sa 24.10.2026", black},
        {10, y + 140, "Auswärtskoppelwünsche:", black},
        {20, y + 160, "B und C mit Übernachtung", black},
        {10, y + 185, "Spiele gegen diese Mannschaften nur am Wochenende (60km Regel):", black},
        {20, y + 205, "B", black},
        {10, y + 230, "Heimrecht:", black},
        {20, y + 250, "Vorrunde: 1 Rückrunde: 1", black},
        {20, y + 270, "Heimspiel gegen C in der Rückrunde", black},
        {10, y + 295, "Auswertung:", black},
        // The wish on the free day counts as such, never as occupied.
        {20, y + 315,
         "Terminwünsche Vorrunde: 3, davon belegt: 1, davon an spielfreien Tagen: 1, "
         "davon mit parallelen Spielen: 1, effektiv: 1",
         Red},
        {20, y + 335, "Terminwünsche Rückrunde: 0, effektiv: 0", Red},
        {20, y + 355, "Für den Auswärtskoppelwunsch bei B und C existieren keine geeigneten Wunschtermine.",
         Red},
    };
    for (const TLine& line : expected) {
        const auto drawn = std::find_if(page.Texts.begin(), page.Texts.end(), [&line](const TDrawnText& t) {
            return t.X == line.x && t.Y == line.y;
        });
        ASSERT_NE(drawn, page.Texts.end()) << line.text;
        EXPECT_EQ(drawn->Text, line.text);
        EXPECT_EQ(drawn->Color, line.color) << line.text;
    }
    // The next team follows 20 below the block's last line plus 20.
    EXPECT_EQ(page.At(0, y + 395), std::vector<std::string>{"B:"});

    // Printed: no heading, the rest where it was.
    const auto printed = RenderWishes(*plan, true);
    EXPECT_EQ(printed.Find("Terminwünsche:"), nullptr);
    EXPECT_EQ(printed.Texts.size() + 1, page.Texts.size());
    EXPECT_EQ(printed.Extent.Height, page.Extent.Height);
}

TEST(WishPage, ClubTeamsOfThisPlanOccupyTheHallAsInTheCosts) {
    // "A II", of A's club and in this plan, plays at home in the club's hall at A's wish date:
    // the wish is occupied and has a parallel game, as the costs of A would count it.
    auto plan = test::LoadPlanFromText(
        "<plan name=\"Hallenliga\" id=\"9\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
        "until=\"30.04.2027\">"
        "<team teamname=\"A\" teamid=\"a\" clubid=\"a\" teamnumber=\"1\">"
        "<homegameday datetime=\"10.10.2026 18:00\" parallelgames=\"1\"/>"
        "<homegameday datetime=\"17.10.2026 18:00\"/></team>"
        "<team teamname=\"A II\" teamid=\"a2\" clubid=\"a\" teamnumber=\"2\">"
        "<homegameday datetime=\"10.10.2026 18:00\"/></team>"
        "<team teamname=\"B\" teamid=\"b\" clubid=\"b\" teamnumber=\"1\">"
        "<homegameday datetime=\"12.09.2026 18:00\"/></team></plan>");
    TSchedule schedule;
    schedule.push_back({test::D(2026, 10, 10, 18), "A II", "B", ""});
    plan->AssignSchedule(schedule);
    const auto page = RenderWishes(*plan);
    const auto lines = page.StartingWith("Sa 10.10.2026 18:00, maximale");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->Text,
              "Sa 10.10.2026 18:00, maximale Heimspiele: 1, Halle ist belegt von: A II (Herren), "
              "parallele Spiele (1): A II - B");
    EXPECT_EQ(lines[0]->Color, QColor(255, 165, 0));
    EXPECT_EQ(
        page.StartingWith("Terminwünsche Vorrunde: 2, davon belegt: 1, davon mit parallelen Spielen: 1, "
                          "effektiv: 1")
            .size(),
        1u);
}
