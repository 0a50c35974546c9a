// The desktop program terminor: the main window, optionally opening the file named on the
// command line; or, with --print-pdf, the batch printing of a plan into a PDF file without window.

#include <string_view>

#include <QApplication>
#include <QStandardPaths>

#include "app/AppSetup.h"
#include "app/MainWindow.h"
#include "app/PrintPdfCommand.h"

int main(int argc, char** argv) {
    const bool printPdf = argc > 1 && std::string_view(argv[1]) == "--print-pdf";
    if (printPdf) {
        // The offscreen platform, before the application object exists.
        terminor::PreparePrintPdf();
    }
    QApplication app(argc, argv);
    terminor::SetUpApplication(app);
    if (printPdf) {
        return terminor::RunPrintPdf(argc, argv);
    }
    const std::string appData =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString();
    terminor::TFormTerminorMain window(terminor::DefaultMainWindowHooks(), appData);
    window.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        window.LoadPlanFile(args.at(1).toStdString(), true);
    }
    return QApplication::exec();
}
