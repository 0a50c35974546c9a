// terminor-cli as batch jobs use it: wrong inputs and schedules are refused, exit codes tell a
// clean schedule from one with faults, outputs are checked before a run and never lost after it.

#include <filesystem>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "common/TempDir.h"
#include "data/PlanData.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

std::string Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string Game(const std::string& date, const std::string& heim, const std::string& gast) {
    return "<game datetime=\"" + date + "\" hometeamname=\"" + heim + "\" guestteamname=\"" + gast + "\"/>";
}

/// Two teams, one home date each; the existing schedule holds `existing` (game elements).
std::string TinyPlan(const std::string& existing) {
    return "<terminor><plan name=\"Testliga\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">"
           "<team teamname=\"TTC Alpha\" teamid=\"1\" clubid=\"c1\"><homegameday datetime=\"05.09.2026 "
           "18:00\"/>"
           "</team><team teamname=\"TTC Beta\" teamid=\"2\" clubid=\"c2\">"
           "<homegameday datetime=\"16.01.2027 18:00\"/></team>"
           "<existingschedule>" +
           existing + "</existingschedule></plan></terminor>";
}

const std::string AlphaBeta = Game("05.09.2026 18:00", "TTC Alpha", "TTC Beta");
const std::string BetaAlpha = Game("16.01.2027 18:00", "TTC Beta", "TTC Alpha");

std::string Schedule(const std::string& games) {
    return "<terminor><plan><schedule>" + games + "</schedule></plan></terminor>";
}

const std::string Herren = ExamplesDir() + "bezirksliga-herren-nord.xml";

} // namespace

TEST(CliBatch, InputThatIsNoPlanIsRefusedByWhatItIs) {
    TempDir dir;
    const std::pair<std::string, std::string> inputs[] = {
        {"<foo><bar/></foo>",
         "ist weder ein click-TT-Export noch eine Plandatei: erwartet wird das Dokumentelement "
         "\"TT\" oder ein Element \"plan\", die Datei hat das Dokumentelement \"foo\" ohne "
         "\"plan\"."},
        {"<terminor><plan name=\"x\"/></terminor>", "enthält keine Mannschaften"},
        {Schedule(AlphaBeta),
         "ist ein gemerkter Spielplan (nur \"schedule\", keine Mannschaften), weder eine "
         "Plandatei noch ein click-TT-Export. Ein gemerkter Spielplan wird mit --schedule zu "
         "seiner Staffel angegeben."},
    };
    const std::string input = dir.File("input.xml");
    const std::string output = dir.File("out.xml");
    for (const auto& [text, message] : inputs) {
        Write(input, text);
        for (const std::string& command :
             {"info " + input, "convert " + input + " -o " + output, "generate " + input + " --steps 1"}) {
            const CliRun r = RunCli(command);
            EXPECT_EQ(r.exitCode, 1) << command;
            EXPECT_NE(r.out.find(message), std::string::npos) << command << "\n" << r.out;
        }
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST(CliBatch, ScheduleMustBelongToTheDivision) {
    TempDir dir;
    const std::string plan = Write(dir.File("plan.xml"), TinyPlan(""));

    // A schedule of another division is refused; one with some foreign games is taken with a warning.
    const std::string other =
        Write(dir.File("other.xml"),
              Schedule(Game("05.09.2026 18:00", "SV A", "SV B") + Game("06.09.2026 18:00", "SV B", "SV A")));
    const CliRun refused = RunCli("export " + plan + " --schedule " + other + " -o " + dir.File("x.csv"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "Spielplan " + other +
                               " wird nicht geladen: 2 von 2 Spielen der Datei passen zu keiner Mannschaft "
                               "dieser Staffel.\n");
    EXPECT_FALSE(fs::exists(dir.File("x.csv")));

    const std::string mixed =
        Write(dir.File("mixed.xml"),
              Schedule(AlphaBeta + BetaAlpha + Game("06.09.2026 18:00", "SV A", "TTC Beta")));
    const CliRun warned = RunCliSplit("costs " + plan + " --schedule " + mixed);
    EXPECT_EQ(warned.exitCode, 0) << warned.err;
    EXPECT_EQ(warned.err, "Achtung: 1 von 3 Spielen der Datei passen zu keiner Mannschaft dieser Staffel (" +
                              mixed + ")\n");

    const CliRun export_ = RunCli("costs " + plan + " --schedule " + Herren);
    EXPECT_EQ(export_.exitCode, 1);
    EXPECT_NE(export_.out.find(
                  " ist kein gemerkter Spielplan: erwartet werden Elemente \"game\" unter plan/schedule, "
                  "die Datei ist ein click-TT-Export."),
              std::string::npos)
        << export_.out;
}

TEST(CliBatch, WithoutScheduleTheExistingScheduleIsWritten) {
    TempDir dir;
    // The example has no existing schedule: nothing is written.
    for (const char* command : {"export ", "schedule "}) {
        const CliRun r = RunCli(std::string(command) + Herren + " -o " + dir.File("out"));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "Der Plan enthält keine terminierten Spiele; bitte --schedule angeben\n");
        EXPECT_FALSE(fs::exists(dir.File("out")));
    }
    const std::string plan = Write(dir.File("plan.xml"), TinyPlan(AlphaBeta + BetaAlpha));
    const std::string csv = dir.File("plan.csv");
    const CliRun r = RunCliSplit("export " + plan + " -o " + csv);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "CSV für click-TT gespeichert: " + csv + "\n");
    const std::string bytes = ReadFileBytes(csv);
    EXPECT_NE(bytes.find("\n1;0;Samstag;;05.09.2026;;18:00;c1;TTC Alpha;c2;TTC Beta;1;2;;;\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\n2;1;Samstag;;16.01.2027;;18:00;c2;TTC Beta;c1;TTC Alpha;2;1;;;\r\n"),
              std::string::npos);
}

TEST(CliBatch, ExitCodeTwoWhenTheWrittenScheduleHasFaults) {
    TempDir dir;
    const std::string clean = Write(dir.File("clean.xml"), TinyPlan(AlphaBeta + BetaAlpha));
    const CliRun ok = RunCliSplit("costs " + clean);
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.err, "");
    EXPECT_NE(ok.out.find("Keine harten Fehler."), std::string::npos);

    // One game of the existing schedule is missing: the file is written, and the exit code says so.
    const std::string half = Write(dir.File("half.xml"), TinyPlan(AlphaBeta));
    const std::string out = dir.File("out.xml");
    const CliRun written = RunCliSplit("schedule " + half + " -o " + out);
    EXPECT_EQ(written.exitCode, 2);
    EXPECT_EQ(written.err,
              "Spielplan gespeichert: " + out +
                  "\nAchtung: 0 harte Fehler, 1 Spiel ohne Termin (Details: terminor-cli costs " + half +
                  ")\n");
    EXPECT_NE(ReadFileBytes(out).find("hometeamname=\"TTC Alpha\""), std::string::npos);
    const CliRun costs = RunCliSplit("costs " + half + " --json");
    EXPECT_EQ(costs.exitCode, 2);
    EXPECT_EQ(costs.err, "Achtung: 0 harte Fehler, 1 Spiel ohne Termin\n");
}

TEST(CliGenerate, OutputsAreCheckedBeforeTheRunAndNamedAfterIt) {
    TempDir dir;
    const std::string plan = Write(dir.File("plan.xml"), TinyPlan(""));
    const std::string regular = Write(dir.File("regular"), "x");
    const std::pair<std::string, std::string> refused[] = {
        {"-o " + dir.File("missing/s.xml"), "Datei " + dir.File("missing/s.xml") +
                                                " kann nicht geschrieben werden. Grund: Der Ordner " +
                                                dir.File("missing") + " existiert nicht\n"},
        {"--csv " + regular + "/s.csv",
         "Datei " + regular +
             "/s.csv kann nicht geschrieben werden. Grund: Ein Teil des Pfades ist "
             "kein Verzeichnis\n"},
        {"-o " + plan,
         "Die Eingabedatei " + plan + " wird nicht überschrieben. Bitte eine andere Ausgabedatei angeben.\n"},
        {"-o - --csv -", "-o und --csv können nicht beide auf die Standardausgabe (-) schreiben.\n"},
        {"-o - --json", "--json und eine Ausgabe auf die Standardausgabe (-) schließen sich aus.\n"},
    };
    for (const auto& [outputs, message] : refused) {
        // Refused before the run: no progress line, no cost table.
        const CliRun r = RunCli("generate " + plan + " --seconds 30 --main-threads 1 " + outputs);
        EXPECT_EQ(r.exitCode, 1) << outputs;
        EXPECT_EQ(r.out, message);
    }

    const std::string xml = dir.File("s.xml");
    const std::string csv = dir.File("s.csv");
    const CliRun named = RunCliSplit("generate " + plan + " --single-worker 2 --steps 200 --quiet -o " + xml +
                                     " --csv " + csv);
    EXPECT_EQ(named.exitCode, 0) << named.err;
    EXPECT_EQ(named.err, "Spielplan gespeichert: " + xml + "\nCSV für click-TT gespeichert: " + csv + "\n");

    // "-" is standard output, which then carries the schedule alone; the costs go to standard error.
    const CliRun piped = RunShell("cd " + dir.path.string() + " && " + CliPath() + " generate " + plan +
                                  " --single-worker 2 --steps 200 --quiet -o - 2>/dev/null");
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.out, ReadFileBytes(xml))
        << "the same seed-free run places both games on their only dates";
    EXPECT_FALSE(fs::exists(dir.File("-")));

    // One worker for a time instead of a number of steps.
    const CliRun timed =
        RunCliSplit("generate " + plan + " --single-worker 2 --seconds 0,3 --quiet -o " + xml);
    EXPECT_EQ(timed.exitCode, 0) << timed.err;
}

TEST(CliGenerate, FailedWriteAfterTheRunSavesAFallbackBesideTheInput) {
    TempDir dir;
    const std::string plan = Write(dir.File("plan.xml"), TinyPlan(""));
    // A full disk on standard output: the write fails after the run, however the checks went.
    const CliRun r = RunShell(CliPath() + " generate " + plan +
                              " --single-worker 2 --steps 200 --quiet -o - 2>&1 >/dev/full");
    EXPECT_EQ(r.exitCode, 1);
    const std::smatch m = [&] {
        std::smatch match;
        std::regex_search(
            r.out, match,
            std::regex("Spielplan stattdessen gespeichert: (.*plan\\.terminor-[0-9-]+\\.xml)\n"));
        return match;
    }();
    ASSERT_EQ(m.size(), 2u) << r.out;
    EXPECT_EQ(r.out.rfind("Die Standardausgabe kann nicht geschrieben werden.\n", 0), 0u) << r.out;
    EXPECT_EQ(fs::path(m[1].str()).parent_path(), dir.path);
    TPlanData saved;
    saved.LoadFromXML(m[1].str());
    EXPECT_EQ(saved.root().FindChild("schedule")->NamedChilds("game").size(), 2u);
}

TEST(CliGenerate, CtrlCWritesTheBestPlanSoFar) {
    if (std::system("command -v timeout >/dev/null") != 0) {
        GTEST_SKIP() << "timeout(1) is missing";
    }
    TempDir dir;
    const std::string out = dir.File("s.xml");
    const CliRun r = RunShell("timeout --preserve-status -s INT 2 " + CliPath() + " generate " + Herren +
                              " --seconds 60 --main-threads 1 --no-special-thread --quiet --json -o " + out +
                              " 2>&1 >/dev/null");
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 2) << r.exitCode << "\n" << r.out;
    EXPECT_NE(
        r.out.find("Abgebrochen – der beste Plan bis jetzt wird gespeichert\nSpielplan gespeichert: " + out),
        std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::exists(out));
}
