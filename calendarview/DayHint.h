// The text of the balloon a click on a day number opens: the date, the
// country and place, and that local day's moonrise and moonset there.
#pragma once

#include "astro/LocalTime.h"
#include "settings/Settings.h"
#include "texts/TextTable.h"

#include <QString>

namespace selenara {

// Lines end in "\n"; a rise or set line is absent when the event does not
// happen that day, and with neither the text ends after the place line.
// The country is named in `language` (a slot not in the table names Germany).
QString DayHintText(int day, int month, int year, LanguageId language, const TSettings& settings,
                    const ZoneClock& clock);

}  // namespace selenara
