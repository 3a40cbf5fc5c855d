#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/table.h"

// A block of cell texts as it travels through the clipboard: rows of cells, as text with the
// cells of a row separated by tabs and each row ending in a line break, as spreadsheets copy.
namespace talveno {

using CellBlock = std::vector<std::vector<std::string>>;

// Whether clipboard text is a block of cells (it holds a tab or a line break) rather than one
// value for the open cell.
bool isCellBlock(std::string_view text);

// The rows and cells of a block. Rows end at CR LF, LF or CR; a line break at the end closes
// the last row. Cells are separated by tabs or, in a block without a tab, by ";", else by ",".
// Cell texts are kept as they are, blanks included.
CellBlock parseCellBlock(std::string_view text);

// The texts of columns firstColumn to lastColumn of rows firstRow to lastRow, tab-separated,
// each row ending in "\n".
std::string cellBlockText(const Table& table, int firstColumn, int lastColumn, int firstRow,
                          int lastRow);

// The texts between the separators of a line, as many as the separators and one more.
std::vector<std::string> splitCells(std::string_view line, char separator);

}  // namespace talveno
