#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "core/nomograph.h"
#include "core/nomograph_curves.h"
#include "core/stiffness_curves.h"
#include "tables/calculation_run.h"
#include "tables/layouts.h"
#include "tests/glibc_cp932.h"

namespace {

struct Point {
    double pi, t, dT;
};

std::vector<Point> spread() {
    std::vector<Point> points;
    for (double pi = -2; pi <= 2; pi += 0.5)
        for (double t : {0.01, 0.02, 0.1, 1.0, 10.0, 100.0})
            for (double dT = -60; dT <= 120; dT += 15) points.push_back({pi, t, dT});
    return points;
}

void BM_NomographSbit(benchmark::State& state) {
    const auto points = spread();
    std::size_t i = 0;
    for (auto _ : state) {
        const Point& p = points[i++ % points.size()];
        benchmark::DoNotOptimize(NomographSbit(p.pi, p.t, p.dT));
    }
}
BENCHMARK(BM_NomographSbit);

// The search for the enclosing pair of curves alone, at each vector width the processor has.
void BM_EnclosingPair(benchmark::State& state) {
    using talveno::nomograph::CurveLanes;
    const auto lanes = state.range(0) == 8   ? CurveLanes::eight
                       : state.range(0) == 4 ? CurveLanes::four
                       : state.range(0) == 2 ? CurveLanes::two
                                             : CurveLanes::one;
    if (!talveno::nomograph::processorHas(lanes)) {
        state.SkipWithError("the processor lacks this vector width");
        return;
    }
    std::vector<std::pair<double, double>> heightsAndPoints;
    for (const Point& p : spread())
        heightsAndPoints.push_back({talveno::nomograph::penetrationIndexHeight(p.pi),
                                    talveno::nomograph::read(p.pi, p.t, p.dT).x});
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [y, x] = heightsAndPoints[i++ % heightsAndPoints.size()];
        benchmark::DoNotOptimize(talveno::nomograph::enclosingPair(y, x, lanes));
    }
}
BENCHMARK(BM_EnclosingPair)->ArgName("lanes")->Arg(1)->Arg(2)->Arg(4)->Arg(8);

// One whole row: six cells parsed, PI, Cv, Sbit and Smix computed, four result texts written.
void BM_WholeRow(benchmark::State& state) {
    talveno::Table input = talveno::layouts::makeInputTable();
    talveno::Table result = talveno::layouts::makeResultTable();
    const char* const rows[][6] = {{"60", "50", "0.02", "25", "12", "4"},
                                   {"80", "47.5", "0.1", "10", "12.3", "4.5"},
                                   {"40", "55", "1", "30", "10", "6"},
                                   {"120", "45", "0.02", "40", "13", "3"}};
    for (int row = 1; row <= 4; ++row)
        for (int column = 1; column <= 6; ++column)
            input.setCell(column, row, rows[row - 1][column - 1]);
    const talveno::CalculationSettings settings{talveno::StiffnessUnit::Mpa, true};
    int row = 0;
    for (auto _ : state) {
        talveno::computeRow(input, row % 4 + 1, result, settings);
        ++row;
    }
}
BENCHMARK(BM_WholeRow);

// A million varied rows, and a million points of curves: 10,000 of those rows each over 25
// temperatures and 4 loading times. Per million: a row parses nothing here but computes PI and
// Cv and writes its four result texts, as the batch command's computing threads do; a point
// takes PI and Cv from its row.
std::vector<talveno::RowInputs> variedRows(std::size_t count) {
    std::mt19937 random(7);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    std::vector<talveno::RowInputs> rows(count);
    for (auto& row : rows)
        row = {uniform(30, 180), uniform(40, 65), std::pow(10, uniform(-2, 1)),
               uniform(-10, 50), uniform(8, 16),  uniform(2, 8)};
    return rows;
}

void BM_MillionRows(benchmark::State& state) {
    const auto rows = variedRows(1000000);
    std::vector<std::string> texts(6);
    talveno::RowCalculation row;
    for (auto _ : state) {
        for (const auto& inputs : rows) {
            row.start({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]}, inputs, true);
            row.finish(talveno::StiffnessUnit::Mpa);
            benchmark::DoNotOptimize(row.text(8).data());
        }
    }
}
BENCHMARK(BM_MillionRows)->Unit(benchmark::kMillisecond);

void BM_MillionCurvePoints(benchmark::State& state) {
    const auto rows = variedRows(10000);
    std::vector<double> temperatures, loadingTimes = {0.02, 0.1, 1, 10};
    for (int k = 0; k < 25; ++k) temperatures.push_back(-10 + 2.5 * k);
    std::vector<talveno::CurvePoint> points;
    for (auto _ : state) {
        for (const auto& inputs : rows) {
            talveno::RowNumbers row;
            row.start(inputs, true);
            talveno::stiffnessCurves(talveno::curveRow(row), temperatures, loadingTimes,
                                     talveno::StiffnessUnit::Mpa, points);
            benchmark::DoNotOptimize(points.data());
        }
    }
}
BENCHMARK(BM_MillionCurvePoints)->Unit(benchmark::kMillisecond);

// A header line of the result file encoded, and decoded back, by the program's table (0) and by
// glibc's iconv (1), each conversion on its own as the engine makes them.
void BM_Cp932(benchmark::State& state) {
    const std::string line =
        "       0.1mm   ℃           　 秒　    ℃     %      kgf/cm2     kgf/cm2 表計算 ｶﾀｶﾅ";
    const bool own = state.range(0) == 0;
#ifdef TALVENO_GLIBC_CP932
    const auto encode = own ? talveno::cp932::encode : talveno::glibc_cp932::encode;
    const auto decode = own ? talveno::cp932::decode : talveno::glibc_cp932::decode;
#else
    if (!own) return state.SkipWithError("no glibc iconv");
    const auto encode = talveno::cp932::encode;
    const auto decode = talveno::cp932::decode;
#endif
    for (auto _ : state) benchmark::DoNotOptimize(decode(*encode(line)));
}
BENCHMARK(BM_Cp932)->ArgName("iconv")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
