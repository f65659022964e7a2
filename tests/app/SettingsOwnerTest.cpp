#include "app/SettingsOwner.h"
#include "support/MemoryStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace selenara {
namespace {

// A language is announced only when it differs, and before the options' OK,
// which is announced even when nothing differs.
TEST(SettingsOwner, AnnouncesANewLanguageAndEveryOk) {
    UserSettings english, noLore;
    english.Language = noLore.Language = English;
    noLore.Settings.ShowLore = false;
    const struct {
        const char* name;
        void (*change)(SettingsOwner&, const UserSettings&);
        std::vector<std::string> heard;
        UserSettings after;
    } rows[] = {
        {"the same language", [](SettingsOwner& o, const UserSettings&) { o.SetLanguage(German); }, {}, {}},
        {"another language", [](SettingsOwner& o, const UserSettings&) { o.SetLanguage(English); }, {"2"}, english},
        {"OK on nothing new", [](SettingsOwner& o, const UserSettings&) { o.Apply({}); }, {"OK"}, {}},
        {"OK on a new language", [](SettingsOwner& o, const UserSettings& u) { o.Apply(u); }, {"2", "OK"}, noLore},
    };
    for (const auto& row : rows) {
        testing::MemoryStore store;
        SettingsOwner owner(store, [](const std::string& m) { FAIL() << m; });
        std::vector<std::string> heard;
        QObject::connect(&owner, &SettingsOwner::languageChanged, &owner,
                         [&](LanguageId l) { heard.push_back(std::to_string(l)); });
        QObject::connect(&owner, &SettingsOwner::settingsApplied, &owner, [&] { heard.emplace_back("OK"); });
        row.change(owner, noLore);
        EXPECT_EQ(heard, row.heard) << row.name;
        EXPECT_EQ(owner.Current(), row.after) << row.name;
    }
}

}  // namespace
}  // namespace selenara
