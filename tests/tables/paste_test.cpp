#include "tables/paste.h"

#include <gtest/gtest.h>

#include <string>

#include "core/failure.h"
#include "tables/cell_block.h"
#include "tables/layouts.h"
#include "tables/start_command.h"

namespace talveno {
namespace {

TEST(CellBlock, ClipboardTextSplitsIntoRowsAndCells) {
    const struct {
        const char* text;
        bool block;
        CellBlock cells;
    } cases[] = {
        {"80\t50\n60\t47.5\n", true, {{"80", "50"}, {"60", "47.5"}}},
        {"80\t50\r\n60\t47.5\r\n", true, {{"80", "50"}, {"60", "47.5"}}},
        {"80\r60", true, {{"80"}, {"60"}}},
        {"80\t\t1\n", true, {{"80", "", "1"}}},
        {" 80 \tabc\n", true, {{" 80 ", "abc"}}},
        {"80;47,5\n60;50\n", true, {{"80", "47,5"}, {"60", "50"}}},
        {"80,50\n", true, {{"80", "50"}}},
        {"a;b\tc\n", true, {{"a;b", "c"}}},
        {"80\n\n60", true, {{"80"}, {""}, {"60"}}},
        {"\n", true, {{""}}},
        {"80", false, {{"80"}}},
        {"47,5", false, {{"47", "5"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isCellBlock(c.text), c.block) << c.text;
        EXPECT_EQ(parseCellBlock(c.text), c.cells) << c.text;
    }
}

TEST(CellBlock, CopiedTextIsTheCellTextsByTabsAndLineBreaks) {
    Table table = layouts::makeResultTable();
    table.setCell(2, 1, "50");
    table.setCell(3, 1, "0.00");
    table.setCell(2, 2, " 47.5");
    EXPECT_EQ(cellBlockText(table, 2, 4, 1, 3), "50\t0.00\t\n 47.5\t\t\n\t\t\n");
    EXPECT_EQ(parseCellBlock(cellBlockText(table, 2, 3, 1, 2)),
              (CellBlock{{"50", "0.00"}, {" 47.5", ""}}));
}

// An input table of N = 5 rows with "x" in every data cell.
Table filledInput() {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    startTables(input, result, "5");
    for (int row = 1; row <= 8; ++row)
        for (int column = 1; column <= 6; ++column) input.setCell(column, row, "x");
    return input;
}

std::string texts(const Table& table) {
    std::string all;
    for (int row = 0; row <= 8; ++row)
        for (int column = 0; column < 7; ++column) all += table.cell(column, row) + "|";
    return all;
}

TEST(Paste, ABlockThatDoesNotFitIsRefusedWholeAndChangesNothing) {
    std::string kanji;
    for (int i = 0; i < 127; ++i) kanji += "針";  // 254 bytes in CP932
    const struct {
        const char* name;
        int column, row;
        CellBlock block;
        std::string message;
    } cases[] = {
        {"past column 6",
         5,
         1,
         {{"1", "2"}, {"3", "4", "5"}},
         "貼り付けるデータが6列目を超えます（7 列目まで）"},
        {"past row N",
         1,
         4,
         {{"1"}, {"2"}, {"3"}},
         "貼り付けるデータが最大データ数 5 行を超えます（6 行目まで）"},
        {"256 bytes",
         2,
         1,
         {{"1"}, {"2", std::string(256, 'a')}},
         "2 行目 3 列目に貼り付けるデータが 255 バイトを超えます"},
        {"255 bytes of kanji and 2 more",
         1,
         1,
         {{kanji + "ab"}},
         "1 行目 1 列目に貼り付けるデータが 255 バイトを超えます"},
    };
    for (const auto& c : cases) {
        Table input = filledInput();
        const std::string before = texts(input);
        try {
            pasteBlock(input, c.column, c.row, c.block);
            ADD_FAILURE() << c.name << " was pasted";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), c.message) << c.name;
        }
        EXPECT_EQ(texts(input), before) << c.name;
    }
}

TEST(Paste, WritesFromTheCellAndTakesItBackWhileItsCellsAreUnchanged) {
    Table input = filledInput();
    std::string kanji;
    for (int i = 0; i < 127; ++i) kanji += "針";
    const CellBlock block = {{"針入度", ""}, {"80", "50", "1", "0", kanji + "a"}};
    const std::string before = texts(input);
    const Paste paste = pasteBlock(input, 2, 4, block);
    EXPECT_EQ(input.cell(2, 4), "針入度");
    EXPECT_EQ(input.cell(3, 4), "");
    EXPECT_EQ(input.cell(4, 4), "x") << "a short row leaves the cells after it";
    EXPECT_EQ(input.cell(6, 5), kanji + "a");
    EXPECT_EQ(input.cell(1, 5), "x");
    ASSERT_TRUE(undoPaste(input, paste));
    EXPECT_EQ(texts(input), before);

    const Paste again = pasteBlock(input, 2, 4, block);
    input.setCell(3, 5, "51");  // typed after the paste
    EXPECT_FALSE(undoPaste(input, again));
    EXPECT_EQ(input.cell(2, 4), "針入度");
}

}  // namespace
}  // namespace talveno
