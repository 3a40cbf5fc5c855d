#pragma once

#include <string_view>

#include "tables/table.h"

// The row editing commands on the data cells (columns 1 to 6) of the input table. Each reads
// its box texts first and throws before the first write, so a failing command changes nothing.
namespace talveno {

// The bytes a copied cell keeps of its CP932 form.
inline constexpr std::size_t kCopyBufferBytes = 255;

// Copies row 1 into the first row from row 2 on whose penetration cell is empty; returns the
// row written.
int copyFirstRow(Table& input);

// Copies the row named by the text (row 0 gives the column titles) the same way and returns
// the row written; a negative row is refused.
int copyChosenRow(Table& input, std::string_view rowText);

// Removes rows first to last of rows 1 to N and moves the rows below up to N; rows below N
// keep their texts. A first row below 1, or a last row more than one before the first, is
// refused; last = first - 1 removes nothing.
void partialClear(Table& input, std::string_view maxCountText, std::string_view firstText,
                  std::string_view lastText);

// Empties the data cells of rows 1 to N.
void clearAll(Table& input, std::string_view maxCountText);

}  // namespace talveno
