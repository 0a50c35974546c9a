// Sister teams and their games.

#include "data/SisterTeams.h"

#include "data/DataObject.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanTeams.h"

namespace terminor {

namespace {

TDataObject* NodeAt(const IDataObjectList& nodes, int index) {
    return index >= 0 && index < static_cast<int>(nodes.size()) ? nodes[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

} // namespace

std::string SisterTeamKey(const TDataObject& sister) {
    return "(" + sister.GetAsString("gender") + ") " + sister.GetAsString("teamname");
}

std::string SisterTeamLine(const TDataObject& sister) {
    std::string line =
        SisterTeamKey(sister) + " " + std::to_string(sister.NamedChilds("sistergame").size()) + ", Spiele";
    if (const std::string& location = sister.GetAsString("location"); !location.empty()) {
        line += ", Spiellokal: " + location;
    }
    if (sister.GetAsBool("noparallelgames")) {
        line += ", gleichzeitige Spiele vermeiden";
    }
    if (sister.GetAsBool("parallelhomegames")) {
        line += ", gleichzeitige Heimspiele erwünscht";
    }
    return line;
}

std::vector<TSisterGameEntry> GetSisterGames(const TDataObject& sister) {
    std::vector<TSisterGameEntry> games;
    for (const TDataObject* node : sister.NamedChilds("sistergame")) {
        games.push_back({node->GetAsDateTime("datetime"), node->GetAsString("hometeamname"),
                         node->GetAsString("guestteamname"), node->GetAsString("location")});
    }
    return games;
}

void StoreSisterGame(TDataObject& sister, int index, const TSisterGameEntry& game) {
    const IDataObjectList nodes = sister.NamedChilds("sistergame");
    const std::string key = DateTimeToStorage(game.DateTime);
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        if (i != index && nodes[static_cast<std::size_t>(i)]->GetAsString("datetime") == key) {
            throw TerminorError(SisterGameExistsMessage);
        }
    }
    TDataObject* node = NodeAt(nodes, index);
    if (node == nullptr) {
        node = &sister.addChild("sistergame");
    }
    node->SetAsDateTime("datetime", game.DateTime);
    node->SetAsString("hometeamname", game.Home);
    node->SetAsString("guestteamname", game.Guest);
    node->SetAsString("location", TPlanData::FixLocation(game.Location));
}

void RemoveSisterGame(TDataObject& sister, int index) {
    if (const TDataObject* node = NodeAt(sister.NamedChilds("sistergame"), index)) {
        sister.RemoveChild(node);
    }
}

void RenameSisterGames(TDataObject& sister, const std::string& oldName, const std::string& newName) {
    for (TDataObject* game : sister.NamedChilds("sistergame")) {
        for (const char* attribute : {"hometeamname", "guestteamname"}) {
            if (game->GetAsString(attribute) == oldName) {
                game->SetAsString(attribute, newName);
            }
        }
    }
}

std::unique_ptr<TDataObject> CopySisterTeam(const TDataObject* source) {
    auto copy = std::make_unique<TDataObject>("sisterteam");
    if (source != nullptr) {
        copy->assign(*source);
    }
    return copy;
}

bool SisterTeamKeyTaken(const TPlanData& planData, std::string_view teamName, int index,
                        std::string_view name, std::string_view gender) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return false;
    }
    const IDataObjectList nodes = team->NamedChilds("sisterteam");
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        const TDataObject& other = *nodes[static_cast<std::size_t>(i)];
        if (i != index && other.GetAsString("teamname") == name && other.GetAsString("gender") == gender) {
            return true;
        }
    }
    return false;
}

void StoreSisterTeam(TPlanData& planData, std::string_view teamName, int index, const TDataObject& sister) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    if (SisterTeamKeyTaken(planData, teamName, index, sister.GetAsString("teamname"),
                           sister.GetAsString("gender"))) {
        throw TerminorError(SisterTeamExistsMessage);
    }
    const IDataObjectList nodes = team->NamedChilds("sisterteam");
    TDataObject* node = NodeAt(nodes, index);
    if (node == nullptr) {
        node = &team->addChild("sisterteam");
    }
    node->assign(sister);
}

bool SisterTeamsAreDefault(const TPlanData& planData, std::string_view teamName, const TPlanData& defaults) {
    const TDataObject* team = FindTeamElement(planData, teamName);
    const TDataObject* defaultTeam = FindDefaultTeam(planData, defaults, teamName);
    if (team == nullptr || defaultTeam == nullptr) {
        // A team the import does not know has no sister teams by default.
        return team == nullptr || team->NamedChilds("sisterteam").empty();
    }
    return TDataObject::ChildNodesAreTheSame(team, defaultTeam, "sisterteam");
}

void CopyDefaultSisterTeams(TPlanData& planData, std::string_view teamName, const TPlanData& defaults) {
    TDataObject* team = FindTeamElement(planData, teamName);
    if (team == nullptr) {
        return;
    }
    team->deleteChilds("sisterteam");
    if (const TDataObject* defaultTeam = FindDefaultTeam(planData, defaults, teamName)) {
        for (const TDataObject* node : defaultTeam->NamedChilds("sisterteam")) {
            team->addChild("sisterteam").assign(*node);
        }
    }
}

} // namespace terminor
