// terminor-cli ical: one team into a file or standard output, every team into a folder, read back
// with libical and counted against the teams' dated games; the refusals.

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "calendar/CalendarRead.h"
#include "common/TempDir.h"
#include "data/PlanData.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

const std::string Herren = ExamplesDir() + "bezirksliga-herren-nord.xml";

/// The example with the schedule file's dates, as the command loads it.
std::unique_ptr<TPlan> ScheduledPlan(const std::string& schedule) {
    TPlanData data;
    data.LoadFromClickTTFile(Herren);
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    plan->LoadScheduleFromXml(schedule);
    return plan;
}

std::size_t DatedGames(const TMannschaft& team) {
    return static_cast<std::size_t>(std::count_if(team.gamesRef.begin(), team.gamesRef.end(),
                                                  [](const TGame* game) { return game->DateValid(); }));
}

void ExpectTeamCalendar(const TReadCalendar& calendar, const TMannschaft& team) {
    ASSERT_TRUE(calendar.parsed) << team.teamName;
    EXPECT_EQ(calendar.zones, std::vector<std::string>{"Europe/Berlin"});
    EXPECT_EQ(calendar.events.size(), DatedGames(team)) << team.teamName;
    for (const TReadEvent& event : calendar.events) {
        EXPECT_TRUE(event.summary.starts_with(team.teamName + " \u2013 ") ||
                    event.summary.ends_with(" \u2013 " + team.teamName))
            << event.summary;
        EXPECT_EQ(event.startZone, "Europe/Berlin");
    }
}

} // namespace

TEST(CliIcal, OneTeamOrEveryTeamIntoAFolder) {
    TempDir dir;
    const std::string schedule = dir.File("plan.xml");
    ASSERT_NE(RunCli("generate " + Herren + " --single-worker 2 --steps 300 --seed 4 --quiet -o " + schedule)
                  .exitCode,
              1);
    const auto plan = ScheduledPlan(schedule);

    const std::string folder = dir.File("kalender");
    const CliRun all = RunCliSplit("ical " + Herren + " --schedule " + schedule + " -o " + folder);
    ASSERT_NE(all.exitCode, 1) << all.err;
    std::istringstream lines(all.err);
    std::string line;
    for (const auto& team : plan->Mannschaften) {
        SCOPED_TRACE(team->teamName);
        const std::string file = folder + "/" + team->teamName + ".ics";
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, "Kalender gespeichert: " + file);
        ExpectTeamCalendar(ReadCalendar(ReadFileBytes(file)), *team);
    }

    const TMannschaft& hennen = *plan->Mannschaften.FindByName("SC Hennen");
    const std::string one = dir.File("hennen.ics");
    const CliRun file =
        RunCliSplit("ical " + Herren + " --schedule " + schedule + " --team 'SC Hennen' -o " + one);
    ASSERT_NE(file.exitCode, 1) << file.err;
    EXPECT_EQ(file.err.substr(0, file.err.find('\n')), "Kalender gespeichert: " + one);
    ExpectTeamCalendar(ReadCalendar(ReadFileBytes(one)), hennen);

    const CliRun out = RunCliSplit("ical " + Herren + " --schedule " + schedule + " --team 'SC Hennen' -o -");
    ASSERT_NE(out.exitCode, 1) << out.err;
    ExpectTeamCalendar(ReadCalendar(out.out), hennen);
}

TEST(CliIcal, RefusalsWriteNothing) {
    TempDir dir;
    const std::string schedule = dir.File("plan.xml");
    ASSERT_NE(RunCli("generate " + Herren + " --single-worker 2 --steps 50 --seed 4 --quiet -o " + schedule)
                  .exitCode,
              1);
    const std::string target = dir.File("out");

    const CliRun unknown =
        RunCli("ical " + Herren + " --schedule " + schedule + " --team 'TTC Nirgendwo' -o " + target);
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.out,
              "Die Mannschaft \"TTC Nirgendwo\" gibt es in der Staffel Bezirksliga Herren Nord nicht.\n");

    // The example's existing schedule has no dated game.
    const CliRun undated = RunCli("ical " + Herren + " -o " + target);
    EXPECT_EQ(undated.exitCode, 1);
    EXPECT_EQ(undated.out, "Der Plan enthält keine terminierten Spiele; bitte --schedule angeben\n");

    const CliRun stdoutFolder = RunCli("ical " + Herren + " --schedule " + schedule + " -o -");
    EXPECT_EQ(stdoutFolder.exitCode, 1);
    EXPECT_NE(stdoutFolder.out.find("Ohne --team ist -o der Ordner"), std::string::npos) << stdoutFolder.out;

    EXPECT_FALSE(fs::exists(target));
}
