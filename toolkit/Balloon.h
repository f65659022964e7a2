// A balloon: a rounded black box with a white border and white text, shown
// beside a screen point. One is open at a time; the next mouse button, wheel
// or key press anywhere, or a change of activation, closes it.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace selenara {

class Balloon : public QWidget {
    Q_OBJECT
public:
    // Closes the open balloon, if any, and shows a new one beside `anchor`:
    // above and to the right of it when that fits the screen, else below
    // left, below right, above left (also when nothing fits).
    static Balloon* ShowAt(const QPoint& anchor, const QString& text, const QFont& font);
    static Balloon* Current();
    QString Text() const { return text_; }

    // Where a box of `size` goes beside `anchor` within `screen`.
    static QPoint Placement(const QPoint& anchor, const QSize& size, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Balloon(const QString& text, const QFont& font);
    QString text_;
    static QPointer<Balloon> current_;
};

}  // namespace selenara
