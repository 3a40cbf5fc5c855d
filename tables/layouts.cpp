#include "tables/layouts.h"

#include <algorithm>

namespace talveno::layouts {

Table makeInputTable() {
    return Table(kInputColumns, kInitialRowCount, kInputDefaultWidth);
}

Table makeResultTable() {
    return Table(kResultColumns, kInitialRowCount, kResultDefaultWidth);
}

std::string stiffnessHeader(std::string_view quantity, StiffnessUnit unit) {
    return std::string(quantity) + "(" + std::string(unitName(unit)) + ")";
}

void numberRows(Table& table, int n) {
    for (int row = 1; row <= n; ++row) table.setCell(0, row, std::to_string(row));
}

void emptyDataCells(Table& table, int first, int last, int n) {
    for (int column = first; column <= last; ++column)
        for (int row = 1; row <= n; ++row) table.setCell(column, row, {});
}

void emptyHeldDataCells(Table& table, int first, int last, int n) {
    int held = n;
    for (int column = first; column <= last; ++column)
        held = std::max(held, table.rowsHeld(column) - 1);
    emptyDataCells(table, first, last, held);
}

}  // namespace talveno::layouts
