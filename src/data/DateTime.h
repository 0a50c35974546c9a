#pragma once
// TDateTime: days since 30 December 1899 with the time of day as fraction, plus the
// calendar conversions and the fixed storage texts ("dd.mm.yyyy", "hh:mm") of plan files.

#include <cstdint>
#include <string>
#include <string_view>

namespace terminor {

using TDateTime = double;

inline constexpr std::int64_t MsPerDay = 86'400'000;
inline constexpr int MinutesPerDay = 1440;

struct DateParts {
    int year = 1899;
    unsigned month = 12;
    unsigned day = 30;
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

/// Whether y-m-d names a day of the Gregorian calendar (years 1 to 9999).
bool IsValidDate(int year, int month, int day);
/// The day number of a calendar date; throws EConvertError for an impossible date.
TDateTime EncodeDate(int year, int month, int day);
/// The day fraction of a time of day; throws EConvertError for an impossible time.
TDateTime EncodeTime(int hour, int minute, int second = 0, int millisecond = 0);
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);

/// The value as whole milliseconds since the epoch (rounded half away from zero).
inline std::int64_t ToMilliseconds(TDateTime value) {
    // Exact for every date of the calendar range: the products stay far below 2^52.
    const double ms = value * static_cast<double>(MsPerDay);
    return static_cast<std::int64_t>(ms >= 0 ? ms + 0.5 : ms - 0.5);
}
TDateTime FromMilliseconds(std::int64_t ms);
/// The whole day number (time of day cut off), from the value rounded to whole milliseconds.
inline int DayNumber(TDateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    std::int64_t day = ms / MsPerDay;
    if (ms % MsPerDay < 0) {
        --day;
    }
    return static_cast<int>(day);
}
/// The calendar day of the value at midnight.
TDateTime DateOf(TDateTime value);
/// The time of day as fraction of a day.
TDateTime TimeOf(TDateTime value);
/// Minutes since midnight, from the value rounded to whole milliseconds (seconds cut off).
int MinuteOfDay(TDateTime value);
/// Whole minutes between two date-times (b - a), from values rounded to milliseconds.
std::int64_t MinutesBetween(TDateTime a, TDateTime b);
/// Day of the week, 1 = Monday ... 7 = Sunday.
int DayOfWeekIso(TDateTime value);
/// The value rounded to whole milliseconds.
TDateTime NormalizeDateTime(TDateTime value);

// Storage texts of plan files.
std::string DateToStorage(TDateTime value);     // "dd.mm.yyyy"
std::string TimeToStorage(TDateTime value);     // "hh:mm"
std::string DateTimeToStorage(TDateTime value); // "dd.mm.yyyy hh:mm"

/// Reads "dd.mm.yyyy" by fixed positions (separators ignored); empty text reads as 0.
/// A non-numeric field or an impossible date throws EConvertError.
TDateTime StorageToDate(std::string_view text);
/// Reads "hh:mm" when the third character is ':'; anything else reads as 0 (midnight).
TDateTime StorageToTime(std::string_view text);
/// Characters 1-10 as a date (errors propagate), 12-16 as a time (failures read as 0).
TDateTime StorageToDateTime(std::string_view text);

/// A decimal integer field of a fixed-position text, or -1 when it is not all digits.
int ParseFixedDigits(std::string_view text);

} // namespace terminor
