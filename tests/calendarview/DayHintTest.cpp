#include "calendarview/DayHint.h"

#include "app/MainWindow.h"
#include "calendarview/CalendarView.h"
#include "model/MoonDay.h"
#include "support/FixedClock.h"
#include "support/MemoryStore.h"
#include "support/TestWindow.h"
#include "texts/Captions.h"
#include "toolkit/Balloon.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::MemoryStore;

const FixedClock& Berlin() {
    static const FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    return clock;
}

QString Time(SecondOfDay s, bool use24) { return QString::fromStdString(ZeitText(s, use24)); }

TEST(DayHintText, FifteenthOfJanuary2007AtTheDefaultPlace) {
    const TSettings s;
    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(15, 1, 2007), {s.Longitude, s.Latitude}, Berlin());
    ASSERT_TRUE(r.Rises.size() == 1 && r.Sets.size() == 1);
    EXPECT_EQ(DayHintText(15, 1, 2007, German, s, Berlin()),
              QStringLiteral("15. Januar 2007\nDeutschland / Aach/Hegau/Singen\nMondaufgang:  ") +
                  Time(r.Rises[0].Second, true) + QStringLiteral("\nMonduntergang:  ") + Time(r.Sets[0].Second, true));
    EXPECT_EQ(DayHintText(15, 1, 2007, English, s, Berlin()),
              QStringLiteral("January 15, 2007\nGermany / Aach/Hegau/Singen\nMoon Rise:  ") +
                  Time(r.Rises[0].Second, false) + QStringLiteral("\nMoon Set:  ") + Time(r.Sets[0].Second, false));
    EXPECT_TRUE(Time(r.Rises[0].Second, false).endsWith(QStringLiteral("AM")));
}

TEST(DayHintText, MissingEventsLeaveTheirLinesOut) {
    const TSettings s;
    // 24 January 2007 has no moonset here: the rise line ends the text.
    const QString noSet = DayHintText(24, 1, 2007, German, s, Berlin());
    EXPECT_TRUE(noSet.contains(QStringLiteral("Mondaufgang:  ")));
    EXPECT_FALSE(noSet.contains(QStringLiteral("Monduntergang")));
    EXPECT_TRUE(noSet.endsWith(u'\n'));
    TSettings north;
    north.City = "Longyearbyen";
    north.Longitude = 15.6;
    north.Latitude = 80.0;
    EXPECT_EQ(DayHintText(2, 2, 2007, English, north, Berlin()),
              QStringLiteral("February 2, 2007\nGermany / Longyearbyen\n"));
}

// Above about 60 degrees the moon can rise twice in one local day: both
// times share the line, in order (Tromso, 29 June 2024, about 0:15 and 23:47).
TEST(DayHintText, TwoRisesInOneDayShareTheLine) {
    TSettings tromso;
    tromso.City = "Tromso";
    tromso.Longitude = 18.96;
    tromso.Latitude = 69.65;
    const LocalRiseSet r = MondAufUntergang(DateToDayNumber(29, 6, 2024), {tromso.Longitude, tromso.Latitude}, Berlin());
    ASSERT_EQ(r.Rises.size(), 2u);
    EXPECT_EQ(r.Rises[0].Second / 3600, 0);
    EXPECT_EQ(r.Rises[1].Second / 3600, 23);
    EXPECT_TRUE(DayHintText(29, 6, 2024, German, tromso, Berlin())
                    .contains(QStringLiteral("\nMondaufgang:  ") + Time(r.Rises[0].Second, true) + QStringLiteral(", ") +
                              Time(r.Rises[1].Second, true) + u'\n'));
}

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

TEST(Balloon, OneAtATimeAndClickedDaysOpenIt) {
    MemoryStore store;
    FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    MainWindow window(clock, store, [](const std::string&) {}, [] { return true; });
    window.show();
    DayGrid& grid = window.Calendar().Grid();
    const auto click = [&grid](int row, int column) { testing::ClickDay(grid, row, column); };
    // December 2026: the first row's Monday is empty, its Tuesday is the 1st.
    click(1, 1);
    EXPECT_EQ(Balloon::Current(), nullptr);
    click(1, 2);
    QPointer<Balloon> first = Balloon::Current();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Text().startsWith(QStringLiteral("1. Dezember 2026\n")));
    click(2, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(Balloon::Current(), nullptr);
    EXPECT_TRUE(Balloon::Current()->Text().startsWith(QStringLiteral("8. Dezember 2026\n")));
    Balloon::Current()->close();
}

// The anchor counts from the window's outer frame: its left edge plus the
// number's left and width - 13; its top plus the frame's whole extra height
// plus the number's top + 14. It moves with the window.
TEST(Balloon, AnchoredFromTheOuterFrame) {
    MemoryStore store;
    FixedClock clock(testing::WinterNoon(), testing::EuropeBerlin);
    MainWindow window(clock, store, [](const std::string&) {}, [] { return true; });
    window.show();
    DayGrid& grid = window.Calendar().Grid();
    QPoint anchor;
    QObject::connect(&grid, &DayGrid::dayClicked, &grid, [&anchor](int, QPoint at) { anchor = at; });
    for (const QPoint topLeft : {QPoint(40, 30), QPoint(200, 120)}) {
        window.move(topLeft);
        testing::ClickDay(grid, 2, 2);
        const QRect frame = window.frameGeometry();
        const QRect number = DayGrid::NumberRect(2, 2);
        const QPoint label = grid.mapTo(&window, number.topLeft());
        EXPECT_EQ(anchor, QPoint(frame.left() + label.x() + number.width() - 13,
                                 frame.top() + frame.height() - window.height() + label.y() + 14));
        EXPECT_NE(frame, window.geometry()) << "a frame to count from";
        if (Balloon::Current()) Balloon::Current()->close();
    }
}

}  // namespace
}  // namespace selenara
