// Plan construction and placement rules: games, rounds, wish-date preparation, attaching
// schedules, not-necessary games, fixed games, validity and the expected game counts.

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "ModelTestUtil.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "model/Plan.h"

using namespace terminor;

namespace {

TDateTime D(int y, int m, int d, int hh = 0, int mm = 0) {
    return EncodeDate(y, m, d) + EncodeTime(hh, mm);
}

struct TeamSpec {
    std::string name;
    std::vector<std::string> homeDates; // "dd.mm.yyyy hh:mm" or with extra attributes after a '|'
    std::string extra;                  // more child elements
    std::string clubId;
};

std::string PlanXml(const std::vector<TeamSpec>& teams, const std::string& planExtra = "") {
    std::string xml = "<terminor><plan name=\"Testliga\" id=\"T1\" gender=\"Herren\" from=\"29.08.2026\" "
                      "mid=\"04.01.2027\" until=\"30.04.2027\">";
    int n = 0;
    for (const TeamSpec& t : teams) {
        const std::string number = std::to_string(++n);
        xml += "<team teamname=\"" + t.name + "\" teamid=\"id" + number + "\" clubid=\"" +
               (t.clubId.empty() ? "c" + number : t.clubId) + "\" teamnumber=\"1\" homerights=\"-1\">";
        for (const std::string& h : t.homeDates) {
            const auto bar = h.find('|');
            xml += "<homegameday datetime=\"" + h.substr(0, bar) + "\" " +
                   (bar == std::string::npos ? std::string() : h.substr(bar + 1)) + "/>";
        }
        xml += t.extra + "</team>";
    }
    return xml + planExtra + "</plan></terminor>";
}

std::unique_ptr<TPlan> Load(const std::string& xml, const TCalculateOptions* options = nullptr) {
    TPlanData data;
    data.LoadFromXMLText(xml, "test.xml");
    auto plan = std::make_unique<TPlan>();
    plan->Load(data);
    if (options != nullptr) {
        plan->AssignOptions(*options);
    }
    return plan;
}

std::vector<TeamSpec> FourTeams() {
    return {{"A", {"05.09.2026 18:00", "17.10.2026 18:00", "16.01.2027 18:00", "06.03.2027 18:00"}, "", ""},
            {"B", {"12.09.2026 18:00", "24.10.2026 18:00", "23.01.2027 18:00", "13.03.2027 18:00"}, "", ""},
            {"C", {"19.09.2026 18:00", "31.10.2026 18:00", "30.01.2027 18:00", "20.03.2027 18:00"}, "", ""},
            {"D", {"26.09.2026 18:00", "07.11.2026 18:00", "06.02.2027 18:00", "27.03.2027 18:00"}, "", ""}};
}

TGame* GameOf(TPlan& plan, const std::string& heim, const std::string& gast, int nth = 0) {
    const auto* games =
        plan.GamesOfPairing(*plan.Mannschaften.FindByName(heim), *plan.Mannschaften.FindByName(gast));
    return games == nullptr ? nullptr : (*games)[static_cast<std::size_t>(nth)];
}

void Place(TGame* game, TDateTime date) {
    TWunschTermin* w = game->MannschaftHeim->WunschTermine.Find(date);
    game->setDate(date, w ? w->Options : TWunschterminOptions{}, w ? w->ParallelGames : 0, false, false, w);
    game->MannschaftHeim->gamesRef.SortByDate();
    game->MannschaftGast->gamesRef.SortByDate();
}

/// Every team's gamesRef holds exactly its games, in date order; wish-date links are mirrored.
void ExpectInvariants(const TPlan& plan) {
    for (const auto& team : plan.Mannschaften) {
        std::size_t expected = 0;
        for (const TGameList* list : {&plan.gamesAllowed, &plan.gamesNotAllowed}) {
            for (const TGame* g : *list) {
                if (g->MannschaftHeim == team.get() || g->MannschaftGast == team.get()) {
                    ++expected;
                    EXPECT_GE(team->gamesRef.IndexOf(g), 0);
                }
            }
        }
        EXPECT_EQ(team->gamesRef.size(), expected) << team->teamName;
        for (std::size_t i = 1; i < team->gamesRef.size(); ++i) {
            EXPECT_LE(team->gamesRef[i - 1]->FDate, team->gamesRef[i]->FDate);
        }
    }
    for (const TGame* g : plan.gamesAllowed) {
        if (g->FWunschTermin != nullptr && g->FWunschTermin->assignedGame != nullptr) {
            EXPECT_EQ(g->FWunschTermin->assignedGame->FWunschTermin, g->FWunschTermin);
        }
    }
}

} // namespace

TEST(Plan, LoadBuildsEveryGameAndIndexes) {
    auto plan = Load(PlanXml(FourTeams()));
    EXPECT_EQ(plan->PlanName, "Testliga");
    EXPECT_EQ(plan->DateBegin, D(2026, 8, 29));
    EXPECT_EQ(plan->DateBeginRueckrundeInXML, D(2027, 1, 4));
    ASSERT_EQ(plan->gamesAllowed.size(), 12u);
    EXPECT_EQ(plan->cachedGameList.size(), 12u);
    EXPECT_EQ(plan->cachedGameList.at("id1|id2").size(), 1u);
    EXPECT_EQ(plan->gamesAllowed[0]->MannschaftHeim->teamName, "A");
    EXPECT_EQ(plan->gamesAllowed[0]->MannschaftGast->teamName, "B");
    for (std::size_t i = 0; i < plan->Mannschaften.size(); ++i) {
        EXPECT_EQ(plan->Mannschaften[i]->Index, static_cast<int>(i));
        EXPECT_EQ(plan->Mannschaften[i]->gamesRef.size(), 6u);
    }
    ExpectInvariants(*plan);

    TCalculateOptions options;
    options.DoubleRound = true;
    plan->AssignOptions(options);
    ASSERT_EQ(plan->gamesAllowed.size(), 24u);
    EXPECT_EQ(plan->gamesAllowed[0]->MannschaftGast, plan->gamesAllowed[1]->MannschaftGast);
    EXPECT_EQ(plan->cachedGameList.at("id1|id2").size(), 2u);
    ExpectInvariants(*plan);
}

TEST(Plan, TeamsAreSortedByNameAndSisterTeamsNeedAClubId) {
    std::vector<TeamSpec> teams = {{"b", {}, "", "x"}, {"Z", {}, "", "x"}, {"A", {}, "", "y"}};
    std::string xml = PlanXml(teams);
    auto plan = Load(xml);
    ASSERT_EQ(plan->Mannschaften.size(), 3u);
    EXPECT_EQ(plan->Mannschaften[0]->teamName, "A");
    EXPECT_EQ(plan->Mannschaften[2]->teamName, "b");
    EXPECT_EQ(plan->Mannschaften.FindByName("Z")->SisterTeamsInPlan.size(), 1u);
    EXPECT_TRUE(plan->Mannschaften.FindByName("A")->SisterTeamsInPlan.empty());

    // Hand-entered teams without club id are not sisters of each other.
    TPlanData data;
    data.LoadFromXMLText("<terminor><plan><team teamname=\"P\"/><team teamname=\"Q\"/></plan></terminor>",
                         "x");
    TPlan plain;
    plain.Load(data);
    EXPECT_TRUE(plain.Mannschaften[0]->SisterTeamsInPlan.empty());
}

TEST(Plan, RoundsForEveryRoundPlaning) {
    auto plan = Load(PlanXml(FourTeams()));
    const TDateTime first = D(2026, 9, 5, 18);
    const TDateTime last = D(2027, 3, 27, 18);
    EXPECT_EQ(plan->GetFirstDate(), first);
    EXPECT_EQ(plan->GetLastDate(), last);
    const TDateTime r = D(2027, 1, 4);
    const TDateTime m1 = D(2026, 10, 19);
    const TDateTime m2 = D(2027, 2, 15);

    using Rounds = std::vector<std::pair<TDateTime, TDateTime>>;
    const auto rounds = [&](TRoundPlaning planing, bool doubleRound) {
        TCalculateOptions o;
        o.RoundPlaning = planing;
        o.DoubleRound = doubleRound;
        o.AutomaticMidDate = false;
        o.MidDate1 = m1;
        o.MidDate2 = m2;
        plan->AssignOptions(o);
        Rounds out;
        for (const TRoundInfo& ri : plan->Rounds()) {
            out.emplace_back(ri.DateFrom, ri.DateTo);
        }
        return out;
    };
    for (TRoundPlaning p : {rpBoth, rpFirstOnly, rpSecondOnly, rpCorona}) {
        EXPECT_EQ(rounds(p, false), (Rounds{{first - 100, r}, {r, last + 100}}));
        EXPECT_EQ(rounds(p, true), (Rounds{{first - 100, m1}, {m1, r}, {r, m2}, {m2, last + 100}}));
    }
    EXPECT_EQ(rounds(rpHalfRound, false), (Rounds{{plan->DateBegin, plan->DateEnd}}));
    EXPECT_EQ(rounds(rpHalfRound, true), (Rounds{{plan->DateBegin, m1}, {m1, plan->DateEnd}}));

    // A round's end belongs to the next round.
    rounds(rpBoth, true);
    EXPECT_EQ(plan->GetRoundNumberByDate(m1), 1);
    EXPECT_EQ(plan->GetRoundNumberByDate(m1 - 1.0 / 1440), 0);
    EXPECT_EQ(plan->GetRoundNumberByDate(last + 100), -1);

    const auto generated = [&](TRoundPlaning p, bool doubleRound) {
        rounds(p, doubleRound);
        std::vector<bool> out;
        for (const TRoundInfo& ri : plan->Rounds()) {
            out.push_back(plan->IsInRoundToGenerate(ri.DateFrom));
        }
        return out;
    };
    EXPECT_EQ(generated(rpFirstOnly, false), (std::vector<bool>{true, false}));
    EXPECT_EQ(generated(rpSecondOnly, false), (std::vector<bool>{false, true}));
    EXPECT_EQ(generated(rpCorona, true), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(generated(rpFirstOnly, true), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(generated(rpHalfRound, true), (std::vector<bool>{true, true}));
    rounds(rpFirstOnly, false);
    EXPECT_FALSE(plan->IsInRoundToGenerate(first - 200));
    rounds(rpBoth, false);
    EXPECT_TRUE(plan->IsInRoundToGenerate(first - 200));
}

TEST(Plan, PrepareWishDatesDerivesSecondTimesAndCutsThePeriod) {
    std::vector<TeamSpec> teams = FourTeams();
    teams[0].homeDates = {
        "20.08.2026 18:00",
        "05.09.2026 18:00|couplegameday=\"true\" coupleprio=\"1\" couplesecondtime=\"14:00\"",
        "12.09.2026 19:30|coupleauswaertssecondtime=\"true\" couplesecondtime=\"16:00\"", "30.04.2027 18:00",
        "30.04.2027 00:00"};
    teams[0].extra = "<nogameday date=\"01.08.2026\"/><nogameday date=\"01.10.2026\"/>";
    auto plan = Load(PlanXml(teams));
    const TMannschaft* a = plan->Mannschaften.FindByName("A");
    EXPECT_EQ(a->WunschTermine.size(), 5u) << "loading alone derives nothing";

    plan->AssignOptions(TCalculateOptions());
    ASSERT_EQ(a->WunschTermine.size(), 7u);
    const TWunschTermin& koppel = a->WunschTermine[5];
    EXPECT_EQ(koppel.Date, D(2026, 9, 5, 14));
    EXPECT_TRUE(koppel.Options.Contains(woKoppelSecondTime));
    EXPECT_TRUE(koppel.Options.Contains(woKoppelSoft));
    const TWunschTermin& away = a->WunschTermine[6];
    EXPECT_EQ(away.Date, D(2026, 9, 12, 16));
    EXPECT_TRUE(away.Options.Contains(woAuswaertsKoppelSecondTime));
    EXPECT_EQ(a->SperrTermine.size(), 2u);

    // Assigning again replaces the derived dates instead of adding more.
    plan->AssignOptions(plan->getOptions());
    EXPECT_EQ(a->WunschTermine.size(), 7u);

    TCalculateOptions half;
    half.RoundPlaning = rpHalfRound;
    plan->AssignOptions(half);
    EXPECT_FALSE(a->WunschTermine.Exists(D(2026, 8, 20, 18))) << "before DateBegin";
    EXPECT_FALSE(a->WunschTermine.Exists(D(2027, 4, 30, 18))) << "after DateEnd (midnight)";
    EXPECT_TRUE(a->WunschTermine.Exists(D(2027, 4, 30))) << "exactly DateEnd stays";
    EXPECT_FALSE(plan->IsInRoundToGenerate(D(2027, 4, 30))) << "but lies outside the half-open round";
    EXPECT_EQ(a->SperrTermine.size(), 1u);
}

TEST(Plan, AssignScheduleAndGamesFillNotAllowed) {
    auto plan = Load(PlanXml(FourTeams()));
    TSchedule schedule;
    schedule.push_back({D(2026, 9, 5, 18), "A", "B", ""});
    schedule.push_back({D(2026, 10, 17, 18), "A", "B", ""}); // pairing already used
    schedule.push_back({0.0, "B", "A", ""});
    schedule.push_back({D(2026, 9, 12, 18), "B", "A", ""}); // the undated entry reserved nothing
    schedule.push_back({D(2026, 9, 19, 18), "C", "Unbekannt", ""});
    schedule.push_back({D(2026, 9, 20, 10), "C", "D", ""}); // not a wish date
    plan->AssignSchedule(schedule);
    EXPECT_FALSE(plan->AllDatesAreValid);
    TGame* ab = GameOf(*plan, "A", "B");
    EXPECT_EQ(ab->FDate, D(2026, 9, 5, 18));
    ASSERT_NE(ab->FWunschTermin, nullptr);
    EXPECT_EQ(ab->FWunschTermin->assignedGame, ab);
    EXPECT_EQ(GameOf(*plan, "B", "A")->FDate, D(2026, 9, 12, 18));
    TGame* cd = GameOf(*plan, "C", "D");
    EXPECT_EQ(cd->FDate, D(2026, 9, 20, 10));
    EXPECT_EQ(cd->FWunschTermin, nullptr);
    ASSERT_EQ(plan->gamesNotAllowed.size(), 1u);
    EXPECT_EQ(plan->gamesNotAllowed[0]->FDate, D(2026, 10, 17, 18));
    ExpectInvariants(*plan);

    TSchedule back;
    plan->getSchedule(back);
    EXPECT_EQ(back.size(), 13u);

    // Existing schedules in the plan data go the same way.
    auto existing = Load(
        PlanXml(FourTeams(), "<existingschedule>"
                             "<game datetime=\"05.09.2026 18:00\" hometeamname=\"A\" guestteamname=\"B\"/>"
                             "<game datetime=\"17.10.2026 18:00\" hometeamname=\"A\" guestteamname=\"B\"/>"
                             "</existingschedule>"));
    EXPECT_EQ(existing->existingSchedule.size(), 2u);
    EXPECT_EQ(GameOf(*existing, "A", "B")->FDate, D(2026, 9, 5, 18));
    EXPECT_EQ(existing->gamesNotAllowed.size(), 1u);
}

TEST(Plan, NotNecessaryGamesAndFixedGames) {
    TCalculateOptions first;
    first.RoundPlaning = rpFirstOnly;
    auto plan = Load(PlanXml(FourTeams()), &first);
    TSchedule schedule;
    schedule.push_back({D(2026, 9, 5, 18), "A", "B", ""});
    schedule.push_back({D(2027, 1, 16, 18), "A", "C", ""}); // second half: not generated
    plan->AssignSchedule(schedule);
    EXPECT_TRUE(GameOf(*plan, "B", "A")->FNotNecessary);
    EXPECT_FALSE(GameOf(*plan, "C", "A")->FNotNecessary);

    TCalculateOptions corona;
    corona.RoundPlaning = rpCorona;
    plan->AssignOptions(corona);
    EXPECT_TRUE(GameOf(*plan, "B", "A")->FNotNecessary);
    EXPECT_TRUE(GameOf(*plan, "C", "A")->FNotNecessary);
    plan->AssignOptions(TCalculateOptions());
    EXPECT_FALSE(GameOf(*plan, "B", "A")->FNotNecessary);

    auto fixed = Load(PlanXml(FourTeams(),
                              "<predefinedgames>"
                              "<game datetime=\"12.09.2026 18:00\" hometeamname=\"B\" guestteamname=\"C\" "
                              "location=\" 4 \"/>"
                              "<game datetime=\"01.01.2027 11:00\" hometeamname=\"X\" guestteamname=\"C\"/>"
                              "</predefinedgames>"));
    ASSERT_EQ(fixed->predefinedGames.size(), 1u);
    EXPECT_EQ(fixed->predefinedGames[0]->OverrideLocation, "4");
    fixed->FixPredefinedGames();
    TGame* bc = GameOf(*fixed, "B", "C");
    EXPECT_EQ(bc->FDate, D(2026, 9, 12, 18));
    EXPECT_TRUE(bc->FFixedDate);
    ASSERT_NE(bc->FWunschTermin, nullptr);
    EXPECT_EQ(bc->FWunschTermin->assignedGame, bc);
    ExpectInvariants(*fixed);
    TSchedule withLocation;
    fixed->getSchedule(withLocation);
    const auto it = std::find_if(withLocation.begin(), withLocation.end(), [](const TScheduleGame& g) {
        return g.MannschaftHeimName == "B" && g.DateValid();
    });
    ASSERT_NE(it, withLocation.end());
    EXPECT_EQ(it->Location, "4");
}

TEST(Plan, PlacementRules) {
    std::vector<TeamSpec> teams = FourTeams();
    teams[0].homeDates = {"05.09.2026 18:00", "03.10.2026 18:00", "16.01.2027 18:00", "06.03.2027 18:00"};
    TCalculateOptions doubleRound;
    doubleRound.DoubleRound = true;
    doubleRound.AutomaticMidDate = false;
    doubleRound.MidDate1 = D(2026, 9, 20);
    doubleRound.MidDate2 = D(2027, 2, 15);
    auto plan = Load(PlanXml(teams, "<nogameday date=\"06.03.2027\"/>"), &doubleRound);
    TMannschaft* a = plan->Mannschaften.FindByName("A");
    TGame* ab1 = GameOf(*plan, "A", "B", 0);
    TGame* ab2 = GameOf(*plan, "A", "B", 1);
    Place(ab1, D(2026, 9, 5, 18)); // round 0
    EXPECT_FALSE(plan->CanPlaceGame(*a->WunschTermine.Find(D(2026, 10, 3, 18)), *ab2, false, nullptr))
        << "round 1 is the same half";
    EXPECT_TRUE(plan->CanPlaceGame(*a->WunschTermine.Find(D(2027, 1, 16, 18)), *ab2, false, nullptr))
        << "round 2 is the other half";
    EXPECT_FALSE(plan->CanPlaceGame(*a->WunschTermine.Find(D(2027, 3, 6, 18)), *ab2, false, nullptr))
        << "free day";

    // A game whose reverse game lies in the same round cannot go there.
    TGame* ba = GameOf(*plan, "B", "A", 0);
    TMannschaft* b = plan->Mannschaften.FindByName("B");
    EXPECT_FALSE(plan->CanPlaceGame(*b->WunschTermine.Find(D(2026, 9, 12, 18)), *ba, false, nullptr));
    EXPECT_TRUE(plan->CanPlaceGame(*b->WunschTermine.Find(D(2026, 10, 24, 18)), *ba, false, nullptr));

    EXPECT_TRUE(plan->GameIsValid(*ab1));
    TGame* cd = GameOf(*plan, "C", "D", 0);
    Place(cd, D(2026, 9, 20, 10)); // not a wish date of C
    EXPECT_FALSE(plan->GameIsValid(*cd));
    plan->RemoveNotValidDates();
    EXPECT_TRUE(plan->AllDatesAreValid);
    EXPECT_FALSE(cd->DateValid());
    EXPECT_TRUE(ab1->DateValid());
    EXPECT_EQ(ab1->FWunschTermin->assignedGame, ab1);
    ExpectInvariants(*plan);
}

TEST(Plan, PredefinedGamesAreValidOnlyInsideGeneratedRounds) {
    const std::string predefined =
        "<predefinedgames><game datetime=\"20.09.2026 10:00\" hometeamname=\"C\" "
        "guestteamname=\"D\"/><game datetime=\"20.05.2027 10:00\" hometeamname=\"D\" "
        "guestteamname=\"C\"/></predefinedgames>";
    auto plan = Load(PlanXml(FourTeams(), predefined));
    plan->FixPredefinedGames();
    EXPECT_TRUE(plan->GameIsValid(*GameOf(*plan, "C", "D")));
    EXPECT_TRUE(plan->GameIsValid(*GameOf(*plan, "D", "C")));

    TCalculateOptions half;
    half.RoundPlaning = rpHalfRound;
    plan->AssignOptions(half);
    plan->FixPredefinedGames();
    EXPECT_TRUE(plan->GameIsValid(*GameOf(*plan, "C", "D")));
    EXPECT_FALSE(plan->GameIsValid(*GameOf(*plan, "D", "C"))) << "outside the generated round";

    TCalculateOptions second;
    second.RoundPlaning = rpSecondOnly;
    plan->AssignOptions(second);
    plan->FixPredefinedGames();
    EXPECT_TRUE(plan->GameIsValid(*GameOf(*plan, "C", "D"))) << "first half, but predefined";
}

TEST(Plan, SollGamesSpreadRoundGamesOverWishDates) {
    std::vector<TeamSpec> teams;
    for (int i = 0; i < 9; ++i) {
        teams.push_back(
            {std::string(1, static_cast<char>('A' + i)), {"05.09.2026 18:00", "12.12.2026 18:00"}, "", ""});
    }
    auto plan = Load(PlanXml(teams));
    EXPECT_DOUBLE_EQ(plan->getNumSollGames(D(2026, 9, 1), D(2026, 10, 1)), 4.0);
    EXPECT_DOUBLE_EQ(plan->getNumSollGames(D(2026, 9, 1), D(2026, 12, 12)), 4.0) << "end day exclusive";
    EXPECT_DOUBLE_EQ(plan->getNumSollGames(D(2026, 9, 1), D(2026, 12, 13)), 8.0);
    EXPECT_DOUBLE_EQ(plan->getNumSollGames(D(2026, 9, 1), D(2026, 10, 1)), 4.0) << "cached";
    EXPECT_DOUBLE_EQ(plan->getNumSollGames(D(2030, 1, 1), D(2030, 2, 1)), 0.0);
}

TEST(Plan, RankingFillsAndClosesGaps) {
    std::vector<TeamSpec> teams = FourTeams();
    auto plan = Load(
        PlanXml(teams, "<ranking active=\"true\"><team teamname=\"B\" rankingindex=\"7\"/>"
                       "<team teamname=\"D\" rankingindex=\"2\"/><team teamname=\"C\" rankingindex=\"-1\"/>"
                       "<team teamname=\"X\" rankingindex=\"0\"/></ranking>"));
    EXPECT_EQ(plan->RankingIndexe, (std::vector<int>{3, 1, 0, 2}));
    EXPECT_TRUE(plan->HasRanking());
    auto inactive =
        Load(PlanXml(teams, "<ranking active=\"false\"><team teamname=\"B\" rankingindex=\"0\"/></ranking>"));
    EXPECT_FALSE(inactive->HasRanking());
}

TEST(Plan, RefusesPlansBeyondTheLimits) {
    std::vector<TeamSpec> teams;
    for (int i = 0; i < 32; ++i) {
        teams.push_back({"Team " + std::to_string(100 + i), {}, "", ""});
    }
    try {
        Load(PlanXml(teams));
        FAIL();
    } catch (const TerminorError& e) {
        EXPECT_STREQ(e.what(),
                     "Der Plan enthält 32 Mannschaften. Es können höchstens 31 Mannschaften geplant werden.");
    }
    teams.pop_back();
    EXPECT_EQ(Load(PlanXml(teams))->gamesAllowed.size(), 31u * 30u);
}

TEST(Plan, AssignCopiesDataAndDatesIndependently) {
    std::vector<TeamSpec> teams = FourTeams();
    teams[1].extra =
        "<nogameday date=\"24.10.2026\"/><roadcouple teamnamea=\"C\" teamnameb=\"D\" sameday=\"0\"/>";
    auto plan = Load(PlanXml(teams, "<nogameday date=\"24.12.2026\"/><mandatorygames datefrom=\"01.10.2026\" "
                                    "dateto=\"03.10.2026\" numbergames=\"1\"/>"));
    TCalculateOptions options;
    options.RoundPlaning = rpFirstOnly;
    plan->AssignOptions(options);
    Place(GameOf(*plan, "A", "B"), D(2026, 9, 5, 18));
    Place(GameOf(*plan, "C", "D"), D(2026, 9, 19, 18));

    TPlan copy;
    copy.Assign(*plan);
    EXPECT_EQ(copy.getOptions(), plan->getOptions());
    EXPECT_EQ(copy.Mannschaften.size(), 4u);
    EXPECT_NE(copy.Mannschaften[0], plan->Mannschaften[0]);
    EXPECT_EQ(copy.FreeGameDays, plan->FreeGameDays);
    EXPECT_EQ(copy.MandatoryGameDays.size(), 1u);
    EXPECT_EQ(copy.Mannschaften.FindByName("B")->AuswaertsKoppel.size(), 1u);
    TSchedule original;
    TSchedule copied;
    plan->getSchedule(original);
    copy.getSchedule(copied);
    ASSERT_EQ(original.size(), copied.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(original[i].Date, copied[i].Date);
        EXPECT_EQ(original[i].MannschaftHeimName, copied[i].MannschaftHeimName);
    }
    TGame* ab = GameOf(copy, "A", "B");
    EXPECT_EQ(ab->MannschaftHeim, copy.Mannschaften.FindByName("A"));
    ASSERT_NE(ab->FWunschTermin, nullptr);
    EXPECT_TRUE(copy.Mannschaften.FindByName("A")->WunschTermine.Find(ab->FDate) == ab->FWunschTermin);
    ExpectInvariants(copy);

    plan.reset(); // the copy owns everything it points at
    EXPECT_EQ(GameOf(copy, "C", "D")->FDate, D(2026, 9, 19, 18));
}

TEST(Plan, DataCacheFlagsOfTheExample) {
    TPlanData data;
    data.LoadFromClickTTFile(std::string(TERMINOR_SOURCE_DIR) + "/examples/bezirksliga-herren-nord.xml");
    TPlan plan;
    plan.Load(data);
    plan.AssignOptions(TCalculateOptions());
    EXPECT_EQ(plan.Mannschaften.size(), 12u);
    EXPECT_EQ(plan.gamesAllowed.size(), 132u);
    EXPECT_TRUE(plan.HasKoppelTermine());
    EXPECT_TRUE(plan.HasAuswaertsKoppelTermine());
    EXPECT_TRUE(plan.HasAusweichTermine());
    EXPECT_TRUE(plan.Has60KilometerValues());
    EXPECT_TRUE(plan.HasMandatoryGameDays());
    EXPECT_GT(plan.GetNumWunschDays(), 50);
    EXPECT_TRUE(plan.HasPossibleKoppelTermine());
    EXPECT_FALSE(plan.FreeGameDays.empty());
    for (TMannschaftsKostenType t : AllMannschaftsKostenTypes) {
        if (t != mktRanking && t != mktForceSameHomeGames) {
            EXPECT_TRUE(plan.HasValuesForType(t)) << MannschaftsKostenTypeName(t);
        }
    }
    ExpectInvariants(plan);
}

TEST(Plan, DataCacheTablesEqualTheirComputationFromThePlanData) {
    for (const bool doubleRound : {false, true}) {
        auto plan = terminor::test::LoadExamplePlan();
        TCalculateOptions options;
        options.DoubleRound = doubleRound;
        plan->AssignOptions(options);
        // Free days: the table against the map, over the whole season and beyond.
        for (TDateTime d = plan->DateBegin - 30; d <= plan->DateEnd + 30; d += 0.5) {
            ASSERT_EQ(plan->IsFreeGameDay(d), plan->FreeGameDays.count(DayNumber(d)) != 0)
                << FormatDayDate(d);
        }
        // Possible dates per round: the earliest and latest wish date of any team in the round
        // that is no free day.
        const TPlanDataCache& cache = plan->getDataCache();
        for (std::size_t r = 0; r < plan->Rounds().size(); ++r) {
            TDateTime first = 0;
            TDateTime last = 0;
            for (const auto& team : plan->Mannschaften) {
                for (const auto& w : team->WunschTermine) {
                    if (plan->GetRoundNumberByDate(w->Date) == static_cast<int>(r) &&
                        !plan->IsFreeGameDay(w->Date)) {
                        first = first == 0 ? w->Date : std::min(first, w->Date);
                        last = std::max(last, w->Date);
                    }
                }
            }
            EXPECT_EQ(cache.FirstPossibleDate[r], first) << r;
            EXPECT_EQ(cache.LastPossibleDate[r], last) << r;
        }
    }
}

TEST(Plan, DateCopiesEqualFullCopiesWhileThePlanDataStay) {
    auto plan = terminor::test::LoadExamplePlan();
    plan->AssignOptions(TCalculateOptions());
    std::mt19937 rng(17);
    auto moveSome = [&](int count) {
        for (int i = 0; i < count; ++i) {
            TGame* game = plan->gamesAllowed[rng() % plan->gamesAllowed.size()];
            auto& wishes = game->MannschaftHeim->WunschTermine;
            TWunschTermin& w = wishes[rng() % wishes.size()];
            if (w.assignedGame == nullptr && plan->CanPlaceGame(w, *game, false, game)) {
                game->setDate(w.Date, w.Options, w.ParallelGames, false, false, &w);
                game->MannschaftHeim->SortGamesRef();
                game->MannschaftGast->SortGamesRef();
            }
        }
    };
    moveSome(200);
    TPlan kept;
    kept.Assign(*plan);
    const std::uint64_t stamp = plan->DataStamp();
    for (int round = 0; round < 5; ++round) {
        moveSome(40);
        plan->LastOptimizedThread = "round " + std::to_string(round);
        EXPECT_EQ(plan->DataStamp(), stamp) << "dates are no plan data";
        kept.AssignDates(*plan);
        TPlan full;
        full.Assign(*plan);
        ASSERT_EQ(kept.gamesAllowed.size(), full.gamesAllowed.size());
        for (std::size_t i = 0; i < full.gamesAllowed.size(); ++i) {
            const TGame& a = *kept.gamesAllowed[i];
            const TGame& b = *full.gamesAllowed[i];
            ASSERT_EQ(a.FDate, b.FDate) << i;
            ASSERT_EQ(a.FDateOptions, b.FDateOptions) << i;
            ASSERT_EQ(a.FDateMaxHome, b.FDateMaxHome) << i;
            ASSERT_EQ(a.FNotNecessary, b.FNotNecessary) << i;
            ASSERT_EQ(a.FFixedDate, b.FFixedDate) << i;
            ASSERT_EQ(a.FWunschTermin == nullptr, b.FWunschTermin == nullptr) << i;
        }
        EXPECT_EQ(kept.LastOptimizedThread, full.LastOptimizedThread);
        EXPECT_EQ(kept.CalculateKosten(-1), full.CalculateKosten(-1));
        ExpectInvariants(kept);

        // A date copy keeps the data caches of a plan whose caches are filled; its cost is the one
        // computed with every cache built anew.
        full.AssignOptimizedDates(kept);
        const double withKeptCaches = full.CalculateKosten(-1);
        full.ClearCaches();
        EXPECT_EQ(withKeptCaches, full.CalculateKosten(-1));
    }
    plan->AssignOptions(plan->getOptions());
    EXPECT_NE(plan->DataStamp(), stamp) << "options are plan data";
    EXPECT_NE(kept.DataStamp(), plan->DataStamp()) << "a copy has its own stamp";
}
