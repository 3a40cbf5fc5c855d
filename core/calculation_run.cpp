#include "core/calculation_run.h"

#include <algorithm>
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

void RowCalculation::start(const InputCells& cells, bool vanDraat) {
    std::array<double, 6> numbers;
    for (int column = kPenetration; column <= kVoids; ++column)
        numbers[column - 1] = parseNumber(cells[column - 1]);
    start(cells, numbers, vanDraat);
}

void RowCalculation::start(const InputCells& cells, const std::array<double, 6>& numbers,
                           bool vanDraat) {
    std::copy(numbers.begin(), numbers.end(), inputs_.begin() + 1);

    concentration_ = aggregateVolumeConcentration(inputs_[kAsphalt], inputs_[kVoids], vanDraat);
    penetrationIndex_ = penetrationIndex(inputs_[kPenetration], inputs_[kSofteningPoint]);

    texts_[kResultPenetration] = cells[kPenetration - 1];
    texts_[kResultSofteningPoint] = cells[kSofteningPoint - 1];
    texts_[kResultLoadingTime] = cells[kLoadingTime - 1];
    texts_[kResultTemperature] = cells[kTemperature - 1];
    texts_[kResultPenetrationIndex].clear();
    appendFixedText(texts_[kResultPenetrationIndex], penetrationIndex_, 2);
    texts_[kResultConcentration].clear();
    appendFixedText(texts_[kResultConcentration], concentration_ * 100, 1);
    texts_[kResultSbit].clear();
    texts_[kResultSmix].clear();
}

void RowCalculation::finish(StiffnessUnit unit) {
    const LookUpInputs inputs{
        penetrationIndex_, inputs_[kLoadingTime],
        temperatureDifference(inputs_[kSofteningPoint], inputs_[kTemperature])};
    double sbit = lookUp(inputs).stiffnessMpa;
    double smix = mixtureStiffness(sbit, concentration_);
    if (unit == StiffnessUnit::KgfPerCm2) {
        sbit = toKgfPerCm2(sbit);
        smix = toKgfPerCm2(smix);
    }
    appendExponentText(texts_[kResultSbit], sbit);
    appendExponentText(texts_[kResultSmix], smix);
}

void computeRow(const Table& input, int row, Table& result, const CalculationSettings& settings) {
    InputCells cells;
    for (int column = kPenetration; column <= kVoids; ++column)
        cells[column - 1] = input.cell(column, row);
    RowCalculation calculation;
    calculation.start(cells, settings.vanDraat);
    for (int column = kResultPenetration; column <= kResultConcentration; ++column)
        result.setCell(column, row, calculation.text(column));
    calculation.finish(settings.unit);
    result.setCell(kResultSbit, row, calculation.text(kResultSbit));
    result.setCell(kResultSmix, row, calculation.text(kResultSmix));
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
