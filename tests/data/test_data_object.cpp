// The keyed data tree: typed access, key lookups, deep comparison, Diff and Merge.

#include <algorithm>
#include <climits>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "data/DataObject.h"
#include "data/Error.h"

using namespace terminor;

namespace {

std::string ErrorText(const std::function<void()>& f) {
    try {
        f();
    } catch (const TerminorError& e) {
        return e.what();
    }
    return "<kein Fehler>";
}

TDataObject& AddTeam(TDataObject& plan, const std::string& name) {
    TDataObject& team = plan.addChild("team");
    team.SetAsString("teamname", name);
    return team;
}

} // namespace

TEST(DataObject, CreationNeedsKeyDefinition) {
    EXPECT_EQ(ErrorText([] { TDataObject node("homeright"); }), "Kein Key für den Typ: homeright definiert");
    TDataObject plan("plan");
    EXPECT_EQ(ErrorText([&] { plan.addChild("teams"); }), "Kein Key für den Typ: teams definiert");
    EXPECT_TRUE(plan.childs().empty()) << "a node whose creation failed is not added";
    TDataObject& team = plan.addChild("team");
    EXPECT_EQ(team.parent(), &plan);
    EXPECT_EQ(team.State, TDataObjectState::dosNormal);
}

TEST(DataObject, StringAndBoolAndIntAccess) {
    TDataObject n("team");
    n.SetAsString("teamname", "  TTC Altena \t\n");
    EXPECT_EQ(n.GetAsString("teamname"), "TTC Altena");
    EXPECT_EQ(n.GetAsString("never"), "");
    EXPECT_FALSE(n.HasAttribute("never"));

    for (const char* v : {"True", "TRUE", "1", "", "yes"}) {
        n.SetAsString("b", v);
        EXPECT_FALSE(n.GetAsBool("b")) << v;
    }
    n.SetAsBool("b", true);
    EXPECT_EQ(n.GetAsString("b"), "true");
    EXPECT_TRUE(n.GetAsBool("b"));
    EXPECT_FALSE(n.GetAsBool("missing"));

    const std::pair<const char*, int> ints[] = {{"42", 42},
                                                {"-7", -7},
                                                {"+5", 5},
                                                {"", 0},
                                                {"abc", 0},
                                                {"12abc", 0},
                                                {"2147483647", INT32_MAX},
                                                {"2147483648", 0},
                                                {"-2147483648", INT32_MIN},
                                                {"1.5", 0},
                                                {"--1", 0},
                                                {"+-1", 0},
                                                {"+", 0}};
    for (const auto& [text, value] : ints) {
        n.SetAsString("i", text);
        EXPECT_EQ(n.GetAsInt("i"), value) << text;
    }
    n.SetAsInt("i", -12);
    EXPECT_EQ(n.GetAsString("i"), "-12");
}

TEST(DataObject, DateAndTimeAccess) {
    TDataObject n("homegameday");
    n.SetAsString("d", "05.10.2020");
    EXPECT_EQ(n.GetAsDate("d"), EncodeDate(2020, 10, 5));
    n.SetAsString("d", "05/10/2020");
    EXPECT_EQ(n.GetAsDate("d"), EncodeDate(2020, 10, 5)) << "separators are ignored";
    EXPECT_EQ(n.GetAsDate("missing"), 0.0);
    for (const char* bad : {"5.10.2020", "31.02.2021", "aa.10.2020", "05.13.2020"}) {
        n.SetAsString("d", bad);
        EXPECT_THROW(n.GetAsDate("d"), EConvertError) << bad;
        EXPECT_THROW(n.GetAsDateTime("d"), EConvertError) << bad;
    }

    const std::pair<const char*, double> times[] = {{"18:30", EncodeTime(18, 30)},
                                                    {"8:30", 0.0},
                                                    {"25:00", 0.0},
                                                    {"12:61", 0.0},
                                                    {"", 0.0},
                                                    {"1830", 0.0}};
    for (const auto& [text, value] : times) {
        n.SetAsString("t", text);
        EXPECT_EQ(n.GetAsTime("t"), value) << text;
    }

    n.SetAsString("dt", "05.10.2020 18:30");
    EXPECT_EQ(n.GetAsDateTime("dt"), EncodeDate(2020, 10, 5) + EncodeTime(18, 30));
    n.SetAsString("dt", "05.10.2020 8:30");
    EXPECT_EQ(n.GetAsDateTime("dt"), EncodeDate(2020, 10, 5));
    n.SetAsString("dt", "05.10.2020");
    EXPECT_EQ(n.GetAsDateTime("dt"), EncodeDate(2020, 10, 5));

    const TDateTime v = EncodeDate(2021, 1, 9) + EncodeTime(19, 45);
    n.SetAsDate("a", v);
    n.SetAsTime("b", v);
    n.SetAsDateTime("c", v);
    EXPECT_EQ(n.GetAsString("a"), "09.01.2021");
    EXPECT_EQ(n.GetAsString("b"), "19:45");
    EXPECT_EQ(n.GetAsString("c"), "09.01.2021 19:45");
    EXPECT_EQ(n.GetAsDateTime("c"), v);
}

TEST(DataObject, KeyLookupAndDuplicates) {
    TDataObject plan("plan");
    AddTeam(plan, "A");
    AddTeam(plan, "B");
    plan.addChild("ranking");
    TDataObjectKey key;
    key.Name = "team";
    key.setAttribute("teamname", "B");
    EXPECT_EQ(plan.findChildIndexByKey(key), 1);
    key.attributeValues[0].second = "C";
    EXPECT_EQ(plan.findChildIndexByKey(key), -1);

    AddTeam(plan, "B");
    key.attributeValues[0].second = "B";
    EXPECT_EQ(ErrorText([&] { plan.findChildIndexByKey(key); }), "Doppelter Schlüssel in Datei: team");

    plan.addChild("ranking");
    TDataObjectKey ranking;
    ranking.Name = "ranking";
    EXPECT_EQ(ErrorText([&] { plan.findChildIndexByKey(ranking); }), "Doppelter Schlüssel in Datei: ranking");

    TDataObject& game = plan.addChild("predefinedgames").addChild("game");
    game.SetAsDateTime("datetime", EncodeDate(2020, 10, 3) + EncodeTime(18, 0));
    game.SetAsString("hometeamname", "A");
    game.SetAsString("guestteamname", "B");
    const TDataObjectKey gk = game.getKey();
    ASSERT_EQ(gk.attributeValues.size(), 3u);
    EXPECT_EQ(gk.attributeValues[0], (std::pair<std::string, std::string>("datetime", "03.10.2020 18:00")));
    EXPECT_EQ(gk.attributeValues[2].first, "guestteamname");
}

TEST(DataObject, StructureOperations) {
    TDataObject plan("plan");
    TDataObject& a = AddTeam(plan, "A");
    plan.addChild("nogameday").SetAsString("date", "01.10.2020");
    AddTeam(plan, "B");
    plan.addChild("nogameday").SetAsString("date", "02.10.2020");
    a.addChild("homegameday").SetAsString("datetime", "03.10.2020 18:00");

    EXPECT_EQ(plan.FindChild("team"), &a);
    EXPECT_EQ(plan.NamedChilds("nogameday").size(), 2u);
    EXPECT_EQ(&plan.getOrCreateChild("team"), &a);
    TDataObject& ranking = plan.getOrCreateChild("ranking");
    EXPECT_EQ(plan.childs().back().get(), &ranking);

    TDataObject copy("plan");
    copy.SetAsString("stale", "x");
    copy.assign(plan);
    EXPECT_EQ(copy.GetAsString("stale"), "");
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&copy, &plan));
    EXPECT_EQ(copy.childs()[0]->parent(), &copy);

    plan.deleteChilds("nogameday");
    EXPECT_TRUE(plan.NamedChilds("nogameday").empty());
    EXPECT_EQ(plan.childs().size(), 3u);
    plan.RemoveChild(&a);
    EXPECT_EQ(plan.childs().size(), 2u);
    EXPECT_EQ(plan.FindChild("team")->GetAsString("teamname"), "B");
    plan.Clear();
    EXPECT_TRUE(plan.childs().empty());
    EXPECT_EQ(plan.Name(), "plan");
}

TEST(DataObject, DeepComparison) {
    TDataObject x("plan");
    TDataObject y("plan");
    AddTeam(x, "A").SetAsString("location", "");
    AddTeam(x, "B");
    AddTeam(y, "B");
    AddTeam(y, "A");
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&x, &y)) << "order and empty-vs-missing do not matter";
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&x, &x));
    EXPECT_FALSE(TDataObject::NodesAreTheSame(&x, nullptr));
    EXPECT_TRUE(TDataObject::NodesAreTheSame(nullptr, nullptr));

    y.childs()[1]->SetAsString("location", "2");
    EXPECT_FALSE(TDataObject::NodesAreTheSame(&x, &y));
    EXPECT_TRUE(TDataObject::ChildNodesAreTheSame(&x, &y, "nogameday"));
    EXPECT_FALSE(TDataObject::ChildNodesAreTheSame(&x, &y, "team"));
    x.SetAsString("name", "Liga");
    y.childs()[1]->SetAsString("location", "");
    EXPECT_TRUE(TDataObject::ChildNodesAreTheSame(&x, &y, "team")) << "own attributes are ignored";
    EXPECT_FALSE(TDataObject::NodesAreTheSame(&x, &y));

    AddTeam(y, "C");
    EXPECT_FALSE(TDataObject::ChildNodesAreTheSame(&x, &y, "team"));
    AddTeam(x, "C");
    AddTeam(x, "C");
    EXPECT_THROW(TDataObject::ChildNodesAreTheSame(&x, &y, "team"), TerminorError);
}

TEST(DataObject, DiffAndMergeBasics) {
    TDataObject before("plan");
    AddTeam(before, "A").SetAsString("location", "2");
    AddTeam(before, "B");
    TDataObject same("plan");
    same.Diff(before, before);
    EXPECT_EQ(same.State, TDataObjectState::dosNormal);
    ASSERT_EQ(same.childs().size(), 2u);
    EXPECT_EQ(same.childs()[0]->attributes().size(), 1u) << "unchanged nodes carry only their key";
    TDataObject target("plan");
    target.assign(before);
    target.Merge(same);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&target, &before));

    TDataObject after("plan");
    after.assign(before);
    after.childs()[0]->Clear();
    after.childs()[0]->SetAsString("teamname", "A");
    after.RemoveChildAt(1);
    AddTeam(after, "C").addChild("nogameday").SetAsString("date", "01.10.2020");
    TDataObject diff("plan");
    diff.Diff(after, before);
    ASSERT_EQ(diff.childs().size(), 3u);
    EXPECT_EQ(diff.childs()[0]->State, TDataObjectState::dosDelete) << "deletions come first";
    EXPECT_EQ(diff.childs()[0]->GetAsString("teamname"), "B");
    EXPECT_EQ(diff.childs()[1]->State, TDataObjectState::dosModified);
    EXPECT_TRUE(diff.childs()[1]->HasAttribute("location"));
    EXPECT_EQ(diff.childs()[1]->GetAsString("location"), "");
    EXPECT_EQ(diff.childs()[2]->State, TDataObjectState::dosNew);
    EXPECT_EQ(diff.childs()[2]->childs()[0]->State, TDataObjectState::dosNormal);

    target.Merge(diff);
    EXPECT_TRUE(TDataObject::NodesAreTheSame(&target, &after));
    EXPECT_TRUE(target.childs()[0]->HasAttribute("location"));
    EXPECT_EQ(target.childs()[0]->GetAsString("location"), "");
    for (const auto& c : target.childs()) {
        EXPECT_EQ(c->State, TDataObjectState::dosNormal) << "merge never writes states";
    }
}

TEST(DataObject, MergeNewReplacesAndMovesToEnd) {
    TDataObject target("plan");
    AddTeam(target, "A").SetAsString("location", "1");
    AddTeam(target, "B");
    TDataObject diff("plan");
    TDataObject& n = AddTeam(diff, "A");
    n.State = TDataObjectState::dosNew;
    n.SetAsString("teamid", "42");
    TDataObject& gone = AddTeam(diff, "X");
    gone.State = TDataObjectState::dosModified;
    gone.SetAsString("location", "3");
    target.Merge(diff);
    ASSERT_EQ(target.childs().size(), 2u);
    EXPECT_EQ(target.childs()[1]->GetAsString("teamname"), "A");
    EXPECT_EQ(target.childs()[1]->GetAsString("location"), "") << "the new node replaces the old one whole";
    EXPECT_EQ(target.childs()[1]->GetAsString("teamid"), "42");
    EXPECT_EQ(target.childs()[1]->State, TDataObjectState::dosNormal);
}

namespace {

// Builds random plan-like trees over a small vocabulary so that keys collide often between
// the before and the after tree but never inside one sibling list.
class RandomTrees {
public:
    explicit RandomTrees(unsigned seed) : rng(seed) {}

    void Fill(TDataObject& plan) {
        RandomAttributes(plan, {"name", "id", "gender", "from"});
        for (const std::string& team : Pick(teamNames, 0, 5)) {
            TDataObject& t = AddTeam(plan, team);
            RandomAttributes(t, {"teamid", "clubid", "location", "homerights"});
            for (const std::string& d : Pick(dates, 0, 4)) {
                TDataObject& h = t.addChild("homegameday");
                h.SetAsString("datetime", d + " 18:00");
                RandomAttributes(h, {"parallelgames", "ausweichtermin", "location"});
            }
            for (const std::string& d : Pick(dates, 0, 2)) {
                t.addChild("nogameday").SetAsString("date", d);
            }
            for (const std::string& s : Pick(teamNames, 0, 2)) {
                TDataObject& st = t.addChild("sisterteam");
                st.SetAsString("teamname", s);
                st.SetAsString("gender", Coin() ? "Damen" : "Herren");
                for (const std::string& d : Pick(dates, 0, 2)) {
                    st.addChild("sistergame").SetAsString("datetime", d + " 10:00");
                }
            }
        }
        for (const std::string& d : Pick(dates, 0, 3)) {
            plan.addChild("nogameday").SetAsString("date", d);
        }
        if (Coin()) {
            TDataObject& r = plan.addChild("ranking");
            RandomAttributes(r, {"active"});
            for (const std::string& team : Pick(teamNames, 0, 3)) {
                AddTeam(r, team).SetAsInt("rankingindex", static_cast<int>(rng() % 5));
            }
        }
    }

private:
    bool Coin() { return rng() % 2 == 0; }

    void RandomAttributes(TDataObject& node, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            switch (rng() % 4) {
            case 0:
                break;
            case 1:
                node.SetAsString(n, "");
                break;
            default:
                node.SetAsString(n, std::to_string(rng() % 3));
            }
        }
    }

    std::vector<std::string> Pick(const std::vector<std::string>& from, int lo, int hi) {
        std::vector<std::string> pool = from;
        std::shuffle(pool.begin(), pool.end(), rng);
        pool.resize(
            static_cast<std::size_t>(lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1))));
        return pool;
    }

    std::mt19937 rng;
    const std::vector<std::string> teamNames{"Altena",    "Hüsten II", "Neheim",
                                             "Neheim II", "Müschede",  "Arnsberg"};
    const std::vector<std::string> dates{"05.09.2026", "12.09.2026", "19.09.2026", "26.09.2026",
                                         "03.10.2026"};
};

} // namespace

TEST(DataObject, MergingTheDiffReproducesAfterOnRandomTrees) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        RandomTrees gen(seed);
        TDataObject before("plan");
        TDataObject after("plan");
        gen.Fill(before);
        gen.Fill(after);
        TDataObject diff("plan");
        diff.Diff(after, before);
        TDataObject target("plan");
        target.assign(before);
        target.Merge(diff);
        ASSERT_TRUE(TDataObject::NodesAreTheSame(&target, &after)) << "seed " << seed;

        // A diff of equal trees changes nothing.
        TDataObject none("plan");
        none.Diff(after, after);
        TDataObject again("plan");
        again.assign(after);
        again.Merge(none);
        ASSERT_TRUE(TDataObject::NodesAreTheSame(&again, &after)) << "seed " << seed;
    }
}
