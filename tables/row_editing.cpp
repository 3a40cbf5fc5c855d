#include "tables/row_editing.h"

#include <array>
#include <string>

#include "core/cp932.h"
#include "core/failure.h"
#include "core/integer_text.h"
#include "core/messages.h"
#include "tables/layouts.h"
#include "tables/max_data_count.h"

namespace talveno {

namespace {

constexpr int kFirstDataColumn = 1;
constexpr int kLastDataColumn = 6;

// The first row from row 2 on whose penetration cell is empty.
int targetRow(const Table& input) {
    int row = 2;
    while (!input.cell(1, row).empty()) ++row;
    return row;
}

int copyRowToEnd(Table& input, int source) {
    std::array<std::string, kLastDataColumn + 1> buffer;
    for (int column = kFirstDataColumn; column <= kLastDataColumn; ++column)
        buffer[column] = cp932::prefixWithin(input.cell(column, source), kCopyBufferBytes);
    const int target = targetRow(input);
    for (int column = kFirstDataColumn; column <= kLastDataColumn; ++column)
        input.setCell(column, target, std::move(buffer[column]));
    return target;
}

}  // namespace

int copyFirstRow(Table& input) {
    return copyRowToEnd(input, 1);
}

int copyChosenRow(Table& input, std::string_view rowText) {
    const int row = parseInteger(rowText);
    if (row < 0) throw messages::rowIndexOutOfRange(row);
    return copyRowToEnd(input, row);
}

void partialClear(Table& input, std::string_view maxCountText, std::string_view firstText,
                  std::string_view lastText) {
    const int n = parseMaxDataCount(maxCountText);
    const int first = parseInteger(firstText);
    const int last = parseInteger(lastText);
    if (first < 1) throw messages::rowIndexOutOfRange(first);
    if (static_cast<long long>(last) < static_cast<long long>(first) - 1)
        throw Failure("行の範囲が正しくありません (" + std::to_string(first) + "-" +
                      std::to_string(last) + ")");
    // Rows first .. N take the rows `removed` below them, or become empty past N.
    const long long removed = static_cast<long long>(last) - first + 1;
    for (int row = first; row <= n; ++row) {
        const long long source = row + removed;
        for (int column = kFirstDataColumn; column <= kLastDataColumn; ++column)
            input.setCell(
                column, row,
                source <= n ? input.cell(column, static_cast<int>(source)) : std::string());
    }
}

void clearAll(Table& input, std::string_view maxCountText) {
    const int n = parseMaxDataCount(maxCountText);
    layouts::emptyDataCells(input, kFirstDataColumn, kLastDataColumn, n);
}

}  // namespace talveno
