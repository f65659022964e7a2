#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace selenara {
namespace {

struct Offset {
    const char* zone;
    int day, month, year, utSecond;
    int seconds;
};

void ExpectOffsets(std::initializer_list<Offset> cases) {
    for (const Offset& c : cases) {
        const SystemClock clock{QTimeZone(c.zone)};
        EXPECT_EQ(clock.UtcOffsetSecondsAt({DateToDayNumber(c.day, c.month, c.year), c.utSecond}), c.seconds)
            << c.zone << ' ' << c.day << '.' << c.month << '.' << c.year << " +" << c.utSecond << " s UT";
    }
}

// Rules that both the tz database and Windows' zone data hold, by the zone
// names Qt maps to Windows' zones (the tz database keeps Asia/Calcutta and
// Asia/Katmandu as links to the newer names).
TEST(SystemClock, OffsetAtTheInstantFollowsTheZonesRules) {
    ExpectOffsets({
        {"Europe/Berlin", 15, 1, 2007, 0, 3600},
        {"Europe/Berlin", 30, 6, 2007, 13 * 3600, 7200},
        // Summer time began on 25 March 2007 at 01:00 UT and ended on
        // 28 October at 01:00 UT.
        {"Europe/Berlin", 25, 3, 2007, 3599, 3600},
        {"Europe/Berlin", 25, 3, 2007, 3600, 7200},
        {"Europe/Berlin", 28, 10, 2007, 3599, 7200},
        {"Europe/Berlin", 28, 10, 2007, 3600, 3600},
        {"America/New_York", 1, 6, 2020, 0, -14400},
        {"America/New_York", 1, 1, 2020, 0, -18000},
        // The present rules carry on to the calendar's last year.
        {"America/New_York", 1, 7, 3999, 0, -14400},
        {"Europe/Berlin", 31, 12, 3999, 86399, 3600},
        {"Asia/Calcutta", 1, 1, 2026, 0, 19800},
        {"Asia/Katmandu", 1, 1, 2026, 0, 20700},
        {"UTC", 1, 1, 1600, 0, 0},
        {"UTC", 31, 12, 3999, 86399, 0},
    });
}

#ifndef Q_OS_WIN
// Windows' zone data knows most zones' history only from about 2006 and
// has no local mean time; the tz database has both.
TEST(SystemClock, OffsetOfEarlierYearsIsTheirOwnUnix) {
    ExpectOffsets({
        // Local mean time, 0:53:28 and -4:56:02, seconds and all.
        {"Europe/Berlin", 1, 1, 1600, 0, 3208},
        {"America/New_York", 1, 1, 1600, 0, -17762},
        // Germany's first summer time, from 30 April 1916 23:00 local.
        {"Europe/Berlin", 30, 4, 1916, 21 * 3600, 3600},
        {"Europe/Berlin", 30, 4, 1916, 22 * 3600, 7200},
        // New York's war time all year in 1943.
        {"America/New_York", 15, 1, 1943, 12 * 3600, -14400},
    });
}

// A zone given as a POSIX rule string in TZ is the system's zone. Its
// hours are capped at 24, as the C library caps them (`TZ=ABC+25 date +%z`
// prints -2400), so no offset reaches a day past it.
TEST(SystemClock, TzRuleStringIsTheSystemZoneUnix) {
    const QByteArray saved = qgetenv("TZ");
    const struct {
        const char* tz;
        DayTime ut;
        int seconds;
    } cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", {DateToDayNumber(1, 6, 2020), 0}, -4 * 3600},
        {"EST5EDT,M3.2.0,M11.1.0", {DateToDayNumber(1, 1, 3999), 0}, -5 * 3600},
        {"ABC+25", {DateToDayNumber(1, 1, 2026), 0}, -24 * 3600},
        {"ABC-24:30", {DateToDayNumber(1, 1, 2026), 0}, 24 * 3600 + 30 * 60},
    };
    for (const auto& c : cases) {
        qputenv("TZ", c.tz);
        EXPECT_EQ(SystemClock().UtcOffsetSecondsAt(c.ut), c.seconds) << c.tz;
    }
    if (saved.isNull()) qunsetenv("TZ");
    else qputenv("TZ", saved);
}
#endif

TEST(SystemClock, InvalidZoneLeavesTheInstantInUt) {
    const SystemClock clock{QTimeZone("No/Such_Zone")};
    EXPECT_EQ(clock.UtcOffsetSecondsAt({DateToDayNumber(1, 7, 2026), 0}), 0);
}

// Now is the system's time in UT, whatever the zone: between the seconds
// since 1970 before and after the reading.
TEST(SystemClock, NowIsTheSystemTimeInUt) {
    const long long epoch = 86400LL * DateToDayNumber(1, 1, 1970);
    for (const char* zone : {"UTC", "Asia/Calcutta", "Pacific/Honolulu"}) {
        const SystemClock clock{QTimeZone(zone)};
        const long long before = epoch + QDateTime::currentSecsSinceEpoch();
        const long long read = SecondCount(clock.UtNow());
        const long long after = epoch + QDateTime::currentSecsSinceEpoch();
        EXPECT_GE(read, before) << zone;
        EXPECT_LE(read, after) << zone;
    }
}

}  // namespace
}  // namespace selenara
