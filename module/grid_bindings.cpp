// The text grids' cursor, selection, keys and header rooms for the page (window/grid_cursor.h,
// window/grid_rules.h): cells as {column, row}, ranges as {left, top, right, bottom}, none as
// null.

#include "module/grid_bindings.h"

#include <emscripten/bind.h>

#include <string>
#include <vector>

#include "window/grid_rules.h"

using emscripten::val;
using namespace talveno::window::grid;

val talveno::bindings::rangeOrNull(const std::optional<Range>& range) {
    if (!range) return val::null();
    val shown = val::object();
    shown.set("left", range->left);
    shown.set("top", range->top);
    shown.set("right", range->right);
    shown.set("bottom", range->bottom);
    return shown;
}

namespace {

using talveno::bindings::rangeOrNull;

val current(const Cursor& cursor) {
    val shown = val::object();
    shown.set("column", cursor.current().column);
    shown.set("row", cursor.current().row);
    return shown;
}

bool hasSelection(const Cursor& cursor) {
    return cursor.selection().has_value();
}

val selectedArea(const Cursor& cursor) {
    return rangeOrNull(cursor.selectedArea());
}

val copiedArea(const Cursor& cursor) {
    return rangeOrNull(cursor.copiedArea());
}

void moveTo(Cursor& cursor, int column, int row, bool extend) {
    cursor.moveTo({column, row}, extend);
}

std::string keyActionName(const std::string& key, bool shift, bool ctrl, bool alt) {
    switch (keyAction(key, shift, ctrl, alt)) {
        case KeyAction::OpenRow:
            return "openRow";
        case KeyAction::OpenCurves:
            return "openCurves";
        case KeyAction::ContextMenu:
            return "contextMenu";
        case KeyAction::None:
            break;
    }
    return "";
}

bool editorKeepsKey(const std::string& key, bool shift, bool ctrl, int selectionStart,
                    int selectionEnd, int length) {
    return editorKeeps(key, shift, ctrl, selectionStart, selectionEnd, length);
}

val headerRoomsOf(const val& headers, const val& widths, int margins) {
    val rooms = val::array();
    for (const HeaderRoom& header : headerRooms(emscripten::vecFromJSArray<std::string>(headers),
                                                emscripten::vecFromJSArray<int>(widths), margins)) {
        val room = val::object();
        room.set("text", header.text);
        room.set("room", header.room);
        rooms.call<void>("push", room);
    }
    return rooms;
}

}  // namespace

EMSCRIPTEN_BINDINGS(talveno_grids) {
    emscripten::class_<Cursor>("GridCursor")
        .constructor<int, int, bool>()
        .function("setRowCount", &Cursor::setRowCount)
        .function("current", &current)
        .function("hasSelection", &hasSelection)
        .function("firstRow", &Cursor::firstRow)
        .function("dataRows", &Cursor::dataRows)
        .function("hasDataRows", &Cursor::hasDataRows)
        .function("selectedArea", &selectedArea)
        .function("copiedArea", &copiedArea)
        .function("moveTo", &moveTo)
        .function("selectLine", &Cursor::selectLine)
        .function("selectFilledRows", &Cursor::selectFilledRows)
        .function("clearSelection", &Cursor::clearSelection)
        .function("currentColumn", &Cursor::currentColumn)
        .function("currentRow", &Cursor::currentRow);
    emscripten::function("gridKeyAction", &keyActionName);
    emscripten::function("editorKeeps", &editorKeepsKey);
    emscripten::function("headerRooms", &headerRoomsOf);
}
