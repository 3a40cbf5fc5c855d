#include "tables/cell_block.h"

namespace talveno {

bool isCellBlock(std::string_view text) {
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

namespace {

char cellSeparator(std::string_view text) {
    for (const char separator : {'\t', ';', ','})
        if (text.find(separator) != std::string_view::npos) return separator;
    return '\t';
}

}  // namespace

std::vector<std::string> splitCells(std::string_view line, char separator) {
    std::vector<std::string> cells;
    for (std::size_t from = 0;;) {
        const std::size_t end = line.find(separator, from);
        cells.emplace_back(line.substr(from, end - from));
        if (end == std::string_view::npos) return cells;
        from = end + 1;
    }
}

CellBlock parseCellBlock(std::string_view text) {
    const char separator = cellSeparator(text);
    CellBlock block;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", from);
        block.push_back(splitCells(text.substr(from, end - from), separator));
        if (end == std::string_view::npos) break;
        from = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (block.empty()) block.push_back({""});
    return block;
}

std::string cellBlockText(const Table& table, int firstColumn, int lastColumn, int firstRow,
                          int lastRow) {
    std::string text;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (column > firstColumn) text += '\t';
            text += table.cell(column, row);
        }
        text += '\n';
    }
    return text;
}

}  // namespace talveno
