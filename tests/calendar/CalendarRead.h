#pragma once
// Reading a written calendar back with libical, as a calendar program would, for the checks of
// the calendar, CLI and desktop tests.

#include <memory>
#include <string>
#include <vector>

#include <libical/ical.h>

namespace terminor::test {

struct TReadEvent {
    std::string uid;
    std::string summary;
    std::string location;
    std::string startZone;
    std::string endZone;
    int sequence = -1;
    icaltimetype start = icaltime_null_time();
    icaltimetype end = icaltime_null_time();
};

struct TReadCalendar {
    bool parsed = false;
    std::vector<TReadEvent> events;
    /// The TZID of every VTIMEZONE.
    std::vector<std::string> zones;
    /// The UTC offsets (seconds) at two wall-clock times of 2026, by the file's own VTIMEZONE:
    /// 15 July 18:00 and 15 January 18:00.
    int summerOffset = 0;
    int winterOffset = 0;
};

namespace detail {

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

inline std::string Text(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

inline std::string ZoneOf(icalproperty* property) {
    if (property == nullptr) {
        return {};
    }
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    return tzid != nullptr ? Text(icalparameter_get_tzid(tzid)) : std::string();
}

inline int OffsetAt(icaltimezone* zone, int month) {
    icaltimetype t = icaltime_null_time();
    t.year = 2026;
    t.month = month;
    t.day = 15;
    t.hour = 18;
    int dst = 0;
    return icaltimezone_get_utc_offset(zone, &t, &dst);
}

} // namespace detail

inline TReadCalendar ReadCalendar(const std::string& text) {
    TReadCalendar result;
    const std::unique_ptr<icalcomponent, detail::ComponentFree> root(icalparser_parse_string(text.c_str()));
    if (root == nullptr || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT) {
        return result;
    }
    result.parsed = true;
    for (icalcomponent* z = icalcomponent_get_first_component(root.get(), ICAL_VTIMEZONE_COMPONENT);
         z != nullptr; z = icalcomponent_get_next_component(root.get(), ICAL_VTIMEZONE_COMPONENT)) {
        icalproperty* tzid = icalcomponent_get_first_property(z, ICAL_TZID_PROPERTY);
        result.zones.push_back(tzid != nullptr ? detail::Text(icalproperty_get_tzid(tzid)) : std::string());
        icaltimezone* zone = icaltimezone_new();
        if (icaltimezone_set_component(zone, icalcomponent_new_clone(z)) != 0) {
            result.summerOffset = detail::OffsetAt(zone, 7);
            result.winterOffset = detail::OffsetAt(zone, 1);
        }
        icaltimezone_free(zone, 1);
    }
    for (icalcomponent* e = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT)) {
        TReadEvent event;
        event.uid = detail::Text(icalcomponent_get_uid(e));
        event.summary = detail::Text(icalcomponent_get_summary(e));
        event.location = detail::Text(icalcomponent_get_location(e));
        if (icalcomponent_get_first_property(e, ICAL_SEQUENCE_PROPERTY) != nullptr) {
            event.sequence = icalcomponent_get_sequence(e);
        }
        icalproperty* start = icalcomponent_get_first_property(e, ICAL_DTSTART_PROPERTY);
        icalproperty* end = icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY);
        event.startZone = detail::ZoneOf(start);
        event.endZone = detail::ZoneOf(end);
        if (start != nullptr) {
            event.start = icalproperty_get_dtstart(start);
        }
        if (end != nullptr) {
            event.end = icalproperty_get_dtend(end);
        }
        result.events.push_back(std::move(event));
    }
    return result;
}

} // namespace terminor::test
