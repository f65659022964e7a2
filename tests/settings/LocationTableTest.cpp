#include "settings/LocationTable.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace selenara {
namespace {

// By display position: count of places and a rough bounding box.
struct Expected {
    int count;
    double lonMin, lonMax, latMin, latMax;
};
constexpr Expected Countries[CountryCount] = {
    {1, 19.0, 21.1, 39.6, 42.7},    {3, 2.5, 6.4, 49.5, 51.5},      {1, 22.3, 28.7, 41.2, 44.3},
    {9, 8.0, 15.2, 54.5, 57.8},     {7662, 5.8, 15.1, 47.2, 55.1},  {1, 20.0, 31.6, 59.7, 70.1},
    {33, -5.0, 9.6, 41.3, 51.1},    {5, 19.3, 29.7, 34.8, 41.8},    {27, -8.2, 1.8, 49.9, 60.9},
    {2, -10.5, -6.0, 51.4, 55.4},   {2, -24.6, -13.4, 63.3, 66.6},  {17, 6.6, 18.6, 35.5, 47.1},
    {3, 18.8, 23.1, 42.2, 46.2},    {2, 13.4, 19.5, 42.3, 46.6},    {1, 9.4, 9.7, 47.0, 47.3},
    {1, 5.7, 6.6, 49.4, 50.2},      {1, 7.4, 7.45, 43.7, 43.76},    {11, 3.3, 7.3, 50.7, 53.6},
    {7, 4.5, 31.2, 57.9, 71.2},     {33, 9.5, 17.2, 46.3, 49.1},    {205, 14.1, 24.2, 49.0, 54.9},
    {2, -9.6, -6.1, 36.9, 42.2},    {3, 20.2, 29.8, 43.6, 48.3},    {20, 19.6, 180.0, 41.1, 82.0},
    {4, 10.9, 24.2, 55.3, 69.1},    {28, 5.9, 10.5, 45.8, 47.9},    {3, 16.8, 22.6, 47.7, 49.7},
    {12, -18.2, 4.4, 27.6, 43.8},   {8, 12.0, 18.9, 48.5, 51.1},    {5, 25.6, 44.9, 35.8, 42.2},
    {1, 16.1, 22.9, 45.7, 48.6},    {513, -180.0, -66.0, 18.0, 72.0}, {1, 12.44, 12.46, 41.89, 41.91},
    {1, 23.1, 32.8, 51.2, 56.2},
};
constexpr int Germany = 0, Usa = 93;

TEST(LocationTable, CountsPerCountryAndInAll) {
    std::size_t total = 0;
    for (int p = 0; p < CountryCount; ++p) {
        const int slot = SlotOfPosition(p);
        EXPECT_EQ(CityNames(slot).size(), std::size_t(Countries[p].count)) << CountryName(p, 1);
        EXPECT_EQ(CityLongitudes(slot).size(), CityNames(slot).size());
        EXPECT_EQ(CityLatitudes(slot).size(), CityNames(slot).size());
        total += CityNames(slot).size();
    }
    EXPECT_EQ(total, 8628u);
}

TEST(LocationTable, SlotsPositionsAndNames) {
    EXPECT_EQ(SlotOfPosition(4), 0);
    EXPECT_EQ(SlotOfPosition(19), 3);
    EXPECT_EQ(SlotOfPosition(0), 15);
    EXPECT_EQ(SlotOfPosition(33), 99);
    EXPECT_EQ(SlotOfPosition(-1), 0);
    EXPECT_EQ(SlotOfPosition(34), 0);
    for (int p = 0; p < CountryCount; ++p) EXPECT_EQ(PositionOfSlot(SlotOfPosition(p)), p);
    EXPECT_EQ(PositionOfSlot(1), 0);
    EXPECT_EQ(PositionOfSlot(102), 0);
    EXPECT_EQ(PositionOfSlot(-3), 0);

    EXPECT_EQ(CountryName(3, 1), "Dänemark");
    EXPECT_EQ(CountryName(3, 2), "Danmark");
    EXPECT_EQ(CountryName(23, 1), "Rußland");
    EXPECT_EQ(CountryName(33, 2), "White Russia");
    EXPECT_EQ(CountryName(19, 2), "Austria");  // English follows the German order
    EXPECT_EQ(CountryName(4, 0), "");
    EXPECT_EQ(CountryName(4, 3), "");
    EXPECT_EQ(CountryName(34, 1), "");

    EXPECT_EQ(ListName(0), "Deutschland_Namen");
    EXPECT_EQ(ListName(4), "Oesterreich_Laengengrad");
    EXPECT_EQ(ListName(101), "Weissrussland_Breitengrad");
    EXPECT_EQ(ListName(102), "");
}

TEST(FindCity, PrefixMatchInListOrder) {
    EXPECT_EQ(FindCity(Germany, "Aach"), 0);
    const auto aach = LookupCity(Germany, "Aach");
    ASSERT_TRUE(aach);
    EXPECT_EQ(aach->Name, "Aach/Hegau/Singen");
    EXPECT_DOUBLE_EQ(aach->Longitude, 8.85);
    EXPECT_DOUBLE_EQ(aach->Latitude, 47.83);

    const int aachen = FindCity(Germany, "Aachen");
    ASSERT_GT(aachen, 0);
    EXPECT_EQ(CityNames(Germany)[std::size_t(aachen)], "Aachen");
    EXPECT_EQ(FindCity(Germany, "aachen"), -1);                  // case-sensitive
    EXPECT_EQ(FindCity(Germany, "Aach/Hegau/Singen/Nord"), -1);  // longer than every entry
    EXPECT_FALSE(LookupCity(Germany, "Zzz"));

    EXPECT_EQ(FindCity(Usa, "Auburn"), -1);  // the state code comes first
    EXPECT_EQ(FindCity(Usa, "AL,Aub"), -1);  // no Auburn, Alabama in this data
    const auto usaFirst = LookupCity(Usa, "");
    ASSERT_TRUE(usaFirst);
    EXPECT_EQ(usaFirst->Name, "AL,Birmingham");
    EXPECT_DOUBLE_EQ(usaFirst->Longitude, -86.802);
    EXPECT_DOUBLE_EQ(usaFirst->Latitude, 33.521);

    EXPECT_EQ(FindCity(1, ""), -1);
    EXPECT_EQ(FindCity(102, "Aach"), -1);
    EXPECT_TRUE(CityNames(-3).empty());
    EXPECT_TRUE(CityLatitudes(100).empty());
}

TEST(FindCity, GermanListSortsUmlautsAsBaseLetters) {
    // Umlauts sort as their base letters (DIN 5007), not after "z".
    EXPECT_LT(FindCity(Germany, "Offenburg"), FindCity(Germany, "Öhringen"));
    EXPECT_LT(FindCity(Germany, "Öhringen"), FindCity(Germany, "Oldenburg"));
}

TEST(FindCity, EveryEntryIsFoundByItsFullName) {
    for (int p = 0; p < CountryCount; ++p) {
        const int slot = SlotOfPosition(p);
        EXPECT_EQ(FindCity(slot, ""), 0);
        const auto& names = CityNames(slot);
        for (std::size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(FindCity(slot, names[i]), int(i)) << names[i] << " in " << CountryName(p, 1);
    }
}

TEST(LocationTable, CoordinatesAreWellFormedAndInsideTheirCountry) {
    const std::regex europe("-?\\d+,\\d{2}"), usa("-?\\d+,\\d{3}");
    for (int p = 0; p < CountryCount; ++p) {
        const int slot = SlotOfPosition(p);
        const Expected& box = Countries[p];
        for (std::size_t i = 0; i < CityNames(slot).size(); ++i) {
            const std::string &lon = CityLongitudes(slot)[i], &lat = CityLatitudes(slot)[i];
            const std::string& name = CityNames(slot)[i];
            EXPECT_TRUE(std::regex_match(lon, slot == Usa ? usa : europe)) << name << " " << lon;
            EXPECT_TRUE(std::regex_match(lat, slot == Usa ? usa : europe)) << name << " " << lat;
            EXPECT_TRUE(ParseCoordinate(lon) >= box.lonMin && ParseCoordinate(lon) <= box.lonMax) << name << " " << lon;
            EXPECT_TRUE(ParseCoordinate(lat) >= box.latMin && ParseCoordinate(lat) <= box.latMax) << name << " " << lat;
        }
    }
}

TEST(LocationTable, UsaNamesCarryTheStateAndFollowStateNames) {
    const std::regex form("[A-Z]{2},.+");
    std::set<std::string> states;
    for (const std::string& name : CityNames(Usa)) {
        EXPECT_TRUE(std::regex_match(name, form)) << name;
        states.insert(name.substr(0, 2));
    }
    EXPECT_EQ(states.size(), 50u);
    // Idaho, Illinois, Indiana, Iowa: by name, not by code.
    EXPECT_LT(FindCity(Usa, "ID,"), FindCity(Usa, "IL,"));
    EXPECT_LT(FindCity(Usa, "IN,"), FindCity(Usa, "IA,"));
    EXPECT_EQ(CityNames(Usa).back().substr(0, 3), "WY,");
}

TEST(LocationTable, SinglePlaceCountriesOfferThatPlace) {
    const std::pair<int, const char*> singles[] = {
        {0, "Tirana"},  {2, "Sofia"},   {5, "Helsinki"}, {14, "Vaduz"},       {15, "Luxemburg"},
        {16, "Monaco"}, {30, "Budapest"}, {32, "Vatikanstadt"}, {33, "Minsk"},
    };
    for (const auto& [position, name] : singles) {
        EXPECT_EQ(CityNames(SlotOfPosition(position)), std::vector<std::string>{name});
        EXPECT_EQ(FindCity(SlotOfPosition(position), ""), 0);
    }
}

TEST(ParseCoordinate, GermanDecimalsAndMalformedTexts) {
    EXPECT_DOUBLE_EQ(ParseCoordinate("-85,482"), -85.482);
    EXPECT_DOUBLE_EQ(ParseCoordinate("8,85"), 8.85);
    EXPECT_DOUBLE_EQ(ParseCoordinate("-0,50"), -0.5);
    EXPECT_DOUBLE_EQ(ParseCoordinate("47"), 47.0);
    for (const char* bad : {"", "-", "8.85", ",5", "5,", "1,2,3", "--1,0", "+8,85", "8,85 ", "x"})
        EXPECT_EQ(ParseCoordinate(bad), 0.0) << '"' << bad << '"';
}

}  // namespace
}  // namespace selenara
