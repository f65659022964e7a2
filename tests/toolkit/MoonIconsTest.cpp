#include "toolkit/MoonIcons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace selenara {
namespace {

// The pixels are premultiplied, so a half-covered edge pixel counts half.
double Gray(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)); }

TEST(MoonIconsTest, PrincipalPhases) {
    const QImage full = MoonIcon(15, 16);
    EXPECT_EQ(full.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(full.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(full.pixel(8, 8)), 255);
    EXPECT_GT(Gray(full, 8, 8), 235);
    EXPECT_EQ(qAlpha(full.pixel(0, 0)), 0);  // round, on a transparent square

    // New moon: an opaque dark disc, its rim lighter than its middle.
    const QImage fresh = MoonIcon(1, 32);
    EXPECT_EQ(qAlpha(fresh.pixel(16, 16)), 255);
    EXPECT_LT(Gray(fresh, 16, 16), 110);
    EXPECT_GT(Gray(fresh, 16, 1), Gray(fresh, 16, 16) + 40);

    const QImage blue = MoonIcon(29, 16);
    EXPECT_EQ(qAlpha(blue.pixel(8, 8)), 255);
    EXPECT_GT(qBlue(blue.pixel(8, 8)), qRed(blue.pixel(8, 8)) + 40);

    QImage clear(16, 16, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    for (int index : {0, -3, 30, 31, 32}) EXPECT_EQ(MoonIcon(index, 16), clear) << index;
    EXPECT_TRUE(MoonIcon(15, 0).isNull());
}

// The lit share of the disc follows (1 - cos 2 pi f) / 2 with f = (i - 1) / 28: right of
// the centre while waxing, left while waning; the quarters are lit on exactly one half.
TEST(MoonIconsTest, LitPartFollowsThePhase) {
    constexpr int kSize = 64;
    const double lit = Gray(MoonIcon(15, kSize), 32, 32), dark = Gray(MoonIcon(2, kSize), 32, 32);
    const double r = 32 - 2;  // the disc's radius at this size
    double previous = -1;
    for (int i = 2; i <= 28; ++i) {
        const QImage image = MoonIcon(i, kSize);
        double share = 0, moment = 0, left = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QRgb p = image.pixel(x, y);
                const double litness = (qGray(p) - qAlpha(p) / 255.0 * dark) / (lit - dark);
                share += litness;
                moment += litness * (x + 0.5 - kSize / 2.0);
                if (x < kSize / 2) left += litness;
            }
        share /= std::numbers::pi * r * r;
        EXPECT_NEAR(share, (1 - std::cos(2 * std::numbers::pi * (i - 1) / 28)) / 2, 0.02) << i;
        EXPECT_TRUE(i <= 15 ? share > previous : share < previous) << i;
        previous = share;
        EXPECT_TRUE(i == 15 || (moment > 0) == (i < 15)) << i;
        if (i == 8 || i == 22) {
            EXPECT_NEAR(left / (std::numbers::pi * r * r), i == 8 ? 0 : 0.5, 0.02) << i;
        }
    }
}

TEST(MoonIconsTest, HighDensityRendersAtPhysicalSize) {
    const QImage sharp = MoonIcon(8, 16, 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    // Drawn at 32 physical pixels, the disc starts a pixel below the top. Scaled up
    // from 16 pixels, its half-covered top row would have become two.
    EXPECT_EQ(qAlpha(sharp.pixel(16, 0)), 0);
    EXPECT_EQ(qAlpha(sharp.pixel(16, 2)), 255);

    const QList<QSize> sizes = TrayMoonIcon(15).availableSizes();
    for (int side : {16, 22, 24, 32, 48, 64}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

}  // namespace
}  // namespace selenara
