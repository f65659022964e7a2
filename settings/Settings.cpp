#include "settings/Settings.h"

#include <charconv>
#include <cmath>

namespace selenara {
namespace {

// A signed decimal 32-bit integer filling the whole text; nothing else (a
// number beyond 32 bits is no valid integer for any key).
bool ParseInteger(const std::string& text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc{} && stop == end && !text.empty();
}

class Reader {
public:
    Reader(SettingsStore& store, const SettingsMessage& report) : store_(store), report_(report) {}

    // The text of a key, or nothing when it is missing or cannot be used.
    bool Text(const char* key, std::string& text) {
        SettingsStore::Value v = store_.Read(key);
        switch (v.Status) {
            case SettingsStore::ReadStatus::Text: text = std::move(v.Text); return true;
            case SettingsStore::ReadStatus::WrongType:
                report_(std::string("Invalid data type for '") + key + "'");
                return false;
            case SettingsStore::ReadStatus::Unreadable:
                report_(std::string("Failed to get data for '") + key + "'");
                return false;
            case SettingsStore::ReadStatus::Missing: break;
        }
        return false;
    }

    std::int32_t Integer(const char* key, std::int32_t fallback) {
        std::string text;
        std::int32_t value = 0;
        return Text(key, text) && ParseInteger(text, value) ? value : fallback;
    }

    bool Boolean(const char* key, bool fallback) { return Integer(key, fallback ? 1 : 0) != 0; }

    // Hundredths of a degree within +-limit degrees; anything else is no
    // coordinate and gives the default 0.
    double Degrees(const char* key, int limit) {
        const std::int32_t v = Integer(key, 0);
        return v >= -100 * limit && v <= 100 * limit ? static_cast<double>(v) / 100.0 : 0.0;
    }

private:
    SettingsStore& store_;
    const SettingsMessage& report_;
};

// Hundredths of a degree, to the nearest, halves to even (the default
// rounding mode of the floating-point unit).
std::string Hundredths(double degrees) {
    const double r = std::nearbyint(degrees * 100.0);
    if (!std::isfinite(r) || std::fabs(r) > 1e15) return "0";
    return std::to_string(static_cast<long long>(r));
}

}  // namespace

UserSettings LoadSettings(SettingsStore& store, const SettingsMessage& report) {
    Reader read(store, report);
    UserSettings u;
    TSettings& s = u.Settings;
    u.Language = static_cast<std::uint8_t>(read.Integer("SPR", 1) & 0xFF);
    // The program speaks only these two; any other number would leave every
    // caption blank, so it reads as German (and is saved so at exit).
    if (u.Language != 1 && u.Language != 2) u.Language = 1;
    s.ShowLore = read.Boolean("LOA", true);
    s.ShowInfoText = read.Boolean("TUA", true);
    s.StartInTray = read.Boolean("SMM", false);
    s.LoreMoonLore = read.Boolean("MWH", true);
    s.LoreMoonTrivia = read.Boolean("MOF", true);
    s.InfoQuickFacts = read.Boolean("EIZ", true);
    s.InfoTraditionalNames = read.Boolean("TRN", true);
    s.InfoCelticNames = read.Boolean("KEN", true);
    s.InfoMedievalNames = read.Boolean("EMN", true);
    s.CountrySlot = read.Integer("SLA", 0);
    s.City.clear();
    read.Text("SST", s.City);
    s.Longitude = read.Degrees("SLG", 180);
    s.Latitude = read.Degrees("SBG", 90);
    if (s.City.empty()) {
        s.City = TSettings::DefaultCity;
        s.Longitude = TSettings::DefaultLongitude;
        s.Latitude = TSettings::DefaultLatitude;
    }
    return u;
}

void SaveSettings(const UserSettings& u, SettingsStore& store, const SettingsMessage& report) {
    if (!store.RemoveGroup()) {
        // Nothing can be written: say so once and leave what is stored.
        report("Failed to create key Optionen");
        return;
    }
    const TSettings& s = u.Settings;
    const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    const std::string values[14] = {
        std::to_string(u.Language),    flag(s.ShowLore),          flag(s.ShowInfoText),
        flag(s.StartInTray),           flag(s.LoreMoonLore),      flag(s.LoreMoonTrivia),
        flag(s.InfoQuickFacts),        flag(s.InfoTraditionalNames), flag(s.InfoCelticNames),
        flag(s.InfoMedievalNames),     std::to_string(s.CountrySlot), s.City,
        Hundredths(s.Longitude),       Hundredths(s.Latitude)};
    for (int i = 0; i < 14; ++i) {
        switch (store.Write(SettingsKeys[i], values[i])) {
            case SettingsStore::WriteStatus::CannotCreateGroup:
                report("Failed to create key Optionen");
                return;
            case SettingsStore::WriteStatus::Refused:
                report(std::string("Failed to set data for '") + SettingsKeys[i] + "'");
                break;
            case SettingsStore::WriteStatus::Written:
            case SettingsStore::WriteStatus::Skipped: break;
        }
    }
    if (!store.Sync()) report("Failed to create key Optionen");
}

}  // namespace selenara
