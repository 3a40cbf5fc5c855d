#pragma once

#include <optional>
#include <string>

#include "core/nomograph.h"
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

// What a row gives the nomograph look-up.
struct LookUpInputs {
    double penetrationIndex;
    double loadingTime;
    double temperatureDifference;  // softening point minus temperature, °C
};

// A result row's nomograph look-up taken again from its penetration, softening point, loading
// time and temperature cells by the run's own steps, or why it has none: the failure those
// steps meet (the inputs are known when only the look-up failed), or an empty row.
struct RowLookUp {
    std::optional<LookUpInputs> inputs;
    std::optional<nomograph::Reading> reading;
    std::string reason;
};
RowLookUp lookUpResultRow(const Table& result, int row);

}  // namespace talveno
