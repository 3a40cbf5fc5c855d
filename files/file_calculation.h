#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/calculation_run.h"
#include "files/file_system.h"

// A whole input data file computed into a result file a block of rows at a time, as the window
// reads the file into its input table, runs the calculation and saves the result file, without
// the tables: the same bytes and the same first failure, in memory that stays the same whatever
// the count of rows.
namespace talveno {

struct FileCalculationOptions {
    CalculationSettings settings;
    // Threads that compute blocks of rows beside the one that reads and writes; with none, that
    // one computes them too. Rows keep their order and the first failure stays the first.
    int computingThreads = 0;
    // Called after each block of rows is done, with the rows done and the bytes of the input
    // read so far.
    std::function<void(std::int64_t rows, std::uint64_t bytesRead)> progress;
};

// The input file open for reading, how to open the result file, and the names of both as the
// user gave them, which the failures name.
struct CalculationFiles {
    file_system::InputFile& input;
    std::string inputName;
    std::function<file_system::FileReplacement()> openOutput;
    std::string outputName;
};

// Computes every record of the input file and replaces the result file with the header lines
// and one line per row once all are done; returns the count of rows. Failures come in the
// window's order: one of reading the input (named after the input file) before any row's, a
// row's (carrying its number) before one of saving a field, then the output file's own (both
// named after the output file); on any failure the result file is left as it was.
std::int64_t calculateFile(const CalculationFiles& files, const FileCalculationOptions& options);

}  // namespace talveno
