// Tests of the conversion between UTF-8 and the code pages of imported and exported files.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "data/Error.h"
#include "data/TextCodec.h"

namespace terminor {
namespace {

using namespace std::string_literals;

std::string ErrorText(const std::string& bytes, const char* charset) {
    try {
        ToUtf8(bytes, charset);
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "no error";
}

TEST(TextCodec, ToUtf8SingleByteCodePages) {
    EXPECT_EQ(ToUtf8("\xE4\xF6\xFC\xDF\xC4\xA4", "ISO-8859-15"), "äöüßÄ€");
    EXPECT_EQ(ToUtf8("\xA4", "ISO-8859-1"), "¤");
    EXPECT_EQ(ToUtf8("M\xFCller \x80", "windows-1252"), "Müller €");
    EXPECT_EQ(ToUtf8("", "windows-1252"), "");
    EXPECT_EQ(ToUtf8("a\0b"s, "ISO-8859-15"), "a\0b"s);
}

TEST(TextCodec, ToUtf8MultiByteAndLongInput) {
    EXPECT_EQ(ToUtf8("a\0\xAC\x20"s, "UTF-16LE"), "a€");
    EXPECT_EQ(ToUtf8("Stra\xC3\x9F"
                     "e",
                     "UTF-8"),
              "Straße");
    const std::string latin(5000, '\xE4');
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        expected += "ä";
    }
    EXPECT_EQ(ToUtf8(latin, "ISO-8859-15"), expected);
}

TEST(TextCodec, ToUtf8Errors) {
    EXPECT_EQ(ErrorText("a", "NO-SUCH-CHARSET"), "Unbekannte Zeichenkodierung: NO-SUCH-CHARSET");
    EXPECT_EQ(ErrorText("a", ""), "Unbekannte Zeichenkodierung: ");
    EXPECT_EQ(ErrorText("a", nullptr), "Unbekannte Zeichenkodierung: ");
    EXPECT_EQ(ErrorText("a\x81", "windows-1252"), "Ungültige Zeichen in der Kodierung windows-1252");
    EXPECT_EQ(ErrorText("a\xFF"
                        "b",
                        "UTF-8"),
              "Ungültige Zeichen in der Kodierung UTF-8");
    EXPECT_EQ(ErrorText("a\xE2\x82", "UTF-8"), "Ungültige Zeichen in der Kodierung UTF-8"); // cut off
    EXPECT_EQ(ErrorText("a\0b"s, "UTF-16LE"), "Ungültige Zeichen in der Kodierung UTF-16LE");
}

TEST(TextCodec, FromUtf8SingleByteCodePages) {
    EXPECT_EQ(FromUtf8("äöüß€", "ISO-8859-15"), "\xE4\xF6\xFC\xDF\xA4");
    EXPECT_EQ(FromUtf8("äöü€", "windows-1252"), "\xE4\xF6\xFC\x80");
    EXPECT_EQ(FromUtf8("Müller;1", "windows-1252"), "M\xFCller;1");
    EXPECT_EQ(FromUtf8("", "windows-1252"), "");
    EXPECT_EQ(FromUtf8("a€", "UTF-16LE"), "a\0\xAC\x20"s);
}

TEST(TextCodec, FromUtf8ReplacesWhatCannotBeWritten) {
    EXPECT_EQ(FromUtf8("€", "ISO-8859-1"), "?");
    EXPECT_EQ(FromUtf8("a日本b", "windows-1252"), "a??b");
    EXPECT_EQ(FromUtf8("😀", "ISO-8859-15"), "?");
    EXPECT_EQ(FromUtf8("Ω", "UTF-16LE"), "\xA9\x03"s);
    EXPECT_EQ(FromUtf8("日", "ASCII"), "?");
    // Invalid UTF-8: one '?' per broken piece.
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b",
                       "ISO-8859-15"),
              "a?b");
    EXPECT_EQ(FromUtf8("a\xE2\x82", "ISO-8859-15"), "a?");
    EXPECT_EQ(FromUtf8("\xE2\x82x", "ISO-8859-15"), "?x");
    EXPECT_EQ(FromUtf8("\xC0\xAF", "ISO-8859-15"), "??");      // overlong
    EXPECT_EQ(FromUtf8("\xED\xA0\x80", "ISO-8859-15"), "???"); // surrogate
    EXPECT_EQ(FromUtf8("\x80\xE4", "windows-1252"), "??");
    EXPECT_THROW(FromUtf8("a", "NO-SUCH-CHARSET"), EConvertError);
}

TEST(TextCodec, SingleByteRoundTrip) {
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    EXPECT_EQ(FromUtf8(ToUtf8(all, "ISO-8859-15"), "ISO-8859-15"), all);
}

TEST(TextCodec, ArbitraryBytesNeverBreakTheConverters) {
    std::mt19937 rng(4711);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 64);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int n = length(rng);
        for (int i = 0; i < n; ++i) {
            bytes += static_cast<char>(byte(rng));
        }
        const std::string latin = FromUtf8(bytes, "ISO-8859-15");
        ASSERT_LE(latin.size(), bytes.size());
        // Whatever FromUtf8 produced is valid in the code page and converts back.
        ASSERT_NO_THROW(ToUtf8(latin, "ISO-8859-15"));
        try {
            const std::string utf8 = ToUtf8(bytes, "windows-1252");
            ASSERT_EQ(FromUtf8(utf8, "windows-1252"), bytes);
        } catch (const EConvertError&) {
            // Bytes undefined in windows-1252.
        }
    }
}

} // namespace
} // namespace terminor
