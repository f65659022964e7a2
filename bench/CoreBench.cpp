// Timings of the core operations behind the calendar page, the tray icon
// and the rise/set display, and of whole-range sweeps over them.
#include "astro/Calendar.h"
#include "astro/RiseSet.h"
#include "model/MonthTable.h"
#include "model/MoonDay.h"
#include "model/PhaseDays.h"
#include "platform/SystemClock.h"

#include <benchmark/benchmark.h>

namespace selenara {
namespace {

// A zone without rules to look up: one hour east of UT, a fixed "now".
class FixedClock final : public ZoneClock {
public:
    UtDayTime UtNow() const override { return {DateToDayNumber(15, 6, 2024), JoinSecondOfDay(11, 0, 0)}; }
    int UtcOffsetSecondsAt(UtDayTime) const override { return 3600; }
};

const SystemClock systemClock;
const FixedClock fixedClock;

constexpr Observer Place{.Longitude = 8.85, .Latitude = 47.83};
constexpr DayNumber SweepFirst = DateToDayNumber(1, 1, 1990);
constexpr DayNumber SweepLast = DateToDayNumber(31, 12, 2030);
constexpr int SweepDays = SweepLast - SweepFirst + 1;

// Single operations walk through several years so that no one case stays hot.
void BM_MonatAufbauen(benchmark::State& state, const ZoneClock* clock) {
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MonatAufbauen(i % 12 + 1, 2020 + i / 12 % 8, TodayDayNumber(*clock), *clock));
        ++i;
    }
}
BENCHMARK_CAPTURE(BM_MonatAufbauen, SystemClock, &systemClock)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MonatAufbauen, FixedClock, &fixedClock)->Unit(benchmark::kMicrosecond);

void BM_MoonRiseSet(benchmark::State& state) {
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MoonRiseSet(SweepFirst + i++ % 1461, Place));
}
BENCHMARK(BM_MoonRiseSet)->Unit(benchmark::kMicrosecond);

// What the day hint asks for one click: the local day's events.
void BM_MondAufUntergang(benchmark::State& state, double latitude) {
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MondAufUntergang(SweepFirst + i++ % 1461, {.Longitude = Place.Longitude, .Latitude = latitude}, systemClock));
}
BENCHMARK_CAPTURE(BM_MondAufUntergang, MidLatitude, Place.Latitude)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MondAufUntergang, Longyearbyen, 78.22)->Unit(benchmark::kMicrosecond);

void BM_MondAlter(benchmark::State& state, const ZoneClock* clock) {
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(MondAlter(SweepFirst + i++ % 1461, *clock));
}
BENCHMARK_CAPTURE(BM_MondAlter, SystemClock, &systemClock)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MondAlter, FixedClock, &fixedClock)->Unit(benchmark::kMicrosecond);

// Sweeps: the time of one whole sweep, plus the (CPU) time of each item in it.
void PerItem(benchmark::State& state, int items) {
    state.counters["per_item"] = benchmark::Counter(
        items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SweepMonths1600To3999(benchmark::State& state, const ZoneClock* clock) {
    for (auto _ : state)
        for (int jahr = FirstYear; jahr <= LastYear; ++jahr)
            for (int monat = 1; monat <= 12; ++monat)
                benchmark::DoNotOptimize(MonatAufbauen(monat, jahr, TodayDayNumber(*clock), *clock));
    PerItem(state, (LastYear - FirstYear + 1) * 12);
}
BENCHMARK_CAPTURE(BM_SweepMonths1600To3999, SystemClock, &systemClock)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepMonths1600To3999, FixedClock, &fixedClock)
    ->Unit(benchmark::kMillisecond);

void BM_SweepMoonRiseSet1990To2030(benchmark::State& state) {
    for (auto _ : state)
        for (DayNumber day = SweepFirst; day <= SweepLast; ++day)
            benchmark::DoNotOptimize(MoonRiseSet(day, Place));
    PerItem(state, SweepDays);
}
BENCHMARK(BM_SweepMoonRiseSet1990To2030)->Unit(benchmark::kMillisecond);

void BM_SweepMondAufUntergang1990To2030(benchmark::State& state, const ZoneClock* clock) {
    for (auto _ : state)
        for (DayNumber day = SweepFirst; day <= SweepLast; ++day)
            benchmark::DoNotOptimize(MondAufUntergang(day, Place, *clock));
    PerItem(state, SweepDays);
}
BENCHMARK_CAPTURE(BM_SweepMondAufUntergang1990To2030, SystemClock, &systemClock)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SweepMondAufUntergang1990To2030, FixedClock, &fixedClock)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace selenara
