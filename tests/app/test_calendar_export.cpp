// "Mannschaftsplan als Kalender exportieren..." with scripted dialogs: enabled with a plan, one
// team into a file, every team into a folder, cancel and a failed write; the files read back with
// libical.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

#include "GuiTestUtil.h"
#include "calendar/CalendarRead.h"
#include "model/Plan.h"

using namespace terminor;
using namespace terminor::test;
namespace fs = std::filesystem;

namespace {

std::string Game(const std::string& date, const std::string& home, const std::string& guest) {
    return "<game datetime=\"" + date + "\" hometeamname=\"" + home + "\" guestteamname=\"" + guest + "\"/>";
}

/// Three teams; the existing schedule dates four of the six games, TTC Alpha plays in hall 2.
const std::string PlanFile =
    "<terminor><plan name=\"Testliga\" id=\"T1\" from=\"29.08.2026\" mid=\"04.01.2027\" until=\"30.04.2027\">"
    "<team teamname=\"TTC Alpha\" teamid=\"1\" clubid=\"c1\" location=\"2\">"
    "<homegameday datetime=\"05.09.2026 18:00\"/></team>"
    "<team teamname=\"TTC Beta\" teamid=\"2\" clubid=\"c2\"><homegameday datetime=\"16.01.2027 "
    "18:00\"/></team>"
    "<team teamname=\"SV Gamma\" teamid=\"3\" clubid=\"c3\"><homegameday datetime=\"12.09.2026 "
    "19:30\"/></team>"
    "<existingschedule>" +
    Game("05.09.2026 18:00", "TTC Alpha", "TTC Beta") + Game("16.01.2027 18:00", "TTC Beta", "TTC Alpha") +
    Game("12.09.2026 19:30", "SV Gamma", "TTC Alpha") + Game("19.09.2026 18:00", "TTC Beta", "SV Gamma") +
    "</existingschedule></plan></terminor>";

std::size_t DatedGames(const TPlan& plan, const std::string& team) {
    const TMannschaft* t = plan.Mannschaften.FindByName(team);
    return static_cast<std::size_t>(std::count_if(t->gamesRef.begin(), t->gamesRef.end(),
                                                  [](const TGame* game) { return game->DateValid(); }));
}

} // namespace

TEST(CalendarExport, OneTeamOrEveryTeamFromTheDisplayedSchedule) {
    TTestWindow t;
    TFormTerminorMain& w = *t.window;
    auto* menu = Find<QAction>(w, "MenuCalendar");
    EXPECT_EQ(menu->text(), "Mannschaftsplan als Kalender exportieren...");
    EXPECT_FALSE(menu->isEnabled());

    const std::string file = t.dir.File("testliga.xml");
    std::ofstream(file, std::ios::binary) << PlanFile;
    ASSERT_TRUE(w.LoadPlanFile(file, false));
    EXPECT_TRUE(menu->isEnabled());

    // The running generation has not started: nothing to export, and no question asked.
    auto* selector = Find<QComboBox>(w, "ComboBoxPlanSelector");
    selector->setCurrentIndex(0);
    emit selector->activated(0);
    t.script.CalendarTeam = "TTC Alpha";
    menu->trigger();
    EXPECT_EQ(t.script.Errors,
              std::vector<std::string>{"Der angezeigte Plan enthält keine terminierten Spiele."});
    EXPECT_TRUE(t.script.CalendarTeamsOffered.empty());
    t.script.Errors.clear();

    // The schedule of the plan file is shown.
    selector->setCurrentIndex(1);
    emit selector->activated(1);
    const TPlan* shown = w.GetSelectedPlan();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(DatedGames(*shown, "TTC Alpha"), 3u);

    // Cancelled at the team choice: nothing written; the teams are offered by name.
    t.script.CalendarTeam.reset();
    t.script.CalendarTarget = t.dir.File("alpha.ics");
    menu->trigger();
    EXPECT_EQ(t.script.CalendarTeamsOffered, (std::vector<std::string>{"SV Gamma", "TTC Alpha", "TTC Beta"}));
    EXPECT_FALSE(fs::exists(t.script.CalendarTarget));

    t.script.CalendarTeam = "TTC Alpha";
    menu->trigger();
    const TReadCalendar alpha = ReadCalendar(ReadFileBytes(t.script.CalendarTarget));
    ASSERT_TRUE(alpha.parsed);
    ASSERT_EQ(alpha.events.size(), 3u);
    EXPECT_EQ(alpha.zones, std::vector<std::string>{"Europe/Berlin"});
    EXPECT_EQ(alpha.events[0].summary, "TTC Alpha \u2013 TTC Beta");
    EXPECT_EQ(alpha.events[0].location, "Spiellokal 2");
    EXPECT_EQ(alpha.events[0].startZone, "Europe/Berlin");

    // Every team into a new folder: one file each, counted against the team's dated games.
    t.script.CalendarTeam = "";
    t.script.CalendarTarget = t.dir.File("kalender");
    menu->trigger();
    for (const std::string team : {"SV Gamma", "TTC Alpha", "TTC Beta"}) {
        const TReadCalendar calendar =
            ReadCalendar(ReadFileBytes(t.script.CalendarTarget + "/" + team + ".ics"));
        EXPECT_EQ(calendar.events.size(), DatedGames(*shown, team)) << team;
    }
    ASSERT_EQ(t.script.Messages.size(), 1u);
    EXPECT_EQ(t.script.Messages[0], "3 Kalenderdateien gespeichert in " + t.script.CalendarTarget);
    EXPECT_TRUE(t.script.Errors.empty());

    // A file where the folder should be: a German error, and the window goes on.
    t.script.CalendarTarget = t.script.CalendarTarget + "/TTC Beta.ics";
    menu->trigger();
    ASSERT_EQ(t.script.Errors.size(), 1u);
    EXPECT_NE(t.script.Errors[0].find("kann nicht angelegt werden"), std::string::npos) << t.script.Errors[0];
    EXPECT_TRUE(menu->isEnabled());
}
