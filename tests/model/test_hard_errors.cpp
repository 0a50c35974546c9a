// The hard-error report before an export, and the plan queries NoGames and getMaxGamePerMannschaft.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/ModelTestUtil.h"
#include "model/Plan.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::LoadPlanFromText;

namespace {

using Lines = std::vector<std::string>;

struct TeamText {
    std::string name;
    std::string clubId;
    std::string extra; // further child elements (blocked days, 60 km opponents)
};

// Three teams with home dates in both halves (second half from 04.01.2027).
std::string PlanText(const TeamText& alpha, const TeamText& beta, const TeamText& gamma) {
    const auto team = [](const TeamText& t, const std::string& id, const std::string& dates) {
        std::string xml = "<team teamname=\"" + t.name + "\" teamid=\"" + id + "\" clubid=\"" + t.clubId +
                          "\" teamnumber=\"1\" homerights=\"-1\">";
        std::size_t start = 0;
        while (start < dates.size()) {
            const std::size_t end = dates.find(',', start);
            xml += "<homegameday datetime=\"" + dates.substr(start, end - start) + "\"/>";
            start = end == std::string::npos ? dates.size() : end + 1;
        }
        return xml + t.extra + "</team>";
    };
    return "<plan name=\"Testliga\" id=\"T1\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" "
           "until=\"30.04.2027\">" +
           team(alpha, "1", "05.09.2026 18:00,31.10.2026 18:00,16.01.2027 18:00") +
           team(beta, "2", "19.09.2026 18:00,09.01.2027 18:00") +
           team(gamma, "3", "07.09.2026 19:30,26.09.2026 18:00,23.01.2027 18:00,26.01.2027 19:30") +
           "</plan>";
}

std::string PlanText(const std::string& alphaExtra = "", const std::string& betaExtra = "") {
    return PlanText({"Alpha", "c1", alphaExtra}, {"Beta", "c2", betaExtra}, {"Gamma", "c3", ""});
}

struct Dated {
    std::string heim;
    std::string gast;
    TDateTime date;
};

// Every pairing once, first and return game in different halves, no team twice within two days.
std::vector<Dated> CleanSchedule() {
    return {{"Alpha", "Beta", D(2026, 9, 5, 18, 0)},   {"Gamma", "Alpha", D(2026, 9, 26, 18, 0)},
            {"Beta", "Gamma", D(2026, 9, 19, 18, 0)},  {"Beta", "Alpha", D(2027, 1, 9, 18, 0)},
            {"Alpha", "Gamma", D(2027, 1, 16, 18, 0)}, {"Gamma", "Beta", D(2027, 1, 23, 18, 0)}};
}

void SetDates(TPlan& plan, const std::vector<Dated>& games) {
    TSchedule schedule;
    for (const Dated& g : games) {
        schedule.push_back(TScheduleGame{g.date, g.heim, g.gast, ""});
    }
    plan.AssignSchedule(schedule);
}

void Replace(std::vector<Dated>& games, const std::string& heim, const std::string& gast, TDateTime date) {
    for (Dated& g : games) {
        if (g.heim == heim && g.gast == gast) {
            g.date = date;
        }
    }
}

Lines Report(const TPlan& plan) {
    Lines messages;
    plan.getHardErrorMessages(messages);
    return messages;
}

} // namespace

TEST(HardErrors, CleanPlanReportsNothing) {
    auto plan = LoadPlanFromText(PlanText());
    EXPECT_TRUE(plan->NoGames());
    EXPECT_EQ(plan->getMaxGamePerMannschaft(), 4);

    SetDates(*plan, CleanSchedule());
    EXPECT_FALSE(plan->NoGames());
    Lines messages = {"kept"};
    plan->getHardErrorMessages(messages);
    EXPECT_EQ(messages, Lines{"kept"}); // appends, and here nothing

    auto empty = LoadPlanFromText("<plan/>");
    EXPECT_EQ(empty->getMaxGamePerMannschaft(), 0);
    EXPECT_TRUE(empty->NoGames());
    EXPECT_TRUE(Report(*empty).empty());
}

TEST(HardErrors, UnscheduledGames) {
    auto plan = LoadPlanFromText(PlanText());
    std::vector<Dated> games = CleanSchedule();
    games.resize(3); // Beta - Alpha, Alpha - Gamma and Gamma - Beta stay without date
    SetDates(*plan, games);
    // Undated games in game-list order (home team, then guest team, both by name).
    EXPECT_EQ(Report(*plan), (Lines{"3 Spiele wurden nicht terminiert", "    Alpha - Gamma",
                                    "    Beta - Alpha", "    Gamma - Beta", ""}));

    // Generating the first half only, the return games are not needed: no error.
    TCalculateOptions options = plan->getOptions();
    options.RoundPlaning = rpFirstOnly;
    plan->AssignOptions(options);
    SetDates(*plan, games);
    EXPECT_TRUE(Report(*plan).empty());
}

TEST(HardErrors, NotAllowedGamesAndSisterGames) {
    // Alpha and Gamma are of one club: Alpha meets Beta before Gamma in the first half.
    auto plan = LoadPlanFromText(PlanText({"Alpha", "c1", ""}, {"Beta", "c2", ""}, {"Gamma", "c1", ""}));
    std::vector<Dated> games = CleanSchedule();
    // A second game Alpha - Beta has no place in the plan's games.
    games.push_back({"Alpha", "Beta", D(2026, 10, 31, 18, 0)});
    SetDates(*plan, games);
    ASSERT_EQ(plan->gamesNotAllowed.size(), 1u);
    EXPECT_EQ(Report(*plan),
              (Lines{"1 Spiele sind an nicht erlaubten Tagen", "    Sa 31.10.2026 18:00: Alpha - Beta", "",
                     "Vereinsinterne Spiele sind nicht am Anfang der Runde", ""}));
    Lines messages;
    const THardErrorCounts counts = plan->getHardErrorMessages(messages);
    EXPECT_EQ(counts.notAllowed, 1);
    EXPECT_EQ(counts.Others(), counts.notAllowed + counts.sisterGamesNotFirst);
    EXPECT_GT(counts.sisterGamesNotFirst, 0);
}

TEST(HardErrors, BlockedDates) {
    auto plan =
        LoadPlanFromText(PlanText("<nogameday date=\"09.01.2027\"/>",
                                  "<nogameday date=\"05.09.2026\"/><nogameday date=\"23.01.2027\"/>"));
    SetDates(*plan, CleanSchedule());
    EXPECT_EQ(Report(*plan), (Lines{"3 Sperrtermine wurden verletzt", "    Alpha", "        Sa 09.01.2027",
                                    "    Beta", "        Sa 05.09.2026", "        Sa 23.01.2027", ""}));
}

TEST(HardErrors, SixtyKilometreRule) {
    // Beta must not play at Gamma on a weekday; Gamma - Beta moves to Tuesday 26.01.2027.
    auto plan = LoadPlanFromText(PlanText("", "<noweekgames teamname=\"Gamma\"/>"));
    std::vector<Dated> games = CleanSchedule();
    Replace(games, "Gamma", "Beta", D(2027, 1, 26, 19, 30));
    SetDates(*plan, games);
    EXPECT_EQ(Report(*plan),
              (Lines{"1 mal wurde die 60km Regel verletzt", "    Di 26.01.2027 19:30: Gamma - Beta", ""}));
}

TEST(HardErrors, CloseGamesAndBlockOrder) {
    // Alpha plays on Saturday 05.09. and on Monday 07.09.2026.
    auto plan = LoadPlanFromText(PlanText());
    std::vector<Dated> games = CleanSchedule();
    Replace(games, "Gamma", "Alpha", D(2026, 9, 7, 19, 30));
    SetDates(*plan, games);
    EXPECT_EQ(Report(*plan), (Lines{"1 Spiele mit weniger als 2 Tagen Abstand", "    Alpha",
                                    "        Sa 05.09.2026 - Mo 07.09.2026", ""}));

    // With one game undated as well, the unscheduled block comes first.
    games.pop_back();
    SetDates(*plan, games);
    EXPECT_EQ(Report(*plan), (Lines{"1 Spiele wurden nicht terminiert", "    Gamma - Beta", "",
                                    "1 Spiele mit weniger als 2 Tagen Abstand", "    Alpha",
                                    "        Sa 05.09.2026 - Mo 07.09.2026", ""}));
    Lines messages;
    const THardErrorCounts counts = plan->getHardErrorMessages(messages);
    EXPECT_EQ(counts.unscheduled, 1);
    EXPECT_EQ(counts.closeGames, 1);
    EXPECT_EQ(counts.Others(), 1);
}
