// A transparent label that turns orange and underlined under the mouse and
// back to white (bold) or light blue when the mouse leaves; emits clicked.
// A link rests light blue whatever its weight.
#pragma once

#include <QColor>
#include <QLabel>

namespace selenara {

class HoverLabel : public QLabel {
    Q_OBJECT
public:
    explicit HoverLabel(QWidget* parent);
    // The resting look: white bold or light blue regular.
    void SetBoldLook(bool bold);
    bool IsHovered() const { return hovered_; }
    // Back to the resting look at once, as when the mouse leaves.
    void ClearHover();
    // Back to the resting colour only: the font, underline included, stays
    // until the mouse next leaves.
    void RestColour();
    // Rest light blue, bold or not, with the hand cursor.
    void SetLinkLook();

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyLook();
    QColor RestingColour() const;
    bool hovered_ = false;
    bool link_ = false;
};

}  // namespace selenara
