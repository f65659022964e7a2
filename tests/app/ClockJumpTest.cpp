// The system clock set forward and back while the program runs, and "today"
// at the first and last minute the astronomy covers.
#include "app/MainWindow.h"
#include "app/Tray.h"
#include "calendarview/DayHint.h"
#include "support/TestWindow.h"
#include "toolkit/Balloon.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using testing::TestWindow;

// After one round of the tray's timer, on the clock's new date.
struct TrayState {
    int icon;
    QString tip;
    friend bool operator==(const TrayState&, const TrayState&) = default;
    friend void PrintTo(const TrayState& s, std::ostream* os) { *os << s.icon << " \"" << s.tip.toStdString() << '"'; }
};
TrayState JumpTo(TestWindow& w, LocalDayTime now) {
    w.clock.SetNow(now);
    Tray& tray = w.window->TrayIcon();
    tray.Refresh();
    return {tray.IconNumber(), tray.ToolTip()};
}

TEST(ClockJump, TrayFollowsEveryChangeOfDateForwardAndBack) {
    // New moon 11 August 1999, 11:08 UT (the total solar eclipse).
    TestWindow w(At(11, 8, 1999));
    EXPECT_EQ(w.window->TrayIcon().IconNumber(), 1);
    EXPECT_EQ(w.window->TrayIcon().ToolTip(), QStringLiteral("Selenara"));
    EXPECT_EQ(JumpTo(w, At(11, 8, 1999, 23)), (TrayState{1, QStringLiteral("Selenara")}));  // same date
    EXPECT_EQ(JumpTo(w, At(15, 8, 1999)), (TrayState{5, QStringLiteral("Zunehmend, Gebogen")}));
    // Full moon 24 December 2026, 02:28 in Berlin; four days later waning.
    EXPECT_EQ(JumpTo(w, At(24, 12, 2026)), (TrayState{15, QStringLiteral("Vollmond")}));
    EXPECT_EQ(JumpTo(w, At(28, 12, 2026)), (TrayState{19, QStringLiteral("Abnehmend, Gewölbt")}));
    // Full moon 21 January 2000, 04:40 UT (a total lunar eclipse).
    EXPECT_EQ(JumpTo(w, At(21, 1, 2000, 6)), (TrayState{15, QStringLiteral("Vollmond")}));
    // Back to the first date: now the phase is named, not the program.
    EXPECT_EQ(JumpTo(w, At(11, 8, 1999)), (TrayState{1, QStringLiteral("Neumond")}));
    EXPECT_EQ(JumpTo(w, At(28, 12, 2026)), (TrayState{19, QStringLiteral("Abnehmend, Gewölbt")}));
}

// Whether today's cell in the grid shows a phase; the tray's picture must
// then be that phase's (1, 8, 15, 22) and otherwise a day counted from one.
void ExpectTrayAgreesWithTheGrid(TestWindow& w, int row, int column) {
    const DayCell& today = w.Calendar().CellAt(row, column);
    ASSERT_TRUE(today.Today);
    const int icon = w.window->TrayIcon().IconNumber();
    EXPECT_GE(icon, 1);
    EXPECT_LE(icon, 28);
    const bool phaseIcon = icon == 1 || icon == 8 || icon == 15 || icon == 22;
    EXPECT_EQ(phaseIcon, !today.Phase.isEmpty()) << icon << ' ' << today.Phase.toStdString();
}

// A click on the day opens a balloon naming it; the balloon is closed again.
void ExpectDayHint(TestWindow& w, int row, int column, const QString& dateLine) {
    testing::ClickDay(w.Calendar().Grid(), row, column);
    QPointer<Balloon> balloon = Balloon::Current();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->Text().startsWith(dateLine + QStringLiteral("\nDeutschland / Aach/Hegau/Singen\n")))
        << balloon->Text().toStdString();
    balloon->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(balloon.isNull());
}

TEST(ClockJump, TheLastMinuteOf3999) {
    TestWindow w(testing::Local(LastDay, 23, 59));
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 3999}));
    EXPECT_EQ(w.List("cbJahr")->currentIndex(), -1);
    EXPECT_EQ(w.DayAt(5, 5), 31);  // a Friday
    ExpectTrayAgreesWithTheGrid(w, 5, 5);
    ExpectDayHint(w, 5, 5, QStringLiteral("31. Dezember 3999"));
    EXPECT_EQ(w.window->TrayIcon().ToolTip(), QStringLiteral("Selenara"));

    // No year after 3999: a month on wraps within it, a year on stays.
    w.Button("btnNextMonat")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{1, 3999}));
    EXPECT_EQ(w.DayAt(1, 5), 1);
    w.Button("btnPrevMonat")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 3998}));
    w.Button("btnPrevJahr")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 3997}));
    w.Button("btnNextJahr")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 3997}));  // only towards the list's years

    // A minute later the clock is past the range and reads as its last
    // second: the tray stays on the last day.
    EXPECT_EQ(JumpTo(w, testing::Local(LastDay + 1, 0)), (TrayState{10, QStringLiteral("Selenara")}));
}

TEST(ClockJump, TheFirstMinuteOf1600) {
    TestWindow w(testing::Local(FirstDay, 0));
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{1, 1600}));
    EXPECT_EQ(w.DayAt(1, 6), 1);  // a Saturday
    ExpectTrayAgreesWithTheGrid(w, 1, 6);
    ExpectDayHint(w, 1, 6, QStringLiteral("1. Januar 1600"));

    w.Button("btnPrevMonat")->click();  // no year before 1600: December of the same year
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 1600}));
    w.Button("btnPrevJahr")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 1600}));
    w.Button("btnNextJahr")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 1601}));

    // From the first day to the last and back: the tray follows both ways,
    // and the window, hidden and restored, is back on today's month.
    w.clock.SetNow(testing::Local(LastDay, 23, 59));
    w.window->TrayIcon().Refresh();
    w.clock.SetNow(testing::Local(FirstDay, 0));
    w.window->TrayIcon().Refresh();
    w.window->close();
    w.window->Restore();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{1, 1600}));
    ExpectTrayAgreesWithTheGrid(w, 1, 6);
}

// A clock that moves on a second at every reading, from 31 January 2027,
// 23:59:59 in Berlin: midnight falls between any two readings.
class TickingClock final : public ZoneClock {
public:
    UtDayTime UtNow() const override { return UtDayTime::OfSecondCount(SecondCount(first_) + readings_++); }
    int UtcOffsetSecondsAt(UtDayTime ut) const override { return testing::EuropeBerlin(ut); }

private:
    UtDayTime first_ = testing::Ut(DateToDayNumber(31, 1, 2027), 22, 59, 59);
    mutable int readings_ = 0;
};

// The page reads today once: the month it shows and its today mark agree,
// even when midnight falls between two readings of the clock.
TEST(ClockJump, TheShownMonthAndItsTodayMarkComeFromOneReading) {
    const TickingClock clock;
    QWidget parent;
    CalendarView view(&parent, clock);
    view.ShowToday();
    view.Rebuild();
    EXPECT_EQ(view.Shown(), (ShownMonth{1, 2027}));
    EXPECT_EQ(view.AktMonat().Tage[31].Heute, 1);
}

// A clock that reads a day outside 1600..3999 (or none): the window shows the
// nearer end of the range, and no step of the navigation leaves it.
TEST(ClockJump, AClockOutsideTheRangeShowsItsNearerEnd) {
    struct Case {
        DayNumber today;
        ShownMonth shown, afterNextMonth, afterPrevMonth;
    };
    const Case cases[] = {
        {InvalidDay, {1, 1600}, {2, 1600}, {12, 1600}},
        {-4000, {1, 1600}, {2, 1600}, {12, 1600}},
        {LastDay + 400, {12, 3999}, {1, 3999}, {11, 3998}},
    };
    for (const Case& c : cases) {
        TestWindow w(testing::Local(c.today, 0));
        EXPECT_EQ(w.Calendar().Shown(), c.shown) << c.today;
        EXPECT_GT(w.Calendar().AktMonat().AnzahlTage, 0) << "the grid has days";
        w.Button("btnNextMonat")->click();
        EXPECT_EQ(w.Calendar().Shown(), c.afterNextMonth) << c.today;
        w.Button("btnPrevMonat")->click();
        w.Button("btnPrevMonat")->click();
        EXPECT_EQ(w.Calendar().Shown(), c.afterPrevMonth) << c.today;
    }
}

}  // namespace
}  // namespace selenara
