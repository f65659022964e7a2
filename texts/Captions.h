// The short texts the window and the tray show: month captions, the phase
// name of a day for the tray tip, and clock times.
#pragma once

#include "astro/LocalTime.h"
#include "model/PhaseEvents.h"
#include "texts/TextTable.h"

#include <string>

namespace selenara {

// "Januar 2007" / "January 2007"; empty for a month outside 1..12.
std::string MonatJahrText(int month, int year, LanguageId language);

// "Januar" / "January"; empty for a month outside 1..12.
std::string MonatsName(int month, LanguageId language);

// "Sonntag" / "Sunday" for weekday 0 .. "Samstag" / "Saturday" for 6; empty
// for any other.
std::string WeekdayName(int weekday, LanguageId language);

// The name of a phase kind: "Vollmond", "Blue Moon"; empty for none.
std::string PhaseName(PhaseKind kind, LanguageId language);

// The tray tip of a local day: the phase of the day or of four days after
// a principal phase ("Vollmond", "Abnehmend, Gewölbt" …), else "Selenara".
std::string PhasenText(DayNumber day, LanguageId language, const ZoneClock& clock);

// The weekday (0 = Sunday) of a week's first column: Sunday in English,
// Monday in German and any other language.
constexpr int FirstWeekday(LanguageId language) { return language == English ? 0 : 1; }

// The column 0..6 of a weekday in a week that starts on `firstWeekday`.
constexpr int ColumnOfWeekday(int weekday, int firstWeekday) { return (weekday - firstWeekday + 7) % 7; }

// Whether clock times are shown in the 24-hour style: exactly for German.
constexpr bool Use24StdFor(LanguageId language) { return language == German; }

// A clock time without its seconds (dropped, never rounded): " 6:05" and
// "18:30" in the 24-hour style, "6:05 AM" and "12:15 AM" in the 12-hour style.
std::string ZeitText(SecondOfDay second, bool use24Std);

// The same without the blank that pads a one-digit hour for the grid's
// columns: "6:05", as running text and speech want it.
std::string UnpaddedZeitText(SecondOfDay second, bool use24Std);

}  // namespace selenara
