#include "platform/SystemClock.h"

#include <QDateTime>

namespace selenara {
namespace {

constexpr DayNumber UnixEpochDay = DateToDayNumber(1, 1, 1970);

}  // namespace

SystemClock::SystemClock() : SystemClock(QTimeZone::systemTimeZone()) {}

SystemClock::SystemClock(const QTimeZone& zone) : zone_(zone) {}

DayTime SystemClock::LocalNow() const {
    const QDateTime now = QDateTime::currentDateTimeUtc().toTimeZone(zone_.isValid() ? zone_ : QTimeZone::utc());
    const QDate date = now.date();
    // A clock set outside the calendar's years reads as the nearer end of them.
    if (date.year() < FirstYear) return {FirstDay, 0};
    if (date.year() > LastYear) return {LastDay, SecondsPerDay - 1};
    const QTime time = now.time();
    return {DateToDayNumber(date.day(), date.month(), date.year()),
            time.hour() * 3600 + time.minute() * 60 + time.second()};
}

int SystemClock::UtcOffsetMinutesAt(DayTime ut) const {
    if (!zone_.isValid()) return 0;
    const qint64 seconds = static_cast<qint64>(ut.Day - UnixEpochDay) * SecondsPerDay + ut.Second;
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    return zone_.offsetFromUtc(instant) / 60;
}

}  // namespace selenara
