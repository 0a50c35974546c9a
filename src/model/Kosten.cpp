// The per-team cost record and the team's cost cache.

#include "model/Kosten.h"

namespace terminor {

void TMannschaftsKosten::ClearValues(TMannschaftsKostenType type) {
    TKostenValue& v = (*this)[type];
    v.Anzahl = 0;
    v.AllCount = -1;
    v.GesamtKosten = 0.0;
}

void TMannschaftsKosten::ClearAllValues() {
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        ClearValues(type);
    }
}

double TMannschaftsKosten::getGesamtKosten() const {
    double sum = 0.0;
    for (TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        sum += (*this)[type].GesamtKosten;
    }
    return sum;
}

std::vector<std::string>& TMannschaftsKosten::Messages() {
    if (!FMessages) {
        FMessages = std::make_unique<std::vector<std::string>>();
    }
    return *FMessages;
}

void TKostenCache::Clear() {
    Valid = false;
    for (TKostenValue& v : Values) {
        v.Anzahl = 0;
        v.AllCount = -1;
        v.GesamtKosten = -1.0;
    }
}

} // namespace terminor
