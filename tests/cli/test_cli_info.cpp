// terminor-cli info on the example divisions and with options files of every round-planning mode.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CliRunner.h"
#include "model/CalculateOptions.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

TEST(CliInfo, SummarisesBothExamples) {
    for (const char* file : {"bezirksliga-herren-nord.xml", "bezirksliga-herren-nord.terminor.xml"}) {
        const CliRun r = RunCli("info " + ExamplesDir() + file);
        ASSERT_EQ(r.exitCode, 0) << r.out;
        EXPECT_NE(r.out.find("Staffel: Bezirksliga Herren Nord"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("Mannschaften: 12"), std::string::npos);
        EXPECT_NE(r.out.find("Spiele: 132"), std::string::npos);
        EXPECT_NE(r.out.find("Für den Auswärtskoppelwunsch bei "), std::string::npos);
    }
    const CliRun plan =
        RunCli("info " + ExamplesDir() + "bezirksliga-herren-nord.terminor.xml --json", false);
    ASSERT_EQ(plan.exitCode, 0);
    const auto j = nlohmann::json::parse(plan.out);
    EXPECT_EQ(j["teams"], 12);
    EXPECT_EQ(j["flags"]["ranking"], true) << "the plan file carries an active seeding list";
    EXPECT_EQ(j["teamList"].size(), 12u);

    const CliRun damen = RunCli("info " + ExamplesDir() + "kreisliga-damen-sued.xml --json", false);
    ASSERT_EQ(damen.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(damen.out)["flags"]["ranking"], false);
}

TEST(CliInfo, RoundsFollowTheOptionsFile) {
    const fs::path dir = fs::temp_directory_path() / "terminor-cli-info";
    fs::create_directories(dir);
    const std::pair<TRoundPlaning, std::size_t> modes[] = {
        {rpBoth, 2}, {rpHalfRound, 1}, {rpFirstOnly, 2}, {rpSecondOnly, 2}, {rpCorona, 2}};
    for (const auto& [mode, rounds] : modes) {
        for (const bool doubleRound : {false, true}) {
            TCalculateOptions options;
            options.RoundPlaning = mode;
            options.DoubleRound = doubleRound;
            const std::string file = (dir / "Terminor.options").string();
            options.Save(file);
            const CliRun r = RunCli(
                "info " + ExamplesDir() + "bezirksliga-herren-nord.xml --options " + file + " --json", false);
            ASSERT_EQ(r.exitCode, 0) << RoundPlaningName(mode);
            const auto j = nlohmann::json::parse(r.out);
            EXPECT_EQ(j["roundPlaning"], std::string(RoundPlaningName(mode)));
            EXPECT_EQ(j["rounds"].size(), rounds * (doubleRound ? 2 : 1)) << RoundPlaningName(mode);
            EXPECT_EQ(j["games"], doubleRound ? 264 : 132);
        }
    }
    fs::remove_all(dir);

    const CliRun missing =
        RunCli("info " + ExamplesDir() + "bezirksliga-herren-nord.xml --options /nonexistent.options");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("/nonexistent.options"), std::string::npos);
}
