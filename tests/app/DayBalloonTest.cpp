#include "app/MainWindow.h"
#include "support/TestWindow.h"
#include "toolkit/Balloon.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace selenara {
namespace {

using testing::At;
using testing::ClickDay;
using Window = testing::TestWindow;

TEST(DayBalloon, OneAtATimeAndClickedDaysOpenIt) {
    Window w(At(8, 12, 2026));
    DayGrid& grid = w.Calendar().Grid();
    // December 2026: the first row's Monday is empty, its Tuesday is the 1st.
    ClickDay(grid, 1, 1);
    EXPECT_EQ(Balloon::Current(), nullptr);
    ClickDay(grid, 1, 2);
    QPointer<Balloon> first = Balloon::Current();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Text().startsWith(QStringLiteral("1. Dezember 2026\n")));
    ClickDay(grid, 2, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(Balloon::Current(), nullptr);
    EXPECT_TRUE(Balloon::Current()->Text().startsWith(QStringLiteral("8. Dezember 2026\n")));
    Balloon::Current()->close();
}

// The anchor counts from the window's outer frame: its left edge plus the
// number's left and width - 13; its top plus the frame's whole extra height
// plus the number's top + 14. It moves with the window.
TEST(DayBalloon, AnchoredFromTheOuterFrame) {
    Window w(At(8, 12, 2026));
    MainWindow& window = *w.window;
    DayGrid& grid = w.Calendar().Grid();
    QPoint anchor;
    QObject::connect(&grid, &DayGrid::dayClicked, &grid, [&anchor](int, QPoint at) { anchor = at; });
    for (const QPoint topLeft : {QPoint(40, 30), QPoint(200, 120)}) {
        window.move(topLeft);
        ClickDay(grid, 2, 2);
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
