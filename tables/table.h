#pragma once

#include <string>
#include <vector>

namespace talveno {

// A rectangle of text cells addressed by (column, row), both from 0. Row 0 holds the column
// headers and column 0 the row numbers. Texts are stored per cell whatever the row count: rows
// beyond a lowered row count are hidden, not erased, and a cell never written reads empty.
class Table {
  public:
    Table(int columnCount, int rowCount, int defaultColumnWidth);

    int columnCount() const { return static_cast<int>(columns_.size()); }
    int rowCount() const { return rowCount_; }
    // The number of rows shown, header row included; at least 1.
    void setRowCount(int rowCount);

    const std::string& cell(int column, int row) const;
    // The rows of a column that may hold a text: every cell below them reads empty.
    int rowsHeld(int column) const { return static_cast<int>(columns_.at(column).size()); }
    void setCell(int column, int row, std::string text);
    // Exchanges the texts of a column, row 0 first, with those given; allocates nothing.
    void swapColumn(int column, std::vector<std::string>& texts) {
        columns_.at(column).swap(texts);
    }

    int columnWidth(int column) const { return widths_.at(column); }
    void setColumnWidth(int column, int width) { widths_.at(column) = width; }

    // Moves a whole row (or column) with all its texts, its row number (or header) included,
    // to another position; the ones between shift by one.
    void moveRow(int from, int to);
    void moveColumn(int from, int to);

    // The filled rows: 1, 2, ... up to, not including, the first row whose column-1 cell is
    // empty, with no upper bound.
    int filledRowCount() const;

  private:
    std::vector<std::string>& columnFor(int column, int rows);

    std::vector<std::vector<std::string>> columns_;
    std::vector<int> widths_;
    int rowCount_;
};

}  // namespace talveno
