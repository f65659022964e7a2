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

    DayTime UtNow() const override;
    // The zone's offset, its hours capped at 24 as the C library caps those
    // of a TZ rule ("ABC+25" is -24:00), so no offset reaches a day past it.
    int UtcOffsetSecondsAt(DayTime ut) const override;

private:
    QTimeZone zone_;
};

}  // namespace selenara
