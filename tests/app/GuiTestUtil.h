#pragma once
// Helpers of the desktop tests: a main window with scripted dialogs, a small generation, its
// own storage folder and settings, and waiting while the event loop runs.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QSettings>
#include <QTest>

#include "app/MainWindow.h"
#include "common/TempDir.h"
#include "model/CalculateOptions.h"

namespace terminor::test {

/// What the scripted dialogs answer and what they were asked.
struct TScript {
    std::string OpenFile;
    std::string CsvFile;
    bool UseUserSettings = true;
    bool ExportDespiteHardErrors = true;
    bool YesNo = false;
    TMainWindowHooks::TAnswer YesNoCancel = TMainWindowHooks::TAnswer::No;
    std::optional<std::string> SavePlanName;
    std::function<std::optional<TCalculateOptions>(const TActionRectKosten&, TPlan&, TPlan&)> EditWeight;
    /// Runs the first-start dialog (e.g. exec() with scripted pages); left alone when not set.
    std::function<void(TDialogFirstStart&)> FirstStart;
    int FirstStarts = 0;
    std::vector<std::string> Asked;
    std::vector<std::string> Errors;
    /// The texts of information message boxes (warnings that do not stop an operation).
    std::vector<std::string> Messages;
    int HardErrorQuestions = 0;
    int Prints = 0;
    /// The calendar export: the team (empty: every team; nothing: cancel), the file or folder, and
    /// the teams the choice offered.
    std::optional<std::string> CalendarTeam;
    std::string CalendarTarget;
    std::vector<std::string> CalendarTeamsOffered;
};

inline TMainWindowHooks ScriptedHooks(TScript& script) {
    TMainWindowHooks h;
    h.OpenFileName = [&](QWidget*) { return script.OpenFile; };
    h.NewFileName = [&](QWidget*) { return script.OpenFile; };
    h.CsvFileName = [&](QWidget*, const std::string&) { return script.CsvFile; };
    h.AskUseUserSettings = [&](QWidget*, const std::vector<std::string>&) { return script.UseUserSettings; };
    h.AskExportDespiteHardErrors = [&](QWidget*, const std::vector<std::string>&) {
        ++script.HardErrorQuestions;
        return script.ExportDespiteHardErrors;
    };
    h.AskYesNo = [&](QWidget*, const std::string& text) {
        script.Asked.push_back(text);
        return script.YesNo;
    };
    h.AskYesNoCancel = [&](QWidget*, const std::string& text) {
        script.Asked.push_back(text);
        return script.YesNoCancel;
    };
    h.ExecuteSavePlan = [&](QWidget*, const std::string&, const std::vector<std::string>&) {
        return script.SavePlanName;
    };
    h.EditWeight = [&](QWidget*, const TActionRectKosten& hit, TPlan& loaded, TPlan& displayed) {
        return script.EditWeight ? script.EditWeight(hit, loaded, displayed) : std::nullopt;
    };
    h.Print = [&](TFormPlanPanel&) { ++script.Prints; };
    h.ShowProfile = [](QWidget*, const TPlan&) {};
    h.OpenDocument = [](const std::string&) { return true; };
    h.ExecFirstStart = [&](QWidget*, TDialogFirstStart& dialog) {
        ++script.FirstStarts;
        if (script.FirstStart) {
            script.FirstStart(dialog);
        }
    };
    h.ShowError = [&](QWidget*, const std::string& text) { script.Errors.push_back(text); };
    h.ShowMessage = [&](QWidget*, const std::string& text) { script.Messages.push_back(text); };
    h.ChooseCalendarTeam = [&](QWidget*, const std::vector<std::string>& teams) {
        script.CalendarTeamsOffered = teams;
        return script.CalendarTeam;
    };
    h.CalendarFileName = [&](QWidget*, const std::string&) { return script.CalendarTarget; };
    h.CalendarFolder = [&](QWidget*, const std::string&) { return script.CalendarTarget; };
    return h;
}

/// One main thread of four workers: enough to improve, light on two cores.
inline TEngineConfig SmallEngine() {
    TEngineConfig config;
    config.mainThreads = 1;
    config.specialThread = false;
    config.fixedWorkerTypes = {"5", "2", "S1,25"};
    config.dynamicWorkers = 1;
    return config;
}

/// A main window on a temporary storage folder and settings file.
struct TTestWindow {
    explicit TTestWindow(TEngineConfig config = SmallEngine()) {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(dir.File("settings")));
        window = std::make_unique<TFormTerminorMain>(ScriptedHooks(script), dir.File("appdata"), config);
    }
    TempDir dir;
    TScript script;
    std::unique_ptr<TFormTerminorMain> window;

    /// The example export, copied so that its modifications file lands in the temporary folder.
    std::string CopyExample(const std::string& name = "bezirksliga-herren-nord.xml") const {
        const std::string target = dir.File(name);
        std::filesystem::copy_file(std::string(TERMINOR_SOURCE_DIR) + "/examples/" + name, target,
                                   std::filesystem::copy_options::overwrite_existing);
        return target;
    }
};

/// Runs the event loop until `condition` holds or `seconds` have passed.
template <typename F> bool WaitUntil(F condition, int seconds = 20) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QTest::qWait(20);
    }
    return true;
}

template <typename T> T* Find(QWidget& root, const char* name) {
    T* child = root.findChild<T*>(name);
    if (child == nullptr) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    return child;
}

} // namespace terminor::test
