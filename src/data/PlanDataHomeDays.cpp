// TPlanData: conversion between a team's homegameday/nogameday elements and its home-day rules.

#include "PlanData.h"

#include <algorithm>
#include <vector>

namespace terminor {

void TPlanData::GetHomeDays(std::string_view teamName, THomeDayList& homeDays) const {
    homeDays.clear();
    std::vector<int> blockedDays;
    for (const TDataObject* team : root().NamedChilds("team")) {
        if (team->GetAsString("teamname") != teamName) {
            continue;
        }
        for (const TDataObject* noGameDay : team->NamedChilds("nogameday")) {
            THomeDay blocked;
            blocked.Date = noGameDay->GetAsDate("date");
            blocked.SperrTermin = true;
            homeDays.push_back(blocked);
            blockedDays.push_back(DayNumber(blocked.Date));
        }
        for (const TDataObject* homeGameDay : team->NamedChilds("homegameday")) {
            THomeDay day;
            day.Date = homeGameDay->GetAsDateTime("datetime");
            day.KoppelDate = homeGameDay->GetAsBool("couplegameday");
            if (day.KoppelDate) {
                day.KoppelSecondTime = homeGameDay->GetAsTime("couplesecondtime");
            } else {
                day.DoubleDate = homeGameDay->GetAsBool("doublegameday");
                day.KoppelAuswaertsSecondTime = homeGameDay->GetAsBool("coupleauswaertssecondtime");
                if (day.KoppelAuswaertsSecondTime) {
                    day.KoppelSecondTime = homeGameDay->GetAsTime("couplesecondtime");
                }
            }
            if (day.KoppelDate || day.DoubleDate) {
                day.KoppelPrio = homeGameDay->GetAsInt("coupleprio");
            }
            day.MaxParallelGame = homeGameDay->GetAsInt("parallelgames");
            day.AusweichTermin = homeGameDay->GetAsBool("ausweichtermin");
            day.Location = FixLocation(homeGameDay->GetAsString("location"));
            // A blocked date hides every home date of the team on the same day.
            if (std::find(blockedDays.begin(), blockedDays.end(), DayNumber(day.Date)) == blockedDays.end()) {
                homeDays.push_back(day);
            }
        }
    }
    homeDays.Sort();
}

void TPlanData::SetHomeDays(std::string_view teamName, const THomeDayList& homeDays) {
    for (TDataObject* team : root().NamedChilds("team")) {
        if (team->GetAsString("teamname") != teamName) {
            continue;
        }
        team->deleteChilds("homegameday");
        team->deleteChilds("nogameday");
        for (const THomeDay& day : homeDays) {
            if (day.NoDate) {
                continue;
            }
            if (day.SperrTermin) {
                team->addChild("nogameday").SetAsDate("date", day.Date);
                continue;
            }
            TDataObject& homeGameDay = team->addChild("homegameday");
            homeGameDay.SetAsDateTime("datetime", day.Date);
            homeGameDay.SetAsInt("parallelgames", day.MaxParallelGame);
            homeGameDay.SetAsBool("ausweichtermin", day.AusweichTermin);
            homeGameDay.SetAsString("location", FixLocation(day.Location));
            homeGameDay.SetAsBool("doublegameday", day.DoubleDate);
            homeGameDay.SetAsBool("couplegameday", day.KoppelDate);
            homeGameDay.SetAsBool("coupleauswaertssecondtime", day.KoppelAuswaertsSecondTime);
            if (day.KoppelDate || day.KoppelAuswaertsSecondTime) {
                homeGameDay.SetAsTime("couplesecondtime", day.KoppelSecondTime);
            }
            if (day.KoppelDate || day.DoubleDate) {
                homeGameDay.SetAsInt("coupleprio", day.KoppelPrio);
            }
        }
    }
}

} // namespace terminor
