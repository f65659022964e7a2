// What the fuzz targets share: awkward numbers, days and clocks drawn from
// the fuzzer's bytes, and a check that stops the run with a message.
#pragma once

#include "astro/LocalTime.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace selenara::fuzz {

// A broken promise is a finding like a crash: report it and abort.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

// Any double, with the values that break arithmetic made likely: NaN,
// infinities, the extremes, denormals (built from raw bits), signed zero.
inline double AnyDouble(FuzzedDataProvider& p, double low, double high) {
    switch (p.ConsumeIntegralInRange(0, 3)) {
        case 0: return p.ConsumeFloatingPointInRange(low, high);
        case 1: {
            const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          1e308, -1e308, std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::denorm_min(),
                                          -std::numeric_limits<double>::denorm_min(),
                                          -0.0, 0.0, low, high};
            return special[p.ConsumeIntegralInRange<std::size_t>(0, std::size(special) - 1)];
        }
        case 2: {
            // Exponent 0: a denormal with arbitrary mantissa and sign.
            const auto bits = p.ConsumeIntegral<std::uint64_t>() & 0x800FFFFFFFFFFFFFull;
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
        default: {
            const auto bits = p.ConsumeIntegral<std::uint64_t>();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
    }
}

// Mostly days of the calendar and just beyond it, sometimes any int32.
inline DayNumber AnyDay(FuzzedDataProvider& p) {
    if (p.ConsumeBool()) return p.ConsumeIntegral<DayNumber>();
    return p.ConsumeIntegralInRange<DayNumber>(FirstDay - 40, LastDay + 40);
}

// The end of a span from `first`: mostly up to `span` days later, sometimes any day.
inline DayNumber SpanEnd(FuzzedDataProvider& p, DayNumber first, int span) {
    if (p.ConsumeBool()) return AnyDay(p);
    const std::int64_t last = std::int64_t{first} + p.ConsumeIntegralInRange(0, span);
    return static_cast<DayNumber>(std::min<std::int64_t>(last, std::numeric_limits<DayNumber>::max()));
}

inline SecondOfDay AnySecond(FuzzedDataProvider& p) {
    if (p.ConsumeBool()) return SecondOfDay{p.ConsumeIntegral<std::int32_t>()};
    return SecondOfDay{p.ConsumeIntegralInRange<std::int32_t>(-2, SecondsPerDay + 1)};
}

// A zone with two offsets (within a day either side, as zones must stay,
// seconds and all) changing at one instant, and any "now" in UT, valid or not.
class FuzzClock final : public ZoneClock {
public:
    explicit FuzzClock(FuzzedDataProvider& p)
        : now_{AnyDay(p), AnySecond(p)},
          before_(p.ConsumeIntegralInRange(-SecondsPerDay + 1, SecondsPerDay - 1)),
          after_(p.ConsumeIntegralInRange(-SecondsPerDay + 1, SecondsPerDay - 1)),
          change_(SecondCount(UtDayTime{AnyDay(p), AnySecond(p)})) {}
    UtDayTime UtNow() const override { return now_; }
    int UtcOffsetSecondsAt(UtDayTime ut) const override { return SecondCount(ut) < change_ ? before_ : after_; }

private:
    UtDayTime now_;
    int before_, after_;
    std::int64_t change_;
};

}  // namespace selenara::fuzz
