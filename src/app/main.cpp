// The desktop program terminor: the main window, optionally opening the file named on the
// command line.

#include <QApplication>
#include <QStandardPaths>

#include "app/AppSetup.h"
#include "app/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    terminor::SetUpApplication(app);
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
