// The hard-error report shown before a schedule is exported, and small plan queries of the views.

#include <algorithm>
#include <string>
#include <vector>

#include "Plan.h"
#include "data/PlanUtils.h"

namespace terminor {

namespace {

const char* const Indent = "    ";

/// Headline, the detail lines and an empty line; nothing when the count is 0.
void AppendBlock(std::vector<std::string>& messages, int count, const std::string& headline,
                 const std::vector<std::string>& details) {
    if (count <= 0) {
        return;
    }
    messages.push_back(headline);
    messages.insert(messages.end(), details.begin(), details.end());
    messages.emplace_back();
}

void AppendIndented(std::vector<std::string>& target, const std::vector<std::string>& lines,
                    const std::string& indent) {
    for (const std::string& line : lines) {
        target.push_back(indent + line);
    }
}

} // namespace

THardErrorCounts TPlan::getHardErrorMessages(std::vector<std::string>& messages) const {
    THardErrorCounts counts;
    const std::string indent = Indent;
    const std::string teamIndent = indent + indent;
    std::vector<std::string> lines;
    std::vector<std::string> details;

    int count = counts.unscheduled = CountUnscheduledGames(&lines);
    AppendIndented(details, lines, indent);
    AppendBlock(messages, count, std::to_string(count) + " Spiele wurden nicht terminiert", details);

    lines.clear();
    details.clear();
    count = counts.notAllowed = CountNotAllowedGames(&lines);
    AppendIndented(details, lines, indent);
    AppendBlock(messages, count, std::to_string(count) + " Spiele sind an nicht erlaubten Tagen", details);

    details.clear();
    counts.sisterGamesNotFirst = CountGamesBeforeSisterGames();
    AppendBlock(messages, counts.sisterGamesNotFirst, "Vereinsinterne Spiele sind nicht am Anfang der Runde",
                details);

    count = 0;
    details.clear();
    std::vector<TDateTime> dates;
    for (const auto& team : Mannschaften) {
        dates.clear();
        team->getSperrTerminViolations(*this, dates);
        if (dates.empty()) {
            continue;
        }
        count += static_cast<int>(dates.size());
        details.push_back(indent + team->teamName);
        for (TDateTime date : dates) {
            details.push_back(teamIndent + FormatDayDate(date));
        }
    }
    counts.sperrTermine = count;
    AppendBlock(messages, count, std::to_string(count) + " Sperrtermine wurden verletzt", details);

    count = 0;
    details.clear();
    std::vector<const TGame*> games;
    for (const auto& team : Mannschaften) {
        games.clear();
        team->get60KmViolations(*this, games);
        count += static_cast<int>(games.size());
        for (const TGame* game : games) {
            details.push_back(indent + game->AsString());
        }
    }
    counts.sixtyKilometer = count;
    AppendBlock(messages, count, std::to_string(count) + " mal wurde die 60km Regel verletzt", details);

    count = 0;
    details.clear();
    for (const auto& team : Mannschaften) {
        lines.clear();
        team->getCloseGames(*this, lines);
        if (lines.empty()) {
            continue;
        }
        count += static_cast<int>(lines.size());
        details.push_back(indent + team->teamName);
        AppendIndented(details, lines, teamIndent);
    }
    counts.closeGames = count;
    AppendBlock(messages, count, std::to_string(count) + " Spiele mit weniger als 2 Tagen Abstand", details);
    return counts;
}

bool TPlan::NoGames() const {
    return std::none_of(gamesAllowed.begin(), gamesAllowed.end(),
                        [](const TGame* game) { return game->DateValid(); });
}

int TPlan::getMaxGamePerMannschaft() const {
    std::size_t result = 0;
    for (const auto& team : Mannschaften) {
        result = std::max(result, team->gamesRef.size());
    }
    return static_cast<int>(result);
}

} // namespace terminor
