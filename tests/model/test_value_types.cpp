// Tests of the model's value types: games and game lists, wish dates, mandatory periods,
// away-coupling wishes, sister games, home rights, rounds, cost records and schedules.

#include <gtest/gtest.h>

#include <memory>

#include "ModelTestUtil.h"
#include "model/Game.h"
#include "model/Kosten.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"
#include "model/Schedule.h"
#include "model/ValueTypes.h"
#include "model/WunschTermin.h"

using namespace terminor;
using terminor::test::D;

namespace {

std::unique_ptr<TMannschaft> Team(const std::string& name, const std::string& id) {
    auto t = std::make_unique<TMannschaft>(0);
    t->teamName = name;
    t->teamId = id;
    return t;
}

} // namespace

TEST(GameComparer, OrdersByDateThenOrdinalHomeGuestText) {
    auto a = Team("A", "1"), b = Team("B", "2"), lowerA = Team("a", "3"), ab = Team("A B", "4");
    auto z = Team("Z", "5"), c = Team("C", "6"), umlaut = Team("Ärzte", "7");

    TGame early(z.get(), c.get()), late(a.get(), b.get());
    early.FDate = D(2020, 10, 3, 10, 0);
    late.FDate = D(2020, 10, 3, 19, 30);
    EXPECT_LT(TGameComparer::Compare(early, late), 0);
    EXPECT_GT(TGameComparer::Compare(late, early), 0);

    // Same date: "A B" vs "B A"; case-sensitive ("B" < "a"); the blank between the names counts.
    TGame ab1(a.get(), b.get()), ba(b.get(), a.get()), lowerAB(lowerA.get(), b.get());
    EXPECT_LT(TGameComparer::Compare(ab1, ba), 0);
    EXPECT_LT(TGameComparer::Compare(ba, lowerAB), 0);
    TGame aZ(a.get(), z.get()), abC(ab.get(), c.get()); // "A Z" vs "A B C"
    EXPECT_GT(TGameComparer::Compare(aZ, abC), 0);
    TGame aC(a.get(), c.get()); // "A C" vs "A B C": 'C' > 'B'
    EXPECT_GT(TGameComparer::Compare(aC, abC), 0);
    TGame umlautA(umlaut.get(), a.get()), zA(z.get(), a.get()); // UTF-8 umlaut after ASCII
    EXPECT_GT(TGameComparer::Compare(umlautA, zA), 0);
    TGame ab2(a.get(), b.get());
    EXPECT_EQ(TGameComparer::Compare(ab1, ab2), 0);

    TScheduleGame s1{D(2020, 10, 3), "A", "Z", ""}, s2{D(2020, 10, 3), "A B", "C", ""};
    TScheduleGame s3{D(2020, 10, 2), "Z", "Z", ""};
    EXPECT_GT(TScheduleComparer::Compare(s1, s2), 0);
    EXPECT_LT(TScheduleComparer::Compare(s3, s2), 0);
    EXPECT_EQ(TScheduleComparer::Compare(s1, s1), 0);
}

TEST(Schedule, SortByDateIsStable) {
    TSchedule s;
    s.push_back({D(2020, 10, 3), "B", "A", "first"});
    s.push_back({0.0, "Z", "A", ""});
    s.push_back({D(2020, 10, 3), "A", "B", ""});
    s.push_back({D(2020, 10, 3), "B", "A", "second"});
    s.push_back({D(2020, 10, 1), "C", "A", ""});
    s.SortByDate();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0].MannschaftHeimName, "Z");
    EXPECT_FALSE(s[0].DateValid());
    EXPECT_EQ(s[1].MannschaftHeimName, "C");
    EXPECT_EQ(s[2].MannschaftHeimName, "A");
    EXPECT_EQ(s[3].Location, "first");
    EXPECT_EQ(s[4].Location, "second");
}

TEST(GameList, SortByDateIsStableAndKeepsOwnership) {
    auto a = Team("A", "1"), b = Team("B", "2");
    TGameList list(true);
    auto add = [&](TMannschaft* h, TMannschaft* g, TDateTime d) {
        TGame* game = list.Add(std::make_unique<TGame>(h, g));
        game->FDate = d;
        return game;
    };
    TGame* g1 = add(b.get(), a.get(), D(2020, 10, 5));
    TGame* g2 = add(a.get(), b.get(), D(2020, 10, 5));
    TGame* g3 = add(b.get(), a.get(), D(2020, 10, 5)); // equal to g1
    TGame* g4 = add(a.get(), b.get(), 0.0);
    TGame* g5 = add(a.get(), b.get(), D(2020, 10, 1));
    TGame* g6 = add(a.get(), b.get(), 0.0); // equal to g4
    list.SortByDate();
    const std::vector<TGame*> expected = {g4, g6, g5, g2, g1, g3};
    EXPECT_EQ(list.Items(), expected);
    EXPECT_EQ(list.IndexOf(g1), 4);
    EXPECT_EQ(list.IndexOf(nullptr), -1);

    // A sorted list stays as it is; a reverse-sorted one is fully ordered.
    list.SortByDate();
    EXPECT_EQ(list.Items(), expected);
    TGameList refs(false);
    for (auto it = expected.rbegin(); it != expected.rend(); ++it) {
        refs.AddRef(*it);
    }
    refs.SortByDate();
    EXPECT_EQ(refs[0], g6) << "equal games keep their (reversed) order";
    EXPECT_EQ(refs[1], g4);
    EXPECT_EQ(refs[3], g2);
    EXPECT_EQ(refs[4], g3);
    EXPECT_EQ(refs[5], g1);

    // GetRefListe empties the target and references the same games in the same order.
    TGameList target(false);
    target.AddRef(g1);
    list.GetRefListe(target);
    EXPECT_EQ(target.Items(), list.Items());
    refs.Clear();
    EXPECT_TRUE(refs.empty());
    EXPECT_EQ(list.size(), 6u);
}

TEST(GameList, BinarySearchByDate) {
    auto a = Team("A", "1"), b = Team("B", "2");
    TGameList list(true);
    EXPECT_EQ(list.getFirstGameRefIndexByDate(D(2020, 10, 3)), 0);

    const std::vector<TDateTime> dates = {D(2020, 9, 1), D(2020, 9, 8, 19, 30), D(2020, 9, 15),
                                          D(2020, 9, 22), D(2020, 9, 29)};
    for (TDateTime d : dates) {
        list.Add(std::make_unique<TGame>(a.get(), b.get()))->FDate = d;
    }
    for (std::size_t i = 0; i < dates.size(); ++i) {
        EXPECT_EQ(list.getFirstGameRefIndexByDate(dates[i]), static_cast<int>(i));
    }
    EXPECT_EQ(list.getFirstGameRefIndexByDate(D(2020, 8, 1)), 0);
    EXPECT_EQ(list.getFirstGameRefIndexByDate(D(2020, 10, 1)), 5) << "beyond the last: the count";
    EXPECT_EQ(list.getFirstGameRefIndexByDate(D(2020, 9, 8, 19, 29)), 1) << "insertion position";
    EXPECT_EQ(list.getFirstGameRefIndexByDate(D(2020, 9, 8, 19, 31)), 2);

    // Relative tolerance: about 4.4E-11 days at these dates.
    EXPECT_EQ(list.getFirstGameRefIndexByDate(dates[3] + 2e-11), 3);
    EXPECT_EQ(list.getFirstGameRefIndexByDate(dates[3] - 2e-11), 3);
    EXPECT_EQ(list.getFirstGameRefIndexByDate(dates[3] + 1e-9), 4);
    EXPECT_EQ(list.getFirstGameRefIndexByDate(dates[3] - 1e-9), 3);

    // Equal dates: a hit is one of the equal games.
    TGameList same(true);
    for (int i = 0; i < 4; ++i) {
        same.Add(std::make_unique<TGame>(a.get(), b.get()))->FDate = D(2020, 9, 1);
    }
    const int hit = same.getFirstGameRefIndexByDate(D(2020, 9, 1));
    EXPECT_GE(hit, 0);
    EXPECT_LT(hit, 4);
    // Undated games (0) are found with the absolute tolerance.
    TGameList zero(true);
    zero.Add(std::make_unique<TGame>(a.get(), b.get()));
    EXPECT_EQ(zero.getFirstGameRefIndexByDate(1e-16), 0);
    EXPECT_EQ(zero.getFirstGameRefIndexByDate(1e-14), 1);
}

TEST(Game, SetDateKeepsBackReferencesAndClearsBothCostCaches) {
    TMannschaft heim(0), gast(1);
    heim.KostenCache.Valid = true;
    gast.KostenCache.Valid = true;
    heim.KostenCache.Values[3].GesamtKosten = 7.0;
    TWunschTermin w1, w2;
    w1.Date = D(2020, 10, 3, 19, 30);
    w2.Date = D(2020, 10, 10, 19, 30);

    TGame game(&heim, &gast);
    game.setDate(w1.Date, {woKoppelSoft}, 2, true, true, &w1);
    EXPECT_FALSE(heim.KostenCache.Valid);
    EXPECT_FALSE(gast.KostenCache.Valid);
    EXPECT_EQ(heim.KostenCache.Values[3].GesamtKosten, -1.0);
    EXPECT_EQ(game.FDate, w1.Date);
    EXPECT_EQ(game.FDateOptions, TWunschterminOptions({woKoppelSoft}));
    EXPECT_EQ(game.FDateMaxHome, 2);
    EXPECT_TRUE(game.FFixedDate);
    EXPECT_TRUE(game.FNotNecessary);
    EXPECT_TRUE(game.DateValid());
    EXPECT_EQ(game.FWunschTermin, &w1);
    EXPECT_EQ(w1.assignedGame, &game);

    // Moving to another wish date releases the old one.
    heim.KostenCache.Valid = true;
    game.setDate(w2.Date, {}, 0, false, false, &w2);
    EXPECT_FALSE(heim.KostenCache.Valid);
    EXPECT_EQ(w1.assignedGame, nullptr);
    EXPECT_EQ(w2.assignedGame, &game);
    EXPECT_FALSE(game.FFixedDate);

    // A wish date another game holds: the back reference moves, the other game keeps its pointer.
    TGame other(&gast, &heim);
    other.setDate(w2.Date, {}, 0, false, false, &w2);
    EXPECT_EQ(w2.assignedGame, &other);
    EXPECT_EQ(game.FWunschTermin, &w2);
    // Re-dating the first game leaves the other game's back reference alone.
    game.setEmptyDate();
    EXPECT_EQ(w2.assignedGame, &other);
    EXPECT_EQ(other.FWunschTermin, &w2);
    EXPECT_EQ(game.FWunschTermin, nullptr);
    EXPECT_FALSE(game.DateValid());
    EXPECT_TRUE(game.FDateOptions.Empty());
}

TEST(Game, ResetTextsSamenessAndLocation) {
    TMannschaft heim(0), gast(1);
    heim.teamName = "TTC Altena";
    heim.teamId = "11";
    gast.teamName = "TuS Müschede";
    gast.teamId = "22";
    TWunschTermin w;
    w.Date = D(2020, 10, 3, 19, 30);
    w.Location = "2";

    TGame game(&heim, &gast);
    EXPECT_EQ(game.AsString(), "TTC Altena - TuS Müschede");
    EXPECT_EQ(game.GetLocation(), "");
    game.setDate(w.Date, {woKoppelHard}, 3, true, true, &w);
    EXPECT_EQ(game.AsString(), "Sa 03.10.2020 19:30: TTC Altena - TuS Müschede");
    EXPECT_EQ(game.GetLocation(), "2");
    game.OverrideLocation = "4";
    EXPECT_EQ(game.GetLocation(), "4");

    // Sameness: date and team ids, not team objects.
    TMannschaft heimCopy(5), gastCopy(6);
    heimCopy.teamId = "11";
    gastCopy.teamId = "22";
    TGame same(&heimCopy, &gastCopy);
    same.FDate = w.Date;
    TGame reversed(&gast, &heim);
    reversed.FDate = w.Date;
    TGame otherTime(&heim, &gast);
    otherTime.FDate = w.Date + EncodeTime(0, 1);
    EXPECT_TRUE(game.isTheSame(same));
    EXPECT_FALSE(game.isTheSame(reversed));
    EXPECT_FALSE(game.isTheSame(otherTime));
    TGameList list(false);
    list.AddRef(&reversed);
    list.AddRef(&otherTime);
    EXPECT_EQ(list.findSameGame(game), nullptr);
    list.AddRef(&same);
    list.AddRef(&game);
    EXPECT_EQ(list.findSameGame(game), &same);

    game.FDateRef = 5.0;
    game.FNotNecessaryRef = true;
    EXPECT_EQ(w.assignedGame, &game);
    game.Reset();
    EXPECT_EQ(w.assignedGame, nullptr) << "the wish date is released";
    EXPECT_EQ(game.FDate, 0.0);
    EXPECT_TRUE(game.FDateOptions.Empty());
    EXPECT_EQ(game.FDateMaxHome, 0);
    EXPECT_EQ(game.FWunschTermin, nullptr);
    EXPECT_FALSE(game.FFixedDate);
    EXPECT_FALSE(game.FNotNecessary);
    EXPECT_EQ(game.FDateRef, 0.0);
    EXPECT_FALSE(game.FNotNecessaryRef);
    EXPECT_EQ(game.OverrideLocation, "");
    EXPECT_EQ(game.GetLocation(), "");
    EXPECT_EQ(game.MannschaftHeim, &heim);

    // A wish date another game holds by now keeps that game's back reference.
    game.setDate(w.Date, {}, 0, false, false, &w);
    TGame holder(&gast, &heim);
    holder.setDate(w.Date, {}, 0, false, false, &w);
    game.Reset();
    EXPECT_EQ(w.assignedGame, &holder);
    EXPECT_EQ(game.FWunschTermin, nullptr);
}

TEST(WunschTermin, AssignFindAndOrder) {
    TGame dummy(nullptr, nullptr);
    TGame* someGame = &dummy;
    TWunschTermin src;
    src.Date = D(2020, 10, 3, 19, 30);
    src.ParallelGames = 2;
    src.Options = {woKoppelPossible, woAuswaertsKoppelHasSecondTime};
    src.KoppelSecondTime = D(2020, 10, 3, 15, 0);
    src.assignedGame = someGame;
    src.Location = "3";
    TWunschTermin copy;
    copy.Assign(src);
    EXPECT_EQ(copy.Date, src.Date);
    EXPECT_EQ(copy.ParallelGames, 2);
    EXPECT_EQ(copy.Options, src.Options);
    EXPECT_EQ(copy.KoppelSecondTime, src.KoppelSecondTime);
    EXPECT_EQ(copy.Location, "3");
    EXPECT_EQ(copy.assignedGame, nullptr);

    TWunschTerminList list;
    list.Add().Date = D(2020, 10, 10, 19, 30);
    list.Add().Date = D(2020, 10, 3, 19, 30);
    list.Add().Date = D(2020, 10, 3, 15, 0);
    list[2].Location = "first";
    list.Add().Date = D(2020, 10, 3, 15, 0);
    EXPECT_EQ(list.Find(D(2020, 10, 3, 19, 30)), &list[1]);
    EXPECT_EQ(list.Find(D(2020, 10, 3, 15, 0)), &list[2]) << "the first match";
    EXPECT_EQ(list.Find(D(2020, 10, 3)), nullptr);
    EXPECT_FALSE(list.Exists(D(2020, 10, 10, 19, 0)));
    EXPECT_TRUE(list.ExistsIgnoreTime(D(2020, 10, 10, 8, 0)));
    EXPECT_FALSE(list.ExistsIgnoreTime(D(2020, 10, 11)));

    TWunschTermin* addressBefore = &list[2];
    list.Sort();
    EXPECT_EQ(list[0].Date, D(2020, 10, 3, 15, 0));
    EXPECT_EQ(&list[0], addressBefore) << "stable; elements keep their addresses";
    EXPECT_EQ(list[2].Date, D(2020, 10, 3, 19, 30));
    EXPECT_EQ(list[3].Date, D(2020, 10, 10, 19, 30));
    EXPECT_EQ(TWunschTerminComparer::Compare(list[0], list[1]), 0);
    EXPECT_LT(TWunschTerminComparer::Compare(list[1], list[2]), 0);

    list[0].assignedGame = someGame;
    TWunschTerminList other;
    other.Add();
    other.Assign(list);
    ASSERT_EQ(other.size(), 4u);
    EXPECT_EQ(other[0].Location, "first");
    EXPECT_EQ(other[0].assignedGame, nullptr);
    EXPECT_NE(&other[0], &list[0]);
    other.Delete(0);
    EXPECT_EQ(other.size(), 3u);
    EXPECT_EQ(other[0].Location, "");
}

TEST(MandatoryTime, TextsOrderAndLookup) {
    TPlanMandatoryTime t{D(2020, 10, 3), D(2020, 10, 18), 2};
    EXPECT_EQ(t.AsString(), "Sa 03.10.2020 - So 18.10.2020 mindestens 2 Spiele");
    TPlanMandatoryTime removed{D(2020, 10, 3), D(2020, 10, 18), 0};
    EXPECT_EQ(removed.AsString(), "Sa 03.10.2020 - So 18.10.2020 wurde entfernt");
    EXPECT_FALSE(t.IsTheSame(removed));
    EXPECT_TRUE(t.IsTheSame(TPlanMandatoryTime{D(2020, 10, 3), D(2020, 10, 18), 2}));

    TPlanMandatoryTimeList list;
    list.push_back({D(2020, 11, 1), D(2020, 11, 8), 1});
    list.push_back(t);
    list.push_back({D(2020, 10, 3), D(2020, 10, 11), 5});
    list.push_back(removed);
    list.push_back({D(2020, 10, 3), D(2020, 10, 18), 1});
    EXPECT_EQ(list.FindValueByDate(TPlanMandatoryTime{D(2020, 10, 3), D(2020, 10, 18), 9}), 4)
        << "last match";
    EXPECT_EQ(list.FindValueByDate(TPlanMandatoryTime{D(2020, 10, 3), D(2020, 10, 19), 2}), -1);

    list.Sort();
    EXPECT_EQ(list[0].GameCount, 5); // earlier DateTo first
    EXPECT_EQ(list[1].GameCount, 0); // equal dates by count
    EXPECT_EQ(list[2].GameCount, 1);
    EXPECT_EQ(list[3].GameCount, 2);
    EXPECT_EQ(list[4].DateFrom, D(2020, 11, 1));
    EXPECT_LT(TPlanMandatoryTimeComparer::Compare(list[3], list[4]), 0);

    TPlanMandatoryTimeList copy;
    copy.push_back(t);
    copy.Assign(list);
    EXPECT_EQ(copy.size(), 5u);
    copy.Assign(copy);
    EXPECT_EQ(copy.size(), 5u);
}

TEST(SisterGames, DayMapOrdersAndCopies) {
    TMapSisterGames map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.get(D(2020, 10, 3)), nullptr);

    TSisterGame evening;
    evening.Date = D(2020, 10, 3, 19, 30);
    evening.teamName = "Herren II";
    evening.HomeMannschaftName = "X";
    evening.PreventParallelGame = true;
    TSisterGame morning = evening;
    morning.Date = D(2020, 10, 3, 10, 0);
    morning.teamName = "Jungen";
    TSisterGame earlierDay = evening;
    earlierDay.Date = D(2020, 9, 26, 18, 0);
    map.Add(evening);
    map.Add(morning);
    map.Add(earlierDay);

    const TSisterGames* day = map.get(D(2020, 10, 3, 23, 59));
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day, map.get(D(2020, 10, 3)));
    EXPECT_EQ(day->size(), 2u);
    EXPECT_EQ(map.get(D(2020, 10, 4)), nullptr);
    const auto sorted = day->toSortedArray();
    ASSERT_EQ(sorted.size(), 2u);
    EXPECT_EQ(sorted[0]->teamName, "Jungen");
    EXPECT_EQ(sorted[1]->teamName, "Herren II");

    const TMapSisterGames& constMap = map;
    const auto arr = constMap.toArray();
    ASSERT_EQ(arr.size(), 2u);
    EXPECT_EQ(arr[0]->front().Date, earlierDay.Date);
    // Day lists sorted by their first game; an empty list counts as date 0.
    TSisterGames empty, second;
    second.push_back(earlierDay);
    EXPECT_LT(TSisterGamesComparer::Compare(empty, second), 0);
    EXPECT_GT(TSisterGameComparer::Compare(evening, morning), 0);
    const auto sortedDays = map.toSortedArray();
    EXPECT_EQ(sortedDays[0]->front().Date, earlierDay.Date);
    EXPECT_EQ(sortedDays[1]->front().Date, evening.Date) << "first game of the day list (insertion order)";

    TMapSisterGames copy;
    copy.Add(morning);
    copy.Assign(map);
    ASSERT_NE(copy.get(D(2020, 10, 3)), nullptr);
    EXPECT_EQ(copy.get(D(2020, 10, 3))->size(), 2u);
    EXPECT_NE(copy.get(D(2020, 10, 3)), map.get(D(2020, 10, 3)));
    EXPECT_TRUE(copy.get(D(2020, 10, 3))->front().PreventParallelGame);
    copy.Clear();
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(HomeRightsRoundsAndLists, TextsAndLookups) {
    THomeRight r1{"TuS Müschede", hrRound1}, r2{"TTC Altena", hrRound2}, none{"X", hrNone};
    EXPECT_EQ(r1.AsString(), "Heimspiel gegen TuS Müschede in der Vorrunde");
    EXPECT_EQ(r2.AsString(), "Heimspiel gegen TTC Altena in der Rückrunde");
    EXPECT_EQ(none.AsString(), "");
    THomeRightList rights;
    rights.push_back(r1);
    rights.push_back(r2);
    rights.push_back({"TuS Müschede", hrRound2});
    EXPECT_EQ(rights.getValueForTeam("TuS Müschede"), hrRound1) << "first match";
    EXPECT_EQ(rights.getValueForTeam("ttc altena"), hrNone) << "exact comparison";
    EXPECT_EQ(rights.getValueForTeam("TTC Altena"), hrRound2);

    TRoundInfo round{D(2020, 9, 1), D(2021, 1, 1)};
    EXPECT_TRUE(round.DateInRound(D(2020, 9, 1)));
    EXPECT_TRUE(round.DateInRound(D(2020, 12, 31, 23, 59)));
    EXPECT_FALSE(round.DateInRound(D(2021, 1, 1)));
    EXPECT_FALSE(round.DateInRound(D(2020, 8, 31, 23, 59)));

    TDateList dates;
    dates.push_back(D(2020, 10, 10));
    dates.push_back(D(2020, 9, 1));
    dates.push_back(D(2020, 10, 3));
    dates.Sort();
    EXPECT_EQ(dates.front(), D(2020, 9, 1));
    EXPECT_TRUE(dates.ContainsSorted(D(2020, 10, 3)));
    EXPECT_FALSE(dates.ContainsSorted(D(2020, 10, 4)));
    TDateList copy;
    copy.push_back(1.0);
    copy.Assign(dates);
    EXPECT_EQ(copy, dates);

    TAuswaertsKoppelCachedTeams cached;
    cached.AddTeamIdToTeamId("1", "2");
    cached.AddTeamIdToTeamId("1", "3");
    cached.AddTeamIdToTeamId("1", "2");
    cached.AddTeamIdToTeamId("2", "1");
    EXPECT_EQ(cached.TeamIdToTeamId["1"], (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(cached.TeamIdToTeamId["2"], (std::vector<std::string>{"1"}));
}

TEST(Kosten, RecordsAndCache) {
    TMannschaftsKosten k;
    EXPECT_FALSE(k.HasMessages());
    k.Messages().push_back("x");
    EXPECT_TRUE(k.HasMessages());
    EXPECT_EQ(k.Messages().size(), 1u);

    EXPECT_EQ(k.getGesamtKosten(), 0.0);
    k[mktHalleBelegt].GesamtKosten = 1e10;
    k[mktMandatoryGames].GesamtKosten = 2.5;
    k[mktRanking] = {3, 7, 100.0};
    EXPECT_EQ(k.getGesamtKosten(), 1e10 + 2.5 + 100.0);
    k.ClearValues(mktRanking);
    EXPECT_EQ(k[mktRanking].Anzahl, 0);
    EXPECT_EQ(k[mktRanking].AllCount, -1);
    EXPECT_EQ(k[mktRanking].GesamtKosten, 0.0);
    EXPECT_EQ(k[mktMandatoryGames].GesamtKosten, 2.5);
    k[mktSperrTermine].Anzahl = 4;
    k.ClearAllValues();
    EXPECT_EQ(k.getGesamtKosten(), 0.0);
    EXPECT_EQ(k[mktSperrTermine].Anzahl, 0);
    EXPECT_EQ(k[mktHalleBelegt].AllCount, -1);

    TKostenCache cache;
    cache.Valid = true;
    cache.Values[5] = {2, 9, 30.0};
    cache.Clear();
    EXPECT_FALSE(cache.Valid);
    for (const TKostenValue& v : cache.Values) {
        EXPECT_EQ(v.GesamtKosten, -1.0);
        EXPECT_EQ(v.Anzahl, 0);
        EXPECT_EQ(v.AllCount, -1);
    }
}

TEST(AuswaertsKoppel, TextCachedLookupAndAssign) {
    TAuswaertsKoppel k;
    k.TeamA = "TTC Altena";
    k.TeamB = "TuS Müschede";
    k.Option = ktDiffDay;
    EXPECT_EQ(k.AsString(), "TTC Altena und TuS Müschede mit Übernachtung");
    k.Option = ktAllDay;
    EXPECT_EQ(k.AsString(), "TTC Altena und TuS Müschede am gleichen Tag oder mit Übernachten");

    TPlan plan;
    for (int i = 0; i < 2; ++i) {
        plan.Mannschaften.Add(std::make_unique<TMannschaft>(i)).teamName = i == 0 ? "TTC Altena" : "Other";
    }
    TMannschaft* altena = plan.Mannschaften[0];
    EXPECT_EQ(k.getMannschaftA(plan), altena);
    EXPECT_EQ(k.getMannschaftB(plan), nullptr) << "no team of that name";
    EXPECT_EQ(k.CachedMannschaftA, altena);

    // The cached team keeps answering after the list changed.
    altena->teamName = "Renamed";
    TMannschaft& mueschede = plan.Mannschaften.Add(std::make_unique<TMannschaft>(2));
    mueschede.teamName = "TuS Müschede";
    TMannschaft& newAltena = plan.Mannschaften.Add(std::make_unique<TMannschaft>(3));
    newAltena.teamName = "TTC Altena";
    EXPECT_EQ(k.getMannschaftA(plan), altena);
    EXPECT_EQ(k.getMannschaftB(plan), &mueschede) << "an empty cache is resolved again";

    // A copy starts with empty caches.
    TAuswaertsKoppel copy;
    copy.CachedMannschaftB = altena;
    copy.Assign(k);
    EXPECT_EQ(copy.TeamA, "TTC Altena");
    EXPECT_EQ(copy.Option, ktAllDay);
    EXPECT_EQ(copy.CachedMannschaftA, nullptr);
    EXPECT_EQ(copy.CachedMannschaftB, nullptr);
    EXPECT_EQ(copy.getMannschaftA(plan), &newAltena);
}

TEST(ModelTestUtil, LoadsPlansFromTextAndExample) {
    auto plan = terminor::test::LoadPlanFromText(
        "<plan name=\"Liga\" from=\"01.09.2020\" until=\"30.04.2021\" mid=\"01.01.2021\">"
        "<team teamname=\"B\" teamid=\"2\"/><team teamname=\"A\" teamid=\"1\"/></plan>");
    EXPECT_EQ(plan->PlanName, "Liga");
    ASSERT_EQ(plan->Mannschaften.size(), 2u);
    EXPECT_EQ(plan->Mannschaften[0]->teamName, "A");

    auto example = terminor::test::LoadExamplePlan();
    EXPECT_GT(example->Mannschaften.size(), 2u);
    EXPECT_FALSE(example->gamesAllowed.empty());
}
