// Saves killed half-way: a child process saves large files in a loop and is killed with SIGKILL
// at random moments; every kind of file the program writes must afterwards hold one complete
// version, the one before or the one being written, and read back without error.

#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/TempDir.h"
#include "data/PlanData.h"
#include "model/CalculateOptions.h"
#include "model/ModelTestUtil.h"

using namespace terminor;
using namespace terminor::test;

namespace {

constexpr int Teams = 31;
constexpr int DatesPerTeam = 240;
constexpr int Kills = 25;

std::string TeamName(int t) {
    return "TTC Mannschaft " + std::to_string(t + 1);
}

/// A division at the model's size limit; `variant` changes every team's hall and id.
void BuildPlanData(TPlanData& data, int variant) {
    std::string text = "<terminor><plan name=\"Absturzliga\" from=\"01.08.2026\" mid=\"01.01.2027\" "
                       "until=\"30.06.2027\">";
    for (int t = 0; t < Teams; ++t) {
        text += "<team teamname=\"" + TeamName(t) + "\" teamid=\"" + std::to_string(variant * 100 + t) +
                "\" clubid=\"" + std::to_string(t) + "\" location=\"" + std::to_string(1 + variant % 5) +
                "\">";
        for (int d = 0; d < DatesPerTeam; ++d) {
            const TDateTime day = D(2026, 8, 1) + d + t % 3;
            text += "<homegameday datetime=\"" + DateTimeToStorage(day + EncodeTime(18 + variant % 2, 0)) +
                    "\" parallelgames=\"" + std::to_string(variant) + "\"/>";
        }
        text += "</team>";
    }
    text += "</plan></terminor>";
    data.LoadFromXMLText(text, "crash.xml");
}

/// The plan of the division with a schedule: every pairing dated, `variant` shifts the dates.
std::unique_ptr<TPlan> BuildScheduledPlan(int variant) {
    TPlanData data;
    BuildPlanData(data, 0);
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    TPlanData schedule;
    TDataObject& games = schedule.root().addChild("schedule");
    int k = variant;
    for (int h = 0; h < Teams; ++h) {
        for (int g = 0; g < Teams; ++g) {
            if (h != g) {
                TDataObject& game = games.addChild("game");
                game.SetAsDateTime("datetime",
                                   D(2026, 8, 1) + (k++ % DatesPerTeam) + h % 3 + EncodeTime(18, 0));
                game.SetAsString("hometeamname", TeamName(h));
                game.SetAsString("guestteamname", TeamName(g));
            }
        }
    }
    plan->LoadScheduleFromPlanData(schedule);
    return plan;
}

/// Saves `first` once, then kills a child that alternates saving `second` and `first` many
/// times at random moments; after each kill the file must be one of the two versions and `read`
/// must accept it.
void KillDuringSaves(const std::string& file, const std::function<void()>& first,
                     const std::function<void()>& second,
                     const std::function<void(const std::string&)>& read) {
    first();
    const std::string firstBytes = ReadFileBytes(file);
    second();
    const std::string secondBytes = ReadFileBytes(file);
    ASSERT_NE(firstBytes, secondBytes);
    ASSERT_GT(firstBytes.size(), 20000u);
    first();

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayUs(0, 60000);
    for (int i = 0; i < Kills; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                second();
                first();
            }
        }
        ::usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended on its own";
        const std::string bytes = ReadFileBytes(file);
        ASSERT_TRUE(bytes == firstBytes || bytes == secondBytes)
            << "kill " << i << ": the file holds neither version (" << bytes.size() << " bytes)";
        read(file);
    }
}

} // namespace

TEST(CrashSave, PlanFileAndModificationsSurviveAKill) {
    TempDir dir;
    TPlanData a;
    TPlanData b;
    BuildPlanData(a, 1);
    BuildPlanData(b, 2);
    const std::string planFile = dir.File("staffel.xml");
    const auto readPlan = [](const std::string& file) {
        TPlanData data;
        data.LoadFromXML(file);
        TPlan plan;
        plan.Load(data);
        EXPECT_EQ(plan.Mannschaften.size(), static_cast<std::size_t>(Teams));
    };
    KillDuringSaves(
        planFile, [&] { a.SaveToXML(planFile); }, [&] { b.SaveToXML(planFile); }, readPlan);

    TPlanData base;
    BuildPlanData(base, 0);
    TPlanData diffA;
    TPlanData diffB;
    diffA.Diff(a, base);
    diffB.Diff(b, base);
    const std::string modifications = dir.File("staffel.modifications");
    KillDuringSaves(
        modifications, [&] { diffA.SaveToXML(modifications); }, [&] { diffB.SaveToXML(modifications); },
        [&base](const std::string& file) {
            TPlanData diff;
            diff.LoadFromXML(file);
            TPlanData merged;
            merged.assign(base);
            merged.Merge(diff);
            EXPECT_EQ(merged.root().NamedChilds("team").size(), static_cast<std::size_t>(Teams));
        });
    EXPECT_TRUE(std::filesystem::exists(planFile));
}

TEST(CrashSave, OptionsSurviveAKill) {
    TempDir dir;
    TCalculateOptions a;
    TCalculateOptions b;
    for (int t = 0; t < 3000; ++t) {
        a.GewichtungMannschaften.addDetail("team-" + std::to_string(t), mktSperrTermine, coHoch);
        b.GewichtungMannschaften.addDetail("team-" + std::to_string(t), mktRanking, coWenig);
    }
    b.RoundPlaning = rpSecondOnly;
    const std::string file = dir.File("Terminor.options");
    KillDuringSaves(
        file, [&] { a.Save(file); }, [&] { b.Save(file); },
        [&](const std::string& path) {
            TCalculateOptions read;
            read.Load(path);
            EXPECT_TRUE(read == a || read == b) << "the options read back are neither version";
        });
}

TEST(CrashSave, RememberedScheduleAndCsvSurviveAKill) {
    TempDir dir;
    const auto a = BuildScheduledPlan(0);
    const auto b = BuildScheduledPlan(7);
    const std::string remembered = dir.File("Plan 1.xml");
    KillDuringSaves(
        remembered, [&] { a->SaveScheduleToXml(remembered); }, [&] { b->SaveScheduleToXml(remembered); },
        [](const std::string& file) {
            auto plan = BuildScheduledPlan(3);
            const TScheduleLoadResult result = plan->LoadScheduleFromXml(file);
            EXPECT_EQ(result.gamesInFile, Teams * (Teams - 1));
            EXPECT_EQ(result.gamesWithoutTeam, 0);
        });

    const std::string csv = dir.File("export.csv");
    KillDuringSaves(
        csv, [&] { a->SaveScheduleToCsv(csv); }, [&] { b->SaveScheduleToCsv(csv); },
        [](const std::string& file) {
            const std::string bytes = ReadFileBytes(file);
            ASSERT_GE(bytes.size(), 2u);
            EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
            EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), Teams * (Teams - 1) + 1);
        });
}
