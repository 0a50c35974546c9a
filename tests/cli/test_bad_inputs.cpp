// The table of bad inputs (tests/common/BadInputs.h) through terminor-cli: every file is refused
// with its German message and exit code 1, or read with the message as a warning; nothing
// crashes and nothing is written for a refused file.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "common/BadInputs.h"
#include "common/TempDir.h"

using namespace terminor::test;
namespace fs = std::filesystem;

TEST(CliBadInputs, EveryBadInputHasItsGermanMessage) {
    const std::string kreisliga = ExamplesDir() + "kreisliga-damen-sued.xml";
    for (const TBadInput& bad : BadInputs()) {
        SCOPED_TRACE(bad.name);
        TempDir dir;
        const std::string file = dir.File("eingabe.xml");
        std::ofstream(file, std::ios::binary) << bad.bytes;
        const std::string out = dir.File("plan.xml");
        const std::string generate = " --steps 3 --single-worker 2 --quiet -o '" + out + "'";
        std::string args;
        switch (bad.role) {
        case TBadInputRole::Input:
            args = "generate '" + file + "'" + generate;
            break;
        case TBadInputRole::Schedule:
            args = "costs '" + kreisliga + "' --schedule '" + file + "'";
            break;
        case TBadInputRole::Options:
            args = "generate '" + kreisliga + "' --options '" + file + "'" + generate;
            break;
        }
        const CliRun run = RunCli(args);
        EXPECT_NE(run.out.find(bad.message), std::string::npos) << run.out;
        if (bad.outcome == TBadInputOutcome::Warned) {
            // A generated schedule with hard errors exits with 2; that is a result.
            EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 2) << run.exitCode << "\n" << run.out;
            EXPECT_NE(run.out.find("Achtung: "), std::string::npos) << run.out;
            EXPECT_TRUE(fs::exists(out));
        } else {
            EXPECT_EQ(run.exitCode, 1) << run.out;
            EXPECT_FALSE(fs::exists(out));
        }
    }
}
