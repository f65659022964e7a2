#include "platform/SystemClock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace selenara {
namespace {

// Zones as POSIX rule strings, so the test needs no zone files.
class SystemClockTest : public ::testing::Test {
protected:
    void UseZone(const char* tz) {
        setenv("TZ", tz, 1);
        tzset();
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
};

TEST_F(SystemClockTest, OffsetAtTheInstantFollowsTheZoneRules) {
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    const SystemClock clock;
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(30, 6, 2007), 13 * 3600}), 120);
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(15, 1, 2007), 0}), 60);
    // The change of 25 March 2007 happens at 01:00 UT.
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(25, 3, 2007), 3599}), 60);
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(25, 3, 2007), 3600}), 120);
    UseZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 6, 2020), 0}), -240);
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 1, 3999), 0}), -300);
    UseZone("UTC0");
    EXPECT_EQ(clock.UtcOffsetMinutesAt({DateToDayNumber(1, 1, 1600), 0}), 0);
}

// Now is the system's time read in the zone: between the seconds since
// 1970 before and after the reading, moved by the zone's offset.
TEST_F(SystemClockTest, NowIsTheSystemTimeInTheZone) {
    const long long epoch = 86400LL * DateToDayNumber(1, 1, 1970);
    const struct {
        const char* tz;
        long long offset;
    } zones[] = {{"UTC0", 0}, {"IST-5:30", 19800}, {"PST8", -28800}};
    for (const auto& zone : zones) {
        UseZone(zone.tz);
        const long long before = epoch + std::time(nullptr) + zone.offset;
        const DayTime now = SystemClock{}.LocalNow();
        const long long after = epoch + std::time(nullptr) + zone.offset;
        const long long read = 86400LL * now.Day + now.Second;
        EXPECT_GE(read, before) << zone.tz;
        EXPECT_LE(read, after) << zone.tz;
    }
}

}  // namespace
}  // namespace selenara
