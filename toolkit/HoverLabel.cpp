#include "toolkit/HoverLabel.h"

#include "toolkit/AccessibleFactory.h"
#include "toolkit/Look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace selenara {
namespace {

// A command, not a caption: a push button (a link in the about box) named by
// its text, with the press action a screen reader offers for buttons.
class HoverLabelAccessible final : public QAccessibleWidget {
public:
    explicit HoverLabelAccessible(HoverLabel* label)
        : QAccessibleWidget(label, label->IsLink() ? QAccessible::Link : QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && Label()->accessibleName().isEmpty()) return Label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction())
            Label()->Activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    HoverLabel* Label() const { return static_cast<HoverLabel*>(widget()); }
};

}  // namespace

HoverLabel::HoverLabel(QWidget* parent) : QWidget(parent) {
    InstallAccessible<HoverLabel, HoverLabelAccessible>();
    setFont(look::WindowFont());
    setContentsMargins(FocusMargin, FocusMargin, FocusMargin, FocusMargin);
    // Tab only: a click must not leave a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
    // The hand and the hover look follow the text, not the frame's margin.
    setMouseTracking(true);
    ApplyLook();
}

void HoverLabel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
    // As a label does: a screen reader that names it by its text hears the new one.
    if (accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QSize HoverLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return QFontMetrics(font()).size(0, text_) + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void HoverLabel::PlaceText(int left, int top) { move(left - FocusMargin, top - FocusMargin); }

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
    if (hovered_)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void HoverLabel::SetHovered(bool hovered) {
    if (hovered == hovered_) return;
    hovered_ = hovered;
    ApplyLook();
}

void HoverLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
    if (tabbedTo_ && hasFocus()) look::DrawFocusFrame(painter, rect());
}

void HoverLabel::enterEvent(QEnterEvent* event) {
    SetHovered(contentsRect().contains(event->position().toPoint()));
    QWidget::enterEvent(event);
}

void HoverLabel::mouseMoveEvent(QMouseEvent* event) {
    SetHovered(contentsRect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void HoverLabel::leaveEvent(QEvent* event) {
    SetHovered(false);
    QWidget::leaveEvent(event);
}

void HoverLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && contentsRect().contains(event->position().toPoint())) Activate();
    QWidget::mouseReleaseEvent(event);
}

void HoverLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier ? event->key() : 0) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            Activate();
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void HoverLabel::focusInEvent(QFocusEvent* event) {
    // A label that comes back from a dialog it opened keeps its frame.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        tabbedTo_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void HoverLabel::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) tabbedTo_ = false;
    update();
    QWidget::focusOutEvent(event);
}

}  // namespace selenara
