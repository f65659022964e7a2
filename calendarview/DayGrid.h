// The 6x7 day cells of the calendar page, painted by one widget: the day
// number (white bold for today, light blue otherwise, orange and underlined
// under the mouse), the phase name and its clock time, and the moon icon in
// the cell's top right corner. One widget instead of four labels a cell keeps
// the window's start and each month's refill cheap.
#pragma once

#include "toolkit/MoonIcons.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>

namespace selenara {

struct DayCell {
    int Day = 0;  // day of the month shown in the cell, 0 for none
    QString Phase;
    QString Zeit;
    int Icon = kEmptyIcon;
    bool Today = false;
    QString Spoken;  // what a screen reader says for the day, empty for none
};

class DayGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int Rows = 6, Columns = 7;
    // A cell, the column of its texts (number, phase and clock time) and its
    // moon icon, square in the top right corner.
    static constexpr int CellWidth = 71, CellHeight = 52, TextWidth = 68, IconSize = 16;
    static constexpr int Width = 498, Height = CellHeight * Rows;
    using Cells = std::array<DayCell, std::size_t{Rows} * Columns>;

    explicit DayGrid(QWidget* parent);

    // New contents; the hover look is cleared.
    void SetCells(const Cells& cells);
    // Row and column count from 1.
    const DayCell& CellAt(int row, int column) const { return cells_[Index(row, column)]; }
    // Where a cell's texts and icon lie, in the grid's coordinates.
    static QRect NumberRect(int row, int column);
    static QRect PhaseRect(int row, int column) { return NumberRect(row, column).translated(0, 15); }
    static QRect ZeitRect(int row, int column) { return NumberRect(row, column).translated(0, 30); }
    static QRect IconRect(int row, int column);
    // The whole cell of index (row - 1) * Columns + (column - 1).
    static QRect CellRect(int index) {
        return {CellWidth * (index % Columns), CellHeight * (index / Columns), CellWidth, CellHeight};
    }

    // The day whose number is under the mouse, 0 for none.
    int HoveredDay() const { return hovered_ >= 0 ? cells_[hovered_].Day : 0; }
    // Back to the resting look at once, as when the mouse leaves.
    void ClearHover();
    // The keyboard's day, 0 for none; a day not in the month is clamped into it.
    int FocusDay() const { return focus_ >= 0 ? cells_[focus_].Day : 0; }
    void SetFocusDay(int day);
    // The cell of the keyboard's day, -1 for none.
    int FocusIndex() const { return focus_; }

signals:
    // A day number was clicked; anchor is the point beside its top right
    // corner, in global coordinates, where the day's balloon points.
    void dayClicked(int day, QPoint anchor);
    // A key moved the focus out of the month: forward to the next month or
    // back to the previous one. day counts from the shown month's first day:
    // 0 and below lie before it, above its last day after it; a day within
    // the month asks for the same day number, as Page Up and Page Down do.
    void monthStepRequested(bool forward, int day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    static int Index(int row, int column) { return (row - 1) * Columns + (column - 1); }
    static QRect NumberRectOf(int index) { return NumberRect(index / Columns + 1, index % Columns + 1); }
    // The cell whose day number lies under pos, -1 for none or an empty cell.
    int CellUnder(QPoint pos) const;
    void SetHovered(int index);
    const QPixmap& Icon(int index);
    // Where the balloon of a cell's day points, in global coordinates.
    QPoint AnchorOf(int index) const;
    int IndexOfDay(int day) const;
    int LastDay() const;
    void MoveFocusTo(int day);
    // Tells a screen reader which day has the focus, when the grid has it.
    void AnnounceFocus();

    Cells cells_{};
    int hovered_ = -1;
    int focus_ = -1;          // cell of the keyboard's day
    bool keyboardFocus_ = false;  // framed only when reached by keyboard
    std::array<QPixmap, kEmptyIcon + 1> icons_{};  // drawn when first needed
    qreal iconRatio_ = 0;                          // the device pixel ratio they were drawn for
};

}  // namespace selenara
