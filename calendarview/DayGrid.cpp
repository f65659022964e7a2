#include "calendarview/DayGrid.h"

#include "calendarview/DayGridAccessible.h"
#include "toolkit/Look.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <utility>

namespace selenara {

DayGrid::DayGrid(QWidget* parent) : QWidget(parent) {
    setFont(look::WindowFont());
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    // Tab only: a click shows the day's balloon and must not leave a frame.
    setFocusPolicy(Qt::TabFocus);
    resize(Width, Height);
    InstallDayGridAccessible();
}

QRect DayGrid::NumberRect(int row, int column) {
    return {CellWidth * (column - 1) + 2, CellHeight * (row - 1) + 3, TextWidth, 15};
}

QRect DayGrid::IconRect(int row, int column) {
    return {CellWidth * column - IconSize - 3, CellHeight * (row - 1), IconSize, IconSize};
}

void DayGrid::SetCells(const Cells& cells) {
    const int focusDay = FocusDay();
    const Cells old = std::exchange(cells_, cells);
    if (QAccessible::isActive()) {
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            if (cells_[i].Spoken == old[i].Spoken) continue;
            QAccessibleEvent renamed(this, QAccessible::NameChanged);
            renamed.setChild(static_cast<int>(i));
            QAccessible::updateAccessibility(&renamed);
        }
    }
    hovered_ = -1;
    focus_ = -1;
    if (focusDay > 0) SetFocusDay(focusDay);
    setCursor(Qt::ArrowCursor);
    update();
}

void DayGrid::ClearHover() {
    SetHovered(-1);
    repaint();  // before the balloon opens, not after
}

int DayGrid::IndexOfDay(int day) const {
    for (std::size_t i = 0; i < cells_.size(); ++i)
        if (cells_[i].Day == day) return static_cast<int>(i);
    return -1;
}

int DayGrid::LastDay() const {
    int last = 0;
    for (const DayCell& cell : cells_) last = std::max(last, cell.Day);
    return last;
}

void DayGrid::SetFocusDay(int day) {
    const int last = LastDay();
    const int index = last > 0 ? IndexOfDay(std::clamp(day, 1, last)) : -1;
    if (index == focus_) return;
    if (focus_ >= 0) update(NumberRectOf(focus_));
    if (index >= 0) update(NumberRectOf(index));
    focus_ = index;
    AnnounceFocus();
}

void DayGrid::AnnounceFocus() {
    if (focus_ < 0 || !hasFocus() || !QAccessible::isActive()) return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(focus_);
    QAccessible::updateAccessibility(&event);
}

void DayGrid::MoveFocusTo(int day) {
    const int last = LastDay();
    if (day < 1) emit monthStepRequested(false, day);
    else if (day > last) emit monthStepRequested(true, day);
    else SetFocusDay(day);
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
    if (icon.isNull()) icon = QPixmap::fromImage(MoonIcon(index, IconSize, ratio));
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
            const QRect texts(NumberRect(r, c).topLeft(), QSize(TextWidth, 48));
            if (cell.Day <= 0 || !dirty.intersects(texts)) continue;
            const bool hovered = Index(r, c) == hovered_;
            QFont number = cell.Today ? bold : regular;
            number.setUnderline(hovered);
            painter.setFont(number);
            painter.setPen(hovered ? look::Orange : cell.Today ? look::White : look::LightBlue);
            QRect drawn;
            painter.drawText(NumberRect(r, c), Qt::AlignHCenter | Qt::AlignTop, QString::number(cell.Day), &drawn);
            if (keyboardFocus_ && hasFocus() && Index(r, c) == focus_) {
                // Round the number alone, clear of the moon icon.
                painter.setPen(QPen(look::LightBlue, 1, Qt::DotLine));
                painter.drawRect(drawn.adjusted(-3, 0, 2, -1));
            }
            if (cell.Phase.isEmpty()) continue;
            painter.setFont(regular);
            painter.setPen(look::White);
            painter.drawText(PhaseRect(r, c), Qt::AlignHCenter | Qt::AlignTop, cell.Phase);
            painter.drawText(ZeitRect(r, c), Qt::AlignHCenter | Qt::AlignTop, cell.Zeit);
            // Above the day number, as the icon is the cell's topmost part.
            if (cell.Icon >= kNewMoonIcon && cell.Icon < kEmptyIcon)
                painter.drawPixmap(IconRect(r, c), Icon(cell.Icon));
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
        emit dayClicked(cells_[index].Day, AnchorOf(index));
    }
    QWidget::mouseReleaseEvent(event);
}

QPoint DayGrid::AnchorOf(int index) const {
    // Beside the number's top right, counted from the window's outer
    // frame: its left edge, and its top plus all the frame's height.
    const QRect number = NumberRectOf(index);
    const QWidget* w = window();
    const QPoint label = mapTo(w, number.topLeft());
    const QRect frame = w->frameGeometry();
    return {frame.left() + label.x() + number.width() - 13,
            frame.top() + (frame.height() - w->height()) + label.y() + 14};
}

void DayGrid::keyPressEvent(QKeyEvent* event) {
    const int day = FocusDay();
    if (day == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left: MoveFocusTo(day - 1); break;
        case Qt::Key_Right: MoveFocusTo(day + 1); break;
        case Qt::Key_Up: MoveFocusTo(day - Columns); break;
        case Qt::Key_Down: MoveFocusTo(day + Columns); break;
        case Qt::Key_Home: SetFocusDay(1); break;
        case Qt::Key_End: SetFocusDay(LastDay()); break;
        case Qt::Key_PageUp: emit monthStepRequested(false, day); break;
        case Qt::Key_PageDown: emit monthStepRequested(true, day); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space: emit dayClicked(day, AnchorOf(focus_)); break;
        default: QWidget::keyPressEvent(event); return;
    }
    keyboardFocus_ = true;
}

namespace {
// Focus that leaves for a balloon or another window comes back the same way:
// a keyboard user keeps the frame after Escape.
bool ComesBack(const QFocusEvent* event) {
    return event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
}
}  // namespace

void DayGrid::focusInEvent(QFocusEvent* event) {
    if (!ComesBack(event))
        keyboardFocus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (focus_ < 0) {
        const auto today = std::find_if(cells_.begin(), cells_.end(), [](const DayCell& c) { return c.Today; });
        SetFocusDay(today != cells_.end() ? today->Day : 1);
    }
    if (focus_ >= 0) update(NumberRectOf(focus_));
    QWidget::focusInEvent(event);
    // Qt tells of the grid's focus after this handler: the day must come
    // after that, or a screen reader stops at the table.
    QMetaObject::invokeMethod(this, &DayGrid::AnnounceFocus, Qt::QueuedConnection);
}

void DayGrid::focusOutEvent(QFocusEvent* event) {
    if (!ComesBack(event)) keyboardFocus_ = false;
    if (focus_ >= 0) update(NumberRectOf(focus_));
    QWidget::focusOutEvent(event);
}

}  // namespace selenara
