#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/stiffness_curves.h"
#include "core/stiffness_unit.h"
#include "tables/table.h"

// A result row's stiffness curves as the curves view shows them: Sbit and Smix over a range of
// temperatures at the row's loading time and at further ones, and over a range of loading times
// at the row's temperature and at further ones; the ranges as the user edits them in the view.
namespace talveno::window {

// The view's boxes, in their order (also the focus order): the temperatures of the chart over
// temperature and its further loading times, the loading times of the chart over loading time
// and its further temperatures.
enum CurvesBox : std::size_t {
    kTemperatureFrom,
    kTemperatureTo,
    kTemperatureStep,
    kFurtherLoadingTimes,
    kLoadingTimeFrom,
    kLoadingTimeTo,
    kPointsPerDecade,
    kFurtherTemperatures,
    kCurvesBoxCount
};

// A box as the front ends build it: its name (the widget's object name, the element's id) and
// the words before and after it.
struct CurvesBoxLabel {
    std::string_view name;
    std::string_view label;
    std::string_view unit;
};
extern const std::array<CurvesBoxLabel, kCurvesBoxCount> kCurvesBoxes;

// The view's buttons, by name, with their captions, in their focus order after the boxes. The
// page has no PDF button: it prints to PDF through the browser's print dialog.
struct CurvesButton {
    std::string_view name;
    std::string_view caption;
};
inline constexpr std::array<CurvesButton, 7> kCurvesButtons = {{
    {"CurvesApplyButton", "再描画"},
    {"CurvesCsvButton", "CSV で保存"},
    {"CurvesCopyButton", "コピー"},
    {"CurvesPngButton", "PNG で保存"},
    {"CurvesPdfButton", "PDF で保存"},
    {"CurvesPrintButton", "印　刷"},
    {"CurvesCloseButton", "閉じる"},
}};

// The caption of the item and of the button that open the view.
inline constexpr std::string_view kCurvesCommand = "スティフネス曲線";

// The nomograph view's buttons, as the curves view's, the close button last.
inline constexpr std::array<CurvesButton, 5> kNomographButtons = {{
    {"SavePngButton", "PNG で保存"},
    {"SavePdfButton", "PDF で保存"},
    {"PrintButton", "印　刷"},
    {"CurvesButton", kCurvesCommand},
    {"CloseButton", "閉じる"},
}};

using CurvesTexts = std::array<std::string, kCurvesBoxCount>;

// The most points on one curve, and the most further values of a chart: enough for a smooth
// chart, few enough to draw at once.
inline constexpr std::size_t kMostPointsPerCurve = 2000;
inline constexpr std::size_t kMostFurtherValues = 6;

// One curve: the row's points at a fixed loading time over the temperatures, or at a fixed
// temperature over the loading times.
struct Curve {
    double fixed;  // the loading time in s, or the temperature in °C
    bool rowsOwn;  // at the row's own loading time or temperature
    std::vector<CurvePoint> points;
};

class CurvesView {
  public:
    // The result row's curves in the unit, over the default ranges: the temperatures the
    // nomograph's temperature-difference scale takes for the row's softening point, the loading
    // times over the decades of the nomograph view's scale, 0.02, 0.1 and 1 s, 0, 20 and 40 °C.
    CurvesView(int row, const Table& results, StiffnessUnit unit);

    int row() const { return row_; }
    StiffnessUnit unit() const { return unit_; }
    // Why the row has no curves (an empty row, a cell that is no number); empty where it has.
    const std::string& reason() const { return reason_; }
    bool hasCurves() const { return reason_.empty(); }
    const CurveRow& curveRow() const { return curveRow_; }
    double rowTemperature() const { return rowTemperature_; }
    double rowLoadingTime() const { return rowLoadingTime_; }
    // The row's own point, as the run computes it.
    const CurvePoint& rowPoint() const { return rowPoint_; }

    const CurvesTexts& texts() const { return texts_; }
    // Takes the boxes' texts and computes the curves anew. All boxes are read before anything
    // changes: a text that is no number, or a range that gives no points or too many, throws
    // its failure and leaves the view as it was.
    void setTexts(const CurvesTexts& texts);

    // The curves of the chart over temperature, one a loading time, the row's first; those of
    // the chart over loading time, one a temperature, the row's first.
    const std::vector<Curve>& overTemperature() const { return overTemperature_; }
    const std::vector<Curve>& overLoadingTime() const { return overLoadingTime_; }

    // Why points are extrapolated, each reason once (the nomograph view's words).
    std::vector<std::string> extrapolationNotes() const;
    // Which points are left out, and why: a note for each stretch of a chart's axis where
    // curves fail, with the curves it concerns and the failure's message, each once.
    std::vector<std::string> failureNotes() const;

    // The points as a file for a spreadsheet (UTF-8 with a byte order mark, the columns of the
    // batch command's curves), and as tab-separated text with a header line for the clipboard:
    // those of the chart over temperature, then those of the chart over loading time.
    std::string csv() const;
    std::string tabSeparated() const;

    // "スティフネス曲線 - No. 3", the view's title.
    std::string title() const;

  private:
    std::string lines(char separator) const;

    int row_;
    StiffnessUnit unit_;
    std::string reason_;
    CurveRow curveRow_{};
    double rowTemperature_ = 0;
    double rowLoadingTime_ = 0;
    CurvePoint rowPoint_;
    CurvesTexts texts_;
    // The two charts' points as the engine gives them, temperature by temperature.
    std::vector<CurvePoint> byTemperature_;
    std::vector<CurvePoint> byLoadingTime_;
    std::vector<Curve> overTemperature_;
    std::vector<Curve> overLoadingTime_;
};

}  // namespace talveno::window
