#pragma once
// TFormTerminorMain: the program's window. It holds the controls of the workflow (open, start
// and pause, export, remembered schedules, zoom, print, manual) and wires them to the session,
// which owns the plans and the generation, and to the plan view. Every handler catches the
// core's errors and shows them; a failed operation leaves the previous state as it was.
// User-interface thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>

#include "app/MainWindowHooks.h"
#include "app/Session.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace terminor {

class TActionRectGame;
class TElidedLabel;
class TActionRectKosten;
class TFormOptions;
class TFormPlanPanel;
class TPlanData;
class TUpdateSearchThread;

class TFormTerminorMain : public QMainWindow {
    Q_OBJECT
public:
    /// `appDataFolder`: where the plans' storage directories live; `config` sizes the generation.
    TFormTerminorMain(TMainWindowHooks hooks, std::string appDataFolder, TEngineConfig config = {},
                      QWidget* parent = nullptr);
    ~TFormTerminorMain() override;

    /// Opens a file; `interactive` asks the start questions. Errors are shown, not thrown. Before a
    /// running generation ends, it asks whether to remember its best schedule (unless `askToRemember`
    /// is false, when the caller has asked already).
    bool LoadPlanFile(const std::string& fileName, bool interactive, bool askToRemember = true);

    TTerminorSession& Session() { return FSession; }
    TFormPlanPanel& PlanPanel() { return *FPlanPanel; }
    /// The options dialog, created on the first "Einstellungen..."; null before.
    TFormOptions* FormOptions() { return FFormOptions; }
    /// The schedule the plan selector shows, or null.
    TPlan* GetSelectedPlan();
    TMainWindowHooks& Hooks() { return FHooks; }

    // The workflow's actions, as the controls trigger them.
    void MenuOpenClick();
    void MenuNewClick();
    void ToolButtonStartPauseClick();
    void ToolButtonExportClick();
    void ToolButtonDataClick();
    void ToolButtonOptionsClick();
    void ButtonSaveClick();
    /// "Plan merken...": true when the running schedule was remembered.
    bool RememberRunningPlan();
    void ButtonRemoveClick();
    void MenuPrintClick();
    /// "Mannschaftsplan als Kalender exportieren...": one team's or every team's games of the
    /// displayed schedule as iCalendar files.
    void MenuCalendarClick();
    void AnleitungClick();
    /// "Auf Updates prüfen...": the dialog "Updates" with a check of the configured address.
    void AufUpdatesprfen1Click();
    void ButtonProfileClick();
    void TimerSyncPlansTimer();
    /// Shows the start-up check's result once it has finished and no modal dialog is open.
    void TimerSearchUpdateTimer();
    /// The start-up update check, while it runs or waits to be shown; null otherwise.
    TUpdateSearchThread* SearchUpdateThread() const { return FSearchUpdateThread.get(); }
    /// The context menu of a game line on the page "Terminplan" (lock or unlock its date).
    void GameContextMenu(const TActionRectGame& hit, QPoint globalPosition);
    /// Locks the game of a line to its date, or lifts the lock.
    void LockGameOfLine(const TActionRectGame& hit, bool lock);
    QMenu* GameMenu() const { return PopupMenuGame; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Pauses the generation while a dialog is open, then restores it and the start button: the
    /// dialog may have updated the controls while the generation was paused.
    class TDialogPause {
    public:
        explicit TDialogPause(TFormTerminorMain& window);
        ~TDialogPause();
        TDialogPause(const TDialogPause&) = delete;
        TDialogPause& operator=(const TDialogPause&) = delete;

    private:
        TFormTerminorMain& FWindow;
        std::optional<TTerminorSession::TPauseGuard> FPause;
    };

    void CreateControls();
    /// Runs a handler; an error is shown in a message box.
    bool Guarded(const std::function<void()>& handler);
    void UpdateControls();
    void UpdateStartPauseButton();
    void PlanDataChanged();
    void FillPlanSelector();
    void ComboBoxPlanSelectorChange();
    void ComboBoxZoomChange();
    void ShowSelectedPlan();
    void RefreshSavedPlans(bool forceReload);
    void KostenAction(const TActionRectKosten& hit);
    void AfterSettingsApplied();
    void UpdateRecentFileMenu();
    /// Before a generation ends: offers to remember its best schedule when that was not done.
    /// False when the user cancels (or the remembering is cancelled or fails).
    bool ConfirmEndGeneration();
    /// The status bar: the shown schedule's warning, else the remembered schedules not shown.
    void UpdateStatusBar();
    /// Tool buttons lose the hover frame that a menu or dialog left while the mouse went elsewhere.
    void ResetHover();
    /// The folder file dialogs start in: where the user opened or saved last.
    static void RememberFolder(const std::string& file);
    /// Starts the update check when an address is set and the last check is more than two days old.
    void StartUpdateSearch();
    /// "Erster Start..." on the plan just opened; its errors are shown and leave the plan usable.
    void RunFirstStart();
    /// Edited plan data become the plan data: saved, the plans rebuilt, the window updated. False
    /// after an error, which is shown (the edits stay and the next save writes them).
    bool TakeOverPlanData(const TPlanData& edited);
    /// Whether the plan has two teams at least; else shows `refusal` with the reason.
    bool HasEnoughTeams(const std::string& refusal);

    TMainWindowHooks FHooks;
    TTerminorSession FSession;
    TFormPlanPanel* FPlanPanel = nullptr;
    /// Child of the window, kept until the window goes.
    TFormOptions* FFormOptions = nullptr;
    /// The plans behind the selector's items, in item order.
    std::vector<TPlan*> FSelectorPlans;

    double LastKosten = -1.0;
    std::int64_t LastUpdateTick = 0;
    std::int64_t LastTimerTick = 0;
    std::int64_t LastSucessTick = 0;

    QToolButton* ToolButtonLoad = nullptr;
    QMenu* PopupMenuOpen = nullptr;
    QAction* MenuOpen = nullptr;
    QAction* MenuNew = nullptr;
    QAction* MenuRecent = nullptr;
    QToolButton* ToolButtonStartPause = nullptr;
    QToolButton* ToolButtonExport = nullptr;
    QToolButton* ToolButtonData = nullptr;
    QToolButton* ToolButtonOptions = nullptr;
    QToolButton* ToolButtonDivers = nullptr;
    QMenu* PopupMenuDivers = nullptr;
    QAction* MenuPrint = nullptr;
    QAction* MenuCalendar = nullptr;
    QAction* Anleitung1 = nullptr;
    QAction* AufUpdatesprfen1 = nullptr;
    QAction* MenuProfile = nullptr;
    QToolButton* ButtonProfile = nullptr;
    QLabel* LabelPlanSelector = nullptr;
    QComboBox* ComboBoxPlanSelector = nullptr;
    QToolButton* ButtonRemove = nullptr;
    QToolButton* ButtonSave = nullptr;
    TElidedLabel* LabelPlanName = nullptr;
    TElidedLabel* LabelDurchlauf = nullptr;
    QComboBox* ComboBoxZoom = nullptr;
    QTimer* TimerSyncPlans = nullptr;
    QTimer* TimerSearchUpdate = nullptr;
    /// Destroying it (at the latest with the window) ends a running check.
    std::unique_ptr<TUpdateSearchThread> FSearchUpdateThread;
    QMenu* PopupMenuGame = nullptr;
};

} // namespace terminor
