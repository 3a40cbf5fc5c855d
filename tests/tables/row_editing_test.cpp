#include "tables/row_editing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/failure.h"
#include "tables/layouts.h"
#include "tables/start_command.h"

namespace talveno {
namespace {

// An input table started with N rows whose rows 1 to `filled` hold "r<row>c<column>".
Table startedTable(int n, int filled) {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    startTables(input, result, std::to_string(n));
    for (int row = 1; row <= filled; ++row)
        for (int column = 1; column <= 6; ++column)
            input.setCell(column, row, "r" + std::to_string(row) + "c" + std::to_string(column));
    return input;
}

std::string rowText(const Table& table, int row) {
    std::string text;
    for (int column = 1; column <= 6; ++column) text += table.cell(column, row) + "|";
    return text;
}

const std::string kEmptyRow = "||||||";

TEST(CopyRows, FirstRowGoesAfterTheFilledRows) {
    Table input = startedTable(50, 3);
    EXPECT_EQ(copyFirstRow(input), 4);
    EXPECT_EQ(rowText(input, 4), rowText(input, 1));
    EXPECT_EQ(copyFirstRow(input), 5);
    EXPECT_EQ(rowText(input, 5), rowText(input, 1));
    EXPECT_EQ(rowText(input, 6), kEmptyRow);
}

TEST(CopyRows, SearchForTheTargetStartsAtRowTwo) {
    // Rows 1 and 2 empty: six empty texts go to row 2, wiping what row 2 held in columns 2-6.
    Table input = startedTable(50, 0);
    input.setCell(3, 2, "kept?");
    copyFirstRow(input);
    EXPECT_EQ(rowText(input, 2), kEmptyRow);

    // Row 1 empty, rows 2 and 3 filled: the target is row 4.
    Table other = startedTable(50, 3);
    for (int column = 1; column <= 6; ++column) other.setCell(column, 1, "");
    copyFirstRow(other);
    EXPECT_EQ(rowText(other, 4), kEmptyRow);
    EXPECT_EQ(other.cell(1, 3), "r3c1");
}

TEST(CopyRows, ChosenRow) {
    const struct {
        const char* text;
        std::string expected;
    } cases[] = {
        {"3", "r3c1|r3c2|r3c3|r3c4|r3c5|r3c6|"},
        {"0", "針入度(1/10mm)|軟化点(℃)|載荷時間(秒)|温　度(℃)|アス容積率(％)|空隙率(％)|"},
        {"200", kEmptyRow},
    };
    for (const auto& c : cases) {
        Table input = startedTable(50, 5);
        copyChosenRow(input, c.text);
        EXPECT_EQ(rowText(input, 6), c.expected) << c.text;
    }
}

TEST(CopyRows, CopyBufferKeeps255BytesOfTheCp932Form) {
    Table input = startedTable(50, 1);
    input.setCell(1, 1, std::string(300, 'a'));
    input.setCell(2, 1, "℃" + std::string(254, 'b'));  // 2 + 254 bytes: the last 'b' goes
    input.setCell(3, 1, std::string(254, 'c') + "℃");  // the double-byte character is cut in half
    copyFirstRow(input);
    EXPECT_EQ(input.cell(1, 2), std::string(255, 'a'));
    EXPECT_EQ(input.cell(2, 2), "℃" + std::string(253, 'b'));
    EXPECT_EQ(input.cell(3, 2), std::string(254, 'c'));
}

TEST(PartialClear, RemovesARangeAndMovesTheRestUp) {
    Table input = startedTable(50, 10);
    partialClear(input, "50", "3", "5");
    EXPECT_EQ(input.cell(1, 2), "r2c1");
    for (int row = 3; row <= 7; ++row)
        EXPECT_EQ(input.cell(1, row), "r" + std::to_string(row + 3) + "c1");
    for (int row = 8; row <= 50; ++row) EXPECT_EQ(rowText(input, row), kEmptyRow) << row;
    EXPECT_EQ(input.cell(0, 7), "7");  // row numbers unchanged
}

TEST(PartialClear, Ranges) {
    const struct {
        const char* name;
        const char *n, *first, *last;
        std::vector<std::string> expected;  // column 1 of rows 1 to 6
    } cases[] = {
        {"range past N empties the rest", "5", "3", "60", {"r1c1", "r2c1", "", "", "", "r6c1"}},
        {"empty range changes nothing",
         "5",
         "4",
         "3",
         {"r1c1", "r2c1", "r3c1", "r4c1", "r5c1", "r6c1"}},
        {"first past N changes nothing",
         "5",
         "7",
         "9",
         {"r1c1", "r2c1", "r3c1", "r4c1", "r5c1", "r6c1"}},
        {"rows below N stay put", "4", "1", "1", {"r2c1", "r3c1", "r4c1", "", "r5c1", "r6c1"}},
        {"N of 0 changes nothing", "0", "1", "2", {"r1c1", "r2c1", "r3c1", "r4c1", "r5c1", "r6c1"}},
    };
    for (const auto& c : cases) {
        Table input = startedTable(50, 6);
        partialClear(input, c.n, c.first, c.last);
        for (int row = 1; row <= 6; ++row)
            EXPECT_EQ(input.cell(1, row), c.expected[row - 1]) << c.name << " row " << row;
    }
}

TEST(PartialClear, CellsMoveWhole) {
    Table input = startedTable(50, 3);
    input.setCell(2, 3, std::string(300, 'x'));
    partialClear(input, "50", "1", "2");
    EXPECT_EQ(input.cell(2, 1), std::string(300, 'x'));
}

TEST(RowEditing, RefusalsChangeNothing) {
    const struct {
        const char* name;
        std::function<void(Table&)> command;
        const char* message;
    } cases[] = {
        {"chosen row -1", [](Table& t) { copyChosenRow(t, "-1"); },
         "リストのインデックスが範囲を超えています (-1)"},
        {"chosen row empty", [](Table& t) { copyChosenRow(t, ""); }, "'' は整数ではありません"},
        {"chosen row with a space", [](Table& t) { copyChosenRow(t, "3 "); },
         "'3 ' は整数ではありません"},
        {"partial clear, last empty", [](Table& t) { partialClear(t, "50", "3", ""); },
         "'' は整数ではありません"},
        {"partial clear, N no integer", [](Table& t) { partialClear(t, "x", "3", "4"); },
         "'x' は整数ではありません"},
        {"partial clear, first row 0", [](Table& t) { partialClear(t, "50", "0", "2"); },
         "リストのインデックスが範囲を超えています (0)"},
        {"partial clear, last before first", [](Table& t) { partialClear(t, "50", "5", "2"); },
         "行の範囲が正しくありません (5-2)"},
        {"partial clear, N too large", [](Table& t) { partialClear(t, "2000000", "1", "2"); },
         "最大データ数が大きすぎます (上限 1000000)"},
        {"clear all, N too large", [](Table& t) { clearAll(t, "1000001"); },
         "最大データ数が大きすぎます (上限 1000000)"},
        {"clear all, N no integer", [](Table& t) { clearAll(t, "5.0"); },
         "'5.0' は整数ではありません"},
    };
    for (const auto& c : cases) {
        Table input = startedTable(50, 5);
        const Table before = input;
        try {
            c.command(input);
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), c.message) << c.name;
        }
        for (int row = 0; row <= 7; ++row)
            EXPECT_EQ(rowText(input, row), rowText(before, row)) << c.name;
    }
}

TEST(ClearAll, EmptiesRowsOneToN) {
    Table input = startedTable(50, 30);
    clearAll(input, "20");
    EXPECT_EQ(rowText(input, 20), kEmptyRow);
    EXPECT_EQ(input.cell(1, 21), "r21c1");
    EXPECT_EQ(input.cell(1, 0), "針入度(1/10mm)");
    EXPECT_EQ(input.cell(0, 20), "20");
    clearAll(input, "0");
    EXPECT_EQ(input.cell(1, 21), "r21c1");
    clearAll(input, "50");
    EXPECT_EQ(input.filledRowCount(), 0);
}

}  // namespace
}  // namespace talveno
