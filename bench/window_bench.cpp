// The window's commands timed through their buttons, offscreen, the redraw included.
#include <benchmark/benchmark.h>

#include "window_bench_support.h"

namespace {

using talveno::bench::Window;

Window& window() {
    static Window shared;
    return shared;
}

// The start command sizing both tables from 50 rows to N rows.
void BM_StartCommand(benchmark::State& state) {
    Window& w = window();
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        w.start(50);
        w.setText("Edit4", QString::number(n));
        state.ResumeTiming();
        w.click("BitBtn1");
    }
}
BENCHMARK(BM_StartCommand)->Arg(20000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A calculation run over 10,000 filled rows.
void BM_CalculationRun(benchmark::State& state) {
    Window& w = window();
    w.start(10000);
    w.typeRows(10000);
    for (auto _ : state) w.click("BitBtn4");
}
BENCHMARK(BM_CalculationRun)->Unit(benchmark::kMillisecond);

// Partial clear of rows 3 to 5 with N = 10,000 filled rows.
void BM_PartialClear(benchmark::State& state) {
    Window& w = window();
    w.start(10000);
    w.setText("Edit2", "3");
    w.setText("Edit3", "5");
    for (auto _ : state) {
        state.PauseTiming();
        w.typeRows(10000);
        state.ResumeTiming();
        w.click("Button8");
    }
}
BENCHMARK(BM_PartialClear)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    talveno::bench::useOffscreenPlatform();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
