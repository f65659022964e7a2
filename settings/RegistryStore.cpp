#include "settings/RegistryStore.h"

#include "settings/TextIni.h"

#include <QString>

#include <windows.h>

#include <string>
#include <utility>

namespace selenara {
namespace {

constexpr const wchar_t* Group = L"Optionen";
// No setting is longer; a larger value is somebody else's and not read.
constexpr DWORD MaxValueBytes = 64 * 1024;

std::wstring Wide(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())).toStdWString();
}

// Closes a key when it goes out of scope.
class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (handle_) RegCloseKey(handle_);
    }
    HKEY* Out() { return &handle_; }
    HKEY Get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

}  // namespace

RegistryStore::RegistryStore(std::wstring programKey)
    : programKey_(std::move(programKey)), groupKey_(programKey_ + L'\\' + Group) {}

SettingsStore::Value RegistryStore::Read(std::string_view key) {
    Key group;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, groupKey_.c_str(), 0, KEY_QUERY_VALUE, group.Out()) != ERROR_SUCCESS)
        return {};
    const std::wstring name = Wide(key);
    DWORD type = 0, bytes = 0;
    LONG status = RegQueryValueExW(group.Get(), name.c_str(), nullptr, &type, nullptr, &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return {ReadStatus::Missing, {}};
    if (status != ERROR_SUCCESS) return {ReadStatus::Unreadable, {}};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {ReadStatus::WrongType, {}};
    if (bytes > MaxValueBytes) return {ReadStatus::Unreadable, {}};
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = bytes;
    status = RegQueryValueExW(group.Get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &got);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {ReadStatus::Unreadable, {}};
    data.resize(got / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0') data.pop_back();  // stored with or without its end
    // As the code units stand: QString::fromStdWString drops a leading byte-order mark.
    QString text = QStringView(data).toString();
    if (!UnwrapStoredText(text)) return {ReadStatus::WrongType, {}};
    return {ReadStatus::Text, text.toStdString()};
}

bool RegistryStore::RemoveGroup() {
    Key program;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, programKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        program.Out(), nullptr) != ERROR_SUCCESS)
        return false;
    RegDeleteTreeW(program.Get(), Group);
    return true;
}

SettingsStore::WriteStatus RegistryStore::Write(std::string_view key, const std::string& text) {
    Key group;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, groupKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, group.Out(),
                        nullptr) != ERROR_SUCCESS)
        return WriteStatus::CannotCreateGroup;
    const std::wstring value = WrapStoredText(TextFromUtf8(text)).toStdWString();
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(group.Get(), Wide(key).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()), bytes) != ERROR_SUCCESS)
        return WriteStatus::Refused;
    return WriteStatus::Written;
}

bool RegistryStore::Sync() { return true; }  // the registry keeps each write as it is made

}  // namespace selenara
