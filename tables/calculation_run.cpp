#include "tables/calculation_run.h"

#include "core/failure.h"
#include "core/number_text.h"
#include "core/relations.h"
#include "tables/columns.h"
#include "tables/layouts.h"

namespace talveno {

namespace {

using columns::Quantity;

constexpr int inputColumn(Quantity quantity) {
    return columns::columnOf(columns::kInput, quantity);
}
constexpr int resultColumn(Quantity quantity) {
    return columns::columnOf(columns::kResult, quantity);
}

constexpr int kSbit = resultColumn(Quantity::bitumenStiffness);
constexpr int kSmix = resultColumn(Quantity::mixtureStiffness);

}  // namespace

void clearResults(Table& result, int n) {
    layouts::emptyHeldDataCells(result, 1, layouts::kResultColumns - 1, n);
}

void layOutResults(Table& result, int n, StiffnessUnit unit) {
    for (int column = 0; column < layouts::kResultColumns; ++column)
        result.setColumnWidth(column, layouts::kResultWidths[column]);
    for (std::size_t column = 0; column < layouts::kResultHeaders.size(); ++column)
        result.setCell(static_cast<int>(column), 0, std::string(layouts::kResultHeaders[column]));
    layouts::numberRows(result, n);
    result.setCell(kSbit, 0, layouts::stiffnessHeader("Sbit", unit));
    result.setCell(kSmix, 0, layouts::stiffnessHeader("Smix", unit));
}

void RowCalculation::start(const InputCells& cells, bool vanDraat) {
    RowInputs numbers;
    for (std::size_t i = 0; i < cells.size(); ++i) numbers[i] = parseNumber(cells[i]);
    start(cells, numbers, vanDraat);
}

void RowCalculation::start(const InputCells& cells, const RowInputs& numbers, bool vanDraat) {
    numbers_.start(numbers, vanDraat);
    for (int column = 1; column <= static_cast<int>(columns::kResult.size()); ++column) {
        const columns::Column& form = columns::kResult[column - 1];
        std::string& text = texts_[column];
        text.clear();
        if (form.quantity == Quantity::penetrationIndex)
            appendFixedText(text, numbers_.penetrationIndex(), form.decimals);
        else if (form.quantity == Quantity::concentration)
            appendFixedText(text, numbers_.concentration() * 100, form.decimals);
        else if (const int input = inputColumn(form.quantity); input > 0)
            text = cells[input - 1];
    }
}

void RowCalculation::finish(StiffnessUnit unit) {
    numbers_.finish(unit);
    appendExponentText(texts_[kSbit], numbers_.bitumenStiffness());
    appendExponentText(texts_[kSmix], numbers_.mixtureStiffness());
}

void computeRow(const Table& input, int row, Table& result, const CalculationSettings& settings) {
    InputCells cells;
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = input.cell(static_cast<int>(i) + 1, row);
    RowCalculation calculation;
    calculation.start(cells, settings.vanDraat);
    calculation.finish(settings.unit);
    for (int column = 1; column <= static_cast<int>(columns::kResult.size()); ++column)
        result.setCell(column, row, calculation.text(column));
}

void computeFilledRows(const Table& input, Table& result, const CalculationSettings& settings) {
    for (int row = 1; !input.cell(inputColumn(Quantity::penetration), row).empty(); ++row) {
        try {
            computeRow(input, row, result, settings);
        } catch (const Failure& failure) {
            throw Failure(std::string(failure.message()), row);
        }
    }
}

namespace {

// A result cell's number, by the run's parsing.
double resultNumber(const Table& result, int row, Quantity quantity) {
    return parseNumber(result.cell(resultColumn(quantity), row));
}

// What `take` takes from a result row into a Taken, or the reason why it cannot: an empty row,
// or the failure it meets.
template <typename Taken, typename Take>
Taken takenFromResultRow(const Table& result, int row, Take take) {
    Taken taken;
    if (result.cell(resultColumn(Quantity::penetration), row).empty()) {
        taken.reason = "この行には計算結果がありません";
        return taken;
    }
    try {
        take(taken);
    } catch (const Failure& failure) {
        taken.reason = failure.message();
    }
    return taken;
}

}  // namespace

RowLookUp lookUpResultRow(const Table& result, int row) {
    return takenFromResultRow<RowLookUp>(result, row, [&](RowLookUp& taken) {
        const double penetration = resultNumber(result, row, Quantity::penetration);
        const double softeningPoint = resultNumber(result, row, Quantity::softeningPoint);
        const double loadingTime = resultNumber(result, row, Quantity::loadingTime);
        const double temperature = resultNumber(result, row, Quantity::temperature);
        taken.inputs = lookUpInputs(penetrationIndex(penetration, softeningPoint), softeningPoint,
                                    loadingTime, temperature);
        taken.reading = nomograph::read(taken.inputs->penetrationIndex, taken.inputs->loadingTime,
                                        taken.inputs->temperatureDifference);
    });
}

ResultCurveRow curveRowOfResult(const Table& result, int row) {
    return takenFromResultRow<ResultCurveRow>(result, row, [&](ResultCurveRow& taken) {
        const double penetration = resultNumber(result, row, Quantity::penetration);
        const double softeningPoint = resultNumber(result, row, Quantity::softeningPoint);
        const double concentration =
            concentrationOfPercentage(resultNumber(result, row, Quantity::concentration));
        taken.temperature = resultNumber(result, row, Quantity::temperature);
        taken.loadingTime = resultNumber(result, row, Quantity::loadingTime);
        taken.row =
            CurveRow{softeningPoint, penetrationIndex(penetration, softeningPoint), concentration};
    });
}

}  // namespace talveno
