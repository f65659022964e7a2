#include "toolkit/ArrowGlyphs.h"

#include <QImage>

#include <gtest/gtest.h>

namespace selenara {
namespace {

// The colour of the arrow's most opaque pixel (inside the triangle).
QRgb Fill(bool right, int state) {
    const QImage image = ArrowGlyph(right, state).toImage();
    QRgb best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > qAlpha(best)) best = image.pixel(x, y);
    return best;
}

TEST(ArrowGlyphsTest, SizeShapeAndMirroring) {
    for (int state = 0; state <= 4; ++state) {
        const QImage right = ArrowGlyph(true, state).toImage();
        EXPECT_EQ(right.size(), QSize(22, 18)) << state;
        EXPECT_EQ(qAlpha(right.pixel(11, 0)) > 0, state == 4) << state;  // only Focused has a frame
        EXPECT_EQ(right.mirrored(true, false), ArrowGlyph(false, state).toImage()) << state;
    }
    // Pointing right: tall at its base on the left, narrowing to the tip at x = 15.
    const QImage right = ArrowGlyph(true, 0).toImage();
    EXPECT_GT(qAlpha(right.pixel(9, 5)), 128);
    EXPECT_EQ(qAlpha(right.pixel(14, 5)), 0);
    EXPECT_GT(qAlpha(right.pixel(13, 9)), 128);
    EXPECT_EQ(qAlpha(right.pixel(16, 9)), 0);
    EXPECT_EQ(ArrowGlyph(false, 1, 2.0).size(), QSize(44, 36));
}

TEST(ArrowGlyphsTest, StateColours) {
    EXPECT_EQ(Fill(true, 0), qRgb(0x69, 0xDD, 0xFF));
    EXPECT_EQ(Fill(true, 1), qRgb(0xFF, 0x9C, 0x00));
    EXPECT_LT(qGray(Fill(true, 2)), qGray(Fill(true, 1)));  // pressed: darker, still orange
    EXPECT_GT(qRed(Fill(true, 2)), qBlue(Fill(true, 2)));
    EXPECT_LT(qBlue(Fill(true, 3)) - qRed(Fill(true, 3)), 20);  // disabled: grey, not blue
    EXPECT_EQ(Fill(true, 4), Fill(true, 0));
    EXPECT_EQ(Fill(true, 99), Fill(true, 0));
}

}  // namespace
}  // namespace selenara
