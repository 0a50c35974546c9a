// The program's own dialogs behind the main window's hooks.

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include "app/CalendarTeamDialog.h"
#include "app/FirstStartDialog.h"
#include "app/MainWindowHooks.h"
#include "app/ProfileDialog.h"
#include "app/QuestionDialogs.h"
#include "app/SavePlanDialog.h"
#include "app/WeightAction.h"
#include "model/CalculateOptions.h"
#include "view/PlanPanel.h"

namespace terminor {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string FileNameWithSuffix(QString file, const QString& suffix) {
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
        file += "." + suffix;
    }
    return file.toStdString();
}

/// Where the user opened a plan last (the main window remembers it), else the home folder.
QString LastFolder() {
    const QString folder = QSettings().value("dialogs/lastFolder").toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

} // namespace

TMainWindowHooks DefaultMainWindowHooks() {
    TMainWindowHooks hooks;
    hooks.OpenFileName = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, "Datei öffnen", LastFolder(), "XML-Dateien (*.xml)")
            .toStdString();
    };
    hooks.NewFileName = [](QWidget* parent) {
        return FileNameWithSuffix(
            QFileDialog::getSaveFileName(parent, "Neue Datei", LastFolder(), "XML-Dateien (*.xml)"), "xml");
    };
    hooks.CsvFileName = [](QWidget* parent, const std::string& proposed) {
        return FileNameWithSuffix(QFileDialog::getSaveFileName(parent, "Für Click-TT exportieren",
                                                               Q(proposed), "CSV-Dateien (*.csv)"),
                                  "csv");
    };
    hooks.AskUseUserSettings = &AskUseUserSettings;
    hooks.AskExportDespiteHardErrors = &AskExportDespiteHardErrors;
    hooks.AskYesNo = [](QWidget* parent, const std::string& text) {
        return AskYesNoQuestion(parent, Q(text));
    };
    hooks.AskYesNoCancel = [](QWidget* parent, const std::string& text) {
        switch (AskYesNoCancelQuestion(parent, Q(text))) {
        case TYesNoCancel::Yes:
            return TMainWindowHooks::TAnswer::Yes;
        case TYesNoCancel::No:
            return TMainWindowHooks::TAnswer::No;
        case TYesNoCancel::Cancel:
            break;
        }
        return TMainWindowHooks::TAnswer::Cancel;
    };
    hooks.ExecuteSavePlan = [](QWidget* parent, const std::string& directory,
                               const std::vector<std::string>& savedNames) -> std::optional<std::string> {
        std::string name;
        if (ExecuteSavePlanDialog(parent, directory, savedNames, name)) {
            return name;
        }
        return std::nullopt;
    };
    hooks.EditWeight = [](QWidget* parent, const TActionRectKosten& hit, TPlan& loaded, TPlan& displayed) {
        return RunWeightAction(parent, hit, loaded, displayed);
    };
    hooks.Print = [](TFormPlanPanel& panel) { panel.Print(); };
    hooks.ShowProfile = [](QWidget* parent, const TPlan& plan) {
        TFormProfile dialog(plan, parent);
        dialog.exec();
    };
    hooks.OpenDocument = [](const std::string& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
    };
    hooks.ExecFirstStart = [](QWidget*, TDialogFirstStart& dialog) { dialog.exec(); };
    hooks.ShowError = [](QWidget* parent, const std::string& text) {
        QMessageBox::critical(parent, "Terminor", Q(text));
    };
    hooks.ShowMessage = [](QWidget* parent, const std::string& text) {
        QMessageBox::information(parent, "Terminor", Q(text));
    };
    hooks.ChooseCalendarTeam = &ChooseCalendarTeam;
    hooks.CalendarFileName = [](QWidget* parent, const std::string& proposed) {
        return FileNameWithSuffix(QFileDialog::getSaveFileName(parent,
                                                               "Mannschaftsplan als Kalender exportieren",
                                                               Q(proposed), "Kalenderdateien (*.ics)"),
                                  "ics");
    };
    hooks.CalendarFolder = [](QWidget* parent, const std::string& proposed) {
        return QFileDialog::getExistingDirectory(parent, "Ordner für die Kalenderdateien", Q(proposed))
            .toStdString();
    };
    return hooks;
}

} // namespace terminor
