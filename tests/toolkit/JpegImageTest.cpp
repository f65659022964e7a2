#include "toolkit/JpegImage.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace selenara {
namespace {

TEST(JpegImageTest, EveryArtworkDecodesToItsSize) {
    const struct { const char* name; QSize size; } artwork[] = {
        {"background.jpg", {498, 371}}, {"background_lore.jpg", {498, 441}}, {"strip_text.jpg", {498, 64}},
        {"strip_notext.jpg", {498, 27}}, {"lore_fill.jpg", {482, 75}},
    };
    for (const auto& a : artwork) {
        const QImage image = LoadArtwork(a.name);
        EXPECT_EQ(image.size(), a.size) << a.name;
        // What a pixmap holds, every word opaque as the format demands.
        ASSERT_EQ(image.format(), QImage::Format_RGB32) << a.name;
        const auto* words = reinterpret_cast<const QRgb*>(image.constScanLine(a.size.height() / 2));
        for (int x = 0; x < a.size.width(); ++x) ASSERT_EQ(qAlpha(words[x]), 255) << a.name << " x " << x;
        // A night sky: dark, and blue rather than red (catches swapped channels).
        const QRgb corner = image.pixel(a.size.width() - 1, a.size.height() - 1);
        EXPECT_LT(qGray(corner), 60) << a.name;
        EXPECT_GT(qBlue(corner), qRed(corner)) << a.name;
    }
    EXPECT_TRUE(LoadArtwork("missing.jpg").isNull());

    // The navigation band: a lighter line over a flat, very dark band.
    const QImage strip = LoadArtwork("strip_notext.jpg");
    EXPECT_GT(qGray(strip.pixel(250, 0)), qGray(strip.pixel(250, 14)) + 15);
    for (int y = 4; y < 27; ++y) EXPECT_LT(qGray(strip.pixel(250, y)), 20) << y;
}

TEST(JpegImageTest, DamagedDataGivesANullImage) {
    QFile file(QStringLiteral(":/artwork/background.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    EXPECT_FALSE(DecodeJpeg(good).isNull());

    EXPECT_TRUE(DecodeJpeg(QByteArray()).isNull());
    for (qsizetype length : {qsizetype(2), qsizetype(200), good.size() / 2, good.size() - 2})
        EXPECT_TRUE(DecodeJpeg(good.left(length)).isNull()) << length;  // headers, pixels, end marker cut

    QByteArray noise(4096, '\0');
    std::mt19937 random(7);
    for (char& c : noise) c = static_cast<char>(random());
    EXPECT_TRUE(DecodeJpeg(noise).isNull());
    noise.replace(0, 2, "\xFF\xD8");  // a start marker followed by rubbish
    EXPECT_TRUE(DecodeJpeg(noise).isNull());

    QByteArray broken = good;  // a rubbish marker inside the pixel data
    broken.replace(good.size() / 2, 64, QByteArray(64, '\xFF'));
    EXPECT_TRUE(DecodeJpeg(broken).isNull());
}

}  // namespace
}  // namespace selenara
