// The printed listings of 10,000 rows: as text, and as PDF drawn through Qt where built with it.
#include <benchmark/benchmark.h>

#include <string>

#include "print/listings.h"
#include "tables/layouts.h"
#ifdef TALVENO_PDF_LISTINGS
#include "qt_paint/pdf_listing.h"
#endif

namespace {

using namespace talveno;

constexpr int kRows = 10000;

// 10,000 result rows in the forms a calculation run writes.
Table computedResult() {
    Table result = layouts::makeResultTable();
    const char* texts[] = {"80", "47.5", "-0.52", "0.02", "25", "85.3", "1.234E+01", "5.678E+03"};
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= 8; ++column) result.setCell(column, row, texts[column - 1]);
        result.setCell(1, row, std::to_string(40 + row % 80));
    }
    return result;
}

Listing resultListing(const Table& result) {
    return [&result](ListingSink& sink) {
        writeResultListing(result, StiffnessUnit::Mpa, "/home/user/cases.mpa", sink);
    };
}

void BM_TextListing(benchmark::State& state) {
    const Table result = computedResult();
    for (auto _ : state) benchmark::DoNotOptimize(listingText(resultListing(result)));
}
BENCHMARK(BM_TextListing)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef TALVENO_PDF_LISTINGS
void BM_PdfListing(benchmark::State& state) {
    const Table result = computedResult();
    std::size_t size = 0;
    for (auto _ : state) size = ui::pdfListing(resultListing(result)).size();
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PdfListing)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef TALVENO_PDF_LISTINGS
    const ui::OffscreenGui gui;
#endif
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
