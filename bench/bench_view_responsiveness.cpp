// How the user-interface thread fares while a full generation runs (4 main threads of 24 workers
// and the special thread): the lateness of a 20 ms timer and the time of a view refresh (copying
// the best schedule into the plan view and painting the page "Kosten"), on the example division.
// Prints median, 95th percentile and maximum. Not a Google Benchmark loop: it measures one long run.
//
//   bench_view_responsiveness [SECONDS]   (default 10)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>

#include "data/PlanData.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/PlanPanel.h"

using namespace terminor;

namespace {

void Report(const char* what, std::vector<double> values) {
    if (values.empty()) {
        std::printf("%-28s no samples\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) { return values[static_cast<std::size_t>(q * (values.size() - 1))]; };
    std::printf("%-28s median %7.2f ms   p95 %7.2f ms   max %7.2f ms   (%zu samples)\n", what, at(0.5),
                at(0.95), values.back(), values.size());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    TPlanData data;
    data.LoadFromClickTTFile(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml");
    TPlan plan;
    plan.Load(data);
    plan.AssignOptions(plan.getOptions());
    plan.clearAllDates();
    plan.RemoveNotValidDates();

    TFormPlanPanel panel;
    panel.resize(1400, 900);
    panel.PageControl()->setCurrentIndex(TFormPlanPanel::PageKosten);
    panel.show();

    TPlanOptimizer optimizer(plan);
    optimizer.Start();
    TPlan shown;
    shown.Assign(plan);

    std::vector<double> lateness;
    std::vector<double> refresh;
    QElapsedTimer clock;
    clock.start();
    qint64 expected = clock.elapsed() + 20;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(20);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        lateness.push_back(static_cast<double>(std::max<qint64>(0, now - expected)));
        expected = now + 20;
    });
    QTimer sync;
    sync.setInterval(777);
    QObject::connect(&sync, &QTimer::timeout, [&] {
        QElapsedTimer t;
        t.start();
        optimizer.copyPlanDates(shown);
        panel.SetPlan(&shown);
        panel.PaintBox(TFormPlanPanel::PageKosten)->repaint();
        refresh.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    });
    tick.start();
    sync.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    QApplication::exec();
    const std::int64_t steps = optimizer.Durchlaufe();
    optimizer.Stop();

    std::printf("%d s with the full thread tree: %lld steps (%.0f/s)\n", seconds,
                static_cast<long long>(steps), static_cast<double>(steps) / seconds);
    Report("20 ms timer lateness", lateness);
    Report("view refresh (copy+paint)", refresh);
    return 0;
}
