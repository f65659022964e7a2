// What a screen reader meets in a flat drop-down list: a combo box labelled
// by its caption (a QLabel whose buddy it is) that also shows its current
// entry as text, so that the reader says both. Qt's own combo box gives the
// entry only as its name, which a reader drops once a caption labels the
// list, and Qt 6.4 offers no selection for it to read instead.
#pragma once

#include <QAccessibleInterface>
#include <QString>

namespace selenara {

// For QAccessible::installFactory: the interface of a FlatComboBox.
QAccessibleInterface* FlatComboBoxAccessibleFactory(const QString& className, QObject* object);

}  // namespace selenara
