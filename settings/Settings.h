// The user's settings: the record, its defaults, and how it is read from and
// written to a store of string values (the registry on Windows, the native
// settings file elsewhere; see SettingsStore).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace selenara {

// The interface language: 1 German, 2 English (stored as the setting SPR).
using LanguageId = std::uint8_t;
inline constexpr LanguageId German = 1;
inline constexpr LanguageId English = 2;

struct TSettings {
    bool ShowLore = true;              // LOA: the lore panel is shown
    bool ShowInfoText = true;          // TUA: the information line is shown
    bool StartInTray = false;          // SMM: stored and shown only
    bool LoreMoonLore = true;          // MWH
    bool LoreMoonTrivia = true;        // MOF
    bool InfoQuickFacts = true;        // EIZ: information category 1
    bool InfoTraditionalNames = true;  // TRN: category 2
    bool InfoCelticNames = true;       // KEN: category 3
    bool InfoMedievalNames = true;     // EMN: category 4
    std::int32_t CountrySlot = 0;      // SLA: 0, 3, …, 99 (0 is Germany)
    std::string City = DefaultCity;    // SST, as spelled in the country's list
    double Longitude = DefaultLongitude;  // SLG, degrees east
    double Latitude = DefaultLatitude;    // SBG, degrees north

    static constexpr const char* DefaultCity = "Aach/Hegau/Singen";
    static constexpr double DefaultLongitude = 8.85;
    static constexpr double DefaultLatitude = 47.83;
    friend bool operator==(const TSettings&, const TSettings&) = default;
};

// The settings record together with the interface language (SPR: 1 German,
// 2 English; the low 8 bits of what is stored, any other number read as 1).
struct UserSettings {
    TSettings Settings;
    LanguageId Language = German;
    friend bool operator==(const UserSettings&, const UserSettings&) = default;
};

// The fourteen keys, in the order they are read and written.
inline constexpr const char* SettingsKeys[14] = {"SPR", "LOA", "TUA", "SMM", "MWH", "MOF", "EIZ",
                                                 "TRN", "KEN", "EMN", "SLA", "SST", "SLG", "SBG"};

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

// Reads all keys by the decoding rules: a missing or non-numeric value gives
// the key's default; an empty city gives the default location.
UserSettings LoadSettings(SettingsStore& store, const SettingsMessage& report);

// Replaces the group by the fourteen values; coordinates are stored in
// hundredths of a degree, rounded to the nearest, halves to even.
void SaveSettings(const UserSettings& settings, SettingsStore& store, const SettingsMessage& report);

}  // namespace selenara
