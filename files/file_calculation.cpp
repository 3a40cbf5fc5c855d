#include "files/file_calculation.h"

#include <algorithm>
#include <array>
#include <deque>
#include <exception>
#include <optional>
#include <vector>

#include "core/failure.h"
#include "files/file_failures.h"
#include "files/input_data_file.h"
#include "files/result_file.h"
#include "files/row_blocks.h"

namespace talveno {

namespace {

using file_failures::FileRole;

constexpr std::size_t kBlockRows = 4096;

// Computes blocks of rows: each record's cell texts as reading writes them into the input
// table, the calculation run over those texts, and the result file's line as saving writes it
// from the result texts. Its texts are kept from row to row.
class BlockCalculation {
  public:
    explicit BlockCalculation(const CalculationSettings& settings) : settings_(settings) {}

    void operator()(RowBlock& block) {
        block.lines.clear();
        block.rowFailure.reset();
        block.fieldFailure.reset();
        for (std::size_t k = 0; k < block.records.size(); ++k) {
            const int row = block.firstRow + static_cast<int>(k);
            inputCellTexts(block.records[k], cells_);
            try {
                row_.start({cells_[0], cells_[1], cells_[2], cells_[3], cells_[4], cells_[5]},
                           settings_.vanDraat);
                row_.finish(settings_.unit);
            } catch (const Failure& failure) {
                block.rowFailure = Failure(std::string(failure.message()), row);
                return;
            }
            if (block.fieldFailure) continue;
            try {
                appendResultFileLine(block.lines, row,
                                     {row_.text(1), row_.text(2), row_.text(3), row_.text(4),
                                      row_.text(5), row_.text(6), row_.text(7), row_.text(8)});
            } catch (const Failure& failure) {
                block.fieldFailure = failure;
            }
        }
    }

  private:
    CalculationSettings settings_;
    std::array<std::string, 6> cells_;
    RowCalculation row_;
};

// The result file as far as the rows allow: its bytes go out while no failure is known; the
// first failure of each kind is kept.
class ResultOutput {
  public:
    explicit ResultOutput(const CalculationFiles& files) : files_(files) {
        try {
            file_ = files.openOutput();
        } catch (const Failure& failure) {
            fileFailure_ = failure;
        }
    }

    bool failed() const { return rowFailure_ || fieldFailure_ || fileFailure_; }
    bool rowFailed() const { return rowFailure_.has_value(); }

    void write(std::string_view bytes) {
        if (failed()) return;
        try {
            file_->write(bytes);
        } catch (const Failure& failure) {
            fileFailure_ = failure;
        }
    }

    // Takes the block's lines, or its failures.
    void take(const RowBlock& block) {
        if (!rowFailure_ && block.rowFailure) rowFailure_ = block.rowFailure;
        if (!rowFailure_ && !fieldFailure_ && block.fieldFailure)
            fieldFailure_ = block.fieldFailure;
        write(block.lines);
    }

    // Throws the first failure in the window's order, or makes the result file whole.
    void finish() {
        if (rowFailure_) throw *rowFailure_;
        const std::optional<Failure> failure = fieldFailure_ ? fieldFailure_ : fileFailure_;
        if (failure) throw file_failures::inFile(*failure, FileRole::Output, files_.outputName);
        file_failures::onFile(FileRole::Output, files_.outputName, [&] { file_->commit(); });
    }

  private:
    const CalculationFiles& files_;
    std::optional<file_system::FileReplacement> file_;
    std::optional<Failure> rowFailure_;
    std::optional<Failure> fieldFailure_;
    std::optional<Failure> fileFailure_;
};

}  // namespace

std::int64_t calculateFile(const CalculationFiles& files, const FileCalculationOptions& options) {
    InputDataFileReader reader(files.input);
    const auto read = [&](InputRecord& record) {
        return file_failures::onFile(FileRole::Input, files.inputName,
                                     [&] { return reader.next(record); });
    };
    ResultOutput output(files);
    output.write(resultFileHeaderLines(options.settings.unit));

    const int threads = std::max(options.computingThreads, 0);
    std::vector<RowBlock> blocks(2 * static_cast<std::size_t>(threads) + 2);
    std::deque<RowBlock*> pending;  // in row order
    BlockWorkers workers(threads, [&options] {
        return [calculation = BlockCalculation(options.settings)](RowBlock& block) mutable {
            calculation(block);
        };
    });
    std::int64_t rows = 0;
    const auto finishOldest = [&] {
        RowBlock& block = *pending.front();
        pending.pop_front();
        workers.await(block);
        output.take(block);
        if (options.progress)
            options.progress(block.firstRow - 1 + static_cast<std::int64_t>(block.records.size()),
                             reader.bytesRead());
        return &block;
    };

    std::size_t unused = 0;
    bool more = true;
    while (more && !output.rowFailed()) {
        RowBlock* block = unused < blocks.size() ? &blocks[unused++] : finishOldest();
        block->records.resize(kBlockRows);
        block->firstRow = static_cast<int>(rows) + 1;
        std::size_t count = 0;
        while (count < kBlockRows && (more = read(block->records[count]))) ++count;
        block->records.resize(count);
        rows += static_cast<std::int64_t>(count);
        if (count == 0) break;
        workers.submit(*block);
        pending.push_back(block);
    }
    while (!pending.empty()) finishOldest();
    // After a failing row only reading may still fail first.
    for (InputRecord record; more && read(record);) {
    }
    output.finish();
    return rows;
}

}  // namespace talveno
