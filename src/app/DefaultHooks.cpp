// The program's own dialogs behind the main window's hooks.

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "app/MainWindowHooks.h"
#include "app/ProfileDialog.h"
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

bool AskLines(QWidget* parent, const QString& title, const QString& head,
              const std::vector<std::string>& lines, const QString& question) {
    QString text = head + "\n\n";
    for (const std::string& line : lines) {
        text += Q(line) + "\n";
    }
    return QMessageBox::question(parent, title, text + "\n" + question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
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
    hooks.AskUseUserSettings = [](QWidget* parent, const std::vector<std::string>& lines) {
        return AskLines(parent, "Benutzereinstellungen...",
                        "Bei der letzten Verwendung wurden zu diesem Plan folgende Benutzereinstellungen "
                        "hinterlegt:",
                        lines, "Diese Einstellungen wieder verwenden?");
    };
    hooks.AskExportDespiteHardErrors = [](QWidget* parent, const std::vector<std::string>& lines) {
        return AskLines(parent, "Warnung...", "Folgende Probleme sind in dem Plan enthalten:", lines,
                        "Möchten Sie den Plan trotzdem exportieren?");
    };
    hooks.AskYesNo = [](QWidget* parent, const std::string& text) {
        return QMessageBox::question(parent, "Terminor", Q(text), QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    hooks.ExecuteSavePlan = [](QWidget*, const std::string&,
                               const std::vector<std::string>&) -> std::optional<std::string> { return {}; };
    hooks.EditWeight = [](QWidget*, const TActionRectKosten&, TPlan&,
                          TPlan&) -> std::optional<TCalculateOptions> { return {}; };
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
