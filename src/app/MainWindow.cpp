// TFormTerminorMain: controls, their states and the handlers of the workflow.

#include "app/MainWindow.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DialogHelpers.h"
#include "app/ElidedLabel.h"
#include "app/FirstStartDialog.h"
#include "app/GetUpdatesDialog.h"
#include "app/ManualFile.h"
#include "app/OptionsDialog.h"
#include "app/UpdateSchedule.h"
#include "app/UpdateSearch.h"
#include "app/WindowHelpers.h"
#include "app/entry/DataEntryPages.h"
#include "app/entry/DialogForMultiplePanel.h"
#include "calendar/CalendarFiles.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"
#include "view/GameActionRects.h"
#include "view/PlanPanel.h"

namespace terminor {

namespace {

constexpr int SyncIntervalMs = 777;
constexpr int SearchUpdateIntervalMs = 1000;
constexpr std::int64_t ViewRefreshMs = 10000;

std::int64_t TickMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// The local date and time now.
TDateTime NowDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDate(d.year(), d.month(), d.day()) + EncodeTime(t.hour(), t.minute(), t.second());
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QToolButton* AddToolButton(QToolBar* bar, const char* name, const QString& text,
                           QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(text);
    button->setIcon(bar->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->addWidget(button);
    return button;
}

} // namespace

TFormTerminorMain::TFormTerminorMain(TMainWindowHooks hooks, std::string appDataFolder, TEngineConfig config,
                                     QWidget* parent)
    : QMainWindow(parent), FHooks(std::move(hooks)), FSession(std::move(appDataFolder), std::move(config)) {
    setObjectName("FormTerminorMain");
    setWindowTitle(Q("Terminor " + ProgramVersionText()));
    setAcceptDrops(true);
    CreateControls();
    UpdateControls();
    UpdateRecentFileMenu();
    AdjustDialog(this);

    QSettings settings;
    if (!restoreGeometry(settings.value("window/geometry").toByteArray())) {
        // Maximised; the geometry matters where no window manager maximises.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            setGeometry(screen->availableGeometry());
        }
        setWindowState(Qt::WindowMaximized);
    }
    StartUpdateSearch();
}

TFormTerminorMain::~TFormTerminorMain() {
    FSession.StopOptimizer();
}

void TFormTerminorMain::CreateControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* panelTop = new QWidget(central);
    panelTop->setObjectName("PanelTop");
    panelTop->setFixedHeight(65);
    auto* topLayout = new QHBoxLayout(panelTop);
    topLayout->setContentsMargins(4, 2, 8, 2);

    auto* toolBar = new QToolBar(panelTop);
    toolBar->setObjectName("ToolBar");
    toolBar->setIconSize(QSize(24, 24));
    ToolButtonLoad =
        AddToolButton(toolBar, "ToolButtonLoad", "Terminwünsche laden...", QStyle::SP_DialogOpenButton);
    PopupMenuOpen = new QMenu(ToolButtonLoad);
    PopupMenuOpen->setObjectName("PopupMenuOpen");
    MenuOpen = PopupMenuOpen->addAction("Datei öffnen (XML-Datei von Click-TT) ...");
    MenuOpen->setObjectName("MenuOpen");
    MenuOpen->setShortcut(QKeySequence::Open);
    MenuOpen->setShortcutContext(Qt::ApplicationShortcut);
    MenuNew = PopupMenuOpen->addAction("Neue Datei zur komplett manuellen Eingabe erstellen...");
    MenuNew->setObjectName("MenuNew");
    MenuRecent = PopupMenuOpen->addAction(QString());
    MenuRecent->setObjectName("MenuRecent");
    ToolButtonLoad->setMenu(PopupMenuOpen);
    ToolButtonLoad->setPopupMode(QToolButton::InstantPopup);
    addAction(MenuOpen);
    connect(MenuOpen, &QAction::triggered, this, [this] { MenuOpenClick(); });
    connect(MenuNew, &QAction::triggered, this, [this] { MenuNewClick(); });
    connect(MenuRecent, &QAction::triggered, this,
            [this] { LoadPlanFile(QSettings().value("recent/lastFile").toString().toStdString(), true); });

    ToolButtonStartPause =
        AddToolButton(toolBar, "ToolButtonStartPause", "Generierung starten", QStyle::SP_MediaPlay);
    connect(ToolButtonStartPause, &QToolButton::clicked, this, [this] { ToolButtonStartPauseClick(); });
    auto* startShortcut = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(startShortcut, &QShortcut::activated, this, [this] {
        if (ToolButtonStartPause->isEnabled()) {
            ToolButtonStartPauseClick();
        }
    });
    ToolButtonExport = AddToolButton(toolBar, "ToolButtonExport", "Für Click-TT exportieren...",
                                     QStyle::SP_DialogSaveButton);
    connect(ToolButtonExport, &QToolButton::clicked, this, [this] { ToolButtonExportClick(); });
    ToolButtonData =
        AddToolButton(toolBar, "ToolButtonData", "Plandaten...", QStyle::SP_FileDialogDetailedView);
    connect(ToolButtonData, &QToolButton::clicked, this, [this] { ToolButtonDataClick(); });
    ToolButtonData->setToolTip("Plandaten... (Strg+D)");
    auto* dataShortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    dataShortcut->setObjectName("ShortcutData");
    connect(dataShortcut, &QShortcut::activated, this, [this] {
        if (ToolButtonData->isEnabled()) {
            ToolButtonDataClick();
        }
    });
    ToolButtonOptions =
        AddToolButton(toolBar, "ToolButtonOptions", "Einstellungen...", QStyle::SP_FileDialogContentsView);
    connect(ToolButtonOptions, &QToolButton::clicked, this, [this] { ToolButtonOptionsClick(); });
    ToolButtonDivers = AddToolButton(toolBar, "ToolButtonDivers", "Sonstiges", QStyle::SP_FileDialogInfoView);
    PopupMenuDivers = new QMenu(ToolButtonDivers);
    PopupMenuDivers->setObjectName("PopupMenuDivers");
    MenuPrint = PopupMenuDivers->addAction("Drucken...");
    MenuPrint->setObjectName("MenuPrint");
    MenuPrint->setShortcut(QKeySequence::Print);
    MenuPrint->setShortcutContext(Qt::ApplicationShortcut);
    addAction(MenuPrint);
    connect(MenuPrint, &QAction::triggered, this, [this] { MenuPrintClick(); });
    MenuCalendar = PopupMenuDivers->addAction("Mannschaftsplan als Kalender exportieren...");
    MenuCalendar->setObjectName("MenuCalendar");
    connect(MenuCalendar, &QAction::triggered, this, [this] { MenuCalendarClick(); });
    Anleitung1 = PopupMenuDivers->addAction("Anleitung...");
    Anleitung1->setObjectName("Anleitung1");
    connect(Anleitung1, &QAction::triggered, this, [this] { AnleitungClick(); });
    AufUpdatesprfen1 = PopupMenuDivers->addAction("Auf Updates prüfen...");
    AufUpdatesprfen1->setObjectName("AufUpdatesprfen1");
    connect(AufUpdatesprfen1, &QAction::triggered, this, [this] { AufUpdatesprfen1Click(); });
    MenuProfile = PopupMenuDivers->addAction("Profil...");
    MenuProfile->setObjectName("MenuProfile");
    connect(MenuProfile, &QAction::triggered, this, [this] { ButtonProfileClick(); });
    ToolButtonDivers->setMenu(PopupMenuDivers);
    ToolButtonDivers->setPopupMode(QToolButton::InstantPopup);
    // The start button is as wide as its longest text, so that nothing moves when it changes; the
    // tool bar keeps the width of all its buttons and never hides one in its extension menu.
    int startWidth = 0;
    for (const char* text : {"Generierung starten", "Generierung pausieren", "Generierung fortsetzen"}) {
        ToolButtonStartPause->setText(text);
        startWidth = std::max(startWidth, ToolButtonStartPause->sizeHint().width());
    }
    ToolButtonStartPause->setMinimumWidth(startWidth);
    toolBar->setMinimumWidth(toolBar->sizeHint().width());
    toolBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    for (QMenu* menu : {PopupMenuOpen, PopupMenuDivers}) {
        connect(menu, &QMenu::aboutToHide, this,
                [this] { QTimer::singleShot(0, this, [this] { ResetHover(); }); });
    }
    topLayout->addWidget(toolBar);
    ButtonProfile = new QToolButton(panelTop);
    ButtonProfile->setObjectName("ButtonProfile");
    ButtonProfile->setVisible(false);
    connect(ButtonProfile, &QToolButton::clicked, this, [this] { ButtonProfileClick(); });

    // One action carries Ctrl+Q and the platform's quit keys: two shortcuts on the same key are
    // ambiguous, and Qt then triggers neither.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (!quitKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Q))) {
        quitKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
    auto* quit = new QAction(this);
    quit->setObjectName("ActionQuit");
    quit->setShortcuts(quitKeys);
    quit->setShortcutContext(Qt::ApplicationShortcut);
    addAction(quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    auto* selectorBox = new QVBoxLayout();
    selectorBox->setSpacing(2);
    auto* selectorRow = new QHBoxLayout();
    LabelPlanSelector = new QLabel("Angezeigter Plan:", panelTop);
    LabelPlanSelector->setObjectName("LabelPlanSelector");
    ComboBoxPlanSelector = new QComboBox(panelTop);
    ComboBoxPlanSelector->setObjectName("ComboBoxPlanSelector");
    // Long names of remembered schedules do not widen the selector; the list shows them whole.
    ComboBoxPlanSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBoxPlanSelector->setMinimumContentsLength(20);
    connect(ComboBoxPlanSelector, &QComboBox::activated, this, [this] { ComboBoxPlanSelectorChange(); });
    ButtonRemove = new QToolButton(panelTop);
    ButtonRemove->setObjectName("ButtonRemove");
    ButtonRemove->setToolTip("Gemerkten Plan entfernen...");
    ButtonRemove->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    connect(ButtonRemove, &QToolButton::clicked, this, [this] { ButtonRemoveClick(); });
    ButtonSave = new QToolButton(panelTop);
    ButtonSave->setObjectName("ButtonSave");
    ButtonSave->setToolTip("Plan merken...");
    ButtonSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    connect(ButtonSave, &QToolButton::clicked, this, [this] { ButtonSaveClick(); });
    selectorRow->addWidget(LabelPlanSelector);
    selectorRow->addWidget(ComboBoxPlanSelector);
    selectorRow->addWidget(ButtonSave);
    selectorRow->addWidget(ButtonRemove);
    selectorRow->addStretch(1);
    selectorBox->addLayout(selectorRow);
    LabelPlanName = new TElidedLabel("Kein Plan geladen", panelTop);
    LabelPlanName->setObjectName("LabelPlanName");
    QFont bold = LabelPlanName->font();
    bold.setBold(true);
    LabelPlanName->setFont(bold);
    LabelPlanName->setVisible(false);
    LabelDurchlauf = new TElidedLabel("Durchlauf", panelTop);
    LabelDurchlauf->setObjectName("LabelDurchlauf");
    LabelDurchlauf->setVisible(false);
    auto* labels = new QHBoxLayout();
    LabelPlanName->SetPreferFullWidth(true);
    labels->addWidget(LabelPlanName);
    labels->addSpacing(16);
    labels->addWidget(LabelDurchlauf, 1);
    selectorBox->addLayout(labels);
    topLayout->addLayout(selectorBox, 1);

    ComboBoxZoom = new QComboBox(panelTop);
    ComboBoxZoom->setObjectName("ComboBoxZoom");
    ComboBoxZoom->addItems({"25%", "50%", "75%", "100%", "125%", "150%", "175%", "200%"});
    ComboBoxZoom->setCurrentIndex(3);
    connect(ComboBoxZoom, &QComboBox::activated, this, [this] { ComboBoxZoomChange(); });
    topLayout->addWidget(ComboBoxZoom, 0, Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(panelTop);

    auto* panelPlan = new QWidget(central);
    panelPlan->setObjectName("PanelPlan");
    auto* planLayout = new QVBoxLayout(panelPlan);
    planLayout->setContentsMargins(0, 0, 0, 0);
    FPlanPanel = new TFormPlanPanel(panelPlan);
    FPlanPanel->OnKostenAction = [this](const TActionRectKosten& hit) { KostenAction(hit); };
    FPlanPanel->OnGameContextMenu = [this](const TActionRectGame& hit, QPoint pos) {
        GameContextMenu(hit, pos);
    };
    PopupMenuGame = new QMenu(this);
    PopupMenuGame->setObjectName("PopupMenuGame");
    planLayout->addWidget(FPlanPanel);
    layout->addWidget(panelPlan, 1);
    setCentralWidget(central);

    TimerSyncPlans = new QTimer(this);
    TimerSyncPlans->setObjectName("TimerSyncPlans");
    TimerSyncPlans->setInterval(SyncIntervalMs);
    connect(TimerSyncPlans, &QTimer::timeout, this, [this] { TimerSyncPlansTimer(); });
    TimerSyncPlans->start();

    TimerSearchUpdate = new QTimer(this);
    TimerSearchUpdate->setObjectName("TimerSearchUpdate");
    TimerSearchUpdate->setInterval(SearchUpdateIntervalMs);
    connect(TimerSearchUpdate, &QTimer::timeout, this, [this] { TimerSearchUpdateTimer(); });
}

bool TFormTerminorMain::Guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        FHooks.ShowError(this, "Nicht genügend Arbeitsspeicher.");
    } catch (const std::exception& e) {
        FHooks.ShowError(this, e.what());
    }
    return false;
}

void TFormTerminorMain::UpdateControls() {
    const bool loaded = FSession.PlanIsLoaded();
    for (QWidget* w : std::initializer_list<QWidget*>{ToolButtonStartPause, ToolButtonExport,
                                                      ToolButtonOptions, ToolButtonData}) {
        w->setEnabled(loaded);
    }
    MenuPrint->setEnabled(loaded);
    MenuCalendar->setEnabled(loaded);
    MenuProfile->setEnabled(loaded);
    for (QWidget* w :
         std::initializer_list<QWidget*>{LabelPlanSelector, ComboBoxPlanSelector, ButtonRemove, ButtonSave}) {
        w->setVisible(loaded);
    }
    ButtonRemove->setEnabled(ComboBoxPlanSelector->currentIndex() > 1);
    ButtonSave->setEnabled(ComboBoxPlanSelector->currentIndex() == 0);
    UpdateStartPauseButton();
}

TFormTerminorMain::TDialogPause::TDialogPause(TFormTerminorMain& window) : FWindow(window) {
    FPause.emplace(window.FSession);
}

TFormTerminorMain::TDialogPause::~TDialogPause() {
    FPause.reset();
    FWindow.UpdateStartPauseButton();
}

void TFormTerminorMain::UpdateStartPauseButton() {
    if (!FSession.Running()) {
        ToolButtonStartPause->setText("Generierung starten");
        ToolButtonStartPause->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    } else if (FSession.Paused()) {
        ToolButtonStartPause->setText("Generierung fortsetzen");
        ToolButtonStartPause->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    } else {
        ToolButtonStartPause->setText("Generierung pausieren");
        ToolButtonStartPause->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    }
    ToolButtonStartPause->setToolTip(ToolButtonStartPause->text() + " (F5)");
}

TPlan* TFormTerminorMain::GetSelectedPlan() {
    const int index = ComboBoxPlanSelector->currentIndex();
    if (index < 0 || index >= static_cast<int>(FSelectorPlans.size())) {
        return nullptr;
    }
    return FSelectorPlans[static_cast<std::size_t>(index)];
}

bool TFormTerminorMain::LoadPlanFile(const std::string& fileName, bool interactive, bool askToRemember) {
    bool done = false;
    bool firstStart = false;
    Guarded([&] {
        std::unique_ptr<TOpenedPlan> opened;
        {
            const TWaitCursor wait;
            // A file opened without the start questions is a new one, which has no teams yet.
            opened = FSession.OpenPlanFile(fileName, !interactive);
        }
        // Asked once the file has been read: only an open that will happen ends the generation.
        if (askToRemember && !ConfirmEndGeneration()) {
            return;
        }
        if (interactive) {
            const std::vector<std::string> settings = TTerminorSession::UserSettings(*opened);
            if (!settings.empty() && !FHooks.AskUseUserSettings(this, settings)) {
                TTerminorSession::UseDefaultSettings(*opened);
            }
            const TDateTime now = NowDateTime();
            for (TSeasonQuestion q =
                     TTerminorSession::NextSeasonQuestion(*opened, now, TSeasonQuestion::None);
                 q != TSeasonQuestion::None; q = TTerminorSession::NextSeasonQuestion(*opened, now, q)) {
                if (FHooks.AskYesNo(this, TTerminorSession::SeasonQuestionText(q))) {
                    TTerminorSession::AcceptSeasonQuestion(*opened, q);
                }
            }
        }
        firstStart = interactive && opened->FirstStart;
        std::string warning;
        {
            const TWaitCursor wait;
            warning = FSession.Adopt(std::move(opened));
            QSettings().setValue("recent/lastFile", Q(fileName));
            RememberFolder(fileName);
            UpdateRecentFileMenu();
            LastKosten = -1.0;
            LabelDurchlauf->SetFullText(QString());
            LabelDurchlauf->setVisible(false);
            PlanDataChanged();
            FPlanPanel->PageControl()->setCurrentIndex(TFormPlanPanel::PageTerminMeldung);
            ComboBoxPlanSelector->setCurrentIndex(1);
            ComboBoxPlanSelectorChange();
            UpdateStartPauseButton();
        }
        done = true;
        if (!warning.empty()) {
            FHooks.ShowMessage(this, warning);
        }
    });
    // Only once the window has switched completely: the first start works on the opened plan.
    if (done && firstStart) {
        RunFirstStart();
    }
    return done;
}

void TFormTerminorMain::RunFirstStart() {
    if (!FHooks.ExecFirstStart || !FSession.PlanIsLoaded()) {
        return;
    }
    Guarded([&] {
        TDialogFirstStart dialog(this);
        dialog.SetValue(FSession.PlanData(), FSession.PlanDataClickTTFile(), FSession.PlanLoaded());
        dialog.OnApplyChangedSettings = [this](const TPlanData& edited) { return TakeOverPlanData(edited); };
        FHooks.ExecFirstStart(this, dialog);
    });
    ResetHover();
}

bool TFormTerminorMain::TakeOverPlanData(const TPlanData& edited) {
    return Guarded([&] {
        const TWaitCursor wait;
        // The window shows the new data even when saving them failed; the error is shown last.
        try {
            FSession.TakeOverPlanData(edited);
        } catch (...) {
            AfterSettingsApplied();
            throw;
        }
        AfterSettingsApplied();
    });
}

bool TFormTerminorMain::ConfirmEndGeneration() {
    if (!FSession.BestPlanUnremembered()) {
        return true;
    }
    switch (FHooks.AskYesNoCancel(
        this, "Der beste Plan der laufenden Generierung wurde nicht gemerkt. Jetzt merken?")) {
    case TMainWindowHooks::TAnswer::Yes:
        return RememberRunningPlan();
    case TMainWindowHooks::TAnswer::No:
        return true;
    case TMainWindowHooks::TAnswer::Cancel:
        break;
    }
    return false;
}

void TFormTerminorMain::PlanDataChanged() {
    const std::string& name = FSession.PlanLoaded().PlanName;
    LabelPlanName->SetFullText(
        TrimBlanks(name).empty()
            ? "Neuer Plan (noch ohne Namen): " +
                  Q(std::filesystem::path(FSession.CurrentFileName()).filename().string())
            : Q(name));
    LabelPlanName->setVisible(true);
    const int index = ComboBoxPlanSelector->currentIndex();
    FillPlanSelector();
    ComboBoxPlanSelector->setCurrentIndex(index >= 0 && index < ComboBoxPlanSelector->count() ? index : 0);
    ComboBoxPlanSelectorChange();
    if (FFormOptions != nullptr) {
        FFormOptions->SetValues(FSession.PlanLoaded());
    }
}

void TFormTerminorMain::FillPlanSelector() {
    const int oldIndex = ComboBoxPlanSelector->currentIndex();
    const QString oldText = ComboBoxPlanSelector->currentText();
    const QSignalBlocker block(ComboBoxPlanSelector);
    ComboBoxPlanSelector->clear();
    FSelectorPlans.clear();
    if (FSession.PlanIsLoaded()) {
        ComboBoxPlanSelector->addItem("laufende Generierung");
        FSelectorPlans.push_back(&FSession.PlanOptimized());
        ComboBoxPlanSelector->addItem("in Click-TT vorhandener Plan");
        FSelectorPlans.push_back(&FSession.PlanLoaded());
        for (TSavedPlan* saved : FSession.SavedPlans().ValidItems()) {
            ComboBoxPlanSelector->addItem(Q(saved->Name));
            if (!saved->Warning.empty()) {
                ComboBoxPlanSelector->setItemData(ComboBoxPlanSelector->count() - 1, Q(saved->Warning),
                                                  Qt::ToolTipRole);
            }
            FSelectorPlans.push_back(saved->Plan.get());
        }
    }
    if (oldIndex >= 0) {
        const int same = ComboBoxPlanSelector->findText(oldText);
        ComboBoxPlanSelector->setCurrentIndex(
            same >= 0 ? same : std::min(oldIndex, ComboBoxPlanSelector->count() - 1));
    }
    if (ComboBoxPlanSelector->currentIndex() != oldIndex) {
        ShowSelectedPlan();
        UpdateControls();
    }
}

void TFormTerminorMain::ComboBoxPlanSelectorChange() {
    UpdateStatusBar();
    ShowSelectedPlan();
    UpdateControls();
}

void TFormTerminorMain::UpdateStatusBar() {
    // A remembered schedule with games of other teams says so while it is shown; schedule files
    // that could not be read at all (another division's, a broken file) say so all the time.
    const QString warning = ComboBoxPlanSelector->currentData(Qt::ToolTipRole).toString();
    const std::vector<std::string> invalid = FSession.SavedPlans().InvalidTexts();
    if (!warning.isEmpty()) {
        statusBar()->showMessage("Achtung: " + warning);
    } else if (!invalid.empty()) {
        QString text = "Gemerkter Plan " + Q(invalid.front());
        if (invalid.size() > 1) {
            text += " (und " + QString::number(invalid.size() - 1) + " weitere)";
        }
        statusBar()->showMessage(text);
        statusBar()->setToolTip(JoinLines(invalid));
    } else {
        statusBar()->clearMessage();
        statusBar()->setToolTip(QString());
    }
}

void TFormTerminorMain::ShowSelectedPlan() {
    FPlanPanel->SetPlan(GetSelectedPlan());
}

void TFormTerminorMain::ComboBoxZoomChange() {
    QString text = ComboBoxZoom->currentText();
    text.chop(1);
    FPlanPanel->SetZoom(text.toInt() / 100.0);
}

void TFormTerminorMain::RefreshSavedPlans(bool forceReload) {
    if (FSession.RefreshSavedPlans(forceReload)) {
        FillPlanSelector();
        // The plan behind a re-read item is a new object.
        ShowSelectedPlan();
        UpdateControls();
        UpdateStatusBar();
    }
}

void TFormTerminorMain::MenuOpenClick() {
    const std::string file = FHooks.OpenFileName(this);
    ResetHover();
    if (!file.empty()) {
        LoadPlanFile(file, true);
    }
}

void TFormTerminorMain::MenuNewClick() {
    // Asked before the file dialog, so that a cancel leaves no new file behind.
    if (!ConfirmEndGeneration()) {
        return;
    }
    const std::string file = FHooks.NewFileName(this);
    ResetHover();
    if (file.empty()) {
        return;
    }
    if (Guarded([&] { TTerminorSession::CreateNewFile(file); }) && LoadPlanFile(file, false, false)) {
        ToolButtonDataClick();
    }
}

void TFormTerminorMain::ToolButtonDataClick() {
    if (!FSession.PlanIsLoaded()) {
        return;
    }
    const TDialogPause pause(*this);
    Guarded([&] {
        TDialogForMultiplePanel dialog(this);
        dialog.setWindowTitle("Spielplandaten bearbeiten...");
        dialog.SetValues(FSession.PlanData(), FSession.PlanDataClickTTFile(), DataEntryPages());
        if (dialog.exec() == QDialog::Accepted) {
            TakeOverPlanData(dialog.getPlanData());
        }
    });
    ResetHover();
}

bool TFormTerminorMain::HasEnoughTeams(const std::string& refusal) {
    if (FSession.TeamCount() >= 2) {
        return true;
    }
    FHooks.ShowMessage(this, refusal +
                                 " Der Plan enthält weniger als zwei Mannschaften. Bitte tragen Sie die "
                                 "Mannschaften unter \"Plandaten...\" ein.");
    return false;
}

void TFormTerminorMain::ToolButtonOptionsClick() {
    if (!FSession.PlanIsLoaded()) {
        return;
    }
    Guarded([&] {
        if (FFormOptions == nullptr) {
            FFormOptions = new TFormOptions(this);
            FFormOptions->OnAfterSave = [this](bool saveOnlyOptions) {
                Guarded([&] {
                    const TWaitCursor wait;
                    FSession.ApplySettings(saveOnlyOptions);
                    AfterSettingsApplied();
                });
            };
        }
        FFormOptions->SetValues(FSession.PlanLoaded());
        FFormOptions->show();
        FFormOptions->raise();
        FFormOptions->activateWindow();
    });
}

void TFormTerminorMain::ToolButtonStartPauseClick() {
    if (!FSession.Running() && !HasEnoughTeams("Die Generierung kann nicht gestartet werden.")) {
        return;
    }
    Guarded([&] {
        const TWaitCursor wait;
        const bool started = !FSession.Running();
        FSession.StartPause();
        if (started) {
            LabelDurchlauf->SetFullText(QString());
            LabelDurchlauf->setVisible(true);
            LastKosten = -1.0;
            LastTimerTick = 0;
            LastSucessTick = 0;
            FPlanPanel->PageControl()->setCurrentIndex(TFormPlanPanel::PageKosten);
            ComboBoxPlanSelector->setCurrentIndex(0);
            ComboBoxPlanSelectorChange();
        }
    });
    UpdateControls();
}

void TFormTerminorMain::TimerSyncPlansTimer() {
    TimerSyncPlans->stop();
    Guarded([&] {
        RefreshSavedPlans(false);
        if (const auto failure = FSession.TakeGenerationFailure()) {
            FHooks.ShowError(this, *failure);
        }
        const TTerminorSession::TSyncResult sync = FSession.SyncPlans();
        if (!sync.Copied) {
            return;
        }
        const std::int64_t now = TickMs();
        // The time since the last improvement counts only while the generation runs.
        const std::int64_t running = FSession.RunningMs();
        if (LastTimerTick != 0 && LastTimerTick != now) {
            const double rate = sync.PlanPerSec;
            if (rate > 0 || std::isnan(rate)) {
                std::string text = FormatInteger(sync.Durchlaufe) + " Pläne wurden berechnet (" +
                                   FormatInteger(std::isnan(rate) ? 0 : static_cast<std::int64_t>(rate)) +
                                   " Pläne/s)";
                if (LastSucessTick != 0 && running - LastSucessTick > ViewRefreshMs) {
                    text += ", letzte Verbesserung vor: " + DurationText(running - LastSucessTick);
                }
                LabelDurchlauf->SetFullText(Q(text));
            } else {
                LabelDurchlauf->SetFullText(QString());
            }
            if (sync.Kosten != LastKosten || now - LastUpdateTick > ViewRefreshMs) {
                if (sync.Kosten != LastKosten) {
                    // Never 0, which means "no improvement yet".
                    LastSucessTick = std::max<std::int64_t>(running, 1);
                }
                LastKosten = sync.Kosten;
                // Only the running schedule changed; other shown schedules need no repaint.
                if (ComboBoxPlanSelector->currentIndex() == 0) {
                    ShowSelectedPlan();
                }
                LastUpdateTick = now;
            }
        }
        LastTimerTick = now;
    });
    TimerSyncPlans->start();
}

void TFormTerminorMain::ButtonSaveClick() {
    RememberRunningPlan();
}

bool TFormTerminorMain::RememberRunningPlan() {
    const TDialogPause pause(*this);
    bool remembered = false;
    Guarded([&] {
        if (FSession.CurrentPlanDirectory().empty()) {
            FHooks.ShowError(this, "Speicherverzeichnis Appdata kann nicht ermittlt werden.");
            return;
        }
        std::vector<std::string> names;
        for (const auto& saved : FSession.SavedPlans().Items()) {
            names.push_back(saved->Name);
        }
        const auto name = FHooks.ExecuteSavePlan(this, FSession.CurrentPlanDirectory(), names);
        if (name) {
            FSession.RememberPlan(*name);
            FillPlanSelector();
            UpdateControls();
            UpdateStatusBar();
            remembered = true;
        }
    });
    ResetHover();
    return remembered;
}

void TFormTerminorMain::ButtonRemoveClick() {
    const TDialogPause pause(*this);
    Guarded([&] {
        if (ComboBoxPlanSelector->currentIndex() < 2) {
            return;
        }
        const QString text = "\"" + ComboBoxPlanSelector->currentText() + "\" löschen?";
        if (FHooks.AskYesNo(this, text.toStdString())) {
            // The list follows the folder even when a file stays: the error is shown after.
            struct TRefill {
                TFormTerminorMain& w;
                ~TRefill() {
                    w.FillPlanSelector();
                    w.ShowSelectedPlan();
                    w.UpdateControls();
                    w.UpdateStatusBar();
                }
            } refill{*this};
            FSession.ForgetPlan(GetSelectedPlan());
        }
    });
    ResetHover();
}

void TFormTerminorMain::ToolButtonExportClick() {
    Guarded([&] {
        const TPlan* shown = GetSelectedPlan();
        if (shown == nullptr || !HasEnoughTeams("Es gibt keinen Spielplan zum Exportieren.")) {
            return;
        }
        // One copy is checked and written: the running schedule changes while the questions wait.
        const std::unique_ptr<TPlan> copy = TTerminorSession::ExportCopy(*shown);
        const std::vector<std::string> warnings = TTerminorSession::ExportWarnings(*copy);
        if (!warnings.empty() && !FHooks.AskExportDespiteHardErrors(this, warnings)) {
            return;
        }
        QString folder = QSettings().value("dialogs/exportFolder").toString();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = QFileInfo(Q(FSession.CurrentFileName())).absolutePath();
        }
        std::string name = SanitizeFileName(copy->PlanName);
        if (TrimBlanks(name).empty()) {
            name = std::filesystem::path(FSession.CurrentFileName()).stem().string();
        }
        const std::string proposed = QDir(folder).filePath(Q(name + ".csv")).toStdString();
        const std::string file = FHooks.CsvFileName(this, proposed);
        if (!file.empty()) {
            const TWaitCursor wait;
            TTerminorSession::ExportCsv(*copy, file);
            QSettings().setValue("dialogs/exportFolder", QFileInfo(Q(file)).absolutePath());
        }
    });
    ResetHover();
}

void TFormTerminorMain::MenuPrintClick() {
    if (!FSession.PlanIsLoaded() || !HasEnoughTeams("Es gibt keinen Spielplan zum Drucken.")) {
        return;
    }
    const TDialogPause pause(*this);
    Guarded([&] { FHooks.Print(*FPlanPanel); });
    ResetHover();
}

void TFormTerminorMain::MenuCalendarClick() {
    Guarded([&] {
        const TPlan* shown = GetSelectedPlan();
        if (shown == nullptr || !HasEnoughTeams("Es gibt keinen Spielplan zum Exportieren.")) {
            return;
        }
        // The copy is written: the running schedule changes while the dialogs wait.
        const std::unique_ptr<TPlan> copy = TTerminorSession::ExportCopy(*shown);
        if (copy->NoGames()) {
            FHooks.ShowError(this, "Der angezeigte Plan enthält keine terminierten Spiele.");
            return;
        }
        std::vector<std::string> teams;
        for (const auto& team : copy->Mannschaften) {
            teams.push_back(team->teamName);
        }
        const std::optional<std::string> team = FHooks.ChooseCalendarTeam(this, teams);
        if (!team) {
            return;
        }
        QString folder = QSettings().value("dialogs/calendarFolder").toString();
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            folder = QFileInfo(Q(FSession.CurrentFileName())).absolutePath();
        }
        if (team->empty()) {
            const std::string target = FHooks.CalendarFolder(this, folder.toStdString());
            if (target.empty()) {
                return;
            }
            std::size_t written = 0;
            {
                const TWaitCursor wait;
                written = WriteTeamCalendars(*copy, target, std::time(nullptr)).size();
                QSettings().setValue("dialogs/calendarFolder", Q(target));
            }
            FHooks.ShowMessage(this, std::to_string(written) + " Kalenderdateien gespeichert in " + target);
            return;
        }
        const TMannschaft& chosen = FindCalendarTeam(*copy, *team);
        const std::string proposed =
            QDir(folder)
                .filePath(Q(TeamCalendarFileNames(*copy)[static_cast<std::size_t>(chosen.Index)]))
                .toStdString();
        const std::string file = FHooks.CalendarFileName(this, proposed);
        if (!file.empty()) {
            const TWaitCursor wait;
            WriteTeamCalendar(*copy, chosen, file, std::time(nullptr));
            QSettings().setValue("dialogs/calendarFolder", QFileInfo(Q(file)).absolutePath());
        }
    });
    ResetHover();
}

void TFormTerminorMain::AnleitungClick() {
    // Beside the executable in the build tree, in the install's data folder when installed.
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    const std::optional<std::filesystem::path> manual = FindManual(folder);
    if (!manual) {
        FHooks.ShowError(this, "Die Datei " + ExpectedManual(folder).string() + " wurde nicht gefunden");
    } else if (!FHooks.OpenDocument(manual->string())) {
        FHooks.ShowError(this,
                         "Die Anleitung kann nicht angezeigt werden, evtl. ist der Acrobat Reader nicht "
                         "installiert!");
    }
}

void TFormTerminorMain::AufUpdatesprfen1Click() {
    Guarded([&] { ShowUpdateDialog(this); });
    ResetHover();
}

void TFormTerminorMain::StartUpdateSearch() {
    const QString address = UpdateAddress();
    const TDateTime now = NowDateTime();
    // Without an address there is nothing to check, and nothing is said.
    if (address.isEmpty() || !UpdateSearchDue(now)) {
        return;
    }
    FSearchUpdateThread = std::make_unique<TUpdateSearchThread>(address, Q(ProgramVersionText()));
    FSearchUpdateThread->Start();
    SetLastUpdateSearch(now);
    TimerSearchUpdate->start();
}

void TFormTerminorMain::TimerSearchUpdateTimer() {
    if (FSearchUpdateThread == nullptr) {
        TimerSearchUpdate->stop();
        return;
    }
    // The result waits for the running check and for any open dialog; the window never waits.
    if (!FSearchUpdateThread->IsFinished() || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return;
    }
    TimerSearchUpdate->stop();
    const std::unique_ptr<TUpdateSearchThread> search = std::move(FSearchUpdateThread);
    // At start-up only a newer version is worth a word; a failed check says nothing.
    if (!search->HasError && search->HasUpdates) {
        Guarded([&] {
            TFormGetUpdates dialog(this);
            dialog.ShowResult(*search);
            dialog.exec();
        });
    }
}

void TFormTerminorMain::ButtonProfileClick() {
    TPlan* plan = GetSelectedPlan();
    if (plan == nullptr) {
        return;
    }
    const TDialogPause pause(*this);
    Guarded([&] { FHooks.ShowProfile(this, *plan); });
}

void TFormTerminorMain::KostenAction(const TActionRectKosten& hit) {
    Guarded([&] {
        TPlan* displayed = GetSelectedPlan();
        if (displayed == nullptr || !FSession.PlanIsLoaded()) {
            return;
        }
        const auto options = FHooks.EditWeight(this, hit, FSession.PlanLoaded(), *displayed);
        if (options) {
            const TWaitCursor wait;
            FSession.ApplyOptions(*options);
            AfterSettingsApplied();
        }
    });
}

void TFormTerminorMain::GameContextMenu(const TActionRectGame& hit, QPoint globalPosition) {
    PopupMenuGame->clear();
    QAction* lock = PopupMenuGame->addAction("Begegnung auf diesen Termin festlegen");
    lock->setObjectName("MenuLockGame");
    lock->setEnabled(hit.Date > 0 && !hit.Locked);
    QAction* unlock = PopupMenuGame->addAction("Festlegung aufheben");
    unlock->setObjectName("MenuUnlockGame");
    unlock->setEnabled(hit.Locked);
    connect(lock, &QAction::triggered, this, [this, hit] { LockGameOfLine(hit, true); });
    connect(unlock, &QAction::triggered, this, [this, hit] { LockGameOfLine(hit, false); });
    PopupMenuGame->popup(globalPosition);
}

void TFormTerminorMain::LockGameOfLine(const TActionRectGame& hit, bool lock) {
    Guarded([&] {
        const TPlan* shown = GetSelectedPlan();
        if (shown == nullptr || hit.Date <= 0) {
            return;
        }
        const TMannschaft* home = shown->Mannschaften.FindByTeamId(hit.HomeTeamId);
        const TMannschaft* guest = shown->Mannschaften.FindByTeamId(hit.GuestTeamId);
        if (home == nullptr || guest == nullptr) {
            return;
        }
        std::string location;
        if (const auto* games = shown->GamesOfPairing(*home, *guest)) {
            for (const TGame* game : *games) {
                if (game->FDate == hit.Date) {
                    location = game->GetLocation();
                }
            }
        }
        const TWaitCursor wait;
        if (lock) {
            FSession.LockGame(home->teamName, guest->teamName, hit.Date, location);
        } else {
            FSession.UnlockGame(home->teamName, guest->teamName, hit.Date);
        }
        AfterSettingsApplied();
    });
}

void TFormTerminorMain::AfterSettingsApplied() {
    PlanDataChanged();
    ShowSelectedPlan();
    LastKosten = FSession.PlanOptimized().CalculateKosten(-1);
}

void TFormTerminorMain::UpdateRecentFileMenu() {
    const QString last = QSettings().value("recent/lastFile").toString();
    const bool show = !last.isEmpty() && std::filesystem::exists(last.toStdString());
    MenuRecent->setVisible(show);
    if (show) {
        MenuRecent->setText("Zuletzt geöffnet: " + last);
    }
}

void TFormTerminorMain::closeEvent(QCloseEvent* event) {
    if (!ConfirmEndGeneration()) {
        event->ignore();
        return;
    }
    QSettings().setValue("window/geometry", saveGeometry());
    TimerSyncPlans->stop();
    // A closed window shows no update result any more.
    TimerSearchUpdate->stop();
    FSearchUpdateThread.reset();
    if (FFormOptions != nullptr) {
        FFormOptions->hide();
    }
    const TWaitCursor wait;
    FSession.StopOptimizer();
    event->accept();
}

void TFormTerminorMain::ResetHover() {
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->testAttribute(Qt::WA_UnderMouse) &&
            !button->rect().contains(button->mapFromGlobal(QCursor::pos()))) {
            button->setAttribute(Qt::WA_UnderMouse, false);
            button->update();
        }
    }
}

void TFormTerminorMain::RememberFolder(const std::string& file) {
    QSettings().setValue("dialogs/lastFolder", QFileInfo(Q(file)).absolutePath());
}

void TFormTerminorMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().value(0).isLocalFile()) {
        event->acceptProposedAction();
    }
}

void TFormTerminorMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        const std::string file = urls.first().toLocalFile().toStdString();
        // Opened after the drop has finished, so that the questions do not block the drag source.
        QTimer::singleShot(0, this, [this, file] { LoadPlanFile(file, true); });
    }
}

} // namespace terminor
