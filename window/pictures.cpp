#include "window/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/nomograph.h"
#include "core/nomograph_geometry.h"
#include "core/nomograph_tables.h"

namespace talveno::window::pictures {

namespace {

namespace nomo = talveno::nomograph;

constexpr Colour kField{191, 191, 191};
constexpr Colour kLine{255, 255, 255};
constexpr Colour kYellow{255, 255, 0};

// The schematic keeps clear of the logo and the settings that lie over its right part: the
// grid and the scales end left of them.
//
// The penetration-index levels drawn in the grid, the parts of the two scales drawn, and the
// reading shown.
constexpr int kLowestIndex = -3;
constexpr int kHighestIndex = 3;
constexpr int kHighestDifferenceShown = 150;  // °C; the scale runs on to 200
constexpr int kLowestTimeDecade = -3;         // 0.001 s
constexpr int kHighestTimeDecade = 1;         // 10 s
constexpr double kShownIndex = 0;
constexpr double kShownLoadingTime = 0.02;  // s
constexpr double kShownDifference = 40;     // °C

// Picture rows of the index levels and of the loading-time scale. The temperature-difference
// scale lies between the index-0 level and the loading-time scale in the ratio of their
// heights in the nomograph, so the drawn stiffness line passes through the point read.
constexpr double kTopLevelRow = 34;
constexpr double kRowsPerIndex = 15;
constexpr double kLoadingTimeRow = 282;

// Nomograph x to picture column: one linear map for the grid and both scales, so the line
// through the two scale points stays straight up to its reading point.
constexpr double kLeftX = 1750;
constexpr double kRightX = 3050;
constexpr double kLeftColumn = 62;
constexpr double kRightColumn = 560;
constexpr double kAxisColumn = 56;  // the penetration-index axis, at the grid's left end
constexpr double kGridRight = 570;

constexpr TextStyle kSmall{{10}, kLine};
constexpr TextStyle kCaption{{12}, kLine, Anchor::Middle};

double column(double x) {
    return kLeftColumn + (x - kLeftX) * (kRightColumn - kLeftColumn) / (kRightX - kLeftX);
}

double indexRow(double pi) {
    return kTopLevelRow + (kHighestIndex - pi) * kRowsPerIndex;
}

double temperatureRow() {
    const double above = nomo::penetrationIndexHeight(kShownIndex) - nomo::kTemperatureDifferenceY;
    const double below = nomo::kTemperatureDifferenceY - nomo::kLoadingTimeY;
    const double top = indexRow(kShownIndex);
    return (top * below + kLoadingTimeRow * above) / (above + below);
}

// A curve's x at a penetration index: the curve at the index's height.
double curveX(std::size_t curve, double pi) {
    return nomo::curveX(curve, nomo::penetrationIndexHeight(pi));
}

constexpr int kCurveSteps = 60;

double stepIndex(int step) {
    return kLowestIndex + (kHighestIndex - kLowestIndex) * double(step) / kCurveSteps;
}

// The fan: curves that run one way, left or right, as the index rises. The few fitted curves
// that bend back within the drawn levels would only blur the schematic.
bool fans(std::size_t curve) {
    int leftward = 0;
    int rightward = 0;
    for (int step = 1; step <= kCurveSteps; ++step) {
        const double shift = curveX(curve, stepIndex(step)) - curveX(curve, stepIndex(step - 1));
        (shift < 0 ? leftward : rightward) += 1;
    }
    return leftward == 0 || rightward == 0;
}

// "0.001" .. "1000": a decade of stiffness in MPa, or of loading time in seconds.
std::string decadeText(int decade) {
    char text[16];
    std::snprintf(text, sizeof text, "%.*f", std::max(0, -decade), std::pow(10.0, decade));
    return text;
}

void drawGrid(Canvas& canvas) {
    canvas.line({kAxisColumn, indexRow(kHighestIndex) - 6},
                {kAxisColumn, indexRow(kLowestIndex) + 6}, {kLine, 1});
    TextStyle level = kSmall;
    level.anchor = Anchor::End;
    for (int pi = kLowestIndex; pi <= kHighestIndex; ++pi) {
        const double row = indexRow(pi);
        canvas.line({kAxisColumn, row}, {kGridRight, row}, {kLine, 0.6});
        textInBox(canvas, {kAxisColumn - 30, row - 7, 24, 14},
                  (pi > 0 ? "+" : "") + std::to_string(pi), level);
    }

    canvas.clip(Rect{kAxisColumn, 0, kGridRight - kAxisColumn, kSchematicSize.height});
    std::vector<Point> points;
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve) {
        if (!fans(curve)) continue;
        points.clear();
        for (int step = 0; step <= kCurveSteps; ++step)
            points.push_back({column(curveX(curve, stepIndex(step))), indexRow(stepIndex(step))});
        canvas.polyline(points, {kLine, 0.8});
    }
    canvas.clip(std::nullopt);

    // The decades in MPa, named above the upper ends of their curves where there is room.
    double freeFrom = kAxisColumn;
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve) {
        const double decade = std::log10(nomo::kStiffnessCurves[curve].stiffnessPa / 1e6);
        if (decade < -3 || std::abs(decade - std::round(decade)) > 1e-9 || !fans(curve)) continue;
        const std::string label = decadeText(int(std::round(decade)));
        const double width = canvas.measure(label, kSmall.font).width;
        const double x = column(curveX(curve, kHighestIndex)) - width / 2;
        if (x < freeFrom || x + width > kGridRight) continue;
        canvas.text({x, indexRow(kHighestIndex) - 6}, label, kSmall);
        freeFrom = x + width + 6;
    }

    // The caption of the penetration-index axis, one character under another.
    const std::string_view caption = "針入度指数";
    const double step = canvas.measure(caption, kCaption.font).height();
    double y = indexRow(kHighestIndex) + 14;
    for (const std::string_view character : characters(caption)) {
        canvas.text({14, y}, character, kCaption);
        y += step;
    }
    textInBox(canvas, {kAxisColumn, 1, kGridRight - kAxisColumn, 14}, "スティフネス（MPa）",
              kCaption);
}

// A scale line with its caption centred below the part from captionFrom to its end.
void drawScale(Canvas& canvas, double row, double first, double last, double captionFrom,
               std::string_view caption) {
    canvas.line({first, row}, {last, row}, {kLine, 1.2});
    textInBox(canvas, {captionFrom, row + 14, last - captionFrom, 14}, caption, kCaption);
}

void drawScales(Canvas& canvas) {
    TextStyle label = kSmall;
    label.anchor = Anchor::Middle;
    const Pen tick{kLine, 1.2};
    const double tRow = temperatureRow();
    const auto& differences = nomo::kTemperatureDifferenceX;
    const int shownSteps = kHighestDifferenceShown / 10 - nomo::kLowestDifferenceStep;
    // Its caption keeps right of the reading's line, which crosses the scale near 40 °C.
    const int captionStep = (kShownDifference + 20) / 10 - nomo::kLowestDifferenceStep;
    drawScale(canvas, tRow, column(differences.front()), column(differences[shownSteps]),
              column(differences[captionStep]), "軟化点との温度差（℃）");
    for (int i = 0; i <= shownSteps; ++i) {
        const int difference = 10 * (nomo::kLowestDifferenceStep + i);
        const double x = column(differences[i]);
        // -50 would crowd -100 and 0 where the scale is narrow.
        const bool named = difference % 50 == 0 && difference != -50;
        canvas.line({x, tRow}, {x, tRow - (named ? 5 : 3)}, tick);
        if (named) textInBox(canvas, {x - 20, tRow + 1, 40, 12}, std::to_string(difference), label);
    }

    const double first = column(nomo::loadingTimeX(std::pow(10.0, kLowestTimeDecade)));
    const double last = column(nomo::loadingTimeX(std::pow(10.0, kHighestTimeDecade)));
    drawScale(canvas, kLoadingTimeRow, first, last, first, "載荷時間（秒）");
    for (int decade = kLowestTimeDecade; decade <= kHighestTimeDecade; ++decade) {
        const double x = column(nomo::loadingTimeX(std::pow(10.0, decade)));
        canvas.line({x, kLoadingTimeRow}, {x, kLoadingTimeRow - 5}, tick);
        textInBox(canvas, {x - 24, kLoadingTimeRow + 1, 48, 12}, decadeText(decade), label);
    }
}

// One reading: the index ring on the axis and its level to the reading point, and the line
// from the loading time through the temperature difference up to the yellow ring.
void drawReading(Canvas& canvas) {
    const nomo::Reading reading = nomo::read(kShownIndex, kShownLoadingTime, kShownDifference);
    const Point time{column(nomo::loadingTimeX(kShownLoadingTime)), kLoadingTimeRow};
    const Point difference{column(nomo::temperatureDifferenceX(kShownDifference)),
                           temperatureRow()};
    const Point point{column(reading.x), indexRow(kShownIndex)};
    const Point axis{kAxisColumn, point.y};
    const Pen pen{kLine, 2};
    canvas.line(axis, point, pen);
    canvas.line(time, point, pen);
    for (const Point ring : {axis, time, difference}) canvas.circle(ring, 4, {pen, std::nullopt});
    canvas.circle(point, 6, {Pen{kYellow, 2}, std::nullopt});
}

}  // namespace

void drawSchematic(Canvas& canvas) {
    canvas.rectangle({0, 0, kSchematicSize.width, kSchematicSize.height}, {std::nullopt, kField},
                     0);
    drawGrid(canvas);
    drawScales(canvas);
    drawReading(canvas);
}

void drawLogo(Canvas& canvas) {
    const double width = kLogoSize.width;
    canvas.rectangle({0, 0, width, kLogoSize.height}, {std::nullopt, Colour{40, 44, 52}}, 0);
    // The layers of a pavement: surface, binder course, base.
    canvas.rectangle({0, 46, width, 8}, {std::nullopt, Colour{70, 70, 70}}, 0);
    canvas.rectangle({0, 54, width, 7}, {std::nullopt, Colour{120, 104, 84}}, 0);
    canvas.rectangle({0, 61, width, 7}, {std::nullopt, Colour{170, 150, 110}}, 0);
    canvas.line({4, 50}, {width - 4, 50}, {kYellow, 2, true});
    textInBox(canvas, {0, 4, width, 30}, "Talveno", {{24, true, true}, kYellow, Anchor::Middle});
    textInBox(canvas, {0, 32, width, 12}, "Sbit / Smix", {{10}, kLine, Anchor::Middle});
}

void drawIcon(Canvas& canvas) {
    constexpr double kTileCorner = 5;
    canvas.rectangle({0, 0, kIconSize.width, kIconSize.height}, {std::nullopt, Colour{0, 0, 128}},
                     kTileCorner);
    // The layers of a pavement: surface, binder course, base.
    canvas.rectangle({3, 18, 26, 4}, {std::nullopt, Colour{64, 64, 64}}, 0);
    canvas.rectangle({3, 22, 26, 4}, {std::nullopt, Colour{128, 96, 64}}, 0);
    canvas.rectangle({3, 26, 26, 3}, {std::nullopt, Colour{192, 160, 96}}, 0);
    // A stiffness line and the point read off it.
    const Pen pen{kYellow, 2};
    canvas.line({6, 14}, {26, 4}, pen);
    canvas.circle({22, 6}, 3, {pen, std::nullopt});
}

constexpr Colour kWhite{255, 255, 255};

void drawQuestionIcon(Canvas& canvas) {
    canvas.circle({16, 16}, 14, {Pen{{22, 58, 128}}, Colour{43, 96, 200}});
    canvas.text({16, 23}, "?", {{20, true}, kWhite, Anchor::Middle});
}

void drawErrorIcon(Canvas& canvas) {
    canvas.circle({16, 16}, 14, {Pen{{138, 16, 16}}, Colour{212, 32, 32}});
    const Pen cross{kWhite, 3.2};
    canvas.line({10, 10}, {22, 22}, cross);
    canvas.line({22, 10}, {10, 22}, cross);
}

}  // namespace talveno::window::pictures
