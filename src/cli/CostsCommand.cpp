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

void PrintCosts(TPlan& plan, std::ostream& out) {
    const PlanValues v = ComputePlanValues(plan);
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

    std::vector<TMannschaftsKostenType> shown;
    for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
        if (TypeShown(plan, type)) {
            shown.push_back(type);
        }
    }
    constexpr std::size_t NameWidth = 28;
    constexpr std::size_t CellWidth = 24;
    out << Pad("Mannschaft", NameWidth);
    for (const TMannschaftsKostenType type : shown) {
        out << Pad(std::string(MannschaftsKostenTypeText(type)), CellWidth);
    }
    out << "Gesamt\n";
    std::vector<double> sums(shown.size(), 0.0);
    double allTotals = 0.0;
    std::vector<std::pair<std::string, std::vector<std::string>>> messages;
    for (const auto& team : plan.Mannschaften) {
        TMannschaftsKosten kosten;
        team->CalculateKosten(plan, kosten, tmNormalMessage);
        out << Pad(team->teamName, NameWidth);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            out << Pad(CellText(kosten[shown[i]]) +
                           MarkerText(plan.GetMannschaftKostenDisplayInteger(*team, shown[i])),
                       CellWidth);
            sums[i] += kosten[shown[i]].GesamtKosten;
        }
        const double total = kosten.getGesamtKosten();
        allTotals += total;
        out << FormatLargeValue(total)
            << MarkerText(CalculateOptionsDisplayOffset(options.GewichtungMannschaften.getMain(team->teamId)))
            << "\n";
        if (kosten.HasMessages() && !kosten.Messages().empty()) {
            messages.emplace_back(team->teamName, kosten.Messages());
        }
    }
    out << Pad("Summe:", NameWidth);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        out << Pad(FormatLargeValue(sums[i]) +
                       MarkerText(CalculateOptionsDisplayOffset(
                           options.GewichtungMainMannschaftsKosten[static_cast<std::size_t>(shown[i])])),
                   CellWidth);
    }
    out << FormatLargeValue(allTotals) << "\n\n";

    for (const auto& [name, lines] : messages) {
        out << name << ":\n";
        for (const std::string& line : lines) {
            out << "  " << line << "\n";
        }
        out << "\n";
    }

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

} // namespace terminor::cli
