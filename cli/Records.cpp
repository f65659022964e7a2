#include "cli/Records.h"

#include "astro/LocalTime.h"

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

std::string IsoLocalTime(DayTime ut, DayTime local) {
    const int minutes = OffsetMinutesBetween(ut, local);
    char offset[32];
    std::snprintf(offset, sizeof offset, "%c%02d:%02d", minutes < 0 ? '-' : '+',
                  std::abs(minutes) / 60, std::abs(minutes) % 60);
    return IsoDate(local.Day) + 'T' + IsoClock(local.Second) + offset;
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
