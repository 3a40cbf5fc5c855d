#include "window/curves_view.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "core/failure.h"
#include "core/integer_text.h"
#include "core/nomograph_tables.h"
#include "core/number_text.h"
#include "formats/curves_csv.h"
#include "tables/calculation_run.h"
#include "window/chart_texts.h"
#include "window/nomograph_page.h"

namespace talveno::window {

const std::array<CurvesBoxLabel, kCurvesBoxCount> kCurvesBoxes = {{
    {"TemperatureFromBox", "温度", "℃ から"},
    {"TemperatureToBox", "", "℃ まで"},
    {"TemperatureStepBox", "", "℃ 刻み"},
    {"FurtherLoadingTimesBox", "ほかの載荷時間", "秒"},
    {"LoadingTimeFromBox", "載荷時間", "秒 から"},
    {"LoadingTimeToBox", "", "秒 まで"},
    {"PointsPerDecadeBox", "1 桁に", "点"},
    {"FurtherTemperaturesBox", "ほかの温度", "℃"},
}};

namespace {

using nomograph::kHighestDifferenceStep;
using nomograph::kLowestDifferenceStep;

// The defaults: temperatures every 5 °C, ten loading times a decade, and the usual further
// values.
constexpr double kDefaultTemperatureStep = 5;
constexpr int kDefaultPointsPerDecade = 10;
constexpr std::string_view kDefaultFurtherLoadingTimes = "0.02, 0.1, 1";
constexpr std::string_view kDefaultFurtherTemperatures = "0, 20, 40";

std::string countText(std::string_view pattern, std::size_t most, double count) {
    return std::string(pattern) + " (" + std::to_string(most) + " 個まで、" +
           (count > 1e9 ? std::string("10 億個を超えます") : shortestText(count) + " 個") + ")";
}

// A box's number: the run's number texts.
double number(const std::string& text) {
    return parseNumber(text);
}

double loadingTime(const std::string& text) {
    const double time = number(text);
    if (!(time > 0)) throw Failure("載荷時間は 0 より大きい値にしてください ('" + text + "')");
    return time;
}

// The further values of a box, parted by commas; none in a box of spaces alone.
template <typename Read>
std::vector<double> furtherValues(const std::string& text, Read read) {
    std::vector<double> values;
    if (text.find_first_not_of(' ') == std::string::npos) return values;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        values.push_back(read(text.substr(start, end - start)));
        if (end == text.size()) break;
        start = end + 1;
    }
    if (values.size() > kMostFurtherValues)
        throw Failure(countText("ほかの値が多すぎます", kMostFurtherValues, double(values.size())));
    return values;
}

// The decimals that give a value exactly as digits over a power of ten, up to 9; none where
// there are more.
std::optional<int> decimalsOf(double value) {
    double scale = 1;
    for (int decimals = 0; decimals <= 9; ++decimals, scale *= 10)
        if (std::nearbyint(value * scale) == value * scale) return decimals;
    return std::nullopt;
}

// From `from` to `to` in steps: each value as the batch command's ranges give it, digits over
// a power of ten, where the ends and the step have few decimals.
std::vector<double> temperatureRange(double from, double to, double step) {
    if (!(step > 0)) throw Failure("温度の刻みは 0 より大きい値にしてください");
    if (from > to) throw Failure("温度の範囲は始めを終わり以下にしてください");
    const double count = std::floor((to - from) / step + 1e-9) + 1;
    if (!(count <= double(kMostPointsPerCurve)))
        throw Failure(countText("温度の点が多すぎます", kMostPointsPerCurve, count));
    const auto a = decimalsOf(from), b = decimalsOf(step);
    const int decimals = a && b ? std::max(*a, *b) : -1;
    const double scale = decimals >= 0 ? std::pow(10.0, decimals) : 1;
    std::vector<double> temperatures;
    for (int i = 0; i < int(count); ++i)
        temperatures.push_back(
            decimals >= 0
                ? (std::nearbyint(from * scale) + i * std::nearbyint(step * scale)) / scale
                : from + i * step);
    return temperatures;
}

// From `from` to `to` evenly on the log scale, `perDecade` points a decade, from the decades
// themselves where `from` is one.
std::vector<double> loadingTimeRange(double from, double to, int perDecade) {
    if (perDecade < 1) throw Failure("1 桁の点の数は 1 以上にしてください");
    if (from > to) throw Failure("載荷時間の範囲は始めを終わり以下にしてください");
    double first = std::log10(from);
    if (std::fabs(first - std::nearbyint(first)) < 1e-12) first = std::nearbyint(first);
    const double count = std::floor((std::log10(to) - first) * perDecade + 1e-9) + 1;
    if (!(count <= double(kMostPointsPerCurve)))
        throw Failure(countText("載荷時間の点が多すぎます", kMostPointsPerCurve, count));
    std::vector<double> times;
    for (int k = 0; k < int(count); ++k)
        times.push_back(k == 0 ? from : std::pow(10.0, first + double(k) / perDecade));
    return times;
}

// A failure's message without the number it names at its end: "... (220)" and "... (210)" are
// the same failure at two points.
std::string_view failureKind(std::string_view message) {
    const std::size_t number = message.rfind(" (");
    return message.ends_with(')') && number != std::string_view::npos ? message.substr(0, number)
                                                                      : message;
}

// The row's own value first, then the further ones, each once.
std::vector<double> withOwn(double own, const std::vector<double>& further) {
    std::vector<double> all{own};
    for (const double value : further)
        if (std::find(all.begin(), all.end(), value) == all.end()) all.push_back(value);
    return all;
}

CurvesTexts defaultTexts(const std::optional<double> softeningPoint) {
    // The temperatures whose difference from the softening point the nomograph's scale holds,
    // on whole tens; without a softening point those of one at 50 °C.
    const double point = softeningPoint.value_or(50);
    const double lowest = std::ceil((point - 10.0 * kHighestDifferenceStep) / 10) * 10;
    const double highest = std::floor((point - 10.0 * kLowestDifferenceStep) / 10) * 10;
    return {shortestText(lowest),
            shortestText(highest),
            shortestText(kDefaultTemperatureStep),
            std::string(kDefaultFurtherLoadingTimes),
            decadeText(NomographPage::kLowestDecade),
            decadeText(NomographPage::kHighestDecade),
            std::to_string(kDefaultPointsPerDecade),
            std::string(kDefaultFurtherTemperatures)};
}

}  // namespace

CurvesView::CurvesView(int row, const Table& results, StiffnessUnit unit) : row_(row), unit_(unit) {
    const ResultCurveRow taken = curveRowOfResult(results, row);
    reason_ = taken.reason;
    if (taken.row) {
        curveRow_ = *taken.row;
        rowTemperature_ = taken.temperature;
        rowLoadingTime_ = taken.loadingTime;
        std::vector<CurvePoint> own;
        const double temperature[] = {rowTemperature_};
        const double time[] = {rowLoadingTime_};
        stiffnessCurves(curveRow_, temperature, time, unit_, own);
        rowPoint_ = own.front();
    }
    setTexts(defaultTexts(taken.row ? std::optional(curveRow_.softeningPoint) : std::nullopt));
}

void CurvesView::setTexts(const CurvesTexts& texts) {
    const std::vector<double> temperatures =
        temperatureRange(number(texts[kTemperatureFrom]), number(texts[kTemperatureTo]),
                         number(texts[kTemperatureStep]));
    const std::vector<double> furtherTimes =
        furtherValues(texts[kFurtherLoadingTimes], loadingTime);
    const std::vector<double> times =
        loadingTimeRange(loadingTime(texts[kLoadingTimeFrom]), loadingTime(texts[kLoadingTimeTo]),
                         parseInteger(texts[kPointsPerDecade]));
    const std::vector<double> furtherTemperatures =
        furtherValues(texts[kFurtherTemperatures], number);
    texts_ = texts;
    overTemperature_.clear();
    overLoadingTime_.clear();
    if (!hasCurves()) return;

    const std::vector<double> fixedTimes = withOwn(rowLoadingTime_, furtherTimes);
    stiffnessCurves(curveRow_, temperatures, fixedTimes, unit_, byTemperature_);
    for (std::size_t k = 0; k < fixedTimes.size(); ++k) {
        Curve& curve = overTemperature_.emplace_back(Curve{fixedTimes[k], k == 0, {}});
        for (std::size_t i = 0; i < temperatures.size(); ++i)
            curve.points.push_back(byTemperature_[i * fixedTimes.size() + k]);
    }
    const std::vector<double> fixedTemperatures = withOwn(rowTemperature_, furtherTemperatures);
    stiffnessCurves(curveRow_, fixedTemperatures, times, unit_, byLoadingTime_);
    for (std::size_t i = 0; i < fixedTemperatures.size(); ++i) {
        const auto first = byLoadingTime_.begin() + std::ptrdiff_t(i * times.size());
        overLoadingTime_.push_back(
            {fixedTemperatures[i], i == 0, {first, first + std::ptrdiff_t(times.size())}});
    }
}

std::vector<std::string> CurvesView::extrapolationNotes() const {
    std::vector<std::string> notes;
    for (const std::vector<CurvePoint>* points : {&byTemperature_, &byLoadingTime_})
        for (const CurvePoint& point : *points)
            for (std::string& note : nomograph::extrapolationNotes(point.extrapolation))
                if (std::find(notes.begin(), notes.end(), note) == notes.end())
                    notes.push_back(std::move(note));
    return notes;
}

std::vector<std::string> CurvesView::failureNotes() const {
    std::vector<std::string> notes;
    const auto chart = [&notes](const std::vector<Curve>& curves, bool overTemperature) {
        // The curves that fail over each stretch of the axis with each message, in order.
        std::vector<std::pair<std::string, std::vector<std::string>>> stretches;
        for (const Curve& curve : curves) {
            const std::vector<CurvePoint>& points = curve.points;
            for (std::size_t i = 0; i < points.size();) {
                if (points[i].computed()) {
                    ++i;
                    continue;
                }
                std::size_t last = i;
                while (last + 1 < points.size() && !points[last + 1].computed() &&
                       failureKind(points[last + 1].failure) == failureKind(points[i].failure))
                    ++last;
                const auto at = [&](std::size_t k) {
                    return compactNumber(overTemperature ? points[k].temperature
                                                         : points[k].loadingTime);
                };
                std::string stretch = (overTemperature ? "温度 " : "載荷時間 ") + at(i);
                if (last > i) stretch += " 〜 " + at(last);
                stretch += overTemperature ? " ℃" : " 秒";
                stretch += "\n" + withFullStop(points[i].failure);
                auto same = std::find_if(stretches.begin(), stretches.end(),
                                         [&](const auto& s) { return s.first == stretch; });
                if (same == stretches.end())
                    same = stretches.insert(stretches.end(), {std::move(stretch), {}});
                same->second.push_back(compactNumber(curve.fixed));
                i = last + 1;
            }
        }
        for (const auto& [stretch, fixed] : stretches) {
            const std::size_t split = stretch.find('\n');
            std::string on = overTemperature ? "t = " : "T = ";
            for (std::size_t k = 0; k < fixed.size(); ++k) on += (k ? ", " : "") + fixed[k];
            on += overTemperature ? " 秒" : " ℃";
            notes.push_back(stretch.substr(0, split) + "（" + on + "）の点は描けません：" +
                            stretch.substr(split + 1));
        }
    };
    chart(overTemperature_, true);
    chart(overLoadingTime_, false);
    return notes;
}

std::string CurvesView::lines(char separator) const {
    std::string all;
    for (const std::vector<CurvePoint>* points : {&byTemperature_, &byLoadingTime_})
        if (hasCurves()) appendCurvesCsvLines(all, row_, curveRow_, *points, separator);
    return all;
}

std::string CurvesView::csv() const {
    return curvesCsvHeader(unit_) + lines(',');
}

std::string CurvesView::tabSeparated() const {
    return curvesHeaderLine(unit_, '\t') + lines('\t');
}

std::string CurvesView::title() const {
    return std::string(kCurvesCommand) + " - No. " + std::to_string(row_);
}

}  // namespace talveno::window
