// A push button drawn as a framed rectangle: a plain field in a one-pixel
// border with its caption centred, in the palette's Button and ButtonText
// colours (white on black unless set otherwise). It has no look of its own
// under the mouse or while held; while it has the keyboard focus its border
// takes the Highlight colour. It shows the hand cursor, and takes the focus
// by Tab only, so that a click leaves no focus border behind.
#pragma once

#include <QPushButton>

namespace selenara {

class FramedButton : public QPushButton {
    Q_OBJECT
public:
    explicit FramedButton(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace selenara
