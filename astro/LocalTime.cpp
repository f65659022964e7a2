#include "astro/LocalTime.h"

#include <algorithm>

namespace selenara {

LocalDayTime UtcToLocal(UtDayTime ut, const ZoneClock& clock) {
    return LocalDayTime::OfSecondCount(SecondCount(ut) + clock.UtcOffsetSecondsAt(ut));
}

int OffsetSecondsBetween(UtDayTime ut, LocalDayTime local) {
    return static_cast<int>(SecondCount(local) - SecondCount(ut));
}

ClockReading ReadClock(const ZoneClock& clock) {
    const UtDayTime ut = clock.UtNow();
    const LocalDayTime local = UtcToLocal(ut, clock);
    if (IsValidDay(local.Day)) return {ut, local};
    // The first instant of the first day, or the last of the last.
    const bool early = local.Day < FirstDay;
    const UtSpan day = LocalDayInUt(early ? FirstDay : LastDay, clock);
    const UtDayTime end = UtDayTime::OfSecondCount(early ? day.Begin : day.End - 1);
    return {end, UtcToLocal(end, clock)};
}

DayNumber TodayDayNumber(const ZoneClock& clock) { return ReadClock(clock).Local.Day; }

SecondOfDay NowSecondOfDay(const ZoneClock& clock) { return ReadClock(clock).Local.Second; }

namespace {

// The local clock reading, in seconds from local 0h of day 0, at a UT second.
std::int64_t LocalSecondAt(std::int64_t ut, const ZoneClock& clock) {
    return ut + clock.UtcOffsetSecondsAt(UtDayTime::OfSecondCount(ut));
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

UtDayTime LocalToUtc(LocalDayTime local, const ZoneClock& clock) {
    const std::int64_t reading = SecondCount(local);
    std::int64_t ut = FirstUtReading(reading, clock);
    // Where the clock was set back, the offset of the day before reads the
    // same time an hour or so earlier: the first time round.
    const std::int64_t before = reading - (LocalSecondAt(ut - SecondsPerDay, clock) - (ut - SecondsPerDay));
    if (before < ut && LocalSecondAt(before, clock) == reading) ut = before;
    return UtDayTime::OfSecondCount(ut);
}

UtSpan LocalDayInUt(DayNumber localDay, const ZoneClock& clock) {
    const std::int64_t start = std::int64_t{localDay} * SecondsPerDay;
    return {FirstUtReading(start, clock), FirstUtReading(start + SecondsPerDay, clock)};
}

}  // namespace selenara
