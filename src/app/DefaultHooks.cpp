// The program's own dialogs behind the main window's hooks.

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

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

} // namespace

TMainWindowHooks DefaultMainWindowHooks() {
    TMainWindowHooks hooks;
    hooks.OpenFileName = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, "Datei öffnen", QString(), "XML-Dateien (*.xml)")
            .toStdString();
    };
    hooks.NewFileName = [](QWidget* parent) {
        return FileNameWithSuffix(
            QFileDialog::getSaveFileName(parent, "Neue Datei", QString(), "XML-Dateien (*.xml)"), "xml");
    };
    hooks.CsvFileName = [](QWidget* parent, const std::string& proposed) {
        return FileNameWithSuffix(QFileDialog::getSaveFileName(parent, "Für Click-TT exportieren",
                                                               Q(proposed), "CSV-Dateien (*.csv)"),
                                  "csv");
    };
    hooks.AskUseUserSettings = &AskUseUserSettings;
    hooks.AskExportDespiteHardErrors = &AskExportDespiteHardErrors;
    hooks.AskYesNo = [](QWidget* parent, const std::string& text) {
        QMessageBox box(QMessageBox::Question, "Terminor", Q(text), QMessageBox::NoButton, parent);
        QPushButton* yes = box.addButton("Ja", QMessageBox::YesRole);
        box.addButton("Nein", QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
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
    hooks.ShowError = [](QWidget* parent, const std::string& text) {
        QMessageBox::critical(parent, "Terminor", Q(text));
    };
    hooks.ShowMessage = [](QWidget* parent, const std::string& text) {
        QMessageBox::information(parent, "Terminor", Q(text));
    };
    return hooks;
}

} // namespace terminor
