#include "toolkit/Balloon.h"

#include "toolkit/AccessibleFactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace selenara {
namespace {

constexpr int Padding = 6;
constexpr int Radius = 6;

// A screen reader meets the open balloon as a focused dialog named by its
// text: it holds the keyboard while it is open. A tool tip would not do: a
// popup has no place among the application's windows, and a reader drops a
// focused object without a place unless it is a window of its own kind.
class BalloonAccessible final : public QAccessibleWidget {
public:
    explicit BalloonAccessible(Balloon* balloon) : QAccessibleWidget(balloon, QAccessible::Dialog) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<const Balloon*>(widget())->Text().trimmed()
                                      : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = widget() == Balloon::Current() && widget()->isVisible();
        return state;
    }
};

}  // namespace

QPointer<Balloon> Balloon::current_;

Balloon::Balloon(const QString& text, const QFont& font)
    // A popup holds mouse and keyboard, so the next action anywhere closes it.
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint), text_(text) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(font);
    InstallAccessible<Balloon, BalloonAccessible>();
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft, text_);
    setFixedSize(bounds.width() + 2 * Padding + 1, bounds.height() + 2 * Padding + 1);
}

Balloon* Balloon::Current() { return current_.data(); }

QPoint Balloon::Placement(const QPoint& anchor, const QSize& size, const QRect& screen) {
    const int w = size.width(), h = size.height();
    const QPoint tries[4] = {{anchor.x(), anchor.y() - h},       // above right
                             {anchor.x() - w, anchor.y()},       // below left
                             {anchor.x(), anchor.y()},           // below right
                             {anchor.x() - w, anchor.y() - h}};  // above left
    for (const QPoint& p : tries)
        if (screen.contains(QRect(p, size))) return p;
    return tries[3];
}

Balloon* Balloon::ShowAt(const QPoint& anchor, const QString& text, const QFont& font) {
    if (current_) current_->close();
    auto* balloon = new Balloon(text, font);
    const QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(anchor - QPoint(2000, 2000), QSize(4000, 4000));
    balloon->move(Placement(anchor, balloon->size(), area));
    current_ = balloon;
    balloon->show();
    // The popup takes the keys without taking the focus: say so, so that a
    // screen reader reads the balloon out.
    if (QAccessible::isActive()) {
        QAccessibleEvent focus(balloon, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    return balloon;
}

void Balloon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), Radius, Radius);
    p.fillPath(path, Qt::black);
    p.setPen(QPen(Qt::white, 1));
    p.drawPath(path);
    p.drawText(rect().adjusted(Padding, Padding, -Padding, -Padding), Qt::AlignLeft | Qt::AlignTop, text_);
}

void Balloon::mousePressEvent(QMouseEvent*) { close(); }
void Balloon::wheelEvent(QWheelEvent*) { close(); }
void Balloon::keyPressEvent(QKeyEvent*) { close(); }

}  // namespace selenara
