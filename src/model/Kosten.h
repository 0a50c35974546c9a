#pragma once
// The per-team cost records: one TKostenValue per team cost type, the message lines and the
// cost caches kept inside each team.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/Types.h"

namespace terminor {

struct TKostenValue {
    int Anzahl = 0;
    int AllCount = -1;
    double GesamtKosten = 0.0;
};

using TMannschaftsKostenValue = std::array<TKostenValue, 16>;

class TMannschaftsKosten {
public:
    TMannschaftsKostenValue Values{};

    /// Anzahl 0, AllCount -1, GesamtKosten 0 for that type.
    void ClearValues(TMannschaftsKostenType type);
    void ClearAllValues();
    double getGesamtKosten() const;
    /// The message lines, created on first request.
    std::vector<std::string>& Messages();
    bool HasMessages() const { return FMessages != nullptr; }
    TKostenValue& operator[](TMannschaftsKostenType type) { return Values[static_cast<std::size_t>(type)]; }
    const TKostenValue& operator[](TMannschaftsKostenType type) const {
        return Values[static_cast<std::size_t>(type)];
    }

private:
    std::unique_ptr<std::vector<std::string>> FMessages;
};

/// A team's cached term results; an entry whose GesamtKosten is -1 is empty.
struct TKostenCache {
    bool Valid = false;
    TMannschaftsKostenValue Values{};

    /// Every entry empty (-1), not valid.
    void Clear();
};

} // namespace terminor
