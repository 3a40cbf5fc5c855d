#pragma once

#include <emscripten/val.h>

#include <optional>

#include "window/grid_cursor.h"

namespace talveno::bindings {

// A range of table cells as the page takes it, {left, top, right, bottom}; null for none.
emscripten::val rangeOrNull(const std::optional<window::grid::Range>& range);

}  // namespace talveno::bindings
