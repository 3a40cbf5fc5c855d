#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/stiffness_unit.h"
#include "tables/table.h"

// The column layouts of the input table and the result table.
namespace talveno::layouts {

inline constexpr int kInputColumns = 7;
inline constexpr int kInputDefaultWidth = 100;
inline constexpr int kInputRowNumberWidth = 30;
inline constexpr std::array<std::string_view, kInputColumns> kInputHeaders = {
    "No.",       "針入度(1/10mm)", "軟化点(℃)", "載荷時間(秒)",
    "温　度(℃)", "アス容積率(％)", "空隙率(％)"};

inline constexpr int kResultColumns = 9;
inline constexpr int kResultDefaultWidth = 85;
inline constexpr std::array<int, kResultColumns> kResultWidths = {25, 95, 73, 73, 75,
                                                                  75, 88, 82, 82};
// Columns 0 to 6; the stiffness headers follow the unit.
inline constexpr std::array<std::string_view, 7> kResultHeaders = {
    "No.",          "針入度(1/10mm)", "軟化点(℃)",     "針入度指数",
    "載荷時間(秒)", "温　度(℃)",      "骨材体積率(％)"};

// Both tables as the program starts: 50 data rows, no texts.
inline constexpr int kInitialRowCount = 51;
Table makeInputTable();
Table makeResultTable();

// "Sbit(MPa)" and the like.
std::string stiffnessHeader(std::string_view quantity, StiffnessUnit unit);

// Writes the decimal texts 1 to n into column 0.
void numberRows(Table& table, int n);

// Empties columns `first` to `last` of rows 1 to n (nothing when n < 1).
void emptyDataCells(Table& table, int first, int last, int n);

// The same for rows 1 to n and for every row beyond n that holds a text in those columns, so
// that rows of an earlier, longer table do not stay hidden behind new ones, to be computed,
// printed and saved with them.
void emptyHeldDataCells(Table& table, int first, int last, int n);

}  // namespace talveno::layouts
