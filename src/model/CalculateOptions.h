#pragma once
// TCalculateOptions: which rounds are generated and how every cost term is weighted, globally
// and per team; stored per plan in the options file "Terminor.options".

#include <map>
#include <string>
#include <vector>

#include "data/DateTime.h"
#include "model/Types.h"

namespace terminor {

class TPlan;

/// Per-team weights by team id: a main weight and one detail weight per team cost type.
class TGewichtungMannschaften {
public:
    void addMain(const std::string& teamId, TCalculateOptionsValues value);
    void addDetail(const std::string& teamId, TMannschaftsKostenType art, TCalculateOptionsValues value);
    TCalculateOptionsValues getMain(const std::string& teamId) const;
    TCalculateOptionsValues getDetail(const std::string& teamId, TMannschaftsKostenType art) const;
    void Clear();
    void Assign(const TGewichtungMannschaften& source);
    /// The team ids with entries, in map order.
    std::vector<std::string> TeamIds() const;
    bool operator==(const TGewichtungMannschaften&) const = default;

    std::map<std::string, TCalculateOptionsValues> GewichtungMannschaften;
    std::map<std::string, TMannschaftsKostenArray> GewichtungMannschaftenDetail;

private:
    void Ensure(const std::string& teamId);
};

class TCalculateOptions {
public:
    TCalculateOptions() { Clear(); }

    bool FreitagIsAllowedBy60km = true;
    TCalculateOptionsValues SpieltagGewichtung = coNormal;
    TCalculateOptionsValues SpieltagOverlapp = coNormal;
    TCalculateOptionsValues SisterTeamsAmAnfangGewichtung = coNormal;
    TCalculateOptionsValues LastSpieltagGewichtung = coNormal;
    TCalculateOptionsValues LastSpieltagOverlapp = coNormal;
    TMannschaftsKostenArray GewichtungMainMannschaftsKosten{};
    TGewichtungMannschaften GewichtungMannschaften;
    TRoundPlaning RoundPlaning = rpBoth;
    bool DoubleRound = false;
    bool AutomaticMidDate = true;
    TDateTime MidDate1 = 0.0;
    TDateTime MidDate2 = 0.0;

    /// Every field back to its default, no team weights.
    void Clear();
    void Assign(const TCalculateOptions& source);
    bool operator==(const TCalculateOptions&) const = default;

    TCalculateOptionsValues getGewichtungPlan(TPlanKostenType kostenType) const;
    void setGewichtungPlan(TPlanKostenType kostenType, TCalculateOptionsValues value);

    TDateTime getMidDate1(const TPlan& plan) const;
    TDateTime getMidDate2(const TPlan& plan) const;
    TDateTime getAutomaticMidDate1(const TPlan& plan) const;
    TDateTime getAutomaticMidDate2(const TPlan& plan) const;

    /// Reads the options file; never fails: a missing file gives the defaults, a broken one resets
    /// to the defaults. `problem`, when given, receives a German text saying what was wrong with a
    /// broken file or one that is no options file (another document element than
    /// "terminor-options", read all the same), else it is emptied.
    void Load(const std::string& fileName, std::string* problem = nullptr);
    /// Writes the options file (ISO-8859-15) atomically; throws EFileError when it cannot be written.
    void Save(const std::string& fileName) const;
    /// The options file as bytes (ISO-8859-15).
    std::string SaveToBytes() const;
    /// Reads options from file bytes held in memory; broken bytes give the defaults. Returns the
    /// German text of what was wrong with them, empty for a good options file.
    std::string LoadFromBytes(std::string_view bytes, const std::string& sourceName = "Terminor.options");

    /// Appends a description of every setting that differs from the defaults.
    void getDiffToDefault(const TPlan& plan, std::vector<std::string>& messages) const;
    /// A one-line fingerprint of the global settings.
    std::string ToString() const;

    /// The team term weight W = F(global) x F(team main)/100 x F(team detail)/100, from x = 100.
    double TeamWeight(const std::string& teamId, TMannschaftsKostenType type) const;
};

} // namespace terminor
