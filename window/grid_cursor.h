#pragma once

#include <optional>

#include "window/grid_rules.h"

// The current cell and the selected range of a text grid, in table cells.
namespace talveno::window::grid {

struct Range {
    int left = 1;
    int top = 1;
    int right = 1;
    int bottom = 1;
    bool operator==(const Range&) const = default;
};

// The range Ctrl+A selects: the data cells of the filled rows shown; none where there are none.
std::optional<Range> filledRowsRange(const Shape& shape, int filledRows);

// The current cell, the anchor a range is extended from, and the range selected. In the
// read-only grid the current cell counts as selected when nothing else is; the editable grid
// keeps its cell editor open on the current cell while no range is selected.
class Cursor {
  public:
    Cursor(int columns, int rowCount, bool editable);

    // The table's rows as a command left them: the cells are kept within its rows.
    void setRowCount(int rowCount);

    Cell current() const { return current_; }
    const std::optional<Range>& selection() const { return selection_; }
    // The table row shown first (grid_rules.h) and the count of rows from it.
    int firstRow() const { return shape_.firstRow(); }
    int dataRows() const { return shape_.rowCount - shape_.firstRow(); }
    bool hasDataRows() const { return dataRows() > 0; }

    // The selected range, with the read-only grid's current cell standing in for none.
    std::optional<Range> selectedArea() const;

    // The cells Ctrl+C copies: the selected range, else the current cell; none without rows.
    std::optional<Range> copiedArea() const;

    // The current cell goes to `to`, kept within the table's data cells, extending the range
    // from the anchor, or alone, as the new anchor.
    void moveTo(Cell to, bool extend);

    // A fixed cell clicked selects its whole row (`row`), or its whole column, at `at`, the
    // current cell the first of it.
    void selectLine(bool row, int at);

    // Ctrl+A: the filled rows selected; false where there are none.
    bool selectFilledRows(int filledRows);

    // The range given up, as the cell editor opening on the current cell does.
    void clearSelection() { selection_.reset(); }

    // The table column and row of the current cell; 0 where the table has no data rows.
    int currentColumn() const { return hasDataRows() ? current_.column : 0; }
    int currentRow() const { return hasDataRows() ? current_.row : 0; }

  private:
    Shape shape_;
    bool editable_;
    Cell current_;
    Cell anchor_;
    std::optional<Range> selection_;
};

}  // namespace talveno::window::grid
