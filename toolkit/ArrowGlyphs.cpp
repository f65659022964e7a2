#include "toolkit/ArrowGlyphs.h"

#include "toolkit/Look.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace selenara {
namespace {

QColor StateColor(ArrowState state) {
    switch (state) {
        case ArrowState::Hover: return QColor(0xFF, 0x9C, 0x00);
        case ArrowState::Pressed: return QColor(0xB8, 0x6C, 0x00);
        case ArrowState::Disabled: return QColor(0x5C, 0x60, 0x6A);
        default: return QColor(0x69, 0xDD, 0xFF);
    }
}

QImage RightArrow(ArrowState state, qreal dpr) {
    QImage image(static_cast<int>(std::lround(kArrowWidth * dpr)),
                 static_cast<int>(std::lround(kArrowHeight * dpr)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (state == ArrowState::Focused) look::DrawFocusFrame(painter, QRectF(0, 0, kArrowWidth, kArrowHeight));
    const qreal dy = state == ArrowState::Pressed ? 1 : 0;  // pushed in
    painter.setPen(Qt::NoPen);
    painter.setBrush(StateColor(state));
    painter.drawPolygon(QPolygonF({QPointF(8, 4 + dy), QPointF(15, 9 + dy), QPointF(8, 14 + dy)}));
    return image;
}

}  // namespace

QPixmap ArrowGlyph(bool pointsRight, int state, qreal devicePixelRatio) {
    if (!(devicePixelRatio > 0)) devicePixelRatio = 1;
    const auto s = state >= 0 && state <= 4 ? static_cast<ArrowState>(state) : ArrowState::Normal;
    QImage image = RightArrow(s, devicePixelRatio);
    // Mirroring the pixels, not the geometry, keeps both arrows exactly alike.
    if (!pointsRight) image = image.mirrored(true, false);
    return QPixmap::fromImage(image);
}

}  // namespace selenara
