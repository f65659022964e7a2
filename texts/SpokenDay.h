// What a screen reader says for a day of the calendar page: the whole date
// (the grid shows only its number), whether it is today, and the principal
// phase with its local clock time, as the cell shows them.
#pragma once

#include "astro/Calendar.h"
#include "model/MonthTable.h"
#include "texts/TextTable.h"

#include <string>

namespace selenara {

// "Mittwoch, 9. Dezember 2026, Neumond, 1:51" /
// "Wednesday, December 9, 2026, today, New Moon, 1:51 AM": the weekday of
// `info`, "heute"/"today" on today's date, the phase and time when the day
// has one. Any language but English takes the German order. Empty for a
// date with no month 1..12.
std::string SpokenDay(Date date, const TTagInfo& info, LanguageId language);

}  // namespace selenara
