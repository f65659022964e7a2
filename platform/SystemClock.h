// The real clock and a real time zone, for the program and the almanac
// command: Qt's zone data on every platform (the tz database on Unix, with TZ
// honoured; Windows' own zone data on Windows), so that every instant from
// 1600 to 3999 gets the offset of its own year's rules as far as that data
// reaches, and the zone's earliest known offset before that.
#pragma once

#include "astro/LocalTime.h"

#include <QTimeZone>

namespace selenara {

class SystemClock final : public ZoneClock {
public:
    // The system's zone as it is when the clock is made.
    SystemClock();
    // Any zone Qt knows, such as QTimeZone("Europe/Berlin"). An invalid zone
    // leaves every instant in UT.
    explicit SystemClock(const QTimeZone& zone);

    DayTime LocalNow() const override;
    int UtcOffsetMinutesAt(DayTime ut) const override;

private:
    QTimeZone zone_;
};

}  // namespace selenara
