#include "calendarview/DayHint.h"

#include "astro/Observer.h"
#include "support/FixedClock.h"
#include "toolkit/Balloon.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace selenara {
namespace {

using testing::FixedClock;

const FixedClock& Berlin() {
    static const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    return clock;
}

TSettings Place(const char* city, Observer at) {
    TSettings s;
    s.City = city;
    s.Longitude = at.Longitude;
    s.Latitude = at.Latitude;
    return s;
}

// Whole texts, written out. The times are the moon's at the place in
// Berlin's clock time, cut to the minute (15 January 2007 at 8.85 E,
// 47.83 N: rise 5:08:34, set 12:56:51).
struct WholeText {
    const char* name;
    int day, month, year;
    LanguageId language;
    TSettings place;
    const char* expected;
};

const WholeText WholeTexts[] = {
    {"GermanDefaultPlace", 15, 1, 2007, German, TSettings{},
     "15. Januar 2007\nDeutschland / Aach/Hegau/Singen\nMondaufgang:   5:08\nMonduntergang:  12:56"},
    {"EnglishDefaultPlace", 15, 1, 2007, English, TSettings{},
     "January 15, 2007\nGermany / Aach/Hegau/Singen\nMoon Rise:  5:08 AM\nMoon Set:  12:56 PM"},
    // No moonset that day: the rise line ends the text.
    {"NoSet", 24, 1, 2007, German, TSettings{},
     "24. Januar 2007\nDeutschland / Aach/Hegau/Singen\nMondaufgang:  10:24\n"},
    // Up all day: neither line.
    {"NeitherRiseNorSet", 2, 2, 2007, English, Place("Longyearbyen", {.Longitude = 15.6, .Latitude = 80.0}),
     "February 2, 2007\nGermany / Longyearbyen\n"},
    // Above about 60 degrees the moon can rise twice in one local day: both
    // times share the line, in order, only the first padded to the hour's
    // two places.
    {"TwoRisesShareTheLine", 29, 6, 2024, German, Place("Tromso", {.Longitude = 18.96, .Latitude = 69.65}),
     "29. Juni 2024\nDeutschland / Tromso\nMondaufgang:   0:14, 23:46\nMonduntergang:  14:23"},
};

class DayHintWholeText : public ::testing::TestWithParam<WholeText> {};

TEST_P(DayHintWholeText, Is) {
    const WholeText& t = GetParam();
    EXPECT_EQ(DayHintText(t.day, t.month, t.year, t.language, t.place, Berlin()), QString::fromUtf8(t.expected));
}

INSTANTIATE_TEST_SUITE_P(DayHintText, DayHintWholeText, ::testing::ValuesIn(WholeTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DayHintText, CountryFollowsTheLanguageAndAnUnknownSlotIsGermany) {
    TSettings s;
    s.CountrySlot = 93;
    s.City = "AL,Birmingham";
    EXPECT_TRUE(DayHintText(1, 3, 2007, German, s, Berlin()).contains(QStringLiteral("\nUSA / AL,Birmingham\n")));
    s.CountrySlot = 24;
    EXPECT_TRUE(DayHintText(1, 3, 2007, English, s, Berlin()).contains(QStringLiteral("\nDanmark / ")));
    s.CountrySlot = 2;
    EXPECT_TRUE(DayHintText(1, 3, 2007, German, s, Berlin()).contains(QStringLiteral("\nDeutschland / ")));
    EXPECT_TRUE(DayHintText(1, 3, 2007, 0, s, Berlin()).startsWith(QStringLiteral("Deutschland / ")));
}

TEST(Balloon, PlacementTriesAboveRightFirst) {
    const QRect screen(0, 0, 1000, 800);
    const QSize size(100, 50);
    EXPECT_EQ(Balloon::Placement({500, 400}, size, screen), QPoint(500, 350));  // above right
    EXPECT_EQ(Balloon::Placement({950, 20}, size, screen), QPoint(850, 20));    // below left
    EXPECT_EQ(Balloon::Placement({20, 20}, size, screen), QPoint(20, 20));      // below right
    EXPECT_EQ(Balloon::Placement({950, 790}, size, screen), QPoint(850, 740));  // above left
    EXPECT_EQ(Balloon::Placement({500, 400}, QSize(2000, 2000), screen), QPoint(-1500, -1600));
}

}  // namespace
}  // namespace selenara
