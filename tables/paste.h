#pragma once

#include <cstddef>

#include "tables/cell_block.h"
#include "tables/table.h"

// Pasting a block of cells into the data cells (columns 1 to 6, rows 1 to N) of the input
// table, and taking the last paste back.
namespace talveno {

// The most bytes a pasted cell may take in its CP932 form.
inline constexpr std::size_t kPastedCellBytes = 255;

// The cells a paste replaced and the texts it wrote, from its top left cell on.
struct Paste {
    int column;
    int row;
    CellBlock before;
    CellBlock after;
};

// Writes the block into the table with its first cell at (column, row), each row of the block
// from that column on. The block is checked whole first: one that reaches past column 6 or
// past row N (the table's last data row), or holds a cell over kPastedCellBytes bytes in
// CP932, is refused with its message and nothing changes.
Paste pasteBlock(Table& input, int column, int row, const CellBlock& block);

// Takes the paste back while its cells still hold what it wrote; answers whether it did.
bool undoPaste(Table& input, const Paste& paste);

}  // namespace talveno
