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

// What a key asks of the read-only grid (the key by its browser name): Enter opens the current
// row, Shift+Enter its curves, the menu key or Shift+F10 the context menu; none with Ctrl or Alt.
enum class KeyAction { None, OpenRow, OpenCurves, ContextMenu };
KeyAction keyAction(std::string_view key, bool shift, bool ctrl, bool alt);

// Whether the open cell editor keeps a key for its text rather than leaving it to move the
// cursor: Left and Right while the caret can go that way or a selection is there to collapse,
// or with Shift; Home and End without Ctrl. `selectionStart` and `selectionEnd` are the
// caret's places in a text `length` long.
bool editorKeeps(std::string_view key, bool shift, bool ctrl, int selectionStart, int selectionEnd,
                 int length);

// A header's text and its room: its column's width less the header's margins.
struct HeaderRoom {
    std::string text;
    int room = 0;
    bool operator==(const HeaderRoom&) const = default;
};

// The header row's texts with their rooms, for the one font at which every header fits:
// `widths` are the columns' widths, the fixed column first, as the grid shows them.
std::vector<HeaderRoom> headerRooms(const std::vector<std::string>& headers,
                                    const std::vector<int>& widths, int margins);
// The same of a table, its fixed column `fixedWidth` wide.
std::vector<HeaderRoom> headerRooms(const Table& table, int fixedWidth, int margins);

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
