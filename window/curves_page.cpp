#include "window/curves_page.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/failure.h"
#include "core/number_text.h"
#include "window/chart_texts.h"
#include "window/window_texts.h"

namespace talveno::window {

namespace {

// The page: the title and the row's numbers on top, the two charts' boxes side by side, their
// legends under them, the notes at the bottom.
constexpr Rect kChartBoxes[] = {{12, 56, 582, 440}, {606, 56, 582, 440}};
constexpr double kPlotLeft = 74, kPlotRight = 16, kPlotTop = 28, kPlotBottom = 58;
constexpr double kLegendTop = 504;
constexpr Rect kNotes{16, 574, 1168, 138};

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kInk{0, 0, 0};
constexpr Colour kGrid{220, 220, 220};
constexpr Colour kFrame{160, 160, 160};
constexpr Colour kNote{210, 0, 0};
constexpr Colour kKey{70, 70, 70};  // the legend's keys for Sbit and Smix
// The curves' colours, the row's own first.
constexpr Colour kSeries[] = {{0, 70, 180},  {215, 95, 0},  {0, 140, 60}, {150, 40, 160},
                              {175, 30, 40}, {0, 135, 150}, {120, 100, 0}};

constexpr Pen kBitumenPen{kInk, 1.5, true};
constexpr Pen kMixturePen{kInk, 1.8, false};
constexpr double kExtrapolatedRadius = 2.6;
constexpr double kRowRingRadius = 6.5;

TextStyle ink(int pixels, bool bold = false) {
    return {{pixels, bold}, kInk};
}

Colour seriesColour(std::size_t index) {
    return kSeries[index % std::size(kSeries)];
}

Pen withColour(Pen pen, Colour colour) {
    pen.colour = colour;
    return pen;
}

// Whether a stiffness can stand on a log scale.
bool drawable(double stiffness) {
    return stiffness > 0 && std::isfinite(stiffness);
}

// The stiffness of a point: Sbit or Smix.
double stiffnessOf(const CurvePoint& point, bool mixture) {
    return mixture ? point.mixtureStiffness : point.bitumenStiffness;
}

// A step of 1, 2 or 5 times a power of ten that parts the span into about `parts`.
double niceStep(double span, double parts) {
    const double raw = span / parts;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * magnitude >= raw) return factor * magnitude;
    return 10 * magnitude;
}

// Every how many decades a scale of decades so far apart is labelled.
int decadeLabelStep(double spacing, double room) {
    for (const int step : {1, 2, 5, 10, 20, 50, 100})
        if (spacing * step >= room) return step;
    return 200;
}

void ring(Canvas& canvas, Point centre) {
    canvas.circle(centre, kRowRingRadius, {Pen{kInk, 1.6}, std::nullopt});
    canvas.circle(centre, 2.4, {std::nullopt, kInk});
}

void hollow(Canvas& canvas, Point centre, Colour colour) {
    canvas.circle(centre, kExtrapolatedRadius, {Pen{colour, 1}, kWhite});
}

}  // namespace

CurvesPage::CurvesPage(const CurvesView& view) : view_(view) {
    double low = INFINITY, high = -INFINITY;
    const auto take = [&](const CurvePoint& point) {
        if (!point.computed()) return;
        for (const bool mixture : {false, true}) {
            const double stiffness = stiffnessOf(point, mixture);
            if (!drawable(stiffness)) continue;
            low = std::min(low, std::log10(stiffness));
            high = std::max(high, std::log10(stiffness));
        }
    };
    for (const Chart chart : {kOverTemperature, kOverLoadingTime}) {
        for (const Curve& curve : curves(chart))
            for (const CurvePoint& point : curve.points) take(point);
        const std::vector<Curve>& shown = curves(chart);
        if (shown.empty() || shown.front().points.empty()) continue;
        const std::vector<CurvePoint>& points = shown.front().points;
        double from = chart == kOverTemperature ? points.front().temperature
                                                : std::log10(points.front().loadingTime);
        double to = chart == kOverTemperature ? points.back().temperature
                                              : std::log10(points.back().loadingTime);
        if (!(to > from)) {
            const double half = chart == kOverTemperature ? 5 : 0.5;
            from -= half;
            to += half;
        }
        xFrom_[chart] = from;
        xTo_[chart] = to;
    }
    if (view_.hasCurves()) take(view_.rowPoint());
    if (low <= high) {
        lowestDecade_ = static_cast<int>(std::max(-400.0, std::floor(low)));
        highestDecade_ = static_cast<int>(std::min(400.0, std::ceil(high)));
        if (highestDecade_ == lowestDecade_) ++highestDecade_;
    }
}

const std::vector<Curve>& CurvesPage::curves(Chart chart) const {
    return chart == kOverTemperature ? view_.overTemperature() : view_.overLoadingTime();
}

Rect CurvesPage::plot(Chart chart) const {
    const Rect& box = kChartBoxes[chart];
    return {box.left + kPlotLeft, box.top + kPlotTop, box.width - kPlotLeft - kPlotRight,
            box.height - kPlotTop - kPlotBottom};
}

Point CurvesPage::onChart(Chart chart, double x, double stiffness) const {
    const Rect area = plot(chart);
    const double along = chart == kOverTemperature ? x : std::log10(x);
    const double up = (std::log10(stiffness) - lowestDecade_) / (highestDecade_ - lowestDecade_);
    return {area.left + (along - xFrom_[chart]) / (xTo_[chart] - xFrom_[chart]) * area.width,
            area.bottom() - up * area.height};
}

void CurvesPage::draw(Canvas& canvas) const {
    canvas.rectangle({0, 0, kSize.width, kSize.height}, {std::nullopt, kWhite}, 0);
    drawTitle(canvas);
    if (!view_.hasCurves()) {
        const TextStyle style{{16}, kNote, Anchor::Middle};
        textInBox(canvas, {0, 200, kSize.width, 40}, withFullStop(view_.reason()), style);
        return;
    }
    for (const Chart chart : {kOverTemperature, kOverLoadingTime}) {
        drawAxes(canvas, chart);
        drawCurves(canvas, chart);
        drawLegend(canvas, chart);
    }
    drawNotes(canvas);
}

// The title, and the row's numbers as the result table has them.
void CurvesPage::drawTitle(Canvas& canvas) const {
    TextStyle title = ink(18, true);
    title.anchor = Anchor::Middle;
    textInBox(canvas, {0, 6, kSize.width, 26},
              "スティフネス曲線　No. " + std::to_string(view_.row()), title);
    if (!view_.hasCurves()) return;
    const CurveRow& row = view_.curveRow();
    const CurvePoint& own = view_.rowPoint();
    const std::string unit(unitName(view_.unit()));
    std::string numbers = "PI " + fixedText(row.penetrationIndex, 2) + "　Cv " +
                          fixedText(row.concentration * 100, 1) + " %　軟化点 " +
                          compactNumber(row.softeningPoint) + " ℃　この行の点：温度 " +
                          compactNumber(view_.rowTemperature()) + " ℃、載荷時間 " +
                          compactNumber(view_.rowLoadingTime()) + " 秒、";
    numbers += own.computed() ? "Sbit " + exponentText(own.bitumenStiffness) + "、Smix " +
                                    exponentText(own.mixtureStiffness) + " " + unit
                              : withFullStop(own.failure);
    TextStyle style = ink(13);
    style.anchor = Anchor::Middle;
    style.role = "row-numbers";
    textInBox(canvas, {0, 34, kSize.width, 18}, numbers, style);
}

// The frame, the grid at the decades of stiffness and at the ticks along x, the labels and the
// captions.
void CurvesPage::drawAxes(Canvas& canvas, Chart chart) const {
    const Rect area = plot(chart);
    const bool overTemperature = chart == kOverTemperature;
    TextStyle title = ink(14, true);
    title.anchor = Anchor::Middle;
    textInBox(canvas, {area.left, kChartBoxes[chart].top, area.width, 20},
              overTemperature ? "温度とスティフネス" : "載荷時間とスティフネス", title);

    const Pen grid{kGrid, 1};
    TextStyle label = ink(11);
    label.role = "axis-label";
    // Stiffness: a line at every decade, labelled where they lie far enough apart, with the
    // steps between where there is room.
    const double decadeSpacing = area.height / (highestDecade_ - lowestDecade_);
    const int labelStep = decadeLabelStep(decadeSpacing, 16);
    label.anchor = Anchor::End;
    for (int decade = lowestDecade_; decade <= highestDecade_; ++decade) {
        const double y = area.bottom() - (decade - lowestDecade_) * decadeSpacing;
        if (decadeSpacing >= 40 && decade < highestDecade_)
            for (int step = 2; step <= 9; ++step) {
                const double minor = y - std::log10(step) * decadeSpacing;
                canvas.line({area.left, minor}, {area.left + 4, minor}, {kFrame, 1});
            }
        canvas.line({area.left, y}, {area.right(), y}, grid);
        if (decade % labelStep == 0)
            placeText(canvas, {area.left - 6, y}, decadeText(decade), label, Across::Middle);
    }
    TextStyle caption = ink(12);
    caption.anchor = Anchor::Middle;
    caption.rotation = -90;
    placeText(canvas, {area.left - 58, area.top + area.height / 2},
              "スティフネス（" + std::string(unitName(view_.unit())) + "）", caption,
              Across::Middle);

    // Along x: temperatures at a round step, or loading times at their decades.
    label.anchor = Anchor::Middle;
    const double from = xFrom_[chart], to = xTo_[chart];
    const auto xOf = [&](double along) {
        return area.left + (along - from) / (to - from) * area.width;
    };
    const auto tick = [&](double along, const std::string& text) {
        const double x = xOf(along);
        canvas.line({x, area.top}, {x, area.bottom()}, grid);
        canvas.line({x, area.bottom()}, {x, area.bottom() + 4}, {kInk, 1});
        if (!text.empty()) placeText(canvas, {x, area.bottom() + 8}, text, label, Across::Top);
    };
    if (overTemperature) {
        const double step = niceStep(to - from, 8);
        for (double at = std::ceil(from / step - 1e-9) * step; at <= to + 1e-9 * step; at += step)
            tick(at, compactNumber(std::fabs(at) < step * 1e-9 ? 0 : at));
    } else {
        const double spacing = area.width / (to - from);
        const int step = decadeLabelStep(spacing, 44);
        for (int decade = int(std::ceil(from - 1e-9)); decade <= to + 1e-9; ++decade)
            tick(decade, decade % step == 0 ? decadeText(decade) : std::string());
        if (spacing >= 30)
            for (int decade = int(std::floor(from)); decade < to; ++decade)
                for (int step = 2; step <= 9; ++step) {
                    const double along = decade + std::log10(step);
                    if (along <= from || along >= to) continue;
                    const double x = xOf(along);
                    canvas.line({x, area.bottom()}, {x, area.bottom() + 3}, {kInk, 0.8});
                }
    }
    caption.rotation = 0;
    textInBox(canvas, {area.left, area.bottom() + 26, area.width, 18},
              overTemperature ? "温度（℃）" : "載荷時間（秒）", caption);
    canvas.rectangle(area, {Pen{kInk, 1}, std::nullopt}, 0);
}

// Each curve's Sbit dashed and Smix solid in its colour, broken where points are left out, its
// extrapolated points hollow; the row's own point ringed. All within the plot.
void CurvesPage::drawCurves(Canvas& canvas, Chart chart) const {
    canvas.clip(plot(chart));
    const bool overTemperature = chart == kOverTemperature;
    const auto xOf = [overTemperature](const CurvePoint& point) {
        return overTemperature ? point.temperature : point.loadingTime;
    };
    const std::vector<Curve>& shown = curves(chart);
    std::vector<Point> run;
    for (std::size_t index = 0; index < shown.size(); ++index) {
        const Colour colour = seriesColour(index);
        const std::vector<CurvePoint>& points = shown[index].points;
        for (const bool mixture : {false, true}) {
            const Pen pen = withColour(mixture ? kMixturePen : kBitumenPen, colour);
            const auto flush = [&] {
                if (run.size() == 1) canvas.circle(run.front(), 1.8, {std::nullopt, colour});
                if (run.size() > 1) canvas.polyline(run, pen);
                run.clear();
            };
            for (const CurvePoint& point : points) {
                const double stiffness = stiffnessOf(point, mixture);
                if (!point.computed() || !drawable(stiffness)) {
                    flush();
                    continue;
                }
                run.push_back(onChart(chart, xOf(point), stiffness));
            }
            flush();
            for (const CurvePoint& point : points)
                if (point.computed() && point.extrapolation.any() &&
                    drawable(stiffnessOf(point, mixture)))
                    hollow(canvas, onChart(chart, xOf(point), stiffnessOf(point, mixture)), colour);
        }
    }
    const CurvePoint& own = view_.rowPoint();
    if (own.computed())
        for (const bool mixture : {false, true})
            if (drawable(stiffnessOf(own, mixture)))
                ring(canvas, onChart(chart, xOf(own), stiffnessOf(own, mixture)));
    canvas.clip(std::nullopt);
}

// The curves by their colours, then the keys: Sbit dashed, Smix solid, extrapolated points
// hollow, the row's point ringed; in rows under the chart.
void CurvesPage::drawLegend(Canvas& canvas, Chart chart) const {
    const Rect& box = kChartBoxes[chart];
    const bool overTemperature = chart == kOverTemperature;
    TextStyle style = ink(12);
    style.role = "legend";
    const double rowHeight = 20, keyWidth = 26, gap = 14;
    Point at{box.left + 16, kLegendTop};
    const auto item = [&](const std::string& text, auto key) {
        const double width = keyWidth + 6 + canvas.measure(text, style.font).width;
        if (at.x + width > box.right() && at.x > box.left + 16)
            at = {box.left + 16, at.y + rowHeight};
        key(Point{at.x, at.y + rowHeight / 2}, Point{at.x + keyWidth, at.y + rowHeight / 2});
        placeText(canvas, {at.x + keyWidth + 6, at.y + rowHeight / 2}, text, style, Across::Middle);
        at.x += width + gap;
    };
    const std::vector<Curve>& shown = curves(chart);
    for (std::size_t index = 0; index < shown.size(); ++index) {
        const std::string text =
            (overTemperature ? "t = " : "T = ") + compactNumber(shown[index].fixed) +
            (overTemperature ? " 秒" : " ℃") + (shown[index].rowsOwn ? "（この行）" : "");
        item(text, [&](Point from, Point to) { canvas.line(from, to, {seriesColour(index), 3}); });
    }
    item("Sbit",
         [&](Point from, Point to) { canvas.line(from, to, withColour(kBitumenPen, kKey)); });
    item("Smix",
         [&](Point from, Point to) { canvas.line(from, to, withColour(kMixturePen, kKey)); });
    item("外挿値", [&](Point from, Point to) {
        canvas.line(from, to, withColour(kMixturePen, kKey));
        hollow(canvas, {(from.x + to.x) / 2, from.y}, kKey);
    });
    item("この行の点", [&](Point from, Point to) { ring(canvas, {(from.x + to.x) / 2, from.y}); });
}

// Why points are extrapolated, then which are left out and why; as many lines as there is
// room for, the last saying how many notes more there are.
void CurvesPage::drawNotes(Canvas& canvas) const {
    struct Note {
        std::string text;
        std::string_view role;
    };
    std::vector<Note> notes;
    for (const std::string& note : view_.extrapolationNotes())
        notes.push_back({std::string(texts::kExtrapolationMark) + note, "extrapolation"});
    for (const std::string& note : view_.failureNotes())
        notes.push_back({"※ " + note, "failure-note"});
    const Font font{12};
    const double lineHeight = canvas.measure("X", font).height() + 3;
    const auto lines = static_cast<std::size_t>(kNotes.height / lineHeight);
    double y = kNotes.top;
    std::size_t written = 0;
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const auto wrappedLines = wrapped(canvas, notes[n].text, font, kNotes.width);
        const std::size_t left = lines - written;
        if (wrappedLines.size() > left || (n + 1 < notes.size() && wrappedLines.size() == left)) {
            const TextStyle more{font, kNote, Anchor::Start, 0, "more-notes"};
            placeText(canvas, {kNotes.left, y},
                      "※ ほかに " + std::to_string(notes.size() - n) +
                          " 件の注があります（CSV の備考を参照）",
                      more, Across::Top);
            return;
        }
        const TextStyle style{font, kNote, Anchor::Start, 0, notes[n].role};
        for (const std::string& line : wrappedLines) {
            placeText(canvas, {kNotes.left, y}, line, style, Across::Top);
            y += lineHeight;
            ++written;
        }
    }
}

}  // namespace talveno::window
