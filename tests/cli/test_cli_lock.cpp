// terminor-cli lock: locking and unlocking a game in a plan file and beside a click-TT export,
// and the errors of a wrong game.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "common/TempDir.h"
#include "data/PlanData.h"
#include "data/PredefinedGames.h"

using namespace terminor;
using namespace terminor::test;

namespace {

const std::string Game = "\"TTV Neheim|SC Hennen|12.09.2026 18:30\"";
const TDateTime When = EncodeDate(2026, 9, 12) + EncodeTime(18, 30);

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(CliLock, ExportGetsModificationsAndPlanFileIsRewritten) {
    TempDir dir;
    const std::string exportFile = dir.File("nord.xml");
    std::filesystem::copy_file(ExamplesDir() + "bezirksliga-herren-nord.xml", exportFile);
    const std::string before = Bytes(exportFile);

    CliRun r = RunCliSplit("lock " + exportFile + " --game " + Game);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Begegnung festgelegt: TTV Neheim - SC Hennen am Sa 12.09.2026 18:30"),
              std::string::npos);
    EXPECT_EQ(Bytes(exportFile), before) << "the export is never written";
    TPlanData merged;
    merged.LoadFromClickTTFile(exportFile);
    TPlanData modifications;
    modifications.LoadFromXML(dir.File("nord.modifications"));
    merged.Merge(modifications);
    EXPECT_TRUE(IsGameLocked(merged, "TTV Neheim", "SC Hennen", When));

    // Locked twice changes nothing; unlocked it is gone, and unlocking again is an error.
    EXPECT_EQ(RunCliSplit("lock " + exportFile + " --game " + Game).exitCode, 0);
    r = RunCliSplit("lock " + exportFile + " --game " + Game + " --unlock");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunCliSplit("lock " + exportFile + " --game " + Game + " --unlock");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("ist nicht festgelegt"), std::string::npos) << r.err;

    // A plan file is rewritten in place, or into -o.
    const std::string planFile = dir.File("plan.xml");
    std::filesystem::copy_file(ExamplesDir() + "bezirksliga-herren-nord.terminor.xml", planFile);
    r = RunCliSplit("lock " + planFile + " --game " + Game + " -o " + dir.File("locked.xml"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    TPlanData locked;
    locked.LoadFromXML(dir.File("locked.xml"));
    EXPECT_TRUE(IsGameLocked(locked, "TTV Neheim", "SC Hennen", When));
    ASSERT_EQ(RunCliSplit("lock " + planFile + " --game " + Game).exitCode, 0);
    TPlanData inPlace;
    inPlace.LoadFromXML(planFile);
    EXPECT_TRUE(IsGameLocked(inPlace, "TTV Neheim", "SC Hennen", When));
}

TEST(CliLock, WrongGamesAreRefused) {
    const std::string input = ExamplesDir() + "bezirksliga-herren-nord.terminor.xml";
    for (const auto& [game, message] : std::vector<std::pair<std::string, std::string>>{
             {"\"TTV Neheim|SC Hennen\"", "erwartet wird \"HEIM|GAST|TT.MM.JJJJ hh:mm\""},
             {"\"TTV Neheim|SC Hennen|31.02.2026 18:30\"", "Ungültige Angabe für --game"},
             {"\"TTV Neheim|FC Unbekannt|12.09.2026 18:30\"", "Die Mannschaft \"FC Unbekannt\" gibt es"},
             {"\"TTV Neheim|TTV Neheim|12.09.2026 18:30\"", "dieselbe"}}) {
        const CliRun r = RunCliSplit("lock " + input + " --game " + game + " -o -");
        EXPECT_EQ(r.exitCode, 1) << game;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}
