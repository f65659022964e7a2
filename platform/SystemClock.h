// The real clock and a real time zone, for the program and the almanac
// command: Qt's zone data, which is the tz database on every platform (the
// system's on Unix, with TZ honoured; ICU's copy on Windows, where Windows
// only names the zone), so that every instant from 1600 to 3999 gets the
// offset of its own year's rules, and local mean time before the first.
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

    UtDayTime UtNow() const override;
    // The zone's offset, its hours capped at 24 as the C library caps those
    // of a TZ rule ("ABC+25" is -24:00), so no offset reaches a day past it.
    int UtcOffsetSecondsAt(UtDayTime ut) const override;

private:
    QTimeZone zone_;
};

// The zone a command-line program reads its times in: the IANA zone TZ
// names (also on Windows, whose own choice of zone knows nothing of TZ),
// and the system's zone otherwise, which on Unix understands the rest of
// what TZ may hold, such as a POSIX rule string.
QTimeZone ZoneNamedByTz(const char* tz);

}  // namespace selenara
