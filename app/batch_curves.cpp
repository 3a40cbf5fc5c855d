#include "app/batch_curves.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "core/number_text.h"
#include "core/stiffness_curves.h"
#include "formats/curves_csv.h"

namespace talveno::batch {

namespace {

// A decimal as its digits and the count of them after the point: -2.5 is {-25, 1}.
struct Decimal {
    __int128 digits;
    int decimals;
};

constexpr __int128 kExactInDouble = __int128(1) << 53;

// An optional sign, digits with an optional point among or after them, nothing else.
std::optional<Decimal> plainDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) text.remove_prefix(1);
    Decimal value{0, 0};
    bool point = false;
    int digits = 0;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 15) return std::nullopt;
            value.digits = value.digits * 10 + (c - '0');
            value.decimals += point;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    if (negative) value.digits = -value.digits;
    return value;
}

__int128 scaled(const Decimal& value, int decimals) {
    __int128 digits = value.digits;
    for (int k = value.decimals; k < decimals; ++k) digits *= 10;
    return digits;
}

std::string countText(__int128 count) {
    return count > 1000000000 ? "more than 1000000000" : std::to_string(static_cast<long>(count));
}

// Each row's points over the grid as CSV lines.
class CurvesOutput : public CalculationOutput {
  public:
    CurvesOutput(const CurveGrid& grid, StiffnessUnit unit,
                 const std::function<file_system::FileReplacement()>& open, std::string name)
        : CalculationOutput(open, std::move(name)), grid_(grid), unit_(unit) {
        file_.write(curvesCsvHeader(unit));
    }

    void appendRow(std::string& lines, int row, const InputCells&,
                   const RowCalculation& result) const override {
        // Each computing thread keeps its points from row to row.
        thread_local std::vector<CurvePoint> points;
        const CurveRow curve = curveRow(result.numbers());
        stiffnessCurves(curve, grid_.temperatures, grid_.loadingTimes, unit_, points);
        appendCurvesCsvLines(lines, row, curve, points);
    }

    std::size_t linesPerRow() const override {
        return grid_.temperatures.size() * grid_.loadingTimes.size();
    }

  private:
    CurveGrid grid_;
    StiffnessUnit unit_;
};

}  // namespace

std::vector<double> temperatureRange(std::string_view text) {
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
    std::optional<Decimal> from, to, step;
    if (second != std::string_view::npos) {
        from = plainDecimal(text.substr(0, first));
        to = plainDecimal(text.substr(first + 1, second - first - 1));
        step = plainDecimal(text.substr(second + 1));
    }
    if (!from || !to || !step)
        throw std::invalid_argument("--temperatures: '" + std::string(text) +
                                    "' is not FROM:TO:STEP in °C (such as -10:60:5)");
    const int decimals = std::max({from->decimals, to->decimals, step->decimals});
    const __int128 low = scaled(*from, decimals);
    const __int128 high = scaled(*to, decimals);
    const __int128 stride = scaled(*step, decimals);
    if (stride <= 0) throw std::invalid_argument("--temperatures needs a STEP above 0");
    if (low > high) throw std::invalid_argument("--temperatures needs FROM at or below TO");
    for (const __int128 digits : {low, high})
        if (digits <= -kExactInDouble || digits >= kExactInDouble)
            throw std::invalid_argument("--temperatures has more digits than a number keeps");
    const __int128 count = (high - low) / stride + 1;
    if (count > static_cast<__int128>(kMostCurvePoints))
        throw std::invalid_argument("--temperatures gives " + countText(count) +
                                    " temperatures; at most " + std::to_string(kMostCurvePoints));
    double scale = 1;
    for (int k = 0; k < decimals; ++k) scale *= 10;
    std::vector<double> temperatures;
    for (__int128 digits = low; digits <= high; digits += stride)
        temperatures.push_back(static_cast<double>(digits) / scale);
    return temperatures;
}

std::vector<double> loadingTimeList(std::string_view text) {
    std::vector<double> times;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        const std::optional<double> time = tryParseNumber(item);
        if (!time || !(*time > 0))
            throw std::invalid_argument("--loading-times: '" + std::string(item) +
                                        "' is no loading time in s above 0 (such as 0.02,0.1,1)");
        if (times.size() == kMostCurvePoints)
            throw std::invalid_argument("--loading-times gives more than " +
                                        std::to_string(kMostCurvePoints) + " loading times");
        times.push_back(*time);
        if (end == text.size()) return times;
        start = end + 1;
    }
}

CurveGrid curveGrid(std::string_view temperatures, std::string_view loadingTimes) {
    CurveGrid grid{temperatureRange(temperatures), loadingTimeList(loadingTimes)};
    const std::size_t points = grid.temperatures.size() * grid.loadingTimes.size();
    if (points > kMostCurvePoints)
        throw std::invalid_argument("--temperatures and --loading-times give " +
                                    std::to_string(points) + " points a row; at most " +
                                    std::to_string(kMostCurvePoints));
    return grid;
}

std::unique_ptr<CalculationOutput> curvesOutput(
    const CurveGrid& grid, StiffnessUnit unit,
    const std::function<file_system::FileReplacement()>& open, std::string name) {
    return std::make_unique<CurvesOutput>(grid, unit, open, std::move(name));
}

}  // namespace talveno::batch
