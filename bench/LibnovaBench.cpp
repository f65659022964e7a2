// MoonRiseSet side by side with libnova's lunar rise/set: the same 365 days
// of 2007 at the same place, then the ratio of the two times and, as a
// plausibility check, the largest differences between the two results.
#include "astro/Calendar.h"
#include "astro/RiseSet.h"

#include <benchmark/benchmark.h>
#include <libnova/lunar.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace selenara;

constexpr double Longitude = 8.85, Latitude = 47.83;
const DayNumber First2007 = DateToDayNumber(1, 1, 2007);
constexpr int Days = 365;

// libnova (>= 0.12) takes longitude east positive, as we do.
ln_lnlat_posn observer{Longitude, Latitude};

void BM_Selenara2007(benchmark::State& state) {
    for (auto _ : state)
        for (int i = 0; i < Days; ++i)
            benchmark::DoNotOptimize(MoonRiseSet(First2007 + i, {.Longitude = Longitude, .Latitude = Latitude}));
}
BENCHMARK(BM_Selenara2007)->Unit(benchmark::kMillisecond);

void BM_Libnova2007(benchmark::State& state) {
    ln_rst_time rst{};
    for (auto _ : state)
        for (int i = 0; i < Days; ++i) {
            benchmark::DoNotOptimize(
                ln_get_lunar_rst(DayNumberToJulianDate(First2007 + i), &observer, &rst));
            benchmark::DoNotOptimize(rst);
        }
}
BENCHMARK(BM_Libnova2007)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps each benchmark's real time per iteration in
// seconds (the mean over repetitions when there are any).
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;
    std::map<std::string, double> RealTime;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
            if (mean || (run.run_type == Run::RT_Iteration && run.repetitions <= 1))
                RealTime[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

// Largest |ours - libnova| in minutes over the days where both put the event
// on that UT day.
struct Difference {
    double Minutes = 0.0;
    DayNumber Day = InvalidDay;
    int Days = 0;

    void Add(DayNumber day, std::int32_t second, double novaMinutes) {
        if (second < 0 || novaMinutes < 0.0 || novaMinutes >= 1440.0) return;
        const double diff = std::fabs(second / 60.0 - novaMinutes);
        if (diff > Minutes) Minutes = diff, Day = day;
        ++Days;
    }
    void Print(const char* what) const {
        const Date d = DayNumberToDate(Day);
        std::printf("largest %s difference 2007: %.2f min (on %04d-%02d-%02d), %d days compared\n",
                    what, Minutes, d.Year, d.Month, d.Day, Days);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                     : benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ours = reporter.RealTime.find("BM_Selenara2007");
    const auto nova = reporter.RealTime.find("BM_Libnova2007");
    if (ours != reporter.RealTime.end() && nova != reporter.RealTime.end() && ours->second > 0)
        std::printf("ratio selenara/libnova: %.3g (libnova takes %.0f times as long)\n",
                    ours->second / nova->second, nova->second / ours->second);

    Difference rise, set;
    for (int i = 0; i < Days; ++i) {
        const DayNumber day = First2007 + i;
        const double jd = DayNumberToJulianDate(day);
        ln_rst_time rst{};
        if (ln_get_lunar_rst(jd, &observer, &rst) != 0) continue;
        const RiseSetTimes r = MoonRiseSet(day, {.Longitude = Longitude, .Latitude = Latitude});
        rise.Add(day, r.Rise, (rst.rise - jd) * 1440.0);
        set.Add(day, r.Set, (rst.set - jd) * 1440.0);
    }
    rise.Print("rise");
    set.Print("set");
    return 0;
}
