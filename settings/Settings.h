// The user's settings: the record, its defaults, and how it is read from and
// written to a store of string values (the registry on Windows, the native
// settings file elsewhere; see SettingsStore).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>

namespace selenara {

// The interface language: 1 German, 2 English (stored as the setting SPR).
using LanguageId = std::uint8_t;
inline constexpr LanguageId German = 1;
inline constexpr LanguageId English = 2;

// The record's initialisers are the defaults; SettingsTable says which key
// stores each member.
struct TSettings {
    bool ShowLore = true;              // the lore panel is shown
    bool ShowInfoText = true;          // the information line is shown
    bool StartInTray = false;          // stored and shown only
    bool LoreMoonLore = true;          // lore category 1
    bool LoreMoonTrivia = true;        // lore category 2
    bool InfoQuickFacts = true;        // information category 1
    bool InfoTraditionalNames = true;  // category 2
    bool InfoCelticNames = true;       // category 3
    bool InfoMedievalNames = true;     // category 4
    std::int32_t CountrySlot = 0;      // 0, 3, …, 99 (0 is Germany)
    std::string City = DefaultCity;    // as spelled in the country's list
    double Longitude = DefaultLongitude;  // degrees east
    double Latitude = DefaultLatitude;    // degrees north

    static constexpr const char* DefaultCity = "Aach/Hegau/Singen";
    static constexpr double DefaultLongitude = 8.85;
    static constexpr double DefaultLatitude = 47.83;
    friend bool operator==(const TSettings&, const TSettings&) = default;
};

// The settings record together with the interface language.
struct UserSettings {
    TSettings Settings;
    LanguageId Language = German;
    friend bool operator==(const UserSettings&, const UserSettings&) = default;
};

// A coordinate, stored in hundredths of a degree and valid within
// +-Limit degrees.
struct DegreesMember {
    double TSettings::*Member;
    int Limit;
};

// One stored value: its key and the member it holds. The member's type is
// its codec:
// - the language: written as its number; read from the low 8 bits of an
//   integer, where only German and English count and anything else gives
//   the default (a number beyond 32 bits is no integer at all);
// - bool: written 1 or 0; any integer other than 0 reads as true;
// - std::int32_t: a signed decimal integer filling the whole text;
// - std::string: as it stands; one that cannot be read is empty;
// - degrees: rounded to the nearest hundredth, halves to even; anything
//   outside the limit or no integer reads as 0.
// Any other value that cannot be read gives the member's default. Then an
// empty city gives the default city with its coordinates.
struct SettingsField {
    const char* Key;
    std::variant<LanguageId UserSettings::*, bool TSettings::*, std::int32_t TSettings::*,
                 std::string TSettings::*, DegreesMember>
        Member;
};

// Every stored value, in the order they are read and written.
inline constexpr SettingsField SettingsTable[] = {
    {"SPR", &UserSettings::Language},
    {"LOA", &TSettings::ShowLore},
    {"TUA", &TSettings::ShowInfoText},
    {"SMM", &TSettings::StartInTray},
    {"MWH", &TSettings::LoreMoonLore},
    {"MOF", &TSettings::LoreMoonTrivia},
    {"EIZ", &TSettings::InfoQuickFacts},
    {"TRN", &TSettings::InfoTraditionalNames},
    {"KEN", &TSettings::InfoCelticNames},
    {"EMN", &TSettings::InfoMedievalNames},
    {"SLA", &TSettings::CountrySlot},
    {"SST", &TSettings::City},
    {"SLG", DegreesMember{&TSettings::Longitude, 180}},
    {"SBG", DegreesMember{&TSettings::Latitude, 90}},
};

// The keys alone, in the table's order.
inline constexpr std::array<const char*, std::size(SettingsTable)> SettingsKeys = [] {
    std::array<const char*, std::size(SettingsTable)> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = SettingsTable[i].Key;
    return keys;
}();

// A key stored twice would keep only its last value.
static_assert([] {
    for (std::size_t i = 0; i < SettingsKeys.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (std::string_view(SettingsKeys[i]) == SettingsKeys[j]) return false;
    return true;
}());

// A store of named string values in one group ("Optionen").
class SettingsStore {
public:
    enum class ReadStatus { Missing, Text, WrongType, Unreadable };
    struct Value {
        ReadStatus Status = ReadStatus::Missing;
        std::string Text;
    };
    enum class WriteStatus { Written, CannotCreateGroup, Skipped, Refused };

    virtual ~SettingsStore() = default;
    virtual Value Read(std::string_view key) = 0;
    // Removes the group with everything in it; false when the store cannot be
    // written at all (then nothing is removed).
    virtual bool RemoveGroup() = 0;
    virtual WriteStatus Write(std::string_view key, const std::string& text) = 0;
    // Makes the writes permanent; false when they could not be stored.
    virtual bool Sync() = 0;
};

// Receives the messages meant for the user ("Invalid data type for 'SPR'" …).
using SettingsMessage = std::function<void(const std::string&)>;

// Reads every key of SettingsTable once, in its order, by its codec.
UserSettings LoadSettings(SettingsStore& store, const SettingsMessage& report);

// Replaces the group by the values of SettingsTable, in its order.
void SaveSettings(const UserSettings& settings, SettingsStore& store, const SettingsMessage& report);

}  // namespace selenara
