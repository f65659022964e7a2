// selenara-almanac: the calendar's astronomy as plain text, one record a line.
#pragma once

#include "astro/LocalTime.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace selenara {

// Exit statuses.
constexpr int AlmanacDone = 0;
constexpr int AlmanacWriteFailed = 1;
constexpr int AlmanacBadArgument = 2;

// Runs the command with the arguments after the program name. Returns the
// exit status, and for a failure one line on `err`: AlmanacBadArgument for a
// bad argument (quoted as ShownArgument does); AlmanacWriteFailed when `out`
// has failed, before or while the command writes, which then stops at once
// instead of computing records nobody will get.
int RunAlmanac(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const ZoneClock& clock);

// Says on `err` that the output could not be written, with the reason for
// the errno value `error` (none for 0). Returns AlmanacWriteFailed.
int ReportWriteFailure(std::ostream& err, int error);

}  // namespace selenara
