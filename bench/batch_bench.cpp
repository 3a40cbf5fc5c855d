// The batch command's stages, each over 100,000 varied rows, with the time per row: reading the
// input file's bytes, parsing them into records, computing the rows (cell texts and the
// calculation run), formatting the result lines, writing the result file; then all of them
// through the file calculation, on one thread and on worker threads.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "disk/disk_files.h"
#include "disk/file_calculation.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "posix/file_system.h"
#include "tables/calculation_run.h"

namespace {

using namespace talveno;

constexpr int kRows = 100000;

std::string scratchPath(const char* name) {
    return "/tmp/talveno-bench-" + std::to_string(::getpid()) + "-" + name;
}

// An input data file of varied rows that all compute.
const std::string& inputBytes() {
    static const std::string bytes = [] {
        std::mt19937 random(11);
        const auto uniform = [&](double low, double high) {
            return std::uniform_real_distribution<double>(low, high)(random);
        };
        std::string text = "header\r\nunits\r\n";
        char line[128];
        for (int k = 1; k <= kRows; ++k) {
            std::snprintf(line, sizeof line, "%3d %7.1f%7.1f%10.3f%7.1f%7.1f%7.1f\r\n", k,
                          uniform(30, 180), uniform(40, 65), std::pow(10, uniform(-2, 1)),
                          uniform(-10, 50), uniform(8, 16), uniform(2, 8));
            text += line;
        }
        return text;
    }();
    return bytes;
}

const std::string& inputPath() {
    static const std::string path = [] {
        const std::string name = scratchPath("stages.dat");
        file_system::replaceFile(name, inputBytes());
        return name;
    }();
    return path;
}

std::vector<InputRecord> records() {
    return parseInputDataFile(inputBytes(), inputPath());
}

void perRow(benchmark::State& state) {
    state.counters["per_row"] = benchmark::Counter(
        kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Read(benchmark::State& state) {
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        file_system::InputFile file(inputPath());
        while (file.read(buffer.data(), buffer.size()) > 0) {
        }
    }
    perRow(state);
}
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond)->UseRealTime();

// Parsing as the file is read, record by record (the reading itself is a few nanoseconds a row).
void BM_Parse(benchmark::State& state) {
    for (auto _ : state) {
        file_system::InputFile file(inputPath());
        InputDataFileReader reader(bytesOf(file), inputPath());
        InputRecord record;
        while (reader.next(record)) benchmark::DoNotOptimize(record);
    }
    perRow(state);
}
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond);

// Each row's cell texts as reading writes them and the calculation run over them.
void computeAll(const std::vector<InputRecord>& all,
                std::vector<std::array<std::string, 8>>* texts) {
    std::array<std::string, 6> cells;
    InputRecord numbers;
    RowCalculation row;
    for (std::size_t k = 0; k < all.size(); ++k) {
        inputCellTexts(all[k], cells, numbers);
        row.start({cells[0], cells[1], cells[2], cells[3], cells[4], cells[5]}, numbers, true);
        row.finish(StiffnessUnit::Mpa);
        if (texts)
            for (int column = 1; column <= 8; ++column) (*texts)[k][column - 1] = row.text(column);
    }
}

void BM_Compute(benchmark::State& state) {
    const auto all = records();
    for (auto _ : state) computeAll(all, nullptr);
    perRow(state);
}
BENCHMARK(BM_Compute)->Unit(benchmark::kMillisecond);

void BM_Format(benchmark::State& state) {
    const auto all = records();
    std::vector<std::array<std::string, 8>> texts(all.size());
    computeAll(all, &texts);
    std::string lines;
    for (auto _ : state) {
        lines.clear();
        for (std::size_t k = 0; k < texts.size(); ++k) {
            const auto& t = texts[k];
            appendResultFileLine(lines, static_cast<int>(k) + 1,
                                 {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]});
        }
        benchmark::DoNotOptimize(lines);
    }
    perRow(state);
}
BENCHMARK(BM_Format)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
    const std::string path = scratchPath("stages.mpa");
    const std::string bytes(static_cast<std::size_t>(kRows) * 75, 'x');
    constexpr std::size_t kBlock = 300000;  // about a block of rows
    for (auto _ : state) {
        file_system::FileReplacement file(path);
        for (std::size_t at = 0; at < bytes.size(); at += kBlock)
            file.write(std::string_view(bytes).substr(at, kBlock));
        file.commit();
    }
    std::remove(path.c_str());
    perRow(state);
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond)->UseRealTime();

// All stages through the file calculation; the argument is the count of computing threads.
void BM_FileCalculation(benchmark::State& state) {
    const std::string path = scratchPath("whole.mpa");
    for (auto _ : state) {
        file_system::InputFile input(inputPath());
        ResultFileOutput output([&] { return file_system::FileReplacement(path); }, path,
                                StiffnessUnit::Mpa);
        CalculationOutput* const outputs[] = {&output};
        calculateFile(input, inputPath(), outputs,
                      {{StiffnessUnit::Mpa, true}, static_cast<int>(state.range(0)), {}});
    }
    std::remove(path.c_str());
    perRow(state);
}
BENCHMARK(BM_FileCalculation)
    ->ArgName("threads")
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(inputPath().c_str());
    return 0;
}
