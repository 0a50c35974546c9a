// The teams page's rules without widgets (checks, conflicts, renaming with `orgteamname`,
// comparing with and restoring the import) and the seeding-list layout.

#include <string>

#include <gtest/gtest.h>

#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/Ranking.h"
#include "data/TeamEdit.h"

using namespace terminor;

namespace {

const std::string Example = std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml";

TDataObject* Team(const TPlanData& data, const std::string& name) {
    for (TDataObject* team : data.root().NamedChilds("team")) {
        if (team->GetAsString("teamname") == name) {
            return team;
        }
    }
    return nullptr;
}

TTeamValues Values(std::string name, std::string id, std::string club, int number) {
    return TTeamValues{std::move(name), std::move(id), std::move(club), number, ""};
}

} // namespace

TEST(TeamEdit, ChecksAndConflictsInOrder) {
    EXPECT_EQ(CheckTeamValues(Values("  ", "1", "2", 1)), "Der Mannschaftsname darf nicht leer sein");
    EXPECT_EQ(CheckTeamValues(Values("A", " ", "2", 1)), "Die Mannschafts-ID darf nicht leer sein");
    EXPECT_EQ(CheckTeamValues(Values("A", "1", "", 1)), "Die Vereins-ID darf nicht leer sein");
    EXPECT_EQ(CheckTeamValues(Values(" A ", "1", "2", 1)), "");

    TPlanData data;
    AddTeam(data, Values("TV A", "100", "C1", 1));
    AddTeam(data, Values("TV B", "200", "C2", 1));
    EXPECT_EQ(FindTeamConflict(data, Values(" TV A ", "999", "C9", 1), nullptr),
              "Mannschaftsname ist nicht eindeutig");
    EXPECT_EQ(FindTeamConflict(data, Values("TV C", "200", "C9", 1), nullptr),
              "Mannschafts-ID ist nicht eindeutig");
    EXPECT_EQ(FindTeamConflict(data, Values("TV C", "300", "C2", 1), nullptr),
              "Zu diesem Verein gibt es schon eine Mannschaft mit dieser Nummer");
    EXPECT_EQ(FindTeamConflict(data, Values("TV C", "300", "C2", 2), nullptr), "");
    // Editing a team compares with the others only; the first conflicting team decides.
    EXPECT_EQ(FindTeamConflict(data, Values("TV A", "100", "C1", 1), Team(data, "TV A")), "");
    EXPECT_EQ(FindTeamConflict(data, Values("TV B", "100", "C1", 1), Team(data, "TV A")),
              "Mannschaftsname ist nicht eindeutig");
}

TEST(TeamEdit, RenameKeepsFirstNameAndLeavesReferences) {
    TPlanData data;
    TDataObject& team = AddTeam(data, Values("Alt", "1", "C", 1));
    TDataObject& other = AddTeam(data, Values("Other", "2", "D", 1));
    other.addChild("noweekgames").SetAsString("teamname", "Alt");

    UpdateTeam(team, Values("Neu", "1", "C", 1));
    EXPECT_EQ(team.GetAsString("orgteamname"), "Alt");
    UpdateTeam(team, Values("Neuer", "1", "C", 1));
    EXPECT_EQ(team.GetAsString("orgteamname"), "Alt") << "the first name stays";
    UpdateTeam(team, Values("Alt", "1", "C", 1));
    EXPECT_EQ(team.GetAsString("orgteamname"), "") << "renamed back";
    UpdateTeam(team, Values("Neu", "1", "C", 1));
    EXPECT_EQ(other.NamedChilds("noweekgames").front()->GetAsString("teamname"), "Alt");

    EXPECT_TRUE(DeleteTeam(data, "Neu"));
    EXPECT_EQ(Team(data, "Neu"), nullptr);
    EXPECT_FALSE(DeleteTeam(data, "Neu"));
}

TEST(TeamEdit, DefaultComparisonAndRestoreAgainstImport) {
    TPlanData imported;
    imported.LoadFromClickTTFile(Example);
    TPlanData data;
    data.assign(imported);
    EXPECT_TRUE(TeamsAreDefault(data, imported));

    std::vector<std::string> names;
    data.getTeamNames(names);
    ASSERT_GE(names.size(), 3u);
    TDataObject* renamed = Team(data, names[0]);
    const std::size_t childCount = renamed->childs().size();
    UpdateTeam(*renamed, Values("Umbenannt", renamed->GetAsString("teamid"), renamed->GetAsString("clubid"),
                                renamed->GetAsInt("teamnumber")));
    renamed->SetAsInt("homerights", 2);
    DeleteTeam(data, names[1]);
    AddTeam(data, Values("Zusatz", "X1", "XC", 1));
    EXPECT_FALSE(TeamsAreDefault(data, imported));

    TeamsToDefault(data, imported);
    EXPECT_TRUE(TeamsAreDefault(data, imported));
    std::vector<std::string> restored;
    data.getTeamNames(restored);
    EXPECT_EQ(restored, names);
    // The renamed team got its import attributes back and kept its children.
    const TDataObject* back = Team(data, names[0]);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->childs().size(), childCount);
    EXPECT_EQ(back->GetAsString("orgteamname"), "");
    EXPECT_EQ(back->GetAsString("homerights"), Team(imported, names[0])->GetAsString("homerights"));
    EXPECT_TRUE(TDataObject::NodesAreTheSame(Team(data, names[1]), Team(imported, names[1])))
        << "the deleted team comes back as a copy";
}

TEST(Ranking, LayoutAndWriteBack) {
    TPlanData data;
    for (const char* name : {"A", "B", "C", "D"}) {
        AddTeam(data, Values(name, name, name, 1));
    }
    TDataObject& ranking = data.root().addChild("ranking");
    ranking.SetAsBool("active", true);
    auto entry = [&ranking](const char* name, int index) {
        TDataObject& team = ranking.addChild("team");
        team.SetAsString("teamname", name);
        team.SetAsInt("rankingindex", index);
    };
    entry("C", 5);
    entry("Gone", 0);
    entry("B", 2);
    const TRankingList list = ReadRanking(data);
    EXPECT_TRUE(list.Active);
    // Ranked teams by index (gaps closed, unknown names dropped), then the rest by name.
    EXPECT_EQ(list.Teams, (std::vector<std::string>{"B", "C", "A", "D"}));

    WriteRanking(data, TRankingList{false, {"D", "A"}});
    const TDataObject* written = data.root().FindChild("ranking");
    ASSERT_NE(written, nullptr);
    EXPECT_FALSE(written->GetAsBool("active"));
    ASSERT_EQ(written->childs().size(), 2u);
    EXPECT_EQ(written->childs()[1]->GetAsString("teamname"), "A");
    EXPECT_EQ(written->childs()[1]->GetAsInt("rankingindex"), 1);
    EXPECT_EQ(ReadRanking(data).Teams, (std::vector<std::string>{"D", "A", "B", "C"}));
}
