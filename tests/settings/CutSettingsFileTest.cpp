// A settings file cut off at any byte, as a crash during a write could leave
// it: every value reads as saved, as its default, or cut short.
#include "settings/QtSettingsStore.h"
#include "support/MemoryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace selenara {
namespace {

// The record as it is stored: key to text.
std::map<std::string, std::string> Encoded(const UserSettings& u) {
    testing::MemoryStore store;
    SaveSettings(u, store, [](const std::string&) {});
    std::map<std::string, std::string> texts;
    for (const auto& [key, value] : store.values) texts[key] = value.Text;
    return texts;
}

TEST(CutSettingsFile, EveryPrefixReadsAsSavedDefaultOrCutShort) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Vandrel/Selenara.conf"));

    // Every value differs from its default, and the city needs quotes.
    UserSettings saved;
    saved.Language = 2;
    TSettings& s = saved.Settings;
    s.ShowLore = s.ShowInfoText = s.LoreMoonLore = s.LoreMoonTrivia = false;
    s.InfoQuickFacts = s.InfoTraditionalNames = s.InfoCelticNames = s.InfoMedievalNames = false;
    s.StartInTray = true;
    s.CountrySlot = 93;
    s.City = "AL,Auburn";
    s.Longitude = -85.48;
    s.Latitude = 32.61;
    {
        QtSettingsStore store(file);
        SaveSettings(saved, store, [](const std::string& m) { FAIL() << m; });
    }
    QFile whole(file);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    whole.close();

    const auto want = Encoded(saved);
    const auto defaults = Encoded(UserSettings{});
    for (qsizetype n = 0; n <= bytes.size(); ++n) {
        SCOPED_TRACE(bytes.left(n).toStdString());
        QFile cut(file);
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
        cut.write(bytes.left(n));
        cut.close();
        std::vector<std::string> messages;
        QtSettingsStore store(file);
        const auto got = Encoded(LoadSettings(store, [&](const std::string& m) { messages.push_back(m); }));
        EXPECT_LE(messages.size(), 1u);
        for (const auto& [key, text] : got) {
            const bool asSaved = !text.empty() && want.at(key).starts_with(text);
            EXPECT_TRUE(asSaved || text == defaults.at(key)) << key << '=' << text;
        }
        if (n == bytes.size()) {
            EXPECT_EQ(got, want);
        }
    }
}

}  // namespace
}  // namespace selenara
