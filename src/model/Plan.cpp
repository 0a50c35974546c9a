#include "Plan.h"

#include <algorithm>
#include <atomic>
#include <set>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanUtils.h"
#include "model/MandatoryPeriods.h"

namespace terminor {

namespace {

std::string PairKey(const TMannschaft& heim, const TMannschaft& gast) {
    return heim.teamId + "|" + gast.teamId;
}

/// The last wish date of the team on the calendar day of `date`, or nullptr.
const TWunschTermin* LastWishDateOfDay(const TMannschaft& team, TDateTime date) {
    const int day = DayNumber(date);
    const TWunschTermin* result = nullptr;
    for (const auto& w : team.WunschTermine) {
        // The cheap distance test spares the exact day computation for most dates.
        if (w->Date > date - 2 && w->Date < date + 2 && DayNumber(w->Date) == day) {
            result = w.get();
        }
    }
    return result;
}

/// A stamp no plan data had before.
std::uint64_t NewDataStamp() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

bool OutsidePlanningPeriod(const TCalculateOptions& options, TDateTime date, TDateTime begin, TDateTime end) {
    return options.RoundPlaning == rpHalfRound && (date < begin || date > end);
}

} // namespace

TPlan::TPlan() : FDataStamp(NewDataStamp()) {}

TPlan::~TPlan() {
    // Games point at wish dates of the teams and the teams' reference lists point at games:
    // drop the games first so that no list outlives what it refers to.
    gamesAllowed.Clear();
    gamesNotAllowed.Clear();
    predefinedGames.Clear();
    existingSchedule.Clear();
}

void TPlan::Clear() {
    cachedGameList.clear();
    FPairGames.clear();
    gamesAllowed.Clear();
    gamesNotAllowed.Clear();
    existingSchedule.Clear();
    predefinedGames.Clear();
    Mannschaften.Clear();
    FDataStamp = NewDataStamp();
}

void TPlan::CheckLimits() const {
    if (static_cast<int>(Mannschaften.size()) > MaxTeamsPerPlan) {
        throw TerminorError("Der Plan enthält " + std::to_string(Mannschaften.size()) +
                            " Mannschaften. Es können höchstens " + std::to_string(MaxTeamsPerPlan) +
                            " Mannschaften geplant werden.");
    }
    // Games, schedules and the export find teams by name: a name given twice (two teams of the same
    // name in a click-TT export) would mix their games up silently.
    std::set<std::string_view> names;
    for (const auto& team : Mannschaften) {
        if (!names.insert(team->teamName).second) {
            throw TerminorError("Doppelter Schlüssel in Datei: team \"" + team->teamName +
                                "\" ist zweimal eingetragen. Jede Mannschaft darf nur einmal vorkommen.");
        }
    }
    if (static_cast<int>(FRounds.size()) > MaxRoundsPerPlan) {
        throw TerminorError("Der Plan enthält " + std::to_string(FRounds.size()) +
                            " Runden. Es können höchstens " + std::to_string(MaxRoundsPerPlan) +
                            " Runden geplant werden.");
    }
}

void TPlan::Load(const TPlanData& planData) {
    Clear();
    const TDataObject& root = planData.root();
    gender = root.GetAsString("gender");
    DateBeginRueckrundeInXML = root.GetAsDate("mid");
    DateBegin = root.GetAsDate("from");
    DateEnd = root.GetAsDate("until");
    PlanName = root.GetAsString("name");
    PlanId = root.GetAsString("id");

    LoadTeams(planData);
    CheckLimits();
    FilterSisterGames();
    FindSisterTeamsInPlan();
    BuildAllGames();

    predefinedGames.Clear();
    if (const TDataObject* node = root.FindChild("predefinedgames")) {
        TGameList games(true);
        ReadGameList(*node, games);
        SetPredefinedGames(games);
    }

    FreeGameDays.clear();
    for (const TDataObject* day : root.NamedChilds("nogameday")) {
        FreeGameDays.emplace(DayNumber(day->GetAsDate("date")), std::string());
    }

    MandatoryGameDays = ReadMandatoryPeriods(planData);

    LoadRanking(root);

    existingSchedule.Clear();
    if (const TDataObject* node = root.FindChild("existingschedule")) {
        TGameList games(true);
        ReadGameList(*node, games);
        AssignGames(games);
        SetExistingSchedule(games);
    }
    ClearCaches();
    FDataStamp = NewDataStamp();
}

void TPlan::LoadTeams(const TPlanData& planData) {
    Mannschaften.Clear();
    for (const TDataObject* node : planData.root().NamedChilds("team")) {
        TMannschaft& team =
            Mannschaften.Add(std::make_unique<TMannschaft>(static_cast<int>(Mannschaften.size())));
        team.load(*node, *this, planData);
    }
    Mannschaften.Sort();
}

void TPlan::FilterSisterGames() {
    for (const auto& team : Mannschaften) {
        for (auto it = team->sisterGames.values.begin(); it != team->sisterGames.values.end();) {
            TSisterGames& games = it->second;
            std::erase_if(games, [this](const TSisterGame& g) {
                return g.gender == gender && (Mannschaften.FindByName(g.HomeMannschaftName) != nullptr ||
                                              Mannschaften.FindByName(g.GuestMannschaftName) != nullptr);
            });
            for (std::size_t i = games.size(); i-- > 1;) {
                const bool repeated =
                    std::any_of(games.begin(), games.begin() + static_cast<std::ptrdiff_t>(i),
                                [&games, i](const TSisterGame& earlier) {
                                    return earlier.HomeMannschaftName == games[i].HomeMannschaftName &&
                                           earlier.GuestMannschaftName == games[i].GuestMannschaftName;
                                });
                if (repeated) {
                    games.erase(games.begin() + static_cast<std::ptrdiff_t>(i));
                }
            }
            it = games.empty() ? team->sisterGames.values.erase(it) : std::next(it);
        }
    }
}

void TPlan::FindSisterTeamsInPlan() {
    for (const auto& team : Mannschaften) {
        team->SisterTeamsInPlan.clear();
        // Teams without a club id are no sister teams of each other.
        if (team->clubID.empty()) {
            continue;
        }
        for (const auto& other : Mannschaften) {
            if (other.get() != team.get() && other->clubID == team->clubID) {
                team->SisterTeamsInPlan.push_back(other.get());
            }
        }
    }
}

void TPlan::BuildRounds() {
    FRounds.clear();
    const TDateTime m1 = FOptions.getMidDate1(*this);
    const TDateTime m2 = FOptions.getMidDate2(*this);
    if (FOptions.RoundPlaning == rpHalfRound) {
        if (!FOptions.DoubleRound) {
            FRounds.push_back({DateBegin, DateEnd});
        } else {
            const TDateTime s = DateBegin > m1 ? m2 : m1;
            FRounds.push_back({DateBegin, s});
            FRounds.push_back({s, DateEnd});
        }
        return;
    }
    const TDateTime f = GetFirstDate() - 100;
    const TDateTime l = GetLastDate() + 100;
    const TDateTime r = DateBeginRueckrundeInXML;
    if (!FOptions.DoubleRound) {
        FRounds.push_back({f, r});
        FRounds.push_back({r, l});
    } else {
        FRounds.push_back({f, m1});
        FRounds.push_back({m1, r});
        FRounds.push_back({r, m2});
        FRounds.push_back({m2, l});
    }
}

void TPlan::BuildAllGames(bool buildTeamGameRefs) {
    BuildRounds();
    for (const auto& team : Mannschaften) {
        team->gamesRef.Clear();
    }
    gamesNotAllowed.Clear();
    if (GamesMatchPairings()) {
        // Same teams and round mode as before: resetting the existing games is the same as
        // creating them anew, and keeps the pairing index valid.
        for (TGame* game : gamesAllowed) {
            if (game->FWunschTermin != nullptr && game->FWunschTermin->assignedGame == game) {
                game->FWunschTermin->assignedGame = nullptr;
            }
            game->FWunschTermin = nullptr;
            game->Reset();
        }
        if (buildTeamGameRefs) {
            BuildTeamGameRefs();
        }
        return;
    }
    gamesAllowed.Clear();
    const std::size_t n = Mannschaften.size();
    gamesAllowed.Reserve(n * (n - (n > 0 ? 1 : 0)) * (FOptions.DoubleRound ? 2 : 1));
    for (const auto& heim : Mannschaften) {
        for (const auto& gast : Mannschaften) {
            if (heim.get() == gast.get()) {
                continue;
            }
            gamesAllowed.Add(std::make_unique<TGame>(heim.get(), gast.get()));
            if (FOptions.DoubleRound) {
                gamesAllowed.Add(std::make_unique<TGame>(heim.get(), gast.get()));
            }
        }
    }
    RebuildCachedGameList();
    if (buildTeamGameRefs) {
        BuildTeamGameRefs();
    }
}

bool TPlan::GamesMatchPairings() const {
    const std::size_t n = Mannschaften.size();
    const std::size_t perPair = FOptions.DoubleRound ? 2 : 1;
    if (n < 2 || gamesAllowed.size() != n * (n - 1) * perPair || FPairGames.size() != n * n) {
        return false;
    }
    std::size_t i = 0;
    for (const auto& heim : Mannschaften) {
        for (const auto& gast : Mannschaften) {
            if (heim.get() == gast.get()) {
                continue;
            }
            for (std::size_t k = 0; k < perPair; ++k, ++i) {
                if (gamesAllowed[i]->MannschaftHeim != heim.get() ||
                    gamesAllowed[i]->MannschaftGast != gast.get()) {
                    return false;
                }
            }
        }
    }
    return true;
}

void TPlan::RebuildCachedGameList() {
    cachedGameList.clear();
    const std::size_t n = Mannschaften.size();
    FPairGames.assign(n * n, {});
    for (TGame* game : gamesAllowed) {
        cachedGameList[PairKey(*game->MannschaftHeim, *game->MannschaftGast)].push_back(game);
        FPairGames[static_cast<std::size_t>(game->MannschaftHeim->Index) * n +
                   static_cast<std::size_t>(game->MannschaftGast->Index)]
            .push_back(game);
    }
}

const std::vector<TGame*>* TPlan::GamesOfPairing(const TMannschaft& heim, const TMannschaft& gast) const {
    const std::size_t n = Mannschaften.size();
    const auto h = static_cast<std::size_t>(heim.Index);
    const auto g = static_cast<std::size_t>(gast.Index);
    if (h >= n || g >= n || FPairGames.size() != n * n || Mannschaften[h] != &heim ||
        Mannschaften[g] != &gast) {
        return nullptr;
    }
    const std::vector<TGame*>& games = FPairGames[h * n + g];
    return games.empty() ? nullptr : &games;
}

void TPlan::BuildTeamGameRefs() {
    for (const auto& team : Mannschaften) {
        team->gamesRef.Clear();
        team->gamesRef.Reserve(2 * gamesAllowed.size() / std::max<std::size_t>(1, Mannschaften.size()) + 4);
    }
    for (const TGameList* list : {&gamesAllowed, &gamesNotAllowed}) {
        for (TGame* game : *list) {
            game->MannschaftHeim->gamesRef.AddRef(game);
            game->MannschaftGast->gamesRef.AddRef(game);
        }
    }
    for (const auto& team : Mannschaften) {
        team->SortGamesRef();
        team->RecountDaySlots();
    }
    ++FValidityEpoch;
}

void TPlan::ReadGameList(const TDataObject& node, TGameList& games) const {
    for (const TDataObject* g : node.NamedChilds("game")) {
        TMannschaft* heim = Mannschaften.FindByName(g->GetAsString("hometeamname"));
        TMannschaft* gast = Mannschaften.FindByName(g->GetAsString("guestteamname"));
        if (heim == nullptr || gast == nullptr) {
            continue;
        }
        TGame* game = games.Add(std::make_unique<TGame>(heim, gast));
        game->FDate = g->GetAsDateTime("datetime");
        game->OverrideLocation = TPlanData::FixLocation(g->GetAsString("location"));
    }
}

void TPlan::CopyGamesWithWishDates(const TGameList& games, TGameList& target, bool withOverrideLocation) {
    target.Clear();
    for (const TGame* source : games) {
        TMannschaft* heim = Mannschaften.FindByTeamId(source->MannschaftHeim->teamId);
        TMannschaft* gast = Mannschaften.FindByTeamId(source->MannschaftGast->teamId);
        if (heim == nullptr || gast == nullptr) {
            continue;
        }
        TGame* game = target.Add(std::make_unique<TGame>(heim, gast));
        game->FDate = source->FDate;
        // Options and hall capacity of the wish date; the fixed games keep no link to it, since
        // wish dates are replaced whenever the options change.
        if (const TWunschTermin* w = heim->WunschTermine.Find(source->FDate)) {
            game->FDateOptions = w->Options;
            game->FDateMaxHome = w->ParallelGames;
        }
        if (withOverrideLocation) {
            game->OverrideLocation = source->OverrideLocation;
        }
    }
}

void TPlan::SetPredefinedGames(const TGameList& games) {
    CopyGamesWithWishDates(games, predefinedGames, true);
}

void TPlan::SetExistingSchedule(const TGameList& games) {
    CopyGamesWithWishDates(games, existingSchedule, false);
}

void TPlan::LoadRanking(const TDataObject& root) {
    RankingIndexe.clear();
    const TDataObject* ranking = root.FindChild("ranking");
    if (ranking == nullptr || !ranking->GetAsBool("active")) {
        return;
    }
    // Position -> team index; a later entry for the same position wins, gaps close up.
    std::map<int, int> positions;
    for (const TDataObject* entry : ranking->NamedChilds("team")) {
        const TMannschaft* team = Mannschaften.FindByName(entry->GetAsString("teamname"));
        const int position = entry->GetAsInt("rankingindex");
        if (team == nullptr || position < 0) {
            continue;
        }
        positions[position] = team->Index;
    }
    for (const auto& [position, index] : positions) {
        RankingIndexe.push_back(index);
    }
    for (const auto& team : Mannschaften) {
        if (std::find(RankingIndexe.begin(), RankingIndexe.end(), team->Index) == RankingIndexe.end()) {
            RankingIndexe.push_back(team->Index);
        }
    }
}

void TPlan::AssignPlanData(const TPlan& source) {
    if (&source == this) {
        return;
    }
    TSchedule remembered;
    getSchedule(remembered);

    gender = source.gender;
    for (const auto& team : Mannschaften) {
        team->gamesRef.Clear();
    }
    cachedGameList.clear();
    FPairGames.clear();
    gamesAllowed.Clear();
    gamesNotAllowed.Clear();
    predefinedGames.Clear();
    existingSchedule.Clear();
    Mannschaften.Assign(source.Mannschaften);
    FindSisterTeamsInPlan();

    DateBeginRueckrundeInXML = source.DateBeginRueckrundeInXML;
    DateBegin = source.DateBegin;
    DateEnd = source.DateEnd;
    PlanName = source.PlanName;
    LastOptimizedThread = source.LastOptimizedThread;
    PlanId = source.PlanId;
    AssignOptions(source.getOptions());

    SetPredefinedGames(source.predefinedGames);
    SetExistingSchedule(source.existingSchedule);
    FreeGameDays = source.FreeGameDays;
    MandatoryGameDays.Assign(source.MandatoryGameDays);
    RankingIndexe.clear();
    for (const int index : source.RankingIndexe) {
        if (index >= 0 && index < static_cast<int>(Mannschaften.size())) {
            RankingIndexe.push_back(index);
        }
    }

    AssignSchedule(remembered);
    FixPredefinedGames();
    AssignOptions(source.getOptions());
    ClearCaches();
    FDataStamp = NewDataStamp();
}

void TPlan::Assign(const TPlan& source) {
    if (&source == this) {
        return;
    }
    AssignPlanData(source);
    AttachDatesOf(source);
}

void TPlan::AssignDates(const TPlan& source) {
    if (&source == this) {
        return;
    }
    LastOptimizedThread = source.LastOptimizedThread;
    AttachDatesOf(source);
}

void TPlan::AttachDatesOf(const TPlan& source) {
    SnapshotDates(source, FScratchDates);
    AttachDates(FScratchDates);
    ResetNotNecessaryGames(); // as AssignSchedule does
}

void TPlan::DetachWishDates() {
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            w->assignedGame = nullptr;
        }
    }
    for (TGameList* list : {&gamesAllowed, &gamesNotAllowed}) {
        for (TGame* game : *list) {
            game->FWunschTermin = nullptr;
            game->FWunschTerminRef = nullptr;
        }
    }
}

void TPlan::SnapshotDates(const TPlan& from, std::vector<AttachedDate>& out) const {
    // The same as getSchedule followed by the name lookups of AssignSchedule, without copying names:
    // each team of `from` is resolved by name once.
    std::vector<TMannschaft*> byName(from.Mannschaften.size(), nullptr);
    for (std::size_t i = 0; i < from.Mannschaften.size(); ++i) {
        byName[i] = Mannschaften.FindByName(from.Mannschaften[i]->teamName);
    }
    const auto resolve = [&](const TMannschaft* team) {
        const auto i = static_cast<std::size_t>(team->Index);
        return i < byName.size() && from.Mannschaften[i] == team ? byName[i]
                                                                 : Mannschaften.FindByName(team->teamName);
    };
    out.clear();
    out.reserve(from.gamesAllowed.size() + from.gamesNotAllowed.size());
    for (const TGameList* list : {&from.gamesAllowed, &from.gamesNotAllowed}) {
        for (const TGame* game : *list) {
            out.push_back({resolve(game->MannschaftHeim), resolve(game->MannschaftGast), game->FDate, false});
        }
    }
}

void TPlan::AssignOptions(const TCalculateOptions& options) {
    std::vector<AttachedDate> remembered;
    SnapshotDates(*this, remembered);
    if (&options != &FOptions) {
        FOptions.Assign(options);
    }
    PrepareWishDates();
    AttachDates(remembered);
    // AssignSchedule would reset the not-necessary flags here, and so does AssignOptions; the
    // marking is idempotent, so once is enough.
    ResetNotNecessaryGames();
    ClearCaches();
    FDataStamp = NewDataStamp();
}

void TPlan::PrepareWishDates() {
    // Wish dates are deleted and re-derived below; no game may keep pointing at one of them.
    DetachWishDates();
    for (const auto& team : Mannschaften) {
        std::erase_if(team->SperrTermine,
                      [this](TDateTime d) { return OutsidePlanningPeriod(FOptions, d, DateBegin, DateEnd); });
        for (std::size_t i = team->WunschTermine.size(); i-- > 0;) {
            const TWunschTermin& w = team->WunschTermine[i];
            if (w.Options.Contains(woKoppelSecondTime) || w.Options.Contains(woAuswaertsKoppelSecondTime) ||
                OutsidePlanningPeriod(FOptions, w.Date, DateBegin, DateEnd)) {
                team->WunschTermine.Delete(i);
            }
        }
    }
    ClearCaches();
    for (const auto& team : Mannschaften) {
        std::vector<std::unique_ptr<TWunschTermin>> copies;
        for (const auto& w : team->WunschTermine) {
            TWunschterminOption added;
            if (w->Options.IsSameDayKoppel()) {
                added = woKoppelSecondTime;
            } else if (w->Options.Contains(woAuswaertsKoppelHasSecondTime)) {
                added = woAuswaertsKoppelSecondTime;
            } else {
                continue;
            }
            auto copy = std::make_unique<TWunschTermin>();
            copy->Assign(*w);
            copy->Date = w->KoppelSecondTime;
            copy->Options.Include(added);
            copies.push_back(std::move(copy));
        }
        for (auto& copy : copies) {
            team->WunschTermine.Add(std::move(copy));
        }
    }
    ClearCaches();
}

void TPlan::ResetNotNecessaryGames() {
    for (TGame* game : gamesAllowed) {
        game->FNotNecessary = false;
    }
    if (FOptions.RoundPlaning != rpBoth) {
        for (TGame* game : gamesAllowed) {
            const bool marks = FOptions.RoundPlaning == rpCorona
                                   ? game->DateValid()
                                   : game->DateValid() && IsInRoundToGenerate(game->FDate);
            if (!marks) {
                continue;
            }
            MarkReverseNotNecessary(*game);
        }
    }
    // No cache needs clearing: a flag depends only on the dates of the games between the same two
    // teams, and every date change of those clears both teams' cost caches already.
}

void TPlan::MarkReverseNotNecessary(const TGame& game) {
    const std::vector<TGame*>* reverse = GamesOfPairing(*game.MannschaftGast, *game.MannschaftHeim);
    if (reverse == nullptr) {
        return;
    }
    for (TGame* candidate : *reverse) {
        if (!candidate->FNotNecessary && !candidate->DateValid()) {
            candidate->FNotNecessary = true;
            return;
        }
    }
}

void TPlan::AttachDates(const std::vector<AttachedDate>& incoming) {
    // clearAllDates and BuildAllGames, without the team game lists they would build and the
    // next lines would drop again.
    ResetAllGameDates();
    BuildAllGames(false);
    for (const auto& team : Mannschaften) {
        team->gamesRef.Clear();
    }
    gamesNotAllowed.Clear();

    // Each incoming game takes the first undated game of its pairing. An incoming game without date
    // leaves that game undated (it only hands over its not-necessary flag), so a later entry of the
    // same pairing takes the same game; when its pairing has no undated game left, it has nothing
    // to keep and is dropped, wherever it stands among the entries.
    for (const AttachedDate& a : incoming) {
        if (a.heim == nullptr || a.gast == nullptr) {
            continue;
        }
        TGame* target = nullptr;
        if (const std::vector<TGame*>* games = GamesOfPairing(*a.heim, *a.gast)) {
            for (TGame* candidate : *games) {
                if (!candidate->DateValid()) {
                    target = candidate;
                    break;
                }
            }
        }
        if (target == nullptr && a.date == 0.0) {
            continue;
        }
        if (target == nullptr) {
            TGame* extra = gamesNotAllowed.Add(std::make_unique<TGame>(a.heim, a.gast));
            extra->FDate = a.date;
            continue;
        }
        const TWunschTermin* sameDay = a.date != 0.0 ? LastWishDateOfDay(*a.heim, a.date) : nullptr;
        TWunschTermin* exact = a.date != 0.0 ? a.heim->WunschTermine.Find(a.date) : nullptr;
        target->setDate(a.date, sameDay ? sameDay->Options : TWunschterminOptions{},
                        sameDay ? sameDay->ParallelGames : 0, false, a.notNecessary, exact);
    }
    BuildTeamGameRefs();
    AllDatesAreValid = false;
}

void TPlan::AssignGames(const TGameList& allGames) {
    std::vector<AttachedDate> incoming;
    incoming.reserve(allGames.size());
    for (const TGame* g : allGames) {
        incoming.push_back({Mannschaften.FindByTeamId(g->MannschaftHeim->teamId),
                            Mannschaften.FindByTeamId(g->MannschaftGast->teamId), g->FDate,
                            g->FNotNecessary});
    }
    AttachDates(incoming);
}

void TPlan::AssignSchedule(const TSchedule& allGames) {
    std::vector<AttachedDate> incoming;
    incoming.reserve(allGames.size());
    for (const TScheduleGame& g : allGames) {
        incoming.push_back({Mannschaften.FindByName(g.MannschaftHeimName),
                            Mannschaften.FindByName(g.MannschaftGastName), g.Date, false});
    }
    AttachDates(incoming);
    ResetNotNecessaryGames();
}

void TPlan::getSchedule(TSchedule& gamesList) const {
    gamesList.clear();
    gamesList.reserve(gamesAllowed.size() + gamesNotAllowed.size());
    for (const TGameList* list : {&gamesAllowed, &gamesNotAllowed}) {
        for (const TGame* game : *list) {
            TScheduleGame entry;
            entry.Date = game->FDate;
            entry.MannschaftHeimName = game->MannschaftHeim->teamName;
            entry.MannschaftGastName = game->MannschaftGast->teamName;
            entry.Location = game->GetLocation();
            if (const TGame* predefined = predefinedGames.findSameGame(*game)) {
                if (!predefined->OverrideLocation.empty()) {
                    entry.Location = predefined->OverrideLocation;
                }
            }
            gamesList.push_back(std::move(entry));
        }
    }
}

void TPlan::getCloneOfAllGames(TGameList& gamesList) const {
    gamesList.Clear();
    for (const TGameList* list : {&gamesAllowed, &gamesNotAllowed}) {
        for (const TGame* game : *list) {
            TGame* copy = gamesList.Add(std::make_unique<TGame>(game->MannschaftHeim, game->MannschaftGast));
            copy->FDate = game->FDate;
            copy->FDateOptions = game->FDateOptions;
            copy->FDateMaxHome = game->FDateMaxHome;
            copy->FNotNecessary = game->FNotNecessary;
        }
    }
}

void TPlan::ResetGameDate(TGame& game) {
    // Another game may hold the wish date by now; its back reference must survive this reset.
    if (game.FWunschTermin != nullptr && game.FWunschTermin->assignedGame != &game) {
        game.FWunschTermin = nullptr;
    }
    game.Reset();
    game.MannschaftHeim->GamesChanged();
    game.MannschaftGast->GamesChanged();
}

void TPlan::ResetAllGameDates(bool keepDataCaches) {
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            w->assignedGame = nullptr;
        }
        team->gamesRef.Clear();
    }
    for (TGame* game : gamesAllowed) {
        game->FWunschTermin = nullptr;
        ResetGameDate(*game);
    }
    gamesNotAllowed.Clear();
    if (!keepDataCaches) {
        ClearCaches();
        return;
    }
    // What ClearCaches drops that depends on dates: the cost caches of the teams.
    for (const auto& team : Mannschaften) {
        team->ClearKostenCache();
        team->KostenCacheRef.Clear();
    }
    ++FValidityEpoch;
}

void TPlan::clearAllDates() {
    ResetAllGameDates();
    BuildTeamGameRefs();
}

void TPlan::TransferDateToRefDate() {
    for (TGame* game : gamesAllowed) {
        game->FDateRef = game->FDate;
        game->FDateRefOptions = game->FDateOptions;
        game->FDateRefMaxHome = game->FDateMaxHome;
        game->FWunschTerminRef = game->FWunschTermin;
        game->FNotNecessaryRef = game->FNotNecessary;
    }
    for (const auto& team : Mannschaften) {
        team->KostenCacheRef = team->KostenCache;
    }
}

void TPlan::TransferRefDateToDate() {
    for (TGame* game : gamesAllowed) {
        if (game->FFixedDate) {
            continue;
        }
        if (game->FDate == game->FDateRef && game->FDateOptions == game->FDateRefOptions &&
            game->FDateMaxHome == game->FDateRefMaxHome && game->FWunschTermin == game->FWunschTerminRef &&
            game->FNotNecessary == game->FNotNecessaryRef) {
            // Unchanged since the snapshot: setDate would only link the wish date back to the game
            // and clear cost caches that are restored below.
            if (game->FWunschTermin != nullptr) {
                game->FWunschTermin->assignedGame = game;
            }
            continue;
        }
        game->setDate(game->FDateRef, game->FDateRefOptions, game->FDateRefMaxHome, false,
                      game->FNotNecessaryRef, game->FWunschTerminRef);
    }
    for (const auto& team : Mannschaften) {
        team->KostenCache = team->KostenCacheRef;
        // The accepted dates are back; so is the date order of every team's games.
        team->SortGamesRefIfMoved();
    }
}

void TPlan::AssignOptimizedDates(const TPlan& source) {
    if (&source == this) {
        return;
    }
    // clearAllDates; the team game lists are rebuilt once the dates are in. The data caches stay:
    // they depend on the plan data only, which a date copy does not change, and rebuilding them
    // after every copy (the thread tree copies dates all the time) is costly.
    ResetAllGameDates(true);
    // Teams are matched by id once; the plans normally list them in the same order.
    FTeamMap.assign(source.Mannschaften.size(), nullptr);
    for (std::size_t i = 0; i < source.Mannschaften.size(); ++i) {
        const TMannschaft* theirs = source.Mannschaften[i];
        TMannschaft* mine = i < Mannschaften.size() && Mannschaften[i]->teamId == theirs->teamId
                                ? Mannschaften[i]
                                : Mannschaften.FindByTeamId(theirs->teamId);
        FTeamMap[i] = mine;
    }
    for (const TGame* game : source.gamesAllowed) {
        TMannschaft* heim = FTeamMap[static_cast<std::size_t>(game->MannschaftHeim->Index)];
        TMannschaft* gast = FTeamMap[static_cast<std::size_t>(game->MannschaftGast->Index)];
        const std::vector<TGame*>* games = heim && gast ? GamesOfPairing(*heim, *gast) : nullptr;
        if (games == nullptr) {
            throw TerminorError("Plan.Assign: game wurde nicht gefunden");
        }
        for (TGame* target : *games) {
            if (!target->DateValid()) {
                TWunschTermin* w = game->DateValid() ? heim->WunschTermine.Find(game->FDate) : nullptr;
                target->setDate(game->FDate, game->FDateOptions, game->FDateMaxHome, game->FFixedDate,
                                game->FNotNecessary, w);
                break;
            }
        }
    }
    LastOptimizedThread = source.LastOptimizedThread;
    if (FOptions.RoundPlaning != rpBoth) {
        ResetNotNecessaryGames();
    }
    BuildTeamGameRefs();
}

void TPlan::FixGameDate(const TGame& game) {
    TMannschaft* heim = Mannschaften.FindByTeamId(game.MannschaftHeim->teamId);
    TMannschaft* gast = Mannschaften.FindByTeamId(game.MannschaftGast->teamId);
    if (heim == nullptr || gast == nullptr) {
        return;
    }
    const std::vector<TGame*>* games = GamesOfPairing(*heim, *gast);
    if (games == nullptr || games->empty()) {
        return;
    }
    TGame* chosen = nullptr;
    for (TGame* g : *games) {
        if (g->FDate == game.FDate) {
            chosen = g;
        }
    }
    if (chosen == nullptr) {
        for (TGame* g : *games) {
            if (!g->DateValid()) {
                chosen = g;
            }
        }
    }
    if (chosen == nullptr) {
        chosen = games->front();
    }
    TWunschTermin* w = heim->WunschTermine.Find(game.FDate);
    const bool moved = chosen->FDate != game.FDate;
    const TWunschterminOptions options = w ? w->Options : TWunschterminOptions{};
    const int maxHome = w ? w->ParallelGames : 0;
    if (!moved && chosen->FFixedDate && !chosen->FNotNecessary && chosen->FDateOptions == options &&
        chosen->FDateMaxHome == maxHome && chosen->FWunschTermin == w) {
        // Fixed already (every step fixes the same games again): setDate would only link the wish
        // date back and empty caches that are right.
        if (w != nullptr) {
            w->assignedGame = chosen;
        }
        return;
    }
    chosen->setDate(game.FDate, options, maxHome, true, false, w);
    if (moved) {
        heim->SortGamesRef();
        gast->SortGamesRef();
    }
}

void TPlan::FixPredefinedGames() {
    for (const TGame* game : predefinedGames) {
        FixGameDate(*game);
    }
    if (FOptions.RoundPlaning == rpSecondOnly || FOptions.RoundPlaning == rpCorona) {
        for (const TGame* game : existingSchedule) {
            if (!IsInRoundToGenerate(game->FDate)) {
                FixGameDate(*game);
            }
        }
    }
}

TDateTime TPlan::GetFirstDate() const {
    TDateTime result = 0.0;
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            if (w->Date != 0.0 && (result == 0.0 || w->Date < result)) {
                result = w->Date;
            }
        }
    }
    return result;
}

TDateTime TPlan::GetLastDate() const {
    TDateTime result = 0.0;
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            if (w->Date != 0.0 && (result == 0.0 || w->Date > result)) {
                result = w->Date;
            }
        }
    }
    return result;
}

void TPlan::getSpieltagMondays(std::vector<TDateTime>& spieltageMondays, TDateTime dateFrom, TDateTime dateTo,
                               bool onlyWunschTermine) const {
    // Collected into the caller's list, then sorted and made unique: the raster step calls this
    // for every round, and a reused list allocates nothing.
    spieltageMondays.clear();
    for (const auto& team : Mannschaften) {
        for (const auto& w : team->WunschTermine) {
            if (dateFrom <= w->Date && w->Date <= dateTo) {
                spieltageMondays.push_back(MondayOfWeek(w->Date));
            }
        }
    }
    if (!onlyWunschTermine) {
        for (const TGameList* list : {&gamesAllowed, &gamesNotAllowed}) {
            for (const TGame* game : *list) {
                if (game->DateValid()) {
                    spieltageMondays.push_back(MondayOfWeek(game->FDate));
                }
            }
        }
    }
    std::sort(spieltageMondays.begin(), spieltageMondays.end());
    spieltageMondays.erase(std::unique(spieltageMondays.begin(), spieltageMondays.end()),
                           spieltageMondays.end());
}

int TPlan::GetRoundNumberByDate(TDateTime date) const {
    for (std::size_t i = 0; i < FRounds.size(); ++i) {
        if (FRounds[i].DateInRound(date)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TPlan::IsInRoundToGenerate(TDateTime date) const {
    if (FOptions.RoundPlaning == rpBoth) {
        return true;
    }
    const int r = GetRoundNumberByDate(date);
    if (r < 0) {
        return false;
    }
    switch (FOptions.RoundPlaning) {
    case rpHalfRound:
    case rpFirstOnly:
        return FOptions.DoubleRound ? r <= 1 : r == 0;
    case rpSecondOnly:
    case rpCorona:
        return FOptions.DoubleRound ? r > 1 : r > 0;
    default:
        return true;
    }
}

bool TPlan::DateIsAllowedForWeekendGames(TDateTime date) const {
    const int dow = DayOfWeekIso(date);
    if (dow >= 6) {
        return true;
    }
    return dow == 5 && FOptions.FreitagIsAllowedBy60km;
}

bool TPlan::IsFreeGameDay(TDateTime date) const {
    const TPlanDataCache& cache = getDataCache();
    if (cache.FreeDaysInMap) {
        return FreeGameDays.count(DayNumber(date)) != 0;
    }
    const auto offset = static_cast<std::size_t>(static_cast<unsigned>(DayNumber(date) - cache.FirstFreeDay));
    return offset < cache.FreeDays.size() && cache.FreeDays[offset] != 0;
}

const TPlanDataCache& TPlan::BuildDataCache() const {
    auto cache = std::make_unique<TPlanDataCache>();
    // Free days spread over more than a few seasons are looked up in the map instead.
    constexpr std::int64_t MaxFreeDaySpan = 4000;
    if (!FreeGameDays.empty()) {
        const std::int64_t first = FreeGameDays.begin()->first;
        const std::int64_t span = std::int64_t{FreeGameDays.rbegin()->first} - first + 1;
        cache->FreeDaysInMap = span > MaxFreeDaySpan;
        if (!cache->FreeDaysInMap) {
            cache->FirstFreeDay = static_cast<int>(first);
            cache->FreeDays.assign(static_cast<std::size_t>(span), 0);
            for (const auto& [day, text] : FreeGameDays) {
                cache->FreeDays[static_cast<std::size_t>(day - first)] = 1;
            }
        }
    }
    std::set<int> days;
    for (const auto& team : Mannschaften) {
        cache->Has60KilometerValues = cache->Has60KilometerValues || !team->noWeekGame.empty();
        cache->HasAuswaertsKoppelTermine = cache->HasAuswaertsKoppelTermine || !team->AuswaertsKoppel.empty();
        cache->HasAusweichTermine = cache->HasAusweichTermine || !team->AusweichTermine.empty();
        for (const auto& w : team->WunschTermine) {
            days.insert(DayNumber(w->Date));
            cache->HasKoppelTermine = cache->HasKoppelTermine || w->Options.IsKoppelDate();
        }
        for (const auto& [day, games] : team->sisterGames.values) {
            for (const TSisterGame& g : games) {
                cache->HasForceSameHomeGames = cache->HasForceSameHomeGames || g.ForceParallelHomeGames;
            }
        }
    }
    cache->NumWunschDays = static_cast<int>(days.size());
    cache->TeamWeights.resize(Mannschaften.size());
    for (std::size_t i = 0; i < Mannschaften.size(); ++i) {
        for (const TMannschaftsKostenType type : AllMannschaftsKostenTypes) {
            cache->TeamWeights[i][static_cast<std::size_t>(type)] =
                FOptions.TeamWeight(Mannschaften[i]->teamId, type);
        }
    }
    cache->HasMandatoryGameDays = !MandatoryGameDays.empty();
    PossibleDateBounds(*cache);
    dataCache = std::move(cache);
    return *dataCache;
}

static_assert(std::tuple_size_v<decltype(TPlanDataCache::FirstPossibleDate)> == MaxRoundsPerPlan);

void TPlan::PossibleDateBounds(TPlanDataCache& cache) const {
    const bool hasFreeDays = !FreeGameDays.empty();
    for (const auto& team : Mannschaften) {
        for (const auto& wish : team->WunschTermine) {
            const TDateTime date = wish->Date;
            const int r = GetRoundNumberByDate(date);
            if (r < 0 || r >= MaxRoundsPerPlan) {
                continue;
            }
            TDateTime& first = cache.FirstPossibleDate[static_cast<std::size_t>(r)];
            TDateTime& last = cache.LastPossibleDate[static_cast<std::size_t>(r)];
            const bool earlier = first == 0.0 || date < first;
            const bool later = last == 0.0 || date > last;
            if ((!earlier && !later) || (hasFreeDays && FreeGameDays.count(DayNumber(date)) != 0)) {
                continue;
            }
            if (earlier) {
                first = date;
            }
            if (later) {
                last = date;
            }
        }
    }
}

bool TPlan::HasValuesForType(TMannschaftsKostenType kostenType) const {
    switch (kostenType) {
    case mkt60Kilometer:
        return Has60KilometerValues();
    case mktKoppelTermine:
        return HasKoppelTermine();
    case mktAusweichTermine:
        return HasAusweichTermine();
    case mktAuswaertsKoppelTermine:
        return HasAuswaertsKoppelTermine();
    case mktMandatoryGames:
        return HasMandatoryGameDays();
    case mktRanking:
        return HasRanking();
    case mktForceSameHomeGames:
        return HasForceSameHomeGames();
    default:
        return true;
    }
}

bool TPlan::HasPossibleKoppelTermine() const {
    for (const auto& team : Mannschaften) {
        std::set<int> days;
        for (const auto& w : team->WunschTermine) {
            if (w->Options.IsSameDayKoppel()) {
                return true;
            }
            days.insert(DayNumber(w->Date));
        }
        for (const int day : days) {
            if (days.count(day + 1) != 0) {
                return true;
            }
        }
    }
    return false;
}

void TPlan::ClearCaches() {
    dataCache.reset();
    ++FValidityEpoch;
    for (const auto& team : Mannschaften) {
        team->ClearCache();
    }
}

} // namespace terminor
