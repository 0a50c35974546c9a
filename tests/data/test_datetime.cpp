// Tests of the TDateTime calendar conversions and the fixed storage texts of plan files.

#include <gtest/gtest.h>

#include "data/DateTime.h"
#include "data/Error.h"

namespace terminor {
namespace {

constexpr double OneMs = 1.0 / static_cast<double>(MsPerDay);

TEST(DateTimeCalendar, EncodeDateKnownDays) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2020, 10, 3), 44107.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);
}

TEST(DateTimeCalendar, ValidDates) {
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_FALSE(IsValidDate(2100, 2, 29));
    EXPECT_FALSE(IsValidDate(2020, 4, 31));
    EXPECT_FALSE(IsValidDate(2020, 13, 1));
    EXPECT_FALSE(IsValidDate(2020, 0, 1));
    EXPECT_FALSE(IsValidDate(2020, 1, 0));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    EXPECT_TRUE(IsValidDate(1, 1, 1));
    EXPECT_TRUE(IsValidDate(9999, 12, 31));
    // Days beyond the range of a calendar day must not wrap around to a small day.
    EXPECT_FALSE(IsValidDate(2020, 1, 257));
    EXPECT_FALSE(IsValidDate(2020, 1, -255));
    EXPECT_THROW(EncodeDate(2020, 2, 30), EConvertError);
    EXPECT_THROW(EncodeDate(2020, 1, 257), EConvertError);
}

TEST(DateTimeCalendar, DecodeDateRoundTrip) {
    const int first = static_cast<int>(EncodeDate(1899, 1, 1));
    const int last = static_cast<int>(EncodeDate(2101, 12, 31));
    for (int day = first; day <= last; ++day) {
        const DateParts p = DecodeDate(day + 0.5);
        ASSERT_EQ(EncodeDate(p.year, static_cast<int>(p.month), static_cast<int>(p.day)), day) << day;
    }
    const DateParts leap = DecodeDate(EncodeDate(2024, 2, 29));
    EXPECT_EQ(leap.year, 2024);
    EXPECT_EQ(leap.month, 2u);
    EXPECT_EQ(leap.day, 29u);
}

TEST(DateTimeCalendar, EncodeDecodeTime) {
    EXPECT_EQ(EncodeTime(12, 0), 0.5);
    EXPECT_EQ(EncodeTime(0, 0), 0.0);
    EXPECT_THROW(EncodeTime(24, 0), EConvertError);
    EXPECT_THROW(EncodeTime(12, 60), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0), EConvertError);
    EXPECT_THROW(EncodeTime(12, 0, 0, 1000), EConvertError);
    for (int h = 0; h < 24; ++h) {
        for (int m = 0; m < 60; m += 7) {
            const TimeParts t = DecodeTime(EncodeDate(2020, 10, 3) + EncodeTime(h, m, 59, 999));
            ASSERT_EQ(t.hour, h);
            ASSERT_EQ(t.minute, m);
            ASSERT_EQ(t.second, 59);
            ASSERT_EQ(t.millisecond, 999);
        }
    }
}

TEST(DateTimeCalendar, RoundsToMilliseconds) {
    const TDateTime day = EncodeDate(2020, 10, 3);
    // Slightly before midnight is the next day at 00:00.
    const TDateTime almostMidnight = day + 1 - 0.4 * OneMs;
    EXPECT_EQ(DayNumber(almostMidnight), static_cast<int>(day) + 1);
    EXPECT_EQ(DecodeDate(almostMidnight).day, 4u);
    EXPECT_EQ(DecodeTime(almostMidnight).hour, 0);
    EXPECT_EQ(DateOf(almostMidnight), day + 1);
    EXPECT_EQ(TimeOf(almostMidnight), 0.0);
    EXPECT_EQ(NormalizeDateTime(day + EncodeTime(10, 0) + 0.4 * OneMs), day + EncodeTime(10, 0));
    EXPECT_EQ(NormalizeDateTime(day + EncodeTime(10, 0) + 0.6 * OneMs), day + EncodeTime(10, 0, 0, 1));
    EXPECT_EQ(ToMilliseconds(1.5), MsPerDay + MsPerDay / 2);
    EXPECT_EQ(FromMilliseconds(MsPerDay + MsPerDay / 2), 1.5);
    EXPECT_EQ(ToMilliseconds(FromMilliseconds(-1)), -1);
    EXPECT_EQ(DayNumber(-0.25), -1);
    EXPECT_EQ(MinuteOfDay(day + EncodeTime(23, 59, 59, 999)), 1439);
    EXPECT_EQ(MinuteOfDay(day + EncodeTime(8, 30, 59)), 510);
}

TEST(DateTimeCalendar, DayOfWeekIso) {
    EXPECT_EQ(DayOfWeekIso(2), 1); // Monday, 1 January 1900
    EXPECT_EQ(DayOfWeekIso(0), 6); // Saturday, 30 December 1899
    EXPECT_EQ(DayOfWeekIso(1), 7);
    EXPECT_EQ(DayOfWeekIso(-1), 5);
    EXPECT_EQ(DayOfWeekIso(EncodeDate(2020, 10, 3) + 0.99), 6);
    EXPECT_EQ(DayOfWeekIso(EncodeDate(2020, 10, 4)), 7);
    EXPECT_EQ(DayOfWeekIso(EncodeDate(2020, 10, 5)), 1);
}

TEST(DateTimeCalendar, MinutesBetweenAtBoundaries) {
    const TDateTime day = EncodeDate(2020, 10, 3);
    const TDateTime a = day + EncodeTime(15, 30);
    EXPECT_EQ(MinutesBetween(a, day + EncodeTime(19, 0)), 210);
    EXPECT_EQ(MinutesBetween(a, day + EncodeTime(18, 59)), 209);
    EXPECT_EQ(MinutesBetween(a, a + 3.5 / 24), 210);
    EXPECT_EQ(MinutesBetween(a, day + EncodeTime(18, 59, 59, 999)), 209);
    EXPECT_EQ(MinutesBetween(day + EncodeTime(19, 0), a), -210);
    EXPECT_EQ(MinutesBetween(day + EncodeTime(22, 0), day + 1 + EncodeTime(1, 30)), 210);
    EXPECT_EQ(MinutesBetween(a, a), 0);
}

TEST(DateTimeStorage, WritesFixedTexts) {
    const TDateTime value = EncodeDate(2020, 10, 3) + EncodeTime(8, 5);
    EXPECT_EQ(DateToStorage(value), "03.10.2020");
    EXPECT_EQ(TimeToStorage(value), "08:05");
    EXPECT_EQ(DateTimeToStorage(value), "03.10.2020 08:05");
    EXPECT_EQ(DateToStorage(EncodeDate(999, 1, 2)), "02.01.0999");
    EXPECT_EQ(TimeToStorage(EncodeTime(23, 59, 59, 999)), "23:59");
    EXPECT_EQ(DateTimeToStorage(0), "30.12.1899 00:00");
}

TEST(DateTimeStorage, ReadsDatesByFixedPositions) {
    const TDateTime expected = EncodeDate(2020, 10, 3);
    EXPECT_EQ(StorageToDate("03.10.2020"), expected);
    EXPECT_EQ(StorageToDate("03-10-2020"), expected);
    EXPECT_EQ(StorageToDate("03x10y2020"), expected);
    EXPECT_EQ(StorageToDate(""), 0.0);
    EXPECT_EQ(StorageToDate(DateToStorage(expected + 0.7)), expected);
    for (const char* bad : {"3.10.2020", "31.02.2020", "ab.10.2020", "03.10.20a0", "00.10.2020", "03.13.2020",
                            "03.10.", "03.10.0000", "-1.10.2020", " 3.10.2020"}) {
        EXPECT_THROW(StorageToDate(bad), EConvertError) << bad;
    }
}

TEST(DateTimeStorage, ReadsTimesAsMidnightOnAnyFailure) {
    EXPECT_EQ(StorageToTime("08:30"), EncodeTime(8, 30));
    EXPECT_EQ(StorageToTime("23:59"), EncodeTime(23, 59));
    EXPECT_EQ(StorageToTime("00:00"), 0.0);
    for (const char* bad : {"", "8:30", "25:00", "24:00", "12:60", "12-30", "ab:cd", "1a:00", "12:", ":"}) {
        EXPECT_EQ(StorageToTime(bad), 0.0) << bad;
    }
}

TEST(DateTimeStorage, ReadsDateTimes) {
    const TDateTime date = EncodeDate(2020, 10, 3);
    EXPECT_EQ(StorageToDateTime("03.10.2020 18:30"), date + EncodeTime(18, 30));
    EXPECT_EQ(StorageToDateTime("03.10.2020"), date);
    EXPECT_EQ(StorageToDateTime("03.10.2020 8:30"), date);
    EXPECT_EQ(StorageToDateTime("03.10.2020 25:00"), date);
    EXPECT_EQ(StorageToDateTime(""), 0.0);
    EXPECT_THROW(StorageToDateTime("31.02.2020 10:00"), EConvertError);
    EXPECT_THROW(StorageToDateTime("xx.10.2020 10:00"), EConvertError);
    const TDateTime value = date + EncodeTime(18, 30);
    EXPECT_EQ(StorageToDateTime(DateTimeToStorage(value)), value);
}

TEST(DateTimeStorage, ParseFixedDigits) {
    EXPECT_EQ(ParseFixedDigits("12"), 12);
    EXPECT_EQ(ParseFixedDigits("007"), 7);
    EXPECT_EQ(ParseFixedDigits(""), -1);
    EXPECT_EQ(ParseFixedDigits("1a"), -1);
    EXPECT_EQ(ParseFixedDigits("-1"), -1);
    EXPECT_EQ(ParseFixedDigits("+1"), -1);
    EXPECT_EQ(ParseFixedDigits(" 1"), -1);
    EXPECT_EQ(ParseFixedDigits("0000000001"), -1); // more digits than a field ever has
}

} // namespace
} // namespace terminor
