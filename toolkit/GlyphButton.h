// A flat 22 x 18 arrow button that shows the arrow glyph of its state:
// normal, under the mouse, held down, disabled, or focused by Tab (not by
// the window's activation, which would frame a button nobody chose).
#pragma once

#include "toolkit/ArrowGlyphs.h"

#include <QAbstractButton>

#include <array>

namespace selenara {

class GlyphButton : public QAbstractButton {
    Q_OBJECT
public:
    GlyphButton(QWidget* parent, bool pointsRight);

    // The state drawn now; a held button looks pressed even with the mouse on it.
    ArrowState State() const;
    QSize sizeHint() const override { return {kArrowWidth, kArrowHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool pointsRight_;
    bool hovered_ = false;
    bool tabbedTo_ = false;
    std::array<QPixmap, 5> glyphs_{};  // by state, drawn when first shown
    qreal glyphRatio_ = 0;
};

}  // namespace selenara
