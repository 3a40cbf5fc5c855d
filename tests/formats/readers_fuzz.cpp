// libFuzzer target of a file reader: any bytes either read cleanly or fail with a message; a
// file read cleanly, written into a table, saved and read again gives the same cells.
// Built as input_file_fuzz and, with TALVENO_FUZZ_RESULT_FILE, as result_file_fuzz.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/failure.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "tables/layouts.h"

namespace {

using namespace talveno;

// What the target needs of a file format.
template <typename Record>
struct Format {
    Table (*makeTable)();
    std::vector<Record> (*parse)(std::string_view, std::string_view);
    void (*apply)(Table&, int, const std::vector<Record>&);
    std::string (*save)(const Table&);
    int columns;
};

#ifdef TALVENO_FUZZ_RESULT_FILE
constexpr Format<ResultRecord> kFormat = {
    layouts::makeResultTable, parseResultFile, applyResultFile,
    [](const Table& table) { return resultFileBytes(table, StiffnessUnit::KgfPerCm2); }, 8};
#else
constexpr Format<InputRecord> kFormat = {layouts::makeInputTable, parseInputDataFile,
                                         applyInputDataFile, inputDataFileBytes, 6};
#endif

// Reads the bytes into the table; returns the count of records.
std::size_t readInto(Table& table, std::string_view bytes) {
    const auto records = kFormat.parse(bytes, "fuzz");
    kFormat.apply(table, 50, records);
    return records.size();
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "round trip broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Table first = kFormat.makeTable();
    std::size_t rows = 0;
    try {
        rows = readInto(first, std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const Failure&) {
        return 0;
    }
    // Every cell a reader writes is a number text; a save of the rows read must succeed.
    std::string saved;
    try {
        saved = kFormat.save(first);
    } catch (const Failure& failure) {
        fail(failure.what());
    }
    Table second = kFormat.makeTable();
    if (readInto(second, saved) != rows) fail("row count");
    for (int row = 1; row <= static_cast<int>(rows); ++row)
        for (int column = 1; column <= kFormat.columns; ++column)
            if (first.cell(column, row) != second.cell(column, row)) fail("cell text");
    if (kFormat.save(second) != saved) fail("saved bytes");
    return 0;
}
