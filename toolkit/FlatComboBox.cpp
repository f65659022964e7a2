#include "toolkit/FlatComboBox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPainterPath>

namespace selenara {

FlatComboBox::FlatComboBox(QWidget* parent, const FlatLook& look) : QComboBox(parent), look_(look) {
    QPalette p = palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, look.Background);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        p.setColor(role, look.Text);
    p.setColor(QPalette::Highlight, look.Selection);
    setPalette(p);
    view()->setPalette(p);
}

void FlatComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look_.Background);
    painter.setPen(look_.Border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    constexpr int arrowRoom = 14;
    painter.setPen(look_.Text);
    painter.drawText(rect().adjusted(4, 0, -arrowRoom, 0), Qt::AlignLeft | Qt::AlignVCenter, currentText());

    // A 7 x 4 triangle pointing down, centred in the room at the right.
    const QPointF tip(width() - arrowRoom / 2.0 - 1, height() / 2.0 + 2);
    QPainterPath arrow(tip);
    arrow.lineTo(tip.x() - 3.5, tip.y() - 4);
    arrow.lineTo(tip.x() + 3.5, tip.y() - 4);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, look_.Text);
}

}  // namespace selenara
