#include "toolkit/GlyphButton.h"

#include <QFocusEvent>
#include <QPainter>

namespace selenara {

GlyphButton::GlyphButton(QWidget* parent, bool pointsRight)
    : QAbstractButton(parent), pointsRight_(pointsRight) {
    setFixedSize(kArrowWidth, kArrowHeight);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

ArrowState GlyphButton::State() const {
    if (!isEnabled()) return ArrowState::Disabled;
    if (isDown()) return ArrowState::Pressed;
    if (hovered_) return ArrowState::Hover;
    if (tabbedTo_ && hasFocus()) return ArrowState::Focused;
    return ArrowState::Normal;
}

void GlyphButton::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != glyphRatio_) {
        glyphs_ = {};
        glyphRatio_ = ratio;
    }
    const auto state = static_cast<std::size_t>(State());
    if (glyphs_[state].isNull()) glyphs_[state] = ArrowGlyph(pointsRight_, State(), ratio);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(0, 0, glyphs_[state]);
}

void GlyphButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GlyphButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}


void GlyphButton::focusInEvent(QFocusEvent* event) {
    tabbedTo_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void GlyphButton::focusOutEvent(QFocusEvent* event) {
    tabbedTo_ = false;
    QAbstractButton::focusOutEvent(event);
}

}  // namespace selenara
