#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/extrapolation.h"
#include "core/stiffness_unit.h"
#include "tables/calculation_run.h"

// Texts of the window that every front end shows, and the rules that choose them, in standard
// C++.
namespace talveno::window::texts {

inline constexpr std::string_view kCaption = "Talveno ver1.7  2008.03.02";

// The questions of the confirmation box.
inline constexpr std::string_view kClearAllQuestion = "データをクリアします！よろしいですか？";
inline constexpr std::string_view kExitQuestion = "プログラムを終了してよろしいですか？";

// The file dialogs' filter lists ("description|pattern|..."), and the extension a save dialog
// adds to a name typed without one.
inline constexpr std::string_view kInputOpenFilter = "*.dat|*.dat|すべてのファイル|*.*";
inline constexpr std::string_view kInputSaveFilter = "*.dat|*.dat";
inline constexpr std::string_view kInputExtension = "dat";
inline constexpr std::string_view kResultExtension = "out";

// The result files' filter for a unit, set by every run: "出力ファイル(*.mpa)|*.mpa".
inline std::string resultFilter(StiffnessUnit unit) {
    const std::string pattern = "*." + std::string(resultFileExtension(unit));
    return "出力ファイル(" + pattern + ")|" + pattern;
}

// The pattern the result page shows beside its file name box: "*.mpa" or "*.kgf".
inline std::string resultPattern(StiffnessUnit unit) {
    return "*." + std::string(resultFileExtension(unit));
}

// A file given to open that is neither an input data file nor a result file.
inline std::string notADataFile(std::string_view name) {
    return "'" + std::string(name) + "' は入力データファイルでも結果ファイルでもありません";
}

// The error box's text for a fault of the program rather than of the user's data or files,
// before the full-stop rule.
inline constexpr std::string_view kInternalError =
    "プログラムの内部エラーのため、処理を中止しました";

// The user guide, which F1 opens: the window's action and the page's link beside the window.
inline constexpr std::string_view kGuideTitle = "利用の手引き";
inline constexpr std::string_view kGuideLink = "利用の手引き (F1)";

// The error box when the guide is not where the program looks for it, or no viewer takes it.
inline std::string guideMissing(std::string_view path) {
    return "利用の手引き '" + std::string(path) + "' が見つかりません";
}
inline std::string guideNotOpened(std::string_view path) {
    return "利用の手引き '" + std::string(path) + "' を開くプログラムがありません";
}

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

}  // namespace talveno::window::texts
