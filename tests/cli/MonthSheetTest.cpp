#include "cli/MonthSheet.h"

#include "support/Instants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace selenara {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A table without phases, today on `today` when it is non-zero.
TMonat PlainTable(int month, int year, int today = 0) {
    TMonat table;
    table.Monat = month;
    table.Jahr = year;
    table.AnzahlTage = static_cast<std::uint8_t>(DaysInMonth(month, year));
    for (int d = 1; d <= table.AnzahlTage; ++d)
        table.Tage[d].Wochentag = static_cast<std::uint8_t>(WeekdayOfDate(d, month, year));
    if (today != 0) table.Tage[today].Heute = 1;
    return table;
}

TEST(MonthSheet, WeekCountFollowsTheFirstWeekdayOfTheLanguage) {
    // February and March 2026 begin on a Sunday: the first column in
    // English, the last in German.
    const struct {
        int Month, Year;
        LanguageId Language;
        std::size_t Weeks;
        std::string FirstWeek, LastWeek;
    } cases[] = {
        {2, 2026, English, 4, "  1   2   3   4   5   6   7", " 22  23  24  25  26  27  28"},
        {2, 2026, German, 5, "                          1", " 23  24  25  26  27  28"},
        {3, 2026, German, 6, "                          1", " 30  31"},
        {2, 2024, German, 5, "              1   2   3   4", " 26  27  28  29"},
        {2, 2021, German, 4, "  1   2   3   4   5   6   7", " 22  23  24  25  26  27  28"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines =
            Lines(MonthSheet(PlainTable(c.Month, c.Year), c.Language));
        ASSERT_EQ(lines.size(), 2 + c.Weeks) << c.Month << '/' << c.Year;
        EXPECT_EQ(lines[2], c.FirstWeek) << c.Month << '/' << c.Year;
        EXPECT_EQ(lines.back(), c.LastWeek) << c.Month << '/' << c.Year;
    }
}

TEST(MonthSheet, TodayBracketsTakeTheSeparatorsEvenAtTheEdges) {
    const struct {
        int Today;
        LanguageId Language;
        std::string Week;
    } cases[] = {
        {1, English, "[ 1 ] 2   3   4   5   6   7"},  // 1 February 2026, a Sunday
        {7, English, "  1   2   3   4   5   6 [ 7 ]"},
        {1, German, "                        [ 1 ]"},
        {2, German, "[ 2 ] 3   4   5   6   7   8"},
        {17, German, " 16 [17@]18  19  20  21  22"},  // the new moon's mark inside
    };
    for (const auto& c : cases) {
        TMonat table = PlainTable(2, 2026, c.Today);
        table.Tage[17].Phase = PhaseKind::NewMoon;
        const std::vector<std::string> lines = Lines(MonthSheet(table, c.Language));
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.Week), lines.end()) << c.Week;
    }
}

TEST(MonthSheet, CaptionIsCentredByCharactersNotOctets) {
    // "März 2026" is nine characters (ten octets) over the 29 columns.
    EXPECT_EQ(Lines(MonthSheet(PlainTable(3, 2026), German)).at(0), "          März 2026");
    EXPECT_EQ(MonthSheet(PlainTable(2, 1599), German), "");
}

TEST(PhaseEventList, TwelveHourTimesRightAligned) {
    const DayNumber day = DateToDayNumber(30, 12, 2026);
    const std::vector<PhaseEvent> events = {
        {PhaseKind::NewMoon, {}, testing::Local(day, 7, 9, 59)},
        {PhaseKind::LastQuarter, {}, testing::Local(day, 20)},
        {PhaseKind::BlueMoon, {}, testing::Local(day, 12, 5)},
    };
    EXPECT_EQ(Lines(PhaseEventList(events, English)),
              (std::vector<std::string>{"@ New Moon       2026-12-30  7:09 AM",
                                        "( Last Quarter   2026-12-30  8:00 PM",
                                        "B Blue Moon      2026-12-30 12:05 PM"}));
}

}  // namespace
}  // namespace selenara
