#pragma once
// TPlan: the schedule model of one division: teams, every game to be played with its date,
// fixed and existing games, rounds, free days, mandatory periods, ranking and options.
// A plan is used by one thread at a time; copies move between threads only by Assign.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/DateTime.h"
#include "model/CalculateOptions.h"
#include "model/Game.h"
#include "model/Mannschaft.h"
#include "model/Schedule.h"
#include "model/ValueTypes.h"

namespace terminor {

class TPlanData;
class TDataObject;

/// The model's fixed limits; larger plans are refused with a German message.
inline constexpr int MaxTeamsPerPlan = 31;
inline constexpr int MaxRoundsPerPlan = 11;

/// The counts of the hard-error report, block by block.
struct THardErrorCounts {
    int unscheduled = 0;
    int notAllowed = 0;
    int sisterGamesNotFirst = 0;
    int sperrTermine = 0;
    int sixtyKilometer = 0;
    int closeGames = 0;

    /// Every counted error except the undated games.
    int Others() const {
        return notAllowed + sisterGamesNotFirst + sperrTermine + sixtyKilometer + closeGames;
    }
    bool Any() const { return unscheduled > 0 || Others() > 0; }
};

class TPlan {
public:
    TPlan();
    ~TPlan();
    TPlan(const TPlan&) = delete;
    TPlan& operator=(const TPlan&) = delete;

    std::string gender;
    TMannschaftList Mannschaften;
    TGameList existingSchedule{true};
    TGameList predefinedGames{true};
    TGameList gamesAllowed{true};
    TGameList gamesNotAllowed{true};
    /// gamesAllowed by pairing "homeTeamId|guestTeamId" (references, list order).
    std::unordered_map<std::string, std::vector<TGame*>> cachedGameList;
    TPlanMandatoryTimeList MandatoryGameDays;
    /// Days on which no game may take place (whole day numbers).
    std::map<int, std::string> FreeGameDays;
    TDateTime DateBeginRueckrundeInXML = 0.0;
    TDateTime DateBegin = 0.0;
    TDateTime DateEnd = 0.0;
    std::string PlanName;
    std::string PlanId;
    std::string LastOptimizedThread;
    std::vector<int> RankingIndexe;
    bool AllDatesAreValid = false;

    const std::vector<TRoundInfo>& Rounds() const { return FRounds; }
    const TCalculateOptions& getOptions() const { return FOptions; }

    void Clear();
    /// Builds the whole plan from the plan data; throws TerminorError for plans beyond the limits.
    void Load(const TPlanData& planData);
    /// Takes over Source's data, keeping this plan's own dates where they still fit.
    void AssignPlanData(const TPlan& source);
    /// AssignPlanData, then Source's schedule.
    void Assign(const TPlan& source);
    /// The dates Assign would take from Source, without copying the plan data: for a plan that holds
    /// the same plan data as Source (for instance, a copy made by Assign while Source's DataStamp
    /// stayed the same).
    void AssignDates(const TPlan& source);
    /// Changes with every Load, AssignPlanData, Assign, AssignOptions and Clear: two readings are
    /// equal only while the plan data stayed as those operations left them.
    std::uint64_t DataStamp() const { return FDataStamp; }
    void AssignOptions(const TCalculateOptions& options);
    /// Attaches dates from a game list, teams matched by team id.
    void AssignGames(const TGameList& allGames);
    /// Attaches dates from a schedule, teams matched by name.
    void AssignSchedule(const TSchedule& allGames);
    void getSchedule(TSchedule& gamesList) const;
    /// New, unlinked copies of all games of gamesAllowed, then gamesNotAllowed.
    void getCloneOfAllGames(TGameList& gamesList) const;
    void clearAllDates();
    /// Marks the first undated, not yet marked game of the reverse pairing as not necessary.
    void MarkReverseNotNecessary(const TGame& game);
    void ResetNotNecessaryGames();
    /// Accepted state := current state, for every game of gamesAllowed and every team's cost cache.
    void TransferDateToRefDate();
    /// Current state := accepted state (fixed games stay); the teams' cost caches come back too.
    void TransferRefDateToDate();
    /// Copies Source's dates into this plan, which must have the same teams; throws TerminorError
    /// ("Plan.Assign: game wurde nicht gefunden") otherwise.
    void AssignOptimizedDates(const TPlan& source);
    void RemoveNotValidDates();
    void FixPredefinedGames();

    TDateTime GetFirstDate() const;
    TDateTime GetLastDate() const;
    void getSpieltagMondays(std::vector<TDateTime>& spieltageMondays, TDateTime dateFrom, TDateTime dateTo,
                            bool onlyWunschTermine) const;
    bool IsInRoundToGenerate(TDateTime date) const;
    int GetRoundNumberByDate(TDateTime date) const;
    bool DateIsAllowedForWeekendGames(TDateTime date) const;
    bool IsFreeGameDay(TDateTime date) const;

    /// The flags and tables derived from the plan data, built on first use and dropped by
    /// ClearCaches (so a change of the plan data, the free days included, needs ClearCaches).
    const TPlanDataCache& getDataCache() const { return dataCache ? *dataCache : BuildDataCache(); }
    bool HasValuesForType(TMannschaftsKostenType kostenType) const;
    bool Has60KilometerValues() const { return getDataCache().Has60KilometerValues; }
    bool HasAuswaertsKoppelTermine() const { return getDataCache().HasAuswaertsKoppelTermine; }
    bool HasAusweichTermine() const { return getDataCache().HasAusweichTermine; }
    bool HasKoppelTermine() const { return getDataCache().HasKoppelTermine; }
    bool HasMandatoryGameDays() const { return getDataCache().HasMandatoryGameDays; }
    bool HasForceSameHomeGames() const { return getDataCache().HasForceSameHomeGames; }
    int GetNumWunschDays() const { return getDataCache().NumWunschDays; }
    bool HasRanking() const { return !RankingIndexe.empty(); }
    bool HasPossibleKoppelTermine() const;
    /// Drops the data cache and every team's caches.
    void ClearCaches();

    /// The games of a pairing in gamesAllowed (list order), or nullptr.
    const std::vector<TGame*>* GamesOfPairing(const TMannschaft& heim, const TMannschaft& gast) const;

    // Plan cost.
    /// Total cost; -1.0 when breakByValue >= 0 and the running sum passed it at a checkpoint.
    double CalculateKosten(double breakByValue);
    double CalculateFehlterminKosten() const;
    double CalculateNotAllowedKosten() const;
    double CalculateFreeGameDateKosten() const;
    double CalculateSisterTeamsAmAnfang() const;
    int CountGamesBeforeSisterGames() const;
    void CalculateSpielTagKosten(double& kostenBreite, double& kostenOverlap, double& lastKostenBreite,
                                 double& lastKostenOverlap) const;
    double CalculateMannschaftsKosten(TMannschaftsKostenType kostenType);
    /// False when the plan lacks the data or the rounds a team term judges: the term then costs
    /// every team 0.
    bool TeamTermApplies(TMannschaftsKostenType kostenType) const;
    int GetMannschaftKostenDisplayInteger(const TMannschaft& mannschaft,
                                          TMannschaftsKostenType aktType) const;
    /// Games of gamesAllowed without date that are not marked not necessary; adds their texts when given.
    int CountUnscheduledGames(std::vector<std::string>* lines = nullptr) const;
    /// Games on dates the rules forbid; adds their texts when given.
    int CountNotAllowedGames(std::vector<std::string>* lines = nullptr) const;
    /// The team term weight W of a team and cost type (from the options, cached per team).
    double TeamTermWeight(const TMannschaft& mannschaft, TMannschaftsKostenType kostenType) const;

    // Hard errors and diagnostics.
    /// Appends the hard-error report and returns its counts.
    THardErrorCounts getHardErrorMessages(std::vector<std::string>& messages) const;
    bool NoGames() const;
    int getMaxGamePerMannschaft() const;

    // Schedule files.
    /// The click-TT CSV export (windows-1252, CR LF), written atomically.
    void SaveScheduleToCsv(const std::string& fileName) const;
    std::string ScheduleToCsvBytes() const;
    /// The texts of the CSV export (team names, club and team numbers, halls) that hold characters
    /// its code page cannot; each once, in the order they occur. They are written with '?'.
    std::vector<std::string> CsvUnencodableTexts() const;
    void SaveScheduleToXml(const std::string& fileName) const;
    std::string ScheduleToXmlText() const;
    /// Reads a schedule file into this plan. Games of teams the plan does not have are dropped and
    /// counted; when the file has games and none of them fits, it throws EFileError and the plan
    /// keeps its dates.
    TScheduleLoadResult LoadScheduleFromXml(const std::string& fileName);
    /// The same for a document already read; `sourceName` names it in the error.
    TScheduleLoadResult LoadScheduleFromPlanData(const TPlanData& planData,
                                                 const std::string& sourceName = {});

    // Placement rules.
    bool CanPlaceGame(const TWunschTermin& w, const TGame& game, bool allSecondTimeGamesAreValid,
                      const TGame* ignoreGame) const;
    bool GameIsValid(const TGame& game) const;
    /// GameIsValid, computed again only when a game it depends on moved since the last answer for
    /// this game: a game of its home or guest team on its day, or a game of its pairing or of the
    /// reverse pairing (the day and pairing counters of the teams tell), or the plan was rebuilt.
    bool GameIsValidCached(const TGame& game) const;
    double getNumSollGames(TDateTime dateFrom, TDateTime dateTo) const;

private:
    struct AttachedDate {
        TMannschaft* heim;
        TMannschaft* gast;
        TDateTime date;
        bool notNecessary;
    };

    void AttachDates(const std::vector<AttachedDate>& incoming);
    /// The date part of Assign.
    void AttachDatesOf(const TPlan& source);
    /// The dates of `from` with its teams resolved by name in this plan (getSchedule + AssignSchedule).
    void SnapshotDates(const TPlan& from, std::vector<AttachedDate>& out) const;
    bool GamesMatchPairings() const;
    void DetachWishDates();
    void LoadTeams(const TPlanData& planData);
    void FilterSisterGames();
    void FindSisterTeamsInPlan();
    void BuildAllGames(bool buildTeamGameRefs = true);
    /// clearAllDates without rebuilding the team game lists; keepDataCaches keeps the caches that
    /// depend on the plan data only.
    void ResetAllGameDates(bool keepDataCaches = false);
    void BuildRounds();
    void RebuildCachedGameList();
    void BuildTeamGameRefs();
    void LoadRanking(const TDataObject& root);
    void ReadGameList(const TDataObject& node, TGameList& games) const;
    void SetPredefinedGames(const TGameList& games);
    void SetExistingSchedule(const TGameList& games);
    void CopyGamesWithWishDates(const TGameList& games, TGameList& target, bool withOverrideLocation);
    void PrepareWishDates();
    void FixGameDate(const TGame& game);
    void ResetGameDate(TGame& game);
    /// Adds the team terms of one group with a checkpoint before each; false when the bound was passed.
    template <std::size_t N, typename Passed>
    bool AddTeamTerms(const std::array<TMannschaftsKostenType, N>& types, double& sum, Passed passed);
    void CheckLimits() const;
    const TPlanDataCache& BuildDataCache() const;
    /// The earliest and latest possible date of each round, for the spread term.
    void PossibleDateBounds(TPlanDataCache& cache) const;

    mutable std::unique_ptr<TPlanDataCache> dataCache;
    /// Raised whenever the game lists or the plan data change; validity answers of another epoch are
    /// stale.
    std::uint32_t FValidityEpoch = 1;
    std::uint64_t FDataStamp = 0;
    /// Scratch of AttachDatesOf.
    std::vector<AttachedDate> FScratchDates;
    /// gamesAllowed by pairing, indexed heim.Index * teams + gast.Index (the fast twin of cachedGameList).
    std::vector<std::vector<TGame*>> FPairGames;
    /// Scratch lists of the game-day terms, kept to avoid allocations per evaluation.
    mutable std::vector<double> FScratchGameDayEnds;
    mutable std::vector<double> FScratchGameDayDays;
    mutable std::vector<int> FScratchGameDayEndDays;
    /// The values of one game day (the i-th games of all teams) for the game-day terms.
    struct TGameDayColumn {
        bool hasGames = false;
        int firstDay = 0;
        int lastDay = 0;
        /// 3^b of the length term.
        double power = 1.0;
    };
    /// Per game day: the dates its values were computed from (team by team) and those values.
    mutable std::vector<double> FGameDayDates;
    mutable std::vector<TGameDayColumn> FGameDays;
    mutable std::uint32_t FGameDayEpoch = 0;
    /// Brings FGameDays up to date for `gameDays` game days, recomputing the changed ones.
    void UpdateGameDayColumns(std::size_t gameDays) const;
    /// Scratch result of the team terms computed by CalculateMannschaftsKosten.
    TMannschaftsKosten FScratchKosten;
    /// Scratch for AssignOptimizedDates: this plan's team for each team index of the source.
    std::vector<TMannschaft*> FTeamMap;
    std::vector<TRoundInfo> FRounds;
    TCalculateOptions FOptions;
};

} // namespace terminor
