// A transparent label that acts as a command: it turns orange and underlined
// under the mouse and back to white (bold) or light blue when the mouse
// leaves; a click, or Enter or Space while it has the keyboard, emits
// clicked. A link rests light blue whatever its weight.
//
// For keyboard users it is a Tab stop, framed as the arrow buttons are, and
// only when reached by Tab. The frame needs room round the text, so the
// label is FocusMargin pixels larger on every side than its text; the mouse
// reacts to the text alone, as before, and PlaceText puts the text where a
// plain label's would be. A screen reader meets a push button, or a link,
// named by the text.
//
// It draws its one line of text itself rather than being a QLabel: a QLabel
// that takes focus lays its text out through a whole text document, which
// the window's start paid for three words of its menu.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace selenara {

class HoverLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int FocusMargin = 2;

    explicit HoverLabel(QWidget* parent);
    const QString& text() const { return text_; }
    void setText(const QString& text);
    // The text's size in the current font, and the focus margin round it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Moves the label so that its text's top left corner lies at (left, top).
    void PlaceText(int left, int top);
    // The resting look: white bold or light blue regular.
    void SetBoldLook(bool bold);
    bool IsHovered() const { return hovered_; }
    // Back to the resting look at once, as when the mouse leaves.
    void ClearHover();
    // Back to the resting colour only: the font, underline included, stays
    // until the mouse next leaves.
    void RestColour();
    // Rest light blue, bold or not; a screen reader meets a link.
    void SetLinkLook();
    bool IsLink() const { return link_; }
    // What a click does: emits clicked.
    void Activate() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetHovered(bool hovered);
    void ApplyLook();
    QColor RestingColour() const;
    QString text_;
    bool hovered_ = false;
    bool link_ = false;
    bool tabbedTo_ = false;
};

}  // namespace selenara
