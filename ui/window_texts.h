#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/nomograph_tables.h"
#include "core/number_text.h"
#include "tables/calculation_run.h"

// Texts of the window that every front end shows, and the rules that choose them, in standard
// C++.
namespace talveno::ui::texts {

// The error box's text for a fault of the program rather than of the user's data or files,
// before the full-stop rule.
inline constexpr std::string_view kInternalError =
    "プログラムの内部エラーのため、処理を中止しました";

// The penetration indices the nomograph view draws the curves over as it opens.
inline constexpr int kLowestIndexShown = -3;
inline constexpr int kHighestIndexShown = 3;

// What the nomograph view writes before each extrapolation note.
inline constexpr std::string_view kExtrapolationMark = "※ 外挿：";

// Why a row's Sbit is extrapolated rather than read, one sentence each: X beyond the stiffest
// curve (the last pair, g above 1), a penetration index outside the view's axis as it opens.
// None for a reading, and none for a row without a look-up.
inline std::vector<std::string> extrapolationNotes(const RowLookUp& lookUp) {
    std::vector<std::string> notes;
    if (!lookUp.inputs || !lookUp.reading) return notes;
    const auto& curves = nomograph::kStiffnessCurves;
    if (lookUp.reading->upperCurve + 1 == curves.size() && lookUp.reading->fraction > 1)
        notes.push_back("X は最も硬い曲線（" + shortestText(curves.back().stiffnessPa / 1e6) +
                        " MPa）の外にあり、Sbit はその先への外挿値です");
    const double index = lookUp.inputs->penetrationIndex;
    if (index < kLowestIndexShown || index > kHighestIndexShown)
        notes.push_back("PI は図の針入度指数の範囲（" + std::to_string(kLowestIndexShown) +
                        " 〜 +" + std::to_string(kHighestIndexShown) +
                        "）の外にあり、Sbit は外挿値です");
    return notes;
}

}  // namespace talveno::ui::texts
