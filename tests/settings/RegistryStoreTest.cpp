// The registry store on a key of the test's own under
// HKEY_CURRENT_USER\Software\Vandrel, never the user's settings.
#include "settings/RegistryStore.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QString>

#include <windows.h>

#include <string>

namespace selenara {
namespace {

using Status = SettingsStore::ReadStatus;

class RegistryStoreTest : public ::testing::Test {
protected:
    RegistryStoreTest()
        : key_(L"Software\\Vandrel\\SelenaraTest-" +
               QString::number(QRandomGenerator::system()->generate64(), 16).toStdWString()),
          store_(key_) {}
    ~RegistryStoreTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

    // Writes a value of any registry type straight into the group.
    void Put(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        HKEY group = nullptr;
        const std::wstring path = key_ + L"\\Optionen";
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &group, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(group, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(group);
    }
    void PutText(const wchar_t* name, const std::wstring& text) {
        Put(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    std::wstring key_;
    RegistryStore store_;
};

TEST_F(RegistryStoreTest, TextsReadBackAsWritten) {
    EXPECT_EQ(store_.Read("ORT").Status, Status::Missing);
    for (const std::string text :
         {"Frankfurt am Main", "Zürich", "", "@Variant(not one)", "a,b;c=d", "\xef\xbb\xbf" "Bonn"}) {
        ASSERT_EQ(store_.Write("ORT", text), SettingsStore::WriteStatus::Written);
        const auto value = store_.Read("ORT");
        EXPECT_EQ(value.Status, Status::Text) << text;
        EXPECT_EQ(value.Text, text);
    }
    EXPECT_TRUE(store_.Sync());
}

// What QSettings would have stored, or decoded: the same unwrapping, and a
// serialized type or a value of another registry type is no text.
TEST_F(RegistryStoreTest, StoredValuesAreUnwrappedNeverDecoded) {
    PutText(L"A", L"@String(Berlin)");
    PutText(L"B", L"@@Home");
    PutText(L"C", L"@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x18QVariantList)");
    const DWORD number = 1;
    Put(L"D", REG_DWORD, &number, sizeof number);
    Put(L"E", REG_BINARY, "\x01\x02", 2);
    EXPECT_EQ(store_.Read("A").Text, "Berlin");
    EXPECT_EQ(store_.Read("B").Text, "@Home");
    for (const char* key : {"C", "D", "E"}) EXPECT_EQ(store_.Read(key).Status, Status::WrongType) << key;
}

TEST_F(RegistryStoreTest, RemoveGroupLeavesOnlyTheProgramKey) {
    ASSERT_EQ(store_.Write("SPR", "2"), SettingsStore::WriteStatus::Written);
    EXPECT_TRUE(store_.RemoveGroup());
    EXPECT_EQ(store_.Read("SPR").Status, Status::Missing);
    HKEY program = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_READ, &program), ERROR_SUCCESS);
    RegCloseKey(program);
}

}  // namespace
}  // namespace selenara
