// Away-coupling wishes of a team and the alternative kick-offs of its home dates.

#include "data/AwayCouple.h"

#include <algorithm>
#include <cstdlib>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

namespace {

/// Less than 3:30 between two kick-offs: the away team could not play both games on one day.
constexpr int CloseKickOffMinutes = 210;
constexpr int ProposalShiftHours = 4;

bool NamesSamePair(const TRoadCouple& a, const TRoadCouple& b) {
    return (a.TeamA == b.TeamA && a.TeamB == b.TeamB) || (a.TeamA == b.TeamB && a.TeamB == b.TeamA);
}

std::vector<TDateTime> HomeDates(const TPlanData& planData, std::string_view teamName) {
    THomeDayList days;
    planData.GetHomeDays(teamName, days);
    std::vector<TDateTime> dates;
    for (const THomeDay& day : days) {
        if (day.IsHomeDay()) {
            dates.push_back(day.Date);
        }
    }
    return dates;
}

/// The partners P of same-day away couplings of other teams that name `teamName` and P.
std::vector<std::string> SameDayPartners(const TPlanData& planData, std::string_view teamName) {
    std::vector<std::string> partners;
    for (const TDataObject* team : planData.root().NamedChilds("team")) {
        if (team->GetAsString("teamname") == teamName) {
            continue;
        }
        for (const TDataObject* couple : team->NamedChilds("roadcouple")) {
            const int sameDay = couple->GetAsInt("sameday");
            if (sameDay != 0 && sameDay != 2) {
                continue;
            }
            const std::string& a = couple->GetAsString("teamnamea");
            const std::string& b = couple->GetAsString("teamnameb");
            const std::string* partner = a == teamName ? &b : (b == teamName ? &a : nullptr);
            if (partner != nullptr && *partner != teamName &&
                std::find(partners.begin(), partners.end(), *partner) == partners.end()) {
                partners.push_back(*partner);
            }
        }
    }
    return partners;
}

} // namespace

const std::vector<std::string>& RoadCoupleKinds() {
    static const std::vector<std::string> kinds = {"am gleichen Tag", "mit Übernachtung",
                                                   "am gleichen Tag oder mit Übernachtung"};
    return kinds;
}

std::string RoadCoupleText(const TRoadCouple& couple) {
    const auto& kinds = RoadCoupleKinds();
    const std::string kind = couple.SameDay >= 0 && couple.SameDay < static_cast<int>(kinds.size())
                                 ? kinds[static_cast<std::size_t>(couple.SameDay)]
                                 : std::string();
    return couple.TeamA + ", " + couple.TeamB + " (" + kind + ")";
}

std::vector<TRoadCouple> GetRoadCouples(const TPlanData& planData, std::string_view teamName) {
    std::vector<TRoadCouple> couples;
    if (const TDataObject* team = FindTeamElement(planData, teamName)) {
        for (const TDataObject* node : team->NamedChilds("roadcouple")) {
            couples.push_back(
                {node->GetAsString("teamnamea"), node->GetAsString("teamnameb"), node->GetAsInt("sameday")});
        }
    }
    return couples;
}

int FindRoadCouple(const TPlanData& planData, std::string_view teamName, const TRoadCouple& couple) {
    const std::vector<TRoadCouple> couples = GetRoadCouples(planData, teamName);
    for (int i = 0; i < static_cast<int>(couples.size()); ++i) {
        if (NamesSamePair(couples[static_cast<std::size_t>(i)], couple)) {
            return i;
        }
    }
    return -1;
}

void StoreRoadCouple(TPlanData& planData, std::string_view teamName, int index, const TRoadCouple& couple) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    const IDataObjectList nodes = team->NamedChilds("roadcouple");
    if (const int existing = FindRoadCouple(planData, teamName, couple); existing >= 0 && existing != index) {
        throw TerminorError(RoadCoupleExistsMessage);
    }
    TDataObject& node = index >= 0 && index < static_cast<int>(nodes.size())
                            ? *nodes[static_cast<std::size_t>(index)]
                            : team->addChild("roadcouple");
    node.SetAsString("teamnamea", couple.TeamA);
    node.SetAsString("teamnameb", couple.TeamB);
    node.SetAsInt("sameday", couple.SameDay);
}

void RemoveRoadCouple(TPlanData& planData, std::string_view teamName, int index) {
    if (TDataObject* team = FindTeamElement(planData, teamName)) {
        const IDataObjectList nodes = team->NamedChilds("roadcouple");
        if (index >= 0 && index < static_cast<int>(nodes.size())) {
            team->RemoveChild(nodes[static_cast<std::size_t>(index)]);
        }
    }
}

bool RoadCouplesAreDefault(const TPlanData& planData, std::string_view teamName, const TPlanData& defaults) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    const TDataObject* defaultTeam = FindDefaultTeam(planData, defaults, teamName);
    if (team == nullptr || defaultTeam == nullptr) {
        // A team the import does not know has no wishes by default.
        return team == nullptr || team->NamedChilds("roadcouple").empty();
    }
    return TDataObject::ChildNodesAreTheSame(team, defaultTeam, "roadcouple");
}

void CopyDefaultRoadCouples(TPlanData& planData, std::string_view teamName, const TPlanData& defaults) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    team->deleteChilds("roadcouple");
    if (const TDataObject* defaultTeam = FindDefaultTeam(planData, defaults, teamName)) {
        for (const TDataObject* node : defaultTeam->NamedChilds("roadcouple")) {
            team->addChild("roadcouple").assign(*node);
        }
    }
}

std::vector<TAlternativeKickOff> RelevantAlternativeKickOffs(const TPlanData& planData,
                                                             std::string_view teamName) {
    std::vector<TDateTime> partnerDates;
    for (const std::string& partner : SameDayPartners(planData, teamName)) {
        const std::vector<TDateTime> dates = HomeDates(planData, partner);
        partnerDates.insert(partnerDates.end(), dates.begin(), dates.end());
    }
    THomeDayList days;
    planData.GetHomeDays(teamName, days);
    std::vector<TAlternativeKickOff> result;
    for (const THomeDay& day : days) {
        if (!day.IsHomeDay() || day.KoppelDate) {
            continue;
        }
        const bool relevant = std::any_of(partnerDates.begin(), partnerDates.end(), [&day](TDateTime other) {
            return DayNumber(other) == DayNumber(day.Date) &&
                   std::abs(MinutesBetween(day.Date, other)) < CloseKickOffMinutes;
        });
        if (relevant) {
            TAlternativeKickOff entry;
            entry.Date = day.Date;
            if (day.KoppelAuswaertsSecondTime) {
                entry.Alternative = day.KoppelSecondTime;
            }
            result.push_back(entry);
        }
    }
    return result;
}

TDateTime ProposedAlternativeKickOff(TDateTime kickOff) {
    const int minute = MinuteOfDay(kickOff);
    const int shifted =
        minute > 16 * 60 + 59 ? minute - ProposalShiftHours * 60 : minute + ProposalShiftHours * 60;
    return EncodeTime(shifted / 60, shifted % 60);
}

std::optional<TDateTime> ReadAlternativeKickOff(std::string_view text) {
    std::string value = TrimBlanks(text);
    if (value.size() == 4 && value[1] == ':') {
        value.insert(value.begin(), '0');
    }
    if (value.size() != 5) {
        return std::nullopt;
    }
    const TDateTime time = StorageToTime(value);
    if (time == 0.0) {
        return std::nullopt;
    }
    return time;
}

void SetAlternativeKickOffs(TPlanData& planData, std::string_view teamName,
                            const std::vector<TAlternativeKickOff>& alternatives) {
    THomeDayList days;
    planData.GetHomeDays(teamName, days);
    for (THomeDay& day : days) {
        if (!day.IsHomeDay() || day.KoppelDate) {
            continue;
        }
        for (const TAlternativeKickOff& entry : alternatives) {
            if (entry.Date == day.Date) {
                day.KoppelAuswaertsSecondTime = entry.Alternative.has_value();
                if (entry.Alternative) {
                    day.KoppelSecondTime = *entry.Alternative;
                }
            }
        }
    }
    planData.SetHomeDays(teamName, days);
}

} // namespace terminor
