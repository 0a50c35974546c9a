#include "CostsCommand.h"

#include <iomanip>
#include <sstream>

#include "data/PlanUtils.h"

namespace terminor::cli {

namespace {

struct PlanValues {
    double total = 0;
    double unscheduled = 0;
    double notAllowed = 0;
    double freeDays = 0;
    double sisterGamesAtBegin = 0;
    double overlap = 0;
    double breite = 0;
    double lastOverlap = 0;
    double lastBreite = 0;
};

PlanValues ComputePlanValues(TPlan& plan) {
    PlanValues v;
    v.total = plan.CalculateKosten(-1);
    v.unscheduled = plan.CalculateFehlterminKosten();
    v.notAllowed = plan.CalculateNotAllowedKosten();
    v.freeDays = plan.CalculateFreeGameDateKosten();
    v.sisterGamesAtBegin = plan.CalculateSisterTeamsAmAnfang();
    plan.CalculateSpielTagKosten(v.breite, v.overlap, v.lastBreite, v.lastOverlap);
    return v;
}

/// Value text of a cost cell: "A /N (value)", "A (value)" or the value alone.
std::string CellText(const TKostenValue& value) {
    const std::string cost = FormatLargeValue(value.GesamtKosten);
    if (value.AllCount >= 0) {
        return std::to_string(value.Anzahl) + " /" + std::to_string(value.AllCount) + " (" + cost + ")";
    }
    if (value.Anzahl >= 0) {
        return std::to_string(value.Anzahl) + " (" + cost + ")";
    }
    return cost;
}

std::string MarkerText(int marker) {
    if (marker < -999) {
        return " X";
    }
    if (marker < 0) {
        return std::string(" ").append(std::to_string(marker));
    }
    if (marker > 0) {
        return std::string(" +").append(std::to_string(marker));
    }
    return "";
}

bool TypeShown(const TPlan& plan, TMannschaftsKostenType type) {
    switch (type) {
    case mkt60Kilometer:
    case mktKoppelTermine:
    case mktAusweichTermine:
    case mktAuswaertsKoppelTermine:
    case mktMandatoryGames:
    case mktRanking:
    case mktForceSameHomeGames:
        return plan.HasValuesForType(type);
    default:
        return true;
    }
}

std::string Pad(const std::string& text, std::size_t width) {
    // Width in characters, not bytes: UTF-8 continuation bytes take no column.
    std::size_t columns = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++columns;
        }
    }
    return columns >= width ? text + " " : text + std::string(width - columns, ' ');
}

} // namespace

nlohmann::ordered_json CostsJson(TPlan& plan) {
    const PlanValues v = ComputePlanValues(plan);
    nlohmann::ordered_json j;
    j["total"] = v.total;
    j["plan"] = {{"unscheduled", v.unscheduled},
                 {"notAllowed", v.notAllowed},
                 {"freeDays", v.freeDays},
                 {"sisterGamesAtBegin", v.sisterGamesAtBegin},
                 {"gameDayOverlap", v.overlap},
                 {"gameDayLength", v.breite},
                 {"lastGameDayOverlap", v.lastOverlap},
                 {"lastGameDayLength", v.lastBreite}};
    j["teams"] = nlohmann::ordered_json::array();
    for (const auto& team : plan.Mannschaften) {
        TMannschaftsKosten kosten;
        team->CalculateKosten(plan, kosten, tmNormalMessage);
        nlohmann::ordered_json costs = nlohmann::ordered_json::object();
        for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
            const TKostenValue& value = kosten[type];
            costs[std::string(MannschaftsKostenTypeName(type))] = {
                {"count", value.Anzahl}, {"allCount", value.AllCount}, {"cost", value.GesamtKosten}};
        }
        j["teams"].push_back(
            {{"teamName", team->teamName},
             {"teamId", team->teamId},
             {"total", kosten.getGesamtKosten()},
             {"costs", costs},
             {"messages", kosten.HasMessages() ? kosten.Messages() : std::vector<std::string>()}});
    }
    std::vector<std::string> hardErrors;
    plan.getHardErrorMessages(hardErrors);
    j["hardErrors"] = hardErrors;
    return j;
}

namespace {

void PrintPlanTerms(const TPlan& plan, const PlanValues& v, std::ostream& out) {
    const TCalculateOptions& options = plan.getOptions();
    out << Pad("Gesamtkosten:", 36) << FormatLargeValue(v.total) << "\n";
    const std::pair<const char*, double> hard[] = {{"Spiele nicht terminiert:", v.unscheduled},
                                                   {"ungültige Spiele:", v.notAllowed},
                                                   {"Spiele an spielfreien Tagen:", v.freeDays}};
    for (const auto& [label, value] : hard) {
        if (value > 0) {
            out << Pad(label, 36) << FormatLargeValue(value) << "\n";
        }
    }
    const std::tuple<const char*, double, TCalculateOptionsValues> rows[] = {
        {"Überlappung Spieltage:", v.overlap, options.SpieltagOverlapp},
        {"Länge Spieltage:", v.breite, options.SpieltagGewichtung},
        {"Überlappung letzer Spieltag:", v.lastOverlap, options.LastSpieltagOverlapp},
        {"Länge letzer Spieltag:", v.lastBreite, options.LastSpieltagGewichtung}};
    for (const auto& [label, value, weight] : rows) {
        out << Pad(label, 36) << FormatLargeValue(value) << MarkerText(CalculateOptionsDisplayOffset(weight))
            << "\n";
    }
    if (v.sisterGamesAtBegin > 0) {
        out << Pad("Vereinsinterne Spiele am Anfang:", 36) << FormatLargeValue(v.sisterGamesAtBegin)
            << MarkerText(CalculateOptionsDisplayOffset(options.SisterTeamsAmAnfangGewichtung)) << "\n";
    }
    out << "\n";
}

void PrintHardErrors(const TPlan& plan, std::ostream& out) {
    std::vector<std::string> hardErrors;
    plan.getHardErrorMessages(hardErrors);
    if (hardErrors.empty()) {
        out << "Keine harten Fehler.\n";
    } else {
        out << "Harte Fehler:\n";
        for (const std::string& line : hardErrors) {
            out << line << "\n";
        }
    }
}

/// The team terms of the cost page, per team, with the sums per cost type.
struct TeamTable {
    std::vector<TMannschaftsKostenType> shown;
    std::vector<TMannschaftsKosten> kosten;
    std::vector<std::vector<std::string>> messages;
    std::vector<double> sums;
    double allTotals = 0;
};

TeamTable ComputeTeamTable(TPlan& plan) {
    TeamTable t;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        if (TypeShown(plan, type)) {
            t.shown.push_back(type);
        }
    }
    t.sums.assign(t.shown.size(), 0.0);
    t.kosten.resize(plan.Mannschaften.size());
    for (std::size_t m = 0; m < plan.Mannschaften.size(); ++m) {
        plan.Mannschaften[m]->CalculateKosten(plan, t.kosten[m], tmNormalMessage);
        for (std::size_t i = 0; i < t.shown.size(); ++i) {
            t.sums[i] += t.kosten[m][t.shown[i]].GesamtKosten;
        }
        t.allTotals += t.kosten[m].getGesamtKosten();
        t.messages.push_back(t.kosten[m].HasMessages() ? t.kosten[m].Messages() : std::vector<std::string>());
    }
    return t;
}

std::string TeamTotalText(const TPlan& plan, const TMannschaft& team, const TMannschaftsKosten& kosten) {
    return FormatLargeValue(kosten.getGesamtKosten()) +
           MarkerText(
               CalculateOptionsDisplayOffset(plan.getOptions().GewichtungMannschaften.getMain(team.teamId)));
}

std::string SumText(const TPlan& plan, const TeamTable& t, std::size_t i) {
    return FormatLargeValue(t.sums[i]) +
           MarkerText(CalculateOptionsDisplayOffset(
               plan.getOptions().GewichtungMainMannschaftsKosten[static_cast<std::size_t>(t.shown[i])]));
}

/// The cost page's layout: one row per team, one column per cost type.
void PrintWideTable(const TPlan& plan, const TeamTable& t, std::ostream& out) {
    constexpr std::size_t NameWidth = 28;
    constexpr std::size_t CellWidth = 24;
    out << Pad("Mannschaft", NameWidth);
    for (const TMannschaftsKostenType type : t.shown) {
        out << Pad(std::string(MannschaftsKostenTypeText(type)), CellWidth);
    }
    out << "Gesamt\n";
    for (std::size_t m = 0; m < plan.Mannschaften.size(); ++m) {
        const TMannschaft& team = *plan.Mannschaften[m];
        out << Pad(team.teamName, NameWidth);
        for (const TMannschaftsKostenType type : t.shown) {
            out << Pad(CellText(t.kosten[m][type]) +
                           MarkerText(plan.GetMannschaftKostenDisplayInteger(team, type)),
                       CellWidth);
        }
        out << TeamTotalText(plan, team, t.kosten[m]) << "\n";
    }
    out << Pad("Summe:", NameWidth);
    for (std::size_t i = 0; i < t.shown.size(); ++i) {
        out << Pad(SumText(plan, t, i), CellWidth);
    }
    out << FormatLargeValue(t.allTotals) << "\n\n";

    for (std::size_t m = 0; m < plan.Mannschaften.size(); ++m) {
        const std::vector<std::string>& lines = t.messages[m];
        if (lines.empty()) {
            continue;
        }
        out << plan.Mannschaften[m]->teamName << ":\n";
        for (const std::string& line : lines) {
            out << "  " << line << "\n";
        }
        out << "\n";
    }
}

/// For an 80-column terminal: one block per team with the terms that count, then the sums.
void PrintTeamBlocks(const TPlan& plan, const TeamTable& t, std::ostream& out) {
    constexpr std::size_t LabelWidth = 24;
    out << "Legende: Anzahl /von (Kosten); +n/-n Gewichtung höher/niedriger, X ignoriert\n\n";
    for (std::size_t m = 0; m < plan.Mannschaften.size(); ++m) {
        const TMannschaft& team = *plan.Mannschaften[m];
        out << team.teamName << " – Gesamt: " << TeamTotalText(plan, team, t.kosten[m]) << "\n";
        for (const TMannschaftsKostenType type : t.shown) {
            const TKostenValue& value = t.kosten[m][type];
            if (value.GesamtKosten != 0 || value.Anzahl > 0) {
                out << "  " << Pad(std::string(MannschaftsKostenTypeText(type)), LabelWidth)
                    << CellText(value) << MarkerText(plan.GetMannschaftKostenDisplayInteger(team, type))
                    << "\n";
            }
        }
        for (const std::string& line : t.messages[m]) {
            out << "  " << line << "\n";
        }
        out << "\n";
    }
    out << "Summe – Gesamt: " << FormatLargeValue(t.allTotals) << "\n";
    for (std::size_t i = 0; i < t.shown.size(); ++i) {
        if (t.sums[i] != 0) {
            out << "  " << Pad(std::string(MannschaftsKostenTypeText(t.shown[i])), LabelWidth)
                << SumText(plan, t, i) << "\n";
        }
    }
    out << "\n";
}

} // namespace

void PrintCosts(TPlan& plan, std::ostream& out, bool wide) {
    const PlanValues v = ComputePlanValues(plan);
    PrintPlanTerms(plan, v, out);
    const TeamTable table = ComputeTeamTable(plan);
    if (wide) {
        PrintWideTable(plan, table, out);
    } else {
        PrintTeamBlocks(plan, table, out);
    }
    PrintHardErrors(plan, out);
}

} // namespace terminor::cli
