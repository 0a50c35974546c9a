#pragma once
// A team's games as an iCalendar document: one event per dated game in Europe/Berlin time, with
// the time zone's rules, the hall as location and a UID that stays the same when the date moves.
// Any thread, one plan per call (the plan is only read).

#include <ctime>
#include <string>
#include <vector>

#include "data/DateTime.h"

namespace terminor {

class TMannschaft;
class TPlan;

/// The time zone of every event.
inline constexpr const char* CalendarTimeZone = "Europe/Berlin";
/// An event lasts as long as a typical match.
inline constexpr int CalendarGameHours = 3;

/// One game of a team's calendar.
struct TCalendarGame {
    TDateTime Date = 0.0;
    std::string Home;
    std::string Guest;
    /// The hall as the schedule files name it ("" or "1" to "5"); "" when unknown.
    std::string Location;
    /// 1 for the first meeting of this home and guest team, 2 for the second (double round), ...
    int Round = 1;
};

/// The dated games of `team` in the plan's schedule, in date order. Round counts the meetings of
/// the same home and guest team in date order (undated ones last), so it does not change when a
/// date moves within the season. The location is the one of the CSV export, else the home team's hall.
std::vector<TCalendarGame> TeamCalendarGames(const TPlan& plan, const TMannschaft& team);

/// The event's UID, from the division, the season, home, guest and round: the same game has the
/// same UID in every team's file and in every later export.
std::string CalendarEventUid(const TPlan& plan, const TCalendarGame& game);

/// The LOCATION text of a hall: "Spiellokal 2"; empty for an unknown hall.
std::string CalendarLocationText(const std::string& location);

/// The iCalendar document (UTF-8, CRLF lines) of the team's dated games; `stamp` is the DTSTAMP
/// of every event (seconds since the epoch).
std::string TeamCalendarText(const TPlan& plan, const TMannschaft& team, std::time_t stamp);

} // namespace terminor
