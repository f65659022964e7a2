// The text of the balloon a click on a day number opens: the date, the
// country and place, and that local day's moonrise and moonset there.
#pragma once

#include "astro/LocalTime.h"
#include "settings/Settings.h"
#include "texts/TextTable.h"

#include <QString>

namespace selenara {

// Lines are the date (in German and English only), "country / city", the
// moonrise and the moonset. Each ends in "\n" but the moonset line, which is
// last; a rise or set line is absent when the event does not happen that
// day, so without a moonset the text ends in a line break. The country is
// named in English for English and in German for any other language (a slot
// not in the table names Germany).
QString DayHintText(int day, int month, int year, LanguageId language, const TSettings& settings,
                    const ZoneClock& clock);

}  // namespace selenara
