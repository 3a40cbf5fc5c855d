#include "disk/file_calculation.h"

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <vector>

#include "core/failure.h"
#include "disk/disk_files.h"
#include "disk/row_blocks.h"
#include "formats/file_failures.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"

namespace talveno {

namespace {

using file_failures::FileRole;

// The lines of a block of rows: as many rows, or fewer where an output writes several lines a row.
constexpr std::size_t kBlockLines = 4096;

std::size_t blockRows(std::span<CalculationOutput* const> outputs) {
    std::size_t most = 1;
    for (const CalculationOutput* output : outputs) most = std::max(most, output->linesPerRow());
    return std::max<std::size_t>(kBlockLines / most, 1);
}

// Computes blocks of rows: each record's cell texts as reading writes them into the input
// table, the calculation run over those texts, and each output's lines from the texts. Its
// texts are kept from row to row.
class BlockCalculation {
  public:
    BlockCalculation(const CalculationSettings& settings,
                     std::span<CalculationOutput* const> outputs)
        : settings_(settings), outputs_(outputs) {}

    void operator()(RowBlock& block) {
        block.lines.resize(outputs_.size());
        block.fieldFailures.resize(outputs_.size());
        for (std::string& lines : block.lines) lines.clear();
        for (auto& failure : block.fieldFailures) failure.reset();
        block.rowFailure.reset();
        for (std::size_t k = 0; k < block.records.size(); ++k) {
            const int row = block.firstRow + static_cast<int>(k);
            inputCellTexts(block.records[k], cells_, numbers_);
            const InputCells input = {cells_[0], cells_[1], cells_[2],
                                      cells_[3], cells_[4], cells_[5]};
            try {
                row_.start(input, numbers_, settings_.vanDraat);
                row_.finish(settings_.unit);
            } catch (const Failure& failure) {
                block.rowFailure = Failure(std::string(failure.message()), row);
                return;
            }
            for (std::size_t i = 0; i < outputs_.size(); ++i) {
                if (block.fieldFailures[i]) continue;
                try {
                    outputs_[i]->appendRow(block.lines[i], row, input, row_);
                } catch (const Failure& failure) {
                    block.fieldFailures[i] = failure;
                }
            }
        }
    }

  private:
    CalculationSettings settings_;
    std::span<CalculationOutput* const> outputs_;
    std::array<std::string, 6> cells_;
    InputRecord numbers_{};
    RowCalculation row_;
};

// The outputs as the blocks come in row order: the lines go out while no failure is known
// that would keep them from being saved; the first failures are kept.
class BlockOutputs {
  public:
    explicit BlockOutputs(std::span<CalculationOutput* const> outputs)
        : outputs_(outputs), fieldFailures_(outputs.size()) {}

    bool rowFailed() const { return rowFailure_.has_value(); }

    void take(const RowBlock& block) {
        if (!rowFailure_) rowFailure_ = block.rowFailure;
        for (std::size_t i = 0; i < outputs_.size(); ++i) {
            if (!fieldFailures_[i]) fieldFailures_[i] = block.fieldFailures[i];
            if (!rowFailure_ && !fieldFailures_[i] && !outputs_[i]->file().failure())
                outputs_[i]->write(block.lines[i]);
        }
    }

    // Throws the first failure in the window's order, or makes the outputs whole.
    void finish() {
        if (rowFailure_) throw *rowFailure_;
        for (std::size_t i = 0; i < outputs_.size(); ++i) {
            if (fieldFailures_[i]) throw *fieldFailures_[i];
            if (outputs_[i]->file().failure()) throw *outputs_[i]->file().failure();
        }
        // Every step that can fail before a file changes, then the commits that can still fail,
        // then those that only rename.
        for (CalculationOutput* const output : outputs_) output->prepare();
        for (CalculationOutput* const output : outputs_)
            if (output->writesOnCommit()) output->commit();
        // The listings in their order, then the result file.
        for (std::size_t i = 1; i <= outputs_.size(); ++i) {
            CalculationOutput& output = *outputs_[i % outputs_.size()];
            if (!output.writesOnCommit()) output.commit();
        }
    }

  private:
    std::span<CalculationOutput* const> outputs_;
    std::optional<Failure> rowFailure_;
    std::vector<std::optional<Failure>> fieldFailures_;
};

}  // namespace

ResultFileOutput::ResultFileOutput(const std::function<file_system::FileReplacement()>& open,
                                   std::string name, StiffnessUnit unit)
    : CalculationOutput(open, std::move(name)) {
    file_.write(resultFileHeaderLines(unit));
}

void ResultFileOutput::appendRow(std::string& lines, int row, const InputCells&,
                                 const RowCalculation& result) const {
    file_failures::onFile(FileRole::Output, file_.name(), [&] {
        appendResultFileLine(lines, row,
                             {result.text(1), result.text(2), result.text(3), result.text(4),
                              result.text(5), result.text(6), result.text(7), result.text(8)});
    });
}

std::int64_t calculateFile(file_system::InputFile& input, const std::string& inputName,
                           std::span<CalculationOutput* const> outputs,
                           const FileCalculationOptions& options) {
    InputDataFileReader reader(bytesOf(input), inputName);
    const auto read = [&](InputRecord& record) {
        return file_failures::onFile(FileRole::Input, inputName,
                                     [&] { return reader.next(record); });
    };
    BlockOutputs output(outputs);
    const int threads = std::max(options.computingThreads, 0);
    std::vector<RowBlock> blocks(2 * static_cast<std::size_t>(threads) + 2);
    std::deque<RowBlock*> pending;  // in row order
    BlockWorkers workers(threads, [&] {
        return [calculation = BlockCalculation(options.settings, outputs)](
                   RowBlock& block) mutable { calculation(block); };
    });
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

    const std::size_t rowsPerBlock = blockRows(outputs);
    std::int64_t rows = 0;
    std::size_t unused = 0;
    bool more = true;
    while (more && !output.rowFailed()) {
        RowBlock* block = unused < blocks.size() ? &blocks[unused++] : finishOldest();
        block->records.resize(rowsPerBlock);
        block->firstRow = static_cast<int>(rows) + 1;
        std::size_t count = 0;
        while (count < rowsPerBlock && (more = read(block->records[count]))) ++count;
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
