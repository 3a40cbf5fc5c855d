#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/extrapolation.h"
#include "tables/calculation_run.h"

// Texts of the window that every front end shows, and the rules that choose them, in standard
// C++.
namespace talveno::ui::texts {

// The error box's text for a fault of the program rather than of the user's data or files,
// before the full-stop rule.
inline constexpr std::string_view kInternalError =
    "プログラムの内部エラーのため、処理を中止しました";

// The penetration indices the nomograph view draws the curves over as it opens.
using nomograph::kHighestIndexShown;
using nomograph::kLowestIndexShown;

// What the nomograph view writes before each extrapolation note.
inline constexpr std::string_view kExtrapolationMark = "※ 外挿：";

// Why a row's Sbit is extrapolated rather than read, one sentence each (nomograph::
// extrapolationNotes). None for a reading, and none for a row without a look-up.
inline std::vector<std::string> extrapolationNotes(const RowLookUp& lookUp) {
    if (!lookUp.inputs || !lookUp.reading) return {};
    return nomograph::extrapolationNotes(
        nomograph::extrapolationOf(lookUp.inputs->penetrationIndex, *lookUp.reading));
}

}  // namespace talveno::ui::texts
