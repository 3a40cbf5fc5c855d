// A grid's current cell and selected range as the cursor keys, clicks and commands move them, and
// the keys the grids take.
#include "window/grid_cursor.h"

#include <gtest/gtest.h>

namespace talveno::window::grid {
namespace {

using Area = std::optional<Range>;

TEST(GridCursor, MovesExtendsAndKeepsWithinTheTable) {
    // Data columns 1..3, rows 1..9; each step from where the one before left the cursor.
    Cursor cursor(4, 10, false);
    const struct {
        Cell to;
        bool extend;
        Cell current;
        Area selected;
    } steps[] = {
        {{2, 3}, false, {2, 3}, Range{2, 3, 2, 3}},  // alone: the current cell counts as selected
        {{3, 5}, true, {3, 5}, Range{2, 3, 3, 5}},
        {{1, 1}, true, {1, 1}, Range{1, 1, 2, 3}},  // across the anchor
        {{0, 0}, true, {1, 1}, Range{1, 1, 2, 3}},  // the fixed cells are not reached
        {{9, 99}, false, {3, 9}, Range{3, 9, 3, 9}},
    };
    for (const auto& step : steps) {
        cursor.moveTo(step.to, step.extend);
        EXPECT_EQ(cursor.current(), step.current) << step.to.column << "," << step.to.row;
        EXPECT_EQ(cursor.selectedArea(), step.selected) << step.to.column << "," << step.to.row;
        EXPECT_EQ(cursor.copiedArea(), step.selected);
    }

    Cursor editable(4, 10, true);
    editable.moveTo({2, 3}, false);
    EXPECT_EQ(editable.selectedArea(), std::nullopt) << "the cell editor is open";
    EXPECT_EQ(editable.copiedArea(), (Range{2, 3, 2, 3}));
    editable.moveTo({3, 4}, true);
    editable.clearSelection();
    EXPECT_EQ(editable.selectedArea(), std::nullopt);
}

TEST(GridCursor, StaysWithinAShrinkingTable) {
    Cursor cursor(4, 51, false);
    cursor.moveTo({1, 20}, false);
    cursor.moveTo({3, 40}, true);
    const struct {
        int rowCount;
        Cell current;
        Area selected;
        Cell named;  // the current cell as the commands read it
    } cases[] = {
        {31, {3, 30}, Range{1, 20, 3, 30}, {3, 30}}, {11, {3, 10}, Range{1, 10, 3, 10}, {3, 10}},
        {1, {3, 0}, Range{1, 0, 3, 0}, {3, 0}},  // one row, no header: row 0 holds data
        {0, {3, 0}, std::nullopt, {0, 0}},       // no rows: nothing to copy or to name
        {51, {3, 1}, Range{1, 1, 3, 1}, {3, 1}},
    };
    for (const auto& c : cases) {
        cursor.setRowCount(c.rowCount);
        EXPECT_EQ(cursor.current(), c.current) << c.rowCount;
        EXPECT_EQ(cursor.copiedArea(), c.selected) << c.rowCount;
        EXPECT_EQ((Cell{cursor.currentColumn(), cursor.currentRow()}), c.named) << c.rowCount;
    }
}

TEST(GridCursor, FixedCellsAndCtrlASelectWholeLines) {
    Cursor cursor(4, 10, true);
    cursor.selectLine(true, 5);
    EXPECT_EQ(cursor.selection(), (Range{1, 5, 3, 5}));
    EXPECT_EQ(cursor.current(), (Cell{1, 5}));
    cursor.selectLine(false, 2);
    EXPECT_EQ(cursor.selection(), (Range{2, 1, 2, 9}));
    cursor.moveTo({3, 3}, true);  // extends from the column's first cell
    EXPECT_EQ(cursor.selection(), (Range{2, 1, 3, 3}));

    const struct {
        Shape shape;
        int filled;
        Area expected;
    } filled[] = {
        {{4, 10}, 4, Range{1, 1, 3, 4}},
        {{4, 10}, 20, Range{1, 1, 3, 9}},
        {{4, 10}, 0, std::nullopt},
        {{4, 1}, 1, std::nullopt},
    };
    for (const auto& c : filled) {
        Cursor grid(c.shape.columns, c.shape.rowCount, false);
        EXPECT_EQ(grid.selectFilledRows(c.filled), c.expected.has_value());
        EXPECT_EQ(filledRowsRange(c.shape, c.filled), c.expected) << c.filled;
    }
}

TEST(GridCursor, KeysOfTheGridsAndTheCellEditor) {
    const struct {
        const char* key;
        bool shift;
        bool ctrl;
        bool alt;
        KeyAction expected;
    } actions[] = {
        {"Enter", false, false, false, KeyAction::OpenRow},
        {"Enter", true, false, false, KeyAction::OpenCurves},
        {"Enter", false, true, false, KeyAction::None},
        {"ContextMenu", false, false, false, KeyAction::ContextMenu},
        {"F10", true, false, false, KeyAction::ContextMenu},
        {"F10", false, false, false, KeyAction::None},
        {"F10", true, false, true, KeyAction::None},
        {"a", false, false, false, KeyAction::None},
    };
    for (const auto& c : actions)
        EXPECT_EQ(keyAction(c.key, c.shift, c.ctrl, c.alt), c.expected) << c.key;

    // In "12.5": the caret at a place, or a selection from `start` to `end`.
    const struct {
        const char* key;
        bool shift;
        bool ctrl;
        int start;
        int end;
        bool keeps;
    } editor[] = {
        {"ArrowLeft", false, false, 0, 0, false},  {"ArrowLeft", false, false, 2, 2, true},
        {"ArrowLeft", false, false, 0, 4, true},   {"ArrowLeft", true, false, 0, 0, true},
        {"ArrowRight", false, false, 4, 4, false}, {"ArrowRight", false, false, 0, 0, true},
        {"ArrowRight", false, false, 2, 4, true},  {"Home", false, false, 0, 0, true},
        {"End", false, true, 4, 4, false},         {"ArrowUp", false, false, 2, 2, false},
    };
    for (const auto& c : editor)
        EXPECT_EQ(editorKeeps(c.key, c.shift, c.ctrl, c.start, c.end, 4), c.keeps)
            << c.key << " " << c.start << ".." << c.end;
}

TEST(GridCursor, HeaderRoomsOfTheFixedColumnAndTheTablesWidths) {
    Table table(3, 5, 50);
    table.setCell(0, 0, "No.");
    table.setCell(1, 0, "Temperature");
    table.setColumnWidth(2, 80);
    const std::vector<HeaderRoom> expected = {{"No.", 56}, {"Temperature", 42}, {"", 72}};
    EXPECT_EQ(headerRooms(table, 64, 8), expected);
}

}  // namespace
}  // namespace talveno::window::grid
