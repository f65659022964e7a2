// iCalendar (RFC 5545) output: escaping, line folding and the calendar text.
#pragma once

#include "astro/TimeScales.h"

#include <string>
#include <string_view>
#include <vector>

namespace selenara {

// A TEXT value with backslash, semicolon and comma escaped and each line
// break (CR LF, CR or LF) written as "\n"; other control characters, which
// the format does not allow, are dropped.
std::string EscapeText(std::string_view text);

// One content line, folded so that no physical line exceeds 75 octets
// (continuations begin with a blank, which counts), never inside a UTF-8
// sequence, each physical line ended by CR LF.
std::string FoldLine(std::string_view line);

// A UTC date-time value, "19990131T160740Z"; also for a UT date a day
// beyond 1600..3999 ("15991231T143723Z").
std::string UtcDateTime(UtDayTime ut);

struct IcsEvent {
    std::string Uid;
    UtDayTime Start;
    std::string Summary;   // plain text, escaped on output
    std::string Language;  // language tag of the summary ("de"), or empty
};

// The calendar with one instantaneous, transparent VEVENT per event.
std::string CalendarText(std::string_view productId, const std::vector<IcsEvent>& events);

}  // namespace selenara
