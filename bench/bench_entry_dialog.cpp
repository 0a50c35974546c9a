// How fast the data dialog "Spielplandaten bearbeiten..." answers on a 16-team division: opening
// it (copy of the plan data, the page tree, the first page shown and painted) and switching to
// each page (the old page written back, the new one filled, shown and painted). Prints median and
// maximum per step. Then the page "Wunschtermine": opening it with a team selected (from the first
// page) and switching from team to team there (the old team's grid written back, the new one filled
// and painted). Not a Google Benchmark loop: each sample is one user action.
//
//   bench_entry_dialog [ROUNDS]   (default 10)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "app/entry/DialogPanelHomeDays.h"
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
    // Questions and messages answer themselves; a bench cannot click.
    DataEntryHooks().AskYesNo = [](QWidget*, const QString&) { return true; };
    DataEntryHooks().ShowMessage = [](QWidget*, const QString& text) {
        std::printf("message: %s\n", text.toStdString().c_str());
    };

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
    // "Wunschtermine": opening it for a team, and switching teams there. Each switch edits one cell
    // first, so that the old team's grid is really written back.
    std::vector<double> openingWishes;
    std::vector<double> switchingTeams;
    std::vector<std::string> teams;
    data.getTeamNames(teams);
    for (int round = 0; round < rounds; ++round) {
        TDialogForMultiplePanel dialog;
        dialog.SetValues(data, &imported, DataEntryPages());
        dialog.show();
        QApplication::processEvents();
        int wishPage = -1;
        for (int i = 0; i < dialog.TreeView->topLevelItemCount(); ++i) {
            if (dialog.TreeView->topLevelItem(i)->text(0) == "Wunschtermine") {
                wishPage = i;
            }
        }
        if (wishPage < 0) {
            std::printf("no page \"Wunschtermine\"\n");
            return 1;
        }
        TDialogPanelMultiTeams::LastSelectedTeam() = teams[static_cast<std::size_t>(round) % teams.size()];
        QElapsedTimer timer;
        timer.start();
        dialog.SelectPage(wishPage);
        dialog.repaint();
        QApplication::processEvents();
        openingWishes.push_back(Elapsed(timer));
        auto* page = static_cast<TDialogPanelHomeDays*>(dialog.DialogPanel.get());
        for (const std::string& team : teams) {
            auto* detail = static_cast<TDialogPanelHomeDaysDetail*>(page->DialogPanel.get());
            detail->GridHomeDays->item(2, 2)->setText("19:00");
            timer.restart();
            page->SelectTeam(team);
            dialog.repaint();
            QApplication::processEvents();
            switchingTeams.push_back(Elapsed(timer));
        }
        dialog.reject();
    }

    std::printf("Data dialog on a division of 16 teams, %d rounds\n", rounds);
    Report("opening the dialog", opening);
    for (std::size_t i = 0; i < switching.size(); ++i) {
        Report("switching to \"" + captions[i] + "\"", switching[i]);
    }
    Report("\"Wunschtermine\": opening it for a team", openingWishes);
    Report("\"Wunschtermine\": switching teams", switchingTeams);
    return 0;
}
