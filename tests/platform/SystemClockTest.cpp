#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace selenara {
namespace {

struct Offset {
    const char* zone;
    int day, month, year, utSecond;
    int minutes;
};

void ExpectOffsets(std::initializer_list<Offset> cases) {
    for (const Offset& c : cases) {
        const SystemClock clock{QTimeZone(c.zone)};
        EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(c.day, c.month, c.year), c.utSecond}), c.minutes)
            << c.zone << ' ' << c.day << '.' << c.month << '.' << c.year << " +" << c.utSecond << " s UT";
    }
}

// Rules that both the tz database and Windows' zone data hold, by the zone
// names Qt maps to Windows' zones (the tz database keeps Asia/Calcutta and
// Asia/Katmandu as links to the newer names).
TEST(SystemClock, OffsetAtTheInstantFollowsTheZonesRules) {
    ExpectOffsets({
        {"Europe/Berlin", 15, 1, 2007, 0, 60},
        {"Europe/Berlin", 30, 6, 2007, 13 * 3600, 120},
        // Summer time began on 25 March 2007 at 01:00 UT and ended on
        // 28 October at 01:00 UT.
        {"Europe/Berlin", 25, 3, 2007, 3599, 60},
        {"Europe/Berlin", 25, 3, 2007, 3600, 120},
        {"Europe/Berlin", 28, 10, 2007, 3599, 120},
        {"Europe/Berlin", 28, 10, 2007, 3600, 60},
        {"America/New_York", 1, 6, 2020, 0, -240},
        {"America/New_York", 1, 1, 2020, 0, -300},
        // The present rules carry on to the calendar's last year.
        {"America/New_York", 1, 7, 3999, 0, -240},
        {"Europe/Berlin", 31, 12, 3999, 86399, 60},
        {"Asia/Calcutta", 1, 1, 2026, 0, 330},
        {"Asia/Katmandu", 1, 1, 2026, 0, 345},
        {"UTC", 1, 1, 1600, 0, 0},
        {"UTC", 31, 12, 3999, 86399, 0},
    });
}

#ifndef Q_OS_WIN
// Windows' zone data knows most zones' history only from about 2006 and
// has no local mean time; the tz database has both.
TEST(SystemClock, OffsetOfEarlierYearsIsTheirOwnUnix) {
    ExpectOffsets({
        // Local mean time, 0:53:28 and -4:56:02, whole minutes kept.
        {"Europe/Berlin", 1, 1, 1600, 0, 53},
        {"America/New_York", 1, 1, 1600, 0, -296},
        // Germany's first summer time, from 30 April 1916 23:00 local.
        {"Europe/Berlin", 30, 4, 1916, 21 * 3600, 60},
        {"Europe/Berlin", 30, 4, 1916, 22 * 3600, 120},
        // New York's war time all year in 1943.
        {"America/New_York", 15, 1, 1943, 12 * 3600, -240},
    });
}

// A zone given as a POSIX rule string in TZ is the system's zone.
TEST(SystemClock, TzRuleStringIsTheSystemZoneUnix) {
    const QByteArray saved = qgetenv("TZ");
    qputenv("TZ", "EST5EDT,M3.2.0,M11.1.0");
    const SystemClock clock;
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 6, 2020), 0}), -240);
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 1, 3999), 0}), -300);
    if (saved.isNull()) qunsetenv("TZ");
    else qputenv("TZ", saved);
}
#endif

TEST(SystemClock, InvalidZoneLeavesTheInstantInUt) {
    const SystemClock clock{QTimeZone("No/Such_Zone")};
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 7, 2026), 0}), 0);
    EXPECT_TRUE(IsValidDay(clock.LocalNow().Day));
}

// Now is the system's time read in the zone: between the seconds since
// 1970 before and after the reading, moved by the zone's offset.
TEST(SystemClock, NowIsTheSystemTimeInTheZone) {
    const long long epoch = 86400LL * DateToDayNumber(1, 1, 1970);
    const struct {
        const char* zone;
        long long offset;
    } zones[] = {{"UTC", 0}, {"Asia/Calcutta", 19800}, {"Pacific/Honolulu", -36000}};
    for (const auto& zone : zones) {
        const SystemClock clock{QTimeZone(zone.zone)};
        const long long before = epoch + QDateTime::currentSecsSinceEpoch() + zone.offset;
        const DayTime now = clock.LocalNow();
        const long long after = epoch + QDateTime::currentSecsSinceEpoch() + zone.offset;
        const long long read = 86400LL * now.Day + now.Second;
        EXPECT_GE(read, before) << zone.zone;
        EXPECT_LE(read, after) << zone.zone;
    }
}

}  // namespace
}  // namespace selenara
