#include "texts/SpokenDay.h"

#include "support/FixedClock.h"

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;

// The phase instants, rounded to the minute, agree with the US Naval
// Observatory's tables of moon phases (2026 Dec 9 00:52 UT, Dec 24 01:28,
// Dec 30 18:59; 1999 Jan 31 16:07); the cells show the minute begun.
TEST(SpokenDay, WholeDateTodayAndPhaseInBothLanguages) {
    const FixedClock berlin(testing::Local(DateToDayNumber(9, 12, 2026), 12), testing::EuropeBerlin);
    const FixedClock utc(testing::WinterNoon(), testing::Utc);
    const TMonat december = MonatAufbauen(12, 2026, TodayDayNumber(berlin), berlin);
    const TMonat january = MonatAufbauen(1, 1999, TodayDayNumber(utc), utc);
    const struct {
        const TMonat& month;
        int day;
        const char *german, *english;
    } rows[] = {
        {december, 9, "Mittwoch, 9. Dezember 2026, heute, Neumond, 1:51",
         "Wednesday, December 9, 2026, today, New Moon, 1:51 AM"},
        {december, 10, "Donnerstag, 10. Dezember 2026", "Thursday, December 10, 2026"},
        {december, 24, "Donnerstag, 24. Dezember 2026, Vollmond, 2:28",
         "Thursday, December 24, 2026, Full Moon, 2:28 AM"},
        {december, 30, "Mittwoch, 30. Dezember 2026, Letztes Viertel, 19:59",
         "Wednesday, December 30, 2026, Last Quarter, 7:59 PM"},
        {january, 31, "Sonntag, 31. Januar 1999, Blauer Mond, 16:06",
         "Sunday, January 31, 1999, Blue Moon, 4:06 PM"},
    };
    for (const auto& r : rows) {
        const Date date{r.day, r.month.Monat, r.month.Jahr};
        EXPECT_EQ(SpokenDay(date, r.month.Tage[r.day], German), r.german);
        EXPECT_EQ(SpokenDay(date, r.month.Tage[r.day], English), r.english);
    }
    EXPECT_EQ(SpokenDay({}, december.Tage[9], German), "");
}

}  // namespace
}  // namespace selenara
