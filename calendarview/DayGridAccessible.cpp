#include "calendarview/DayGridAccessible.h"

#include "calendarview/DayGrid.h"
#include "toolkit/AccessibleFactory.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <array>

namespace selenara {
namespace {

constexpr int CellCount = DayGrid::Rows * DayGrid::Columns;

class DayCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    DayCellAccessible(DayGrid* grid, int index) : grid_(grid), index_(index) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && grid_ ? Cell().Spoken : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}
    QRect rect() const override {
        if (!grid_) return {};
        const QRect cell = DayGrid::CellRect(index_);
        return {grid_->mapToGlobal(cell.topLeft()), cell.size()};
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!grid_) return state;
        state.invisible = !grid_->isVisible();
        if (Cell().Day <= 0) return state;
        state.focusable = true;
        state.selectable = true;
        state.selected = isSelected();
        state.focused = state.selected && grid_->hasFocus();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    bool isSelected() const override { return grid_ && grid_->FocusIndex() == index_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % DayGrid::Columns; }
    int rowIndex() const override { return index_ / DayGrid::Columns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    const DayCell& Cell() const { return grid_->CellAt(rowIndex() + 1, columnIndex() + 1); }

    QPointer<DayGrid> grid_;
    int index_;
};

class DayGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit DayGridAccessible(DayGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~DayGridAccessible() override {
        for (const QAccessible::Id id : ids_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }
    DayGridAccessible(const DayGridAccessible&) = delete;
    DayGridAccessible& operator=(const DayGridAccessible&) = delete;

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return CellCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= CellCount) return nullptr;
        // Made once and kept by Qt's registry, so that a screen reader
        // meets the same object for a cell every time.
        QAccessible::Id& id = ids_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new DayCellAccessible(Grid(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < CellCount; ++i) {
            const QAccessible::Id id = ids_[static_cast<std::size_t>(i)];
            if (id != 0 && QAccessible::accessibleInterface(id) == child) return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = Grid()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < CellCount; ++i)
            if (DayGrid::CellRect(i).contains(local)) return child(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Grid()->hasFocus() ? child(Grid()->FocusIndex()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= DayGrid::Rows || column < 0 || column >= DayGrid::Columns) return nullptr;
        return child(row * DayGrid::Columns + column);
    }
    int columnCount() const override { return DayGrid::Columns; }
    int rowCount() const override { return DayGrid::Rows; }
    int selectedCellCount() const override { return Grid()->FocusIndex() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (Grid()->FocusIndex() < 0) return {};
        return {child(Grid()->FocusIndex())};
    }
    QString columnDescription(int /*column*/) const override { return {}; }
    QString rowDescription(int /*row*/) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

private:
    DayGrid* Grid() const { return static_cast<DayGrid*>(widget()); }

    mutable std::array<QAccessible::Id, CellCount> ids_{};
};

}  // namespace

void InstallDayGridAccessible() { InstallAccessible<DayGrid, DayGridAccessible>(); }

}  // namespace selenara
