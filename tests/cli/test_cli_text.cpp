// terminor-cli's German texts: help, argument errors, the progress line, info and the cost table.

#include <filesystem>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "common/TempDir.h"

using namespace terminor::test;

namespace {

const std::string Herren = ExamplesDir() + "bezirksliga-herren-nord.xml";

/// Characters, not bytes, of the longest line.
std::size_t WidestLine(const std::string& text) {
    std::size_t widest = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::size_t columns = 0;
        for (const char c : line) {
            columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        widest = std::max(widest, columns);
    }
    return widest;
}

} // namespace

TEST(CliText, HelpIsGermanAndFitsTheTerminal) {
    for (const char* args : {"", "help", "--help"}) {
        const CliRun r = RunCliSplit(args);
        EXPECT_EQ(r.exitCode, 0) << args;
        EXPECT_EQ(
            r.out.find("Terminor: Spielplan-Generator für Tischtennis-Ligen\nAufruf: terminor-cli [OPTIONEN] "
                       "[BEFEHL]\n\nOptionen:\n  -h,--help                   Diese Hilfe anzeigen\n"),
            0u)
            << args << "\n"
            << r.out;
        EXPECT_NE(r.out.find("Befehle:\n  convert"), std::string::npos);
        EXPECT_NE(r.out.find("Rückgabewerte:\n  0  fertig;"), std::string::npos);
    }
    for (const char* command :
         {"convert", "info", "costs", "export", "schedule", "ical", "generate", "profile", "help"}) {
        const CliRun r = RunCli(std::string("help ") + command);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_NE(r.out.find(std::string("Aufruf: terminor-cli ") + command + " [OPTIONEN]"),
                  std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("Optionen:\n  -h,--help                   Diese Hilfe anzeigen\n"),
                  std::string::npos);
        EXPECT_EQ(r.out.find("Usage"), std::string::npos);
        EXPECT_LE(WidestLine(r.out), 80u) << command;
    }
    const CliRun generate = RunCli("generate --help");
    EXPECT_NE(generate.out.find("ohne --seconds und --steps 60 Sekunden"), std::string::npos);
    EXPECT_NE(generate.out.find("--single-worker wiederholt sich damit genau"), std::string::npos);
}

TEST(CliText, ArgumentErrorsNameTheArgumentAndSuggest) {
    const std::pair<std::string, std::string> errors[] = {
        {"generat x.xml",
         "Unbekannter Befehl \"generat\". Meinten Sie \"generate\"?\nSiehe terminor-cli --help"},
        {"help gnerate",
         "Unbekannter Befehl \"gnerate\". Meinten Sie \"generate\"?\nSiehe terminor-cli --help"},
        {"frobnicate", "Unbekannter Befehl \"frobnicate\".\nSiehe terminor-cli --help"},
        {"--versio", "Unbekannte Option \"--versio\". Meinten Sie \"--version\"?\nSiehe terminor-cli --help"},
        {"generate x.xml --secnds 2",
         "Unbekannte Option \"--secnds\". Meinten Sie \"--seconds\"?\nSiehe terminor-cli generate --help"},
        {"generate", "Die Angabe INPUT fehlt.\nSiehe terminor-cli generate --help"},
        {"export x.xml", "Die Angabe -o,--output fehlt.\nSiehe terminor-cli export --help"},
        {"info a.xml b.xml", "Unerwartetes Argument \"b.xml\".\nSiehe terminor-cli info --help"},
        {"generate x.xml --seconds", "Bei --seconds fehlt der Wert.\nSiehe terminor-cli generate --help"},
        {"generate x.xml --seconds 0",
         "Ungültiger Wert für --seconds: \"0\" ist keine Zahl größer als 0 (z. B. 30 "
         "oder 2,5).\nSiehe terminor-cli generate --help"},
        {"generate x.xml --seconds -2,5",
         "Ungültiger Wert für --seconds: \"-2,5\" ist keine Zahl größer als 0 (z. B. "
         "30 oder 2,5).\nSiehe terminor-cli generate --help"},
        {"generate x.xml --steps 0",
         "Ungültiger Wert für --steps: \"0\" ist keine ganze Zahl ab 1.\nSiehe terminor-cli generate --help"},
        {"generate x.xml --main-threads 0", "Ungültiger Wert für --main-threads: \"0\" ist keine ganze Zahl "
                                            "ab 1.\nSiehe terminor-cli generate --help"},
        {"generate x.xml --main-threads 17",
         "Ungültiger Wert für --main-threads: \"17\" ist mehr als 16.\nSiehe terminor-cli generate --help"},
        {"generate x.xml --seed -1",
         "Ungültiger Wert für --seed: \"-1\" ist keine ganze Zahl ab 0.\nSiehe terminor-cli generate --help"},
        {"profile x.xml --calls x",
         "Ungültiger Wert für --calls: \"x\" ist keine ganze Zahl ab 1.\nSiehe terminor-cli profile --help"},
        {"generate x.xml --seconds 2 --steps 3", "--seconds und --steps schließen sich aus; bitte nur eines "
                                                 "angeben.\nSiehe terminor-cli generate --help"},
    };
    for (const auto& [args, message] : errors) {
        const CliRun r = RunCliSplit(args);
        EXPECT_EQ(r.exitCode, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_EQ(r.err, "Fehler in den Argumenten: " + message + "\n") << args;
    }
    const CliRun type = RunCli("generate " + Herren + " --single-worker xyz --steps 5");
    EXPECT_EQ(type.exitCode, 1);
    EXPECT_EQ(type.out.rfind("Ungültiger Rechenthread-Typ für --single-worker \"xyz\": ", 0), 0u) << type.out;

    // A decimal comma is a number of seconds like any other.
    const CliRun comma =
        RunCli("generate " + Herren + " --seconds 0,3 --main-threads 1 --quiet --json", false);
    EXPECT_NE(comma.exitCode, 1);
    EXPECT_NE(comma.out.find("\"seconds\": "), std::string::npos);
}

TEST(CliText, ProgressLineOnATerminalOffItAndQuiet) {
    const std::string run =
        " generate " + ExamplesDir() + "kreisliga-damen-sued.xml --single-worker 2 --steps 300 ";
    // Off a terminal: the run's last line, with the steps' total as there is no duration.
    const CliRun plain = RunCliSplit(run);
    EXPECT_TRUE(std::regex_search(
        plain.err,
        std::regex("^\\d\\d:\\d\\d · 300 / 300 Pläne \\([0-9.]+/s\\) · beste Kosten [0-9.,]+( T| Mio)? · "
                   "\\d+ harter? Fehler\n")))
        << plain.err;
    EXPECT_EQ(RunCliSplit(run + "--quiet").err.find("Pläne"), std::string::npos);

    if (std::system("command -v script >/dev/null") != 0) {
        GTEST_SKIP() << "script(1) is missing";
    }
    // On a terminal the line is rewritten in place and ended once.
    const CliRun tty = RunShell("script -qec '" + CliPath() + run + ">/dev/null' /dev/null");
    EXPECT_NE(tty.out.find("\r00:"), std::string::npos) << tty.out;
    EXPECT_TRUE(std::regex_search(tty.out, std::regex(" Fehler\x1b\\[K\r\n"))) << tty.out;
}

TEST(CliText, InfoShowsDisplayTextsAndSeasonHalves) {
    const CliRun r = RunCli("info " + Herren);
    EXPECT_NE(r.out.find("Rundenplanung: Vor- und Rückrunde planen\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  1. Runde (Vorrunde): Sa 29.08.2026 bis Mo 04.01.2027\n     technisch: "),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  2. Runde (Rückrunde): Mo 04.01.2027 bis Fr 30.04.2027\n"), std::string::npos);
    EXPECT_NE(r.out.find("absichtlich 100 Tage"), std::string::npos);

    TempDir dir;
    const std::string plan = dir.File("plan.xml");
    std::ofstream(plan) << "<terminor><plan name=\"Ohne\"><team teamname=\"A\" teamid=\"1\"/>"
                           "<team teamname=\"B\" teamid=\"2\"/></plan></terminor>";
    const CliRun undated = RunCli("info " + plan);
    EXPECT_EQ(undated.exitCode, 0);
    EXPECT_NE(undated.out.find("Saison: ------ bis ------, Rückrunde ab ------\n"), std::string::npos);
    EXPECT_EQ(undated.out.find("1899"), std::string::npos) << undated.out;
    EXPECT_EQ(undated.out.find("1900"), std::string::npos) << undated.out;
}

TEST(CliText, CostTableFitsEightyColumnsUnlessWide) {
    TempDir dir;
    const std::string schedule = dir.File("s.xml");
    ASSERT_NE(RunCli("generate " + Herren + " --single-worker 2 --steps 300 --seed 4 --quiet -o " + schedule)
                  .exitCode,
              1);
    const CliRun narrow = RunCli("costs " + Herren + " --schedule " + schedule, false);
    EXPECT_LE(WidestLine(narrow.out), 80u) << narrow.out;
    EXPECT_NE(narrow.out.find("\nLegende: Anzahl /von (Kosten); "), std::string::npos);
    EXPECT_NE(narrow.out.find("\nDJK Grün-Weiß Arnsberg – Gesamt: "), std::string::npos) << narrow.out;
    // The plan terms keep their texts as quoted, spelling included.
    EXPECT_NE(narrow.out.find("\nÜberlappung letzer Spieltag:"), std::string::npos);

    const CliRun wide = RunCli("costs " + Herren + " --schedule " + schedule + " --wide", false);
    EXPECT_NE(wide.out.find("\nMannschaft                  Hallenbelegung          parallele Spiele"),
              std::string::npos);
    EXPECT_GT(WidestLine(wide.out), 200u);
}
