// terminor-cli as a process: exit codes, messages and the convert command.

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "data/PlanData.h"

using namespace terminor;
namespace fs = std::filesystem;

using namespace terminor::test;

namespace {
const std::string Examples = ExamplesDir();
} // namespace

TEST(Cli, VersionAndArgumentErrors) {
    const CliRun v = RunCli("--version");
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_EQ(v.out.rfind("terminor-cli ", 0), 0u) << v.out;
    EXPECT_EQ(RunCli("convert").exitCode, 1);
    EXPECT_EQ(RunCli("frobnicate").exitCode, 1);
}

TEST(Cli, ConvertExportLoadsBackIntoEqualTree) {
    const std::string out = (fs::temp_directory_path() / "terminor-cli-test.xml").string();
    const CliRun r = RunCli("convert " + Examples + "bezirksliga-herren-nord.xml -o " + out);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    TPlanData imported;
    imported.LoadFromClickTTFile(Examples + "bezirksliga-herren-nord.xml");
    TPlanData converted;
    converted.LoadFromXML(out);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&imported.root(), &converted.root()));
    EXPECT_GT(converted.root().NamedChilds("team").size(), 9u);

    // The hand-edited plan file converts into an equal tree as well.
    const CliRun plan = RunCli("convert " + Examples + "bezirksliga-herren-nord.terminor.xml -o " + out);
    ASSERT_EQ(plan.exitCode, 0) << plan.out;
    TPlanData original;
    original.LoadFromXML(Examples + "bezirksliga-herren-nord.terminor.xml");
    converted.LoadFromXML(out);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&original.root(), &converted.root()));
    EXPECT_NE(converted.root().FindChild("ranking"), nullptr);
    fs::remove(out);

    const CliRun s = RunCli("convert " + Examples + "bezirksliga-herren-nord.xml -o -");
    EXPECT_EQ(s.exitCode, 0);
    EXPECT_EQ(s.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?><terminor><plan", 0), 0u);
}

TEST(Cli, ConvertErrorsAreGermanAndExitOne) {
    const CliRun missing = RunCli("convert /nonexistent.xml -o -");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("kann nicht gelesen werden"), std::string::npos) << missing.out;

    const std::string bad = (fs::temp_directory_path() / "terminor-cli-bad.xml").string();
    std::ofstream(bad) << "<terminor>\n<plan>\n<bogus/>\n</plan>\n</terminor>\n";
    const CliRun r = RunCli("convert " + bad + " -o -");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("Kein Key für den Typ: bogus definiert"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Zeile 3"), std::string::npos) << r.out;
    fs::remove(bad);

    // An imported export is never overwritten.
    const std::string copy = (fs::temp_directory_path() / "terminor-cli-export.xml").string();
    fs::copy_file(Examples + "bezirksliga-herren-nord.xml", copy, fs::copy_options::overwrite_existing);
    const CliRun same = RunCli("convert " + copy + " -o " + copy);
    EXPECT_EQ(same.exitCode, 1);
    std::ifstream in(copy);
    std::string head(5, ' ');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "<?xml");
    fs::remove(copy);
}
