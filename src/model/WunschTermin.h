#pragma once
// TWunschTermin: a date a team offers for a home game, and the date-ordered list of them.

#include <memory>
#include <string>
#include <vector>

#include "data/DateTime.h"
#include "model/Types.h"

namespace terminor {

class TGame;

class TWunschTermin {
public:
    TDateTime Date = 0.0;
    int ParallelGames = 0;
    TWunschterminOptions Options;
    TDateTime KoppelSecondTime = 0.0;
    /// The game occupying this date; a back reference kept by TGame::setDate only.
    TGame* assignedGame = nullptr;
    std::string Location;

    /// Copies everything except assignedGame.
    void Assign(const TWunschTermin& source);
};

struct TWunschTerminComparer {
    static int Compare(const TWunschTermin& left, const TWunschTermin& right);
};

/// Owning list of wish dates; the elements keep their addresses (games point at them).
class TWunschTerminList {
public:
    using Storage = std::vector<std::unique_ptr<TWunschTermin>>;

    TWunschTermin& Add(std::unique_ptr<TWunschTermin> item);
    TWunschTermin& Add();
    void Clear() { FItems.clear(); }
    void Delete(std::size_t index);
    std::size_t size() const { return FItems.size(); }
    bool empty() const { return FItems.empty(); }
    TWunschTermin& operator[](std::size_t i) const { return *FItems[i]; }
    Storage::const_iterator begin() const { return FItems.begin(); }
    Storage::const_iterator end() const { return FItems.end(); }

    /// First element with exactly that date and time, or nullptr.
    TWunschTermin* Find(TDateTime date) const;
    bool Exists(TDateTime date) const { return Find(date) != nullptr; }
    bool ExistsIgnoreTime(TDateTime date) const;
    /// Stable sort by date.
    void Sort();
    void Assign(const TWunschTerminList& source);

private:
    Storage FItems;
};

} // namespace terminor
