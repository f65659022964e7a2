#include "settings/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace selenara {
namespace {

// Every test works in a temporary folder, never in the user's settings.
class QtSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString File() const { return dir.filePath(QStringLiteral("Vandrel/Selenara.conf")); }
    void WriteFile(const QByteArray& bytes) const {
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Vandrel")));
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    UserSettings Load() {
        QtSettingsStore store(File());
        return LoadSettings(store, [&](const std::string& m) { messages.push_back(m); });
    }
    void Save(const UserSettings& u) {
        QtSettingsStore store(File());
        SaveSettings(u, store, [&](const std::string& m) { messages.push_back(m); });
    }
    // QSettings shares what it parsed of a file among all its formats in a
    // process, so the file is handed between QSettings' own INI format and
    // the store's through copies at fresh paths.
    QString FreshPath() { return dir.filePath(QStringLiteral("qt%1.ini").arg(++copies)); }
    // QSettings' own reading of the settings file.
    std::unique_ptr<QSettings> QtReading() {
        const QString copy = FreshPath();
        EXPECT_TRUE(QFile::copy(File(), copy));
        return std::make_unique<QSettings>(copy, QSettings::IniFormat);
    }
    // Writes the settings file through QSettings' own format.
    void QtWrite(const std::function<void(QSettings&)>& write) {
        const QString path = FreshPath();
        {
            QSettings qt(path, QSettings::IniFormat);
            write(qt);
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        WriteFile(f.readAll());
    }

    QTemporaryDir dir;
    std::vector<std::string> messages;
    int copies = 0;
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
    const auto qt = QtReading();
    qt->beginGroup(QStringLiteral("Optionen"));
    EXPECT_EQ(qt->childKeys().size(), 14);
    EXPECT_EQ(qt->value(QStringLiteral("SLG")).toString(), QStringLiteral("-8548"));
    EXPECT_EQ(qt->value(QStringLiteral("SST")).toString(), QStringLiteral("AL,Auburn"));
}

TEST_F(QtSettingsStoreTest, SaveRemovesEverythingElseInTheGroup) {
    QtWrite([](QSettings& qt) {
        qt.setValue(QStringLiteral("Optionen/OLD"), QStringLiteral("x"));
        qt.setValue(QStringLiteral("Optionen/Sub/Deep"), QStringLiteral("y"));
    });
    Save(UserSettings{});
    const auto qt = QtReading();
    qt->beginGroup(QStringLiteral("Optionen"));
    EXPECT_EQ(qt->allKeys().size(), 14);
    EXPECT_FALSE(qt->contains(QStringLiteral("OLD")));
}

TEST_F(QtSettingsStoreTest, AValueOfAnotherTypeIsReportedAndDefaulted) {
    QtWrite([](QSettings& qt) {
        qt.setValue(QStringLiteral("Optionen/TRN"), QStringList{QStringLiteral("0"), QStringLiteral("1")});
        qt.setValue(QStringLiteral("Optionen/SST"), QStringLiteral("Bremen"));
    });
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

// Texts that need the INI quoting and escapes: what the previous version of
// the program wrote through QSettings' own format reads back the same, and
// what this store writes reads the same in QSettings' format.
TEST_F(QtSettingsStoreTest, EveryTextReadsAsQtsOwnFormatWroteIt) {
    const QString texts[] = {
        QStringLiteral("AL,Auburn"), QStringLiteral(" leading"), QStringLiteral("trailing "),
        QStringLiteral("K\u00f6ln"), QStringLiteral("Reykjav\u00edk \U0001F315"), QStringLiteral("tab\there"),
        QStringLiteral("quote\"s"), QStringLiteral("back\\slash"), QStringLiteral("@home"), QStringLiteral("@@twice"),
        QStringLiteral("semi;colon"), QStringLiteral("eq=ual"), QStringLiteral("\x01""0ctrl"), QStringLiteral("\x7f"),
        QString(), QStringLiteral("line\nbreak\r\n"), QString(QChar(u'\0')) + QStringLiteral("7")};
    for (const QString& text : texts) {
        QtWrite([&](QSettings& qt) { qt.setValue(QStringLiteral("Optionen/SST"), text); });
        EXPECT_EQ(Load().Settings.City, text.isEmpty() ? "Aach/Hegau/Singen" : text.toStdString()) << text.toStdString();
        UserSettings u;
        u.Settings.City = text.toStdString();
        Save(u);
        EXPECT_EQ(QtReading()->value(QStringLiteral("Optionen/SST")).toString(), text) << text.toStdString();
    }
    EXPECT_TRUE(messages.empty());
}

// A serialized Qt type is no setting: 30,000 nested "@Variant(" levels blew
// the stack while QSettings decoded them, a stored length of 2^31 reserved
// gigabytes. Now neither is decoded: in the program's group the value is
// reported and its default used, and a save writes the fourteen values and
// keeps any other group exactly as it was.
TEST_F(QtSettingsStoreTest, SerializedTypesAreNeverDecoded) {
    QByteArray nested = "@Variant(";
    for (int i = 0; i < 30000; ++i) nested += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    nested += "\\0\\0\\0\\n\\0\\0\\0\\0)";
    const QByteArray huge = "@Variant(\\0\\0\\0\\n\\x80\\0\\0\\0)";  // a string of 2^31 bytes
    for (const QByteArray& value : {nested, huge}) {
        for (const bool ours : {true, false}) {
            SCOPED_TRACE((ours ? "Optionen, " : "Other, ") + value.left(20).toStdString());
            const QByteArray other = "[Other]\nKEEP=\"a,b\"\nKEY=" + value + "\n";
            WriteFile("[Optionen]\nSPR=2\nSST=" + (ours ? value : QByteArray("Bremen")) + "\n" + other);
            messages.clear();
            const UserSettings u = Load();
            EXPECT_EQ(u.Language, 2);
            EXPECT_EQ(u.Settings.City, ours ? "Aach/Hegau/Singen" : "Bremen");
            EXPECT_EQ(messages, ours ? std::vector<std::string>{"Invalid data type for 'SST'"} : std::vector<std::string>{});
            Save(u);
            QFile f(File());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray saved = f.readAll();
            EXPECT_TRUE(saved.contains(other)) << "the other group is kept as it was";
            EXPECT_TRUE(saved.contains(ours ? "\nSST=Aach/Hegau/Singen\n" : "\nSST=Bremen\n"));
            messages.clear();
            EXPECT_EQ(Load(), u);
            EXPECT_TRUE(messages.empty());
        }
    }
}

// Files a careful user damaged by hand. A value ends at its line end, so
// the user's values survive a save, no group is lost or doubled, and every
// other group is written back byte for byte.
TEST_F(QtSettingsStoreTest, ADamagedValueCostsNoOtherLine) {
    const struct {
        const char* what;
        QByteArray file;
        QByteArray other;  // stands in the saved file as it was
    } cases[] = {
        {"an open quote in the city",
         "[Optionen]\nSPR=2\nSST=\"Berlin\nLOA=0\n\n[Fremd]\nkeep=1\nother=2\n", "[Fremd]\nkeep=1\nother=2\n"},
        {"an open quote in an earlier group", "[Aaa]\nx=\"open\n[Optionen]\nSPR=2\nSST=Berlin\nLOA=0\n",
         "[Aaa]\nx=\"open\n"},
        {"a trailing backslash in an earlier group", "[Fremd]\nkeep=1\\\n[Optionen]\nSPR=2\nSST=Berlin\nLOA=0\n",
         "[Fremd]\nkeep=1\\\n"},
        {"an open quote before any group", "x=\"open\r\n[Optionen]\nSPR=2\nSST=Berlin\nLOA=0", "x=\"open\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // A fresh path each, since QSettings keeps what it parsed of a path.
        const QString path = FreshPath();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.file);
        f.close();
        messages.clear();
        const auto report = [&](const std::string& m) { messages.push_back(m); };
        UserSettings first;
        {
            QtSettingsStore store(path);
            first = LoadSettings(store, report);
            SaveSettings(first, store, report);
        }
        EXPECT_EQ(first.Language, 2);
        EXPECT_EQ(first.Settings.City, "Berlin");
        EXPECT_FALSE(first.Settings.ShowLore);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray saved = f.readAll();
        f.close();
        EXPECT_TRUE(saved.contains(c.other)) << saved.toStdString();
        EXPECT_EQ(saved.count("[Optionen]"), 1) << saved.toStdString();
        EXPECT_TRUE(saved.contains("\nSST=Berlin\n")) << saved.toStdString();
        QtSettingsStore again(path);
        EXPECT_EQ(LoadSettings(again, report), first);
        EXPECT_TRUE(messages.empty());
    }
}

// The lock file beside the settings. One that no running process holds
// (junk, a crashed writer's) froze the exit for 30 s: it is stale at once.
// One that a running process keeps makes the save fail with its message
// after a short wait, and nothing is written.
TEST_F(QtSettingsStoreTest, ALockFileNoProcessHoldsIsStaleAtOnce) {
    WriteFile("[Optionen]\nSST=Bremen\n");
    QFile junk(File() + QStringLiteral(".lock"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk\n");
    junk.close();
    UserSettings u;
    u.Settings.City = "Berlin";
    Save(u);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(junk.exists());
    EXPECT_EQ(Load().Settings.City, "Berlin");
}

TEST_F(QtSettingsStoreTest, ALockARunningProcessKeepsMakesTheSaveFail) {
    WriteFile("[Optionen]\nSST=Bremen\n");
    QLockFile held(File() + QStringLiteral(".lock"));
    ASSERT_TRUE(held.tryLock(0));
    UserSettings u;
    u.Settings.City = "Berlin";
    Save(u);
    EXPECT_EQ(messages, std::vector<std::string>{"Failed to create key Optionen"});
    held.unlock();
    messages.clear();
    EXPECT_EQ(Load().Settings.City, "Bremen");
}

// Found by fuzzing: a byte-order mark in a value, at its start or after a
// character the save escapes, was dropped by the save or when read back.
TEST_F(QtSettingsStoreTest, AByteOrderMarkInAValueSurvivesTheRoundTrip) {
    for (const std::string& city : {std::string("K\0\xef\xbb\xbfln", 7), std::string("\xef\xbb\xbfnaz")}) {
        UserSettings u;
        u.Settings.City = city;
        Save(u);
        EXPECT_EQ(Load().Settings.City, city);
    }
    EXPECT_TRUE(messages.empty());
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
