// Application set-up: names, German locale, German Qt texts.

#include "app/AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace terminor {

void SetUpApplication(QApplication& app) {
    QApplication::setOrganizationName("Maltrecht");
    QApplication::setApplicationName("Terminor");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Qt's own buttons and dialogs ("Ja", "Abbrechen", the file dialog) in German; without the
    // translation files they stay English, which is no reason not to start.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::German), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
}

} // namespace terminor
