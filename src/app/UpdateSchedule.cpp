// The per-user time of the last update check, stored as its day count (the program's date-time).

#include "app/UpdateSchedule.h"

#include <QSettings>

namespace terminor {

namespace {
const char* const LastSearchKey = "update/lastSearch";
const char* const AddressKey = "update/url";
} // namespace

TDateTime LastUpdateSearch() {
    bool ok = false;
    const double value = QSettings().value(LastSearchKey, 0.0).toDouble(&ok);
    return ok ? value : 0.0;
}

void SetLastUpdateSearch(TDateTime value) {
    QSettings().setValue(LastSearchKey, value);
}

bool UpdateSearchDue(TDateTime now) {
    return LastUpdateSearch() < now - 2.0;
}

QString UpdateAddress() {
    return QSettings().value(AddressKey).toString().trimmed();
}

} // namespace terminor
