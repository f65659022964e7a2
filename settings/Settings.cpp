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

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;  // clang 14 deduces no aggregates

// Reads one field into `u`, which holds the defaults, by the codec of its
// member's type (see SettingsField).
void Decode(const SettingsField& field, Reader& read, UserSettings& u) {
    const char* key = field.Key;
    TSettings& s = u.Settings;
    std::visit(Overloaded{
                   [&](LanguageId UserSettings::*m) {
                       // Any other number would leave every caption blank.
                       const auto low = static_cast<LanguageId>(read.Integer(key, u.*m) & 0xFF);
                       if (low == German || low == English) u.*m = low;
                   },
                   [&](bool TSettings::*m) { s.*m = read.Integer(key, s.*m ? 1 : 0) != 0; },
                   [&](std::int32_t TSettings::*m) { s.*m = read.Integer(key, s.*m); },
                   [&](std::string TSettings::*m) {
                       (s.*m).clear();
                       read.Text(key, s.*m);
                   },
                   [&](DegreesMember d) {
                       const std::int32_t v = read.Integer(key, 0);
                       const bool within = v >= -100 * d.Limit && v <= 100 * d.Limit;
                       s.*d.Member = within ? static_cast<double>(v) / 100.0 : 0.0;
                   },
               },
               field.Member);
}

std::string Encode(const SettingsField& field, const UserSettings& u) {
    const TSettings& s = u.Settings;
    return std::visit(Overloaded{
                          [&](LanguageId UserSettings::*m) { return std::to_string(u.*m); },
                          [&](bool TSettings::*m) { return std::string(s.*m ? "1" : "0"); },
                          [&](std::int32_t TSettings::*m) { return std::to_string(s.*m); },
                          [&](std::string TSettings::*m) { return s.*m; },
                          [&](DegreesMember d) { return Hundredths(s.*d.Member); },
                      },
                      field.Member);
}

}  // namespace

UserSettings LoadSettings(SettingsStore& store, const SettingsMessage& report) {
    Reader read(store, report);
    UserSettings u;
    for (const SettingsField& field : SettingsTable) Decode(field, read, u);
    TSettings& s = u.Settings;
    if (s.City.empty()) {
        const TSettings defaults;
        s.City = defaults.City;
        s.Longitude = defaults.Longitude;
        s.Latitude = defaults.Latitude;
    }
    return u;
}

void SaveSettings(const UserSettings& u, SettingsStore& store, const SettingsMessage& report) {
    if (!store.RemoveGroup()) {
        // Nothing can be written: say so once and leave what is stored.
        report("Failed to create key Optionen");
        return;
    }
    for (const SettingsField& field : SettingsTable) {
        switch (store.Write(field.Key, Encode(field, u))) {
            case SettingsStore::WriteStatus::CannotCreateGroup:
                report("Failed to create key Optionen");
                return;
            case SettingsStore::WriteStatus::Refused:
                report(std::string("Failed to set data for '") + field.Key + "'");
                break;
            case SettingsStore::WriteStatus::Written:
            case SettingsStore::WriteStatus::Skipped: break;
        }
    }
    if (!store.Sync()) report("Failed to create key Optionen");
}

}  // namespace selenara
