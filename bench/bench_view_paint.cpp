// Painting the pages "Kosten" and "Terminplan" (all three modes) of a dated 16-team division into
// an offscreen image at zoom 1, the whole page at once, as a paint of the plan view does it.

#include <memory>
#include <string>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "data/DateTime.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "engine/PlanCalcThread.h"
#include "model/Plan.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

using namespace terminor;

namespace {

std::string DateText(TDateTime day) {
    const std::string date = FormatDayDate(day);
    return date.substr(3); // without the weekday
}

/// Sixteen teams of eight clubs (a first and a second team each). Every team offers each of 16
/// Saturdays of both halves at home, some first teams also Sunday mornings with a double date; the
/// first teams have games of a sister team of their club in another age class.
std::string DivisionXml() {
    const TDateTime firstSaturday = EncodeDate(2026, 9, 5);
    const TDateTime secondHalfSaturday = EncodeDate(2027, 1, 9);
    std::string xml = "<terminor><plan name=\"Bezirksliga Bench\" id=\"16\" gender=\"Herren\" "
                      "from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">";
    for (int club = 0; club < 8; ++club) {
        for (int number = 1; number <= 2; ++number) {
            const std::string name = "TTC Verein " + std::to_string(club + 1) + (number == 2 ? " II" : "");
            xml += "<team teamname=\"" + name + "\" teamid=\"t" + std::to_string(club * 2 + number) +
                   "\" clubid=\"c" + std::to_string(club) + "\" teamnumber=\"" + std::to_string(number) +
                   "\" homerights=\"-1\">";
            const int parity = (club + number) % 2;
            for (const TDateTime start : {firstSaturday, secondHalfSaturday}) {
                for (int week = 0; week < 16; ++week) {
                    const TDateTime saturday = start + 7 * week;
                    const std::string time = number == 1 ? " 18:00" : " 19:30";
                    xml += "<homegameday datetime=\"" + DateText(saturday) + time + "\"" +
                           (number == 1 && week % 4 == parity ? " doublegameday=\"true\" coupleprio=\"1\""
                                                              : "") +
                           "/>";
                    if (number == 1 && week % 4 == parity) {
                        xml += "<homegameday datetime=\"" + DateText(saturday + 1) +
                               " 11:00\" doublegameday=\"true\" coupleprio=\"1\"/>";
                    }
                }
            }
            if (number == 1) {
                xml += "<sisterteam teamname=\"" + name +
                       "\" gender=\"Damen\" teamnumber=\"1\" "
                       "noparallelgames=\"true\">";
                for (int week = 0; week < 16; week += 3) {
                    xml += "<sistergame datetime=\"" + DateText(firstSaturday + 7 * week) +
                           " 14:00\" hometeamname=\"" + name + "\" guestteamname=\"DJK Gast " +
                           std::to_string(week) + "\"/>";
                }
                xml += "</sisterteam>";
            }
            xml += "</team>";
        }
    }
    return xml + "</plan></terminor>";
}

/// The division with a schedule from a seeded single worker, costs computed as the view does.
const TPlan& DatedDivision() {
    static std::unique_ptr<TPlan> plan;
    if (!plan) {
        TPlanData data;
        data.LoadFromXMLText(DivisionXml(), "bench-division.xml");
        plan = std::make_unique<TPlan>();
        plan->Load(data);
        plan->clearAllDates();
        plan->RemoveNotValidDates();
        TPlanCalcThread worker(4711);
        worker.StartWithLists("1", *plan, "2", nullptr);
        worker.RunSynchronously(2000);
        plan->AssignOptimizedDates(worker.OptPlan());
        plan->CalculateKosten(-1);
    }
    return *plan;
}

/// Paints the page `draw` draws. With `wholePage` into one image as high as the page; otherwise as
/// the plan view paints a screen: an image of a window's size showing the top of the page, with
/// the canvas drawing only the window (and the margins the view adds) while the page routine runs
/// through the whole page.
template <typename Draw> void PaintPage(benchmark::State& state, bool wholePage, Draw draw) {
    TPlan plan;
    plan.Assign(DatedDivision());
    plan.CalculateKosten(-1);
    TZoomCanvas measure(nullptr, 96, 96, 1.0);
    const TPageExtent extent = draw(measure, plan);
    constexpr int ScreenHeight = 1000;
    QImage image(extent.Width + 40, wholePage ? extent.Height + 40 : ScreenHeight, QImage::Format_RGB32);
    // Filled once: clearing an image as high as a whole page costs more than drawing on it, and the
    // view clears only the exposed part of its window.
    image.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&image);
        TZoomCanvas canvas(&painter, 96, 96, 1.0);
        if (!wholePage) {
            canvas.SetVisibleWindow(-2000, ScreenHeight + 40);
        }
        benchmark::DoNotOptimize(draw(canvas, plan));
    }
    int dated = 0;
    for (const TGame* game : plan.gamesAllowed) {
        dated += game->DateValid() ? 1 : 0;
    }
    state.counters["games"] = static_cast<double>(plan.gamesAllowed.size());
    state.counters["dated"] = dated;
    state.counters["height"] = extent.Height;
}

void BM_PaintKosten(benchmark::State& state) {
    PaintPage(state, state.range(0) != 0,
              [](TZoomCanvas& canvas, TPlan& plan) { return DrawKostenPage(canvas, plan, false); });
}
BENCHMARK(BM_PaintKosten)->ArgName("whole")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PaintTerminplan(benchmark::State& state) {
    const auto mode = static_cast<TTerminplanMode>(state.range(0));
    PaintPage(state, state.range(1) != 0, [mode](TZoomCanvas& canvas, TPlan& plan) {
        return DrawTerminplanPage(canvas, plan, mode, false);
    });
}
BENCHMARK(BM_PaintTerminplan)
    ->ArgNames({"mode", "whole"})
    ->ArgsProduct({{static_cast<int>(TTerminplanMode::Spielplan),
                    static_cast<int>(TTerminplanMode::Mannschaftsplaene),
                    static_cast<int>(TTerminplanMode::MannschaftsplaeneMitNachbarn)},
                   {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts and painting need a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
