// The manual "Terminor.pdf": built beside the program with its chapters in it, and found by
// "Anleitung..." beside the executable or where an install puts it.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/ManualFile.h"

namespace fs = std::filesystem;
using namespace terminor;

namespace {

/// The text of a PDF file as pdftotext extracts it, every run of blanks and line breaks made one
/// blank, so that a heading found does not depend on where a line breaks.
std::string PdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -q '" + pdf.string() + "' -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    if (!pipe) {
        return text;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
        text.append(buffer.data(), n);
    }
    std::string words;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (!blank) {
            words.push_back(c);
        } else if (!words.empty() && words.back() != ' ') {
            words.push_back(' ');
        }
    }
    return words;
}

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "%PDF-1.4\n";
}

class ManualLookup : public ::testing::Test {
protected:
    void SetUp() override {
        Root = fs::temp_directory_path() /
               ("terminor-manual-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(Root);
        fs::create_directories(Root / "bin");
    }
    void TearDown() override { fs::remove_all(Root); }
    fs::path Root;
};

} // namespace

TEST(Manual, IsBuiltBesideTheProgramWithEveryChapter) {
    const fs::path pdf = fs::path(TERMINOR_GUI_PATH).parent_path() / "Terminor.pdf";
    ASSERT_TRUE(fs::is_regular_file(pdf)) << pdf;
    const std::string text = PdfText(pdf);
    ASSERT_FALSE(text.empty()) << "pdftotext fand keinen Text in " << pdf;
    for (const char* expected :
         {"Terminor – Anleitung", "1 Installieren", "2 Der Weg vom click-TT-Export zur CSV-Datei",
          "3 Erster Start und Dateneingabe", "Plandaten...", "Strg+D", "5 Die Kosten und die Einstellungen",
          "Hallenbelegung", "Pflichtspieltage", "6 Die Seiten lesen", "7 Begegnungen festlegen",
          "8 Kommandozeile und Stapelbetrieb", "9 Rückgabewerte", "Seite 1 von "}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    // Words are text, not ligature glyphs, so that a search for them finds them.
    EXPECT_NE(text.find("Staffel"), std::string::npos);
}

TEST_F(ManualLookup, FindsTheInstalledCopyRelativeToTheBinFolder) {
    const fs::path installed = Root / "share" / "terminor" / "Terminor.pdf";
    EXPECT_FALSE(FindManual(Root / "bin"));
    Touch(installed);
    EXPECT_EQ(FindManual(Root / "bin"), installed);
    EXPECT_EQ(FindManual(Root / "bin" / ""), installed);
}

TEST_F(ManualLookup, PrefersTheCopyBesideTheExecutable) {
    Touch(Root / "share" / "terminor" / "Terminor.pdf");
    Touch(Root / "bin" / "Terminor.pdf");
    EXPECT_EQ(FindManual(Root / "bin"), Root / "bin" / "Terminor.pdf");
}

TEST_F(ManualLookup, AMissingManualIsNamedWhereItBelongs) {
    // An installed program names the data folder, a program in a build tree the file beside it.
    EXPECT_EQ(ExpectedManual(Root / "bin"), Root / "share" / "terminor" / "Terminor.pdf");
    EXPECT_EQ(ExpectedManual(Root / "build" / "src" / "app"),
              Root / "build" / "src" / "app" / "Terminor.pdf");
    EXPECT_FALSE(FindManual(Root / "build"));
}
