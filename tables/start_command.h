#pragma once

#include <string_view>

#include "tables/table.h"

namespace talveno {

// The table side of the start command: reads the maximum data count N from its box text,
// gives both tables N + 1 rows, the input table its row-number width, headers and the row
// numbers 1 to N. No data cell is touched. Throws before changing anything when the text is no
// acceptable count. Returns N.
int startTables(Table& input, Table& result, std::string_view maxCountText);

}  // namespace talveno
