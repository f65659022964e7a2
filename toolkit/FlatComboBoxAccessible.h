// What a screen reader meets in a flat drop-down list: a combo box labelled
// by its caption (a QLabel whose buddy it is) that also shows its current
// entry as text, so that the reader says both. Qt's own combo box gives the
// entry only as its name, which a reader drops once a caption labels the
// list, and Qt 6.4 offers no selection for it to read instead.
#pragma once

namespace selenara {

// Installs the interface for every FlatComboBox, once per program.
void InstallFlatComboBoxAccessible();

}  // namespace selenara
