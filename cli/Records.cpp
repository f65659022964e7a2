#include "cli/Records.h"

#include "astro/LocalTime.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace selenara {

std::string IsoDate(DayNumber day) {
    const Date d = DayNumberToDate(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.Year, d.Month, d.Day);
    return text;
}

std::string IsoClock(SecondOfDay second) {
    const ClockTime c = SplitSecondOfDay(second);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", c.Hours, c.Minutes, c.Seconds);
    return text;
}

std::string IsoLocalTime(UtDayTime ut, LocalDayTime local) {
    const int seconds = OffsetSecondsBetween(ut, local);
    const int size = std::abs(seconds);
    char offset[32];
    const int length = std::snprintf(offset, sizeof offset, "%c%02d:%02d", seconds < 0 ? '-' : '+',
                                     size / 3600, size / 60 % 60);
    // Seconds only where the offset has them, as local mean time does.
    if (size % 60 != 0 && length > 0)
        std::snprintf(offset + length, sizeof offset - static_cast<std::size_t>(length), ":%02d", size % 60);
    return IsoDate(local.Day) + 'T' + IsoClock(local.Second) + offset;
}

std::string FixedPoint(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    // The sign, the 309 digits of the largest double, the point and nine decimals.
    std::array<char, 320> text{};
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

std::string_view KindName(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return "new";
        case PhaseKind::FirstQuarter: return "first";
        case PhaseKind::FullMoon: return "full";
        case PhaseKind::LastQuarter: return "last";
        case PhaseKind::BlueMoon: return "blue";
        case PhaseKind::None: break;
    }
    return "";
}

}  // namespace selenara
