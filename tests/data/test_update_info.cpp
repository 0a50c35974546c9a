// The update document: reading its INI text, comparing versions part by part, and which links
// from it may be opened.

#include <gtest/gtest.h>

#include "data/UpdateInfo.h"

using namespace terminor;

TEST(UpdateInfo, ReadsVersionAndUrlOfTheInfoSection) {
    const TUpdateInfo info = ReadUpdateInfo("\xEF\xBB\xBF; Terminor\r\n"
                                            "[other]\r\nversion=9.9.9.9\r\n"
                                            "[ Info ]\r\n  Version = 1.10.0.0 \r\n"
                                            "url=\"https://example.org/terminor\"\r\n"
                                            "version=2.0.0.0\r\n"
                                            "kaputte Zeile\r\n[info2]\r\nurl=http://falsch");
    EXPECT_EQ(info.Version, "1.10.0.0") << "section and key ignore case; the first value counts";
    EXPECT_EQ(info.Url, "https://example.org/terminor");

    const TUpdateInfo missing = ReadUpdateInfo("[info]\nurl=https://example.org\n");
    EXPECT_EQ(missing.Version, "");
    EXPECT_EQ(missing.Url, "https://example.org");
    EXPECT_EQ(ReadUpdateInfo("<html><body>Anmeldung</body></html>").Version, "");
    EXPECT_EQ(ReadUpdateInfo("").Url, "");
}

TEST(UpdateInfo, VersionsCompareByNumericParts) {
    EXPECT_GT(CompareVersions("1.10.0.0", "1.9.0.0"), 0);
    EXPECT_LT(CompareVersions("1.10.0.0", "1.10.0.1"), 0);
    EXPECT_EQ(CompareVersions("1.2.3.4", "1.2.3.4"), 0);
    EXPECT_EQ(CompareVersions("1.2.3.4", "1.2.3"), 0) << "parts beyond the shorter text are not compared";
    EXPECT_EQ(CompareVersions("1. 2.3", "1.2 .3"), 0) << "parts are trimmed";
    EXPECT_LT(CompareVersions("2.0", "10.0"), 0);
    // Parts that are no numbers compare by character codes.
    EXPECT_LT(CompareVersions("1.0a", "1.0b"), 0);
    EXPECT_LT(CompareVersions("1.B", "1.a"), 0);
    EXPECT_LT(CompareVersions("1.10", "1.9x"), 0) << "one part no number: both compare as text";
}

TEST(UpdateInfo, OnlyAHigherOfferIsNewer) {
    EXPECT_FALSE(IsNewerVersion("1.10.0.0", "1.9.0.0"));
    EXPECT_TRUE(IsNewerVersion("1.10.0.0", "1.10.0.1"));
    EXPECT_FALSE(IsNewerVersion("1.10.0.0", "1.10.0.0"));
    EXPECT_FALSE(IsNewerVersion("0.1.0.0", "")) << "a document without version";
    EXPECT_FALSE(IsNewerVersion("0.1.0.0", "  "));
}

TEST(UpdateInfo, OnlyWebAddressesMayBeOpened) {
    for (const char* url :
         {"https://example.org/terminor/setup.exe", "http://example.org", "HTTPS://Example.org",
          "http://127.0.0.1:8080/x?y=1#z", "https://user@example.org/"}) {
        EXPECT_TRUE(IsWebAddress(url)) << url;
    }
    for (const char* url : {"", "file:///etc/passwd", "C:\\Windows\\system32\\calc.exe", "/usr/bin/xterm",
                            "javascript:alert(1)", "ftp://example.org", "https://", "http:///etc/passwd",
                            "https://example.org/a b", "https://example.org\n", "http://@/", "mailto:a@b.de",
                            "smb://server/share", "https:\\\\server\\share"}) {
        EXPECT_FALSE(IsWebAddress(url)) << url;
    }
}
