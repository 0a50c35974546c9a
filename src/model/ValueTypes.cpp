// Mandatory periods, away-coupling wishes, sister games, home rights, date lists and the
// away-coupling cache of a team: display texts, orders and look-ups.

#include "model/ValueTypes.h"

#include <algorithm>

#include "data/PlanUtils.h"
#include "model/Mannschaft.h"
#include "model/Plan.h"

namespace terminor {

namespace {

int CompareDouble(double a, double b) {
    if (a < b) {
        return -1;
    }
    if (a > b) {
        return 1;
    }
    return 0;
}

/// Date-time comparison at millisecond resolution.
int CompareDateTime(TDateTime a, TDateTime b) {
    const std::int64_t ma = ToMilliseconds(a);
    const std::int64_t mb = ToMilliseconds(b);
    return ma < mb ? -1 : (ma > mb ? 1 : 0);
}

} // namespace

// TPlanMandatoryTime

bool TPlanMandatoryTime::IsTheSame(const TPlanMandatoryTime& value) const {
    return DateFrom == value.DateFrom && DateTo == value.DateTo && GameCount == value.GameCount;
}

std::string TPlanMandatoryTime::AsString() const {
    std::string result = FormatDayDate(DateFrom) + " - " + FormatDayDate(DateTo);
    if (GameCount != 0) {
        result += " mindestens " + std::to_string(GameCount) + " Spiele";
    } else {
        result += " wurde entfernt";
    }
    return result;
}

int TPlanMandatoryTimeComparer::Compare(const TPlanMandatoryTime& left, const TPlanMandatoryTime& right) {
    int result = CompareDateTime(left.DateFrom, right.DateFrom);
    if (result == 0) {
        result = CompareDateTime(left.DateTo, right.DateTo);
    }
    if (result == 0) {
        result = left.GameCount < right.GameCount ? -1 : (left.GameCount > right.GameCount ? 1 : 0);
    }
    return result;
}

int TPlanMandatoryTimeList::FindValueByDate(const TPlanMandatoryTime& value) const {
    for (int i = static_cast<int>(size()) - 1; i >= 0; --i) {
        const TPlanMandatoryTime& item = (*this)[static_cast<std::size_t>(i)];
        if (item.DateFrom == value.DateFrom && item.DateTo == value.DateTo) {
            return i;
        }
    }
    return -1;
}

void TPlanMandatoryTimeList::Assign(const TPlanMandatoryTimeList& source) {
    if (&source == this) {
        return;
    }
    *this = source;
}

void TPlanMandatoryTimeList::Sort() {
    std::stable_sort(begin(), end(), [](const TPlanMandatoryTime& a, const TPlanMandatoryTime& b) {
        return TPlanMandatoryTimeComparer::Compare(a, b) < 0;
    });
}

// TAuswaertsKoppel

std::string TAuswaertsKoppel::AsString() const {
    return TeamA + " und " + TeamB + " " + std::string(AuswaertsKoppelTypeText(Option));
}

TMannschaft* TAuswaertsKoppel::getMannschaftA(const TPlan& plan) {
    if (CachedMannschaftA == nullptr) {
        CachedMannschaftA = plan.Mannschaften.FindByName(TeamA);
    }
    return CachedMannschaftA;
}

TMannschaft* TAuswaertsKoppel::getMannschaftB(const TPlan& plan) {
    if (CachedMannschaftB == nullptr) {
        CachedMannschaftB = plan.Mannschaften.FindByName(TeamB);
    }
    return CachedMannschaftB;
}

void TAuswaertsKoppel::Assign(const TAuswaertsKoppel& source) {
    TeamA = source.TeamA;
    TeamB = source.TeamB;
    Option = source.Option;
    CachedMannschaftA = nullptr;
    CachedMannschaftB = nullptr;
}

// Sister games

int TSisterGameComparer::Compare(const TSisterGame& left, const TSisterGame& right) {
    return CompareDouble(left.Date, right.Date);
}

std::vector<const TSisterGame*> TSisterGames::toSortedArray() const {
    std::vector<const TSisterGame*> result;
    result.reserve(size());
    for (const TSisterGame& g : *this) {
        result.push_back(&g);
    }
    std::stable_sort(result.begin(), result.end(), [](const TSisterGame* a, const TSisterGame* b) {
        return TSisterGameComparer::Compare(*a, *b) < 0;
    });
    return result;
}

int TSisterGamesComparer::Compare(const TSisterGames& left, const TSisterGames& right) {
    const TDateTime l = left.empty() ? 0.0 : left.front().Date;
    const TDateTime r = right.empty() ? 0.0 : right.front().Date;
    return CompareDouble(l, r);
}

void TMapSisterGames::Add(const TSisterGame& sisterGame) {
    values[DayNumber(sisterGame.Date)].push_back(sisterGame);
}

const TSisterGames* TMapSisterGames::get(TDateTime date) const {
    const auto it = values.find(DayNumber(date));
    return it == values.end() ? nullptr : &it->second;
}

TSisterGames* TMapSisterGames::get(TDateTime date) {
    const auto it = values.find(DayNumber(date));
    return it == values.end() ? nullptr : &it->second;
}

std::vector<TSisterGames*> TMapSisterGames::toArray() {
    std::vector<TSisterGames*> result;
    result.reserve(values.size());
    for (auto& [day, games] : values) {
        result.push_back(&games);
    }
    return result;
}

std::vector<const TSisterGames*> TMapSisterGames::toArray() const {
    std::vector<const TSisterGames*> result;
    result.reserve(values.size());
    for (const auto& [day, games] : values) {
        result.push_back(&games);
    }
    return result;
}

std::vector<const TSisterGames*> TMapSisterGames::toSortedArray() const {
    std::vector<const TSisterGames*> result = toArray();
    std::stable_sort(result.begin(), result.end(), [](const TSisterGames* a, const TSisterGames* b) {
        return TSisterGamesComparer::Compare(*a, *b) < 0;
    });
    return result;
}

void TMapSisterGames::Assign(const TMapSisterGames& source) {
    if (&source == this) {
        return;
    }
    values.clear();
    for (const auto& [day, games] : source.values) {
        for (const TSisterGame& g : games) {
            Add(g);
        }
    }
}

// Home rights

std::string THomeRight::AsString() const {
    switch (Option) {
    case hrRound1:
        return "Heimspiel gegen " + Team + " in der Vorrunde";
    case hrRound2:
        return "Heimspiel gegen " + Team + " in der Rückrunde";
    case hrNone:
        break;
    }
    return {};
}

THomeRightValue THomeRightList::getValueForTeam(std::string_view teamName) const {
    for (const THomeRight& h : *this) {
        if (h.Team == teamName) {
            return h.Option;
        }
    }
    return hrNone;
}

// Date lists

void TDateList::Sort() {
    std::sort(begin(), end());
}

bool TDateList::ContainsSorted(TDateTime value) const {
    return std::binary_search(begin(), end(), value);
}

// Away-coupling cache

void TAuswaertsKoppelCachedTeams::AddTeamIdToTeamId(const std::string& teamA, const std::string& teamB) {
    std::vector<std::string>& ids = TeamIdToTeamId[teamA];
    if (std::find(ids.begin(), ids.end(), teamB) == ids.end()) {
        ids.push_back(teamB);
    }
}

} // namespace terminor
