// The real clock and the system time zone (TZ honoured), for the program
// and the almanac command.
#pragma once

#include "astro/LocalTime.h"

namespace selenara {

class SystemClock final : public ZoneClock {
public:
    DayTime LocalNow() const override;
    int UtcOffsetMinutesAt(DayTime ut) const override;
};

}  // namespace selenara
