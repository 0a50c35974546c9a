#include "DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "Error.h"

namespace terminor {

namespace {

constexpr std::chrono::sys_days Epoch = std::chrono::year{1899} / std::chrono::December / 30;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

std::string TwoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

} // namespace

bool IsValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
        return false;
    }
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                                          std::chrono::day{unsigned(day)}};
    return ymd.ok();
}

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) {
        throw EConvertError("Ungültiges Datum: " + TwoDigits(day) + "." + TwoDigits(month) + "." +
                            std::to_string(year));
    }
    const std::chrono::sys_days d =
        std::chrono::year{year} / std::chrono::month{unsigned(month)} / std::chrono::day{unsigned(day)};
    return static_cast<TDateTime>((d - Epoch).count());
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999) {
        throw EConvertError("Ungültige Uhrzeit: " + TwoDigits(hour) + ":" + TwoDigits(minute));
    }
    const std::int64_t ms = ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(ms) / static_cast<TDateTime>(MsPerDay);
}

TDateTime FromMilliseconds(std::int64_t ms) {
    const std::int64_t day = FloorDiv(ms, MsPerDay);
    const std::int64_t rest = ms - day * MsPerDay;
    return static_cast<TDateTime>(day) + static_cast<TDateTime>(rest) / static_cast<TDateTime>(MsPerDay);
}

TDateTime DateOf(TDateTime value) {
    return static_cast<TDateTime>(DayNumber(value));
}

TDateTime TimeOf(TDateTime value) {
    const std::int64_t ms = ToMilliseconds(value);
    return static_cast<TDateTime>(ms - FloorDiv(ms, MsPerDay) * MsPerDay) / static_cast<TDateTime>(MsPerDay);
}

DateParts DecodeDate(TDateTime value) {
    const std::chrono::sys_days d = Epoch + std::chrono::days{DayNumber(value)};
    const std::chrono::year_month_day ymd{d};
    return DateParts{int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day())};
}

TimeParts DecodeTime(TDateTime value) {
    const std::int64_t all = ToMilliseconds(value);
    std::int64_t ms = all - FloorDiv(all, MsPerDay) * MsPerDay;
    TimeParts t;
    t.millisecond = int(ms % 1000);
    ms /= 1000;
    t.second = int(ms % 60);
    ms /= 60;
    t.minute = int(ms % 60);
    t.hour = int(ms / 60);
    return t;
}

int MinuteOfDay(TDateTime value) {
    const TimeParts t = DecodeTime(value);
    return t.hour * 60 + t.minute;
}

std::int64_t MinutesBetween(TDateTime a, TDateTime b) {
    return FloorDiv(ToMilliseconds(b) - ToMilliseconds(a), 60'000);
}

int DayOfWeekIso(TDateTime value) {
    // Day 2 is Monday, 1 January 1900.
    const std::int64_t d = DayNumber(value) - 2;
    return int(d - FloorDiv(d, 7) * 7) + 1;
}

TDateTime NormalizeDateTime(TDateTime value) {
    return FromMilliseconds(ToMilliseconds(value));
}

std::string DateToStorage(TDateTime value) {
    const DateParts p = DecodeDate(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u.%02u.%04d", p.day, p.month, p.year);
    return buf;
}

std::string TimeToStorage(TDateTime value) {
    const TimeParts t = DecodeTime(value);
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
}

std::string DateTimeToStorage(TDateTime value) {
    return DateToStorage(value) + " " + TimeToStorage(value);
}

int ParseFixedDigits(std::string_view text) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        v = v * 10 + (c - '0');
    }
    return v;
}

namespace {
std::string_view Field(std::string_view text, std::size_t pos, std::size_t len) {
    if (pos >= text.size()) {
        return {};
    }
    return text.substr(pos, len);
}
} // namespace

TDateTime StorageToDate(std::string_view text) {
    if (text.empty()) {
        return 0.0;
    }
    const int day = ParseFixedDigits(Field(text, 0, 2));
    const int month = ParseFixedDigits(Field(text, 3, 2));
    const int year = ParseFixedDigits(Field(text, 6, 4));
    if (day < 0 || month < 0 || year < 0 || !IsValidDate(year, month, day)) {
        throw EConvertError("'" + std::string(text) + "' ist kein gültiges Datum");
    }
    return EncodeDate(year, month, day);
}

TDateTime StorageToTime(std::string_view text) {
    if (text.size() < 3 || text[2] != ':') {
        return 0.0;
    }
    const int hour = ParseFixedDigits(Field(text, 0, 2));
    const int minute = ParseFixedDigits(Field(text, 3, 2));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) {
        return 0.0;
    }
    return EncodeTime(hour, minute);
}

TDateTime StorageToDateTime(std::string_view text) {
    if (text.empty()) {
        return 0.0;
    }
    const TDateTime date = StorageToDate(text.substr(0, 10));
    return date + StorageToTime(Field(text, 11, 5));
}

} // namespace terminor
