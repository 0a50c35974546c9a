// TFormProfile: the memo, the buttons and the background run.

#include "app/ProfileDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/WindowHelpers.h"
#include "engine/Profiling.h"
#include "model/Plan.h"

namespace terminor {

TFormProfile::TFormProfile(const TPlan& plan, QWidget* parent, int calls)
    : QDialog(parent), FPlan(std::make_unique<TPlan>()), FCalls(calls) {
    AdjustDialog(this);
    setObjectName("FormProfile");
    setWindowTitle("Profile...");
    FPlan->Assign(plan);
    FRun = std::make_unique<TProfileRun>(*FPlan);

    auto* layout = new QVBoxLayout(this);
    FMemo = new QPlainTextEdit(this);
    FMemo->setObjectName("Memo");
    FMemo->setReadOnly(true);
    layout->addWidget(FMemo);
    auto* panelBottom = new QWidget(this);
    panelBottom->setObjectName("PanelBottom");
    auto* buttons = new QHBoxLayout(panelBottom);
    buttons->setContentsMargins(0, 0, 0, 0);
    FButtonStart = new QPushButton("Starten", panelBottom);
    FButtonStart->setObjectName("ButtonStart");
    FButtonClear = new QPushButton("Clear Stats", panelBottom);
    FButtonClear->setObjectName("Button1");
    FButtonOK = new QPushButton("Schließen", panelBottom);
    FButtonOK->setObjectName("ButtonOK");
    buttons->addWidget(FButtonStart);
    buttons->addWidget(FButtonClear);
    buttons->addStretch(1);
    buttons->addWidget(FButtonOK);
    layout->addWidget(panelBottom);
    resize(520, 560);

    connect(FButtonStart, &QPushButton::clicked, this, [this] { Start(); });
    // The statistics lists are always empty: clearing them only closes the dialog.
    connect(FButtonClear, &QPushButton::clicked, this, &QDialog::reject);
    connect(FButtonOK, &QPushButton::clicked, this, &QDialog::reject);
    FPollTimer = new QTimer(this);
    FPollTimer->setInterval(50);
    connect(FPollTimer, &QTimer::timeout, this, [this] { Poll(); });
}

TFormProfile::~TFormProfile() {
    FCancel.store(true);
    if (FThread.joinable()) {
        FThread.join();
        QApplication::restoreOverrideCursor();
    }
}

void TFormProfile::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Running()) {
        ResetMemo();
    }
}

void TFormProfile::ResetMemo() {
    FMemo->clear();
    FMemo->appendPlainText("Treffer der Threadtypen");
    FMemo->appendPlainText("");
    FMemo->appendPlainText("Dynamische Threads");
    FMemo->repaint();
    FMemo->appendPlainText("");
}

void TFormProfile::Start() {
    if (Running()) {
        return;
    }
    ResetMemo();
    FButtonStart->setEnabled(false);
    FButtonClear->setEnabled(false);
    FButtonOK->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FDone.store(false);
    FCancel.store(false);
    FThread = std::thread([this] {
        FRun->Run(FCalls, &FCancel);
        FDone.store(true);
    });
    FPollTimer->start();
}

void TFormProfile::Poll() {
    if (FDone.load()) {
        Finish();
    }
}

void TFormProfile::Finish() {
    FPollTimer->stop();
    FThread.join();
    QApplication::restoreOverrideCursor();
    // The report's first lines are the two statistics headings already shown.
    const std::vector<std::string> lines = FRun->Lines();
    for (std::size_t i = 4; i < lines.size(); ++i) {
        FMemo->appendPlainText(QString::fromStdString(lines[i]));
    }
    FButtonStart->setEnabled(true);
    FButtonClear->setEnabled(true);
    FButtonOK->setEnabled(true);
}

void TFormProfile::reject() {
    // Closing waits for the run to end; Escape during a run is ignored.
    if (!Running()) {
        QDialog::reject();
    }
}

} // namespace terminor
