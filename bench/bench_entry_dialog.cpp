// How fast the data dialog "Spielplandaten bearbeiten..." answers on a 16-team division: opening
// it (copy of the plan data, the page tree, the first page shown and painted) and switching to
// each page (the old page written back, the new one filled, shown and painted). Prints median and
// maximum per step. Not a Google Benchmark loop: each sample is one user action.
//
//   bench_entry_dialog [ROUNDS]   (default 10)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>

#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "data/PlanData.h"
#include "synthetic/SyntheticDivision.h"

using namespace terminor;

namespace {

void Report(const std::string& what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("%-50s median %7.2f ms   max %7.2f ms   (%zu samples)\n", what.c_str(),
                values[values.size() / 2], values.back(), values.size());
}

double Elapsed(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    TPlanData data;
    synthetic::BuildDivision(16, 1, data);
    TPlanData imported;
    imported.assign(data);

    std::vector<double> opening;
    std::vector<std::vector<double>> switching;
    std::vector<std::string> captions;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        TDialogForMultiplePanel dialog;
        dialog.SetValues(data, &imported, DataEntryPages());
        dialog.show();
        dialog.repaint();
        QApplication::processEvents();
        opening.push_back(Elapsed(timer));

        const int pages = dialog.TreeView->topLevelItemCount();
        switching.resize(static_cast<std::size_t>(pages));
        captions.resize(static_cast<std::size_t>(pages));
        for (int i = 1; i <= pages; ++i) {
            const int page = i % pages;
            timer.restart();
            dialog.SelectPage(page);
            dialog.repaint();
            QApplication::processEvents();
            switching[static_cast<std::size_t>(page)].push_back(Elapsed(timer));
            captions[static_cast<std::size_t>(page)] =
                dialog.TreeView->topLevelItem(page)->text(0).toStdString();
        }
        dialog.reject();
    }
    std::printf("Data dialog on a division of 16 teams, %d rounds\n", rounds);
    Report("opening the dialog", opening);
    for (std::size_t i = 0; i < switching.size(); ++i) {
        Report("switching to \"" + captions[i] + "\"", switching[i]);
    }
    return 0;
}
