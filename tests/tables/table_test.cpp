#include "tables/table.h"

#include <gtest/gtest.h>

#include "tables/layouts.h"

namespace talveno {
namespace {

TEST(Table, CellsAreStoredWhateverTheRowCount) {
    Table table(7, 51, 100);
    EXPECT_EQ(table.cell(1, 1), "");
    EXPECT_EQ(table.cell(1, 5000), "");  // beyond the row count, never written
    table.setCell(2, 40, "47.5");
    table.setRowCount(11);
    EXPECT_EQ(table.rowCount(), 11);
    EXPECT_EQ(table.cell(2, 40), "47.5");  // hidden, not erased
    table.setCell(3, 30, "0.02");          // written beyond the row count
    table.setRowCount(51);
    EXPECT_EQ(table.cell(3, 30), "0.02");
    table.setRowCount(0);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_GE(table.rowsHeld(3), 31);
    EXPECT_EQ(table.rowsHeld(4), 0);  // never written
}

TEST(Table, FilledRowsEndAtTheFirstEmptyPenetrationCell) {
    const struct {
        const char* name;
        std::vector<const char*> penetration;  // rows 1, 2, ...
        int filled;
    } cases[] = {
        {"empty table", {}, 0},
        {"row 1 empty, row 2 filled", {"", "60"}, 0},
        {"row 5 empty ends at row 4", {"60", "60", "60", "60", "", "60", "60"}, 4},
        {"a single blank counts as filled", {"60", " "}, 2},
    };
    for (const auto& c : cases) {
        Table table(7, 3, 100);  // rows beyond the row count count too
        for (std::size_t i = 0; i < c.penetration.size(); ++i)
            table.setCell(1, static_cast<int>(i) + 1, c.penetration[i]);
        table.setCell(2, 1, "only column 1 decides");
        EXPECT_EQ(table.filledRowCount(), c.filled) << c.name;
    }
}

TEST(Table, MovingRowsAndColumnsTakesTheirTexts) {
    Table table(4, 6, 100);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 4; ++column)
            table.setCell(column, row, std::to_string(column) + ":" + std::to_string(row));
    table.setColumnWidth(1, 40);

    table.moveRow(1, 3);  // row 1 to row 3; rows 2 and 3 move up
    EXPECT_EQ(table.cell(0, 1), "0:2");
    EXPECT_EQ(table.cell(0, 2), "0:3");
    EXPECT_EQ(table.cell(2, 3), "2:1");
    table.moveRow(3, 1);  // back
    EXPECT_EQ(table.cell(2, 1), "2:1");
    EXPECT_EQ(table.cell(2, 3), "2:3");

    table.moveColumn(1, 3);
    EXPECT_EQ(table.cell(3, 0), "1:0");  // header moves with its column
    EXPECT_EQ(table.cell(1, 4), "2:4");
    EXPECT_EQ(table.columnWidth(3), 40);

    table.moveRow(2, 9);  // into rows never written
    EXPECT_EQ(table.cell(0, 9), "0:2");
    EXPECT_EQ(table.cell(0, 8), "");
}

TEST(Table, InitialLayouts) {
    const Table input = layouts::makeInputTable();
    const Table result = layouts::makeResultTable();
    EXPECT_EQ(input.columnCount(), 7);
    EXPECT_EQ(result.columnCount(), 9);
    EXPECT_EQ(input.rowCount(), 51);
    EXPECT_EQ(result.rowCount(), 51);
    EXPECT_EQ(input.columnWidth(0), 100);
    EXPECT_EQ(result.columnWidth(8), 85);
    EXPECT_EQ(input.cell(0, 0), "");
}

}  // namespace
}  // namespace talveno
