// Arbitrary stored values under the fourteen keys: loading gives each
// key's default or its decoded value, and what is loaded survives a save
// and a second load unchanged.
//
// Input: one value a line, in the order of SettingsKeys. A line starting
// with \x01 stands for a value of another type, \x02 for an unreadable
// one, \x03 for a missing one; missing lines are missing values.
#include "FuzzInput.h"

#include "support/MemoryStore.h"

#include <cmath>
#include <string_view>

namespace selenara::fuzz {
namespace {

int Fill(std::string_view input, testing::MemoryStore& store) {
    int faults = 0;
    for (const char* key : SettingsKeys) {
        if (input.empty()) break;
        const std::size_t end = std::min(input.find('\n'), input.size());
        const std::string_view line = input.substr(0, end);
        input.remove_prefix(std::min(end + 1, input.size()));
        using Status = SettingsStore::ReadStatus;
        const Status status = line.starts_with('\x01')   ? Status::WrongType
                              : line.starts_with('\x02') ? Status::Unreadable
                              : line.starts_with('\x03') ? Status::Missing
                                                         : Status::Text;
        if (status == Status::Missing) continue;
        faults += status != Status::Text;
        store.values[key] = {status, status == Status::Text ? std::string(line) : std::string()};
    }
    return faults;
}

bool IsCoordinate(double v, int limit) {
    return std::isfinite(v) && std::fabs(v) <= limit && std::nearbyint(v * 100.0) / 100.0 == v;
}

}  // namespace
}  // namespace selenara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace selenara;
    using namespace selenara::fuzz;
    testing::MemoryStore store;
    const int faults = Fill({reinterpret_cast<const char*>(data), size}, store);
    int messages = 0;
    const SettingsMessage count = [&](const std::string&) { ++messages; };

    const UserSettings loaded = LoadSettings(store, count);
    const TSettings& s = loaded.Settings;
    FUZZ_CHECK(messages == faults);  // every key is read once
    FUZZ_CHECK(!s.City.empty());
    FUZZ_CHECK(IsCoordinate(s.Longitude, 180) && IsCoordinate(s.Latitude, 90));
    if (s.City == TSettings::DefaultCity && store.Read("SST").Text.empty())
        FUZZ_CHECK(s.Longitude == TSettings::DefaultLongitude && s.Latitude == TSettings::DefaultLatitude);

    testing::MemoryStore saved;
    messages = 0;
    SaveSettings(loaded, saved, count);
    FUZZ_CHECK(messages == 0 && saved.values.size() == 14);
    FUZZ_CHECK(LoadSettings(saved, count) == loaded && messages == 0);
    return 0;
}
