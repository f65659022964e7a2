// Arbitrary text and any slot or position into the lookups of the built-in
// location table: an index, an entry or the documented "nothing".
//
// Input: four bytes of slot, four of position, one of language, then the text.
#include "FuzzInput.h"

#include "settings/LocationTable.h"

#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace selenara;
    FuzzedDataProvider p(data, size);
    // Mostly slots and positions of the table and just around it.
    const int slot = p.ConsumeBool() ? p.ConsumeIntegralInRange(-4, 105) : p.ConsumeIntegral<int>();
    const int position = p.ConsumeBool() ? p.ConsumeIntegralInRange(-2, 35) : p.ConsumeIntegral<int>();
    const int language = p.ConsumeIntegralInRange(0, 3);
    const std::string text = p.ConsumeRemainingBytesAsString();

    const std::vector<std::string>& names = CityNames(slot);
    FUZZ_CHECK(names.size() == CityLongitudes(slot).size() && names.size() == CityLatitudes(slot).size());
    const int found = FindCity(slot, text);
    FUZZ_CHECK(found >= -1 && found < static_cast<int>(names.size()));
    if (found >= 0) FUZZ_CHECK(std::string_view(names[static_cast<std::size_t>(found)]).starts_with(text));
    const std::optional<CityEntry> entry = LookupCity(slot, text);
    FUZZ_CHECK(entry.has_value() == (found >= 0));
    if (entry) {
        FUZZ_CHECK(entry->Name == names[static_cast<std::size_t>(found)]);
        FUZZ_CHECK(std::fabs(entry->Longitude) <= 180.0 && std::fabs(entry->Latitude) <= 90.0);
        FUZZ_CHECK(FindCity(slot, entry->Name) == found);  // a full name finds its own entry
    }

    const int slotOfPosition = SlotOfPosition(position);
    FUZZ_CHECK(slotOfPosition >= 0 && slotOfPosition < 3 * CountryCount && slotOfPosition % 3 == 0);
    if (position >= 0 && position < CountryCount) FUZZ_CHECK(PositionOfSlot(slotOfPosition) == position);
    const int positionOfSlot = PositionOfSlot(slot);
    FUZZ_CHECK(positionOfSlot >= 0 && positionOfSlot < CountryCount);
    const std::string country = CountryName(position, language);
    FUZZ_CHECK(country.empty() == (position < 0 || position >= CountryCount || language < 1 || language > 2));
    FUZZ_CHECK(ListName(slot).empty() == (slot < 0 || slot >= 3 * CountryCount));
    const double coordinate = ParseCoordinate(text);
    FUZZ_CHECK(std::isfinite(coordinate));
    return 0;
}
