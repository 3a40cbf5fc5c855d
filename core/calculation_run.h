#pragma once

#include "core/stiffness_unit.h"
#include "tables/table.h"

// The calculation run: every filled row of the input table computed into the result table.
namespace talveno {

struct CalculationSettings {
    StiffnessUnit unit = StiffnessUnit::Mpa;
    bool vanDraat = false;  // the Van Draat correction for mixtures with more than 3 % voids
};

// Empties the data cells (columns 1 to 8) of result rows 1 to n.
void clearResults(Table& result, int n);

// Writes the result table's widths, headers (the stiffness pair in the unit) and the row
// numbers 1 to n.
void layOutResults(Table& result, int n, StiffnessUnit unit);

// Computes input row `row` into the same result row. Throws the row's failure; columns 1 to 6
// are written once the penetration index and Cv are known, 7 and 8 at the end.
void computeRow(const Table& input, int row, Table& result, const CalculationSettings& settings);

// Computes every filled input row in order; the failure of a row carries its number.
void computeFilledRows(const Table& input, Table& result, const CalculationSettings& settings);

}  // namespace talveno
