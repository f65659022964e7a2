#include "settings/LocationTable.h"

#include "settings/TsvRecords.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <system_error>

// resources/places.tsv, embedded by the build (raw bytes, no terminating NUL).
extern const unsigned char PlaceData[];
extern const std::size_t PlaceData_size;

namespace selenara {
namespace {

struct Country {
    const char* German;
    const char* English;
    int Slot;
    const char* ListPrefix;  // of the descriptive list names
};

// In display order: German alphabetical.
constexpr std::array<Country, CountryCount> Countries{{
    {"Albanien", "Albania", 15, "Albanien"},
    {"Belgien", "Belgium", 18, "Belgien"},
    {"Bulgarien", "Bulgaria", 21, "Bulgarien"},
    {"Dänemark", "Danmark", 24, "Daenemark"},
    {"Deutschland", "Germany", 0, "Deutschland"},
    {"Finnland", "Finland", 27, "Finnland"},
    {"Frankreich", "France", 12, "Frankreich"},
    {"Griechenland", "Greece", 30, "Griechenland"},
    {"Großbritannien", "Great Britain", 9, "Grossbritannien"},
    {"Irland", "Ireland", 33, "Irland"},
    {"Island", "Iceland", 36, "Island"},
    {"Italien", "Italy", 39, "Italien"},
    {"Jugoslawien", "Yugoslavia", 42, "Jugoslawien"},
    {"Kroatien", "Croatia", 45, "Kroatien"},
    {"Liechtenstein", "Liechtenstein", 48, "Liechtenstein"},
    {"Luxemburg", "Luxembourg", 51, "Luxemburg"},
    {"Monaco", "Monaco", 54, "Monaco"},
    {"Niederlande", "Netherlands", 57, "Niederlande"},
    {"Norwegen", "Norway", 60, "Norwegen"},
    {"Österreich", "Austria", 3, "Oesterreich"},
    {"Polen", "Poland", 63, "Polen"},
    {"Portugal", "Portugal", 66, "Portugal"},
    {"Rumänien", "Romania", 69, "Rumaenien"},
    {"Rußland", "Russia", 72, "Russland"},
    {"Schweden", "Sweden", 75, "Schweden"},
    {"Schweiz", "Switzerland", 6, "Schweiz"},
    {"Slowakei", "Slovakia", 78, "Slowakei"},
    {"Spanien", "Spain", 81, "Spanien"},
    {"Tschechien", "Czechia", 84, "Tschechien"},
    {"Türkei", "Turkey", 87, "Tuerkei"},
    {"Ungarn", "Hungary", 90, "Ungarn"},
    {"USA", "USA", 93, "USA"},
    {"Vatikan", "Vatican", 96, "Vatikan"},
    {"Weißrußland", "White Russia", 99, "Weissrussland"},
}};

constexpr int StoreSize = 3 * CountryCount;

bool IsCountrySlot(int slot) { return slot >= 0 && slot < StoreSize && slot % 3 == 0; }

struct CityLists {
    std::vector<std::string> Names, Longitudes, Latitudes;
};
using Store = std::array<CityLists, CountryCount>;  // by slot / 3

// One place a line: slot, name, longitude, latitude, separated by tabs, in
// list order; '#' opens a comment line. Lines that do not fit are skipped.
Store ParseStore(std::string_view data) {
    Store store;
    ForEachTsvRecord(data, [&store](const std::vector<std::string_view>& fields) {
        if (fields.size() != 4) return;
        const std::string_view slotText = fields[0], name = fields[1], longitude = fields[2],
                               latitude = fields[3];
        int slot = -1;
        const auto [rest, error] = std::from_chars(slotText.data(), slotText.data() + slotText.size(), slot);
        if (error != std::errc() || rest != slotText.data() + slotText.size() || !IsCountrySlot(slot) ||
            name.empty() || longitude.empty() || latitude.empty())
            return;
        CityLists& lists = store[static_cast<std::size_t>(slot / 3)];
        lists.Names.emplace_back(name);
        lists.Longitudes.emplace_back(longitude);
        lists.Latitudes.emplace_back(latitude);
    });
    return store;
}

const Store& Places() {
    static const Store store =
        ParseStore(std::string_view(reinterpret_cast<const char*>(PlaceData), PlaceData_size));
    return store;
}

const CityLists& ListsOf(int slot) {
    static const CityLists none;
    return IsCountrySlot(slot) ? Places()[static_cast<std::size_t>(slot / 3)] : none;
}

}  // namespace

int SlotOfPosition(int position) {
    if (position < 0 || position >= CountryCount) return 0;
    return Countries[static_cast<std::size_t>(position)].Slot;
}

int PositionOfSlot(int slot) {
    for (int position = 0; position < CountryCount; ++position)
        if (Countries[static_cast<std::size_t>(position)].Slot == slot) return position;
    return 0;
}

std::string CountryName(int position, LanguageId language) {
    if (position < 0 || position >= CountryCount) return {};
    const Country& country = Countries[static_cast<std::size_t>(position)];
    if (language == German) return country.German;
    if (language == English) return country.English;
    return {};
}

std::string ListName(int slot) {
    if (slot < 0 || slot >= StoreSize) return {};
    static constexpr const char* Kinds[] = {"_Namen", "_Laengengrad", "_Breitengrad"};
    return std::string(Countries[static_cast<std::size_t>(PositionOfSlot(slot - slot % 3))].ListPrefix) +
           Kinds[slot % 3];
}

const std::vector<std::string>& CityNames(int slot) { return ListsOf(slot).Names; }
const std::vector<std::string>& CityLongitudes(int slot) { return ListsOf(slot).Longitudes; }
const std::vector<std::string>& CityLatitudes(int slot) { return ListsOf(slot).Latitudes; }

int FindCity(int slot, std::string_view text) {
    const std::vector<std::string>& names = CityNames(slot);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].size() >= text.size() && names[i].compare(0, text.size(), text) == 0)
            return static_cast<int>(i);
    return -1;  // no entry starts with the text (or no such country)
}

double ParseCoordinate(std::string_view germanDecimal) {
    // Digits, an optional sign and one comma with digits on both sides; the
    // comma becomes a point for from_chars, which never throws.
    std::string text(germanDecimal);
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t comma = text.find(',');
    const std::size_t intEnd = comma == std::string::npos ? text.size() : comma;
    const auto digits = [&](std::size_t from, std::size_t to) {
        if (from >= to) return false;
        for (std::size_t i = from; i < to; ++i)
            if (text[i] < '0' || text[i] > '9') return false;
        return true;
    };
    if (!digits(start, intEnd) || (comma != std::string::npos && !digits(comma + 1, text.size()))) return 0.0;
    if (comma != std::string::npos) text[comma] = '.';
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::optional<CityEntry> LookupCity(int slot, std::string_view text) {
    const int index = FindCity(slot, text);
    if (index < 0) return std::nullopt;
    const auto i = static_cast<std::size_t>(index);
    return CityEntry{CityNames(slot)[i], ParseCoordinate(CityLongitudes(slot)[i]),
                     ParseCoordinate(CityLatitudes(slot)[i])};
}

}  // namespace selenara
