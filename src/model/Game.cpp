// TGame and TGameList: the date handling of one fixture (with the wish date's back reference and
// the teams' cost caches) and the sorted game lists with their binary search.

#include "model/Game.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string_view>

#include "data/PlanUtils.h"
#include "model/Mannschaft.h"
#include "model/WunschTermin.h"

namespace terminor {

namespace {

/// Equality of two date-times with a relative tolerance: the smaller magnitude times 1E-15,
/// at least 1E-15.
bool SameDateValue(TDateTime a, TDateTime b) {
    const double epsilon = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-15, 1e-15);
    return std::fabs(a - b) <= epsilon;
}

/// Ordinal (byte-wise, case-sensitive) comparison of a1 + " " + a2 with b1 + " " + b2 without
/// building the two texts.
int CompareNamePairs(std::string_view a1, std::string_view a2, std::string_view b1, std::string_view b2) {
    const std::size_t lenA = a1.size() + 1 + a2.size();
    const std::size_t lenB = b1.size() + 1 + b2.size();
    auto at = [](std::string_view first, std::string_view second, std::size_t i) -> unsigned char {
        if (i < first.size()) {
            return static_cast<unsigned char>(first[i]);
        }
        if (i == first.size()) {
            return static_cast<unsigned char>(' ');
        }
        return static_cast<unsigned char>(second[i - first.size() - 1]);
    };
    const std::size_t n = std::min(lenA, lenB);
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = at(a1, a2, i);
        const unsigned char cb = at(b1, b2, i);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (lenA == lenB) {
        return 0;
    }
    return lenA < lenB ? -1 : 1;
}

} // namespace

void TGame::setDate(TDateTime date, TWunschterminOptions isKoppel, int maxHome, bool fixedDate,
                    bool notNecessary, TWunschTermin* wunschTermin) {
    if (MannschaftHeim != nullptr) {
        MannschaftHeim->GamesChanged();
    }
    if (MannschaftGast != nullptr) {
        MannschaftGast->GamesChanged();
    }
    NoteDateChange(FDate, date);
    FDate = date;
    FDateOptions = isKoppel;
    FDateMaxHome = maxHome;
    FFixedDate = fixedDate;
    FNotNecessary = notNecessary;
    // The old wish date is released only while it still points at this game: when another game has
    // taken it in the meantime, its back reference must survive (restoring a snapshot re-dates games
    // in list order, and two games may swap their wish dates).
    if (FWunschTermin != nullptr && FWunschTermin->assignedGame == this) {
        FWunschTermin->assignedGame = nullptr;
    }
    FWunschTermin = wunschTermin;
    if (FWunschTermin != nullptr) {
        FWunschTermin->assignedGame = this;
    }
}

void TGame::NoteDateChange(TDateTime oldDate, TDateTime newDate) {
    if (MannschaftHeim != nullptr && MannschaftGast != nullptr) {
        MannschaftHeim->NoteGameDate(*this, oldDate, newDate, *MannschaftGast, true);
        MannschaftGast->NoteGameDate(*this, oldDate, newDate, *MannschaftHeim, false);
    }
}

void TGame::Reset() {
    NoteDateChange(FDate, 0.0);
    if (FWunschTermin != nullptr && FWunschTermin->assignedGame == this) {
        FWunschTermin->assignedGame = nullptr;
    }
    FDate = 0.0;
    FDateOptions = {};
    FDateMaxHome = 0;
    FWunschTermin = nullptr;
    FFixedDate = false;
    FNotNecessary = false;
    FDateRef = 0.0;
    FDateRefOptions = {};
    FDateRefMaxHome = 0;
    FWunschTerminRef = nullptr;
    FNotNecessaryRef = false;
    OverrideLocation.clear();
}

bool TGame::isTheSame(const TGame& game) const {
    return FDate == game.FDate && MannschaftHeim->teamId == game.MannschaftHeim->teamId &&
           MannschaftGast->teamId == game.MannschaftGast->teamId;
}

std::string TGame::AsString() const {
    std::string result;
    if (FDate != 0.0) {
        result = FormatDayDate(FDate) + " " + FormatTime(FDate) + ": ";
    }
    result += MannschaftHeim->teamName;
    result += " - ";
    result += MannschaftGast->teamName;
    return result;
}

std::string TGame::GetLocation() const {
    if (!OverrideLocation.empty()) {
        return OverrideLocation;
    }
    return FWunschTermin != nullptr ? FWunschTermin->Location : std::string();
}

int TGameComparer::Compare(const TGame& left, const TGame& right) {
    if (left.FDate < right.FDate) {
        return -1;
    }
    if (left.FDate > right.FDate) {
        return 1;
    }
    return CompareNamePairs(left.MannschaftHeim->teamName, left.MannschaftGast->teamName,
                            right.MannschaftHeim->teamName, right.MannschaftGast->teamName);
}

TGame* TGameList::Add(std::unique_ptr<TGame> game) {
    assert(FOwnsObjects);
    TGame* raw = game.get();
    FOwned.push_back(std::move(game));
    FItems.push_back(raw);
    return raw;
}

void TGameList::AddRef(TGame* game) {
    assert(!FOwnsObjects);
    FItems.push_back(game);
}

void TGameList::Clear() {
    FItems.clear();
    FOwned.clear();
}

void TGameList::Reserve(std::size_t n) {
    FItems.reserve(n);
    if (FOwnsObjects) {
        FOwned.reserve(n);
    }
}

TGame* TGameList::findSameGame(const TGame& game) const {
    for (TGame* g : FItems) {
        if (g->isTheSame(game)) {
            return g;
        }
    }
    return nullptr;
}

int TGameList::getFirstGameRefIndexByDate(TDateTime date) const {
    int low = 0;
    int high = static_cast<int>(FItems.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const TDateTime d = FItems[static_cast<std::size_t>(middle)]->FDate;
        if (SameDateValue(d, date)) {
            return middle;
        }
        if (d < date) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

void TGameList::GetRefListe(TGameList& result) const {
    result.Clear();
    result.FItems.reserve(FItems.size());
    for (TGame* g : FItems) {
        result.AddRef(g);
    }
}

void TGameList::SortByDate() {
    // Binary insertion sort: stable (an element goes behind its equals), allocation-free, linear
    // on a sorted list and O(n log n) comparisons otherwise; moving pointers is cheap.
    const auto less = [](const TGame* a, const TGame* b) { return TGameComparer::Compare(*a, *b) < 0; };
    const auto first = FItems.begin();
    for (auto it = first + (FItems.empty() ? 0 : 1); it < FItems.end(); ++it) {
        if (!less(*it, *(it - 1))) {
            continue;
        }
        TGame* value = *it;
        const auto pos = std::upper_bound(first, it, value, less);
        std::move_backward(pos, it, it + 1);
        *pos = value;
    }
}

int TGameList::IndexOf(const TGame* game) const {
    const auto it = std::find(FItems.begin(), FItems.end(), game);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

} // namespace terminor
