#include "window/nomograph_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/failure.h"
#include "core/nomograph_tables.h"
#include "core/number_text.h"
#include "window/chart_texts.h"
#include "window/window_texts.h"

namespace talveno::window {

namespace {

namespace nomo = talveno::nomograph;

// The page: the title on top, the plot at the left, the numbers at the right.
constexpr Rect kPlot{12, 44, 920, 564};
constexpr Rect kNumbers{950, 44, 238, 564};
// Room inside the plot around the nomograph for the labels and captions of the axes.
constexpr double kRoomLeft = 52, kRoomRight = 8, kRoomTop = 40, kRoomBottom = 52;

// The part of the plane always shown: from the penetration-index axis, left of the softest
// curve, to past the ends of both scales; from the loading-time scale up to the highest index.
constexpr double kAxisX = 1050;
constexpr double kRightX = 3350;
constexpr int kFarthestIndex = 10;  // a row's index beyond this widens the curves no further
constexpr int kStepsPerIndex = 10;

constexpr Font kCurveLabelFont{10};
constexpr double kRingRadius = 8;
constexpr Font kLetterFont{13, true};
constexpr Point kLetterOffset{-22, -8};  // of the letter X's base line from X

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kInk{0, 0, 0};
constexpr Colour kGrid{200, 200, 200};
constexpr Colour kCurve{160, 160, 160};
constexpr Colour kLabel{90, 90, 90};
constexpr Colour kPair{0, 90, 210};
constexpr Colour kLookUp{210, 0, 0};

TextStyle ink(int pixels, bool bold = false) {
    return {{pixels, bold}, kInk};
}

std::string printed(const char* format, auto... values) {
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// A stiffness in Pa as a label in MPa: "0.002", "50", "2000", and "1E-10" below 0.001 MPa.
std::string megapascals(double stiffnessPa) {
    const double mpa = stiffnessPa / 1e6;
    if (mpa >= 1e-3) return printed("%.6g", mpa);
    const int exponent = static_cast<int>(std::floor(std::log10(mpa) + 1e-9));
    const double mantissa = std::round(mpa / std::pow(10.0, exponent));
    return printed("%.6gE%d", mantissa, exponent);
}

// Labels along a line, each kept only where it overlaps none placed before and no mark of the
// look-up.
class LabelRow {
  public:
    LabelRow(double baseline, const TextMeasure& measure, std::vector<Rect> marks = {})
        : baseline_(baseline), measure_(measure), marks_(std::move(marks)) {}

    double baseline() const { return baseline_; }

    // The box of the text centred on x, when the row has room for it.
    std::optional<Rect> place(double x, const std::string& text, const Font& font) {
        const TextExtent extent = measure_.measure(text, font);
        const Rect box{x - extent.width / 2, baseline_ - extent.ascent, extent.width,
                       extent.height()};
        for (const auto& [left, right] : taken_)
            if (box.left < right + kGap && box.right() > left - kGap) return std::nullopt;
        for (const Rect& mark : marks_)
            if (box.widened(kGap).intersects(mark)) return std::nullopt;
        taken_.push_back({box.left, box.right()});
        return box;
    }

  private:
    static constexpr double kGap = 4;
    double baseline_;
    const TextMeasure& measure_;
    std::vector<Rect> marks_;
    std::vector<std::pair<double, double>> taken_;
};

// A text centred on x on the row's base line, when the row has room for it.
void placeLabel(Canvas& canvas, LabelRow& labels, double x, const std::string& label,
                const TextStyle& style) {
    if (const auto box = labels.place(x, label, style.font))
        canvas.text({box->left, labels.baseline()}, label, style);
}

void dot(Canvas& canvas, Point centre, double radius) {
    canvas.circle(centre, radius, {std::nullopt, kLookUp});
}

// Lines of a text from the top down, each to its left end.
double writeLines(Canvas& canvas, Point topLeft, const std::vector<std::string>& lines,
                  const TextStyle& style) {
    const TextExtent extent = canvas.measure("X", style.font);
    double y = topLeft.y;
    for (const std::string& line : lines) {
        canvas.text({topLeft.x, y + extent.ascent}, line, style);
        y += extent.height();
    }
    return y;
}

}  // namespace

NomographPage::NomographPage(int row, RowLookUp lookUp)
    : row_(row),
      lookUp_(std::move(lookUp)),
      lowestIndex_(nomo::kLowestIndexShown),
      highestIndex_(nomo::kHighestIndexShown) {
    if (lookUp_.inputs && lookUp_.reading) {
        const LookUpInputs& inputs = *lookUp_.inputs;
        figure_ = nomo::lookUpFigure(inputs.penetrationIndex, inputs.loadingTime,
                                     inputs.temperatureDifference, *lookUp_.reading);
        const double index = inputs.penetrationIndex;
        if (std::fabs(index) <= kFarthestIndex) {
            lowestIndex_ = std::min(lowestIndex_, static_cast<int>(std::floor(index)));
            highestIndex_ = std::max(highestIndex_, static_cast<int>(std::ceil(index)));
        }
        const double decade = std::log10(inputs.loadingTime);
        lowestDecade_ =
            static_cast<int>(std::max(-300.0, std::min(double(kLowestDecade), std::floor(decade))));
        highestDecade_ =
            static_cast<int>(std::min(300.0, std::max(double(kHighestDecade), std::ceil(decade))));
    }
    extrapolations_ = texts::extrapolationNotes(lookUp_);
    left_ = kAxisX;
    right_ = kRightX;
    bottom_ = nomo::kLoadingTimeY;
    top_ = nomo::penetrationIndexHeight(highestIndex_);
    if (figure_) {
        for (const nomo::Point point :
             {figure_->loadingTime, figure_->temperatureDifference, figure_->reading}) {
            left_ = std::min(left_, point.x);
            right_ = std::max(right_, point.x);
            bottom_ = std::min(bottom_, point.y);
            top_ = std::max(top_, point.y);
        }
    }
    const double width = kPlot.width - kRoomLeft - kRoomRight;
    const double height = kPlot.height - kRoomTop - kRoomBottom;
    scale_ = std::min(width / (right_ - left_), height / (top_ - bottom_));
    origin_ = {kPlot.left + kRoomLeft,
               kPlot.top + kRoomTop + (height + scale_ * (top_ - bottom_)) / 2};
}

Point NomographPage::onPage(nomo::Point point) const {
    return {origin_.x + (point.x - left_) * scale_, origin_.y - (point.y - bottom_) * scale_};
}

// The part of the plane shown, on the page.
Rect NomographPage::frame() const {
    const Point topLeft = onPage({left_, top_});
    const Point bottomRight = onPage({right_, bottom_});
    return {topLeft.x, topLeft.y, bottomRight.x - topLeft.x, bottomRight.y - topLeft.y};
}

void NomographPage::draw(Canvas& canvas) const {
    canvas.rectangle({0, 0, kSize.width, kSize.height}, {std::nullopt, kWhite}, 0);
    drawTitle(canvas);
    drawIndexAxis(canvas);
    drawCurves(canvas);
    drawScales(canvas);
    drawLookUp(canvas);
    drawNumbers(canvas);
}

void NomographPage::drawTitle(Canvas& canvas) const {
    textInBox(canvas, {kPlot.left, 8, kPlot.width, 28},
              "ノモグラフによる Sbit の読み取り　No. " + std::to_string(row_), ink(18, true));
}

// The penetration-index axis at the left edge, with the index levels across the plane.
void NomographPage::drawIndexAxis(Canvas& canvas) const {
    const auto levelY = [this](double index) {
        return onPage({left_, nomo::penetrationIndexHeight(index)}).y;
    };
    const double axis = onPage({left_, 0}).x;
    const double lowest = levelY(lowestIndex_);
    const double highest = levelY(highestIndex_);
    const double end = onPage({right_, 0}).x;
    const double spacing = (lowest - highest) / (highestIndex_ - lowestIndex_);
    const int labelStep = spacing >= 12 ? 1 : spacing >= 6 ? 2 : 5;
    TextStyle label = ink(11);
    label.anchor = Anchor::End;
    for (int index = lowestIndex_; index <= highestIndex_; ++index) {
        const double y = levelY(index);
        canvas.line({axis, y}, {end, y}, {kGrid, 0.6, true});
        canvas.line({axis - 4, y}, {axis, y}, {kInk, 1});
        if (index % labelStep != 0) continue;
        textInBox(canvas, {axis - 36, y - 8, 30, 16},
                  (index > 0 ? "+" : "") + std::to_string(index), label);
    }
    canvas.line({axis, lowest + 6}, {axis, highest - 6}, {kInk, 1.2});
    TextStyle caption = ink(12);
    caption.anchor = Anchor::Middle;
    caption.rotation = -90;
    placeText(canvas, {axis - 42, (lowest + highest) / 2}, "針入度指数", caption, Across::Middle);
}

// The 45 stiffness curves over the index levels drawn, clipped to the plane shown, with their
// labels.
void NomographPage::drawCurves(Canvas& canvas) const {
    const int steps = kStepsPerIndex * (highestIndex_ - lowestIndex_);
    const auto inPair = [this](std::size_t curve) {
        return figure_ && (curve == figure_->lowerCurve || curve == figure_->upperCurve);
    };
    canvas.clip(frame());
    std::vector<Point> points;
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve) {
        points.clear();
        for (int step = 0; step <= steps; ++step) {
            const double y =
                nomo::penetrationIndexHeight(lowestIndex_ + double(step) / kStepsPerIndex);
            points.push_back(onPage({nomo::curveX(curve, y), y}));
        }
        canvas.polyline(points, inPair(curve) ? Pen{kPair, 2.2} : Pen{kCurve, 0.8});
    }
    canvas.clip(std::nullopt);

    for (const CurveLabel& label : curveLabels(canvas)) {
        const TextStyle style{kCurveLabelFont, inPair(label.curve) ? kPair : kLabel, Anchor::Start,
                              0, "curve-label"};
        canvas.text(label.baseline, label.text, style);
    }
    const double captionY = onPage({left_, nomo::penetrationIndexHeight(highestIndex_)}).y - 36;
    TextStyle caption = ink(12);
    caption.anchor = Anchor::Middle;
    textInBox(canvas, {frame().left, captionY, frame().width, 16}, "スティフネス（MPa）", caption);
}

// Each curve named in MPa at its upper end, else at its lower end, where a label has room and
// does not lie under the ring at X; the pair's labels first, so they show where any can.
std::vector<NomographPage::CurveLabel> NomographPage::curveLabels(
    const TextMeasure& measure) const {
    const Rect shown = frame();
    const double lowHeight = nomo::penetrationIndexHeight(lowestIndex_);
    const double highHeight = nomo::penetrationIndexHeight(highestIndex_);
    std::vector<std::size_t> order;
    if (figure_) order = {figure_->lowerCurve, figure_->upperCurve};
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve)
        if (std::find(order.begin(), order.end(), curve) == order.end()) order.push_back(curve);
    std::vector<Rect> marks;
    if (figure_) marks.push_back(ringBox(measure));
    LabelRow above(onPage({left_, highHeight}).y - 6, measure, marks);
    LabelRow below(onPage({left_, lowHeight}).y + 14, measure, marks);
    const auto shows = [&shown](double x) { return x > shown.left + 12 && x < shown.right() - 12; };
    std::vector<CurveLabel> labels;
    for (const std::size_t curve : order) {
        const std::string text = megapascals(nomo::kStiffnessCurves[curve].stiffnessPa);
        const double upperX = onPage({nomo::curveX(curve, highHeight), 0}).x;
        const double lowerX = onPage({nomo::curveX(curve, lowHeight), 0}).x;
        std::optional<Rect> box;
        double baseline = above.baseline();
        if (shows(upperX)) box = above.place(upperX, text, kCurveLabelFont);
        if (!box && shows(lowerX)) {
            box = below.place(lowerX, text, kCurveLabelFont);
            baseline = below.baseline();
        }
        if (box) labels.push_back({curve, text, {box->left, baseline}, *box});
    }
    return labels;
}

// The ring drawn around X and the letter beside it.
Rect NomographPage::ringBox(const TextMeasure& measure) const {
    if (!figure_) return {};
    const Point reading = onPage(figure_->reading);
    const double reach = kRingRadius + 1;
    const Rect ring{reading.x - reach, reading.y - reach, 2 * reach, 2 * reach};
    const TextExtent letter = measure.measure("X", kLetterFont);
    const Point baseline{reading.x + kLetterOffset.x, reading.y + kLetterOffset.y};
    return ring.united({baseline.x, baseline.y - letter.ascent, letter.width, letter.height()});
}

// The temperature-difference scale, ticked every 10 °C, and the loading-time scale, ticked at
// every tenth of a decade's steps, each with its caption below.
void NomographPage::drawScales(Canvas& canvas) const {
    const Pen pen{kInk, 1.2};
    const TextStyle label = ink(10);
    TextStyle caption = ink(12);
    caption.anchor = Anchor::Middle;
    const auto& differences = nomo::kTemperatureDifferenceX;
    const double differenceY = onPage({0, nomo::kTemperatureDifferenceY}).y;
    canvas.line(onPage({differences.front(), nomo::kTemperatureDifferenceY}),
                onPage({differences.back(), nomo::kTemperatureDifferenceY}), pen);
    LabelRow differenceLabels(differenceY + 12, canvas);
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const int difference = 10 * (nomo::kLowestDifferenceStep + static_cast<int>(i));
        const double x = onPage({differences[i], 0}).x;
        const bool named = difference % 50 == 0;
        canvas.line({x, differenceY}, {x, differenceY - (named ? 6 : 3)}, pen);
        if (named) placeLabel(canvas, differenceLabels, x, std::to_string(difference), label);
    }
    const double differenceLeft = onPage({differences.front(), 0}).x;
    const double differenceRight = onPage({differences.back(), 0}).x;
    textInBox(canvas, {differenceLeft, differenceY + 15, differenceRight - differenceLeft, 16},
              "軟化点との温度差（℃）", caption);

    const double timeY = onPage({0, nomo::kLoadingTimeY}).y;
    const auto timeX = [this](double decade) {
        return onPage({nomo::loadingTimeX(std::pow(10.0, decade)), 0}).x;
    };
    const double first = std::max(timeX(lowestDecade_), onPage({left_, 0}).x);
    const double last = std::min(timeX(highestDecade_), onPage({right_, 0}).x);
    canvas.line({first, timeY}, {last, timeY}, pen);
    LabelRow timeLabels(timeY + 12, canvas);
    for (int decade = lowestDecade_; decade <= highestDecade_; ++decade) {
        for (int step = 1; step <= 9; ++step) {
            const double x = timeX(decade + std::log10(step));
            if (x < first || x > last) continue;
            canvas.line({x, timeY}, {x, timeY - (step == 1 ? 6 : 3)}, pen);
            if (step == 1) placeLabel(canvas, timeLabels, x, decadeText(decade), label);
        }
    }
    textInBox(canvas, {first, timeY + 15, last - first, 16}, "載荷時間（秒）", caption);
}

// The row's look-up: the index level from the axis, the line from the loading time through
// the temperature difference up to X; or the reason the row has none, centred in the plot.
void NomographPage::drawLookUp(Canvas& canvas) const {
    if (!figure_) {
        const Rect room{kPlot.left + kRoomLeft, kPlot.top + kRoomTop,
                        kPlot.width - kRoomLeft - kRoomRight,
                        kPlot.height - kRoomTop - kRoomBottom};
        const TextStyle style{{16}, kLookUp, Anchor::Middle};
        const auto lines = wrapped(canvas, withFullStop(lookUp_.reason), style.font, room.width);
        const double lineHeight = canvas.measure("X", style.font).height();
        const double top = room.top + (room.height - lineHeight * lines.size()) / 2;
        writeLines(canvas, {room.left + room.width / 2, top}, lines, style);
        return;
    }
    const Point time = onPage(figure_->loadingTime);
    const Point difference = onPage(figure_->temperatureDifference);
    const Point reading = onPage(figure_->reading);
    const Point axis{onPage({left_, 0}).x, reading.y};
    canvas.line(axis, reading, {kLookUp, 1.2, true});
    canvas.line(time, reading, {kLookUp, 1.6});
    for (const Point point : {axis, time, difference}) dot(canvas, point, 3.5);
    dot(canvas, reading, 4.5);
    canvas.circle(reading, kRingRadius, {Pen{kLookUp, 1.4}, std::nullopt});
    canvas.text({reading.x + kLetterOffset.x, reading.y + kLetterOffset.y}, "X",
                {kLetterFont, kLookUp});
}

// The numbers of the look-up, as the engine gave them, and what the colours mean.
void NomographPage::drawNumbers(Canvas& canvas) const {
    canvas.rectangle(kNumbers, {Pen{kGrid, 1}, std::nullopt}, 0);
    const std::string none = "—";
    const auto& inputs = lookUp_.inputs;
    const auto& reading = lookUp_.reading;
    std::vector<std::pair<std::string, std::string>> lines = {
        {"No.", std::to_string(row_)},
        {"針入度指数 PI", inputs ? fixedText(inputs->penetrationIndex, 2) : none},
        {"載荷時間 t（秒）", inputs ? shortestText(inputs->loadingTime) : none},
        {"温度差 ΔT（℃）", inputs ? shortestText(inputs->temperatureDifference) : none},
    };
    if (figure_) {
        const auto& curves = nomo::kStiffnessCurves;
        lines.insert(lines.end(),
                     {{"交点 X", fixedText(reading->x, 4)},
                      {"曲線の組", std::to_string(figure_->lowerCurve) + ", " +
                                       std::to_string(figure_->upperCurve)},
                      {"　（MPa）", megapascals(curves[figure_->lowerCurve].stiffnessPa) + " – " +
                                        megapascals(curves[figure_->upperCurve].stiffnessPa)},
                      {"g", fixedText(reading->fraction, 5)},
                      {"Sbit（MPa）", exponentText(reading->stiffnessMpa, 5)}});
    }
    const double left = kNumbers.left + 12;
    const double width = kNumbers.width - 24;
    double y = kNumbers.top + 14;
    placeText(canvas, {left, y}, "読み取り値", ink(14, true), Across::Top);
    y += 34;
    TextStyle value = ink(13);
    value.anchor = Anchor::End;
    for (const auto& [name, number] : lines) {
        placeText(canvas, {left, y}, name, ink(13), Across::Top);
        placeText(canvas, {left + width, y}, number, value, Across::Top);
        y += 26;
    }
    if (!figure_) {
        const TextStyle why{{13}, kLookUp};
        const std::string text = "読み取れません：" + withFullStop(lookUp_.reason);
        writeLines(canvas, {left, y + 8}, wrapped(canvas, text, why.font, width), why);
        return;
    }
    // What makes Sbit no reading, in words.
    const TextStyle note{{12}, kLookUp, Anchor::Start, 0, "extrapolation"};
    y += 6;
    for (const std::string& extrapolation : extrapolations_) {
        const std::string text = std::string(texts::kExtrapolationMark) + extrapolation;
        y = writeLines(canvas, {left, y}, wrapped(canvas, text, note.font, width), note) + 6;
    }
    // The legend.
    y = kNumbers.bottom() - 56;
    for (const auto& [colour, name] :
         {std::pair{kLookUp, "この行の読み取り線"}, std::pair{kPair, "X を挟む曲線の組"}}) {
        canvas.line({left, y + 9}, {left + 28, y + 9}, {colour, 2.2});
        placeText(canvas, {left + 36, y}, name, ink(12), Across::Top);
        y += 24;
    }
}

std::string nomographTitle(int row) {
    return "ノモグラフで確認 - No. " + std::to_string(row);
}

std::string nomographDocumentTitle(int row) {
    return "ノモグラフ No. " + std::to_string(row);
}

}  // namespace talveno::window
