#include "app/LorePanels.h"
#include "app/MainWindow.h"
#include "app/Tray.h"
#include "calendarview/DayGrid.h"
#include "support/TestWindow.h"
#include "toolkit/Look.h"

#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using testing::FixedClock;
using testing::MemoryStore;

// The mouse moved to pos in widget.
void Move(QWidget& widget, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

// Whether the widget, as drawn now, has a pixel of exactly that colour in rect.
bool Shows(QWidget& widget, const QRect& rect, const QColor& color) {
    const QImage image = widget.grab(rect).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == color.rgb()) return true;
    return false;
}

using Window = testing::TestWindow;

TEST(CalendarPage, FirstColumnFollowsTheLanguage) {
    Window de(At(15, 6, 2025));  // 1 June 2025 is a Sunday
    EXPECT_EQ(de.DayAt(1, 1), 0);
    EXPECT_EQ(de.DayAt(1, 7), 1);
    EXPECT_EQ(de.DayAt(2, 1), 2);
    Window en(At(15, 6, 2025), English);
    EXPECT_EQ(en.DayAt(1, 1), 1);
    EXPECT_EQ(en.DayAt(1, 7), 7);
    EXPECT_EQ(en.DayAt(2, 1), 8);
}

TEST(CalendarPage, RowsUsedByShortAndLongMonths) {
    Window feb(At(10, 2, 2021));  // February 2021 starts on a Monday
    EXPECT_EQ(feb.DayAt(1, 1), 1);
    EXPECT_EQ(feb.DayAt(4, 7), 28);
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(feb.DayAt(5, c) + feb.DayAt(6, c), 0);
    Window aug(At(10, 8, 2021));  // August 2021 starts on a Sunday
    EXPECT_EQ(aug.DayAt(6, 1), 30);
    EXPECT_EQ(aug.DayAt(6, 2), 31);
    DayGrid& grid = aug.Calendar().Grid();
    Move(grid, DayGrid::NumberRect(6, 2).center());
    EXPECT_EQ(grid.cursor().shape(), Qt::PointingHandCursor);
    Move(grid, DayGrid::NumberRect(6, 3).center());  // the empty cell after the 31st
    EXPECT_EQ(grid.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(grid.HoveredDay(), 0);
}

TEST(CalendarPage, PhaseCellsAndTodayInBold) {
    Window w(At(8, 12, 2026, 10));
    // Full moon 24 December 2026, 01:28 UT: 02:28 in Berlin; 24 is a Thursday.
    const DayCell& full = w.Calendar().CellAt(4, 4);
    EXPECT_EQ(full.Day, 24);
    EXPECT_EQ(full.Phase, QStringLiteral("Vollmond"));
    EXPECT_EQ(full.Zeit, QStringLiteral(" 2:28"));
    EXPECT_EQ(full.Icon, 15);
    const DayCell& today = w.Calendar().CellAt(2, 2);
    EXPECT_EQ(today.Day, 8);
    EXPECT_TRUE(today.Today);
    w.Button("btnPrevMonat")->click();  // previous month: no bold number
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 7; ++c) EXPECT_FALSE(w.Calendar().CellAt(r, c).Today);
    w.Button("btnNextMonat")->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 2026}));
    EXPECT_TRUE(w.Calendar().CellAt(2, 2).Today);
}

TEST(CalendarPage, HoverLookOfTodaysNumber) {
    Window w(At(8, 12, 2026));
    DayGrid& grid = w.Calendar().Grid();
    const QRect today = DayGrid::NumberRect(2, 2);
    EXPECT_TRUE(Shows(grid, today, look::White));
    Move(grid, today.center());
    EXPECT_EQ(grid.HoveredDay(), 8);
    EXPECT_TRUE(Shows(grid, today, look::Orange));  // the underline at least is solid orange
    EXPECT_FALSE(Shows(grid, DayGrid::NumberRect(2, 3), look::Orange));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&grid, &leave);
    EXPECT_EQ(grid.HoveredDay(), 0);
    EXPECT_FALSE(Shows(grid, today, look::Orange));
    EXPECT_TRUE(Shows(grid, today, look::White));
}

TEST(Navigation, LimitsAndTheYearListOfACurrentYearOutsideIt) {
    Window w(At(8, 12, 2026));
    EXPECT_EQ(w.List("cbJahr")->currentIndex(), -1);  // 2026 is not in the list
    EXPECT_EQ(w.List("cbMonat")->currentIndex(), 11);
    GlyphButton* nextYear = w.Button("btnNextJahr");
    GlyphButton* prevYear = w.Button("btnPrevJahr");
    nextYear->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 2026}));
    prevYear->click();
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 2025}));
    for (int i = 0; i < 5; ++i) prevYear->click();
    EXPECT_EQ(w.Calendar().Shown().CurJahr, 2020);
    EXPECT_EQ(w.List("cbJahr")->currentText(), QStringLiteral("2020"));
    w.Button("btnNextMonat")->click();  // December 2020, next month: January 2020
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{1, 2020}));
    EXPECT_EQ(w.List("cbMonat")->currentIndex(), 0);
    w.List("cbJahr")->setCurrentIndex(0);  // choosing 1990 keeps the month
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{1, 1990}));
    w.Button("btnPrevMonat")->click();  // January 1990, previous month: December 1990
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 1990}));
    EXPECT_EQ(w.Calendar().AktMonat().Monat, 12);
    EXPECT_EQ(w.Calendar().AktMonat().Jahr, 1990);
}

TEST(Navigation, ArrowButtonsShowHoverPressedAndFocus) {
    Window w(At(8, 12, 2026));
    GlyphButton* next = w.Button("btnNextMonat");
    EXPECT_EQ(next->State(), ArrowState::Normal);
    EXPECT_TRUE(Shows(*next, next->rect(), look::LightBlue));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(next, &enter);
    EXPECT_EQ(next->State(), ArrowState::Hover);
    EXPECT_TRUE(Shows(*next, next->rect(), look::Orange));
    next->setDown(true);  // held: pressed, though the mouse is on it
    EXPECT_EQ(next->State(), ArrowState::Pressed);
    EXPECT_TRUE(Shows(*next, next->rect(), QColor(0xB8, 0x6C, 0x00)));
    next->setDown(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(next, &leave);
    QApplication::setActiveWindow(w.window.get());
    next->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(next->hasFocus());
    EXPECT_EQ(next->State(), ArrowState::Normal);  // no frame nobody asked for
    w.Button("btnPrevMonat")->setFocus(Qt::TabFocusReason);
    next->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(next->State(), ArrowState::Focused);
    next->setEnabled(false);
    EXPECT_EQ(next->State(), ArrowState::Disabled);
}

TEST(Panels, HeightsAndPositions) {
    Window w(At(8, 12, 2026));
    EXPECT_EQ(w.window->height(), 523);
    TSettings& s = w.window->Settings().Settings;
    s.ShowInfoText = false;
    w.window->ArrangePanels();
    EXPECT_EQ(w.window->height(), 486);
    EXPECT_EQ(w.Calendar().Grid().y() + DayGrid::IconRect(1, 1).y(), 148);
    s.ShowLore = false;
    w.window->ArrangePanels();
    EXPECT_EQ(w.window->height(), 416);
    EXPECT_EQ(w.Calendar().Grid().y() + DayGrid::NumberRect(1, 1).y(), 81);
    EXPECT_EQ(w.List("cbMonat")->y(), 392);
}

TEST(Panels, InformationRotatesThroughTheCategories) {
    Window w(At(8, 12, 2026));
    LorePanels& panels = w.window->Panels();
    EXPECT_EQ(panels.Picks().InfoCategory, 1);  // the first show picked Moon Bites
    const int order[] = {2, 3, 4, 1};
    for (const int category : order) {
        panels.ShowNewInfoText();
        EXPECT_EQ(panels.Picks().InfoCategory, category);
    }
    w.window->Settings().Settings.ShowInfoText = false;
    panels.ShowNewInfoText();
    EXPECT_EQ(panels.Picks().InfoCategory, 1);
}

TEST(Lifecycle, CloseAndMinimizeHideToTheTray) {
    Window w(At(8, 12, 2026));
    EXPECT_EQ(w.window->findChild<Tray*>(), nullptr);  // not before the window is drawn
    QPaintEvent paint(w.window->rect());
    QApplication::sendEvent(w.window.get(), &paint);
    QCoreApplication::processEvents();
    Tray* tray = w.window->findChild<Tray*>();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray, &w.window->TrayIcon());
    EXPECT_FALSE(tray->RestoreOffered());
    w.window->close();
    EXPECT_TRUE(w.window->isHidden());
    EXPECT_TRUE(tray->RestoreOffered());
    w.Button("btnNextMonat")->click();
    w.window->Restore();
    EXPECT_TRUE(w.window->isVisible());
    EXPECT_FALSE(tray->RestoreOffered());
    EXPECT_EQ(w.Calendar().Shown(), (ShownMonth{12, 2026}));  // back on today's month
    EXPECT_EQ(w.store.values.size(), 1u);  // only what the test stored: nothing written before an exit
}

TEST(Lifecycle, MinimizeHidesToTheTrayOrWithoutATrayStaysOnTheTaskbar) {
    Window w(At(8, 12, 2026));
    w.window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.window->isHidden());
    EXPECT_TRUE(w.window->TrayIcon().RestoreOffered());

    MemoryStore store;
    FixedClock clock(At(8, 12, 2026), testing::Utc);
    MainWindow noTray(clock, store, [](const std::string&) {}, [] { return false; });
    noTray.show();
    noTray.close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(noTray.isHidden());
    EXPECT_TRUE(noTray.isMinimized());
}

// The session manager ends the program with a Quit event: the window closes
// and writes nothing. Once that has passed without the program ending (a
// log-off asked about and cancelled), the close box hides to the tray again.
TEST(Lifecycle, OnlyTheEndOfTheSessionClosesWithoutExit) {
    Window w(At(8, 12, 2026));
    Tray& tray = w.window->TrayIcon();
    QEvent quit(QEvent::Quit);
    EXPECT_FALSE(w.window->eventFilter(qApp, &quit));  // seen, never consumed
    w.window->close();
    EXPECT_TRUE(w.window->isHidden());
    EXPECT_FALSE(tray.RestoreOffered());
    EXPECT_EQ(w.store.values.size(), 1u);  // nothing written

    QCoreApplication::processEvents();  // the quit did not happen after all
    w.window->Restore();
    w.window->close();
    EXPECT_TRUE(w.window->isHidden());
    EXPECT_TRUE(tray.RestoreOffered());
}

TEST(Lifecycle, TrayTipAfterMidnight) {
    Window w(At(23, 12, 2026, 23));
    Tray* tray = &w.window->TrayIcon();
    EXPECT_EQ(tray->ToolTip(), QStringLiteral("Selenara"));
    w.clock.SetNow(At(24, 12, 2026, 0));
    tray->Refresh();
    EXPECT_EQ(tray->ToolTip(), QStringLiteral("Vollmond"));
    EXPECT_EQ(tray->IconNumber(), 15);
    // The grid keeps yesterday's highlight until the page is rebuilt.
    EXPECT_TRUE(w.Calendar().CellAt(4, 3).Today);
}

TEST(Lifecycle, ExitWritesTheSettingsOnce) {
    Window w(At(8, 12, 2026));
    w.window->Exit();
    EXPECT_EQ(w.store.values.size(), 14u);
    EXPECT_EQ(w.store.syncs, 1);
}

}  // namespace
}  // namespace selenara
