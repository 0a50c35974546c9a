// Tests of the click-TT import: the mapping of the export onto the plan data document, the
// coupling and double-date rules, sister teams, league-wide days and the error locations.

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/DataObject.h"
#include "data/Error.h"
#include "data/PlanData.h"

using namespace terminor;

namespace {

std::string
Export(const std::string& teams, const std::string& rest = "",
       const std::string& ttAttributes = R"(from="29.08.2026" mid="04.01.2027" until="30.04.2027")") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TT gender=\"Herren\" name=\"Testliga\" id=\"42\" " +
           ttAttributes + ">\n<teams>\n" + teams + "</teams>\n" + rest + "</TT>\n";
}

std::string Team(const std::string& name, const std::string& gameDays, const std::string& attributes = "",
                 const std::string& sisterTeams = "") {
    return "<team " + attributes + "><name>" + name + "</name>\n<gameDays>\n" + gameDays + "</gameDays>\n" +
           sisterTeams + "</team>\n";
}

std::unique_ptr<TPlanData> Import(const std::string& text) {
    auto plan = std::make_unique<TPlanData>();
    plan->LoadFromClickTTText(text, "test.xml");
    return plan;
}

const TDataObject& TeamAt(const TPlanData& plan, std::size_t index) {
    return *plan.root().NamedChilds("team").at(index);
}

const TDataObject* HomeDay(const TDataObject& team, const std::string& dateTime) {
    for (const TDataObject* homeDay : team.NamedChilds("homegameday")) {
        if (homeDay->GetAsString("datetime") == dateTime) {
            return homeDay;
        }
    }
    return nullptr;
}

std::vector<std::string> Values(const IDataObjectList& list, const char* attribute) {
    std::vector<std::string> result;
    for (const TDataObject* node : list) {
        result.push_back(node->GetAsString(attribute));
    }
    return result;
}

/// The message of the EConvertError the import of `text` raises, or "" when it raises none.
std::string ConvertErrorOf(const std::string& text) {
    try {
        Import(text);
    } catch (const EConvertError& e) {
        return e.what();
    }
    return "";
}

std::string Example(const char* name) {
    return std::string(TERMINOR_SOURCE_DIR) + "/examples/" + name;
}

} // namespace

TEST(ClickTTImport, PlanAndTeamAttributes) {
    const auto plan = Import(Export(Team("  TTC Blau-Weiß Altena \n", "", R"(clubId=" 105012 " id="4711")") +
                                        Team("TV Hüsten II", "", R"(number="2")"),
                                    "", R"(from=" 29.08.2026 " mid="04.01.2027" until="30.04.2027")"));
    const TDataObject& root = plan->root();
    EXPECT_EQ(root.GetAsString("gender"), "Herren");
    EXPECT_EQ(root.GetAsString("name"), "Testliga");
    EXPECT_EQ(root.GetAsString("id"), "42");
    EXPECT_EQ(root.GetAsString("from"), "29.08.2026");
    EXPECT_EQ(root.GetAsString("mid"), "04.01.2027");
    EXPECT_EQ(root.GetAsString("until"), "30.04.2027");

    ASSERT_EQ(root.NamedChilds("team").size(), 2u);
    const TDataObject& first = TeamAt(*plan, 0);
    EXPECT_EQ(first.GetAsString("teamname"), "TTC Blau-Weiß Altena");
    EXPECT_EQ(first.GetAsString("clubid"), "105012");
    EXPECT_EQ(first.GetAsString("teamid"), "4711");
    EXPECT_TRUE(first.HasAttribute("location"));
    EXPECT_EQ(first.GetAsString("location"), "");
    EXPECT_EQ(first.GetAsInt("homerights"), -1);
    EXPECT_EQ(first.GetAsInt("teamnumber"), 1);
    EXPECT_EQ(TeamAt(*plan, 1).GetAsInt("teamnumber"), 2);
    EXPECT_EQ(root.FindChild("predefinedgames"), nullptr);
    EXPECT_EQ(root.FindChild("existingschedule"), nullptr);
}

TEST(ClickTTImport, HomeGamesAndCouplings) {
    const auto plan = Import(Export(Team("A", R"(
        <homeGame day="02.10.2026" time="19:30" coupleGame="soft" maxParallelGames=" 2 "/>
        <homeGame day="02.10.2026" time="19:30" secondary="true"/>
        <homeGame day="03.10.2026" time="16:59" coupleGame="hard" secondary="true"/>
        <homeGame day="04.10.2026" time="14:00" coupleGame="x" secondary="TRUE"/>
        <homeGame day="06.10.2026" time="17:00" coupleGame="Soft"/>
        <homeGame day="07.10.2026" time="20:00"/>
        <homeGame day="08.10.2026" time="8:30"/>
        <homeGame day="09.10.2026" time=""/>
        <homeGame time="20:00"/>
    )")));
    const TDataObject& team = TeamAt(*plan, 0);
    EXPECT_EQ(team.NamedChilds("homegameday").size(), 6u);

    const TDataObject* friday = HomeDay(team, "02.10.2026 19:30");
    ASSERT_NE(friday, nullptr);
    EXPECT_TRUE(friday->GetAsBool("couplegameday"));
    EXPECT_EQ(friday->GetAsInt("coupleprio"), 1);
    EXPECT_EQ(friday->GetAsString("couplesecondtime"), "15:30");
    EXPECT_EQ(friday->GetAsInt("parallelgames"), 2);
    EXPECT_FALSE(friday->GetAsBool("ausweichtermin")) << "the repeated date must not overwrite the first";
    EXPECT_FALSE(friday->GetAsBool("doublegameday"));
    EXPECT_FALSE(friday->GetAsBool("coupleauswaertssecondtime"));

    const TDataObject* saturday = HomeDay(team, "03.10.2026 16:59");
    ASSERT_NE(saturday, nullptr);
    EXPECT_EQ(saturday->GetAsInt("coupleprio"), 2);
    EXPECT_EQ(saturday->GetAsString("couplesecondtime"), "20:59");
    EXPECT_TRUE(saturday->GetAsBool("ausweichtermin"));

    const TDataObject* sunday = HomeDay(team, "04.10.2026 14:00");
    ASSERT_NE(sunday, nullptr);
    EXPECT_EQ(sunday->GetAsInt("coupleprio"), 2);
    EXPECT_EQ(sunday->GetAsString("couplesecondtime"), "18:00");
    EXPECT_FALSE(sunday->GetAsBool("ausweichtermin"));

    const TDataObject* tuesday = HomeDay(team, "06.10.2026 17:00");
    ASSERT_NE(tuesday, nullptr);
    EXPECT_EQ(tuesday->GetAsInt("coupleprio"), 2) << "only exactly \"soft\" is a soft coupling";
    EXPECT_EQ(tuesday->GetAsString("couplesecondtime"), "13:00");

    const TDataObject* plain = HomeDay(team, "07.10.2026 20:00");
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->GetAsBool("couplegameday"));
    EXPECT_FALSE(plain->HasAttribute("coupleprio"));
    EXPECT_FALSE(plain->HasAttribute("couplesecondtime"));
    EXPECT_EQ(plain->GetAsString("parallelgames"), "0");
    EXPECT_EQ(plain->GetAsString("location"), "");

    EXPECT_NE(HomeDay(team, "08.10.2026 00:00"), nullptr) << "a malformed time reads as midnight";
}

TEST(ClickTTImport, DoubleDatePairing) {
    const std::string weekend = R"(
        <homeGame day="02.10.2026" time="20:00"/>
        <homeGame day="03.10.2026" time="18:30"/>
        <homeGame day="04.10.2026" time="10:00"/>
        <homeGame day="10.10.2026" time="18:30" coupleGame="soft"/>
        <homeGame day="11.10.2026" time="10:00"/>
        <homeGame day="18.10.2026" time="10:00"/>
        <homeGame day="17.10.2026" time="18:30"/>
        <homeGame day="24.10.2026" time="18:30"/>
        <homeGame day="25.10.2026" time="10:00"/>
        <homeGame day="25.10.2026" time="15:00"/>
        <homeGame day="31.10.2026" time="18:30"/>
        <homeGame day="01.11.2026" time="10:00" coupleGame="hard"/>
    )";
    const auto plan = Import(Export(Team("Off", weekend) + Team("True", weekend, R"(noDoubleDays="true")") +
                                    Team("On", weekend, R"(noDoubleDays="false")")));
    for (std::size_t index : {0u, 1u}) {
        for (const TDataObject* homeDay : TeamAt(*plan, index).NamedChilds("homegameday")) {
            EXPECT_FALSE(homeDay->GetAsBool("doublegameday")) << homeDay->GetAsString("datetime");
        }
    }

    const TDataObject& team = TeamAt(*plan, 2);
    const auto isDouble = [&team](const char* dateTime) {
        const TDataObject* homeDay = HomeDay(team, dateTime);
        return homeDay != nullptr && homeDay->GetAsBool("doublegameday") &&
               homeDay->GetAsInt("coupleprio") == 1;
    };
    // Friday, Saturday, Sunday in that order: Friday pairs with Saturday, Sunday stays single.
    EXPECT_TRUE(isDouble("02.10.2026 20:00"));
    EXPECT_TRUE(isDouble("03.10.2026 18:30"));
    EXPECT_FALSE(HomeDay(team, "04.10.2026 10:00")->GetAsBool("doublegameday"));
    // A coupling day takes no part in pairing.
    EXPECT_FALSE(HomeDay(team, "10.10.2026 18:30")->GetAsBool("doublegameday"));
    EXPECT_EQ(HomeDay(team, "10.10.2026 18:30")->GetAsInt("coupleprio"), 1);
    EXPECT_FALSE(HomeDay(team, "11.10.2026 10:00")->GetAsBool("doublegameday"));
    EXPECT_FALSE(HomeDay(team, "31.10.2026 18:30")->GetAsBool("doublegameday"));
    EXPECT_EQ(HomeDay(team, "01.11.2026 10:00")->GetAsInt("coupleprio"), 2);
    // Child order does not have to follow the calendar.
    EXPECT_TRUE(isDouble("18.10.2026 10:00"));
    EXPECT_TRUE(isDouble("17.10.2026 18:30"));
    // One Saturday pairs with both home dates of the Sunday.
    EXPECT_TRUE(isDouble("24.10.2026 18:30"));
    EXPECT_TRUE(isDouble("25.10.2026 10:00"));
    EXPECT_TRUE(isDouble("25.10.2026 15:00"));
}

TEST(ClickTTImport, BlockedDaysRoadCouplesAndFarOpponents) {
    const auto plan = Import(Export(Team("A", R"(
        <noGame from="02.10.2026" until="02.10.2026"/>
        <noGame from="01.10.2026" until="03.10.2026"/>
        <noGame from="10.10.2026"/>
        <noGame from="20.10.2026" until="19.10.2026"/>
        <roadCouple teamA="B" teamB="C" onSameDay="true"/>
        <roadCouple teamA="B" teamB="C"/>
        <roadCouple teamA="D" teamB="E" onSameDay="True"/>
        <noWeekGame team="TV Hüsten II"/>
        <noWeekGame team="tv HÜSTEN ii"/>
        <noWeekGame team="SV Müschede"/>
        <noWeekGame team="SV MUESCHEDE"/>
    )")));
    const TDataObject& team = TeamAt(*plan, 0);
    EXPECT_EQ(Values(team.NamedChilds("nogameday"), "date"),
              (std::vector<std::string>{"02.10.2026", "01.10.2026", "03.10.2026"}));

    const IDataObjectList roadCouples = team.NamedChilds("roadcouple");
    ASSERT_EQ(roadCouples.size(), 3u);
    EXPECT_EQ(roadCouples[0]->GetAsString("teamnamea"), "B");
    EXPECT_EQ(roadCouples[0]->GetAsString("teamnameb"), "C");
    EXPECT_EQ(roadCouples[0]->GetAsInt("sameday"), 0);
    EXPECT_EQ(roadCouples[1]->GetAsInt("sameday"), 1);
    EXPECT_EQ(roadCouples[2]->GetAsInt("sameday"), 1);

    EXPECT_EQ(Values(team.NamedChilds("noweekgames"), "teamname"),
              (std::vector<std::string>{"TV Hüsten II", "SV Müschede", "SV MUESCHEDE"}));
}

TEST(ClickTTImport, SisterTeams) {
    const std::string sisters = R"(<sisterTeams>
        <team gender="Herren" number="1"><name> TTV Neheim </name>
            <game day="03.10.2026" time="18:30" homeTeam="TTV Neheim" guestTeam="SV Bachum"/>
            <game day="03.10.2026" time="18:30" homeTeam="TTV Neheim" guestTeam="TTC Holzen"/>
            <game day="10.10.2026" time="18:30" homeTeam="TTV Neheim" guestTeam="spielfrei"/>
            <game day="17.10.2026" time="14:00" homeTeam="spielfrei" guestTeam="TTV Neheim"/>
            <game day="24.10.2026" time="x" homeTeam="TV Herdringen" guestTeam="TTV Neheim"/>
        </team>
        <team gender="Herren" number="3"><name>TTV Neheim III</name></team>
        <team gender="Herren" number="4"><name>TTV Neheim IV</name></team>
        <team gender="Damen" number="1"><name>TTV Neheim</name></team>
        <team><game day="01.11.2026" time="10:00" homeTeam="X" guestTeam="Y"/></team>
        <team gender="Herren" number="1"><name>TTV Neheim</name>
            <game day="31.10.2026" time="18:30" homeTeam="TTV Neheim" guestTeam="SV Bachum"/>
        </team>
    </sisterTeams>)";
    const auto plan =
        Import(Export(Team("TTV Neheim II", "", R"(number="2")", sisters) +
                      Team("TTV Neheim", "", R"(number="1")",
                           R"(<sisterTeams><team gender="Herren" number="3"><name>TTV Neheim III</name>
                                            </team></sisterTeams>)")));
    const IDataObjectList list = TeamAt(*plan, 0).NamedChilds("sisterteam");
    ASSERT_EQ(list.size(), 5u) << "a repeated sister team is merged into the first";
    EXPECT_EQ(Values(list, "teamname"),
              (std::vector<std::string>{"TTV Neheim", "TTV Neheim III", "TTV Neheim IV", "TTV Neheim", ""}));
    EXPECT_EQ(Values(list, "noparallelgames"),
              (std::vector<std::string>{"true", "true", "false", "false", "false"}));
    EXPECT_EQ(list[0]->GetAsInt("teamnumber"), 1);
    EXPECT_EQ(list[0]->GetAsString("location"), "");
    EXPECT_FALSE(list[0]->GetAsBool("parallelhomegames"));
    EXPECT_EQ(list[3]->GetAsString("gender"), "Damen");
    EXPECT_EQ(list[4]->GetAsInt("teamnumber"), 0);

    const IDataObjectList games = list[0]->NamedChilds("sistergame");
    EXPECT_EQ(Values(games, "datetime"),
              (std::vector<std::string>{"03.10.2026 18:30", "24.10.2026 00:00", "31.10.2026 18:30"}));
    EXPECT_EQ(games[0]->GetAsString("guestteamname"), "SV Bachum");
    EXPECT_EQ(games[1]->GetAsString("hometeamname"), "TV Herdringen");

    const IDataObjectList firstTeamSisters = TeamAt(*plan, 1).NamedChilds("sisterteam");
    ASSERT_EQ(firstTeamSisters.size(), 1u);
    EXPECT_FALSE(firstTeamSisters[0]->GetAsBool("noparallelgames")) << "numbers 1 and 3 are not neighbours";
}

TEST(ClickTTImport, LeagueWideDaysAndGames) {
    const auto plan = Import(Export(Team("A", ""), R"(
        <predefinedGames>
            <game day="05.09.2026" time="18:30" homeTeam="A" guestTeam="B"/>
            <game day="05.09.2026" time="18:30" homeTeam="A" guestTeam="B"/>
            <game day="06.09.2026" time="10:00" homeTeam="spielfrei" guestTeam="A"/>
        </predefinedGames>
        <noGameDays>
            <noGame from="24.12.2026" until="26.12.2026"/>
            <noGame from="26.12.2026" until="27.12.2026"/>
        </noGameDays>
        <mandatoryGameDays>
            <mandatoryDay day="10.10.2026"/>
            <mandatoryDay day="02.10.2026"/>
            <mandatoryDay day="01.10.2026"/>
            <mandatoryDay day="03.10.2026"/>
            <mandatoryDay day="20.10.2026"/>
            <mandatoryDay day="20.10.2026"/>
            <mandatoryDay day="21.10.2026"/>
        </mandatoryGameDays>
        <existingSchedule>
            <game day="12.09.2026" time="20:00" homeTeam="B" guestTeam="A"/>
        </existingSchedule>
    )"));
    const TDataObject& root = plan->root();
    const TDataObject* predefined = root.FindChild("predefinedgames");
    ASSERT_NE(predefined, nullptr);
    const IDataObjectList games = predefined->NamedChilds("game");
    ASSERT_EQ(games.size(), 3u) << "fixed games are taken without duplicate check or bye filter";
    EXPECT_EQ(games[0]->GetAsString("datetime"), "05.09.2026 18:30");
    EXPECT_EQ(games[0]->GetAsString("hometeamname"), "A");
    EXPECT_EQ(games[0]->GetAsString("guestteamname"), "B");
    EXPECT_TRUE(games[0]->HasAttribute("location"));
    EXPECT_EQ(games[2]->GetAsString("hometeamname"), "spielfrei");

    const TDataObject* existing = root.FindChild("existingschedule");
    ASSERT_NE(existing, nullptr);
    EXPECT_EQ(Values(existing->NamedChilds("game"), "datetime"),
              std::vector<std::string>{"12.09.2026 20:00"});

    EXPECT_EQ(
        Values(root.NamedChilds("nogameday"), "date"),
        (std::vector<std::string>{"24.12.2026", "25.12.2026", "26.12.2026", "26.12.2026", "27.12.2026"}));

    const IDataObjectList periods = root.NamedChilds("mandatorygames");
    EXPECT_EQ(Values(periods, "datefrom"),
              (std::vector<std::string>{"01.10.2026", "10.10.2026", "20.10.2026", "20.10.2026"}));
    EXPECT_EQ(Values(periods, "dateto"),
              (std::vector<std::string>{"03.10.2026", "10.10.2026", "20.10.2026", "21.10.2026"}));
    EXPECT_EQ(Values(periods, "numbergames"), (std::vector<std::string>{"1", "1", "1", "1"}));
}

TEST(ClickTTImport, EmptyGameListsAddNoElement) {
    const auto empty = Import(Export("", "<predefinedGames/>\n<existingSchedule>\n  </existingSchedule>\n"));
    EXPECT_EQ(empty->root().FindChild("predefinedgames"), nullptr);
    EXPECT_EQ(empty->root().FindChild("existingschedule"), nullptr);
    EXPECT_TRUE(empty->root().NamedChilds("team").empty());

    // Any child element counts, even one that is not a game.
    const auto other = Import(Export("", "<predefinedGames><note/></predefinedGames>\n"));
    const TDataObject* predefined = other->root().FindChild("predefinedgames");
    ASSERT_NE(predefined, nullptr);
    EXPECT_TRUE(predefined->childs().empty());
}

TEST(ClickTTImport, ConversionErrorsNameFileAndLine) {
    const std::string badDay =
        ConvertErrorOf(Export(Team("A", "<homeGame day=\"31.02.2026\" time=\"20:00\"/>\n")));
    EXPECT_NE(badDay.find("31.02.2026"), std::string::npos) << badDay;
    EXPECT_NE(badDay.find(" (Datei: test.xml, Zeile 6)"), std::string::npos) << badDay;

    const std::string badNumber = ConvertErrorOf(Export(Team("A", "", R"(number="x")")));
    EXPECT_NE(badNumber.find("'x' ist kein gültiger Integerwert"), std::string::npos) << badNumber;
    EXPECT_NE(badNumber.find("(Datei: test.xml, Zeile 4)"), std::string::npos) << badNumber;

    EXPECT_NE(ConvertErrorOf(Export(Team("A", "", R"(number="")"))), "");
    EXPECT_NE(ConvertErrorOf(Export(Team("A", "", R"(number="2147483648")"))), "");
    EXPECT_NE(ConvertErrorOf(Export(Team("A", "<homeGame day=\"01.10.2026\" time=\"20:00\" "
                                              "maxParallelGames=\"2a\"/>\n"))),
              "");
    EXPECT_NE(ConvertErrorOf(Export(Team("A", "", "", R"(<sisterTeams><team number="1.0"/></sisterTeams>)"))),
              "");
    EXPECT_EQ(ConvertErrorOf(Export(Team("A", "", R"(number="-2147483648")"))), "");
    EXPECT_EQ(ConvertErrorOf(Export(Team("A", "", R"(number="+3")"))), "");

    const std::string missingMid = ConvertErrorOf(Export("", "", R"(from="29.08.2026" until="30.04.2027")"));
    EXPECT_NE(missingMid.find("(Datei: test.xml, Zeile 2)"), std::string::npos) << missingMid;
    EXPECT_NE(ConvertErrorOf(Export("", "", R"(from="29.8.2026" mid="04.01.2027" until="30.04.2027")")), "");

    const std::string sisterGame = ConvertErrorOf(Export(
        Team("A", "", "",
             "<sisterTeams><team>\n<game time=\"10:00\" homeTeam=\"spielfrei\"/></team></sisterTeams>")));
    EXPECT_NE(sisterGame.find("Zeile 8"), std::string::npos) << sisterGame;
    EXPECT_NE(ConvertErrorOf(Export("", "<predefinedGames><game day=\"x\"/></predefinedGames>")), "");
    EXPECT_NE(ConvertErrorOf(Export("", "<existingSchedule><game time=\"10:00\"/></existingSchedule>")), "");
    EXPECT_NE(ConvertErrorOf(Export("", "<noGameDays><noGame from=\"01.10.2026\"/></noGameDays>")), "");
    EXPECT_NE(ConvertErrorOf(
                  Export("", "<mandatoryGameDays><mandatoryDay day=\"1.10.2026\"/></mandatoryGameDays>")),
              "");
    EXPECT_NE(ConvertErrorOf(Export(Team("A", "<noGame from=\"01.10.2026\" until=\"32.10.2026\"/>"))), "");
    // A period of thousands of years is refused instead of being expanded day by day.
    EXPECT_NE(ConvertErrorOf(
                  Export("", "<noGameDays><noGame from=\"01.01.0001\" until=\"31.12.9999\"/></noGameDays>")),
              "");

    EXPECT_THROW(Import("<TT><teams>"), TerminorError);
}

TEST(ClickTTImport, DuplicateTeamsAreKeptAndImportReplacesContent) {
    TPlanData plan;
    plan.LoadFromClickTTText(
        Export(Team("A", "<homeGame day=\"01.10.2026\" time=\"20:00\"/>") + Team("B", "")), "first.xml");
    plan.LoadFromClickTTText(Export(Team("A", "") + Team("A", "")), "second.xml");
    const IDataObjectList teams = plan.root().NamedChilds("team");
    ASSERT_EQ(teams.size(), 2u);
    EXPECT_TRUE(teams[0]->NamedChilds("homegameday").empty());
    TDataObjectKey key;
    teams[0]->getKey(key);
    try {
        plan.root().findChildIndexByKey(key);
        ADD_FAILURE() << "two teams with one name must make a key lookup fail";
    } catch (const TerminorError& e) {
        EXPECT_EQ(std::string(e.what()), "Doppelter Schlüssel in Datei: team");
    }
}

TEST(ClickTTImport, ExampleExports) {
    TPlanData herren;
    herren.LoadFromClickTTFile(Example("bezirksliga-herren-nord.xml"));
    EXPECT_EQ(herren.root().NamedChilds("team").size(), 12u);
    EXPECT_EQ(herren.root().GetAsString("gender"), "Herren");
    EXPECT_EQ(herren.root().NamedChilds("mandatorygames").size(), 2u);
    EXPECT_EQ(herren.root().NamedChilds("nogameday").size(), 19u);
    std::vector<std::string> names;
    herren.getTeamNames(names);
    EXPECT_EQ(names.front(), "DJK Grün-Weiß Arnsberg");
    EXPECT_TRUE(IsClickTTFile(Example("bezirksliga-herren-nord.xml")));

    TPlanData damen;
    damen.LoadFromClickTTFile(Example("kreisliga-damen-sued.xml"));
    EXPECT_EQ(damen.root().GetAsString("name"), "Kreisliga Damen Süd – Gruppe 1");
    EXPECT_EQ(damen.root().NamedChilds("team").size(), 7u);
    EXPECT_EQ(TeamAt(damen, 0).GetAsString("teamname"), "TTC Grün-Weiß Lüdenscheid");
    EXPECT_EQ(TeamAt(damen, 4).GetAsString("teamname"), "SG Schalksmühle-Dahlerbrück");

    const std::filesystem::path planFile =
        std::filesystem::temp_directory_path() / "terminor_test_clicktt_not_an_export.xml";
    {
        std::ofstream out(planFile);
        out << "<?xml version=\"1.0\"?><terminor><plan/></terminor>";
    }
    EXPECT_FALSE(IsClickTTFile(planFile.string()));
    std::filesystem::remove(planFile);
    EXPECT_THROW(IsClickTTFile(Example("does-not-exist.xml")), TerminorError);
}
