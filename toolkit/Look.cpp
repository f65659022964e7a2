#include "toolkit/Look.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace selenara::look {

QFont WindowFont(bool bold) {
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans Narrow"),
                                    QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans")});
        return true;
    }();
    (void)substituted;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void LoadWindowFonts() {
    for (const bool bold : {false, true}) (void)QFontMetrics(WindowFont(bold)).height();
}

void DrawFocusFrame(QPainter& painter, const QRectF& bounds) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(LightBlue.red(), LightBlue.green(), LightBlue.blue(), 110), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.restore();
}

void SetTextColor(QWidget& widget, const QColor& color) {
    QPalette p = widget.palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    widget.setPalette(p);
}

}  // namespace selenara::look
