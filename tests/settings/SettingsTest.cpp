#include "settings/Settings.h"

#include "support/MemoryStore.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace selenara {
namespace {

using testing::MemoryStore;

struct Loaded {
    UserSettings settings;
    std::vector<std::string> messages;
};
Loaded Load(MemoryStore& store) {
    Loaded l;
    l.settings = LoadSettings(store, [&](const std::string& m) { l.messages.push_back(m); });
    return l;
}

TEST(LoadSettings, FirstStartGivesTheDefaults) {
    MemoryStore store;
    const Loaded l = Load(store);
    EXPECT_EQ(l.settings, UserSettings{});
    EXPECT_EQ(l.settings.Language, 1);
    EXPECT_TRUE(l.settings.Settings.ShowLore && l.settings.Settings.InfoMedievalNames);
    EXPECT_FALSE(l.settings.Settings.StartInTray);
    EXPECT_EQ(l.settings.Settings.City, "Aach/Hegau/Singen");
    EXPECT_DOUBLE_EQ(l.settings.Settings.Longitude, 8.85);
    EXPECT_DOUBLE_EQ(l.settings.Settings.Latitude, 47.83);
    EXPECT_TRUE(l.messages.empty());
}

TEST(LoadSettings, CityAndCoordinates) {
    MemoryStore store;
    store.Set("SST", "Bremen");
    Loaded l = Load(store);
    EXPECT_EQ(l.settings.Settings.City, "Bremen");
    EXPECT_EQ(l.settings.Settings.Longitude, 0.0);  // absent coordinates are 0 with a city
    EXPECT_EQ(l.settings.Settings.Latitude, 0.0);

    MemoryStore noCity;
    noCity.Set("SST", "");
    noCity.Set("SLG", "1234");
    noCity.Set("SBG", "5000");
    noCity.Set("SLA", "93");
    l = Load(noCity);
    EXPECT_EQ(l.settings.Settings.City, "Aach/Hegau/Singen");
    EXPECT_DOUBLE_EQ(l.settings.Settings.Longitude, 8.85);
    EXPECT_EQ(l.settings.Settings.CountrySlot, 93);  // the country stays as stored
}

TEST(LoadSettings, DecodingRules) {
    MemoryStore store;
    store.Set("SPR", "258");  // the low 8 bits
    store.Set("LOA", "2");    // non-zero is true
    store.Set("TUA", "0");
    store.Set("SMM", "yes");  // not a number: the default
    store.Set("MWH", " 1");
    store.Set("SLA", "99999999999999999999999");
    store.Set("SST", "AL,Auburn");
    store.Set("SLG", "-8548");
    store.Set("SBG", "3261");
    const TSettings s = Load(store).settings.Settings;
    EXPECT_EQ(Load(store).settings.Language, 2);
    EXPECT_TRUE(s.ShowLore);
    EXPECT_FALSE(s.ShowInfoText);
    EXPECT_FALSE(s.StartInTray);
    EXPECT_TRUE(s.LoreMoonLore);
    EXPECT_EQ(s.CountrySlot, 0);
    EXPECT_DOUBLE_EQ(s.Longitude, -85.48);
    EXPECT_DOUBLE_EQ(s.Latitude, 32.61);
}

// Only 1 and 2 are languages (of the low 8 bits); any other number would
// leave every caption blank and reads as German. A number beyond 32 bits is
// no valid integer for any key and gives the default: Germany for the
// country, German (not the low bits' 2 of 2^32 + 2), false for SMM (not
// true for 2^32).
TEST(LoadSettings, LanguagesAndCountriesOutOfTheirRange) {
    const std::pair<const char*, int> languages[] = {{"0", 1},   {"3", 1},   {"-1", 1},
                                                     {"256", 1}, {"255", 1}, {"2", 2},
                                                     {"258", 2}, {"513", 1}, {"4294967298", 1}};
    for (const auto& [stored, language] : languages) {
        MemoryStore store;
        store.Set("SPR", stored);
        EXPECT_EQ(Load(store).settings.Language, language) << stored;
    }
    const std::pair<const char*, std::int32_t> countries[] = {
        {"99999999999", 0}, {"-2147483649", 0}, {"2147483648", 0}, {"2147483647", 2147483647}, {"93", 93}};
    for (const auto& [stored, slot] : countries) {
        MemoryStore store;
        store.Set("SLA", stored);
        EXPECT_EQ(Load(store).settings.Settings.CountrySlot, slot) << stored;
    }
    for (const char* stored : {"4294967296", "2147483648", "-2147483649"}) {
        MemoryStore store;
        store.Set("SMM", stored);
        EXPECT_FALSE(Load(store).settings.Settings.StartInTray) << stored;
    }
}

TEST(LoadSettings, HostileValuesNeverCrash) {
    MemoryStore store;
    store.Set("SST", std::string(1 << 20, 'x'));
    store.Set("SLG", "18001");   // no longitude beyond 180 degrees
    store.Set("SBG", "-99999999");
    store.Set("SPR", "\xff\xfe");
    store.Set("LOA", std::string("1\0", 2));
    const Loaded l = Load(store);
    EXPECT_EQ(l.settings.Settings.City.size(), 1u << 20);
    EXPECT_EQ(l.settings.Settings.Longitude, 0.0);
    EXPECT_EQ(l.settings.Settings.Latitude, 0.0);
    EXPECT_EQ(l.settings.Language, 1);
    EXPECT_TRUE(l.settings.Settings.ShowLore);
}

TEST(LoadSettings, WrongTypesAndUnreadableValuesAreReported) {
    MemoryStore store;
    store.values["TRN"] = {SettingsStore::ReadStatus::WrongType, {}};
    store.values["SST"] = {SettingsStore::ReadStatus::Unreadable, {}};
    const Loaded l = Load(store);
    EXPECT_EQ(l.messages, (std::vector<std::string>{"Invalid data type for 'TRN'",
                                                    "Failed to get data for 'SST'"}));
    EXPECT_TRUE(l.settings.Settings.InfoTraditionalNames);
    EXPECT_EQ(l.settings.Settings.City, "Aach/Hegau/Singen");
}

TEST(SaveSettings, WritesExactlyTheFourteenValues) {
    MemoryStore store;
    store.Set("OLD", "gone after the save");
    UserSettings u;
    u.Language = 2;
    u.Settings.StartInTray = true;
    u.Settings.CountrySlot = 93;
    u.Settings.City = "AL,Auburn";
    u.Settings.Longitude = -85.482;
    u.Settings.Latitude = 32.609;
    SaveSettings(u, store, [](const std::string& m) { FAIL() << m; });
    ASSERT_EQ(store.values.size(), 14u);
    EXPECT_EQ(store.values.count("OLD"), 0u);
    EXPECT_EQ(store.values["SPR"].Text, "2");
    EXPECT_EQ(store.values["SMM"].Text, "1");
    EXPECT_EQ(store.values["LOA"].Text, "1");
    EXPECT_EQ(store.values["SLA"].Text, "93");
    EXPECT_EQ(store.values["SLG"].Text, "-8548");
    EXPECT_EQ(store.values["SBG"].Text, "3261");
    EXPECT_EQ(store.syncs, 1);
    const UserSettings back = Load(store).settings;
    EXPECT_DOUBLE_EQ(back.Settings.Longitude, -85.48);
    EXPECT_EQ(back.Settings.City, "AL,Auburn");
}

TEST(SaveSettings, HalvesRoundToEven) {
    MemoryStore store;
    UserSettings u;
    u.Settings.Longitude = 0.125;  // 12.5 hundredths, exactly representable
    u.Settings.Latitude = -0.375;
    SaveSettings(u, store, [](const std::string&) {});
    EXPECT_EQ(store.values["SLG"].Text, "12");
    EXPECT_EQ(store.values["SBG"].Text, "-38");
}

TEST(SaveSettings, AStoreThatCannotBeWrittenSaysSoOnceAndKeepsItsValues) {
    MemoryStore store;
    store.Set("SPR", "2");
    store.writable = false;
    std::vector<std::string> messages;
    SaveSettings(UserSettings{}, store, [&](const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(messages, std::vector<std::string>{"Failed to create key Optionen"});
    EXPECT_EQ(store.values["SPR"].Text, "2");

    MemoryStore refusing;
    refusing.refuse = "SST";
    messages.clear();
    SaveSettings(UserSettings{}, refusing, [&](const std::string& m) { messages.push_back(m); });
    EXPECT_EQ(messages, std::vector<std::string>{"Failed to set data for 'SST'"});
    EXPECT_EQ(refusing.values.size(), 13u);
}

// The stored order: a store that keeps the keys in the order they come.
class OrderStore final : public SettingsStore {
public:
    std::vector<std::string> reads, writes;
    Value Read(std::string_view key) override {
        reads.emplace_back(key);
        return {};
    }
    bool RemoveGroup() override { return true; }
    WriteStatus Write(std::string_view key, const std::string&) override {
        writes.emplace_back(key);
        return WriteStatus::Written;
    }
    bool Sync() override { return true; }
};

TEST(SettingsTable, KeysAreReadAndWrittenOnceInTheirOrder) {
    const std::vector<std::string> order = {"SPR", "LOA", "TUA", "SMM", "MWH", "MOF", "EIZ",
                                            "TRN", "KEN", "EMN", "SLA", "SST", "SLG", "SBG"};
    OrderStore store;
    LoadSettings(store, [](const std::string& m) { FAIL() << m; });
    SaveSettings(UserSettings{}, store, [](const std::string& m) { FAIL() << m; });
    EXPECT_EQ(store.reads, order);
    EXPECT_EQ(store.writes, order);
}

// A record changed in one member alone is stored differently under that
// key alone, and reads back whole.
TEST(SettingsTable, EachKeyHoldsItsOwnMember) {
    const struct {
        const char* key;
        void (*change)(UserSettings&);
        const char* text;
    } rows[] = {
        {"SPR", [](UserSettings& u) { u.Language = English; }, "2"},
        {"LOA", [](UserSettings& u) { u.Settings.ShowLore = false; }, "0"},
        {"TUA", [](UserSettings& u) { u.Settings.ShowInfoText = false; }, "0"},
        {"SMM", [](UserSettings& u) { u.Settings.StartInTray = true; }, "1"},
        {"MWH", [](UserSettings& u) { u.Settings.LoreMoonLore = false; }, "0"},
        {"MOF", [](UserSettings& u) { u.Settings.LoreMoonTrivia = false; }, "0"},
        {"EIZ", [](UserSettings& u) { u.Settings.InfoQuickFacts = false; }, "0"},
        {"TRN", [](UserSettings& u) { u.Settings.InfoTraditionalNames = false; }, "0"},
        {"KEN", [](UserSettings& u) { u.Settings.InfoCelticNames = false; }, "0"},
        {"EMN", [](UserSettings& u) { u.Settings.InfoMedievalNames = false; }, "0"},
        {"SLA", [](UserSettings& u) { u.Settings.CountrySlot = -7; }, "-7"},
        {"SST", [](UserSettings& u) { u.Settings.City = "Bremen"; }, "Bremen"},
        {"SLG", [](UserSettings& u) { u.Settings.Longitude = -179.99; }, "-17999"},
        {"SBG", [](UserSettings& u) { u.Settings.Latitude = 90; }, "9000"},
    };
    MemoryStore defaults;
    SaveSettings(UserSettings{}, defaults, [](const std::string&) {});
    for (const auto& row : rows) {
        UserSettings changed;
        row.change(changed);
        MemoryStore store;
        SaveSettings(changed, store, [](const std::string& m) { FAIL() << m; });
        ASSERT_EQ(store.values.size(), defaults.values.size()) << row.key;
        for (const auto& [key, value] : defaults.values)
            EXPECT_EQ(store.values[key].Text, key == row.key ? row.text : value.Text) << row.key << " " << key;
        EXPECT_EQ(Load(store).settings, changed) << row.key;
    }
}

}  // namespace
}  // namespace selenara
