// Where a grid's cursor goes on Tab and the movement keys, and where it scrolls across to.
#include "window/grid_rules.h"

#include <gtest/gtest.h>

namespace talveno::window::grid {
namespace {

using Target = std::optional<Cell>;

TEST(GridRules, TabGoesRowByRowAndLeavesPastTheFilledRows) {
    const Shape shape{4, 6};  // data columns 1..3, rows 1..5
    const struct {
        Cell from;
        int way;
        int filled;
        Target expected;
    } cases[] = {
        {{1, 1}, 1, 2, Cell{2, 1}},   {{3, 1}, 1, 2, Cell{1, 2}},  {{3, 2}, 1, 2, Cell{1, 3}},
        {{1, 3}, 1, 2, std::nullopt}, {{1, 3}, -1, 2, Cell{3, 2}}, {{1, 1}, -1, 2, std::nullopt},
        {{3, 5}, 1, 5, std::nullopt}, {{3, 4}, 1, 5, Cell{1, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tabTarget(shape, c.from, c.way, c.filled), c.expected)
            << c.from.column << "," << c.from.row << " way " << c.way;
    EXPECT_EQ(tabTarget(Shape{4, 1}, {1, 0}, 1, 0), (Cell{2, 0})) << "a table without header";
}

TEST(GridRules, KeysMoveTheCursor) {
    const Shape shape{4, 101};
    const Cell at{2, 50};
    const struct {
        const char* key;
        bool ctrl;
        bool across;
        Target expected;
    } cases[] = {
        {"ArrowUp", false, false, Cell{2, 49}},    {"ArrowDown", false, false, Cell{2, 51}},
        {"PageUp", false, false, Cell{2, 40}},     {"PageDown", true, false, Cell{2, 60}},
        {"ArrowLeft", false, false, std::nullopt}, {"ArrowLeft", false, true, Cell{1, 50}},
        {"ArrowRight", false, true, Cell{3, 50}},  {"Home", false, true, std::nullopt},
        {"Home", true, false, Cell{1, 1}},         {"End", true, false, Cell{3, 100}},
        {"a", false, true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyTarget(shape, at, c.key, c.ctrl, 10, c.across), c.expected) << c.key;
}

TEST(GridRules, WidestRowNumberOfTheRowsShown) {
    Table table(3, 120, 50);
    for (int row = 1; row < 120; ++row) table.setCell(0, row, std::to_string(row));
    EXPECT_EQ(widestRowNumber(table), "119");
    table.setRowCount(12);  // the rows below stay held, hidden
    EXPECT_EQ(widestRowNumber(table), "11");
    EXPECT_EQ(widestRowNumber(Table(3, 5, 50)), "") << "no row numbers";
}

TEST(GridRules, ScrollsAcrossByWholeColumns) {
    // A fixed column of 50 and four data columns of 100 in a view of 250: 200 beside the fixed
    // column, two whole columns.
    const std::vector<int> widths = {50, 100, 100, 100, 100};
    EXPECT_EQ(acrossStops(widths, 250), (std::vector<int>{0, 100, 200}));
    EXPECT_EQ(acrossStops(widths, 500), (std::vector<int>{0})) << "all columns shown";
    const std::vector<int> stops = {0, 100, 200};
    const struct {
        int shown, last, expected;
    } snaps[] = {{30, 0, 100}, {130, 100, 200}, {170, 200, 100}, {250, 200, 200}, {60, 100, 0}};
    for (const auto& s : snaps)
        EXPECT_EQ(snappedStop(stops, s.shown, s.last), s.expected) << s.shown << " from " << s.last;
    const struct {
        int column, shown;
        std::optional<int> expected;
    } shows[] = {
        {4, 0, 200}, {3, 0, 100}, {2, 0, std::nullopt}, {1, 200, 0}, {3, 100, std::nullopt}};
    for (const auto& s : shows)
        EXPECT_EQ(stopShowing(widths, 250, s.column, s.shown), s.expected) << s.column;
}

}  // namespace
}  // namespace talveno::window::grid
