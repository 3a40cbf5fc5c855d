#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/table.h"

// Where the cursor of a text grid goes and how the grid scrolls across, for every front end.
// Cells are table cells: column 0 and the header row are fixed; the data rows run from
// `firstRow` (1, or 0 in a table of one row) to `rowCount - 1`.
namespace talveno::window::grid {

struct Cell {
    int column = 1;
    int row = 1;
    bool operator==(const Cell&) const = default;
};

struct Shape {
    int columns = 0;
    int rowCount = 0;
    int firstRow() const { return rowCount > 1 ? 1 : 0; }
};

// The widest of the row numbers in column 0: row numbers are decimal numbers below the row
// count, and digits are of one width in the window's faces, so the longest text is the widest,
// and one as long as the row count's own ends the search from the last row up, where the largest
// numbers stand.
std::string widestRowNumber(const Table& table);

// Tab goes through the filled rows and on into the row after them, where a new row is typed;
// forward from a row past the filled rows it leaves the input table.
bool tabLeaves(int row, int filledRows);

// The cell Tab (way 1) or Shift+Tab (way -1) goes to, row by row; none where the focus leaves
// the grid: at either end, and forward from a row past the filled rows.
std::optional<Cell> tabTarget(const Shape& shape, Cell current, int way, int filledRows);

// The cell a movement key goes to (the key by its browser name: "ArrowUp", "PageDown", "Home"
// and "End" with Ctrl, ...), not yet kept within the table; none for another key. `page` rows
// make a page; Left and Right move only where `across` (the open cell editor takes them).
std::optional<Cell> keyTarget(const Shape& shape, Cell current, std::string_view key, bool ctrl,
                              int page, bool across);

// The places, in pixels, the grid scrolls across to where its columns (`widths`, the fixed
// column first) are wider than its `viewWidth`: where a data column begins beside the fixed
// column, from the first data column to the one after which the rest show whole.
std::vector<int> acrossStops(const std::vector<int>& widths, int viewWidth);

// A scroll across that stopped at `shown` between two places, from the place `last`, goes on to
// the next place in its direction.
int snappedStop(const std::vector<int>& stops, int shown, int last);

// The place that shows `column` whole beside the fixed column, scrolled across to `shown` now;
// none where it shows whole already.
std::optional<int> stopShowing(const std::vector<int>& widths, int viewWidth, int column,
                               int shown);

}  // namespace talveno::window::grid
