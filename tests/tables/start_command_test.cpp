#include "tables/start_command.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

TEST(StartCommand, SizesHeadsAndNumbers) {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    input.setCell(1, 1, "80");
    EXPECT_EQ(startTables(input, result, "50"), 50);
    EXPECT_EQ(input.rowCount(), 51);
    EXPECT_EQ(result.rowCount(), 51);
    EXPECT_EQ(input.columnWidth(0), 30);
    EXPECT_EQ(input.columnWidth(1), 100);
    const char* headers[] = {"No.",       "針入度(1/10mm)", "軟化点(℃)", "載荷時間(秒)",
                             "温　度(℃)", "アス容積率(％)", "空隙率(％)"};
    for (int column = 0; column < 7; ++column) EXPECT_EQ(input.cell(column, 0), headers[column]);
    EXPECT_EQ(input.cell(0, 1), "1");
    EXPECT_EQ(input.cell(0, 50), "50");
    EXPECT_EQ(input.cell(0, 51), "");
    EXPECT_EQ(input.cell(1, 1), "80");  // data survives
    EXPECT_EQ(result.cell(0, 1), "");   // the run numbers the result table
    EXPECT_EQ(result.cell(0, 0), "");
}

TEST(StartCommand, Counts) {
    const struct {
        const char* text;
        int rows;
    } cases[] = {{"050", 51}, {"20000", 20001}, {"0", 1},
                 {"-5", 1},   {"$10", 17},      {"1000000", 1000001}};
    for (const auto& c : cases) {
        Table input = layouts::makeInputTable();
        Table result = layouts::makeResultTable();
        startTables(input, result, c.text);
        EXPECT_EQ(input.rowCount(), c.rows) << c.text;
        EXPECT_EQ(result.rowCount(), c.rows) << c.text;
        EXPECT_EQ(input.cell(0, c.rows - 1), c.rows > 1 ? std::to_string(c.rows - 1) : "No.")
            << c.text;
    }
}

TEST(StartCommand, RefusalsChangeNothing) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {{"abc", "'abc' は整数ではありません"},
                 {"", "'' は整数ではありません"},
                 {"1000001", "最大データ数が大きすぎます (上限 1000000)"}};
    for (const auto& c : cases) {
        Table input = layouts::makeInputTable();
        Table result = layouts::makeResultTable();
        try {
            startTables(input, result, c.text);
            ADD_FAILURE() << c.text;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.message(), c.message);
        }
        EXPECT_EQ(input.rowCount(), 51);
        EXPECT_EQ(input.columnWidth(0), 100);
        EXPECT_EQ(input.cell(0, 0), "");
    }
}

TEST(StartCommand, LoweredCountHidesRowsWithoutErasing) {
    Table input = layouts::makeInputTable();
    Table result = layouts::makeResultTable();
    startTables(input, result, "50");
    for (int row = 1; row <= 30; ++row) input.setCell(1, row, "60");
    startTables(input, result, "10");
    EXPECT_EQ(input.rowCount(), 11);
    EXPECT_EQ(input.filledRowCount(), 30);
    EXPECT_EQ(input.cell(0, 30), "30");  // numbers beyond the count stay as they were
}

}  // namespace
}  // namespace talveno
