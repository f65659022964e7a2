#include "toolkit/HoverLabel.h"

#include "toolkit/Look.h"

#include <QMouseEvent>

namespace selenara {

HoverLabel::HoverLabel(QWidget* parent) : QLabel(parent) {
    setFont(look::WindowFont());
    ApplyLook();
}

void HoverLabel::SetBoldLook(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    ApplyLook();
}

void HoverLabel::ClearHover() {
    hovered_ = false;
    ApplyLook();
    repaint();
}

void HoverLabel::SetLinkLook() {
    link_ = true;
    setCursor(Qt::PointingHandCursor);
    ApplyLook();
}

void HoverLabel::RestColour() { look::SetTextColor(*this, RestingColour()); }

QColor HoverLabel::RestingColour() const {
    return font().bold() && !link_ ? look::White : look::LightBlue;
}

void HoverLabel::ApplyLook() {
    QFont f = font();
    f.setUnderline(hovered_);
    setFont(f);
    look::SetTextColor(*this, hovered_ ? look::Orange : RestingColour());
}

void HoverLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    ApplyLook();
    QLabel::enterEvent(event);
}

void HoverLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    ApplyLook();
    QLabel::leaveEvent(event);
}

void HoverLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

}  // namespace selenara
