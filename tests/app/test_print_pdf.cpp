// terminor --print-pdf, run as a separate process on the example export: the PDF's titles and
// team names, the options of the call, schedule files without games, and the German errors.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "common/DatedExamplePlan.h"
#include "common/PdfText.h"
#include "view/PlanPages.h"
#include "view/ZoomCanvas.h"

namespace terminor {
namespace {

using test::PdfInfo;
using test::PdfPages;

struct TRun {
    int ExitCode = -1;
    std::string Errors;
};

TRun RunPrintPdf(const QStringList& args) {
    QProcess process;
    process.start(TERMINOR_GUI_PATH, QStringList{"--print-pdf"} + args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

std::string AllText(const std::string& pdf) {
    std::string text;
    for (const std::string& page : PdfPages(pdf)) {
        text += page;
    }
    return text;
}

class PrintPdf : public ::testing::Test {
protected:
    void SetUp() override {
        Plan = test::DatedExamplePlan(3);
        Plan->SaveScheduleToXml(Schedule.toStdString());
    }
    QString File(const char* name) const { return Dir.filePath(name); }

    QTemporaryDir Dir;
    QString Schedule = Dir.filePath("schedule.xml");
    QString Input = QString::fromStdString(test::ExamplePath("bezirksliga-herren-nord.xml"));
    std::unique_ptr<TPlan> Plan;
};

TEST_F(PrintPdf, PrintsTheChosenSectionsWithTheirTitles) {
    const QString all = File("all.pdf");
    const TRun run = RunPrintPdf({all, Input, "--schedule", Schedule});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    EXPECT_EQ(run.Errors, ""); // nothing but German messages on stderr, and none on success
    const std::string text = AllText(all.toStdString());
    std::size_t at = 0;
    for (const char* title : {"Terminwünsche", "Termine der Nachbarmannschaften", "Kosten", "Spielplan",
                              "Mannschaftspläne", "Mannschaftspläne mit Nachbarmanschaften", "Diagramme"}) {
        at = text.find(title, at);
        EXPECT_NE(at, std::string::npos) << title;
    }
    EXPECT_EQ(PdfInfo(all.toStdString(), "Title"), Plan->PlanName);
    EXPECT_EQ(PdfInfo(all.toStdString(), "Page size").substr(0, 9), "595 x 842");

    // Two sections in landscape; the order of the list does not matter, the print order does.
    const QString two = File("two.pdf");
    const TRun twoRun = RunPrintPdf({two, Input, "--landscape", "--sections", "spielplan,kosten"});
    ASSERT_EQ(twoRun.ExitCode, 0) << twoRun.Errors;
    EXPECT_EQ(PdfInfo(two.toStdString(), "Page size").substr(0, 9), "842 x 595");
    const std::vector<std::string> pages = PdfPages(two.toStdString());
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(pages.front().substr(0, 6), "Kosten");
    EXPECT_EQ(pages.back().substr(0, 9), "Spielplan");
    EXPECT_EQ(AllText(two.toStdString()).find("Diagramme"), std::string::npos);
}

TEST_F(PrintPdf, PdfHoldsEveryTeamName) {
    const QString out = File("teams.pdf");
    const TRun run = RunPrintPdf({out, Input, "--schedule", Schedule});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    const std::string text = AllText(out.toStdString());
    for (const auto& team : Plan->Mannschaften) {
        EXPECT_NE(text.find(team->teamName), std::string::npos) << team->teamName;
    }
}

TEST_F(PrintPdf, AScheduleFileWithoutScheduleGivesAPlanWithoutDates) {
    const QString empty = File("ohne-spielplan.xml");
    std::ofstream(empty.toStdString()) << "<terminor><plan/></terminor>";
    const QString out = File("undated.pdf");
    const TRun run = RunPrintPdf({out, Input, "--schedule", empty, "--sections", "kosten"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    EXPECT_NE(AllText(out.toStdString()).find("Keine Spiele terminiert"), std::string::npos);

    // A schedule none of whose games fits the division is refused.
    const QString other = File("andere-staffel.xml");
    std::ofstream(other.toStdString())
        << "<terminor><plan><schedule><game datetime=\"05.09.2026 18:00\" hometeamname=\"SV A\" "
           "guestteamname=\"SV B\"/></schedule></plan></terminor>";
    const QString refusedOut = File("refused.pdf");
    const TRun refused = RunPrintPdf({refusedOut, Input, "--schedule", other});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_NE(refused.Errors.find("1 von 1 Spielen der Datei passen zu keiner Mannschaft"), std::string::npos)
        << refused.Errors;
    EXPECT_FALSE(std::filesystem::exists(refusedOut.toStdString()));
}

TEST_F(PrintPdf, ErrorsAreGermanAndWriteNothing) {
    const QString out = File("error.pdf");
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{out, File("fehlt.xml")}, "kann nicht gelesen werden"},
        {{File("fehlt/x.pdf"), Input}, "kann nicht geschrieben werden"},
        {{out, Input, "--sections", "kosten,preise"}, "Unbekannter Abschnitt \"preise\""},
        {{out, Input, "--schedule"}, "erwartet einen Wert"},
        {{out, Input, "--farbe"}, "Unbekannte Option --farbe"},
        {{out}, "Es fehlen Dateinamen"},
        {{Schedule, Input, "--schedule", Schedule}, "darf keine der Eingabedateien"},
    };
    const auto scheduleSize = std::filesystem::file_size(Schedule.toStdString());
    for (const auto& c : cases) {
        const TRun run = RunPrintPdf(c.args);
        EXPECT_EQ(run.ExitCode, 1) << c.message;
        EXPECT_NE(run.Errors.find(c.message), std::string::npos) << run.Errors;
        EXPECT_FALSE(std::filesystem::exists(out.toStdString())) << c.message;
    }
    EXPECT_EQ(std::filesystem::file_size(Schedule.toStdString()), scheduleSize);
}

} // namespace
} // namespace terminor
