// The teams' calendars, read back with libical: one event per dated game in Europe/Berlin time,
// summary, hall, UIDs that survive a date change, and the files of all teams.

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/CalendarFiles.h"
#include "calendar/CalendarRead.h"
#include "calendar/TeamCalendar.h"
#include "common/TempDir.h"
#include "data/Error.h"
#include "model/ModelTestUtil.h"

using namespace terminor;
using terminor::test::D;
using terminor::test::LoadPlanFromText;
using terminor::test::ReadCalendar;
using terminor::test::TeamOf;
using terminor::test::TReadCalendar;

namespace {

const std::string Muller = "TSV Müller";
const std::string Lask = "TTC Łask";
const std::string Nord = "SV Nord";

// TSV Müller plays in hall 3, on 05.09.2026 in hall 2; the others' halls are not known.
const std::string Teams = "<team teamname=\"TSV Müller\" teamid=\"111\" clubid=\"C1\" location=\"3\">"
                          "<homegameday datetime=\"05.09.2026 18:00\" location=\"2\"/>"
                          "<homegameday datetime=\"09.01.2027 18:00\"/></team>"
                          "<team teamname=\"TTC Łask\" teamid=\"222\" clubid=\"C2\">"
                          "<homegameday datetime=\"04.01.2027 19:30\"/></team>"
                          "<team teamname=\"SV Nord\" teamid=\"333\" clubid=\"C3\">"
                          "<homegameday datetime=\"19.09.2026 18:00\"/></team>";

std::string PlanText(const std::string& id = "T1") {
    return "<plan name=\"Testliga\" id=\"" + id +
           "\" gender=\"Herren\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">" + Teams +
           "</plan>";
}

void SetDates(TPlan& plan, const std::vector<TScheduleGame>& games) {
    TSchedule schedule;
    schedule.assign(games.begin(), games.end());
    plan.AssignSchedule(schedule);
}

std::string Summary(const std::string& home, const std::string& guest) {
    return home + " \u2013 " + guest;
}

int DatedGames(const TMannschaft& team) {
    return static_cast<int>(std::count_if(team.gamesRef.begin(), team.gamesRef.end(),
                                          [](const TGame* game) { return game->DateValid(); }));
}

TReadCalendar Calendar(const TPlan& plan, const std::string& team, std::time_t stamp = 1'780'000'000) {
    return ReadCalendar(TeamCalendarText(plan, TeamOf(plan, team), stamp));
}

std::map<std::string, std::string> SummaryByUid(const TReadCalendar& calendar) {
    std::map<std::string, std::string> result;
    for (const auto& event : calendar.events) {
        result[event.uid] = event.summary;
    }
    return result;
}

} // namespace

TEST(TeamCalendar, OneEventPerDatedGameInBerlinTime) {
    auto plan = LoadPlanFromText(PlanText());
    // Nord - Müller stays undated; 10.01.2027 is no wish date of Müller, so the team's hall counts.
    SetDates(*plan, {{D(2026, 9, 5, 18, 0), Muller, Lask, ""},
                     {D(2027, 1, 4, 19, 30), Lask, Muller, ""},
                     {D(2027, 1, 10, 18, 0), Muller, Nord, ""},
                     {D(2026, 9, 19, 18, 0), Nord, Lask, ""}});
    const TReadCalendar calendar = Calendar(*plan, Muller);
    ASSERT_TRUE(calendar.parsed);
    EXPECT_EQ(calendar.events.size(), 3u);
    EXPECT_EQ(static_cast<int>(calendar.events.size()), DatedGames(TeamOf(*plan, Muller)));

    // The zone's own rules: CEST (+2 h) in summer, CET (+1 h) in winter.
    EXPECT_EQ(calendar.zones, std::vector<std::string>{"Europe/Berlin"});
    EXPECT_EQ(calendar.summerOffset, 7200);
    EXPECT_EQ(calendar.winterOffset, 3600);

    struct Expected {
        std::string summary;
        std::string location;
        int month, day, hour, minute;
    };
    const std::vector<Expected> expected = {{Summary(Muller, Lask), "Spiellokal 2", 9, 5, 18, 0},
                                            {Summary(Lask, Muller), "", 1, 4, 19, 30},
                                            {Summary(Muller, Nord), "Spiellokal 3", 1, 10, 18, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& event = calendar.events[i];
        SCOPED_TRACE(expected[i].summary);
        EXPECT_EQ(event.summary, expected[i].summary);
        EXPECT_EQ(event.location, expected[i].location);
        EXPECT_EQ(event.startZone, "Europe/Berlin");
        EXPECT_EQ(event.endZone, "Europe/Berlin");
        EXPECT_EQ(event.start.month, expected[i].month);
        EXPECT_EQ(event.start.day, expected[i].day);
        EXPECT_EQ(event.start.hour, expected[i].hour);
        EXPECT_EQ(event.start.minute, expected[i].minute);
        EXPECT_EQ(icaltime_compare(event.end, icaltime_add(event.start, icaldurationtype_from_int(3 * 3600))),
                  0);
    }

    // A team without a dated game gets a valid calendar with the zone and no event.
    SetDates(*plan, {});
    const TReadCalendar empty = Calendar(*plan, Nord);
    ASSERT_TRUE(empty.parsed);
    EXPECT_TRUE(empty.events.empty());
    EXPECT_EQ(empty.zones.size(), 1u);
}

TEST(TeamCalendar, UidsSurviveDateChangesAndAreUniquePerGame) {
    auto plan = LoadPlanFromText(PlanText());
    const std::vector<TScheduleGame> first = {{D(2026, 9, 5, 18, 0), Muller, Lask, ""},
                                              {D(2027, 1, 4, 19, 30), Lask, Muller, ""},
                                              {D(2027, 1, 9, 18, 0), Muller, Nord, ""},
                                              {D(2026, 9, 19, 18, 0), Nord, Muller, ""}};
    SetDates(*plan, first);
    const auto before = SummaryByUid(Calendar(*plan, Muller));
    ASSERT_EQ(before.size(), 4u); // unique within the file

    // The same games on other dates (another order, too) keep their UIDs; a later export is a
    // newer revision of each event.
    SetDates(*plan, {{D(2026, 10, 3, 20, 0), Muller, Lask, ""},
                     {D(2027, 2, 6, 18, 0), Lask, Muller, ""},
                     {D(2026, 9, 12, 18, 0), Muller, Nord, ""},
                     {D(2027, 3, 6, 18, 0), Nord, Muller, ""}});
    const TReadCalendar later = Calendar(*plan, Muller, 1'780'003'600);
    EXPECT_EQ(SummaryByUid(later), before);
    EXPECT_GT(later.events[0].sequence, Calendar(*plan, Muller).events[0].sequence);

    // A game has the same UID in the guest team's calendar.
    for (const auto& [uid, summary] : SummaryByUid(Calendar(*plan, Lask))) {
        if (summary.find(Muller) != std::string::npos) {
            EXPECT_EQ(before.at(uid), summary);
        }
    }

    // Another division's games are other events.
    auto other = LoadPlanFromText(PlanText("T2"));
    SetDates(*other, first);
    for (const auto& [uid, summary] : SummaryByUid(Calendar(*other, Muller))) {
        EXPECT_FALSE(before.contains(uid)) << summary;
    }
}

TEST(TeamCalendar, DoubleRoundMeetingsAreNumberedByDate) {
    TCalculateOptions options;
    options.DoubleRound = true;
    auto plan = LoadPlanFromText(PlanText(), &options);
    SetDates(*plan, {{D(2026, 9, 5, 18, 0), Muller, Lask, ""}, {D(2027, 1, 9, 18, 0), Muller, Lask, ""}});
    const TReadCalendar before = Calendar(*plan, Muller);
    ASSERT_EQ(before.events.size(), 2u);
    ASSERT_NE(before.events[0].uid, before.events[1].uid);

    // The first meeting moves, still before the second: both keep their UIDs.
    SetDates(*plan, {{D(2027, 1, 9, 18, 0), Muller, Lask, ""}, {D(2026, 10, 3, 18, 0), Muller, Lask, ""}});
    const TReadCalendar after = Calendar(*plan, Muller);
    ASSERT_EQ(after.events.size(), 2u);
    EXPECT_EQ(after.events[0].uid, before.events[0].uid);
    EXPECT_EQ(after.events[0].start.month, 10);
    EXPECT_EQ(after.events[1].uid, before.events[1].uid);
}

TEST(TeamCalendar, FilesOfAllTeams) {
    test::TempDir dir;
    const std::string teams = "<team teamname=\"TTC A/B\" teamid=\"1\" clubid=\"C1\"/>"
                              "<team teamname=\"TTC A:B\" teamid=\"2\" clubid=\"C2\"/>"
                              "<team teamname=\"SV Nord\" teamid=\"3\" clubid=\"C3\"/>";
    auto plan = LoadPlanFromText("<plan name=\"Testliga\" id=\"T1\" from=\"29.08.2026\" mid=\"04.01.2027\" "
                                 "until=\"30.04.2027\">" +
                                 teams + "</plan>");
    SetDates(*plan, {{D(2026, 9, 5, 18, 0), "TTC A/B", "TTC A:B", ""},
                     {D(2026, 9, 6, 10, 0), "SV Nord", "TTC A/B", ""}});
    // Team order is by name: SV Nord, TTC A/B, TTC A:B.
    EXPECT_EQ(TeamCalendarFileNames(*plan),
              (std::vector<std::string>{"SV Nord.ics", "TTC A-B.ics", "TTC A-B (2).ics"}));

    const std::string folder = dir.File("kalender/neu");
    const std::vector<std::string> paths = WriteTeamCalendars(*plan, folder, 1'780'000'000);
    ASSERT_EQ(paths.size(), 3u);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const TReadCalendar calendar = ReadCalendar(test::ReadFileBytes(paths[i]));
        ASSERT_TRUE(calendar.parsed) << paths[i];
        EXPECT_EQ(static_cast<int>(calendar.events.size()), DatedGames(*plan->Mannschaften[i])) << paths[i];
    }

    // A file where the folder should be: refused with a German message, nothing written.
    const std::string blocked = dir.File("datei");
    std::filesystem::copy_file(paths[0], blocked);
    EXPECT_THROW(WriteTeamCalendars(*plan, blocked, 0), EFileError);

    try {
        FindCalendarTeam(*plan, "TTC C");
        ADD_FAILURE() << "unknown team found";
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(), "Die Mannschaft \"TTC C\" gibt es in der Staffel Testliga nicht.");
    }
}
