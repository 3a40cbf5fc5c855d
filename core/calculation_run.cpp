#include "core/calculation_run.h"

#include <array>
#include <cmath>

#include "core/failure.h"
#include "core/messages.h"
#include "core/nomograph.h"
#include "core/number_text.h"
#include "core/relations.h"
#include "tables/layouts.h"

namespace talveno {

namespace {

// Input columns of a row, in the order they are parsed.
enum InputColumn {
    kPenetration = 1,
    kSofteningPoint,
    kLoadingTime,
    kTemperature,
    kAsphalt,
    kVoids
};

// Result columns.
enum ResultColumn {
    kResultPenetration = 1,
    kResultSofteningPoint,
    kResultPenetrationIndex,
    kResultLoadingTime,
    kResultTemperature,
    kResultConcentration,
    kResultSbit,
    kResultSmix
};

// ΔT = Tsp - T; a difference beyond the double range is an overflow, not a point off the
// nomograph's scale.
double temperatureDifference(double softeningPoint, double temperature) {
    const double difference = softeningPoint - temperature;
    if (std::isinf(difference)) throw messages::overflow();
    return difference;
}

// The look-up the run makes for a row.
nomograph::Reading lookUp(const LookUpInputs& inputs) {
    return nomograph::read(inputs.penetrationIndex, inputs.loadingTime,
                           inputs.temperatureDifference);
}

}  // namespace

void clearResults(Table& result, int n) {
    layouts::emptyDataCells(result, 1, 8, n);
}

void layOutResults(Table& result, int n, StiffnessUnit unit) {
    for (int column = 0; column < layouts::kResultColumns; ++column)
        result.setColumnWidth(column, layouts::kResultWidths[column]);
    for (std::size_t column = 0; column < layouts::kResultHeaders.size(); ++column)
        result.setCell(static_cast<int>(column), 0, std::string(layouts::kResultHeaders[column]));
    layouts::numberRows(result, n);
    result.setCell(kResultSbit, 0, layouts::stiffnessHeader("Sbit", unit));
    result.setCell(kResultSmix, 0, layouts::stiffnessHeader("Smix", unit));
}

void computeRow(const Table& input, int row, Table& result, const CalculationSettings& settings) {
    std::array<double, 7> value{};
    for (int column = kPenetration; column <= kVoids; ++column)
        value[column] = parseNumber(input.cell(column, row));

    const double cv =
        aggregateVolumeConcentration(value[kAsphalt], value[kVoids], settings.vanDraat);
    const double pi = penetrationIndex(value[kPenetration], value[kSofteningPoint]);

    result.setCell(kResultPenetration, row, input.cell(kPenetration, row));
    result.setCell(kResultSofteningPoint, row, input.cell(kSofteningPoint, row));
    result.setCell(kResultLoadingTime, row, input.cell(kLoadingTime, row));
    result.setCell(kResultTemperature, row, input.cell(kTemperature, row));
    result.setCell(kResultPenetrationIndex, row, fixedText(pi, 2));
    result.setCell(kResultConcentration, row, fixedText(cv * 100, 1));

    const LookUpInputs inputs{pi, value[kLoadingTime],
                              temperatureDifference(value[kSofteningPoint], value[kTemperature])};
    double sbit = lookUp(inputs).stiffnessMpa;
    double smix = mixtureStiffness(sbit, cv);
    if (settings.unit == StiffnessUnit::KgfPerCm2) {
        sbit = toKgfPerCm2(sbit);
        smix = toKgfPerCm2(smix);
    }
    result.setCell(kResultSbit, row, exponentText(sbit));
    result.setCell(kResultSmix, row, exponentText(smix));
}

void computeFilledRows(const Table& input, Table& result, const CalculationSettings& settings) {
    for (int row = 1; !input.cell(kPenetration, row).empty(); ++row) {
        try {
            computeRow(input, row, result, settings);
        } catch (const Failure& failure) {
            throw Failure(std::string(failure.message()), row);
        }
    }
}

RowLookUp lookUpResultRow(const Table& result, int row) {
    RowLookUp taken;
    if (result.cell(kResultPenetration, row).empty()) {
        taken.reason = "この行には計算結果がありません";
        return taken;
    }
    try {
        const double penetration = parseNumber(result.cell(kResultPenetration, row));
        const double softeningPoint = parseNumber(result.cell(kResultSofteningPoint, row));
        const double loadingTime = parseNumber(result.cell(kResultLoadingTime, row));
        const double temperature = parseNumber(result.cell(kResultTemperature, row));
        taken.inputs = {penetrationIndex(penetration, softeningPoint), loadingTime,
                        temperatureDifference(softeningPoint, temperature)};
        taken.reading = lookUp(*taken.inputs);
    } catch (const Failure& failure) {
        taken.reason = failure.message();
    }
    return taken;
}

}  // namespace talveno
