#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/stiffness_unit.h"
#include "disk/file_calculation.h"

// The points of every row's stiffness curves that the batch command writes beside the result
// file, as CSV, over a grid of temperatures and loading times given on the command line.
namespace talveno::batch {

// The most points a row may have: more would be a grid mistyped rather than wanted.
inline constexpr std::size_t kMostCurvePoints = 100000;

struct CurveGrid {
    std::vector<double> temperatures;  // °C
    std::vector<double> loadingTimes;  // s
};

// The temperatures of "FROM:TO:STEP" in °C, decimals such as -10:60:2.5: FROM, FROM + STEP, ...
// up to TO, each the double nearest its exact decimal value (0:1:0.1 reaches 0.3 and 1 as the
// texts "0.3" and "1" read). Throws std::invalid_argument saying what is wrong: no such text, a
// STEP not above 0, FROM above TO, more than kMostCurvePoints temperatures.
std::vector<double> temperatureRange(std::string_view text);

// The loading times of "T1,T2,..." in s, each a number as a table cell reads it and above 0.
// Throws std::invalid_argument saying what is wrong.
std::vector<double> loadingTimeList(std::string_view text);

// The grid of both; throws std::invalid_argument when a row would have more than
// kMostCurvePoints points.
CurveGrid curveGrid(std::string_view temperatures, std::string_view loadingTimes);

// The CSV as an output of the calculation: its header, then each row's points, temperature by
// temperature, each at the loading times in their order.
std::unique_ptr<CalculationOutput> curvesOutput(
    const CurveGrid& grid, StiffnessUnit unit,
    const std::function<file_system::FileReplacement()>& open, std::string name);

}  // namespace talveno::batch
