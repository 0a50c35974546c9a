#include "InfoCommand.h"

#include <algorithm>

#include "data/PlanUtils.h"

namespace terminor::cli {

namespace {

/// No season lies before 1901: such a value is the empty date 0 (30.12.1899) or a bound computed
/// from it, such as a round's end 100 days after a plan without wish dates.
bool HasDate(TDateTime value) {
    static const TDateTime First = EncodeDate(1901, 1, 1);
    return value >= First;
}

std::string DateText(TDateTime value) {
    return HasDate(value) ? FormatDayDate(value) : "------";
}

std::string DateTimeText(TDateTime value) {
    return HasDate(value) ? FormatDayDateTime(value) : "------";
}

/// Which part of the season a round belongs to.
std::string HalfText(const TPlan& plan, const TRoundInfo& round) {
    if (plan.getOptions().RoundPlaning == rpHalfRound) {
        return "Halbrunde";
    }
    return round.DateTo <= plan.DateBeginRueckrundeInXML ? "Vorrunde" : "Rückrunde";
}

void PrintRounds(const TPlan& plan, std::ostream& out) {
    // The season's own bounds are what the user planned; the technical bounds follow below.
    out << "Runden:\n";
    bool beyond = false;
    for (std::size_t i = 0; i < plan.Rounds().size(); ++i) {
        const TRoundInfo& round = plan.Rounds()[i];
        const TDateTime from =
            HasDate(plan.DateBegin) ? std::max(round.DateFrom, plan.DateBegin) : round.DateFrom;
        const TDateTime to = HasDate(plan.DateEnd) ? std::min(round.DateTo, plan.DateEnd) : round.DateTo;
        beyond = beyond || from != round.DateFrom || to != round.DateTo;
        out << "  " << (i + 1) << ". Runde (" << HalfText(plan, round) << "): " << DateText(from) << " bis "
            << DateText(to) << (plan.IsInRoundToGenerate(round.DateFrom) ? "" : " (nicht generiert)") << "\n";
        out << "     technisch: " << DateTimeText(round.DateFrom) << " bis " << DateTimeText(round.DateTo)
            << "\n";
    }
    if (beyond) {
        out << "  Die technischen Grenzen reichen absichtlich 100 Tage über den ersten und\n"
               "  letzten Wunschtermin hinaus, damit kein Spiel am Rand der Saison herausfällt.\n";
    }
}

const char* JaNein(bool value) {
    return value ? "ja" : "nein";
}

} // namespace

nlohmann::ordered_json PlanInfoJson(const TPlan& plan) {
    nlohmann::ordered_json j;
    j["name"] = plan.PlanName;
    j["id"] = plan.PlanId;
    j["gender"] = plan.gender;
    j["from"] = DateToStorage(plan.DateBegin);
    j["mid"] = DateToStorage(plan.DateBeginRueckrundeInXML);
    j["until"] = DateToStorage(plan.DateEnd);
    j["roundPlaning"] = std::string(RoundPlaningName(plan.getOptions().RoundPlaning));
    j["doubleRound"] = plan.getOptions().DoubleRound;
    j["rounds"] = nlohmann::ordered_json::array();
    for (const TRoundInfo& round : plan.Rounds()) {
        j["rounds"].push_back(
            {{"from", DateTimeToStorage(round.DateFrom)}, {"to", DateTimeToStorage(round.DateTo)}});
    }
    j["teams"] = plan.Mannschaften.size();
    j["games"] = plan.gamesAllowed.size();
    j["gamesNotAllowed"] = plan.gamesNotAllowed.size();
    j["predefinedGames"] = plan.predefinedGames.size();
    j["existingSchedule"] = plan.existingSchedule.size();
    j["flags"] = {{"koppelTermine", plan.HasKoppelTermine()},
                  {"auswaertsKoppelTermine", plan.HasAuswaertsKoppelTermine()},
                  {"ausweichTermine", plan.HasAusweichTermine()},
                  {"sechzigKilometer", plan.Has60KilometerValues()},
                  {"mandatoryGameDays", plan.HasMandatoryGameDays()},
                  {"forceSameHomeGames", plan.HasForceSameHomeGames()},
                  {"ranking", plan.HasRanking()}};
    j["wishDays"] = plan.GetNumWunschDays();
    j["teamList"] = nlohmann::ordered_json::array();
    for (const auto& team : plan.Mannschaften) {
        std::vector<std::string> lines;
        team->getTermineNotPossible(plan, lines);
        j["teamList"].push_back({{"teamName", team->teamName},
                                 {"teamId", team->teamId},
                                 {"wishDates", team->WunschTermine.size()},
                                 {"termineNotPossible", lines}});
    }
    return j;
}

void PrintPlanInfo(const TPlan& plan, std::ostream& out) {
    const TCalculateOptions& options = plan.getOptions();
    out << "Staffel: " << plan.PlanName;
    if (!plan.PlanId.empty()) {
        out << " (" << plan.PlanId << ")";
    }
    out << "\n";
    if (!plan.gender.empty()) {
        out << "Altersklasse: " << plan.gender << "\n";
    }
    out << "Saison: " << DateText(plan.DateBegin) << " bis " << DateText(plan.DateEnd) << ", Rückrunde ab "
        << DateText(plan.DateBeginRueckrundeInXML) << "\n";
    out << "Rundenplanung: " << RoundPlaningText(options.RoundPlaning)
        << (options.DoubleRound ? ", Doppelrunde" : "") << "\n";
    PrintRounds(plan, out);
    out << "Mannschaften: " << plan.Mannschaften.size() << "\n";
    out << "Spiele: " << plan.gamesAllowed.size();
    if (!plan.gamesNotAllowed.empty()) {
        out << " (dazu " << plan.gamesNotAllowed.size() << " nicht erlaubte)";
    }
    out << "\n";
    out << "Vorgegebene Spiele: " << plan.predefinedGames.size()
        << ", bestehender Spielplan: " << plan.existingSchedule.size() << " Spiele\n";
    out << "Koppeltermine: " << JaNein(plan.HasKoppelTermine()) << "\n";
    out << "Auswärtskoppeltermine: " << JaNein(plan.HasAuswaertsKoppelTermine()) << "\n";
    out << "Ausweichtermine: " << JaNein(plan.HasAusweichTermine()) << "\n";
    out << "60km Regel: " << JaNein(plan.Has60KilometerValues()) << "\n";
    out << "Pflichtspieltage: " << JaNein(plan.HasMandatoryGameDays()) << "\n";
    out << "Synchrone Heimspiele: " << JaNein(plan.HasForceSameHomeGames()) << "\n";
    out << "Setzliste: " << JaNein(plan.HasRanking()) << "\n";
    out << "Verschiedene Wunschtage: " << plan.GetNumWunschDays() << "\n";
    for (const auto& team : plan.Mannschaften) {
        std::vector<std::string> lines;
        team->getTermineNotPossible(plan, lines);
        out << "\n" << team->teamName << " (" << team->WunschTermine.size() << " Wunschtermine)\n";
        for (const std::string& line : lines) {
            out << "  " << line << "\n";
        }
    }
}

} // namespace terminor::cli
