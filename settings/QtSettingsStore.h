// The settings store on Qt's QSettings: the registry key
// HKEY_CURRENT_USER\Software\Vandrel\Selenara\Optionen on Windows, the
// native settings file (~/.config/Vandrel/Selenara.conf) elsewhere.
#pragma once

#include "settings/Settings.h"

#include <QSettings>

namespace selenara {

class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();

    Value Read(std::string_view key) override;
    bool RemoveGroup() override;
    WriteStatus Write(std::string_view key, const std::string& text) override;
    bool Sync() override;

private:
    QSettings settings_;
};

}  // namespace selenara
