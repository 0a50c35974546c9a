// Tests of the shared utilities: German number, date and duration texts, week arithmetic,
// Roman numerals, file-name escaping, file listing and the fixed lists.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "data/DateTime.h"
#include "data/Error.h"
#include "data/PlanUtils.h"

namespace terminor {
namespace {

TEST(PlanUtilsNumbers, FormatValueDecimalsOnlyBelowTenAndNotZero) {
    EXPECT_EQ(FormatValue(0), "0");
    EXPECT_EQ(FormatValue(-0.0), "0");
    EXPECT_EQ(FormatValue(9.5), "9,50");
    EXPECT_EQ(FormatValue(0.5), "0,50");
    EXPECT_EQ(FormatValue(10), "10");
    EXPECT_EQ(FormatValue(10.4), "10");
    EXPECT_EQ(FormatValue(-250), "-250,00");
    EXPECT_EQ(FormatValue(-1234.567), "-1.234,57");
    EXPECT_EQ(FormatValue(9.999), "10,00"); // decided by x, not by the rounded text
}

TEST(PlanUtilsNumbers, FormatValueGroupsThousands) {
    EXPECT_EQ(FormatValue(100), "100");
    EXPECT_EQ(FormatValue(1000), "1.000");
    EXPECT_EQ(FormatValue(1234567.4), "1.234.567");
    EXPECT_EQ(FormatValue(10'000'000'000.0), "10.000.000.000");
    EXPECT_EQ(FormatValue(1e20), "100.000.000.000.000.000.000");
    EXPECT_EQ(FormatValue(-1e6), "-1.000.000,00");
}

TEST(PlanUtilsNumbers, FormatValueRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatValue(1234.5), "1.235");
    EXPECT_EQ(FormatValue(999.5), "1.000");
    EXPECT_EQ(FormatValue(0.125), "0,13");
    EXPECT_EQ(FormatValue(-0.125), "-0,13");
    EXPECT_EQ(FormatValue(0.005), "0,01");
    EXPECT_EQ(FormatValue(2.5), "2,50");
    EXPECT_EQ(FormatValue(10.5), "11");
    EXPECT_EQ(FormatValue(11.5), "12");
    // 2.675 is stored as 2.67499999999999982..., which rounds down.
    EXPECT_EQ(FormatValue(2.675), "2,67");
    // Tiny values show as zero without a minus sign.
    EXPECT_EQ(FormatValue(0.0004), "0,00");
    EXPECT_EQ(FormatValue(-0.001), "0,00");
}

TEST(PlanUtilsNumbers, FormatValueNonFinite) {
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatValue(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatValue(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(PlanUtilsNumbers, FormatLargeValueUnits) {
    EXPECT_EQ(FormatLargeValue(12'345'678), "12 Mio");
    EXPECT_EQ(FormatLargeValue(1'234'567), "1,2 Mio");
    EXPECT_EQ(FormatLargeValue(1'250'000), "1,3 Mio");
    EXPECT_EQ(FormatLargeValue(1'000'000), "1,0 Mio");
    EXPECT_EQ(FormatLargeValue(9'999'999), "10,0 Mio");
    EXPECT_EQ(FormatLargeValue(10'000'000'000.0), "10.000 Mio");
    EXPECT_EQ(FormatLargeValue(250'000), "250 T");
    EXPECT_EQ(FormatLargeValue(100'000), "100 T");
    EXPECT_EQ(FormatLargeValue(999'999), "1.000 T");
    EXPECT_EQ(FormatLargeValue(99'999), "99.999");
    EXPECT_EQ(FormatLargeValue(5), "5,00");
    EXPECT_EQ(FormatLargeValue(-5'000'000), "-5.000.000,00");
}

TEST(PlanUtilsNumbers, FormatIntegerGroupedAndAtLeastThreeWide) {
    EXPECT_EQ(FormatInteger(0), "  0");
    EXPECT_EQ(FormatInteger(5), "  5");
    EXPECT_EQ(FormatInteger(-5), " -5");
    EXPECT_EQ(FormatInteger(42), " 42");
    EXPECT_EQ(FormatInteger(999), "999");
    EXPECT_EQ(FormatInteger(1234), "1.234");
    EXPECT_EQ(FormatInteger(-1'234'567), "-1.234.567");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::max()), "9.223.372.036.854.775.807");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min()), "-9.223.372.036.854.775.808");
}

TEST(PlanUtilsNumbers, DurationText) {
    EXPECT_EQ(DurationText(75'500), "1 Min 15 Sek");
    EXPECT_EQ(DurationText(59'999), "59 Sek");
    EXPECT_EQ(DurationText(60'000), "1 Min 0 Sek");
    EXPECT_EQ(DurationText(0), "0 Sek");
    EXPECT_EQ(DurationText(999), "0 Sek");
    EXPECT_EQ(DurationText(3'600'000), "60 Min 0 Sek");
}

TEST(PlanUtilsNumbers, StrToFloatDotReadsPointNumbers) {
    EXPECT_DOUBLE_EQ(StrToFloatDot("3.25"), 3.25);
    EXPECT_DOUBLE_EQ(StrToFloatDot("10"), 10.0);
    EXPECT_DOUBLE_EQ(StrToFloatDot(" -1.5e3 "), -1500.0);
    EXPECT_DOUBLE_EQ(StrToFloatDot("+2"), 2.0);
    EXPECT_DOUBLE_EQ(StrToFloatDot(".5"), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloatDot("1E-2"), 0.01);
}

TEST(PlanUtilsNumbers, StrToFloatDotRejectsMalformedText) {
    for (const char* text :
         {"", " ", "abc", "1,5", "1.5x", "1 5", "1e", "inf", "nan", "+-1", "0x10", "1e999", "--1"}) {
        EXPECT_THROW(StrToFloatDot(text), EConvertError) << '"' << text << '"';
    }
    try {
        StrToFloatDot("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' ist kein gültiger Gleitkommawert");
    }
}

TEST(PlanUtilsNumbers, ToRoman) {
    EXPECT_EQ(ToRoman(1994), "MCMXCIV");
    EXPECT_EQ(ToRoman(0), "");
    EXPECT_EQ(ToRoman(-3), "");
    EXPECT_EQ(ToRoman(4), "IV");
    EXPECT_EQ(ToRoman(9), "IX");
    EXPECT_EQ(ToRoman(14), "XIV");
    EXPECT_EQ(ToRoman(2020), "MMXX");
    EXPECT_EQ(ToRoman(3999), "MMMCMXCIX");
}

TEST(PlanUtilsDates, IsoWeekOfYear) {
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2020, 10, 3)), 40);
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2021, 1, 1)), 53); // Friday, still week 53 of 2020
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2021, 1, 4)), 1);
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2020, 12, 28)), 53);
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2024, 12, 31)), 1); // belongs to 2025
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2025, 12, 29)), 1); // belongs to 2026
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2017, 1, 1)), 52);  // Sunday
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2017, 1, 2)), 1);
    EXPECT_EQ(IsoWeekOfYear(EncodeDate(2016, 1, 1) + EncodeTime(23, 0)), 53);
}

TEST(PlanUtilsDates, WeekIndexAndMondayOfWeek) {
    const TDateTime monday = EncodeDate(2020, 10, 5);
    // Sunday evening belongs to the Monday six days earlier; Monday noon to the same Monday.
    EXPECT_EQ(MondayOfWeek(EncodeDate(2020, 10, 11) + EncodeTime(20, 0)), monday);
    EXPECT_EQ(MondayOfWeek(monday + EncodeTime(12, 0)), monday);
    EXPECT_EQ(MondayOfWeek(EncodeDate(2020, 10, 12)), monday + 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(WeekIndex(monday + i + 0.75), WeekIndex(monday)) << i;
    }
    EXPECT_EQ(WeekIndex(monday + 7), WeekIndex(monday) + 1);
    EXPECT_EQ(WeekIndex(2), 0); // Monday, 1 January 1900
    EXPECT_EQ(WeekIndex(8), 0);
    EXPECT_EQ(WeekIndex(9), 1);
}

TEST(PlanUtilsDates, DayAndTimeTexts) {
    const TDateTime saturday = EncodeDate(2020, 10, 3);
    EXPECT_EQ(FormatDayDate(saturday), "Sa 03.10.2020");
    EXPECT_EQ(FormatDayDate(saturday + EncodeTime(23, 59)), "Sa 03.10.2020");
    EXPECT_EQ(FormatDayMonth(saturday), "03.10");
    EXPECT_EQ(FormatTime(EncodeTime(9, 5)), "09:05");
    EXPECT_EQ(FormatTime(saturday + EncodeTime(18, 29, 59, 999)), "18:29");
    EXPECT_EQ(FormatDayDateTime(saturday + EncodeTime(18, 30)), "Sa 03.10.2020 18:30");
    const char* names[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(WeekdayShortName(EncodeDate(2020, 10, 5) + i), names[i]);
    }
    // A value a few microseconds before midnight counts as the next day at 00:00.
    EXPECT_EQ(FormatDayDateTime(saturday + 1 - 1e-10), "So 04.10.2020 00:00");
}

TEST(PlanUtilsFiles, EscapeFileName) {
    EXPECT_EQ(EscapeFileName("a:b"), "a#058b");
    EXPECT_EQ(EscapeFileName("#12"), "#03512");
    EXPECT_EQ(EscapeFileName("\"*/:<>?[\\]|#"), "#034#042#047#058#060#062#063#091#092#093#124#035");
    EXPECT_EQ(EscapeFileName("Süd/Nord 2020"), "Süd#047Nord 2020");
    EXPECT_EQ(EscapeFileName("Herren-1.Kreisliga (A)"), "Herren-1.Kreisliga (A)");
}

TEST(PlanUtilsFiles, UnescapeFileName) {
    EXPECT_EQ(UnescapeFileName("a#058b"), "a:b");
    EXPECT_EQ(UnescapeFileName("#065BC"), "ABC");
    EXPECT_EQ(UnescapeFileName("#05"), "#05");
    EXPECT_EQ(UnescapeFileName("x#"), "x#");
    EXPECT_EQ(UnescapeFileName("#0a8"), "#0a8");
    EXPECT_EQ(UnescapeFileName("##058"), "#:");
    EXPECT_EQ(UnescapeFileName("#228"), "ä"); // codes above 127 become UTF-8
    EXPECT_EQ(UnescapeFileName("#8364"), "\xCD\x84"
                                         "4");
    EXPECT_EQ(UnescapeFileName("Süd"), "Süd");
}

TEST(PlanUtilsFiles, EscapeRoundTripsAnyText) {
    for (const char* text :
         {"", "#", "##", "#123abc", "a#0", "#058", "Kreisliga: Herren/Damen [A]|?", "ä€#"}) {
        EXPECT_EQ(UnescapeFileName(EscapeFileName(text)), text);
    }
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            text += static_cast<char>(byte(rng) % 3 == 0 ? "#0123:"[byte(rng) % 6] : byte(rng));
        }
        ASSERT_EQ(UnescapeFileName(EscapeFileName(text)), text);
    }
}

TEST(PlanUtilsFiles, SanitizeFileName) {
    EXPECT_EQ(SanitizeFileName("a/b:c#d"), "a-b-c-d");
    EXPECT_EQ(SanitizeFileName("\"*/:<>?[\\]|#"), "------------");
    EXPECT_EQ(SanitizeFileName("Süd Nord.xml"), "Süd Nord.xml");
}

class PlanUtilsListFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("terminor-listfiles-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "sub.xml");
        for (const char* name : {"a.xml", "B.XML", "c.txt", ".hidden.xml", "x1.xml", "x12.xml", "ä.xml"}) {
            std::ofstream(dir_ / name) << "x";
        }
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::vector<std::string> List(const std::string& namePattern) {
        std::vector<std::string> list{"stale"};
        ListFiles(dir_.string() + "/" + namePattern, list);
        return list;
    }

    std::filesystem::path dir_;
};

TEST_F(PlanUtilsListFiles, MatchesWildcardsSkipsFoldersAndHiddenFiles) {
    EXPECT_EQ(List("*.xml"), (std::vector<std::string>{"B.XML", "a.xml", "x1.xml", "x12.xml", "ä.xml"}));
    EXPECT_EQ(List("x?.xml"), (std::vector<std::string>{"x1.xml"}));
    EXPECT_EQ(List("?.xml"), (std::vector<std::string>{"B.XML", "a.xml", "ä.xml"}));
    EXPECT_EQ(List("*"), (std::vector<std::string>{"B.XML", "a.xml", "c.txt", "x1.xml", "x12.xml", "ä.xml"}));
    EXPECT_EQ(List("c.txt"), (std::vector<std::string>{"c.txt"}));
    EXPECT_EQ(List("*.pdf"), std::vector<std::string>{});
}

TEST_F(PlanUtilsListFiles, MissingFolderGivesEmptyList) {
    std::vector<std::string> list{"stale"};
    ListFiles((dir_ / "missing" / "*.xml").string(), list);
    EXPECT_TRUE(list.empty());
}

TEST(PlanUtilsSystem, LocalAppDataFolderFollowsXdg) {
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = oldXdg != nullptr ? oldXdg : "";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";

    setenv("XDG_DATA_HOME", "/tmp/xdg-data/", 1);
    EXPECT_EQ(GetLocalAppDataFolder(), "/tmp/xdg-data");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/tester", 1);
    EXPECT_EQ(GetLocalAppDataFolder(), "/home/tester/.local/share");

    if (oldXdg != nullptr) {
        setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    }
    if (oldHome != nullptr) {
        setenv("HOME", savedHome.c_str(), 1);
    } else {
        unsetenv("HOME");
    }
}

TEST(PlanUtilsSystem, ProgramVersionHasFourNumbers) {
    const std::string version = ProgramVersionText();
    EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3) << version;
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
    EXPECT_EQ(version.rfind(TERMINOR_VERSION_TEXT, 0), 0u) << version;
}

TEST(PlanUtilsSystem, AgeClasses) {
    const std::vector<std::string>& classes = AgeClasses();
    ASSERT_EQ(classes.size(), 17u);
    EXPECT_EQ(classes.front(), "Herren");
    EXPECT_EQ(classes[4], "Mädchen");
    EXPECT_EQ(classes[7], "Schülerinnen");
    EXPECT_EQ(classes[8], "Bambini");
    EXPECT_EQ(classes.back(), "Seniorinnen 70");
    std::vector<std::string> list{"stale"};
    FillAgeClasses(list);
    EXPECT_EQ(list, classes);
}

} // namespace
} // namespace terminor
