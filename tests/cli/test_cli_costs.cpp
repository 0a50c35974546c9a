// terminor-cli costs, export, schedule and generate as other programs use them.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "common/TempDir.h"

using namespace terminor::test;
using json = nlohmann::ordered_json;

namespace {

/// JSON of a command that reports on a schedule: exit code 0, or 2 while the schedule has hard errors.
json RunJson(const std::string& args) {
    const CliRun r = RunCli(args, false);
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 2) << args << " gave " << r.exitCode;
    return json::parse(r.out);
}

const char* const Inputs[] = {"bezirksliga-herren-nord.xml", "bezirksliga-herren-nord.terminor.xml",
                              "kreisliga-damen-sued.xml"};

} // namespace

TEST(CliCosts, JsonShapeAndTotals) {
    for (const char* file : Inputs) {
        const json j = RunJson("costs " + ExamplesDir() + file + " --json");
        ASSERT_TRUE(j.contains("total")) << file;
        const json& plan = j["plan"];
        for (const char* key :
             {"unscheduled", "notAllowed", "freeDays", "sisterGamesAtBegin", "gameDayOverlap",
              "gameDayLength", "lastGameDayOverlap", "lastGameDayLength"}) {
            ASSERT_TRUE(plan.contains(key)) << key;
        }
        double sum = 0;
        for (const char* key :
             {"unscheduled", "notAllowed", "freeDays", "sisterGamesAtBegin", "gameDayOverlap",
              "gameDayLength", "lastGameDayOverlap", "lastGameDayLength"}) {
            sum += plan[key].get<double>();
        }
        for (const json& team : j["teams"]) {
            ASSERT_EQ(team["costs"].size(), 16u);
            EXPECT_EQ(team["costs"].begin().key(), "mktHalleBelegt");
            double teamSum = 0;
            for (const auto& [type, value] : team["costs"].items()) {
                teamSum += value["cost"].get<double>();
            }
            EXPECT_NEAR(team["total"].get<double>(), teamSum, 1e-6 * (1 + teamSum));
            sum += teamSum;
        }
        // Every game is undated: the unscheduled games dominate, and every term adds up to the total.
        EXPECT_GT(plan["unscheduled"].get<double>(), 1e10);
        EXPECT_NEAR(j["total"].get<double>(), sum, 1e-9 * sum) << file;
        EXPECT_FALSE(j["hardErrors"].empty());
    }
}

TEST(CliCosts, ExportAndScheduleWithAndWithoutScheduleFile) {
    TempDir dir;
    const std::string input = ExamplesDir() + "bezirksliga-herren-nord.xml";
    const std::string schedule = dir.File("plan.xml");
    // A short deterministic generation provides a schedule file.
    const json generated =
        RunJson("generate " + input + " --single-worker 2 --steps 300 --seed 4 --json -o " + schedule);
    ASSERT_TRUE(std::filesystem::exists(schedule));

    // Without --schedule the division's existing schedule is written; the example has none.
    const CliRun undated = RunCli("export " + input + " -o -");
    EXPECT_EQ(undated.exitCode, 1);
    EXPECT_EQ(undated.out, "Der Plan enthält keine terminierten Spiele; bitte --schedule angeben\n");
    const CliRun dated =
        RunCli("export " + input + " --schedule " + schedule + " -o " + dir.File("plan.csv"), false);
    EXPECT_NE(dated.exitCode, 1);
    const std::string bytes = ReadFileBytes(dir.File("plan.csv"));
    EXPECT_EQ(bytes.substr(0, 13), "Nr.;Vor/R\xFC"
                                   "ck;")
        << "the header's ü is written in windows-1252";
    EXPECT_NE(bytes.find("Spiellokal\r\n"), std::string::npos);
    EXPECT_GT(std::count(bytes.begin(), bytes.end(), '\n'), 50);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);

    const CliRun xml = RunCli("schedule " + input + " --schedule " + schedule + " -o -", false);
    ASSERT_NE(xml.exitCode, 1);
    EXPECT_EQ(xml.out, ReadFileBytes(schedule)) << "writing the loaded schedule again gives the same file";

    const json withSchedule = RunJson("costs " + input + " --schedule " + schedule + " --json");
    EXPECT_DOUBLE_EQ(withSchedule["total"].get<double>(), generated["cost"].get<double>());
    const json without = RunJson("costs " + input + " --json");
    EXPECT_GT(without["total"].get<double>(), withSchedule["total"].get<double>());

    // The input file is never overwritten.
    EXPECT_EQ(RunCli("export " + input + " -o " + input).exitCode, 1);
}

TEST(CliGenerate, SeededSingleWorkerIsReproducibleAndItsCostMatchesCosts) {
    TempDir dir;
    const std::string input = ExamplesDir() + "kreisliga-damen-sued.xml";
    const json a = RunJson("generate " + input + " --single-worker S1,25 --steps 400 --seed 9 --json -o " +
                           dir.File("a.xml"));
    const json b = RunJson("generate " + input + " --single-worker S1,25 --steps 400 --seed 9 --json -o " +
                           dir.File("b.xml"));
    EXPECT_EQ(ReadFileBytes(dir.File("a.xml")), ReadFileBytes(dir.File("b.xml")));
    EXPECT_EQ(a["cost"], b["cost"]);
    EXPECT_EQ(a["steps"], 400);
    EXPECT_NE(a["lastOptimizedThread"].get<std::string>().find("|S1,25"), std::string::npos);
    const json costs = RunJson("costs " + input + " --schedule " + dir.File("a.xml") + " --json");
    EXPECT_DOUBLE_EQ(costs["total"].get<double>(), a["cost"].get<double>());
}

TEST(CliGenerate, ThreadTreeRunWritesItsBestScheduleAndCost) {
    TempDir dir;
    const std::string input = ExamplesDir() + "bezirksliga-herren-nord.xml";
    const CliRun r =
        RunCli("generate " + input + " --seconds 2 --main-threads 1 --no-special-thread --json -o " +
                   dir.File("s.xml") + " --csv " + dir.File("s.csv"),
               false);
    ASSERT_NE(r.exitCode, 1) << r.out;
    const json j = json::parse(r.out);
    EXPECT_GT(j["steps"].get<long long>(), 0);
    EXPECT_GT(j["seconds"].get<double>(), 1.5);
    // Without dates the 132 games cost 132 x 10^10; two seconds place most of them, however busy the machine.
    EXPECT_LT(j["cost"].get<double>(), 1e12);
    const json costs = RunJson("costs " + input + " --schedule " + dir.File("s.xml") + " --json");
    EXPECT_DOUBLE_EQ(costs["total"].get<double>(), j["cost"].get<double>());
    EXPECT_TRUE(std::filesystem::exists(dir.File("s.csv")));

    // Progress on standard error, in German; off a terminal at least the run's last line.
    const CliRun progress =
        RunCliSplit("generate " + input + " --seconds 1 --main-threads 1 --no-special-thread");
    EXPECT_NE(progress.err.find(" / 00:01 · "), std::string::npos) << progress.err;
    EXPECT_NE(progress.err.find(" Pläne ("), std::string::npos);
    EXPECT_NE(progress.out.find("Gesamtkosten:"), std::string::npos);
}

TEST(CliProfile, ReportsEveryAction) {
    const CliRun r = RunCli("profile " + ExamplesDir() + "kreisliga-damen-sued.xml --calls 3", false);
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Treffer der Threadtypen\n\nDynamische Threads\n\n", 0), 0u) << r.out;
    for (const char* name : {"mktHalleBelegt: ", "mktMandatoryGames: ", "Spieltagkosten: ", "Fehltermine: ",
                             "Nicht erlaubte Spieltage: ", "Vereinsinterne Spiele am Anfang: ",
                             "Filltermine 10%: ", "Filltermine 2%: "}) {
        EXPECT_NE(r.out.find(name), std::string::npos) << name;
    }
}
