#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "toolkit/Balloon.h"
#include "toolkit/HoverLabel.h"

#include <QAccessible>
#include <QPointer>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using testing::Press;
using testing::TabTo;
using Window = testing::TestWindow;

struct KeyCase {
    int month, year, day;  // the focus day before the key
    int key;
    int wantMonth, wantYear, wantDay;
};

// Steps out of the month follow the arrow buttons: months wrap around the
// year, which stays within 1990..2020.
TEST(DayKeys, MoveTheFocusDayAndStepMonths) {
    const KeyCase cases[] = {
        {12, 2026, 9, Qt::Key_Left, 12, 2026, 8},
        {12, 2026, 9, Qt::Key_Down, 12, 2026, 16},
        {12, 2026, 9, Qt::Key_Home, 12, 2026, 1},
        {12, 2026, 9, Qt::Key_End, 12, 2026, 31},
        {2, 2016, 29, Qt::Key_Right, 3, 2016, 1},
        {3, 2016, 3, Qt::Key_Up, 2, 2016, 25},  // 3 - 7 + 29
        {3, 2016, 31, Qt::Key_PageUp, 2, 2016, 29},
        {12, 2020, 31, Qt::Key_Right, 1, 2020, 1},
        {12, 2020, 28, Qt::Key_Down, 1, 2020, 4},
        {1, 1990, 1, Qt::Key_Left, 12, 1990, 31},
        {1, 1990, 15, Qt::Key_PageUp, 12, 1990, 15},
        {12, 2020, 15, Qt::Key_PageDown, 1, 2020, 15},
    };
    for (const KeyCase& k : cases) {
        Window w(At(k.day, k.month, k.year));
        DayGrid& grid = w.Calendar().Grid();
        TabTo(w);
        grid.SetFocusDay(k.day);
        Press(grid, k.key);
        const ShownMonth shown = w.Calendar().Shown();
        EXPECT_EQ(shown, (ShownMonth{k.wantMonth, k.wantYear})) << k.day << "." << k.month << "." << k.year;
        EXPECT_EQ(grid.FocusDay(), k.wantDay) << k.day << "." << k.month << "." << k.year << " key " << k.key;
    }
}

// The whole Tab ring from the stop that has the focus at start: the menu
// row, which stands above the lists, comes last, so right before them. The
// menu labels are push buttons named by their texts.
TEST(DayKeys, TheMenuRowClosesTheTabRingBeforeTheMonthList) {
    Window w(At(9, 12, 2026));
    QWidget* start = w.window->focusWidget();
    ASSERT_NE(start, nullptr);
    QStringList ring;
    QWidget* stop = start;
    do {
        ring << (stop->objectName().isEmpty() ? QString::fromLatin1(stop->metaObject()->className())
                                              : stop->objectName());
        do stop = stop->nextInFocusChain();
        while (!(stop->focusPolicy() & Qt::TabFocus) || !stop->isVisibleTo(w.window.get()));
    } while (stop != start && ring.size() < 30);
    EXPECT_EQ(ring.join(u' '),
              QStringLiteral("cbMonat cbJahr btnPrevMonat btnNextMonat btnPrevJahr btnNextJahr selenara::DayGrid "
                             "sbLore lblBeenden lblOptionen lblUeber"));
    for (const char* name : {"lblBeenden", "lblOptionen", "lblUeber"}) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w.Named<QWidget>(name));
        ASSERT_NE(reader, nullptr) << name;
        EXPECT_EQ(reader->role(), QAccessible::Button) << name;
        EXPECT_EQ(reader->text(QAccessible::Name), w.Named<HoverLabel>(name)->text()) << name;
    }
}

TEST(DayKeys, TabReachesTheGridAfterTheNavigationRow) {
    Window w(At(9, 12, 2026));
    // The next widget Tab can reach; the platform decides whether Tab
    // reaches more than the lists, so the chain is walked here.
    QWidget* next = w.Button("btnNextJahr")->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, &w.Calendar().Grid());
    EXPECT_EQ(w.Calendar().Grid().focusPolicy(), Qt::TabFocus) << "a click must not focus the days";
}

TEST(DayKeys, EnterOpensTheFocusDaysHintAtItsClickAnchor) {
    Window w(At(9, 12, 2026));
    DayGrid& grid = w.Calendar().Grid();
    QPoint keyAnchor, clickAnchor;
    int keyDay = 0;
    QObject::connect(&grid, &DayGrid::dayClicked, &grid, [&](int day, QPoint at) {
        keyDay = day;
        keyAnchor = at;
    });
    TabTo(w);
    grid.SetFocusDay(8);
    for (const int key : {Qt::Key_Return, Qt::Key_Space}) {
        Press(grid, key);
        EXPECT_EQ(keyDay, 8);
        ASSERT_NE(Balloon::Current(), nullptr);
        EXPECT_TRUE(Balloon::Current()->Text().startsWith(QStringLiteral("8. Dezember 2026\n")));
        QPointer<Balloon> balloon = Balloon::Current();
        Press(*balloon, Qt::Key_Escape);
        EXPECT_FALSE(balloon && balloon->isVisible()) << "Escape closes it";
        // December 2026 starts on a Tuesday: the 8th is row 2, column 2.
        testing::ClickDay(grid, 2, 2);
        clickAnchor = keyAnchor;
        Press(grid, key);
        EXPECT_EQ(keyAnchor, clickAnchor);
        if (Balloon::Current()) Balloon::Current()->close();
    }
}

// The frame is for keyboard users only: the grid painted after Tab differs,
// after a click it is today's look.
TEST(DayKeys, FrameOnlyWhenReachedByKeyboard) {
    Window w(At(9, 12, 2026));
    DayGrid& grid = w.Calendar().Grid();
    const QImage before = grid.grab().toImage();
    TabTo(w);
    ASSERT_EQ(grid.FocusDay(), 9);
    const QImage framed = grid.grab().toImage();
    EXPECT_NE(framed, before);
    Press(grid, Qt::Key_Return);
    ASSERT_NE(Balloon::Current(), nullptr);
    Press(*Balloon::Current(), Qt::Key_Escape);
    EXPECT_EQ(grid.grab().toImage(), framed) << "the frame stays when the balloon closes";
    grid.clearFocus();
    EXPECT_EQ(grid.grab().toImage(), before);
    testing::ClickDay(grid, 2, 2);
    if (Balloon::Current()) Balloon::Current()->close();
    grid.ClearHover();
    EXPECT_FALSE(grid.hasFocus());
    EXPECT_EQ(grid.grab().toImage(), before) << "a click leaves no frame";
}

}  // namespace
}  // namespace selenara
