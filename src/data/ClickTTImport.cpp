// Import of a click-TT export (document element "TT") into the plan data document: teams with
// their home dates, blocked days, couplings and sister teams, plus league-wide days and games.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "DataObject.h"
#include "DateTime.h"
#include "Error.h"
#include "PlanData.h"
#include "XmlFile.h"

namespace terminor {

namespace {

/// Longest blocked period (in days) the import expands into single days; a real season is far
/// shorter, so a longer period can only be a typing error and would flood the document.
constexpr std::int64_t MaxPeriodDays = 1000;

/// A kick-off later than 16:59 gets its second game four hours earlier, any other four hours later.
constexpr int LatestEarlyKickOff = 16 * 60 + 59;
constexpr int CoupleOffsetMinutes = 4 * 60;

/// What every import step needs: the parsed export (for error locations) and the target `plan`.
struct ImportContext {
    const TXmlDocument& doc;
    TDataObject& plan;
};

[[noreturn]] void ThrowAt(const ImportContext& ctx, const pugi::xml_node& node, const std::string& message) {
    throw EConvertError(message + ctx.doc.WhereText(node));
}

/// First child element of that name, or an empty node.
pugi::xml_node FindChildNode(const pugi::xml_node& node, const char* name) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::string_view(child.name()) == name) {
            return child;
        }
    }
    return {};
}

/// All child elements of that name, in document order.
std::vector<pugi::xml_node> ChildElements(const pugi::xml_node& node, const char* name) {
    std::vector<pugi::xml_node> result;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && std::string_view(child.name()) == name) {
            result.push_back(child);
        }
    }
    return result;
}

/// Whether the element holds a child element or some non-blank text.
bool HasChildNode(const pugi::xml_node& node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            return true;
        }
        if ((child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) &&
            !TrimBlanks(child.value()).empty()) {
            return true;
        }
    }
    return false;
}

/// The text of an element and all its descendants, concatenated and trimmed (walked without recursion,
/// so deeply nested input cannot exhaust the stack).
std::string NodeText(const pugi::xml_node& node) {
    std::string text;
    pugi::xml_node cur = node.first_child();
    while (cur && cur != node) {
        if (cur.type() == pugi::node_pcdata || cur.type() == pugi::node_cdata) {
            text += cur.value();
        }
        if (cur.first_child()) {
            cur = cur.first_child();
            continue;
        }
        while (cur && cur != node && !cur.next_sibling()) {
            cur = cur.parent();
        }
        if (cur && cur != node) {
            cur = cur.next_sibling();
        }
    }
    return TrimBlanks(text);
}

/// The trimmed attribute value; `fallback` when the attribute is missing.
std::string Attr(const pugi::xml_node& node, const char* name, std::string_view fallback = {}) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) {
        return std::string(fallback);
    }
    return TrimBlanks(attribute.value());
}

/// A required date "dd.mm.yyyy"; a missing, empty or malformed value is a conversion error.
TDateTime ReadDate(const ImportContext& ctx, const pugi::xml_node& node, const char* name) {
    const std::string text = Attr(node, name);
    if (text.empty()) {
        ThrowAt(ctx, node, "'' ist kein gültiges Datum");
    }
    try {
        return StorageToDate(text);
    } catch (const EConvertError& e) {
        ThrowAt(ctx, node, e.what());
    }
}

/// A time "hh:mm"; anything malformed reads as midnight.
TDateTime ReadTime(const pugi::xml_node& node, const char* name) {
    return StorageToTime(Attr(node, name));
}

/// A strictly read integer: optional sign and decimal digits that fit 32 bits.
bool ParseStrictInt(std::string_view text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    const std::int64_t limit = negative ? -std::int64_t(std::numeric_limits<int>::min())
                                        : std::int64_t(std::numeric_limits<int>::max());
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) {
            return false;
        }
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

int ReadInt(const ImportContext& ctx, const pugi::xml_node& node, const char* name,
            std::string_view fallback) {
    const std::string text = Attr(node, name, fallback);
    int value = 0;
    if (!ParseStrictInt(text, value)) {
        ThrowAt(ctx, node, "'" + text + "' ist kein gültiger Integerwert");
    }
    return value;
}

/// Combines a date and a time of day, rounded to whole milliseconds.
TDateTime DateAndTime(TDateTime date, TDateTime time) {
    return NormalizeDateTime(date + time);
}

/// Day numbers from `from` to `until` inclusive; an overlong period is refused.
std::vector<int> PeriodDays(const ImportContext& ctx, const pugi::xml_node& node, TDateTime from,
                            TDateTime until) {
    const int first = DayNumber(from);
    const int last = DayNumber(until);
    std::vector<int> days;
    if (last < first) {
        return days;
    }
    if (std::int64_t(last) - first + 1 > MaxPeriodDays) {
        ThrowAt(ctx, node,
                "Der Zeitraum vom " + DateToStorage(from) + " bis " + DateToStorage(until) +
                    " ist zu lang (höchstens " + std::to_string(MaxPeriodDays) + " Tage)");
    }
    for (int day = first; day <= last; ++day) {
        days.push_back(day);
    }
    return days;
}

/// Lower case for ASCII letters and the German umlauts Ä, Ö, Ü in UTF-8.
std::string FoldCase(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'A' && c <= 'Z') {
            result += static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            result += text[i];
            // Ä (C3 84), Ö (C3 96), Ü (C3 9C) -> ä (C3 A4), ö (C3 B6), ü (C3 BC)
            result +=
                (next == 0x84 || next == 0x96 || next == 0x9C) ? static_cast<char>(next + 0x20) : text[i + 1];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

bool IsCoupleOrDouble(const TDataObject& homeDay) {
    return homeDay.GetAsBool("couplegameday") || homeDay.GetAsBool("doublegameday");
}

void ImportHomeGame(const ImportContext& ctx, TDataObject& team, const pugi::xml_node& homeGame) {
    const std::string dayText = Attr(homeGame, "day");
    const std::string timeText = Attr(homeGame, "time");
    if (dayText.empty() || timeText.empty()) {
        return;
    }
    const TDateTime date = DateAndTime(ReadDate(ctx, homeGame, "day"), StorageToTime(timeText));
    const std::string key = DateTimeToStorage(date);
    for (const TDataObject* existing : team.NamedChilds("homegameday")) {
        if (existing->GetAsString("datetime") == key) {
            return;
        }
    }
    const int parallelGames = ReadInt(ctx, homeGame, "maxParallelGames", "0");
    const std::string coupleGame = Attr(homeGame, "coupleGame");

    TDataObject& homeDay = team.addChild("homegameday");
    homeDay.SetAsDateTime("datetime", date);
    homeDay.SetAsBool("couplegameday", false);
    homeDay.SetAsBool("coupleauswaertssecondtime", false);
    homeDay.SetAsBool("doublegameday", false);
    homeDay.SetAsBool("ausweichtermin", Attr(homeGame, "secondary", "false") == "true");
    homeDay.SetAsString("location", "");
    homeDay.SetAsInt("parallelgames", parallelGames);
    if (!coupleGame.empty()) {
        homeDay.SetAsBool("couplegameday", true);
        homeDay.SetAsInt("coupleprio", coupleGame == "soft" ? 1 : 2);
        const int kickOff = MinuteOfDay(date);
        const int second =
            kickOff > LatestEarlyKickOff ? kickOff - CoupleOffsetMinutes : kickOff + CoupleOffsetMinutes;
        homeDay.SetAsTime("couplesecondtime", EncodeTime(second / 60, second % 60));
    }
}

/// Marks home dates on consecutive days as double dates. The walk follows the child order: a date
/// that already is a coupling or double date is skipped as first partner and as second partner.
void PairDoubleDates(TDataObject& team) {
    const IDataObjectList homeDays = team.NamedChilds("homegameday");
    std::vector<int> dayNumbers;
    dayNumbers.reserve(homeDays.size());
    for (const TDataObject* homeDay : homeDays) {
        dayNumbers.push_back(DayNumber(homeDay->GetAsDateTime("datetime")));
    }
    for (std::size_t i = 0; i < homeDays.size(); ++i) {
        TDataObject& first = *homeDays[i];
        if (IsCoupleOrDouble(first)) {
            continue;
        }
        for (std::size_t j = 0; j < homeDays.size(); ++j) {
            TDataObject& second = *homeDays[j];
            if (j == i || IsCoupleOrDouble(second) || dayNumbers[j] != dayNumbers[i] + 1) {
                continue;
            }
            first.SetAsBool("doublegameday", true);
            first.SetAsInt("coupleprio", 1);
            second.SetAsBool("doublegameday", true);
            second.SetAsInt("coupleprio", 1);
        }
    }
}

void ImportGameDays(const ImportContext& ctx, TDataObject& team, const pugi::xml_node& gameDays,
                    bool pairDoubleDates) {
    std::set<std::string> blockedDays;
    for (const TDataObject* noGameDay : team.NamedChilds("nogameday")) {
        blockedDays.insert(noGameDay->GetAsString("date"));
    }

    for (pugi::xml_node child = gameDays.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = child.name();
        if (name == "homeGame") {
            ImportHomeGame(ctx, team, child);
        } else if (name == "noGame") {
            if (Attr(child, "from").empty() || Attr(child, "until").empty()) {
                continue;
            }
            const TDateTime from = ReadDate(ctx, child, "from");
            const TDateTime until = ReadDate(ctx, child, "until");
            for (const int day : PeriodDays(ctx, child, from, until)) {
                const std::string date = DateToStorage(static_cast<TDateTime>(day));
                if (blockedDays.insert(date).second) {
                    team.addChild("nogameday").SetAsString("date", date);
                }
            }
        } else if (name == "roadCouple") {
            TDataObject& roadCouple = team.addChild("roadcouple");
            roadCouple.SetAsString("teamnamea", Attr(child, "teamA"));
            roadCouple.SetAsString("teamnameb", Attr(child, "teamB"));
            roadCouple.SetAsInt("sameday", Attr(child, "onSameDay", "false") == "true" ? 0 : 1);
        } else if (name == "noWeekGame") {
            const std::string opponent = Attr(child, "team");
            const std::string folded = FoldCase(opponent);
            bool known = false;
            for (const TDataObject* noWeekGame : team.NamedChilds("noweekgames")) {
                if (FoldCase(noWeekGame->GetAsString("teamname")) == folded) {
                    known = true;
                    break;
                }
            }
            if (!known) {
                team.addChild("noweekgames").SetAsString("teamname", opponent);
            }
        }
    }

    if (pairDoubleDates) {
        PairDoubleDates(team);
    }
}

void ImportSisterTeams(const ImportContext& ctx, TDataObject& team, const pugi::xml_node& sisterTeams) {
    for (const pugi::xml_node& sister : ChildElements(sisterTeams, "team")) {
        const pugi::xml_node nameNode = FindChildNode(sister, "name");
        const std::string name = nameNode ? NodeText(nameNode) : std::string();
        const std::string gender = Attr(sister, "gender");

        TDataObject* sisterTeam = nullptr;
        for (TDataObject* candidate : team.NamedChilds("sisterteam")) {
            if (candidate->GetAsString("teamname") == name && candidate->GetAsString("gender") == gender) {
                sisterTeam = candidate;
                break;
            }
        }
        if (sisterTeam == nullptr) {
            sisterTeam = &team.addChild("sisterteam");
        }
        const int number = ReadInt(ctx, sister, "number", "0");
        sisterTeam->SetAsString("teamname", name);
        sisterTeam->SetAsString("gender", gender);
        sisterTeam->SetAsString("location", "");
        sisterTeam->SetAsInt("teamnumber", number);
        sisterTeam->SetAsBool("parallelhomegames", false);
        sisterTeam->SetAsBool("noparallelgames", false);
        const std::int64_t distance = std::int64_t(team.GetAsInt("teamnumber")) - number;
        if (gender == ctx.plan.GetAsString("gender") && (distance == 1 || distance == -1)) {
            sisterTeam->SetAsBool("noparallelgames", true);
        }

        for (const pugi::xml_node& game : ChildElements(sister, "game")) {
            const TDateTime date = DateAndTime(ReadDate(ctx, game, "day"), ReadTime(game, "time"));
            const std::string homeTeam = Attr(game, "homeTeam");
            const std::string guestTeam = Attr(game, "guestTeam");
            if (homeTeam == "spielfrei" || guestTeam == "spielfrei") {
                continue;
            }
            const std::string key = DateTimeToStorage(date);
            bool known = false;
            for (const TDataObject* sisterGame : sisterTeam->NamedChilds("sistergame")) {
                if (sisterGame->GetAsString("datetime") == key) {
                    known = true;
                    break;
                }
            }
            if (!known) {
                TDataObject& sisterGame = sisterTeam->addChild("sistergame");
                sisterGame.SetAsDateTime("datetime", date);
                sisterGame.SetAsString("hometeamname", homeTeam);
                sisterGame.SetAsString("guestteamname", guestTeam);
            }
        }
    }
}

void ImportTeam(const ImportContext& ctx, const pugi::xml_node& exportTeam) {
    TDataObject& team = ctx.plan.addChild("team");
    team.SetAsString("clubid", Attr(exportTeam, "clubId"));
    team.SetAsString("teamid", Attr(exportTeam, "id"));
    team.SetAsString("location", "");
    team.SetAsInt("homerights", -1);
    team.SetAsInt("teamnumber", ReadInt(ctx, exportTeam, "number", "1"));

    const bool pairDoubleDates = Attr(exportTeam, "noDoubleDays", "true") != "true";
    if (const pugi::xml_node nameNode = FindChildNode(exportTeam, "name")) {
        team.SetAsString("teamname", NodeText(nameNode));
    }
    if (const pugi::xml_node gameDays = FindChildNode(exportTeam, "gameDays")) {
        ImportGameDays(ctx, team, gameDays, pairDoubleDates);
    }
    if (const pugi::xml_node sisterTeams = FindChildNode(exportTeam, "sisterTeams")) {
        ImportSisterTeams(ctx, team, sisterTeams);
    }
}

/// Fixtures of `predefinedGames` or `existingSchedule`, taken as they stand.
void ImportGames(const ImportContext& ctx, TDataObject& target, const pugi::xml_node& games) {
    for (const pugi::xml_node& game : ChildElements(games, "game")) {
        const TDateTime date = DateAndTime(ReadDate(ctx, game, "day"), ReadTime(game, "time"));
        TDataObject& entry = target.addChild("game");
        entry.SetAsDateTime("datetime", date);
        entry.SetAsString("hometeamname", Attr(game, "homeTeam"));
        entry.SetAsString("guestteamname", Attr(game, "guestTeam"));
        entry.SetAsString("location", "");
    }
}

/// League-wide blocked periods, one `nogameday` per day (overlapping periods repeat days).
void ImportNoGameDays(const ImportContext& ctx, const pugi::xml_node& noGameDays) {
    for (const pugi::xml_node& noGame : ChildElements(noGameDays, "noGame")) {
        const TDateTime from = ReadDate(ctx, noGame, "from");
        const TDateTime until = ReadDate(ctx, noGame, "until");
        for (const int day : PeriodDays(ctx, noGame, from, until)) {
            ctx.plan.addChild("nogameday").SetAsDate("date", static_cast<TDateTime>(day));
        }
    }
}

/// Mandatory days, joined into periods of consecutive days with one game each.
void ImportMandatoryDays(const ImportContext& ctx, const pugi::xml_node& mandatoryGameDays) {
    std::vector<int> days;
    for (const pugi::xml_node& mandatoryDay : ChildElements(mandatoryGameDays, "mandatoryDay")) {
        days.push_back(DayNumber(ReadDate(ctx, mandatoryDay, "day")));
    }
    std::sort(days.begin(), days.end());
    TDataObject* period = nullptr;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (period != nullptr && days[i] == days[i - 1] + 1) {
            period->SetAsDate("dateto", static_cast<TDateTime>(days[i]));
            continue;
        }
        period = &ctx.plan.addChild("mandatorygames");
        period->SetAsDate("datefrom", days[i]);
        period->SetAsDate("dateto", static_cast<TDateTime>(days[i]));
        period->SetAsInt("numbergames", 1);
    }
}

void ImportDocument(const TXmlDocument& doc, TDataObject& plan) {
    const ImportContext ctx{doc, plan};
    const pugi::xml_node tt = doc.documentElement();

    plan.SetAsString("gender", Attr(tt, "gender"));
    plan.SetAsDate("mid", ReadDate(ctx, tt, "mid"));
    plan.SetAsDate("from", ReadDate(ctx, tt, "from"));
    plan.SetAsDate("until", ReadDate(ctx, tt, "until"));
    plan.SetAsString("name", Attr(tt, "name"));
    plan.SetAsString("id", Attr(tt, "id"));

    if (const pugi::xml_node teams = FindChildNode(tt, "teams")) {
        for (const pugi::xml_node& team : ChildElements(teams, "team")) {
            ImportTeam(ctx, team);
        }
    }
    if (const pugi::xml_node games = FindChildNode(tt, "predefinedGames"); games && HasChildNode(games)) {
        ImportGames(ctx, plan.addChild("predefinedgames"), games);
    }
    if (const pugi::xml_node noGameDays = FindChildNode(tt, "noGameDays")) {
        ImportNoGameDays(ctx, noGameDays);
    }
    if (const pugi::xml_node mandatoryGameDays = FindChildNode(tt, "mandatoryGameDays")) {
        ImportMandatoryDays(ctx, mandatoryGameDays);
    }
    if (const pugi::xml_node games = FindChildNode(tt, "existingSchedule"); games && HasChildNode(games)) {
        ImportGames(ctx, plan.addChild("existingschedule"), games);
    }
}

} // namespace

void TPlanData::LoadFromClickTTFile(const std::string& xmlFile) {
    Clear();
    TXmlDocument doc;
    doc.LoadFile(xmlFile);
    LoadFromClickTTDocument(doc);
}

void TPlanData::LoadFromClickTTText(std::string_view xmlText, const std::string& sourceName) {
    Clear();
    TXmlDocument doc;
    doc.LoadBytes(xmlText, sourceName);
    LoadFromClickTTDocument(doc);
}

void TPlanData::LoadFromClickTTDocument(const TXmlDocument& doc) {
    Clear();
    FLoadWarnings = doc.Warnings();
    ImportDocument(doc, root());
}

bool IsClickTTFile(const std::string& xmlFile) {
    TXmlDocument doc;
    doc.LoadFile(xmlFile);
    return std::string_view(doc.documentElement().name()) == "TT";
}

} // namespace terminor
