#include "tables/table.h"

#include <algorithm>
#include <stdexcept>

namespace talveno {

namespace {

const std::string kEmpty;

template <typename T>
void moveElement(std::vector<T>& items, int from, int to) {
    if (from < to)
        std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to + 1);
    else if (to < from)
        std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
}

}  // namespace

Table::Table(int columnCount, int rowCount, int defaultColumnWidth)
    : columns_(columnCount), widths_(columnCount, defaultColumnWidth), rowCount_(1) {
    setRowCount(rowCount);
}

void Table::setRowCount(int rowCount) {
    rowCount_ = std::max(rowCount, 1);
}

const std::string& Table::cell(int column, int row) const {
    const auto& texts = columns_.at(column);
    if (row < 0 || static_cast<std::size_t>(row) >= texts.size()) return kEmpty;
    return texts[row];
}

std::vector<std::string>& Table::columnFor(int column, int rows) {
    auto& texts = columns_.at(column);
    if (texts.size() < static_cast<std::size_t>(rows)) texts.resize(rows);
    return texts;
}

void Table::setCell(int column, int row, std::string text) {
    if (row < 0) throw std::out_of_range("negative table row");
    auto& texts = columns_.at(column);
    if (static_cast<std::size_t>(row) >= texts.size()) {
        if (text.empty()) return;  // reads as empty already
        texts.resize(row + 1);
    }
    texts[row] = std::move(text);
}

void Table::moveRow(int from, int to) {
    if (from < 0 || to < 0) throw std::out_of_range("negative table row");
    for (int column = 0; column < columnCount(); ++column)
        moveElement(columnFor(column, std::max(from, to) + 1), from, to);
}

void Table::moveColumn(int from, int to) {
    columns_.at(from);
    columns_.at(to);
    moveElement(columns_, from, to);
    moveElement(widths_, from, to);
}

int Table::filledRowCount() const {
    const auto& penetration = columns_.at(1);
    int row = 1;
    while (static_cast<std::size_t>(row) < penetration.size() && !penetration[row].empty()) ++row;
    return row - 1;
}

}  // namespace talveno
