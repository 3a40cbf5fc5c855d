#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "disk/disk_files.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"

extern char** environ;

namespace {

using namespace talveno;

constexpr int kRows = 10000;

std::string scratchPath(const char* name) {
    return "/tmp/talveno-bench-" + std::to_string(::getpid()) + "-" + name;
}

// 10,000 input rows as typed, with a spread of values.
Table typedInput() {
    Table input = layouts::makeInputTable();
    for (int row = 1; row <= kRows; ++row) {
        input.setCell(1, row, std::to_string(40 + row % 80));
        input.setCell(2, row, std::to_string(45 + row % 10) + ".5");
        input.setCell(3, row, row % 2 ? "0.02" : "0.1");
        input.setCell(4, row, std::to_string(row % 40));
        input.setCell(5, row, "12.3");
        input.setCell(6, row, std::to_string(3 + row % 4));
    }
    return input;
}

// 10,000 result rows in the forms a calculation run writes.
Table computedResult() {
    Table result = layouts::makeResultTable();
    for (int row = 1; row <= kRows; ++row) {
        const char* texts[] = {"80", "47.5", "-0.52",     "0.02",
                               "25", "85.3", "1.234E+01", "5.678E+03"};
        for (int column = 1; column <= 8; ++column) result.setCell(column, row, texts[column - 1]);
        result.setCell(1, row, std::to_string(40 + row % 80));
    }
    return result;
}

void BM_SaveInputDataFile(benchmark::State& state) {
    const Table input = typedInput();
    const std::string path = scratchPath("save.dat");
    for (auto _ : state) saveInputDataFile(input, path);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveInputDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadInputDataFile(benchmark::State& state) {
    const std::string path = scratchPath("read.dat");
    saveInputDataFile(typedInput(), path);
    for (auto _ : state) {
        Table input = layouts::makeInputTable();
        applyInputDataFile(input, 50, readInputDataFile(path));
        benchmark::DoNotOptimize(input);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadInputDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveResultFile(benchmark::State& state) {
    const Table result = computedResult();
    const std::string path = scratchPath("save.mpa");
    for (auto _ : state) saveResultFile(result, StiffnessUnit::Mpa, path);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveResultFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadResultFile(benchmark::State& state) {
    const std::string path = scratchPath("read.mpa");
    saveResultFile(computedResult(), StiffnessUnit::Mpa, path);
    for (auto _ : state) {
        Table result = layouts::makeResultTable();
        applyResultFile(result, 50, readResultFile(path));
        benchmark::DoNotOptimize(result);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadResultFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The batch command over a 10,000-row input data file, as a whole process.
void BM_BatchProcess(benchmark::State& state) {
    const std::string input = scratchPath("batch.dat");
    const std::string output = scratchPath("batch.mpa");
    saveInputDataFile(typedInput(), input);
    char* const argv[] = {const_cast<char*>("talveno-batch"),
                          const_cast<char*>("--van-draat"),
                          const_cast<char*>("-o"),
                          const_cast<char*>(output.c_str()),
                          const_cast<char*>(input.c_str()),
                          nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (::posix_spawn(&child, TALVENO_BATCH, nullptr, nullptr, argv, environ) != 0 ||
            ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("talveno-batch failed");
            break;
        }
    }
    std::remove(input.c_str());
    std::remove(output.c_str());
}
BENCHMARK(BM_BatchProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
