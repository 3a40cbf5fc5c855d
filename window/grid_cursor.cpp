#include "window/grid_cursor.h"

#include <algorithm>

namespace talveno::window::grid {

namespace {

// Within low..high; low where the range is empty.
int clamped(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

Range cellRange(Cell cell) {
    return {cell.column, cell.row, cell.column, cell.row};
}

}  // namespace

std::optional<Range> filledRowsRange(const Shape& shape, int filledRows) {
    const int rows = shape.rowCount > 1 ? std::min(filledRows, shape.rowCount - 1) : 0;
    if (rows <= 0) return {};
    return Range{1, 1, shape.columns - 1, rows};
}

Cursor::Cursor(int columns, int rowCount, bool editable)
    : shape_{columns, rowCount}, editable_(editable) {
    setRowCount(rowCount);
}

void Cursor::setRowCount(int rowCount) {
    shape_.rowCount = rowCount;
    const int first = shape_.firstRow();
    const int last = rowCount - 1;
    current_.row = clamped(current_.row, first, last);
    anchor_.row = clamped(anchor_.row, first, last);
    if (selection_) {
        selection_->top = clamped(selection_->top, first, last);
        selection_->bottom = clamped(selection_->bottom, first, last);
    }
}

std::optional<Range> Cursor::selectedArea() const {
    if (selection_) return selection_;
    if (editable_ || !hasDataRows()) return {};
    return cellRange(current_);
}

std::optional<Range> Cursor::copiedArea() const {
    if (!hasDataRows()) return {};
    return selection_ ? *selection_ : cellRange(current_);
}

void Cursor::moveTo(Cell to, bool extend) {
    current_ = {clamped(to.column, 1, shape_.columns - 1),
                clamped(to.row, shape_.firstRow(), shape_.rowCount - 1)};
    if (extend) {
        selection_ =
            Range{std::min(anchor_.column, current_.column), std::min(anchor_.row, current_.row),
                  std::max(anchor_.column, current_.column), std::max(anchor_.row, current_.row)};
    } else {
        anchor_ = current_;
        selection_.reset();
    }
}

void Cursor::selectLine(bool row, int at) {
    if (row) {
        selection_ = Range{1, at, shape_.columns - 1, at};
        current_ = {1, at};
    } else {
        selection_ = Range{at, shape_.firstRow(), at, shape_.rowCount - 1};
        current_ = {at, shape_.firstRow()};
    }
    anchor_ = current_;
}

bool Cursor::selectFilledRows(int filledRows) {
    const std::optional<Range> filled = filledRowsRange(shape_, filledRows);
    if (filled) selection_ = filled;
    return filled.has_value();
}

}  // namespace talveno::window::grid
