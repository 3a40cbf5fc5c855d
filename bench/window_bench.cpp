// The window's commands timed through their buttons, offscreen, the redraw included.
#include <benchmark/benchmark.h>

#include <QClipboard>
#include <memory>

#include "window_bench_support.h"

namespace {

using talveno::bench::Window;

// One window for all benchmarks, made with the first; it goes before the application does.
std::unique_ptr<Window> shared;

Window& window() {
    if (!shared) shared = std::make_unique<Window>();
    return *shared;
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

// Pasting a spreadsheet block of 10,000 rows of six cells into the input table (Ctrl+V).
void BM_PasteBlock(benchmark::State& state) {
    Window& w = window();
    w.start(10000);
    QString block;
    for (int row = 0; row < 10000; ++row) block += QStringLiteral("80\t50\t1\t0\t12\t4\n");
    QGuiApplication::clipboard()->setText(block);
    w.setCurrentCell("StringGrid1", 1, 1);
    for (auto _ : state) {
        w.form().StringGrid1Paste();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PasteBlock)->Unit(benchmark::kMillisecond);

// Selecting and copying 10,000 result rows (Ctrl+A, Ctrl+C).
void BM_CopyResults(benchmark::State& state) {
    Window& w = window();
    w.start(10000);
    w.typeRows(10000);
    w.click("BitBtn4");
    for (auto _ : state) {
        w.form().SelectAll1Click();
        w.form().Copy1Click();
    }
}
BENCHMARK(BM_CopyResults)->Unit(benchmark::kMillisecond);

// A row's look-up on the nomograph: taken again, the view opened and drawn.
void BM_NomographView(benchmark::State& state) {
    Window& w = window();
    w.start(50);
    w.typeRows(1);
    w.click("BitBtn4");
    w.setCurrentCell("StringGrid2", 1, 1);
    for (auto _ : state) {
        w.form().Nomograph1Click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_NomographView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    talveno::bench::useOffscreenPlatform();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    shared.reset();
    benchmark::Shutdown();
    return 0;
}
