// Small pieces shared by the dialogs.

#include "app/DialogHelpers.h"

#include <algorithm>

#include <QApplication>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

namespace terminor {

QPushButton* NewDialogButton(QWidget* parent, const QString& text, const char* objectName, bool isDefault) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines) {
        text << QString::fromStdString(line);
    }
    return text.join('\n');
}

void FitFormToScreen(QWidget* form, int width, int height) {
    QScreen* screen = form->screen() != nullptr ? form->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        form->resize(width, height);
        return;
    }
    const double scale = screen->logicalDotsPerInch() / 96.0;
    const QSize available = screen->availableSize();
    form->resize(std::min(static_cast<int>(width * scale), available.width() * 9 / 10),
                 std::min(static_cast<int>(height * scale), available.height() * 9 / 10));
}

namespace {

/// Day 0 of TDateTime.
QDateTime Epoch() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
}

} // namespace

QDateTime ToQDateTime(TDateTime value) {
    return Epoch().addMSecs(ToMilliseconds(value));
}

TDateTime FromQDateTime(const QDateTime& value) {
    return FromMilliseconds(Epoch().msecsTo(value));
}

QDate ToQDate(TDateTime value) {
    return QDate(1899, 12, 30).addDays(DayNumber(value));
}

TDateTime FromQDate(const QDate& date) {
    return static_cast<TDateTime>(QDate(1899, 12, 30).daysTo(date));
}

QDateTimeEdit* NewDatePicker(QWidget* parent, const char* name) {
    auto* picker = new QDateTimeEdit(parent);
    picker->setObjectName(name);
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat("dd.MM.yyyy");
    picker->setCalendarPopup(true);
    return picker;
}

TWaitCursor::TWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace terminor
