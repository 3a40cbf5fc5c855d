#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "disk/output_file.h"
#include "posix/file_system.h"
#include "tables/calculation_run.h"

// A whole input data file computed a block of rows at a time, as the window reads the file into
// its input table, runs the calculation and then saves the result file or prints a listing,
// without the tables: the same bytes and the same first failure, in memory that stays the same
// whatever the count of rows.
namespace talveno {

// A file that a calculation writes as its rows come: the result file, a listing.
class CalculationOutput {
  public:
    // Opens the file by the function given; `name` is its name as the user gave it.
    CalculationOutput(const std::function<file_system::FileReplacement()>& open, std::string name)
        : file_(open, std::move(name)) {}
    virtual ~CalculationOutput() = default;

    // Appends what a row adds to the file, from the texts of its input cells and of its result
    // cells. Called on any computing thread, for several rows at once; changes nothing. Throws
    // the failure of a field, naming the file.
    virtual void appendRow(std::string& lines, int row, const InputCells& input,
                           const RowCalculation& result) const = 0;

    // About how many lines a row adds, so that a block of rows keeps its lines few enough.
    virtual std::size_t linesPerRow() const { return 1; }

    // Takes what the rows of the next block add, in row order; they go to the file as they are.
    virtual void write(std::string_view lines) { file_.write(lines); }

    // Takes every step that can fail before the file changes, or throws its failure.
    virtual void prepare() { file_.prepare(); }
    // Whether the commit still writes the content and so can still fail (FileReplacement).
    bool writesOnCommit() const { return file_.writesOnCommit(); }
    // Makes the prepared file whole, or throws its failure.
    void commit() { file_.commit(); }

    const OutputFile& file() const { return file_; }

  protected:
    OutputFile file_;
};

// The result file: its header and unit lines, then a line per row.
class ResultFileOutput : public CalculationOutput {
  public:
    ResultFileOutput(const std::function<file_system::FileReplacement()>& open, std::string name,
                     StiffnessUnit unit);

    void appendRow(std::string& lines, int row, const InputCells& input,
                   const RowCalculation& result) const override;
};

struct FileCalculationOptions {
    CalculationSettings settings;
    // Threads that compute blocks of rows beside the one that reads and writes; with none, that
    // one computes them too. Rows keep their order and the first failure stays the first.
    int computingThreads = 0;
    // Called after each block of rows is done, with the rows done and the bytes of the input
    // read so far.
    std::function<void(std::int64_t rows, std::uint64_t bytesRead)> progress;
};

// Computes every record of the input file (`inputName` as the user gave it) and writes each
// row into the outputs; once all are done, makes the outputs whole. Returns the count of rows.
// Failures come in the window's order: reading the input (named after the input file) before
// any row, a row's (carrying its number) before the outputs', the outputs' in their order,
// each's fields before its file. Every output is prepared before the first is committed; then
// those whose commit still writes their content (in place, a device, a pipe) are committed
// first, in their order, and those that are only renamed last, the first (the result file) last
// of all. So a failure changes no output, unless two outputs are still written on commit and
// the second fails.
std::int64_t calculateFile(file_system::InputFile& input, const std::string& inputName,
                           std::span<CalculationOutput* const> outputs,
                           const FileCalculationOptions& options);

}  // namespace talveno
