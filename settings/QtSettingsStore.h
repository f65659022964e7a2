// The settings store on QSettings, in the program's own text-only INI format
// (settings/TextIni.h): group "Optionen" of one settings file. The user's
// store is ~/.config/Vandrel/Selenara.conf, or on Windows the registry key
// HKEY_CURRENT_USER\Software\Vandrel\Selenara (settings/RegistryStore.h).
#pragma once

#include "settings/Settings.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

class QSettings;

namespace selenara {

class QtSettingsStore final : public SettingsStore {
public:
    // The settings file at `fileName`. Only a regular file, or a link to one
    // (written through, so the link stays), is read or written. Anything else
    // in its place, or in the place of the lock file beside it (a folder, a
    // FIFO, a device, a dangling link), reads as no settings, is never opened
    // (so never blocks) and is left as it is: the save says it failed.
    // Writes are held until Sync, which stores them under the file's lock: a
    // lock file that no live process holds is removed at once, and one that
    // a process keeps for over 2 s makes Sync fail, nothing written.
    explicit QtSettingsStore(const QString& fileName);
    ~QtSettingsStore() override;

    Value Read(std::string_view key) override;
    bool RemoveGroup() override;
    WriteStatus Write(std::string_view key, const std::string& text) override;
    bool Sync() override;

private:
    std::unique_ptr<QSettings> settings_;  // none when the path may not be used
    bool removeGroup_ = false;
    std::vector<std::pair<QString, QString>> pending_;  // key path, stored value
};

// The user's settings file: Vandrel/Selenara.conf in the XDG config folder.
QString UserSettingsFile();

// The user's store: the registry on Windows, UserSettingsFile elsewhere.
std::unique_ptr<SettingsStore> OpenUserSettingsStore();

}  // namespace selenara
