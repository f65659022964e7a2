// The user's settings in the Windows registry: key
// HKEY_CURRENT_USER\Software\Vandrel\Selenara\Optionen, one string value
// (REG_SZ) a setting.
//
// Read and written through the Windows API rather than QSettings, which
// would decode a stored text such as "@Variant(...)" into the Qt type it
// names; here such a text, like a value of another registry type, is
// reported and its default used.
#pragma once

#include "settings/Settings.h"

#include <string>

namespace selenara {

class RegistryStore final : public SettingsStore {
public:
    // The settings under HKEY_CURRENT_USER\<programKey>\Optionen. Tests
    // give a key of their own, so that they never touch the user's.
    explicit RegistryStore(std::wstring programKey = L"Software\\Vandrel\\Selenara");

    Value Read(std::string_view key) override;
    bool RemoveGroup() override;
    WriteStatus Write(std::string_view key, const std::string& text) override;
    bool Sync() override;

private:
    std::wstring programKey_;
    std::wstring groupKey_;
};

}  // namespace selenara
