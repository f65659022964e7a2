#include "toolkit/FlatScrollBar.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace selenara {
namespace {

const QColor Track{0x05, 0x08, 0x1a};
const QColor Handle{0x2a, 0x3a, 0x70};

void SendMouse(QScrollBar& bar, QEvent::Type type, int y) {
    const QPointF at(6, y);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, bar.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&bar, &event);
}

// Track and handle in their two colours and nothing else: the style-sheet bar
// it replaces drew white arrow boxes into the lore box. With a page as long
// as the range, the handle takes half of the 80-pixel track, and there are no
// arrow buttons, so it reaches both ends.
TEST(FlatScrollBarTest, HandleDrawnWhereTheMouseTakesIt) {
    QScrollBar bar(Qt::Vertical);
    MakeFlat(bar, {Track, Handle});
    bar.setRange(0, 100);
    bar.setPageStep(100);
    bar.resize(bar.sizeHint().width(), 80);
    EXPECT_EQ(bar.width(), 12);
    const struct {
        int value;
        int handleTop;
    } cases[] = {{0, 0}, {50, 20}, {100, 40}};
    for (const auto& c : cases) {
        bar.setValue(c.value);
        const QImage image = bar.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool inHandle = y >= c.handleTop && y < c.handleTop + 40;
                ASSERT_EQ(QColor(image.pixel(x, y)), inHandle ? Handle : Track)
                    << "value " << c.value << " at " << x << "," << y;
            }
    }
    // Dragging the drawn handle by half its free travel moves half the range;
    // a click below it pages down.
    bar.setValue(0);
    SendMouse(bar, QEvent::MouseButtonPress, 20);
    SendMouse(bar, QEvent::MouseMove, 40);
    SendMouse(bar, QEvent::MouseButtonRelease, 40);
    EXPECT_EQ(bar.value(), 50);
    bar.setValue(0);
    SendMouse(bar, QEvent::MouseButtonPress, 70);
    SendMouse(bar, QEvent::MouseButtonRelease, 70);
    EXPECT_EQ(bar.value(), 100);

    // A bar shorter than the handle's least length is all handle.
    bar.resize(12, 8);
    bar.setValue(50);
    const QImage small = bar.grab().toImage();
    EXPECT_EQ(QColor(small.pixel(6, 0)), Handle);
    EXPECT_EQ(QColor(small.pixel(6, 7)), Handle);
}

}  // namespace
}  // namespace selenara
