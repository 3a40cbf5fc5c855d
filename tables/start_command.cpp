#include "tables/start_command.h"

#include "tables/layouts.h"
#include "tables/max_data_count.h"

namespace talveno {

int startTables(Table& input, Table& result, std::string_view maxCountText) {
    const int n = parseMaxDataCount(maxCountText);
    input.setColumnWidth(0, layouts::kInputRowNumberWidth);
    input.setRowCount(n + 1);
    result.setRowCount(n + 1);
    for (int column = 0; column < layouts::kInputColumns; ++column)
        input.setCell(column, 0, std::string(layouts::kInputHeaders[column]));
    layouts::numberRows(input, n);
    return n;
}

}  // namespace talveno
