#pragma once
// Shared utilities: German date, number and duration texts (independent of the machine's locale),
// week arithmetic, Roman numerals, file-name escaping, file listing and the age-class list.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DateTime.h"

namespace terminor {

// Date and time texts.
int IsoWeekOfYear(TDateTime value);
/// (d - 2) div 7 for the whole day number d: equal for all days of one Monday-to-Sunday week.
int WeekIndex(TDateTime value);
/// The Monday of the value's week at midnight.
TDateTime MondayOfWeek(TDateTime value);
/// Two-letter German weekday abbreviation: "Mo", "Di", "Mi", "Do", "Fr", "Sa", "So".
std::string WeekdayShortName(TDateTime value);
/// "ddd dd.mm.yyyy", e.g. "Sa 03.10.2020".
std::string FormatDayDate(TDateTime value);
/// "dd.mm".
std::string FormatDayMonth(TDateTime value);
/// "hh:mm", 24-hour clock.
std::string FormatTime(TDateTime value);
/// FormatDayDate, a blank, FormatTime.
std::string FormatDayDateTime(TDateTime value);

// Numbers and durations, German separators ("1.234.567", "3,25").
std::string FormatValue(double x);
std::string FormatLargeValue(double x);
std::string FormatInteger(std::int64_t n);
std::string DurationText(std::int64_t milliseconds);
/// Reads a floating-point number with '.' as decimal separator; throws EConvertError when malformed.
double StrToFloatDot(std::string_view text);
std::string ToRoman(int n);

// Files.
std::string EscapeFileName(std::string_view text);
std::string UnescapeFileName(std::string_view text);
std::string SanitizeFileName(std::string_view text);
/// Clears `list` and adds the names (without folder) of the regular, non-hidden files matching
/// the path pattern ("folder/*.xml"; '*' and '?' wildcards in the name part).
void ListFiles(const std::string& pattern, std::vector<std::string>& list);
/// The user's local application-data folder ($XDG_DATA_HOME or ~/.local/share).
std::string GetLocalAppDataFolder();
/// The program's version as four numbers joined by points.
std::string ProgramVersionText();

// Age classes.
const std::vector<std::string>& AgeClasses();
void FillAgeClasses(std::vector<std::string>& list);

} // namespace terminor
