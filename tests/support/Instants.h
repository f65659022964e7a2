// Instants for tables of test cases, and their printing in failures.
#pragma once

#include "astro/TimeScales.h"

#include <ostream>

namespace selenara {

// gtest prints a value through PrintTo found beside its type.
inline void PrintTo(SecondOfDay s, std::ostream* os) { *os << SecondsSinceMidnight(s) << " s"; }
template <TimeScale Scale>
void PrintTo(DayTime<Scale> t, std::ostream* os) {
    *os << "day " << t.Day << ", " << SecondsSinceMidnight(t.Second) << " s";
}

namespace testing {

constexpr SecondOfDay Hms(int hours, int minutes = 0, int seconds = 0) {
    return SecondOfDay{hours * 3600 + minutes * 60 + seconds};
}
constexpr UtDayTime Ut(DayNumber day, int hours, int minutes = 0, int seconds = 0) {
    return {day, Hms(hours, minutes, seconds)};
}
constexpr LocalDayTime Local(DayNumber day, int hours, int minutes = 0, int seconds = 0) {
    return {day, Hms(hours, minutes, seconds)};
}

}  // namespace testing
}  // namespace selenara
