// The synthetic division generator. Proportions follow the twelve-team example division: about
// 2.1 home dates per home game, a third of the teams with coupled dates on Saturday evenings, a quarter with
// halls for two games, a sixth with fallback dates, a third in a club with a second team of the division,
// half with sister teams in other divisions, two in five with an away-coupling wish.

#include "SyntheticDivision.h"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/DateTime.h"

namespace terminor::synthetic {

namespace {

/// splitmix64: small, fast and the same on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : FState(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (FState += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    /// Uniform in 0 ... n-1.
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    /// True with probability percent / 100.
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t FState;
};

constexpr std::array<const char*, 31> Towns = {
    "Altena",   "Arnsberg",   "Balve",       "Brilon",        "Eslohe",    "Hagen",      "Hemer",
    "Iserlohn", "Letmathe",   "Lüdenscheid", "Marsberg",      "Medebach",  "Menden",     "Meschede",
    "Neheim",   "Olsberg",    "Plettenberg", "Schmallenberg", "Sundern",   "Warstein",   "Winterberg",
    "Wickede",  "Werdohl",    "Neuenrade",   "Halver",        "Herscheid", "Finnentrop", "Attendorn",
    "Bestwig",  "Hallenberg", "Kierspe"};

constexpr std::array<const char*, 6> ClubPrefixes = {"TTC", "TuS", "TV", "SV", "DJK", "TTF"};

/// A weekly home slot: ISO weekday and start time.
struct Slot {
    int weekday;
    int hour;
    int minute;
};

/// Home slots by how often divisions use them (weights in percent).
constexpr std::array<std::pair<Slot, int>, 6> PrimarySlots = {{
    {{6, 18, 30}, 45},
    {{6, 20, 0}, 15},
    {{5, 20, 0}, 15},
    {{3, 20, 0}, 10},
    {{6, 10, 0}, 10},
    {{7, 10, 0}, 5},
}};

Slot PickPrimarySlot(Rng& rng) {
    int roll = rng.Below(100);
    for (const auto& [slot, weight] : PrimarySlots) {
        if (roll < weight) {
            return slot;
        }
        roll -= weight;
    }
    return PrimarySlots[0].first;
}

/// A further slot for teams that need more dates than one weekly slot gives: the k-th of the other
/// weekdays (a second time on the same day would not let the team play more often).
Slot ExtraSlot(const Slot& primary, int k) {
    static constexpr std::array<Slot, 6> Extra = {
        {{5, 20, 0}, {2, 20, 0}, {4, 20, 0}, {3, 20, 0}, {7, 10, 0}, {6, 18, 30}}};
    std::vector<Slot> others;
    for (const Slot& slot : Extra) {
        if (slot.weekday != primary.weekday) {
            others.push_back(slot);
        }
    }
    return others[static_cast<std::size_t>(k) % others.size()];
}

struct Team {
    std::string name;
    std::string club;
    int clubId = 0;
    int number = 1;
    /// Whether the club has a second team in this division.
    bool clubHasTwo = false;
    /// Whether the team offers coupled dates (two home games on one Saturday).
    bool couples = false;
    Slot slot{};
};

const TDateTime SeasonFrom = EncodeDate(2026, 8, 29);
const TDateTime SeasonMid = EncodeDate(2027, 1, 4);
const TDateTime SeasonUntil = EncodeDate(2027, 4, 30);
const TDateTime FirstGameDay = EncodeDate(2026, 9, 4);
const TDateTime LastGameDay = EncodeDate(2027, 4, 25);

/// The division's free days: the national holiday, Christmas to New Year, Easter.
std::set<int> FreeDays() {
    std::set<int> days{DayNumber(EncodeDate(2026, 10, 3))};
    for (TDateTime d = EncodeDate(2026, 12, 21); d <= EncodeDate(2027, 1, 3); d += 1) {
        days.insert(DayNumber(d));
    }
    for (TDateTime d = EncodeDate(2027, 3, 26); d <= EncodeDate(2027, 3, 29); d += 1) {
        days.insert(DayNumber(d));
    }
    return days;
}

/// Every date of the slot in the season that is no free day.
std::vector<TDateTime> SlotDates(const Slot& slot, const std::set<int>& freeDays) {
    std::vector<TDateTime> dates;
    TDateTime day = FirstGameDay;
    while (DayOfWeekIso(day) != slot.weekday) {
        day += 1;
    }
    for (; day <= LastGameDay; day += 7) {
        if (freeDays.count(DayNumber(day)) == 0) {
            dates.push_back(day + EncodeTime(slot.hour, slot.minute));
        }
    }
    return dates;
}

void AddHomeDates(TDataObject& node, const Team& team, int teams, Rng& rng, const std::set<int>& freeDays) {
    const int homeGames = teams - 1;
    const int wanted = std::max(homeGames + 4, (21 * homeGames + 5) / 10 + rng.Below(7) - 3);
    std::vector<TDateTime> dates = SlotDates(team.slot, freeDays);
    for (int k = 0; static_cast<int>(dates.size()) < wanted + wanted / 5; ++k) {
        const std::vector<TDateTime> more = SlotDates(ExtraSlot(team.slot, k), freeDays);
        dates.insert(dates.end(), more.begin(), more.end());
    }
    // Drop random dates down to the wanted number: teams do not offer every week.
    while (static_cast<int>(dates.size()) > wanted) {
        dates.erase(dates.begin() + rng.Below(static_cast<int>(dates.size())));
    }
    std::sort(dates.begin(), dates.end());

    // Coupled dates are Saturday evenings, with the first game in the afternoon.
    const int couplePercent = team.couples ? 15 + rng.Below(26) : 0;
    const bool twoGameHall = rng.Chance(25);
    const int fallbackPercent = rng.Chance(16) ? 15 : 0;
    for (const TDateTime date : dates) {
        TDataObject& day = node.addChild("homegameday");
        day.SetAsDateTime("datetime", date);
        day.SetAsString("location", "");
        day.SetAsInt("parallelgames", twoGameHall && rng.Chance(50) ? 2 : 0);
        day.SetAsBool("ausweichtermin", fallbackPercent > 0 && rng.Chance(fallbackPercent));
        day.SetAsBool("coupleauswaertssecondtime", false);
        day.SetAsBool("doublegameday", false);
        const bool couple = couplePercent > 0 && DayOfWeekIso(date) == 6 && MinuteOfDay(date) >= 18 * 60 &&
                            rng.Chance(couplePercent);
        day.SetAsBool("couplegameday", couple);
        if (couple) {
            day.SetAsInt("coupleprio", rng.Below(3));
            day.SetAsTime("couplesecondtime", EncodeTime(14, 30));
        }
    }
}

void AddBlockedDays(TDataObject& node, Rng& rng) {
    auto block = [&](int length) {
        const TDateTime first = FirstGameDay + rng.Below(DayNumber(LastGameDay) - DayNumber(FirstGameDay));
        for (int i = 0; i < length; ++i) {
            node.addChild("nogameday").SetAsDate("date", first + i);
        }
    };
    if (rng.Chance(70)) {
        block(1 + rng.Below(3));
    }
    if (rng.Chance(20)) {
        block(5 + rng.Below(6));
    }
}

/// A team of the same club in another division, with its games of the season: a Herren team one
/// number below the lowest of the club here, or the club's Damen or youth team.
void AddSisterTeam(TDataObject& node, const Team& team, bool herren, bool noParallel, Rng& rng) {
    TDataObject& sister = node.addChild("sisterteam");
    const int number = herren ? (team.clubHasTwo ? 3 : team.number + 1) : 1;
    const std::string name = number == 1 ? team.club : team.club + (number == 2 ? " II" : " III");
    sister.SetAsString("gender", herren ? "Herren" : (rng.Chance(50) ? "Damen" : "Jungen U18"));
    sister.SetAsString("location", "");
    sister.SetAsBool("noparallelgames", noParallel);
    sister.SetAsBool("parallelhomegames", false);
    sister.SetAsString("teamname", name);
    sister.SetAsInt("teamnumber", number);
    const int games = 7 + rng.Below(10);
    std::set<int> weeks;
    for (int g = 0; g < games; ++g) {
        const int week = rng.Below(33);
        if (!weeks.insert(week).second) {
            continue;
        }
        const int weekday = rng.Chance(70) ? 6 : 5;
        TDateTime day = FirstGameDay + 7 * week;
        while (DayOfWeekIso(day) != weekday) {
            day += 1;
        }
        TDataObject& game = sister.addChild("sistergame");
        game.SetAsDateTime("datetime", day + EncodeTime(weekday == 6 ? 18 : 20, 0));
        const std::string opponent = "Gegner " + std::to_string(g + 1);
        const bool home = rng.Chance(50);
        game.SetAsString("hometeamname", home ? name : opponent);
        game.SetAsString("guestteamname", home ? opponent : name);
    }
}

/// A random team index other than `self` and `other` (the division has at least three teams).
int OtherTeam(int teams, int self, int other, Rng& rng) {
    for (;;) {
        const int k = rng.Below(teams);
        if (k != self && k != other) {
            return k;
        }
    }
}

} // namespace

void BuildDivision(int teams, std::uint64_t seed, TPlanData& data) {
    if (teams < 2 || teams > static_cast<int>(Towns.size())) {
        throw std::invalid_argument("team count out of range");
    }
    Rng rng(seed * 0x2545F4914F6CDD1DULL + static_cast<std::uint64_t>(teams));
    data.Clear();
    TDataObject& root = data.root();
    root.SetAsString("name", "Synthetische Staffel " + std::to_string(teams));
    root.SetAsString("id", "SYN-" + std::to_string(teams));
    root.SetAsString("gender", "Herren");
    root.SetAsDate("from", SeasonFrom);
    root.SetAsDate("mid", SeasonMid);
    root.SetAsDate("until", SeasonUntil);

    // One team in six is the second team of the club before it.
    std::vector<Team> list;
    for (int i = 0; i < teams; ++i) {
        Team team;
        if (i % 6 == 1) {
            list.back().clubHasTwo = true;
            team.club = list.back().club;
            team.clubId = list.back().clubId;
            team.clubHasTwo = true;
            team.number = 2;
            team.name = team.club + " II";
        } else {
            team.club = std::string(ClubPrefixes[static_cast<std::size_t>(rng.Below(6))]) + " " +
                        Towns[static_cast<std::size_t>(i)];
            team.clubId = 200'000 + i;
            team.name = team.club;
        }
        team.slot = PickPrimarySlot(rng);
        // Every third team couples its Saturday evening dates.
        team.couples = i % 3 == 2;
        if (team.couples && (team.slot.weekday != 6 || team.slot.hour < 18)) {
            team.slot = Slot{6, 18, 30};
        }
        list.push_back(team);
    }

    const std::set<int> freeDays = FreeDays();
    for (int i = 0; i < teams; ++i) {
        const Team& team = list[static_cast<std::size_t>(i)];
        TDataObject& node = root.addChild("team");
        node.SetAsString("teamname", team.name);
        node.SetAsString("teamid", std::to_string(4'800'000 + i));
        node.SetAsString("clubid", std::to_string(team.clubId));
        node.SetAsInt("teamnumber", team.number);
        node.SetAsString("location", "");
        node.SetAsInt("homerights", -1);
        AddHomeDates(node, team, teams, rng, freeDays);
        AddBlockedDays(node, rng);
        if (teams >= 4 && rng.Chance(40)) {
            const int a = OtherTeam(teams, i, i, rng);
            const int b = OtherTeam(teams, i, a, rng);
            TDataObject& wish = node.addChild("roadcouple");
            wish.SetAsString("teamnamea", list[static_cast<std::size_t>(a)].name);
            wish.SetAsString("teamnameb", list[static_cast<std::size_t>(b)].name);
            wish.SetAsInt("sameday", rng.Below(3));
        }
        if (rng.Chance(50)) {
            for (int k = 1 + rng.Below(2); k > 0; --k) {
                const int far = OtherTeam(teams, i, i, rng);
                node.addChild("noweekgames")
                    .SetAsString("teamname", list[static_cast<std::size_t>(far)].name);
            }
        }
        if (rng.Chance(50)) {
            AddSisterTeam(node, team, true, rng.Chance(60), rng);
            if (rng.Chance(40)) {
                AddSisterTeam(node, team, false, false, rng);
            }
        }
    }

    for (const int day : freeDays) {
        root.addChild("nogameday").SetAsDate("date", static_cast<TDateTime>(day));
    }
    for (const auto& [from, to] : {std::pair{EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 13)},
                                   std::pair{EncodeDate(2027, 4, 19), EncodeDate(2027, 4, 25)}}) {
        TDataObject& period = root.addChild("mandatorygames");
        period.SetAsDate("datefrom", from);
        period.SetAsDate("dateto", to);
        period.SetAsInt("numbergames", 1);
    }
}

} // namespace terminor::synthetic
