// The built-in location table: 34 countries, each with an ordered list of
// places (name, longitude, latitude) to pick the observer's location from.
//
// The lists live in a store of 102 lists, three a country: a country's
// CountrySlot s holds its names, s + 1 the longitudes and s + 2 the
// latitudes. Germany is slot 0, then Austria 3, Switzerland 6, Great
// Britain 9, France 12, the others in display order up to White Russia 99.
// Coordinates are kept as German decimal texts ("-85,482", degrees east and
// north), as the place dialog shows them. The data is embedded in the
// program and parsed once, on first use.
#pragma once

#include "settings/Settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selenara {

inline constexpr int CountryCount = 34;

// The slot of the country at a display position (German alphabetical order,
// 0..33); a position outside 0..33 gives slot 0 (Germany).
int SlotOfPosition(int position);

// The display position of a slot; a slot not in the table gives 0.
int PositionOfSlot(int slot);

// A country's name at a display position, in German or English. Empty for
// any other language or a bad position.
std::string CountryName(int position, LanguageId language);

// The descriptive name of list `slot` of the store (0..101), such as
// "Deutschland_Namen", "Deutschland_Laengengrad", "Deutschland_Breitengrad";
// empty outside the store. Informative only: nothing looks lists up by it.
std::string ListName(int slot);

// The three lists of the country at `slot`, in list order; the first entry
// is the one offered when the country changes. An invalid slot gives an
// empty list.
const std::vector<std::string>& CityNames(int slot);
const std::vector<std::string>& CityLongitudes(int slot);
const std::vector<std::string>& CityLatitudes(int slot);

// The index of the first entry, in list order, whose first n bytes equal
// `text` (n = its length): exact and case-sensitive, so "Aach" finds
// "Aach/Hegau/Singen" and an entry shorter than the text never matches.
// Empty text matches entry 0. Returns -1 when nothing matches or the slot
// is invalid. Every entry's full name finds that entry.
int FindCity(int slot, std::string_view text);

// A German decimal text as a number: "-85,482" -> -85.482, "8,85" -> 8.85,
// "47" -> 47. A malformed text (empty, a point for the comma, stray
// characters) gives 0.0.
double ParseCoordinate(std::string_view germanDecimal);

struct CityEntry {
    std::string Name;  // as stored in the list, not as typed
    double Longitude;  // degrees east
    double Latitude;   // degrees north
};

// The confirmation lookup: the entry FindCity picks, with its stored name
// (typing "Aach" yields "Aach/Hegau/Singen") and coordinates; nothing when
// FindCity finds nothing.
std::optional<CityEntry> LookupCity(int slot, std::string_view text);

}  // namespace selenara
