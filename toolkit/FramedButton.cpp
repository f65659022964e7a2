#include "toolkit/FramedButton.h"

#include "toolkit/Look.h"

#include <QPainter>
#include <QStyle>

namespace selenara {

FramedButton::FramedButton(QWidget* parent) : QPushButton(parent) {
    QPalette p = palette();
    p.setColor(QPalette::Button, look::Black);
    p.setColor(QPalette::ButtonText, look::White);
    p.setColor(QPalette::Highlight, look::LightBlue);
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void FramedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::ButtonText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    style()->drawItemText(&painter, rect().adjusted(2, 2, -2, -2), Qt::AlignCenter, palette(), isEnabled(), text(),
                          QPalette::ButtonText);
}

}  // namespace selenara
