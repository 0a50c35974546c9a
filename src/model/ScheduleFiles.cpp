// The two file forms of a plan's schedule: the semicolon-separated export for click-TT and the
// XML file of a remembered plan, which can be read back into a plan.

#include <algorithm>
#include <memory>
#include <string>

#include "Plan.h"
#include "data/DataObject.h"
#include "data/DateTime.h"
#include "data/Error.h"
#include "data/PlanData.h"
#include "data/TextCodec.h"
#include "data/XmlFile.h"

namespace terminor {

namespace {

/// The code page click-TT reads the CSV file in.
const char* const CsvCharset = "WINDOWS-1252";

const char* const CsvHeader = "Nr.;Vor/Rück;Tag;;Datum;;Uhrzeit;HeimVereinNr;Heim-Mannschaft;GastVereinNr;"
                              "Gast-Mannschaft;HeimMannschaftNr;GastMannschaftNr;Ergebnisse;Spiellokal";

/// The German name of a weekday, 1 = Monday ... 7 = Sunday.
std::string WeekdayLongName(int isoDay) {
    static const char* const Names[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                        "Freitag", "Samstag",  "Sonntag"};
    if (isoDay < 1 || isoDay > 7) {
        throw TerminorError("Ungültiger Tag");
    }
    return Names[isoDay - 1];
}

/// getSchedule in date order; the sort is stable, so equal entries keep the plan's game order.
TSchedule SortedSchedule(const TPlan& plan) {
    TSchedule schedule;
    plan.getSchedule(schedule);
    schedule.SortByDate();
    return schedule;
}

} // namespace

namespace {

/// Calls `row` for every game the CSV export writes, with its running number (numbers count every
/// schedule entry, exported or not, so they may have gaps) and its two teams.
template <typename Row> void ForEachCsvGame(const TPlan& plan, Row row) {
    const TSchedule schedule = SortedSchedule(plan);
    int position = 0;
    for (const TScheduleGame& entry : schedule) {
        ++position;
        if (!plan.IsInRoundToGenerate(entry.Date)) {
            continue;
        }
        const TMannschaft* heim = plan.Mannschaften.FindByName(entry.MannschaftHeimName);
        const TMannschaft* gast = plan.Mannschaften.FindByName(entry.MannschaftGastName);
        if (heim != nullptr && gast != nullptr) {
            row(position, entry, *heim, *gast);
        }
    }
}

} // namespace

std::string TPlan::ScheduleToCsvBytes() const {
    std::string text = CsvHeader;
    text += "\r\n";
    const bool halfRound = FOptions.RoundPlaning == rpHalfRound;
    const int secondHalfDay = DayNumber(DateBeginRueckrundeInXML);
    ForEachCsvGame(*this, [&](int position, const TScheduleGame& entry, const TMannschaft& heim,
                              const TMannschaft& gast) {
        const TDateTime date = entry.DateValid() ? entry.Date : DateBegin;
        // Whole days: a game on the first day of the second half still belongs to the first half.
        const bool secondHalf = !halfRound && entry.DateValid() && DayNumber(entry.Date) > secondHalfDay;

        text += std::to_string(position);
        text += ';';
        text += secondHalf ? "1" : "0";
        text += ';';
        text += WeekdayLongName(DayOfWeekIso(date));
        text += ";;";
        text += DateToStorage(date);
        text += ";;";
        text += TimeToStorage(date);
        text += ';';
        text += heim.clubID;
        text += ';';
        text += heim.teamName;
        text += ';';
        text += gast.clubID;
        text += ';';
        text += gast.teamName;
        text += ';';
        text += heim.teamId;
        text += ';';
        text += gast.teamId;
        text += ";;";
        text += entry.Location;
        text += ";\r\n";
    });
    return FromUtf8(text, CsvCharset);
}

std::vector<std::string> TPlan::CsvUnencodableTexts() const {
    std::vector<std::string> texts;
    const auto check = [&](const std::string& text) {
        if (!CanEncode(text, CsvCharset) && std::find(texts.begin(), texts.end(), text) == texts.end()) {
            texts.push_back(text);
        }
    };
    ForEachCsvGame(*this,
                   [&](int, const TScheduleGame& entry, const TMannschaft& heim, const TMannschaft& gast) {
                       for (const TMannschaft* team : {&heim, &gast}) {
                           check(team->teamName);
                           check(team->clubID);
                           check(team->teamId);
                       }
                       check(entry.Location);
                   });
    return texts;
}

void TPlan::SaveScheduleToCsv(const std::string& fileName) const {
    WriteFileAtomic(fileName, ScheduleToCsvBytes());
}

namespace {

/// A plan data document holding only the plan's schedule under plan/schedule.
void BuildScheduleDocument(const TPlan& plan, TPlanData& document) {
    TDataObject& scheduleNode = document.root().addChild("schedule");
    for (const TScheduleGame& entry : SortedSchedule(plan)) {
        const TMannschaft* heim = plan.Mannschaften.FindByName(entry.MannschaftHeimName);
        const TMannschaft* gast = plan.Mannschaften.FindByName(entry.MannschaftGastName);
        if (heim == nullptr || gast == nullptr) {
            continue;
        }
        TDataObject& game = scheduleNode.addChild("game");
        // A game without date is written with date 0 ("30.12.1899 00:00"), which reads back as none.
        game.SetAsDateTime("datetime", entry.Date);
        game.SetAsString("hometeamname", heim->teamName);
        game.SetAsString("guestteamname", gast->teamName);
    }
}

} // namespace

std::string TPlan::ScheduleToXmlText() const {
    TPlanData document;
    BuildScheduleDocument(*this, document);
    return document.SaveToXMLText();
}

void TPlan::SaveScheduleToXml(const std::string& fileName) const {
    TPlanData document;
    BuildScheduleDocument(*this, document);
    document.SaveToXML(fileName);
}

TScheduleLoadResult TPlan::LoadScheduleFromXml(const std::string& fileName) {
    TPlanData document;
    document.LoadFromXML(fileName);
    return LoadScheduleFromPlanData(document, fileName);
}

TScheduleLoadResult TPlan::LoadScheduleFromPlanData(const TPlanData& planData,
                                                    const std::string& sourceName) {
    TScheduleLoadResult result;
    TGameList games(true);
    if (const TDataObject* node = planData.root().FindChild("schedule")) {
        ReadGameList(*node, games);
        result.gamesInFile = static_cast<int>(node->NamedChilds("game").size());
        result.gamesWithoutTeam = result.gamesInFile - static_cast<int>(games.size());
    }
    // A file whose games all belong to other teams is the schedule of another division: taking
    // it would silently leave every game of this plan undated.
    if (result.gamesInFile > 0 && result.gamesWithoutTeam == result.gamesInFile) {
        throw EFileError("Spielplan " + (sourceName.empty() ? std::string() : sourceName + " ") +
                         "wird nicht geladen: " + result.UnmatchedText() + ".");
    }
    // Also without a schedule element: the plan then ends up without dates.
    AssignGames(games);
    return result;
}

} // namespace terminor
