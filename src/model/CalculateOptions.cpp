// TCalculateOptions and TGewichtungMannschaften: defaults, copies, weight arithmetic, automatic
// mid dates, the readable summaries and the options file "Terminor.options" (ISO-8859-15 XML).

#include "CalculateOptions.h"

#include <exception>
#include <filesystem>
#include <string_view>

#include <pugixml.hpp>

#include "data/Error.h"
#include "data/TextCodec.h"
#include "data/XmlFile.h"
#include "model/Plan.h"

namespace terminor {

namespace {

constexpr const char* OptionsCharset = "ISO-8859-15";

TMannschaftsKostenArray AllNormal() {
    TMannschaftsKostenArray values{};
    values.fill(coNormal);
    return values;
}

TCalculateOptionsValues ValueFromName(std::string_view name) {
    for (int i = 0; i < CalculateOptionsValuesCount; ++i) {
        const auto value = static_cast<TCalculateOptionsValues>(i);
        if (CalculateOptionsValueName(value) == name) {
            return value;
        }
    }
    return coNormal;
}

TRoundPlaning RoundPlaningFromName(std::string_view name) {
    for (TRoundPlaning value : {rpBoth, rpHalfRound, rpFirstOnly, rpSecondOnly, rpCorona}) {
        if (RoundPlaningName(value) == name) {
            return value;
        }
    }
    return rpBoth;
}

const char* BoolText(bool value) {
    return value ? "true" : "false";
}

/// Text of a pugixml attribute as a string view ("" when the attribute is missing).
std::string_view AttrText(const pugi::xml_node& node, const char* name) {
    return node.attribute(name).as_string();
}

void AppendAttr(pugi::xml_node& node, const char* name, std::string_view value) {
    node.append_attribute(name).set_value(std::string(value).c_str());
}

void AppendValueAttr(pugi::xml_node& node, std::string_view name, TCalculateOptionsValues value) {
    AppendAttr(node, std::string(name).c_str(), CalculateOptionsValueName(value));
}

TCalculateOptionsValues ReadValueAttr(const pugi::xml_node& node, std::string_view name) {
    return ValueFromName(AttrText(node, std::string(name).c_str()));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TGewichtungMannschaften

void TGewichtungMannschaften::Ensure(const std::string& teamId) {
    if (GewichtungMannschaften.find(teamId) == GewichtungMannschaften.end()) {
        GewichtungMannschaften.emplace(teamId, coNormal);
    }
    if (GewichtungMannschaftenDetail.find(teamId) == GewichtungMannschaftenDetail.end()) {
        GewichtungMannschaftenDetail.emplace(teamId, AllNormal());
    }
}

void TGewichtungMannschaften::addMain(const std::string& teamId, TCalculateOptionsValues value) {
    Ensure(teamId);
    GewichtungMannschaften[teamId] = value;
}

void TGewichtungMannschaften::addDetail(const std::string& teamId, TMannschaftsKostenType art,
                                        TCalculateOptionsValues value) {
    Ensure(teamId);
    GewichtungMannschaftenDetail[teamId][static_cast<std::size_t>(Ord(art))] = value;
}

TCalculateOptionsValues TGewichtungMannschaften::getMain(const std::string& teamId) const {
    const auto it = GewichtungMannschaften.find(teamId);
    return it == GewichtungMannschaften.end() ? coNormal : it->second;
}

TCalculateOptionsValues TGewichtungMannschaften::getDetail(const std::string& teamId,
                                                           TMannschaftsKostenType art) const {
    const auto it = GewichtungMannschaftenDetail.find(teamId);
    return it == GewichtungMannschaftenDetail.end() ? coNormal
                                                    : it->second[static_cast<std::size_t>(Ord(art))];
}

void TGewichtungMannschaften::Clear() {
    GewichtungMannschaften.clear();
    GewichtungMannschaftenDetail.clear();
}

void TGewichtungMannschaften::Assign(const TGewichtungMannschaften& source) {
    if (&source == this) {
        return;
    }
    Clear();
    for (const auto& [teamId, main] : source.GewichtungMannschaften) {
        addMain(teamId, main);
        for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
            addDetail(teamId, art, source.getDetail(teamId, art));
        }
    }
}

std::vector<std::string> TGewichtungMannschaften::TeamIds() const {
    std::vector<std::string> ids;
    ids.reserve(GewichtungMannschaften.size());
    for (const auto& entry : GewichtungMannschaften) {
        ids.push_back(entry.first);
    }
    return ids;
}

// ---------------------------------------------------------------------------------------------
// TCalculateOptions: defaults and copies

void TCalculateOptions::Clear() {
    FreitagIsAllowedBy60km = true;
    SpieltagGewichtung = coNormal;
    SpieltagOverlapp = coNormal;
    SisterTeamsAmAnfangGewichtung = coNormal;
    LastSpieltagGewichtung = coNormal;
    LastSpieltagOverlapp = coNormal;
    GewichtungMainMannschaftsKosten = AllNormal();
    GewichtungMannschaften.Clear();
    RoundPlaning = rpBoth;
    DoubleRound = false;
    AutomaticMidDate = true;
    MidDate1 = 0.0;
    MidDate2 = 0.0;
}

void TCalculateOptions::Assign(const TCalculateOptions& source) {
    if (&source != this) {
        *this = source;
    }
}

TCalculateOptionsValues TCalculateOptions::getGewichtungPlan(TPlanKostenType kostenType) const {
    switch (kostenType) {
    case pktGameDayOverlap:
        return SpieltagOverlapp;
    case pktGameDayLength:
        return SpieltagGewichtung;
    case pktLastGameDayOverlap:
        return LastSpieltagOverlapp;
    case pktLastGameDayLength:
        return LastSpieltagGewichtung;
    case pktSisterGamesAtBegin:
        return SisterTeamsAmAnfangGewichtung;
    }
    return coNormal;
}

void TCalculateOptions::setGewichtungPlan(TPlanKostenType kostenType, TCalculateOptionsValues value) {
    switch (kostenType) {
    case pktGameDayOverlap:
        SpieltagOverlapp = value;
        break;
    case pktGameDayLength:
        SpieltagGewichtung = value;
        break;
    case pktLastGameDayOverlap:
        LastSpieltagOverlapp = value;
        break;
    case pktLastGameDayLength:
        LastSpieltagGewichtung = value;
        break;
    case pktSisterGamesAtBegin:
        SisterTeamsAmAnfangGewichtung = value;
        break;
    }
}

double TCalculateOptions::TeamWeight(const std::string& teamId, TMannschaftsKostenType type) const {
    const TCalculateOptionsValues steps[] = {
        GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(type))],
        GewichtungMannschaften.getMain(teamId), GewichtungMannschaften.getDetail(teamId, type)};
    double x = 100.0;
    for (TCalculateOptionsValues v : steps) {
        if (v == coIgnore) {
            return 0.0;
        }
        x = CalculateOptionsFactor(v) / 100.0 * x;
    }
    return x;
}

// ---------------------------------------------------------------------------------------------
// Mid dates

TDateTime TCalculateOptions::getMidDate1(const TPlan& plan) const {
    return AutomaticMidDate ? getAutomaticMidDate1(plan) : MidDate1;
}

TDateTime TCalculateOptions::getMidDate2(const TPlan& plan) const {
    return AutomaticMidDate ? getAutomaticMidDate2(plan) : MidDate2;
}

namespace {

/// The earliest (or latest) non-zero offered home date of all teams; 0 when there is none.
TDateTime ExtremeWishDate(const TPlan& plan, bool latest) {
    TDateTime result = 0.0;
    bool found = false;
    for (const auto& team : plan.Mannschaften) {
        for (const auto& wish : team->WunschTermine) {
            const TDateTime date = wish->Date;
            if (date == 0.0) {
                continue;
            }
            if (!found || (latest ? date > result : date < result)) {
                result = date;
                found = true;
            }
        }
    }
    return result;
}

/// The middle game-day Monday of [from, to], or the midpoint of the period when it has fewer
/// than three game-day Mondays.
TDateTime MiddleMonday(const TPlan& plan, TDateTime from, TDateTime to) {
    std::vector<TDateTime> mondays;
    plan.getSpieltagMondays(mondays, from, to, true);
    if (mondays.size() < 3) {
        return from + (to - from) / 2;
    }
    return mondays[mondays.size() / 2];
}

} // namespace

TDateTime TCalculateOptions::getAutomaticMidDate1(const TPlan& plan) const {
    TDateTime from = ExtremeWishDate(plan, false);
    TDateTime to = plan.DateBeginRueckrundeInXML;
    if (RoundPlaning == rpHalfRound) {
        from = plan.DateBegin;
        to = plan.DateEnd;
    }
    return MiddleMonday(plan, from, to);
}

TDateTime TCalculateOptions::getAutomaticMidDate2(const TPlan& plan) const {
    return MiddleMonday(plan, plan.DateBeginRueckrundeInXML, ExtremeWishDate(plan, true));
}

// ---------------------------------------------------------------------------------------------
// Summaries

void TCalculateOptions::getDiffToDefault(const TPlan& plan, std::vector<std::string>& messages) const {
    std::vector<std::string> weightLines;
    const auto addWeight = [&weightLines](std::string_view label, TCalculateOptionsValues value) {
        if (value != coNormal) {
            std::string line = "  ";
            line += label;
            line += ": ";
            line += CalculateOptionsValueText(value);
            weightLines.push_back(std::move(line));
        }
    };
    addWeight("Überlappung der Spieltage", SpieltagOverlapp);
    addWeight("Länge der Spieltage", SpieltagGewichtung);
    addWeight("Vereinsinterne Spiele am Anfang", SisterTeamsAmAnfangGewichtung);
    addWeight("Überlappung letzer Spieltage", LastSpieltagOverlapp);
    addWeight("Länge letzter Spieltage", LastSpieltagGewichtung);
    for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
        addWeight(MannschaftsKostenTypeText(art),
                  GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(art))]);
    }
    for (const auto& team : plan.Mannschaften) {
        addWeight(team->teamName, GewichtungMannschaften.getMain(team->teamId));
        for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
            addWeight(team->teamName + " " + std::string(MannschaftsKostenTypeText(art)),
                      GewichtungMannschaften.getDetail(team->teamId, art));
        }
    }
    if (!weightLines.empty()) {
        messages.emplace_back("Gewichtung");
        messages.insert(messages.end(), weightLines.begin(), weightLines.end());
        messages.emplace_back();
    }

    if (!FreitagIsAllowedBy60km) {
        messages.emplace_back("Freitag ist bei der 60km-Regel nicht erlaubt");
    }
    switch (RoundPlaning) {
    case rpHalfRound:
        messages.emplace_back("Halbrunde wird generiert");
        break;
    case rpFirstOnly:
        messages.emplace_back("Nur Vorrunde wird generiert");
        break;
    case rpSecondOnly:
        messages.emplace_back("Nur Rückrunde wird generiert");
        break;
    case rpCorona:
        messages.emplace_back("Nur die \"Corona\"-Rückrunde wird generiert");
        break;
    case rpBoth:
        break;
    }
    if (DoubleRound) {
        messages.emplace_back("Doppelrunde ist aktiv");
    }
}

std::string TCalculateOptions::ToString() const {
    std::vector<std::string_view> parts = {
        FreitagIsAllowedBy60km ? "-1" : "0",
        RoundPlaningName(RoundPlaning),
        DoubleRound ? "-1" : "0",
        CalculateOptionsValueName(SpieltagGewichtung),
        CalculateOptionsValueName(SisterTeamsAmAnfangGewichtung),
        CalculateOptionsValueName(LastSpieltagGewichtung),
        CalculateOptionsValueName(LastSpieltagOverlapp),
        CalculateOptionsValueName(SpieltagOverlapp),
        CalculateOptionsValueName(SisterTeamsAmAnfangGewichtung),
    };
    for (TCalculateOptionsValues value : GewichtungMainMannschaftsKosten) {
        parts.push_back(CalculateOptionsValueName(value));
    }
    std::string result;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result += ", ";
        }
        result += parts[i];
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Options file

std::string TCalculateOptions::SaveToBytes() const {
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value("1.0");
    decl.append_attribute("encoding").set_value("iso-8859-15");
    pugi::xml_node root = doc.append_child("terminor-options");

    pugi::xml_node weighting = root.append_child("weighting");
    AppendAttr(weighting, "friday-is-part-of-weekend", BoolText(FreitagIsAllowedBy60km));
    AppendValueAttr(weighting, "gameday", SpieltagGewichtung);
    AppendValueAttr(weighting, "gameday-overlapp", SpieltagOverlapp);
    AppendValueAttr(weighting, "last-gameday", LastSpieltagGewichtung);
    AppendValueAttr(weighting, "last-gameday-overlapp", LastSpieltagOverlapp);
    AppendValueAttr(weighting, "sister-game-at-start", SisterTeamsAmAnfangGewichtung);
    for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
        AppendValueAttr(weighting, MannschaftsKostenTypeName(art),
                        GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(art))]);
    }
    for (const auto& [teamId, main] : GewichtungMannschaften.GewichtungMannschaften) {
        pugi::xml_node team = weighting.append_child("team");
        AppendAttr(team, "teamid", teamId);
        AppendValueAttr(team, "main", main);
        for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
            AppendValueAttr(team, MannschaftsKostenTypeName(art),
                            GewichtungMannschaften.getDetail(teamId, art));
        }
    }

    pugi::xml_node planing = root.append_child("round-planing");
    AppendAttr(planing, "planing", RoundPlaningName(RoundPlaning));

    pugi::xml_node doubleRound = root.append_child("double-round");
    AppendAttr(doubleRound, "active", BoolText(DoubleRound));
    AppendAttr(doubleRound, "automatic-mid-date", BoolText(AutomaticMidDate));
    if (!AutomaticMidDate) {
        if (MidDate1 != 0.0) {
            AppendAttr(doubleRound, "mid-date-1", DateToStorage(MidDate1));
        }
        if (MidDate2 != 0.0) {
            AppendAttr(doubleRound, "mid-date-2", DateToStorage(MidDate2));
        }
    }

    return FromUtf8(XmlToUtf8Text(doc, true), OptionsCharset);
}

void TCalculateOptions::Save(const std::string& fileName) const {
    WriteFileAtomic(fileName, SaveToBytes());
}

std::string TCalculateOptions::LoadFromBytes(std::string_view bytes, const std::string& sourceName) {
    Clear();
    std::string problem;
    try {
        TXmlDocument xml;
        xml.LoadBytes(bytes, sourceName);
        const pugi::xml_node root = xml.documentElement();
        // The document element's name is not compared when reading, but a file with another one
        // (a plan file or a schedule given as options) is reported.
        if (std::string_view(root.name()) != "terminor-options") {
            problem = "Die Datei " + sourceName +
                      " ist keine Optionsdatei: erwartet wird das Dokumentelement \"terminor-options\", die "
                      "Datei hat \"" +
                      root.name() + "\".";
        }

        if (const pugi::xml_node weighting = root.child("weighting")) {
            FreitagIsAllowedBy60km = AttrText(weighting, "friday-is-part-of-weekend") == "true";
            SpieltagGewichtung = ReadValueAttr(weighting, "gameday");
            SpieltagOverlapp = ReadValueAttr(weighting, "gameday-overlapp");
            LastSpieltagGewichtung = ReadValueAttr(weighting, "last-gameday");
            LastSpieltagOverlapp = ReadValueAttr(weighting, "last-gameday-overlapp");
            SisterTeamsAmAnfangGewichtung = ReadValueAttr(weighting, "sister-game-at-start");
            for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
                GewichtungMainMannschaftsKosten[static_cast<std::size_t>(Ord(art))] =
                    ReadValueAttr(weighting, MannschaftsKostenTypeName(art));
            }
            for (const pugi::xml_node team : weighting.children("team")) {
                const std::string teamId(AttrText(team, "teamid"));
                if (teamId.empty()) {
                    continue;
                }
                GewichtungMannschaften.addMain(teamId, ReadValueAttr(team, "main"));
                for (TMannschaftsKostenType art : AllMannschaftsKostenTypes) {
                    GewichtungMannschaften.addDetail(teamId, art,
                                                     ReadValueAttr(team, MannschaftsKostenTypeName(art)));
                }
            }
        }

        if (const pugi::xml_node planing = root.child("round-planing")) {
            RoundPlaning = RoundPlaningFromName(AttrText(planing, "planing"));
        }

        if (const pugi::xml_node doubleRound = root.child("double-round")) {
            DoubleRound = AttrText(doubleRound, "active") == "true";
            AutomaticMidDate = AttrText(doubleRound, "automatic-mid-date") == "true";
            const std::string_view mid1 = AttrText(doubleRound, "mid-date-1");
            if (!mid1.empty()) {
                MidDate1 = StorageToDate(mid1);
            }
            const std::string_view mid2 = AttrText(doubleRound, "mid-date-2");
            if (!mid2.empty()) {
                MidDate2 = StorageToDate(mid2);
            }
        }
    } catch (const EConvertError& e) {
        // Values read before the bad one are dropped as well: the defaults are used instead.
        Clear();
        return "Die Optionsdatei " + sourceName + " enthält einen ungültigen Wert: " + e.what();
    } catch (const std::exception& e) {
        Clear();
        return e.what();
    }
    return problem;
}

void TCalculateOptions::Load(const std::string& fileName, std::string* problem) {
    Clear();
    std::string found;
    std::error_code ec;
    if (std::filesystem::exists(fileName, ec)) {
        try {
            found = LoadFromBytes(ReadFileBytes(fileName), fileName);
        } catch (const std::exception& e) {
            Clear();
            found = e.what();
        }
    }
    if (problem != nullptr) {
        *problem = std::move(found);
    }
}

} // namespace terminor
