// A drop-down list drawn flat: its text in one colour on a plain background
// inside a one-pixel border, with a small triangle for the drop-down, and a
// pop-up list in the same colours. Painted by itself rather than through a
// style sheet, whose per-widget style and pixmap cache cost start-up time
// and memory at every repaint.
#pragma once

#include <QColor>
#include <QComboBox>

namespace selenara {

struct FlatLook {
    QColor Text;
    QColor Background;
    QColor Border;
    QColor Selection;          // the pop-up's current row
    QColor SelectedText = {};  // its text; none: Text
    QColor FocusBorder = {};   // the border while the list has the focus; none: Border
    // 0: the triangle lies in the field, and the pop-up opens as a menu with
    // the current entry over the field. Otherwise the triangle has a box this
    // wide of its own at the right, behind a line in the border colour, and
    // the pop-up is a plain list in a border below the field.
    int ArrowBox = 0;
};

class FlatComboBox : public QComboBox {
    Q_OBJECT
public:
    FlatComboBox(QWidget* parent, const FlatLook& look);
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlatLook look_;
};

}  // namespace selenara
