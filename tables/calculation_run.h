#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/nomograph.h"
#include "core/row_calculation.h"
#include "core/stiffness_curves.h"
#include "core/stiffness_unit.h"
#include "tables/table.h"

// The calculation run over the tables: every filled row of the input table computed into the
// result table.
namespace talveno {

// The texts of input columns 1 to 6 of a row.
using InputCells = std::array<std::string_view, 6>;

// One row of a calculation run, from the texts of its input cells to the texts it writes into
// result columns 1 to 8. Kept from row to row, it allocates no text anew.
class RowCalculation {
  public:
    // Parses the cells in column order, computes Cv and PI and sets the texts of result columns
    // 1 to 6: four input texts as they stand, PI with 2 decimals, Cv in % with 1. Throws the
    // first failure.
    void start(const InputCells& cells, bool vanDraat);
    // The same where the numbers the cells read as are known already.
    void start(const InputCells& cells, const RowInputs& numbers, bool vanDraat);

    // Reads Sbit off the nomograph, computes Smix, converts both to the unit and sets their
    // exponent texts in columns 7 and 8. Throws the failure.
    void finish(StiffnessUnit unit);

    // The row's numbers as far as computed.
    const RowNumbers& numbers() const { return numbers_; }
    // The text of result column 1 to 8 as far as computed.
    const std::string& text(int column) const { return texts_[column]; }

  private:
    RowNumbers numbers_;
    std::array<std::string, 9> texts_;  // from column 1
};

// Empties the data cells (columns 1 to 8) of result rows 1 to n and of every row beyond n that
// holds one, so that results of an earlier, longer run do not stay behind the new ones.
void clearResults(Table& result, int n);

// Writes the result table's widths, headers (the stiffness pair in the unit) and the row
// numbers 1 to n.
void layOutResults(Table& result, int n, StiffnessUnit unit);

// Computes input row `row` into the same result row, written whole once Smix is known: a row
// that fails stays as it was (emptied by the run), so that the rows before it can be saved and
// printed. Throws the row's failure.
void computeRow(const Table& input, int row, Table& result, const CalculationSettings& settings);

// Computes every filled input row in order; the failure of a row carries its number.
void computeFilledRows(const Table& input, Table& result, const CalculationSettings& settings);

// A result row's nomograph look-up taken again from its penetration, softening point, loading
// time and temperature cells by the run's own steps, or why it has none: the failure those
// steps meet (the inputs are known when only the look-up failed), or an empty row.
struct RowLookUp {
    std::optional<LookUpInputs> inputs;
    std::optional<nomograph::Reading> reading;
    std::string reason;
};
RowLookUp lookUpResultRow(const Table& result, int row);

// A result row's numbers for its stiffness curves, taken again from its cells: PI from its
// penetration and softening point by the run's own steps, Cv from its Cv cell on the run's grid,
// and the row's own temperature and loading time; or why it has none: the failure those steps
// meet, or an empty row.
struct ResultCurveRow {
    std::optional<CurveRow> row;
    std::string reason;
    double temperature = 0;  // °C
    double loadingTime = 0;  // s
};
ResultCurveRow curveRowOfResult(const Table& result, int row);

}  // namespace talveno
