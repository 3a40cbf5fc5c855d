#include "window/grid_rules.h"

#include <algorithm>
#include <numeric>

namespace talveno::window::grid {

namespace {

int leftOf(const std::vector<int>& widths, int column) {
    return std::accumulate(widths.begin(), widths.begin() + column, 0);
}

}  // namespace

std::string widestRowNumber(const Table& table) {
    const std::size_t mostDigits = std::to_string(table.rowCount() - 1).size();
    std::string widest;
    const int lastRow = std::min(table.rowCount(), table.rowsHeld(0)) - 1;
    for (int row = lastRow; row >= Shape{0, table.rowCount()}.firstRow(); --row) {
        if (table.cell(0, row).size() > widest.size()) widest = table.cell(0, row);
        if (widest.size() >= mostDigits) break;
    }
    return widest;
}

bool tabLeaves(int row, int filledRows) {
    return row > filledRows;
}

std::optional<Cell> tabTarget(const Shape& shape, Cell current, int way, int filledRows) {
    if (way > 0 && tabLeaves(current.row, filledRows)) return {};
    Cell next{current.column + way, current.row};
    if (next.column > shape.columns - 1) {
        next = {1, current.row + 1};
    } else if (next.column < 1) {
        next = {shape.columns - 1, current.row - 1};
    }
    if (next.row < shape.firstRow() || next.row > shape.rowCount - 1) return {};
    return next;
}

std::optional<Cell> keyTarget(const Shape& shape, Cell current, std::string_view key, bool ctrl,
                              int page, bool across) {
    const auto [column, row] = current;
    if (key == "ArrowUp") return Cell{column, row - 1};
    if (key == "ArrowDown") return Cell{column, row + 1};
    if (key == "PageUp") return Cell{column, row - page};
    if (key == "PageDown") return Cell{column, row + page};
    if (across && key == "ArrowLeft") return Cell{column - 1, row};
    if (across && key == "ArrowRight") return Cell{column + 1, row};
    if (ctrl && key == "Home") return Cell{1, shape.firstRow()};
    if (ctrl && key == "End") return Cell{shape.columns - 1, shape.rowCount - 1};
    return {};
}

KeyAction keyAction(std::string_view key, bool shift, bool ctrl, bool alt) {
    if (ctrl || alt) return KeyAction::None;
    if (key == "Enter") return shift ? KeyAction::OpenCurves : KeyAction::OpenRow;
    if (key == "ContextMenu" || (shift && key == "F10")) return KeyAction::ContextMenu;
    return KeyAction::None;
}

bool editorKeeps(std::string_view key, bool shift, bool ctrl, int selectionStart, int selectionEnd,
                 int length) {
    const bool caretOnly = selectionStart == selectionEnd;
    if (key == "ArrowLeft") return shift || !(caretOnly && selectionStart == 0);
    if (key == "ArrowRight") return shift || !(caretOnly && selectionEnd == length);
    if (key == "Home" || key == "End") return !ctrl;
    return false;
}

std::vector<HeaderRoom> headerRooms(const std::vector<std::string>& headers,
                                    const std::vector<int>& widths, int margins) {
    std::vector<HeaderRoom> rooms;
    for (std::size_t column = 0; column < headers.size() && column < widths.size(); ++column)
        rooms.push_back({headers[column], widths[column] - margins});
    return rooms;
}

std::vector<HeaderRoom> headerRooms(const Table& table, int fixedWidth, int margins) {
    std::vector<std::string> headers;
    std::vector<int> widths;
    for (int column = 0; column < table.columnCount(); ++column) {
        headers.push_back(table.cell(column, 0));
        widths.push_back(column == 0 ? fixedWidth : table.columnWidth(column));
    }
    return headerRooms(headers, widths, margins);
}

std::vector<int> acrossStops(const std::vector<int>& widths, int viewWidth) {
    const int columns = static_cast<int>(widths.size());
    if (columns == 0) return {0};
    const int room = viewWidth - widths[0];
    const int end = leftOf(widths, columns);
    std::vector<int> stops = {0};
    for (int column = 1; column < columns - 1 && end - leftOf(widths, column) > room; ++column)
        stops.push_back(leftOf(widths, column + 1) - widths[0]);
    return stops;
}

int snappedStop(const std::vector<int>& stops, int shown, int last) {
    if (shown == last || stops.empty()) return last;
    if (shown > last) {
        const auto next =
            std::find_if(stops.begin(), stops.end(), [&](int stop) { return stop >= shown - 1; });
        return next != stops.end() ? *next : stops.back();
    }
    const auto before =
        std::find_if(stops.rbegin(), stops.rend(), [&](int stop) { return stop <= shown + 1; });
    return before != stops.rend() ? *before : 0;
}

std::optional<int> stopShowing(const std::vector<int>& widths, int viewWidth, int column,
                               int shown) {
    const std::vector<int> stops = acrossStops(widths, viewWidth);
    const int left = leftOf(widths, column) - widths[0];
    const int right = leftOf(widths, column + 1);
    if (left < shown) {
        const auto before =
            std::find_if(stops.rbegin(), stops.rend(), [&](int stop) { return stop <= left; });
        return before != stops.rend() ? *before : 0;
    }
    if (right > shown + viewWidth) {
        const auto after = std::find_if(stops.begin(), stops.end(),
                                        [&](int stop) { return right <= stop + viewWidth; });
        return after != stops.end() ? *after : stops.back();
    }
    return {};
}

}  // namespace talveno::window::grid
