// One accessible interface for the widgets of one class, as a screen reader
// should meet them rather than as Qt's generic widget presents them.
#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QObject>
#include <QString>

namespace selenara {

// Installs, once per program, a factory that gives `Interface` (constructed
// from the widget) for every object of exactly the class `Widget`; a
// subclass keeps what Qt or its own factory gives it. Call it from the
// widget's constructor, so that it is installed before any reader asks.
template <class Widget, class Interface>
void InstallAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (className != QLatin1String(Widget::staticMetaObject.className())) return nullptr;
            auto* widget = qobject_cast<Widget*>(object);
            return widget ? new Interface(widget) : nullptr;
        });
        return true;
    }();
    Q_UNUSED(installed)
}

}  // namespace selenara
