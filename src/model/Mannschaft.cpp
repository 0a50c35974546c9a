// TMannschaft: loading a team from the plan data, its availability, hall, parallel-game and
// coupling queries, its plan-data diagnostics; TMannschaftList: the plan's team list.

#include "model/Mannschaft.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "data/DataObject.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "model/Plan.h"

namespace terminor {

namespace {

constexpr std::int64_t MsPerMinute = 60'000;
/// Two games of one team on one day need at least this distance between their start times.
constexpr std::int64_t MinKoppelDistanceMs = 210 * MsPerMinute;
/// A sister home game at most this far from a date occupies the hall.
constexpr std::int64_t HallWindowMs = 89 * MsPerMinute;
/// A game of a neighbouring team at most this far from a date runs in parallel.
constexpr std::int64_t ParallelWindowMs = 239 * MsPerMinute;

std::int64_t AbsMsBetween(std::int64_t ms, TDateTime other) {
    return std::llabs(ToMilliseconds(other) - ms);
}

/// The venue of a game as TGame::GetLocation, without copying the text.
const std::string& GameLocation(const TGame& game) {
    static const std::string empty;
    if (!game.OverrideLocation.empty()) {
        return game.OverrideLocation;
    }
    return game.FWunschTermin != nullptr ? game.FWunschTermin->Location : empty;
}

/// KoppelSecondTime: the day of `date` plus the time of "couplesecondtime", whole milliseconds.
TDateTime SecondTimeOf(TDateTime date, const TDataObject& data) {
    return NormalizeDateTime(DateOf(date) + data.GetAsTime("couplesecondtime"));
}

bool ContainsDay(const TDateList& sortedDays, TDateTime date) {
    return std::binary_search(sortedDays.begin(), sortedDays.end(), DateOf(date));
}

void AppendSeparated(std::string& text, const std::string& a, const char* separator, const std::string& b,
                     const char* suffix) {
    if (!text.empty()) {
        text += ", ";
    }
    text += a;
    text += separator;
    text += b;
    text += suffix;
}

enum class SearchDirection { Start, Up, Down };

/// The state of one parallel-games search (GetParallelGames).
struct ParallelSearch {
    const TMannschaft& self;
    const TPlan& plan;
    const TSisterGames* dayGames;
    std::int64_t dateMs;
    int dateDay;
    bool fillMessage;
    bool ignoreThisPlan;
    int& numGames;
    std::string& message;

    void Continue(int number, SearchDirection direction) {
        if (direction == SearchDirection::Start) {
            Search(number, SearchDirection::Up);
            Search(number, SearchDirection::Down);
        } else {
            Search(number, direction);
        }
    }

    bool SisterGameQualifies(const TSisterGame& game, int number, SearchDirection direction) const {
        switch (direction) {
        case SearchDirection::Start:
            return game.PreventParallelGame ||
                   (game.gender == plan.gender && (game.Number == number + 1 || game.Number == number - 1));
        case SearchDirection::Up:
            return game.Number == number + 1 && game.gender == plan.gender;
        case SearchDirection::Down:
            return game.Number == number - 1 && game.gender == plan.gender;
        }
        return false;
    }

    void Search(int number, SearchDirection direction) {
        if (dayGames != nullptr) {
            for (const TSisterGame& game : *dayGames) {
                if (!SisterGameQualifies(game, number, direction) ||
                    AbsMsBetween(dateMs, game.Date) > ParallelWindowMs) {
                    continue;
                }
                ++numGames;
                if (fillMessage) {
                    AppendSeparated(message, game.HomeMannschaftName, " - ", game.GuestMannschaftName, "");
                }
                Continue(game.Number, direction);
            }
        }
        if (ignoreThisPlan) {
            return;
        }
        for (const TMannschaft* team : self.SisterTeamsInPlan) {
            const bool qualifies = (direction != SearchDirection::Down && team->teamNumber == number + 1) ||
                                   (direction != SearchDirection::Up && team->teamNumber == number - 1);
            if (!qualifies) {
                continue;
            }
            if (!team->MayHaveGameNear(dateDay)) {
                continue;
            }
            for (const TGame* game : team->gamesRef) {
                if (game->MannschaftHeim == &self || game->MannschaftGast == &self || !game->DateValid() ||
                    AbsMsBetween(dateMs, game->FDate) > ParallelWindowMs) {
                    continue;
                }
                ++numGames;
                if (fillMessage) {
                    AppendSeparated(message, game->MannschaftHeim->teamName, " - ",
                                    game->MannschaftGast->teamName, "");
                }
                Continue(team->teamNumber, direction);
            }
        }
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Construction and copying

TMannschaft::TMannschaft(int index) : Index(index) {
    ClearCache();
}

TMannschaft::~TMannschaft() = default;

void TMannschaft::Assign(const TMannschaft& source) {
    teamName = source.teamName;
    clubID = source.clubID;
    teamId = source.teamId;
    DefaultLocation = source.DefaultLocation;
    teamNumber = source.teamNumber;
    sisterGames.Assign(source.sisterGames);
    noWeekGame = source.noWeekGame;
    SperrTermine.Assign(source.SperrTermine);
    SperrTermine.Sort();
    AusweichTermine.Assign(source.AusweichTermine);
    AusweichTermine.Sort();
    AuswaertsKoppel.clear();
    AuswaertsKoppel.reserve(source.AuswaertsKoppel.size());
    for (const TAuswaertsKoppel& koppel : source.AuswaertsKoppel) {
        AuswaertsKoppel.emplace_back().Assign(koppel);
    }
    HomeRightCountRoundOne = source.HomeRightCountRoundOne;
    HomeRights = source.HomeRights;
    WunschTermine.Assign(source.WunschTermine);
    SisterTeamsInPlan.clear();
    ClearCache();
}

void TMannschaft::GamesChanged() {
    KostenCache.Clear();
    FGamesMoved = true;
    FPairTableValid = false;
    for (TMannschaft* sister : SisterTeamsInPlan) {
        for (const TMannschaftsKostenType type : {mktHalleBelegt, mktSisterGames}) {
            sister->KostenCache.Values[static_cast<std::size_t>(type)] = TKostenValue{0, -1, -1.0};
        }
    }
}

void TMannschaft::SortGamesRef() {
    gamesRef.SortByDate();
    FGamesMoved = false;
    FPairTableValid = false;
    for (std::size_t i = 0; i < gamesRef.size(); ++i) {
        TGame* game = gamesRef[i];
        (game->MannschaftHeim == this ? game->FPosHeim : game->FPosGast) = static_cast<int>(i);
    }
}

bool TMannschaft::AtRecordedPosition(const TGame& game) const {
    const int pos = game.MannschaftHeim == this ? game.FPosHeim : game.FPosGast;
    return pos >= 0 && static_cast<std::size_t>(pos) < gamesRef.size() &&
           gamesRef[static_cast<std::size_t>(pos)] == &game;
}

void TMannschaft::NoteGameDate(const TGame& game, TDateTime oldDate, TDateTime newDate,
                               const TMannschaft& opponent, bool home) {
    FGamesMoved = true;
    FPairTableValid = false;
    if (oldDate != 0.0) {
        const std::size_t slot = DaySlot(DayNumber(oldDate));
        --FSlotGames[slot];
        ++FSlotVersion[slot];
        // Which game is left in a slot that held two is not known.
        FSlotGame[slot] = nullptr;
    }
    if (newDate != 0.0) {
        const std::size_t slot = DaySlot(DayNumber(newDate));
        ++FSlotGames[slot];
        ++FSlotVersion[slot];
        // A game that is not in gamesRef is counted but never named.
        FSlotGame[slot] = FSlotGames[slot] == 1 && AtRecordedPosition(game) ? &game : nullptr;
    }
    if (home) {
        ++FHomePairingVersion[OpponentSlot(opponent)];
    }
}

void TMannschaft::RecountDaySlots() {
    FSlotGames.fill(0);
    FSlotGame.fill(nullptr);
    for (const TGame* game : gamesRef) {
        if (game->DateValid()) {
            const std::size_t slot = DaySlot(DayNumber(game->FDate));
            FSlotGame[slot] = ++FSlotGames[slot] == 1 ? game : nullptr;
        }
    }
}

void TMannschaft::ClearCache() {
    FPairTableValid = false;
    KostenCache.Clear();
    KostenCacheRef.Clear();
    DataCache.reset();
}

// ---------------------------------------------------------------------------------------------
// Loading

void TMannschaft::load(const TDataObject& data, const TPlan& plan, const TPlanData& /*planData*/) {
    clubID = data.GetAsString("clubid");
    teamId = data.GetAsString("teamid");
    teamNumber = data.GetAsInt("teamnumber");
    teamName = data.GetAsString("teamname");
    DefaultLocation = TPlanData::FixLocation(data.GetAsString("location"));
    // Teams entered by hand carry no "homerights": their home-game count is automatic.
    HomeRightCountRoundOne = data.HasAttribute("homerights") ? data.GetAsInt("homerights") : -1;

    loadGameDays(plan, data);

    for (const TDataObject* sisterTeam : data.NamedChilds("sisterteam")) {
        const std::string& gender = sisterTeam->GetAsString("gender");
        const int number = sisterTeam->GetAsInt("teamnumber");
        const std::string& name = sisterTeam->GetAsString("teamname");
        const std::string location = TPlanData::FixLocation(sisterTeam->GetAsString("location"));
        const bool noParallelGames = sisterTeam->GetAsBool("noparallelgames");
        const bool parallelHomeGames = sisterTeam->GetAsBool("parallelhomegames");
        for (const TDataObject* node : sisterTeam->NamedChilds("sistergame")) {
            TSisterGame game;
            game.Date = node->GetAsDateTime("datetime");
            game.Number = number;
            game.teamName = name;
            game.gender = gender;
            game.HomeMannschaftName = node->GetAsString("hometeamname");
            game.GuestMannschaftName = node->GetAsString("guestteamname");
            game.IsHomeGame = game.HomeMannschaftName == name;
            game.Location = game.IsHomeGame ? location : std::string();
            std::string ownLocation = TPlanData::FixLocation(node->GetAsString("location"));
            if (!ownLocation.empty()) {
                game.Location = std::move(ownLocation);
            }
            game.PreventParallelGame = noParallelGames;
            game.ForceParallelHomeGames = parallelHomeGames;
            sisterGames.Add(game);
        }
    }
}

void TMannschaft::loadGameDays(const TPlan& /*plan*/, const TDataObject& data) {
    for (const TDataObject* node : data.NamedChilds("homegameday")) {
        loadHomeGame(data, *node);
    }
    for (const TDataObject* node : data.NamedChilds("nogameday")) {
        loadNoGame(*node);
    }
    for (const TDataObject* node : data.NamedChilds("roadcouple")) {
        TAuswaertsKoppel& koppel = AuswaertsKoppel.emplace_back();
        koppel.TeamA = node->GetAsString("teamnamea");
        koppel.TeamB = node->GetAsString("teamnameb");
        switch (node->GetAsInt("sameday")) {
        case 0:
            koppel.Option = ktSameDay;
            break;
        case 1:
            koppel.Option = ktDiffDay;
            break;
        default:
            koppel.Option = ktAllDay;
            break;
        }
    }
    for (const TDataObject* node : data.NamedChilds("homerights")) {
        const int value = node->GetAsInt("homeright");
        if (value == 1 || value == 2) {
            HomeRights.push_back(THomeRight{node->GetAsString("teamname"), value == 1 ? hrRound1 : hrRound2});
        }
    }
    for (const TDataObject* node : data.NamedChilds("noweekgames")) {
        noWeekGame.push_back(node->GetAsString("teamname"));
    }
    WunschTermine.Sort();
    AusweichTermine.Sort();
    SperrTermine.Sort();
}

void TMannschaft::loadHomeGame(const TDataObject& teamNode, const TDataObject& data) {
    TWunschTermin& termin = WunschTermine.Add();
    termin.Date = data.GetAsDateTime("datetime");
    termin.ParallelGames = data.GetAsInt("parallelgames");
    termin.Location = TPlanData::FixLocation(teamNode.GetAsString("location"));
    std::string ownLocation = TPlanData::FixLocation(data.GetAsString("location"));
    if (!ownLocation.empty()) {
        termin.Location = std::move(ownLocation);
    }

    if (data.GetAsBool("couplegameday")) {
        switch (data.GetAsInt("coupleprio")) {
        case 1:
            termin.Options.Include(woKoppelSoft);
            break;
        case 2:
            termin.Options.Include(woKoppelHard);
            break;
        default:
            termin.Options.Include(woKoppelPossible);
            break;
        }
        termin.KoppelSecondTime = SecondTimeOf(termin.Date, data);
    } else if (data.GetAsBool("doublegameday")) {
        switch (data.GetAsInt("coupleprio")) {
        case 1:
            termin.Options.Include(woKoppelDoubleDateSoft);
            break;
        case 2:
            termin.Options.Include(woKoppelDoubleDateHard);
            break;
        default:
            termin.Options.Include(woKoppelDoubleDatePossible);
            break;
        }
    }

    if (data.GetAsBool("ausweichtermin")) {
        AusweichTermine.push_back(DateOf(termin.Date));
    }

    if (!termin.Options.IsSameDayKoppel() && data.GetAsBool("coupleauswaertssecondtime")) {
        termin.Options.Include(woAuswaertsKoppelHasSecondTime);
        termin.KoppelSecondTime = SecondTimeOf(termin.Date, data);
    }
}

void TMannschaft::loadNoGame(const TDataObject& data) {
    SperrTermine.push_back(data.GetAsDate("date"));
    SperrTermine.Sort();
}

// ---------------------------------------------------------------------------------------------
// Data cache

const TMannschaftDataCache& TMannschaft::getCache(const TPlan& plan) {
    if (DataCache) {
        return *DataCache;
    }
    auto cache = std::make_unique<TMannschaftDataCache>();
    TAuswaertsKoppelCachedTeams& teams = cache->CachedAuswaertsKoppelTeams;
    auto addOnDay = [&teams](const std::string& name) {
        if (std::find(teams.TeamsOnDay.begin(), teams.TeamsOnDay.end(), name) == teams.TeamsOnDay.end()) {
            teams.TeamsOnDay.push_back(name);
        }
    };
    for (TAuswaertsKoppel& koppel : AuswaertsKoppel) {
        if ((koppel.Option == ktSameDay || koppel.Option == ktAllDay) &&
            koppel.getMannschaftA(plan) != nullptr && koppel.getMannschaftB(plan) != nullptr) {
            addOnDay(koppel.TeamA);
            addOnDay(koppel.TeamB);
        }
    }
    teams.TeamIdToTeamId.clear();
    for (TAuswaertsKoppel& koppel : AuswaertsKoppel) {
        const TMannschaft* a = koppel.getMannschaftA(plan);
        const TMannschaft* b = koppel.getMannschaftB(plan);
        if (a != nullptr && b != nullptr) {
            teams.AddTeamIdToTeamId(a->teamId, b->teamId);
            teams.AddTeamIdToTeamId(b->teamId, a->teamId);
        }
    }
    std::vector<std::string>& force = cache->CachedTeamsForForceHomeGames;
    for (const auto& [day, games] : sisterGames.values) {
        for (const TSisterGame& game : games) {
            if (game.ForceParallelHomeGames) {
                force.push_back(game.gender + "\n" + game.teamName);
            }
        }
    }
    std::sort(force.begin(), force.end());
    force.erase(std::unique(force.begin(), force.end()), force.end());
    DataCache = std::move(cache);
    return *DataCache;
}

// ---------------------------------------------------------------------------------------------
// Availability

bool TMannschaft::IsTerminFree(const TWunschTermin& termin, const TPlan& plan,
                               const TMannschaft* heimMannschaft, const TMannschaft* gastMannschaft,
                               const TGame* ignoreGame, bool allSecondTimeGamesAreValid) const {
    bool result = true;
    if (!allSecondTimeGamesAreValid) {
        // The extra start times only serve couplings.
        if (termin.Options.Contains(woKoppelSecondTime) && this == heimMannschaft) {
            result = false;
        }
        if (termin.Options.Contains(woAuswaertsKoppelSecondTime) && this == gastMannschaft) {
            result = false;
        }
    }
    const int day = DayNumber(termin.Date);
    // Only games on the day matter; the day slots count them (games without date, at day 0, are
    // not counted, so day 0 takes the full walk).
    int remaining = SlotGameCount(day);
    if (day != 0 && remaining == 0) {
        return result;
    }
    if (remaining < 0) {
        remaining = std::numeric_limits<int>::max();
    }
    const std::int64_t terminMs = ToMilliseconds(termin.Date);
    // A slot with one known game needs no walk: that game is the only one that can be on the day.
    const TGame* only = day != 0 ? OnlySlotGame(day) : nullptr;
    const std::size_t count = only != nullptr ? 1 : gamesRef.size();
    for (std::size_t i = 0; i < count; ++i) {
        const TGame* game = only != nullptr ? only : gamesRef[i];
        if (day != 0 && remaining <= 0) {
            break; // every game of the slot has been seen
        }
        // Dates of one day lie less than a day apart: the cheap distance test spares the exact
        // day computation for most games.
        const double distance = game->FDate - termin.Date;
        if (distance > 1.001 || distance < -1.001 || DayNumber(game->FDate) != day) {
            continue;
        }
        --remaining;
        if (game == ignoreGame) {
            continue;
        }
        const TPlanDataCache& planCache = plan.getDataCache();
        if (!planCache.HasKoppelTermine && !planCache.HasAuswaertsKoppelTermine) {
            return false;
        }
        if (!game->DateValid()) {
            continue;
        }
        if (AbsMsBetween(terminMs, game->FDate) < MinKoppelDistanceMs) {
            return false;
        }
        bool usable = false;
        if (planCache.HasAuswaertsKoppelTermine && this == gastMannschaft && this == game->MannschaftGast) {
            usable = IsAuswaertsKoppelMatch(termin.Date, heimMannschaft->teamName, game->FDate,
                                            game->MannschaftHeim->teamName);
        }
        if (!usable) {
            usable = this == heimMannschaft && termin.Options.IsKoppelDate() &&
                     game->MannschaftHeim == this && game->FDateOptions.IsKoppelDate();
        }
        if (!usable) {
            return false;
        }
        result = true;
    }
    return result;
}

bool TMannschaft::isAusWeichTermin(TDateTime date) const {
    return ContainsDay(AusweichTermine, date);
}

int TMannschaft::getGameCount(TDateTime fromDate, TDateTime toDate) const {
    int count = 0;
    for (const TGame* game : gamesRef) {
        if (game->DateValid() && fromDate <= game->FDate && game->FDate <= toDate) {
            ++count;
        }
    }
    return count;
}

// ---------------------------------------------------------------------------------------------
// Hall occupancy and parallel games

void TMannschaft::GetHallenBelegung(TDateTime date, const std::string& location, const TPlan& plan,
                                    int& belegungNum, std::string& belegungString, bool fillBelegungString,
                                    bool ignoreThisPlan) const {
    belegungNum = 0;
    belegungString.clear();
    const std::int64_t dateMs = ToMilliseconds(date);
    if (const TSisterGames* dayGames = sisterGames.get(date)) {
        for (const TSisterGame& game : *dayGames) {
            if (!game.IsHomeGame || AbsMsBetween(dateMs, game.Date) > HallWindowMs ||
                game.Location != location) {
                continue;
            }
            ++belegungNum;
            if (fillBelegungString) {
                AppendSeparated(belegungString, game.HomeMannschaftName, " (", game.gender, ")");
            }
        }
    }
    if (ignoreThisPlan) {
        return;
    }
    const int day = DayNumber(date);
    for (const TMannschaft* team : SisterTeamsInPlan) {
        if (!team->MayHaveGameNear(day)) {
            continue;
        }
        for (const TGame* game : team->gamesRef) {
            if (game->MannschaftHeim != team || game->MannschaftGast == this || !game->DateValid() ||
                AbsMsBetween(dateMs, game->FDate) > HallWindowMs || GameLocation(*game) != location) {
                continue;
            }
            ++belegungNum;
            if (fillBelegungString) {
                AppendSeparated(belegungString, team->teamName, " (", plan.gender, ")");
            }
        }
    }
}

void TMannschaft::GetParallelGames(TDateTime date, const TPlan& plan, int& numGames,
                                   std::string& messageString, bool fillMessageString,
                                   bool ignoreThisPlan) const {
    numGames = 0;
    messageString.clear();
    ParallelSearch search{*this,
                          plan,
                          sisterGames.get(date),
                          ToMilliseconds(date),
                          DayNumber(date),
                          fillMessageString,
                          ignoreThisPlan,
                          numGames,
                          messageString};
    search.Search(teamNumber, SearchDirection::Start);
}

// ---------------------------------------------------------------------------------------------
// Coupled games

bool TMannschaft::IsAuswaertsKoppelMatch(TDateTime date1, const std::string& home1, TDateTime date2,
                                         const std::string& home2) const {
    if (AuswaertsKoppel.empty()) {
        return false;
    }
    const int dayDiff = std::abs(DayNumber(date1) - DayNumber(date2));
    if (dayDiff > 1) {
        return false;
    }
    const bool farEnough = std::llabs(ToMilliseconds(date1) - ToMilliseconds(date2)) >= MinKoppelDistanceMs;
    for (const TAuswaertsKoppel& koppel : AuswaertsKoppel) {
        bool matches = false;
        switch (koppel.Option) {
        case ktSameDay:
            matches = dayDiff == 0 && farEnough;
            break;
        case ktDiffDay:
            matches = dayDiff == 1;
            break;
        case ktAllDay:
            matches = farEnough;
            break;
        case ktNone:
            break;
        }
        if (matches && ((koppel.TeamA == home1 && koppel.TeamB == home2) ||
                        (koppel.TeamA == home2 && koppel.TeamB == home1))) {
            return true;
        }
    }
    return false;
}

bool TMannschaft::IsAuswaertsKoppeledGames(const TGame& game1, const TGame& game2) const {
    return game1.MannschaftGast == this && game2.MannschaftGast == this &&
           IsAuswaertsKoppelMatch(game1.FDate, game1.MannschaftHeim->teamName, game2.FDate,
                                  game2.MannschaftHeim->teamName);
}

bool TMannschaft::InternIsKoppeledGames(const TGame& game1, const TGame& game2) const {
    if (std::abs(DayNumber(game1.FDate) - DayNumber(game2.FDate)) > 1) {
        return false;
    }
    return KoppeledWithinADay(game1, game2);
}

bool TMannschaft::KoppeledWithinADay(const TGame& game1, const TGame& game2) const {
    if (game1.MannschaftHeim == this && game2.MannschaftHeim == this) {
        return game1.FDateOptions.IsKoppelDate() && game2.FDateOptions.IsKoppelDate();
    }
    return IsAuswaertsKoppeledGames(game1, game2);
}

namespace {

/// The number of consecutive pair-able neighbours starting at position i: games i, i+1, ...,
/// i+result all pass the pair test with their successor, except the last one. In such a chain
/// the pairs are formed from its end, so position i has a forward partner exactly when the
/// result is odd.
int PairableRunLength(const TMannschaft& team, const TGameList& games, int i) {
    const int last = static_cast<int>(games.size()) - 1;
    int length = 0;
    while (i + length < last && team.InternIsKoppeledGames(*games[i + length], *games[i + length + 1])) {
        ++length;
    }
    return length;
}

} // namespace

TGame* TMannschaft::getForwardKoppeledGame(int indexInRefGames) const {
    if (indexInRefGames < 0 || indexInRefGames >= static_cast<int>(gamesRef.size()) - 1) {
        return nullptr;
    }
    return PairableRunLength(*this, gamesRef, indexInRefGames) % 2 == 1 ? gamesRef[indexInRefGames + 1]
                                                                        : nullptr;
}

TGame* TMannschaft::getBackwardKoppeledGame(int indexInRefGames) const {
    if (indexInRefGames < 1 || indexInRefGames >= static_cast<int>(gamesRef.size())) {
        return nullptr;
    }
    return getForwardKoppeledGame(indexInRefGames - 1) != nullptr ? gamesRef[indexInRefGames - 1] : nullptr;
}

TGame* TMannschaft::getKoppeledGame(int indexInRefGames) const {
    const int count = static_cast<int>(gamesRef.size());
    if (indexInRefGames < 0 || indexInRefGames >= count) {
        return nullptr;
    }
    // One walk answers both directions: the run from i decides the forward partner, and the
    // run from i-1 is one longer when games i-1 and i pass the pair test.
    const int run = PairableRunLength(*this, gamesRef, indexInRefGames);
    if (run % 2 == 1) {
        return gamesRef[indexInRefGames + 1];
    }
    if (indexInRefGames > 0 &&
        InternIsKoppeledGames(*gamesRef[indexInRefGames - 1], *gamesRef[indexInRefGames])) {
        return gamesRef[indexInRefGames - 1];
    }
    return nullptr;
}

void TMannschaft::BuildPairTable() const {
    // Walking from the end: a position starts a pair when the run of pair-able neighbours from it
    // has odd length (PairableRunLength).
    const int count = static_cast<int>(gamesRef.size());
    FStartsPair.assign(static_cast<std::size_t>(count), 0);
    int run = 0;
    // The pair test of InternIsKoppeledGames, each game's day computed once.
    int nextDay = count > 0 ? DayNumber(gamesRef[count - 1]->FDate) : 0;
    for (int i = count - 2; i >= 0; --i) {
        const int day = DayNumber(gamesRef[i]->FDate);
        const bool pairable =
            std::abs(day - nextDay) <= 1 && KoppeledWithinADay(*gamesRef[i], *gamesRef[i + 1]);
        nextDay = day;
        run = pairable ? run + 1 : 0;
        FStartsPair[static_cast<std::size_t>(i)] = run % 2 == 1 ? 1 : 0;
    }
    FPairTableValid = true;
}

bool TMannschaft::StartsPair(int i) const {
    if (!FPairTableValid || FStartsPair.size() != gamesRef.size()) {
        BuildPairTable();
    }
    return i >= 0 && i < static_cast<int>(FStartsPair.size()) &&
           FStartsPair[static_cast<std::size_t>(i)] != 0;
}

TGame* TMannschaft::getKoppeledGame(const TGame* game) const {
    return getKoppeledGame(gamesRef.IndexOf(game));
}

bool TMannschaft::IsMannschaftInAuswaertsKoppelWunschAtOneDay(const TPlan& plan,
                                                              const TMannschaft& mannschaftHeim) {
    const std::vector<std::string>& onDay = getCache(plan).CachedAuswaertsKoppelTeams.TeamsOnDay;
    return std::find(onDay.begin(), onDay.end(), mannschaftHeim.teamName) != onDay.end();
}

void TMannschaft::CreateAuswaertsKoppeledGamesDependenciesList(const TPlan& plan,
                                                               const TMannschaft& mannschaftHeim,
                                                               std::vector<TGame*>& result) {
    result.clear();
    const auto& teamIdToTeamId = getCache(plan).CachedAuswaertsKoppelTeams.TeamIdToTeamId;
    const auto found = teamIdToTeamId.find(mannschaftHeim.teamId);
    if (found == teamIdToTeamId.end()) {
        return;
    }
    std::string key;
    for (const std::string& otherId : found->second) {
        key.assign(otherId);
        key += '|';
        key += teamId;
        const auto games = plan.cachedGameList.find(key);
        if (games != plan.cachedGameList.end()) {
            result.insert(result.end(), games->second.begin(), games->second.end());
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Diagnostics

void TMannschaft::getTermineNotPossible(const TPlan& plan, std::vector<std::string>& messageList) const {
    for (const auto& team : plan.Mannschaften) {
        if (team.get() == this || team->WunschTermine.empty()) {
            continue;
        }
        const bool allBlocked =
            std::all_of(team->WunschTermine.begin(), team->WunschTermine.end(),
                        [this](const auto& w) { return ContainsDay(SperrTermine, w->Date); });
        if (allBlocked) {
            messageList.push_back("Alle Termine beim " + team->teamName + " wurden gesperrt");
        }
    }
    for (const auto& team : plan.Mannschaften) {
        if (team.get() == this || team->WunschTermine.empty() ||
            std::find(noWeekGame.begin(), noWeekGame.end(), team->teamName) == noWeekGame.end()) {
            continue;
        }
        const bool noneAllowed =
            std::none_of(team->WunschTermine.begin(), team->WunschTermine.end(),
                         [&plan](const auto& w) { return plan.DateIsAllowedForWeekendGames(w->Date); });
        if (noneAllowed) {
            messageList.push_back("60km Regel kann beim " + team->teamName + " nicht eingehalten werden");
        }
    }
    if (plan.Mannschaften.size() % 2 == 0 && !WunschTermine.empty() &&
        std::all_of(WunschTermine.begin(), WunschTermine.end(),
                    [](const auto& w) { return w->Options.IsSameDayKoppel(); })) {
        messageList.emplace_back(
            "Es wurden nur Koppeltermine angegeben, die Anzahl der Heimspiele ist ungerade "
            "weshalb mindestens ein Koppeltermin nicht eingehalten werden kann.");
    }
    for (const TAuswaertsKoppel& koppel : AuswaertsKoppel) {
        const TMannschaft* a = plan.Mannschaften.FindByName(koppel.TeamA);
        const TMannschaft* b = plan.Mannschaften.FindByName(koppel.TeamB);
        if (a != nullptr && b != nullptr) {
            bool found = false;
            for (const auto& wa : a->WunschTermine) {
                for (const auto& wb : b->WunschTermine) {
                    if (IsAuswaertsKoppelMatch(wa->Date, koppel.TeamA, wb->Date, koppel.TeamB)) {
                        found = true;
                        break;
                    }
                }
                if (found) {
                    break;
                }
            }
            if (!found) {
                messageList.push_back("Für den Auswärtskoppelwunsch bei " + koppel.TeamA + " und " +
                                      koppel.TeamB + " existieren keine geeigneten Wunschtermine.");
            }
        }
        if (a == nullptr) {
            messageList.push_back("Datenfehler: Unbekanntes Team " + koppel.TeamA +
                                  " in einem Auswärtskoppelwunsch.");
        }
        if (b == nullptr) {
            messageList.push_back("Datenfehler: Unbekanntes Team " + koppel.TeamB +
                                  " in einem Auswärtskoppelwunsch.");
        }
    }
}

void TMannschaft::getCloseGames(const TPlan& plan, std::vector<std::string>& lines) const {
    const int count = static_cast<int>(gamesRef.size());
    for (int i = 0; i + 1 < count; ++i) {
        const TGame* game = gamesRef[i];
        const TGame* next = gamesRef[i + 1];
        if (!game->DateValid() || !plan.IsInRoundToGenerate(game->FDate)) {
            continue;
        }
        const int dayDiff = DayNumber(next->FDate) - DayNumber(game->FDate);
        if (dayDiff < 0 || dayDiff > 2 || getKoppeledGame(i) == next) {
            continue;
        }
        lines.push_back(FormatDayDate(game->FDate) + " - " + FormatDayDate(next->FDate));
    }
}

// ---------------------------------------------------------------------------------------------
// TMannschaftList

TMannschaft& TMannschaftList::Add(std::unique_ptr<TMannschaft> team) {
    FItems.push_back(std::move(team));
    return *FItems.back();
}

TMannschaft* TMannschaftList::FindByName(std::string_view name) const {
    for (const auto& team : FItems) {
        if (team->teamName == name) {
            return team.get();
        }
    }
    return nullptr;
}

TMannschaft* TMannschaftList::FindByTeamId(std::string_view teamId) const {
    for (const auto& team : FItems) {
        if (team->teamId == teamId) {
            return team.get();
        }
    }
    return nullptr;
}

void TMannschaftList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const auto& left, const auto& right) { return left->teamName < right->teamName; });
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        FItems[i]->Index = static_cast<int>(i);
    }
}

void TMannschaftList::Assign(const TMannschaftList& source) {
    if (&source == this) {
        return;
    }
    FItems.clear();
    FItems.reserve(source.FItems.size());
    for (std::size_t i = 0; i < source.FItems.size(); ++i) {
        auto team = std::make_unique<TMannschaft>(static_cast<int>(i));
        team->Assign(*source.FItems[i]);
        team->ClearKostenCache();
        FItems.push_back(std::move(team));
    }
}

} // namespace terminor
