#include "toolkit/MoonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace selenara {
namespace {

const QColor kDark(66, 76, 108);       // unlit disc: dim grey-blue, still seen on the night sky
const QColor kRim(150, 162, 192);      // the new moon's outline
const QColor kLit(255, 250, 236);      // near-white, faintly warm
const QColor kBlue(0x8c, 0xe2, 0xff);  // blue moon: a paler kin of the light-blue texts

// The lit part of a disc of radius r about the origin, lit on the right. The
// terminator is the half-ellipse x = e * sqrt(r^2 - y^2): e > 0 a crescent,
// e < 0 gibbous, e = 0 a half disc. Lit share of the disc: (1 - e) / 2.
QPainterPath LitRight(qreal r, qreal e) {
    QPainterPath path(QPointF(0, -r));
    path.arcTo(QRectF(-r, -r, 2 * r, 2 * r), 90, -180);  // top, right limb, bottom
    const qreal a = std::abs(e) * r;
    path.arcTo(QRectF(-a, -r, 2 * a, 2 * r), -90, e > 0 ? 180 : -180);  // back to the top
    path.closeSubpath();
    return path;
}

}  // namespace

void PaintMoon(QPainter& painter, int index, qreal sizePx) {
    if (index < kNewMoonIcon || index > kBlueMoonIcon) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal half = sizePx / 2.0;
    const qreal r = half - std::max(0.5, sizePx / 32.0);  // room for the antialiased edge
    painter.translate(half, half);
    const QRectF disc(-r, -r, 2 * r, 2 * r);

    if (index == kFullMoonIcon || index == kBlueMoonIcon) {
        painter.setBrush(index == kBlueMoonIcon ? kBlue : kLit);
        painter.drawEllipse(disc);
    } else if (index == kNewMoonIcon) {
        const qreal w = std::max(1.0, sizePx / 16.0);
        painter.setBrush(kDark);
        painter.setPen(QPen(kRim, w));
        painter.drawEllipse(disc.adjusted(w / 2, w / 2, -w / 2, -w / 2));
    } else {
        painter.setBrush(kDark);
        painter.drawEllipse(disc);
        const double age = (index - 1) / 28.0;  // fraction of the synodic month
        if (age > 0.5) painter.scale(-1, 1);    // waning: lit on the left
        painter.setBrush(kLit);
        painter.drawPath(LitRight(r, std::cos(2 * std::numbers::pi * age)));
    }
    painter.restore();
}

QImage MoonIcon(int index, int sizePx, qreal devicePixelRatio) {
    if (sizePx < 1 || !(devicePixelRatio > 0)) return QImage();
    const int side = std::max(1, static_cast<int>(std::lround(sizePx * devicePixelRatio)));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);
    // In logical pixels; the painter scales by the device pixel ratio.
    QPainter painter(&image);
    PaintMoon(painter, index, sizePx);
    return image;
}

QIcon TrayMoonIcon(int index) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(MoonIcon(index, size)));
    return icon;
}

}  // namespace selenara
