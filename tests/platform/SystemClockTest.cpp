#include "platform/SystemClock.h"

#include "support/Instants.h"

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
        const UtDayTime ut{DateToDayNumber(c.day, c.month, c.year), SecondOfDay{c.utSecond}};
        EXPECT_EQ(clock.UtcOffsetSecondsAt(ut), c.seconds)
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

// The tz database's history, on Windows too (Windows' own zone data keeps
// about one rule per zone before 2006 and no local mean time).
TEST(SystemClock, OffsetOfEarlierYearsIsTheirOwn) {
    ExpectOffsets({
        // Local mean time, seconds and all: 0:53:28, -4:56:02, 10:04:52.
        {"Europe/Berlin", 1, 1, 1600, 0, 3208},
        {"America/New_York", 1, 1, 1600, 0, -17762},
        {"Australia/Sydney", 1, 1, 1600, 0, 36292},
        // The full moon of 4 October 1990, 13:01 UT: summer time had ended
        // on 30 September, not in late October as today's rule has it.
        {"Europe/Berlin", 4, 10, 1990, 13 * 3600 + 60, 3600},
        // West Germany kept no summer time from 1950 to 1979.
        {"Europe/Berlin", 1, 7, 1977, 12 * 3600, 3600},
        // Samoa skipped 30 December 2011: -10:00 until 10:00 UT, then +14:00.
        {"Pacific/Apia", 30, 12, 2011, 10 * 3600 - 1, -36000},
        {"Pacific/Apia", 30, 12, 2011, 10 * 3600, 50400},
        // Germany's first summer time, from 30 April 1916 23:00 local.
        {"Europe/Berlin", 30, 4, 1916, 21 * 3600, 3600},
        {"Europe/Berlin", 30, 4, 1916, 22 * 3600, 7200},
        // New York's war time all year in 1943.
        {"America/New_York", 15, 1, 1943, 12 * 3600, -14400},
    });
}

// TZ chooses the almanac's zone wherever it names one; anything else leaves
// the system's zone, which on Unix reads TZ's other forms itself.
TEST(SystemClock, TzNamingAZoneChoosesIt) {
    const QByteArray system = QTimeZone::systemTimeZoneId();
    const struct {
        const char* tz;
        QByteArray id;
    } cases[] = {
        {"Australia/Sydney", "Australia/Sydney"}, {"America/Sao_Paulo", "America/Sao_Paulo"},
        {"UTC", "UTC"}, {nullptr, system}, {"", system}, {":Europe/Berlin", system},
        {"No/Such_Zone", system}, {"../../etc/passwd", system},
    };
    for (const auto& c : cases) EXPECT_EQ(ZoneNamedByTz(c.tz).id(), c.id) << (c.tz ? c.tz : "(unset)");
}

// The window's zone is the system's. scripts/windows runs this with
// SELENARA_CHECK_SYSTEM_ZONE set, in a Wine prefix whose zone is Windows'
// "W. Europe Standard Time" and whose user is in Germany.
TEST(SystemClock, WindowsZoneOfGermanyIsBerlin) {
    if (qEnvironmentVariableIsEmpty("SELENARA_CHECK_SYSTEM_ZONE")) GTEST_SKIP() << "only in that prefix";
    EXPECT_EQ(QTimeZone::systemTimeZoneId(), "Europe/Berlin");
    // With its history: the full moon of 4 October 1990, 13:01 UT, at +01:00.
    EXPECT_EQ(SystemClock().UtcOffsetSecondsAt(testing::Ut(DateToDayNumber(4, 10, 1990), 13, 1)), 3600);
}

#ifndef Q_OS_WIN

// A zone given as a POSIX rule string in TZ is the system's zone. Its
// hours are capped at 24, as the C library caps them (`TZ=ABC+25 date +%z`
// prints -2400), so no offset reaches a day past it.
TEST(SystemClock, TzRuleStringIsTheSystemZoneUnix) {
    const QByteArray saved = qgetenv("TZ");
    const struct {
        const char* tz;
        UtDayTime ut;
        int seconds;
    } cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", testing::Ut(DateToDayNumber(1, 6, 2020), 0), -4 * 3600},
        {"EST5EDT,M3.2.0,M11.1.0", testing::Ut(DateToDayNumber(1, 1, 3999), 0), -5 * 3600},
        {"ABC+25", testing::Ut(DateToDayNumber(1, 1, 2026), 0), -24 * 3600},
        {"ABC-24:30", testing::Ut(DateToDayNumber(1, 1, 2026), 0), 24 * 3600 + 30 * 60},
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
    EXPECT_EQ(clock.UtcOffsetSecondsAt(testing::Ut(DateToDayNumber(1, 7, 2026), 0)), 0);
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
