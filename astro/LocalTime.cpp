#include "astro/LocalTime.h"

#include <algorithm>

namespace selenara {

DayNumber TodayDayNumber(const ZoneClock& clock) { return clock.LocalNow().Day; }

SecondOfDay NowSecondOfDay(const ZoneClock& clock) { return clock.LocalNow().Second; }

static std::int64_t MinuteCount(DayTime t) {
    return std::int64_t{t.Day} * 1440 + FloorDiv(t.Second, 60);
}

DayTime UtcToLocal(DayTime ut, const ZoneClock& clock) {
    const std::int64_t minutes = MinuteCount(ut) + clock.UtcOffsetMinutesAt(ut);
    return {static_cast<DayNumber>(FloorDiv(minutes, 1440)),
            static_cast<SecondOfDay>(FloorMod(minutes, 1440) * 60 + FloorMod(ut.Second, 60))};
}

int OffsetMinutesBetween(DayTime ut, DayTime local) {
    return static_cast<int>(MinuteCount(local) - MinuteCount(ut));
}

namespace {

// The local clock reading, in seconds from local 0h of day 0, at a UT second.
std::int64_t LocalSecondAt(std::int64_t ut, const ZoneClock& clock) {
    return ut + std::int64_t{60} * clock.UtcOffsetMinutesAt(DayTimeOfSecondCount(ut));
}

// The first UT second at which the local clock reads `local` or later.
std::int64_t FirstUtReading(std::int64_t local, const ZoneClock& clock) {
    // Where the offset is the same on both sides, one correction finds it.
    const std::int64_t guess = local - (LocalSecondAt(local, clock) - local);
    const std::int64_t second = local - (LocalSecondAt(guess, clock) - guess);
    if (second == guess) return guess;
    // The offset changes between the two: bracket the change and halve.
    std::int64_t before = std::min(guess, second), after = std::max(guess, second);
    for (int i = 0; i < 48 && LocalSecondAt(after, clock) < local; ++i) after += 3600;
    for (int i = 0; i < 48 && LocalSecondAt(before, clock) >= local; ++i) before -= 3600;
    while (after - before > 1) {
        const std::int64_t middle = before + (after - before) / 2;
        (LocalSecondAt(middle, clock) >= local ? after : before) = middle;
    }
    return after;
}

}  // namespace

DayTime LocalToUtc(DayTime local, const ZoneClock& clock) {
    const std::int64_t reading = SecondCount(local);
    std::int64_t ut = FirstUtReading(reading, clock);
    // Where the clock was set back, the offset of the day before reads the
    // same time an hour or so earlier: the first time round.
    const std::int64_t before = reading - (LocalSecondAt(ut - SecondsPerDay, clock) - (ut - SecondsPerDay));
    if (before < ut && LocalSecondAt(before, clock) == reading) ut = before;
    return DayTimeOfSecondCount(ut);
}

UtSpan LocalDayInUt(DayNumber localDay, const ZoneClock& clock) {
    const std::int64_t start = std::int64_t{localDay} * SecondsPerDay;
    return {FirstUtReading(start, clock), FirstUtReading(start + SecondsPerDay, clock)};
}

}  // namespace selenara
