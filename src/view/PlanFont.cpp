// Adding Wine's Tahoma to the application's fonts when fontconfig does not know a Tahoma.

#include "view/PlanFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace terminor {

namespace {

constexpr const char* PlanFont = "Tahoma";
/// Where the Debian package fonts-wine puts its Tahoma (regular and bold).
constexpr const char* WineFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                         "/usr/share/wine/fonts/tahomabd.ttf"};

void AddWineTahoma() {
    if (QFontDatabase::families().contains(PlanFont)) {
        return;
    }
    for (const char* file : WineFontFiles) {
        // A missing file leaves the system's substitute for Tahoma in use.
        QFontDatabase::addApplicationFont(file);
    }
}

} // namespace

QString PlanFontFamily() {
    static const bool added = (AddWineTahoma(), true);
    (void)added;
    return PlanFont;
}

} // namespace terminor
