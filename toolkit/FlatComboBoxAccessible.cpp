#include "toolkit/FlatComboBoxAccessible.h"

#include "toolkit/AccessibleFactory.h"
#include "toolkit/FlatComboBox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace selenara {
namespace {

class FlatComboBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit FlatComboBoxAccessible(FlatComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The name is the entry, as for Qt's own combo box; the caption comes
    // through the label relation.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Value) return Box()->currentText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = Box()->view()->isVisible();
        return state;
    }

    // The pop-up list is the one child, as in Qt's own combo box.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == Box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) Box()->showPopup();
    }

    // The entry as read-only text without a caret or selection.
    QString text(int startOffset, int endOffset) const override {
        return Box()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Box()->currentText().size()); }
    void selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}
    // NOLINTNEXTLINE(bugprone-easily-swappable-parameters): Qt's interface
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = offset < characterCount() ? characterCount() : offset;
        return {};
    }

private:
    FlatComboBox* Box() const { return static_cast<FlatComboBox*>(widget()); }
};

}  // namespace

void InstallFlatComboBoxAccessible() { InstallAccessible<FlatComboBox, FlatComboBoxAccessible>(); }

}  // namespace selenara
