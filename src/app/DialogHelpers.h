#pragma once
// Small pieces shared by the dialogs: their push buttons, multi-line texts from line lists, the
// size that fits the screen and the hourglass cursor. User-interface thread only.

#include <string>
#include <vector>

#include <QDate>
#include <QDateTime>
#include <QString>

#include "data/DateTime.h"

class QDateTimeEdit;
class QPushButton;
class QWidget;

namespace terminor {

/// A push button with its object name; the default button reacts to Enter, the others never do.
QPushButton* NewDialogButton(QWidget* parent, const QString& text, const char* objectName, bool isDefault);
/// The lines joined by line breaks.
QString JoinLines(const std::vector<std::string>& lines);
/// Sizes a form to its design size at 96 dots per inch, scaled to the screen's dots per inch and
/// capped at 90 % of the screen's available size in each direction.
void FitFormToScreen(QWidget* form, int width, int height);

/// TDateTime and Qt date-times; the pickers work in UTC so that no daylight-saving gap shifts a value.
QDateTime ToQDateTime(TDateTime value);
TDateTime FromQDateTime(const QDateTime& value);
/// The calendar day of a value, and a day as TDateTime at midnight.
QDate ToQDate(TDateTime value);
TDateTime FromQDate(const QDate& date);
/// A date picker ("dd.MM.yyyy", calendar pop-up, UTC) with its object name.
QDateTimeEdit* NewDatePicker(QWidget* parent, const char* name);

/// Shows the hourglass for the lifetime of the guard; guards nest.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace terminor
