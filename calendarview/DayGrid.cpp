#include "calendarview/DayGrid.h"

#include "toolkit/Look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace selenara {

DayGrid::DayGrid(QWidget* parent) : QWidget(parent) {
    setFont(look::WindowFont());
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    resize(Width, Height);
}

QRect DayGrid::NumberRect(int row, int column) { return {71 * (column - 1) + 2, 52 * (row - 1) + 3, 68, 15}; }

QRect DayGrid::IconRect(int row, int column) { return {71 * (column - 1) + 52, 52 * (row - 1), 16, 16}; }

void DayGrid::SetCells(const Cells& cells) {
    cells_ = cells;
    hovered_ = -1;
    setCursor(Qt::ArrowCursor);
    update();
}

void DayGrid::ClearHover() {
    SetHovered(-1);
    repaint();  // before the balloon opens, not after
}

int DayGrid::CellUnder(QPoint pos) const {
    for (int r = 1; r <= Rows; ++r)
        for (int c = 1; c <= Columns; ++c)
            if (cells_[Index(r, c)].Day > 0 && NumberRect(r, c).contains(pos)) return Index(r, c);
    return -1;
}

void DayGrid::SetHovered(int index) {
    if (index == hovered_) return;
    if (hovered_ >= 0) update(NumberRectOf(hovered_));
    if (index >= 0) update(NumberRectOf(index));
    hovered_ = index;
    setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

const QPixmap& DayGrid::Icon(int index) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != iconRatio_) {
        icons_ = {};
        iconRatio_ = ratio;
    }
    QPixmap& icon = icons_[index];
    if (icon.isNull()) icon = QPixmap::fromImage(MoonIcon(index, 16, ratio));
    return icon;
}

void DayGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QFont regular = font();
    QFont bold = regular;
    bold.setBold(true);
    const QRect dirty = event->rect();
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 1; c <= Columns; ++c) {
            const DayCell& cell = cells_[Index(r, c)];
            if (cell.Day <= 0 || !dirty.intersects(QRect(NumberRect(r, c).topLeft(), QSize(68, 48)))) continue;
            const bool hovered = Index(r, c) == hovered_;
            QFont number = cell.Today ? bold : regular;
            number.setUnderline(hovered);
            painter.setFont(number);
            painter.setPen(hovered ? look::Orange : cell.Today ? look::White : look::LightBlue);
            painter.drawText(NumberRect(r, c), Qt::AlignHCenter | Qt::AlignTop, QString::number(cell.Day));
            if (cell.Phase.isEmpty()) continue;
            painter.setFont(regular);
            painter.setPen(look::White);
            painter.drawText(PhaseRect(r, c), Qt::AlignHCenter | Qt::AlignTop, cell.Phase);
            painter.drawText(ZeitRect(r, c), Qt::AlignHCenter | Qt::AlignTop, cell.Zeit);
            // Above the day number, as the icon is the cell's topmost part.
            if (cell.Icon >= 1 && cell.Icon < kEmptyIcon) painter.drawPixmap(IconRect(r, c), Icon(cell.Icon));
        }
    }
}

void DayGrid::mouseMoveEvent(QMouseEvent* event) {
    SetHovered(CellUnder(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void DayGrid::leaveEvent(QEvent* event) {
    SetHovered(-1);
    QWidget::leaveEvent(event);
}

void DayGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int index = event->button() == Qt::LeftButton ? CellUnder(event->position().toPoint()) : -1;
    if (index >= 0) {
        ClearHover();
        // Beside the number's top right, counted from the window's outer
        // frame: its left edge, and its top plus all the frame's height.
        const QRect number = NumberRectOf(index);
        const QWidget* w = window();
        const QPoint label = mapTo(w, number.topLeft());
        const QRect frame = w->frameGeometry();
        emit dayClicked(cells_[index].Day,
                        QPoint(frame.left() + label.x() + number.width() - 13,
                               frame.top() + (frame.height() - w->height()) + label.y() + 14));
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace selenara
