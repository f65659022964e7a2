#include "platform/SystemClock.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>

namespace selenara {
namespace {

constexpr DayNumber UnixEpochDay = DateToDayNumber(1, 1, 1970);

}  // namespace

SystemClock::SystemClock() : SystemClock(QTimeZone::systemTimeZone()) {}

SystemClock::SystemClock(const QTimeZone& zone) : zone_(zone) {}

UtDayTime SystemClock::UtNow() const {
    // Kept within a day of the calendar's ends, which ReadClock clamps to,
    // so that the day of a clock set to any year fits its 32 bits.
    constexpr qint64 earliest = (qint64{FirstDay - 1} - UnixEpochDay) * SecondsPerDay;
    constexpr qint64 latest = (qint64{LastDay + 2} - UnixEpochDay) * SecondsPerDay - 1;
    const qint64 now = std::clamp(QDateTime::currentSecsSinceEpoch(), earliest, latest);
    return UtDayTime::OfSecondCount(now + qint64{UnixEpochDay} * SecondsPerDay);
}

int SystemClock::UtcOffsetSecondsAt(UtDayTime ut) const {
    if (!zone_.isValid()) return 0;
    const qint64 seconds = SecondCount(ut) - qint64{UnixEpochDay} * SecondsPerDay;
    const int offset = zone_.offsetFromUtc(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC));
    constexpr int maxHours = 24;
    const int hours = std::min(std::abs(offset) / 3600, maxHours);
    const int capped = hours * 3600 + std::abs(offset) % 3600;
    return offset < 0 ? -capped : capped;
}

QTimeZone ZoneNamedByTz(const char* tz) {
    if (tz != nullptr && *tz != '\0') {
        const QTimeZone named{QByteArray(tz)};
        if (named.isValid()) return named;
    }
    return QTimeZone::systemTimeZone();
}

}  // namespace selenara
