#include "tables/paste.h"

#include <algorithm>
#include <string>

#include "core/cp932.h"
#include "core/failure.h"

namespace talveno {

namespace {

constexpr int kLastDataColumn = 6;

std::size_t widest(const CellBlock& block) {
    std::size_t columns = 0;
    for (const auto& cells : block) columns = std::max(columns, cells.size());
    return columns;
}

void checkFits(const Table& input, int column, int row, const CellBlock& block) {
    const long long lastColumn = column + static_cast<long long>(widest(block)) - 1;
    if (lastColumn > kLastDataColumn)
        throw Failure("貼り付けるデータが6列目を超えます（" + std::to_string(lastColumn) +
                      " 列目まで）");
    const int lastDataRow = input.rowCount() - 1;
    const long long lastRow = row + static_cast<long long>(block.size()) - 1;
    if (lastRow > lastDataRow)
        throw Failure("貼り付けるデータが最大データ数 " + std::to_string(lastDataRow) +
                      " 行を超えます（" + std::to_string(lastRow) + " 行目まで）");
    for (std::size_t r = 0; r < block.size(); ++r)
        for (std::size_t c = 0; c < block[r].size(); ++c)
            if (cp932::prefixWithin(block[r][c], kPastedCellBytes).size() < block[r][c].size())
                throw Failure(std::to_string(row + r) + " 行目 " + std::to_string(column + c) +
                              " 列目に貼り付けるデータが " + std::to_string(kPastedCellBytes) +
                              " バイトを超えます");
}

// Writes the block's texts from (column, row) on; answers the texts they replaced.
CellBlock writeBlock(Table& table, int column, int row, const CellBlock& block) {
    CellBlock replaced;
    for (std::size_t r = 0; r < block.size(); ++r) {
        replaced.emplace_back();
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int at = column + static_cast<int>(c);
            const int line = row + static_cast<int>(r);
            replaced.back().push_back(table.cell(at, line));
            table.setCell(at, line, block[r][c]);
        }
    }
    return replaced;
}

}  // namespace

Paste pasteBlock(Table& input, int column, int row, const CellBlock& block) {
    checkFits(input, column, row, block);
    CellBlock before = writeBlock(input, column, row, block);
    return {column, row, std::move(before), block};
}

bool undoPaste(Table& input, const Paste& paste) {
    for (std::size_t r = 0; r < paste.after.size(); ++r)
        for (std::size_t c = 0; c < paste.after[r].size(); ++c)
            if (input.cell(paste.column + static_cast<int>(c), paste.row + static_cast<int>(r)) !=
                paste.after[r][c])
                return false;
    writeBlock(input, paste.column, paste.row, paste.before);
    return true;
}

}  // namespace talveno
