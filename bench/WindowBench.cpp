// A month navigation step on the real window (offscreen platform): the next
// month button rebuilds the month table and refills the 42 cells. The steps
// walk through 1990..2020, so that no one month stays hot.
#include "app/MainWindow.h"
#include "calendarview/CalendarView.h"
#include "support/FixedClock.h"
#include "support/MemoryStore.h"
#include "toolkit/GlyphButton.h"

#include <QApplication>
#include <QComboBox>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace selenara {
namespace {

using testing::FixedClock;
using testing::MemoryStore;

struct Window {
    Window() : clock(testing::Local(DateToDayNumber(15, 6, 2005), 12), testing::EuropeBerlin) {
        window = std::make_unique<MainWindow>(clock, store, [](const std::string&) {}, [] { return true; });
        window->show();
        QCoreApplication::processEvents();
    }
    CalendarView& Calendar() { return window->Calendar(); }
    // Button 1 is the next month; lists 0 and 1 are month and year.
    GlyphButton* NextMonth() { return window->findChildren<GlyphButton*>()[1]; }
    QComboBox* List(int i) { return window->findChildren<QComboBox*>()[i]; }
    void ShowFirstMonth() {
        List(1)->setCurrentIndex(0);
        List(0)->setCurrentIndex(0);
    }

    FixedClock clock;
    MemoryStore store;
    std::unique_ptr<MainWindow> window;
};

Window* window = nullptr;

// January 1990 to December 2020, then back to the start.
constexpr int StepsPerRound = 12 * (MaxJahr - MinJahr + 1) - 1;

// Steps once and checks that it was the next month the button showed.
bool NextMonthSteps() {
    const ShownMonth before = window->Calendar().Shown();
    window->NextMonth()->click();
    return window->Calendar().Shown() == NextMonat(before);
}

template <bool Paint>
void BM_NextMonth(benchmark::State& state) {
    window->ShowFirstMonth();
    if (window->Calendar().Shown() != ShownMonth{1, MinJahr} || !NextMonthSteps()) {
        state.SkipWithError("the controls are not where the benchmark expects them");
        return;
    }
    window->ShowFirstMonth();
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        window->NextMonth()->click();
        // Painting what changed, on the offscreen backing store.
        if constexpr (Paint) QCoreApplication::processEvents();
        if (++step == StepsPerRound) {
            state.PauseTiming();
            window->ShowFirstMonth();
            QCoreApplication::processEvents();
            step = 0;
            state.ResumeTiming();
        }
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_NextMonth<false>)->Name("BM_NextMonth")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NextMonth<true>)->Name("BM_NextMonthAndPaint")->Unit(benchmark::kMicrosecond);

// The widget half of a step alone: the cells refilled from a month table
// already built.
void BM_FillGrid(benchmark::State& state) {
    window->ShowFirstMonth();
    for (int i = 0; i < 11; ++i) window->NextMonth()->click();
    for (auto _ : state) window->Calendar().FillGrid();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace selenara

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // No display needed, and the same platform on every machine.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    selenara::Window window;
    selenara::window = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
