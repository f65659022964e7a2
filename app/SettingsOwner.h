// The program's one settings record: loaded from the store at the start,
// changed only here, and written back at a regular exit. Widgets read it
// through Current() and hear of changes through the signals.
#pragma once

#include "settings/Settings.h"

#include <QObject>

namespace selenara {

class SettingsOwner : public QObject {
    Q_OBJECT
public:
    // Loads the record from `store`, which must outlive the owner; the
    // store's messages go to `report`.
    SettingsOwner(SettingsStore& store, SettingsMessage report, QObject* parent = nullptr);

    const UserSettings& Current() const { return record_; }
    LanguageId Language() const { return record_.Language; }

    // A language chosen in the options takes effect at once, even should
    // the options be cancelled then.
    void SetLanguage(LanguageId language);
    // The options confirmed: a new language is announced first, then the
    // settings as a whole, even when nothing differs (an OK renews the texts).
    void Apply(const UserSettings& settings);
    // Writes the record to the store.
    void Save();

signals:
    void languageChanged(LanguageId language);
    void settingsApplied();

private:
    // MainWindow::Settings lets tests set a value unannounced.
    friend class MainWindow;

    SettingsStore& store_;
    SettingsMessage report_;
    UserSettings record_;
};

}  // namespace selenara
