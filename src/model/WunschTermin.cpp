// TWunschTermin and TWunschTerminList: a team's offered home dates, their order and look-ups.

#include "model/WunschTermin.h"

#include <algorithm>

namespace terminor {

void TWunschTermin::Assign(const TWunschTermin& source) {
    Date = source.Date;
    ParallelGames = source.ParallelGames;
    Options = source.Options;
    KoppelSecondTime = source.KoppelSecondTime;
    Location = source.Location;
}

int TWunschTerminComparer::Compare(const TWunschTermin& left, const TWunschTermin& right) {
    if (left.Date < right.Date) {
        return -1;
    }
    if (left.Date > right.Date) {
        return 1;
    }
    return 0;
}

TWunschTermin& TWunschTerminList::Add(std::unique_ptr<TWunschTermin> item) {
    FItems.push_back(std::move(item));
    return *FItems.back();
}

TWunschTermin& TWunschTerminList::Add() {
    return Add(std::make_unique<TWunschTermin>());
}

void TWunschTerminList::Delete(std::size_t index) {
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(index));
}

TWunschTermin* TWunschTerminList::Find(TDateTime date) const {
    for (const auto& w : FItems) {
        if (w->Date == date) {
            return w.get();
        }
    }
    return nullptr;
}

bool TWunschTerminList::ExistsIgnoreTime(TDateTime date) const {
    const int day = DayNumber(date);
    return std::any_of(FItems.begin(), FItems.end(),
                       [day](const std::unique_ptr<TWunschTermin>& w) { return DayNumber(w->Date) == day; });
}

void TWunschTerminList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const std::unique_ptr<TWunschTermin>& a, const std::unique_ptr<TWunschTermin>& b) {
                         return TWunschTerminComparer::Compare(*a, *b) < 0;
                     });
}

void TWunschTerminList::Assign(const TWunschTerminList& source) {
    if (&source == this) {
        return;
    }
    FItems.clear();
    FItems.reserve(source.FItems.size());
    for (const auto& w : source.FItems) {
        Add().Assign(*w);
    }
}

} // namespace terminor
