// The page "Kosten" rendered at zoom 1: its rows and columns, the red share background, the
// weight markers, hidden cost types and the hit areas.

#include <cmath>
#include <string>
#include <vector>

#include <QFont>
#include <QFontInfo>

#include <gtest/gtest.h>

#include "data/PlanUtils.h"
#include "model/Plan.h"
#include "view/KostenActionRects.h"
#include "view/PageCommon.h"
#include "view/PlanFont.h"
#include "view/ViewTestUtil.h"

using namespace terminor;
using terminor::test::RenderPage;
using terminor::test::TeamOf;
using terminor::test::ViewTestPlan;

namespace {

test::TRenderedPage RenderKosten(TPlan& plan, bool forPrint = false) {
    return RenderPage([&](TZoomCanvas& canvas) { return DrawKostenPage(canvas, plan, forPrint); });
}

std::vector<TMannschaftsKostenType> ShownTypes(const TPlan& plan) {
    std::vector<TMannschaftsKostenType> shown;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        if (plan.HasValuesForType(type)) {
            shown.push_back(type);
        }
    }
    return shown;
}

int ColumnX(const std::vector<TMannschaftsKostenType>& shown, TMannschaftsKostenType type) {
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == type) {
            return 250 + 110 * static_cast<int>(i);
        }
    }
    return -1;
}

TMannschaftsKosten CostsOf(TPlan& plan, const std::string& team) {
    TMannschaftsKosten kosten;
    TeamOf(plan, team).CalculateKosten(plan, kosten, tmNoMessage);
    return kosten;
}

QColor Pixel(const test::TRenderedPage& page, int x, int y) {
    return page.Image.pixelColor(x, y);
}

} // namespace

TEST(KostenPage, RowsColumnsBandsAndRedShare) {
    auto plan = ViewTestPlan(false);
    const auto page = RenderKosten(*plan);
    const auto shown = ShownTypes(*plan);
    // The fallback date and the double dates bring their columns; no team has 60 km partners.
    ASSERT_EQ(shown.size(), 11u);
    // The extent reaches to the end of the "Gesamt" column, beyond 450 plus 100 per type.
    EXPECT_EQ(page.Extent.Width, 250 + 110 * (11 + 1));

    EXPECT_EQ(page.At(0, 0), std::vector<std::string>{"Kosten:"});
    EXPECT_EQ(page.Find("Kosten:")->FontHeight, -18);
    const double total = plan->CalculateKosten(-1);
    EXPECT_EQ(page.At(200, 30), std::vector<std::string>{FormatLargeValue(total)});
    EXPECT_EQ(page.At(0, 30), std::vector<std::string>{"Gesamtkosten:"});
    EXPECT_EQ(page.Find("Spiele nicht terminiert:"), nullptr);
    const std::vector<std::string> planRows = {
        "Überlappung Spieltage:", "Länge Spieltage:", "Überlappung letzer Spieltag:",
        "Länge letzer Spieltag:", "Vereinsinterne Spiele am Anfang:"};
    for (std::size_t i = 0; i < planRows.size(); ++i) {
        EXPECT_EQ(page.At(0, 50 + 20 * static_cast<int>(i)), std::vector<std::string>{planRows[i]});
    }

    const int headY = 130 + 40;
    EXPECT_EQ(page.At(0, headY), std::vector<std::string>{"Mannschaft"});
    EXPECT_EQ(page.At(ColumnX(shown, mktAusweichTermine), headY),
              std::vector<std::string>{"Ausweichtermine"});
    EXPECT_EQ(page.Find("60km Regel"), nullptr);
    const int totalX = 250 + 110 * 11;
    EXPECT_EQ(page.At(totalX, headY), std::vector<std::string>{"Gesamt"});

    // Team rows in plan order; cells with both counts, with one count, and the team total over
    // all sixteen types.
    const std::vector<std::string> teams = {"SV Ost", "TSV Nord", "TSV Nord II", "TTC West"};
    for (std::size_t i = 0; i < teams.size(); ++i) {
        const int y = headY + 30 * static_cast<int>(i + 1);
        EXPECT_EQ(page.At(0, y), std::vector<std::string>{teams[i]});
        EXPECT_EQ(page.At(totalX, y),
                  std::vector<std::string>{FormatLargeValue(CostsOf(*plan, teams[i]).getGesamtKosten())});
    }
    const int nordY = headY + 60;
    EXPECT_EQ(page.At(ColumnX(shown, mktAusweichTermine), nordY), std::vector<std::string>{"1 /1 (1.000)"});
    EXPECT_EQ(page.At(ColumnX(shown, mktHalleBelegt), nordY), std::vector<std::string>{"0 (0)"});
    const int sumY = headY + 30 * 5 + 5;
    EXPECT_EQ(page.At(0, sumY), std::vector<std::string>{"Summe:"});

    // The messages follow 60 below the sums; the extent ends 20 below the last team's block.
    const TDrawnText* nordMessages = page.Find("TSV Nord:");
    ASSERT_NE(nordMessages, nullptr);
    EXPECT_EQ(nordMessages->FontHeight, -18);
    EXPECT_GT(nordMessages->Y, sumY + 60);
    EXPECT_NE(page.Find("Ausweichtermin wurde verwendet: Sa 30.01.2027"), nullptr);
    EXPECT_EQ(page.Extent.Height, page.Texts.back().Y + 40);

    // Bands: the first band (52 below the heading line) lies behind the second team.
    EXPECT_EQ(Pixel(page, 5, headY + 30 - 5), QColor(255, 255, 255));
    EXPECT_EQ(Pixel(page, 5, nordY - 5), QColor(240, 240, 240));
    EXPECT_EQ(Pixel(page, 440 + 100 * 11 - 5, nordY - 5), QColor(240, 240, 240));
    EXPECT_EQ(Pixel(page, 440 + 100 * 11 + 5, nordY - 5), QColor(255, 255, 255));

    // TSV Nord's total dominates: red with the share of the total; a zero cell keeps its band.
    const double nordTotal = CostsOf(*plan, "TSV Nord").getGesamtKosten();
    const int l = 255 - static_cast<int>(std::trunc(nordTotal * 255 / total));
    ASSERT_LT(l, 240);
    EXPECT_EQ(Pixel(page, totalX - 1, nordY - 1), QColor(255, l, l));
    EXPECT_EQ(Pixel(page, ColumnX(shown, mktHalleBelegt) - 1, nordY - 1), QColor(240, 240, 240));

    // Printed: no heading, the rest where it was.
    const auto printed = RenderKosten(*plan, true);
    EXPECT_EQ(printed.Find("Kosten:"), nullptr);
    EXPECT_EQ(printed.At(0, 30), std::vector<std::string>{"Gesamtkosten:"});
    EXPECT_EQ(printed.Extent.Height, page.Extent.Height);
}

TEST(KostenPage, ShareThresholdAndWeightMarkers) {
    // A share whose integer part is 15 (L = 240) stays white; 16 is red.
    QImage image(200, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TZoomCanvas canvas(&painter, 96, 96, 1.0);
        DrawKostenCell(canvas, 10, 10, 1000, 62, std::nullopt, 0);
        DrawKostenCell(canvas, 10, 40, 1000, 63, std::nullopt, 0);
        DrawKostenCell(canvas, 10, 60, 0, 63, std::nullopt, 0);
    }
    EXPECT_EQ(image.pixelColor(9, 9), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(9, 39), QColor(255, 239, 239));
    EXPECT_EQ(image.pixelColor(9, 59), QColor(255, 255, 255));

    TCalculateOptions options;
    options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(mktSperrTermine)] = coIgnore;
    options.GewichtungMannschaften.addMain("n1", coHoch);
    options.SpieltagOverlapp = coWenig;
    auto plan = ViewTestPlan(false);
    plan->AssignOptions(options);
    const auto page = RenderKosten(*plan);
    const auto shown = ShownTypes(*plan);
    const int headY = 170;
    const int nordY = headY + 60;
    const int sumY = headY + 30 * 5 + 5;

    TZoomCanvas measure(nullptr, 96, 96, 1.0);
    measure.FontHeight = 11;
    const auto markerAt = [&](int cellX, int y) -> const TDrawnText* {
        for (const TDrawnText& t : page.Texts) {
            if (t.Y == y && t.FontHeight == 11 && t.X > cellX && t.X < cellX + 90) {
                EXPECT_EQ(t.X + measure.TextExtent(t.Text).width(), cellX + 90) << t.Text;
                return &t;
            }
        }
        return nullptr;
    };
    const int sperrX = ColumnX(shown, mktSperrTermine);
    const int totalX = 250 + 110 * static_cast<int>(shown.size());
    struct TExpected {
        int x, y;
        const char* text;
        QColor color;
    };
    for (const TExpected& e :
         {TExpected{sperrX, sumY, "X", QColor(0, 0, 0)}, TExpected{sperrX, nordY, "X", QColor(0, 0, 0)},
          TExpected{ColumnX(shown, mktHalleBelegt), nordY, "+1", QColor(0, 128, 0)},
          TExpected{totalX, nordY, "+1", QColor(0, 128, 0)}, TExpected{200, 50, "-1", QColor(255, 0, 0)}}) {
        const TDrawnText* marker = markerAt(e.x, e.y);
        ASSERT_NE(marker, nullptr) << e.text << " at " << e.x << "," << e.y;
        EXPECT_EQ(marker->Text, e.text);
        EXPECT_EQ(marker->Color, e.color);
    }
    // coNormal shows nothing: SV Ost's total, the game-day length row.
    EXPECT_EQ(markerAt(totalX, headY + 30), nullptr);
    EXPECT_EQ(markerAt(200, 70), nullptr);
}

TEST(KostenPage, HiddenTypeStillCountsInTotal) {
    // Without mandatory periods their column is hidden. In a consistent plan such a type costs
    // nothing, so a period is added behind the plan's cached data flags: the type then costs
    // something while its column stays hidden.
    auto plan = ViewTestPlan(false);
    ASSERT_FALSE(plan->HasMandatoryGameDays());
    plan->MandatoryGameDays.push_back({test::D(2026, 10, 1), test::D(2026, 10, 31), 3});
    for (const auto& team : plan->Mannschaften) {
        team->ClearKostenCache();
    }
    const TMannschaftsKosten kosten = CostsOf(*plan, "TSV Nord");
    ASSERT_GT(kosten[mktMandatoryGames].GesamtKosten, 0);

    const auto page = RenderKosten(*plan);
    const auto shown = ShownTypes(*plan);
    ASSERT_EQ(shown.size(), 11u);
    EXPECT_EQ(page.Extent.Width, 250 + 110 * (11 + 1));
    EXPECT_EQ(page.Find("Pflichtspieltage"), nullptr);
    for (const auto* hit : page.HitsOf<TActionRectKostenTypeMannschaft>()) {
        EXPECT_NE(hit->KostenType, mktMandatoryGames);
    }
    for (const auto* hit : page.HitsOf<TActionRectKostenMannschaftDetail>()) {
        EXPECT_NE(hit->KostenType, mktMandatoryGames);
    }
    const auto totalText = page.At(250 + 110 * 11, 170 + 60);
    EXPECT_EQ(totalText, std::vector<std::string>{FormatLargeValue(kosten.getGesamtKosten())});
    EXPECT_NE(totalText.front(),
              FormatLargeValue(kosten.getGesamtKosten() - kosten[mktMandatoryGames].GesamtKosten));
}

TEST(KostenPage, HitAreas) {
    auto plan = ViewTestPlan(false);
    const auto page = RenderKosten(*plan);
    const auto shown = ShownTypes(*plan);
    const int teams = 4;
    const int headY = 170;
    const int types = static_cast<int>(shown.size());

    const auto planHits = page.HitsOf<TActionRectKostenPlan>();
    ASSERT_EQ(planHits.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(planHits[static_cast<std::size_t>(i)]->KostenType, static_cast<TPlanKostenType>(i));
        const TIntRect r = planHits[static_cast<std::size_t>(i)]->getRect();
        EXPECT_EQ((std::vector<int>{r.Left, r.Top, r.Right, r.Bottom}),
                  (std::vector<int>{200, 50 + 20 * i, 270, 70 + 20 * i}));
    }

    // Each shown type: its heading and its sum cell.
    const auto typeHits = page.HitsOf<TActionRectKostenTypeMannschaft>();
    ASSERT_EQ(typeHits.size(), 2u * shown.size());
    EXPECT_EQ(typeHits[1]->KostenType, shown[1]);
    EXPECT_EQ(typeHits[1]->getRect().Left, 360);
    EXPECT_EQ(typeHits[1]->getRect().Top, headY);
    EXPECT_EQ(typeHits[1]->getRect().Width(), 110);
    EXPECT_EQ(typeHits[1]->getRect().Height(), 20);
    EXPECT_EQ(typeHits.back()->getRect().Top, headY + 30 * (teams + 1) + 5);

    // Each team: its name (250 wide) and its total; a detail area per shown type.
    const auto mainHits = page.HitsOf<TActionRectKostenMannschaftMain>();
    ASSERT_EQ(mainHits.size(), 2u * teams);
    EXPECT_EQ(mainHits[2]->teamId, "n1");
    EXPECT_EQ(mainHits[2]->getRect().Left, 0);
    EXPECT_EQ(mainHits[2]->getRect().Top, headY + 60);
    EXPECT_EQ(mainHits[2]->getRect().Width(), 250);
    EXPECT_EQ(mainHits[3]->getRect().Left, 250 + 110 * types);
    EXPECT_EQ(mainHits[3]->getRect().Width(), 110);
    const auto detailHits = page.HitsOf<TActionRectKostenMannschaftDetail>();
    ASSERT_EQ(detailHits.size(), static_cast<std::size_t>(teams * types));
    const auto* last = detailHits.back();
    EXPECT_EQ(last->teamId, "w");
    EXPECT_EQ(last->KostenType, shown.back());
    EXPECT_EQ(last->getRect().Left, 250 + 110 * (types - 1));
    EXPECT_EQ(last->getRect().Top, headY + 30 * teams);
    EXPECT_EQ(last->getRect().Width(), 110);
    EXPECT_EQ(last->getRect().Height(), 20);
}

TEST(KostenPage, HeadingsAndLongCellsFitTheirColumns) {
    // The layout's widths are those of Tahoma, which fonts-wine provides (scripts/install-deps.sh).
    ASSERT_EQ(QFontInfo(QFont(PlanFontFamily())).family().toStdString(), "Tahoma");
    TZoomCanvas measure(nullptr, 96, 96, 1.0);
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        const std::string_view heading = MannschaftsKostenTypeText(type);
        EXPECT_LT(measure.TextExtent(heading).width(), KostenCellWidth) << heading;
    }

    // A long cell is drawn smaller to end before its marker; one too long even then is shortened.
    const auto cells = RenderPage([](TZoomCanvas& canvas) {
        DrawKostenCell(canvas, 250, 0, 1e6, 99'999, TKostenCounts{12, 24}, -1000);
        DrawKostenCell(canvas, 250, 30, 1e6, 99'999, TKostenCounts{1234, 5678}, 3);
        return TPageExtent{400, 50};
    });
    ASSERT_EQ(cells.Texts.size(), 4u); // per cell its text and its marker
    for (const std::size_t i : {0u, 2u}) {
        const TDrawnText& text = cells.Texts[i];
        measure.FontHeight = text.FontHeight;
        EXPECT_LT(text.X + measure.TextExtent(text.Text).width(), cells.Texts[i + 1].X - 2) << text.Text;
        EXPECT_GT(text.FontHeight, -12);
    }
    EXPECT_EQ(cells.Texts[0].Text, "12 /24 (99.999)");
    EXPECT_EQ(cells.Texts[2].Text.substr(0, 12), "1234 /5678 (");
}
