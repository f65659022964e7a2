// What `now` prints: the moon now as one line for a status bar, or as JSON.
#pragma once

#include "cli/Arguments.h"
#include "model/MoonNow.h"
#include "texts/TextTable.h"

#include <string>
#include <vector>

namespace selenara {

// The line without a format, in the language's words:
// "Waxing Gibbous, 72 % lit, 10.3 days; Full Moon Thu 24 Dec 2:28 AM";
// without `next` (no next phase beyond 3999) it ends after the days.
std::vector<FormatPiece> DefaultNowFormat(LanguageId language, bool next);

// The line of a format, without a line end. The fields: %p the phase of the
// cycle ("Waxing Gibbous"), %i the percent lit, whole ("72"), %a the age in
// days to a tenth ("10.3", "10,3" in German), %n the next principal phase
// ("Full Moon", "Blue Moon"), %t its local weekday, date and clock time
// ("Thu 24 Dec 2:28 AM", "Do 24.12. 2:28"), %e the moon emoji of the phase
// of the cycle. A field without a value (no next phase beyond 3999) is empty.
std::string NowLine(const MoonNow& moon, const std::vector<FormatPiece>& format,
                    LanguageId language);

// One JSON object: "time" (local, ISO 8601 with offset), "phase", "emoji",
// "illuminated" (percent, to a tenth), "age" (days, to a hundredth) and
// "next", an object of "kind" (as `phases` names it), "name" and "time", or
// null.
std::string NowJson(const MoonNow& moon, LanguageId language);

}  // namespace selenara
