// The main window for widget tests: shown, on a fixed clock in Berlin and a
// store in memory, with the navigation row and day clicks at hand.
#pragma once

#include "app/MainWindow.h"
#include "calendarview/CalendarView.h"
#include "calendarview/DayGrid.h"
#include "support/FixedClock.h"
#include "support/MemoryStore.h"
#include "toolkit/GlyphButton.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace selenara::testing {

inline LocalDayTime At(int day, int month, int year, int hour = 12) {
    return Local(DateToDayNumber(day, month, year), hour);
}

// A click on a day number, as far as the grid looks at it: the left button's release.
inline void ClickDay(DayGrid& grid, int row, int column) {
    const QPoint at = DayGrid::NumberRect(row, column).center();
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&grid, &release);
}

struct TestWindow {
    explicit TestWindow(LocalDayTime now, std::uint8_t language = German) : clock(now, EuropeBerlin) {
        store.Set("SPR", std::to_string(language));
        window = std::make_unique<MainWindow>(clock, store, [](const std::string&) {}, [] { return true; });
        window->show();
    }
    CalendarView& Calendar() { return window->Calendar(); }
    // The day shown in a cell, 0 for an empty one.
    int DayAt(int row, int column) { return Calendar().CellAt(row, column).Day; }
    // A control of the window by its object name.
    template <class T>
    T* Named(const char* name) {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        if (!widget) ADD_FAILURE() << "no " << name;
        return widget;
    }
    // "cbMonat" or "cbJahr".
    QComboBox* List(const char* name) { return Named<QComboBox>(name); }
    // "btnPrevMonat", "btnNextMonat", "btnPrevJahr" or "btnNextJahr".
    GlyphButton* Button(const char* name) { return Named<GlyphButton>(name); }

    FixedClock clock;
    MemoryStore store;
    std::unique_ptr<MainWindow> window;
};

// Focus as Tab gives it from the last arrow button, in the active window
// (whose activation may have focused the grid already, without a frame).
inline void TabTo(TestWindow& w) {
    QApplication::setActiveWindow(w.window.get());
    w.Button("btnNextJahr")->setFocus(Qt::TabFocusReason);
    w.Calendar().Grid().setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(w.Calendar().Grid().hasFocus());
}

inline void Press(QWidget& widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

}  // namespace selenara::testing
