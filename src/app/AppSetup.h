#pragma once
// The application-wide set-up of the desktop program: organisation and program name (for the
// settings and the storage folder), the German locale and Qt's German texts for its standard
// dialogs and buttons. Call once, on the user-interface thread, after creating the QApplication.

class QApplication;

namespace terminor {

void SetUpApplication(QApplication& app);

} // namespace terminor
