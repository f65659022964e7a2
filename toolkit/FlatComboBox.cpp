#include "toolkit/FlatComboBox.h"

#include "toolkit/FlatComboBoxAccessible.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>

namespace selenara {
namespace {

// The pop-up as a plain list below the field, in a plain one-pixel frame.
class ListBelowStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        if (hint == SH_ComboBox_PopupFrameStyle) return QFrame::Box | QFrame::Plain;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

FlatComboBox::FlatComboBox(QWidget* parent, const FlatLook& look) : QComboBox(parent), look_(look) {
    InstallFlatComboBoxAccessible();
    if (!look_.SelectedText.isValid()) look_.SelectedText = look_.Text;
    if (!look_.FocusBorder.isValid()) look_.FocusBorder = look_.Border;
    auto* style = look_.ArrowBox > 0 ? new ListBelowStyle : nullptr;
    if (style) setStyle(style);
    QPalette p = palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, look.Background);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, look.Text);
    p.setColor(QPalette::Highlight, look_.Selection);
    p.setColor(QPalette::HighlightedText, look_.SelectedText);
    setPalette(p);
    // The last child: destroyed after the pop-up that uses it.
    if (style) style->setParent(this);
}

void FlatComboBox::showPopup() {
    // The pop-up list is made when first opened, not at the start.
    view()->setPalette(palette());
    QComboBox::showPopup();
}

void FlatComboBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), look_.Background);
    painter.setPen(hasFocus() ? look_.FocusBorder : look_.Border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    // The room the triangle takes at the right, and its centre.
    int arrowRoom = 14;
    QPointF centre(width() - arrowRoom / 2.0 - 1, height() / 2.0);
    if (look_.ArrowBox > 0) {
        arrowRoom = look_.ArrowBox + 2;
        painter.setPen(look_.Border);
        painter.drawLine(width() - arrowRoom, 1, width() - arrowRoom, height() - 2);
        centre = QPointF(width() - 1 - look_.ArrowBox / 2.0, height() / 2.0 + 1);
    }
    painter.setPen(look_.Text);
    painter.drawText(rect().adjusted(4, 0, -arrowRoom, 0), Qt::AlignLeft | Qt::AlignVCenter, currentText());

    // A 7 x 4 triangle pointing down.
    QPainterPath arrow(centre + QPointF(0, 2));
    arrow.lineTo(centre + QPointF(-3.5, -2));
    arrow.lineTo(centre + QPointF(3.5, -2));
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, look_.Text);
}

}  // namespace selenara
