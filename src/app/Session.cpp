// TTerminorSession: opening files into new objects, the settings flow, the generation and the
// remembered schedules. Every operation that can fail does its failing work before it changes
// the session, so that an error leaves the previous state as it was.

#include "app/Session.h"

#include <cmath>
#include <filesystem>

#include "data/Error.h"
#include "data/PlanData.h"
#include "data/PlanFileKind.h"
#include "data/PlanUtils.h"
#include "data/PredefinedGames.h"
#include "engine/PlanOptimizer.h"
#include "model/Plan.h"

namespace terminor {

namespace {

namespace fs = std::filesystem;

std::string ModificationsFileOf(const std::string& clickTTFile) {
    return fs::path(clickTTFile).replace_extension("modifications").string();
}

std::string OptionsFileIn(const std::string& directory) {
    return directory.empty() ? std::string() : directory + "/Terminor.options";
}

void SaveOptions(const TPlan& plan, const std::string& directory) {
    // Without a storage directory there is nowhere to keep the options; they then last for the
    // session only.
    if (!directory.empty()) {
        plan.getOptions().Save(OptionsFileIn(directory));
    }
}

} // namespace

TOpenedPlan::TOpenedPlan() = default;
TOpenedPlan::~TOpenedPlan() = default;

TTerminorSession::TTerminorSession(std::string appDataFolder, TEngineConfig config)
    : FAppDataFolder(std::move(appDataFolder)), FConfig(std::move(config)),
      FPlanData(std::make_unique<TPlanData>()), FPlanLoaded(std::make_unique<TPlan>()),
      FPlanOptimized(std::make_unique<TPlan>()) {}

TTerminorSession::~TTerminorSession() {
    StopOptimizer();
}

std::string TTerminorSession::GetPlanDirectory(const TPlanData& planData) const {
    if (FAppDataFolder.empty()) {
        return {};
    }
    const TDataObject& root = planData.root();
    // A new division gets its folder once it has a name and a season.
    if (TrimBlanks(root.GetAsString("name")).empty() || DayNumber(root.GetAsDate("from")) == 0) {
        return {};
    }
    const std::string text =
        root.GetAsString("name") + " " + std::to_string(DecodeDate(root.GetAsDate("from")).year);
    const fs::path directory = fs::path(FAppDataFolder) / "Terminor" / EscapeFileName(text);
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec || !fs::is_directory(directory, ec)) {
        return {};
    }
    return directory.string();
}

std::string TTerminorSession::OptionsFileName() const {
    return OptionsFileIn(FCurrentPlanDirectory);
}

std::string TTerminorSession::ModificationsFileName() const {
    return FPlanDataClickTTFile ? ModificationsFileOf(FCurrentFileName) : std::string();
}

std::unique_ptr<TOpenedPlan> TTerminorSession::OpenPlanFile(const std::string& fileName,
                                                            bool allowEmpty) const {
    auto opened = std::make_unique<TOpenedPlan>();
    opened->FileName = fileName;
    opened->PlanData = std::make_unique<TPlanData>();
    auto read = std::make_unique<TPlanData>();
    TPlanFileKind kind = pfkPlanData;
    try {
        kind = LoadPlanInput(fileName, *read);
        opened->Warnings = read->LoadWarnings();
    } catch (const EPlanInputError& e) {
        // A new plan file has no teams yet; other wrong files are refused with the core's text.
        if (!allowEmpty || e.Kind() != pfkPlanData) {
            throw;
        }
        read->LoadFromXML(fileName);
        opened->Warnings = read->LoadWarnings();
    }
    if (kind == pfkClickTT) {
        opened->PlanDataClickTTFile = std::move(read);
        opened->PlanData->assign(*opened->PlanDataClickTTFile);
        const std::string modifications = ModificationsFileOf(fileName);
        if (fs::exists(modifications)) {
            TPlanData diff;
            diff.LoadFromXML(modifications);
            opened->Warnings.insert(opened->Warnings.end(), diff.LoadWarnings().begin(),
                                    diff.LoadWarnings().end());
            opened->PlanData->Merge(diff);
        } else {
            opened->FirstStart = true;
        }
    } else {
        opened->PlanData = std::move(read);
    }
    opened->PlanLoaded = std::make_unique<TPlan>();
    opened->PlanLoaded->Load(*opened->PlanData);
    opened->Directory = GetPlanDirectory(*opened->PlanData);
    TCalculateOptions options;
    if (!opened->Directory.empty()) {
        std::string problem;
        options.Load(OptionsFileIn(opened->Directory), &problem);
        if (!problem.empty()) {
            opened->Warnings.push_back(problem + (options == TCalculateOptions()
                                                      ? " Es gelten die Standardeinstellungen."
                                                      : std::string()));
        }
    }
    opened->PlanLoaded->AssignOptions(options);
    return opened;
}

std::vector<std::string> TTerminorSession::UserSettings(const TOpenedPlan& opened) {
    std::vector<std::string> messages;
    opened.PlanLoaded->getOptions().getDiffToDefault(*opened.PlanLoaded, messages);
    return messages;
}

void TTerminorSession::UseDefaultSettings(TOpenedPlan& opened) {
    opened.PlanLoaded->AssignOptions(TCalculateOptions());
    SaveOptions(*opened.PlanLoaded, opened.Directory);
}

TSeasonQuestion TTerminorSession::NextSeasonQuestion(const TOpenedPlan& opened, TDateTime now,
                                                     TSeasonQuestion after) {
    const TPlan& plan = *opened.PlanLoaded;
    const TRoundPlaning rp = plan.getOptions().RoundPlaning;
    if (std::fabs(plan.DateBegin - plan.DateEnd) < 180) {
        return after == TSeasonQuestion::None && rp != rpHalfRound ? TSeasonQuestion::HalfRound
                                                                   : TSeasonQuestion::None;
    }
    if (std::fabs(now - plan.DateBeginRueckrundeInXML) >= 60) {
        return TSeasonQuestion::None;
    }
    const bool secondHalfOnly = rp == rpSecondOnly || rp == rpCorona;
    if (after == TSeasonQuestion::None && !secondHalfOnly && DecodeDate(plan.DateBegin).year == 2020) {
        return TSeasonQuestion::Corona;
    }
    if ((after == TSeasonQuestion::None || after == TSeasonQuestion::Corona) && !secondHalfOnly) {
        return TSeasonQuestion::SecondOnly;
    }
    return TSeasonQuestion::None;
}

std::string TTerminorSession::SeasonQuestionText(TSeasonQuestion question) {
    switch (question) {
    case TSeasonQuestion::HalfRound:
        return "Die Runde ist kürzer als 6 Monate. Soll nur eine Halbrunde generiert werden?";
    case TSeasonQuestion::Corona:
        return "Die Vorrunde liegt in der Vergangenheit. Soll nur die Rückrunde mit den Coronaspezialitäten "
               "generiert werden?";
    case TSeasonQuestion::SecondOnly:
        return "Die Vorrunde liegt in der Vergangenheit. Soll nur die Rückrunde generiert werden?";
    case TSeasonQuestion::None:
        break;
    }
    return {};
}

void TTerminorSession::AcceptSeasonQuestion(TOpenedPlan& opened, TSeasonQuestion question) {
    TCalculateOptions options = opened.PlanLoaded->getOptions();
    switch (question) {
    case TSeasonQuestion::HalfRound:
        options.RoundPlaning = rpHalfRound;
        break;
    case TSeasonQuestion::Corona:
        options.RoundPlaning = rpCorona;
        break;
    case TSeasonQuestion::SecondOnly:
        options.RoundPlaning = rpSecondOnly;
        break;
    case TSeasonQuestion::None:
        return;
    }
    opened.PlanLoaded->AssignOptions(options);
    SaveOptions(*opened.PlanLoaded, opened.Directory);
}

void TTerminorSession::CreateNewFile(const std::string& fileName) {
    TPlanData empty;
    empty.SaveToXML(fileName);
}

std::string TTerminorSession::Adopt(std::unique_ptr<TOpenedPlan> opened) {
    // A fresh running schedule is built before anything is switched, so that nothing can fail after.
    auto optimized = std::make_unique<TPlan>();
    optimized->Assign(*opened->PlanLoaded);
    optimized->clearAllDates();
    optimized->RemoveNotValidDates();
    std::string warning;
    for (const std::string& note : opened->Warnings) {
        warning += (warning.empty() ? "" : "\n\n") + note;
    }
    if (opened->FirstStart) {
        // The modifications file notes that this export was opened before. A folder that cannot
        // take it does not stop the open: the plan can still be generated, printed and exported.
        try {
            TPlanData diff;
            diff.Diff(*opened->PlanData, *opened->PlanDataClickTTFile);
            diff.SaveToXML(ModificationsFileOf(opened->FileName));
        } catch (const std::exception& e) {
            warning +=
                std::string(warning.empty() ? "" : "\n\n") +
                "Änderungen an den Plandaten können nicht neben der Datei gespeichert werden: " + e.what();
        }
    }

    StopOptimizer();
    FSavedPlans.Clear();
    FCurrentFileName = opened->FileName;
    FPlanData = std::move(opened->PlanData);
    FPlanDataClickTTFile = std::move(opened->PlanDataClickTTFile);
    FPlanLoaded = std::move(opened->PlanLoaded);
    FPlanOptimized = std::move(optimized);
    FCurrentPlanDirectory = opened->Directory;
    FPlanIsLoaded = true;
    PlanDataChanged();
    return warning;
}

void TTerminorSession::PlanDataChanged() {
    FCurrentPlanDirectory = GetPlanDirectory(*FPlanData);
    RefreshSavedPlans(false);
    FSavedPlans.AssignOptions(*FPlanOptimized);
}

bool TTerminorSession::RefreshSavedPlans(bool forceReload) {
    if (!FPlanIsLoaded) {
        return false;
    }
    return FSavedPlans.Refresh(FCurrentPlanDirectory, *FPlanLoaded, forceReload);
}

void TTerminorSession::SavePlanData() {
    if (FPlanDataClickTTFile) {
        TPlanData diff;
        diff.Diff(*FPlanData, *FPlanDataClickTTFile);
        diff.SaveToXML(ModificationsFileOf(FCurrentFileName));
    } else {
        FPlanData->SaveToXML(FCurrentFileName);
    }
}

void TTerminorSession::ApplyOptions(const TCalculateOptions& options) {
    FPlanLoaded->AssignOptions(options);
    ApplySettings(true);
}

void TTerminorSession::ApplySettings(bool saveOnlyOptions) {
    // A failed save does not stop the rest: the edits stay in the plan data, the plans and the
    // running generation take them over, and the next save writes them. The error comes last.
    std::optional<std::string> saveError;
    try {
        SaveOptions(*FPlanLoaded, FCurrentPlanDirectory);
        if (!saveOnlyOptions) {
            SavePlanData();
        }
    } catch (const TerminorError& e) {
        saveError = e.what();
    }
    // The plan is rebuilt from the data with its own options, as after opening, so that the
    // derived wish dates of couplings are there again.
    TPlan loaded;
    loaded.Load(*FPlanData);
    loaded.AssignOptions(FPlanLoaded->getOptions());
    // The loaded plan keeps its identity: the options dialog edits it.
    FPlanLoaded->Assign(loaded);
    FPlanOptimized->AssignPlanData(*FPlanLoaded);
    FPlanOptimized->RemoveNotValidDates();
    PlanDataChanged();
    if (!saveError) {
        try {
            SaveOptions(*FPlanLoaded, FCurrentPlanDirectory);
        } catch (const TerminorError& e) {
            saveError = e.what();
        }
    }
    FSavedPlans.AssignPlanData(*FPlanLoaded);
    if (!saveOnlyOptions) {
        RefreshSavedPlans(true);
    }
    if (FOptimizer) {
        FOptimizer->setNewPlanData(*FPlanOptimized);
    }
    if (saveError) {
        throw EFileError(*saveError);
    }
}

void TTerminorSession::TakeOverPlanData(const TPlanData& edited) {
    FPlanData->assign(edited);
    ApplySettings(false);
}

int TTerminorSession::TeamCount() const {
    return static_cast<int>(FPlanData->root().NamedChilds("team").size());
}

void TTerminorSession::ChangePlanData(const std::function<bool(TPlanData&)>& change) {
    TPlanData before;
    before.assign(*FPlanData);
    if (!change(*FPlanData)) {
        return;
    }
    try {
        ApplySettings(false);
    } catch (...) {
        FPlanData->assign(before);
        ApplySettings(true);
        throw;
    }
}

void TTerminorSession::LockGame(const std::string& home, const std::string& guest, TDateTime dateTime,
                                const std::string& location) {
    ChangePlanData(
        [&](TPlanData& data) { return terminor::LockGame(data, home, guest, dateTime, location); });
}

void TTerminorSession::UnlockGame(const std::string& home, const std::string& guest, TDateTime dateTime) {
    ChangePlanData([&](TPlanData& data) { return terminor::UnlockGame(data, home, guest, dateTime); });
}

bool TTerminorSession::IsGameLocked(const std::string& home, const std::string& guest,
                                    TDateTime dateTime) const {
    return terminor::IsGameLocked(*FPlanData, home, guest, dateTime);
}

bool TTerminorSession::Running() const {
    return FOptimizer != nullptr;
}

bool TTerminorSession::Paused() const {
    return FOptimizer != nullptr && FOptimizer->Paused();
}

void TTerminorSession::StartPause() {
    if (FOptimizer) {
        SetPaused(!FOptimizer->Paused());
        return;
    }
    TPlan start;
    start.Assign(*FPlanOptimized);
    start.RemoveNotValidDates();
    FOptimizer = std::make_unique<TPlanOptimizer>(start, FConfig);
    FFailureReported = false;
    FRememberedKosten.reset();
    FRunMs = 0;
    FRunningSince.reset();
    FOptimizer->Start();
    NoteRunning(true);
}

void TTerminorSession::SetPaused(bool paused) {
    if (FOptimizer) {
        FOptimizer->SetPaused(paused);
        NoteRunning(!paused);
    }
}

void TTerminorSession::NoteRunning(bool running) {
    const auto now = std::chrono::steady_clock::now();
    if (running && !FRunningSince) {
        FRunningSince = now;
    } else if (!running && FRunningSince) {
        FRunMs += std::chrono::duration_cast<std::chrono::milliseconds>(now - *FRunningSince).count();
        FRunningSince.reset();
    }
}

std::int64_t TTerminorSession::RunningMs() const {
    if (!FRunningSince) {
        return FRunMs;
    }
    return FRunMs + std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                          *FRunningSince)
                        .count();
}

void TTerminorSession::StopOptimizer() {
    if (FOptimizer) {
        FOptimizer->SetPaused(false);
        FOptimizer->Stop();
        FOptimizer.reset();
        NoteRunning(false);
    }
}

TTerminorSession::TPauseGuard::TPauseGuard(TTerminorSession& session) : FSession(session) {
    if (TPlanOptimizer* optimizer = FSession.Optimizer()) {
        FHadOptimizer = true;
        FWasPaused = optimizer->Paused();
        FSession.SetPaused(true);
    }
}

TTerminorSession::TPauseGuard::~TPauseGuard() {
    if (FSession.Optimizer() != nullptr && FHadOptimizer) {
        FSession.SetPaused(FWasPaused);
    }
}

TTerminorSession::TSyncResult TTerminorSession::SyncPlans() {
    TSyncResult result;
    if (!FOptimizer || FOptimizer->Paused()) {
        return result;
    }
    FOptimizer->copyPlanDates(*FPlanOptimized);
    result.Copied = true;
    result.Durchlaufe = FOptimizer->Durchlaufe();
    result.PlanPerSec = FOptimizer->PlanPerSec();
    result.Kosten = FPlanOptimized->CalculateKosten(-1);
    return result;
}

std::optional<std::string> TTerminorSession::TakeGenerationFailure() {
    if (!FOptimizer || FFailureReported) {
        return std::nullopt;
    }
    auto text = FOptimizer->FailureText();
    if (text) {
        FFailureReported = true;
    }
    return text;
}

void TTerminorSession::RememberPlan(const std::string& name) {
    if (FCurrentPlanDirectory.empty()) {
        throw TerminorError("Speicherverzeichnis Appdata kann nicht ermittlt werden.");
    }
    // The newest best dates, so that what is remembered is what the generation has found.
    if (FOptimizer) {
        FOptimizer->copyPlanDates(*FPlanOptimized);
    }
    // A name that the save dialog found already (it compares ignoring case) overwrites that file;
    // on a case-sensitive file system a second file would appear beside it.
    std::string fileName = TSavedPlans::FileNameFor(FCurrentPlanDirectory, name);
    if (const TSavedPlan* same = FSavedPlans.FindByName(name)) {
        fileName = same->FileName;
    }
    FPlanOptimized->SaveScheduleToXml(fileName);
    if (FOptimizer) {
        FRememberedKosten = FPlanOptimized->CalculateKosten(-1);
    }
    RefreshSavedPlans(false);
}

bool TTerminorSession::BestPlanUnremembered() const {
    if (!FOptimizer || FOptimizer->Durchlaufe() == 0) {
        return false;
    }
    TPlan best;
    best.Assign(*FPlanOptimized);
    FOptimizer->copyPlanDates(best);
    return !FRememberedKosten || best.CalculateKosten(-1) != *FRememberedKosten;
}

void TTerminorSession::ForgetPlan(const TPlan* plan) {
    std::string failed;
    for (const auto& item : FSavedPlans.Items()) {
        if (item->Plan.get() == plan) {
            std::error_code ec;
            fs::remove(item->FileName, ec);
            if (ec && fs::exists(item->FileName)) {
                failed = "Die Datei " + item->FileName + " kann nicht gelöscht werden.";
            }
        }
    }
    RefreshSavedPlans(false);
    if (!failed.empty()) {
        throw EFileError(failed);
    }
}

std::unique_ptr<TPlan> TTerminorSession::ExportCopy(const TPlan& plan) {
    auto copy = std::make_unique<TPlan>();
    copy->Assign(plan);
    return copy;
}

std::vector<std::string> TTerminorSession::ExportWarnings(const TPlan& copy) {
    std::vector<std::string> messages;
    copy.getHardErrorMessages(messages);
    const std::vector<std::string> texts = copy.CsvUnencodableTexts();
    if (!texts.empty()) {
        if (!messages.empty()) {
            messages.emplace_back();
        }
        messages.emplace_back("Diese Namen enthalten Zeichen, die die CSV-Datei für Click-TT nicht "
                              "darstellen kann; sie werden als \"?\" geschrieben:");
        for (const std::string& text : texts) {
            messages.push_back("  " + text);
        }
    }
    return messages;
}

void TTerminorSession::ExportCsv(const TPlan& copy, const std::string& fileName) {
    copy.SaveScheduleToCsv(fileName);
}

} // namespace terminor
