#pragma once
// Sister teams of one team (other teams of its club in other divisions, `sisterteam`) and their
// games (`sistergame`): the texts the pages list them with, the games of one sister team, renaming
// its games with the team, and the comparison with the import. Any thread, on its own plan data.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/DateTime.h"

namespace terminor {

class TDataObject;
class TPlanData;

/// One game of a sister team.
struct TSisterGameEntry {
    TDateTime DateTime = 0.0;
    std::string Home;
    std::string Guest;
    std::string Location;
};

/// "(" + gender + ") " + name, the key of a sister team in the halls page.
std::string SisterTeamKey(const TDataObject& sister);
/// The line of the sister-teams page: key, the number of games, then hall and the two flags.
std::string SisterTeamLine(const TDataObject& sister);

/// The games of a sister team in document order.
std::vector<TSisterGameEntry> GetSisterGames(const TDataObject& sister);
/// Writes the game over the one at `index`, or appends it when `index` is -1. Throws TerminorError
/// SisterGameExistsMessage when another game of the team has the same date and time (the key of a
/// game), and leaves the team unchanged.
void StoreSisterGame(TDataObject& sister, int index, const TSisterGameEntry& game);
void RemoveSisterGame(TDataObject& sister, int index);
/// Every game whose home or guest team is `oldName` gets `newName` there.
void RenameSisterGames(TDataObject& sister, const std::string& oldName, const std::string& newName);

/// A detached `sisterteam` node, a copy of `source` or empty when `source` is null.
std::unique_ptr<TDataObject> CopySisterTeam(const TDataObject* source);
/// Whether a sister team of the team other than the one at `index` has that name and age class.
bool SisterTeamKeyTaken(const TPlanData& planData, std::string_view teamName, int index,
                        std::string_view name, std::string_view gender);
/// Stores `sister` at position `index` among the team's sister teams, or appends it when `index`
/// is -1. Throws TerminorError SisterTeamExistsMessage when another sister team has the same name
/// and age class (its key), and leaves the data unchanged.
void StoreSisterTeam(TPlanData& planData, std::string_view teamName, int index, const TDataObject& sister);

/// Whether the team's sister teams are those of its team in `defaults`.
bool SisterTeamsAreDefault(const TPlanData& planData, std::string_view teamName, const TPlanData& defaults);
/// Replaces the team's sister teams by copies of those of its team in `defaults`.
void CopyDefaultSisterTeams(TPlanData& planData, std::string_view teamName, const TPlanData& defaults);

inline constexpr const char* SisterGameExistsMessage = "Zu diesem Zeitpunkt gibt es bereits eine Begegnung.";
inline constexpr const char* SisterTeamExistsMessage =
    "Eine Nachbarmannschaft mit diesem Namen und dieser Art gibt es bereits.";

} // namespace terminor
