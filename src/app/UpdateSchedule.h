#pragma once
// When the start-up check for a newer program version is due: the time of the last check is kept
// per user in the settings (organisation "Maltrecht", program "Terminor", key "update/lastSearch",
// a date-time), and a check is due when it is more than two days old. The address of the update
// document is the setting "update/url"; none ships with the program. User-interface thread only.

#include <QString>

#include "data/DateTime.h"

namespace terminor {

/// The time of the last update check; 0 when there was none.
TDateTime LastUpdateSearch();
void SetLastUpdateSearch(TDateTime value);
/// Whether the start-up check is due at `now`: the last one lies more than two days back.
bool UpdateSearchDue(TDateTime now);
/// The address of the update document (setting "update/url", trimmed); empty when none is set.
QString UpdateAddress();

} // namespace terminor
