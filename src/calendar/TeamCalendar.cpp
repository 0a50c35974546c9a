#include "calendar/TeamCalendar.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <utility>

#include <libical/ical.h>

#include "data/Error.h"
#include "data/PlanUtils.h"
#include "model/Plan.h"

namespace terminor {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
/// A component not (yet) owned by a parent; adding it to one releases it.
using TComponent = std::unique_ptr<icalcomponent, ComponentFree>;

struct BufferFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};

/// The text without control characters, which iCalendar text values must not hold.
std::string CalendarText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F) {
            out += c;
        }
    }
    return out;
}

/// The wall-clock time of a plan date, without zone (the TZID parameter names it).
icaltimetype LocalTime(TDateTime value) {
    const DateParts date = DecodeDate(value);
    const TimeParts time = DecodeTime(value);
    icaltimetype t = icaltime_null_time();
    t.year = date.year;
    t.month = static_cast<int>(date.month);
    t.day = static_cast<int>(date.day);
    t.hour = time.hour;
    t.minute = time.minute;
    t.second = time.second;
    t.is_date = 0;
    return t;
}

icaltimetype WallClock(int year, int month, int day, int hour) {
    icaltimetype t = icaltime_null_time();
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.is_date = 0;
    return t;
}

/// A date-time property in Europe/Berlin time.
icalproperty* ZonedTime(icalproperty* property) {
    icalproperty_add_parameter(property, icalparameter_new_tzid(CalendarTimeZone));
    return property;
}

icalproperty* XProperty(const char* name, const std::string& value) {
    icalproperty* property = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(property, name);
    return property;
}

/// One rule of the zone: from `start` on, every year on the day the rule names.
TComponent Observance(icalcomponent_kind kind, const char* name, int offsetFrom, int offsetTo,
                      icaltimetype start, const char* rule) {
    TComponent observance(icalcomponent_new(kind));
    icalcomponent_add_property(observance.get(), icalproperty_new_tzname(name));
    icalcomponent_add_property(observance.get(), icalproperty_new_tzoffsetfrom(offsetFrom));
    icalcomponent_add_property(observance.get(), icalproperty_new_tzoffsetto(offsetTo));
    icalcomponent_add_property(observance.get(), icalproperty_new_dtstart(start));
    icalcomponent_add_property(observance.get(),
                               icalproperty_new_rrule(icalrecurrencetype_from_string(rule)));
    return observance;
}

/// Europe/Berlin with today's rules: CEST from the last Sunday of March, 02:00, CET from the last
/// Sunday of October, 03:00, written from 1970 on as calendar programs do; the zone's older history
/// is left out, since no season reaches back there.
TComponent BerlinTimeZone() {
    constexpr int Cet = 3600;
    constexpr int Cest = 7200;
    TComponent zone(icalcomponent_new(ICAL_VTIMEZONE_COMPONENT));
    icalcomponent_add_property(zone.get(), icalproperty_new_tzid(CalendarTimeZone));
    icalcomponent_add_property(zone.get(), XProperty("X-LIC-LOCATION", CalendarTimeZone));
    icalcomponent_add_component(zone.get(),
                                Observance(ICAL_XDAYLIGHT_COMPONENT, "CEST", Cet, Cest,
                                           WallClock(1970, 3, 29, 2), "FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU")
                                    .release());
    icalcomponent_add_component(zone.get(),
                                Observance(ICAL_XSTANDARD_COMPONENT, "CET", Cest, Cet,
                                           WallClock(1970, 10, 25, 3), "FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU")
                                    .release());
    return zone;
}

/// "2026/27" for a plan that begins between July 2026 and June 2027; empty without a begin.
std::string SeasonText(const TPlan& plan) {
    if (plan.DateBegin == 0.0) {
        return {};
    }
    const DateParts begin = DecodeDate(plan.DateBegin);
    const int first = begin.month >= 7 ? begin.year : begin.year - 1;
    char text[16];
    std::snprintf(text, sizeof text, "%d/%02d", first, (first + 1) % 100);
    return text;
}

/// FNV-1a over the bytes, from the given start value.
std::uint64_t Fnv1a(const std::string& bytes, std::uint64_t hash) {
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

/// The SEQUENCE of every event: the minutes from 2020 to the export, so that each export counts as
/// a newer revision and calendar programs take the changed date of an event they already hold.
int EventSequence(std::time_t stamp) {
    constexpr std::time_t Start2020 = 1'577'836'800;
    return static_cast<int>(std::max<std::time_t>(0, (stamp - Start2020) / 60));
}

TComponent GameEvent(const TPlan& plan, const TCalendarGame& game, const icaltimetype& stamp, int sequence) {
    TComponent event(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent* e = event.get();
    icalcomponent_add_property(e, icalproperty_new_uid(CalendarEventUid(plan, game).c_str()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(e, icalproperty_new_sequence(sequence));
    const icaltimetype start = LocalTime(game.Date);
    icaltimetype end = start;
    icaltime_adjust(&end, 0, CalendarGameHours, 0, 0);
    icalcomponent_add_property(e, ZonedTime(icalproperty_new_dtstart(start)));
    icalcomponent_add_property(e, ZonedTime(icalproperty_new_dtend(end)));
    const std::string summary = CalendarText(game.Home) + " \u2013 " + CalendarText(game.Guest);
    icalcomponent_add_property(e, icalproperty_new_summary(summary.c_str()));
    const std::string location = CalendarLocationText(game.Location);
    if (!location.empty()) {
        icalcomponent_add_property(e, icalproperty_new_location(location.c_str()));
    }
    const std::string division = CalendarText(plan.PlanName);
    if (!division.empty()) {
        icalcomponent_add_property(e, icalproperty_new_description(division.c_str()));
    }
    return event;
}

} // namespace

std::vector<TCalendarGame> TeamCalendarGames(const TPlan& plan, const TMannschaft& team) {
    TSchedule schedule;
    plan.getSchedule(schedule);
    std::vector<TCalendarGame> games;
    for (const TScheduleGame& entry : schedule) {
        if (entry.MannschaftHeimName != team.teamName && entry.MannschaftGastName != team.teamName) {
            continue;
        }
        TCalendarGame game;
        game.Date = entry.Date;
        game.Home = entry.MannschaftHeimName;
        game.Guest = entry.MannschaftGastName;
        game.Location = entry.Location;
        if (game.Location.empty()) {
            if (const TMannschaft* home = plan.Mannschaften.FindByName(game.Home)) {
                game.Location = home->DefaultLocation;
            }
        }
        games.push_back(std::move(game));
    }
    // Meetings of a pairing numbered in date order, undated ones last: a date may move without
    // the game changing its number, unless it overtakes the other meeting of the pairing.
    std::stable_sort(games.begin(), games.end(), [](const TCalendarGame& a, const TCalendarGame& b) {
        if ((a.Date == 0.0) != (b.Date == 0.0)) {
            return b.Date == 0.0;
        }
        return a.Date < b.Date;
    });
    std::map<std::pair<std::string, std::string>, int> meetings;
    for (TCalendarGame& game : games) {
        game.Round = ++meetings[{game.Home, game.Guest}];
    }
    std::erase_if(games, [](const TCalendarGame& game) { return game.Date == 0.0; });
    return games;
}

std::string CalendarEventUid(const TPlan& plan, const TCalendarGame& game) {
    const std::string& division = plan.PlanId.empty() ? plan.PlanName : plan.PlanId;
    const std::string key = division + '\n' + SeasonText(plan) + '\n' + game.Home + '\n' + game.Guest + '\n' +
                            std::to_string(game.Round);
    char text[64];
    std::snprintf(text, sizeof text, "%016llx%016llx@terminor",
                  static_cast<unsigned long long>(Fnv1a(key, 0xCBF29CE484222325ULL)),
                  static_cast<unsigned long long>(Fnv1a(key, 0x6C62272E07BB0142ULL)));
    return text;
}

std::string CalendarLocationText(const std::string& location) {
    return location.empty() ? std::string() : "Spiellokal " + CalendarText(location);
}

std::string TeamCalendarText(const TPlan& plan, const TMannschaft& team, std::time_t stamp) {
    TComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent* c = calendar.get();
    const std::string productId = "-//Terminor//Terminor " + ProgramVersionText() + "//DE";
    icalcomponent_add_property(c, icalproperty_new_prodid(productId.c_str()));
    icalcomponent_add_property(c, icalproperty_new_version("2.0"));
    icalcomponent_add_property(c, icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(c, icalproperty_new_method(ICAL_METHOD_PUBLISH));
    std::string name = CalendarText(team.teamName);
    if (!plan.PlanName.empty()) {
        name += " (" + CalendarText(plan.PlanName) + ")";
    }
    icalcomponent_add_property(c, XProperty("X-WR-CALNAME", name));
    icalcomponent_add_property(c, XProperty("X-WR-TIMEZONE", CalendarTimeZone));
    icalcomponent_add_component(c, BerlinTimeZone().release());

    const icaltimetype stampTime = icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
    const int sequence = EventSequence(stamp);
    for (const TCalendarGame& game : TeamCalendarGames(plan, team)) {
        icalcomponent_add_component(c, GameEvent(plan, game, stampTime, sequence).release());
    }
    const std::unique_ptr<char, BufferFree> text(icalcomponent_as_ical_string_r(c));
    if (text == nullptr) {
        throw TerminorError("Der Kalender der Mannschaft " + team.teamName + " kann nicht erstellt werden.");
    }
    return text.get();
}

} // namespace terminor
