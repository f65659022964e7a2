// selenara-almanac: the calendar's astronomy as plain text, one record a line.
#pragma once

#include "astro/LocalTime.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace selenara {

// Runs the command with the arguments after the program name. Returns the
// exit status: 0 on success, 2 for a bad argument (one line on `err`).
int RunAlmanac(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const ZoneClock& clock);

}  // namespace selenara
