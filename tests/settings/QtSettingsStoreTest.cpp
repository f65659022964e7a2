#include "settings/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace selenara {
namespace {

// Every test works in a temporary folder, never in the user's settings.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    }
    QString File() const { return dir.filePath(QStringLiteral("Vandrel/Selenara.conf")); }
    void WriteFile(const QByteArray& bytes) const {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Vandrel")));
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    UserSettings Load() {
        QtSettingsStore store;
        return LoadSettings(store, [&](const std::string& m) { messages.push_back(m); });
    }
    void Save(const UserSettings& u) {
        QtSettingsStore store;
        SaveSettings(u, store, [&](const std::string& m) { messages.push_back(m); });
    }

    QTemporaryDir dir;
    std::vector<std::string> messages;
};

TEST_F(QtSettingsStoreTest, RoundTripThroughTheNativeFile) {
    UserSettings u;
    u.Language = 2;
    u.Settings.CountrySlot = 93;
    u.Settings.City = "AL,Auburn";  // a comma must not turn the value into a list
    u.Settings.Longitude = -85.482;
    u.Settings.Latitude = 32.609;
    u.Settings.InfoCelticNames = false;
    Save(u);
    ASSERT_TRUE(QFile::exists(File()));
    const UserSettings back = Load();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(back.Language, 2);
    EXPECT_EQ(back.Settings.City, "AL,Auburn");
    EXPECT_FALSE(back.Settings.InfoCelticNames);
    EXPECT_DOUBLE_EQ(back.Settings.Longitude, -85.48);
    QSettings raw(File(), QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("Optionen"));
    EXPECT_EQ(raw.childKeys().size(), 14);
    EXPECT_EQ(raw.value(QStringLiteral("SLG")).toString(), QStringLiteral("-8548"));
}

TEST_F(QtSettingsStoreTest, SaveRemovesEverythingElseInTheGroup) {
    {
        QSettings raw(File(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Optionen/OLD"), QStringLiteral("x"));
        raw.setValue(QStringLiteral("Optionen/Sub/Deep"), QStringLiteral("y"));
    }
    Save(UserSettings{});
    QSettings raw(File(), QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("Optionen"));
    EXPECT_EQ(raw.allKeys().size(), 14);
    EXPECT_FALSE(raw.contains(QStringLiteral("OLD")));
}

TEST_F(QtSettingsStoreTest, AValueOfAnotherTypeIsReportedAndDefaulted) {
    {
        QSettings raw(File(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Optionen/TRN"), QStringList{QStringLiteral("0"), QStringLiteral("1")});
        raw.setValue(QStringLiteral("Optionen/SST"), QStringLiteral("Bremen"));
    }
    const UserSettings u = Load();
    EXPECT_EQ(messages, std::vector<std::string>{"Invalid data type for 'TRN'"});
    EXPECT_TRUE(u.Settings.InfoTraditionalNames);
    EXPECT_EQ(u.Settings.City, "Bremen");
}

TEST_F(QtSettingsStoreTest, ACorruptFileGivesDefaultsOrTheTextAsStored) {
    QByteArray garbage("[Optionen]\nSPR=2\nSST=K\xc3\xb6ln\nLOA=\xff\xfe\x00zz\n[[[\n=\n");
    garbage.append(QByteArray(1 << 20, '\x80'));
    WriteFile(garbage);
    const UserSettings u = Load();
    EXPECT_EQ(u.Language, 2);
    EXPECT_EQ(u.Settings.City, "K\xc3\xb6ln");
    EXPECT_TRUE(u.Settings.ShowLore);
}

TEST_F(QtSettingsStoreTest, AStoreThatCannotBeWrittenSaysSoOnce) {
    // A folder where the settings file belongs: no write can succeed, even as root.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Vandrel/Selenara.conf")));
    Save(UserSettings{});
    EXPECT_EQ(messages, std::vector<std::string>{"Failed to create key Optionen"});
    EXPECT_TRUE(QFileInfo(File()).isDir());
}

}  // namespace
}  // namespace selenara
