#pragma once
// The dialogs the main window opens, as replaceable functions: the program uses the real file
// dialogs, questions and message boxes; tests script the answers. User-interface thread only.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace terminor {

class TActionRectKosten;
class TCalculateOptions;
class TDialogFirstStart;
class TFormPlanPanel;
class TPlan;

struct TMainWindowHooks {
    /// A plan file to open; empty when cancelled.
    std::function<std::string(QWidget* parent)> OpenFileName;
    /// The name of a new plan file; empty when cancelled.
    std::function<std::string(QWidget* parent)> NewFileName;
    /// The CSV export target, proposing `proposed`; empty when cancelled.
    std::function<std::string(QWidget* parent, const std::string& proposed)> CsvFileName;
    /// The user-settings question: false only for "Nein, die Standardeinstellungen verwenden".
    std::function<bool(QWidget* parent, const std::vector<std::string>& lines)> AskUseUserSettings;
    /// The hard-errors question: true only for "Ja".
    std::function<bool(QWidget* parent, const std::vector<std::string>& lines)> AskExportDespiteHardErrors;
    /// A confirmation with "Ja" and "Nein".
    std::function<bool(QWidget* parent, const std::string& text)> AskYesNo;
    /// A question with "Ja", "Nein" and "Abbrechen".
    enum class TAnswer { Yes, No, Cancel };
    std::function<TAnswer(QWidget* parent, const std::string& text)> AskYesNoCancel;
    /// The save-plan dialog: the name to remember the schedule under, or nothing.
    std::function<std::optional<std::string>(QWidget* parent, const std::string& directory,
                                             const std::vector<std::string>& savedNames)>
        ExecuteSavePlan;
    /// The weighting dialog of a cost hit area: the changed options, or nothing.
    std::function<std::optional<TCalculateOptions>(QWidget* parent, const TActionRectKosten& hit,
                                                   TPlan& loadedPlan, TPlan& displayedPlan)>
        EditWeight;
    /// Printing the plan view (selection, print dialog, job).
    std::function<void(TFormPlanPanel& panel)> Print;
    /// The profiling run on a copy of the shown plan.
    std::function<void(QWidget* parent, const TPlan& plan)> ShowProfile;
    /// Opens a file with the desktop's program for it; false when that fails.
    std::function<bool(const std::string& path)> OpenDocument;
    /// Shows the first-start dialog, set up on the opened plan, modally. Null: no first start.
    std::function<void(QWidget* parent, TDialogFirstStart& dialog)> ExecFirstStart;
    std::function<void(QWidget* parent, const std::string& text)> ShowError;
    std::function<void(QWidget* parent, const std::string& text)> ShowMessage;
    /// The calendar export's choice among `teams`: a team's name, or the empty text for every
    /// team; nothing when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const std::vector<std::string>& teams)>
        ChooseCalendarTeam;
    /// The calendar file of one team, proposing `proposed`; empty when cancelled.
    std::function<std::string(QWidget* parent, const std::string& proposed)> CalendarFileName;
    /// The folder for one calendar file per team, starting at `proposed`; empty when cancelled.
    std::function<std::string(QWidget* parent, const std::string& proposed)> CalendarFolder;
};

/// The hooks of the program: Qt's file dialogs and message boxes and the program's dialogs.
TMainWindowHooks DefaultMainWindowHooks();

} // namespace terminor
