#include "ui/nomograph_page.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/failure.h"
#include "core/nomograph_tables.h"
#include "core/number_text.h"
#include "ui/look.h"
#include "window/window_texts.h"

namespace talveno::ui {

namespace {

namespace nomo = talveno::nomograph;

// The page: the title on top, the plot at the left, the numbers at the right.
constexpr QRectF kPlot{12, 44, 920, 564};
constexpr QRectF kNumbers{950, 44, 238, 564};
// Room inside the plot around the nomograph for the labels and captions of the axes.
constexpr double kRoomLeft = 52, kRoomRight = 8, kRoomTop = 40, kRoomBottom = 52;

// The part of the plane always shown: from the penetration-index axis, left of the softest
// curve, to past the ends of both scales; from the loading-time scale up to the highest index.
constexpr double kAxisX = 1050;
constexpr double kRightX = 3350;
constexpr int kFarthestIndex = 10;  // a row's index beyond this widens the curves no further
constexpr int kStepsPerIndex = 10;

constexpr int kCurveLabelPixels = 10;
constexpr double kRingRadius = 8;
constexpr int kLetterPixels = 13;
constexpr QPointF kLetterOffset{-22, -8};  // of the letter X's base line from X

constexpr QColor kInk{0, 0, 0};
constexpr QColor kGrid{200, 200, 200};
constexpr QColor kCurve{160, 160, 160};
constexpr QColor kPair{0, 90, 210};
constexpr QColor kLookUp{210, 0, 0};

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QFont font(int pixelSize, bool bold = false) {
    QFont chosen = windowFont(pixelSize);
    chosen.setBold(bold);
    return chosen;
}

// A stiffness in Pa as a label in MPa: "0.002", "50", "2000", and "1E-10" below 0.001 MPa.
QString megapascals(double stiffnessPa) {
    const double mpa = stiffnessPa / 1e6;
    if (mpa >= 1e-3) return QString::number(mpa, 'g', 6);
    const int exponent = static_cast<int>(std::floor(std::log10(mpa) + 1e-9));
    const double mantissa = std::round(mpa / std::pow(10.0, exponent));
    return QStringLiteral("%1E%2").arg(mantissa).arg(exponent);
}

// "0.001" to "1000" for the decades near 1 s, "1E-6" and "1E5" beyond.
QString decadeText(int decade) {
    if (decade < -3 || decade > 3) return QStringLiteral("1E%1").arg(decade);
    return QString::number(std::pow(10.0, decade), 'f', std::max(0, -decade));
}

// Labels along a line, each kept only where it overlaps none placed before and no mark of the
// look-up.
class LabelRow {
  public:
    LabelRow(double baseline, const QFontMetricsF& metrics, std::vector<QRectF> marks)
        : baseline_(baseline), metrics_(metrics), marks_(std::move(marks)) {}

    double baseline() const { return baseline_; }

    // The box of the text centred on x, when the row has room for it.
    std::optional<QRectF> place(double x, const QString& text) {
        const double width = metrics_.horizontalAdvance(text);
        const QRectF box(x - width / 2, baseline_ - metrics_.ascent(), width, metrics_.height());
        for (const auto& [left, right] : taken_)
            if (box.left() < right + kGap && box.right() > left - kGap) return std::nullopt;
        for (const QRectF& mark : marks_)
            if (box.adjusted(-kGap, 0, kGap, 0).intersects(mark)) return std::nullopt;
        taken_.push_back({box.left(), box.right()});
        return box;
    }

  private:
    static constexpr double kGap = 4;
    double baseline_;
    QFontMetricsF metrics_;
    std::vector<QRectF> marks_;
    std::vector<std::pair<double, double>> taken_;
};

// A text centred on x on the row's base line, when the row has room for it.
void placeLabel(QPainter& painter, LabelRow& labels, double x, const QString& label) {
    if (const auto box = labels.place(x, label))
        painter.drawText(QPointF(box->left(), labels.baseline()), label);
}

void dot(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
}

}  // namespace

NomographPage::NomographPage(int row, RowLookUp lookUp) : row_(row), lookUp_(std::move(lookUp)) {
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
        lowestDecade_ = static_cast<int>(std::max(-300.0, std::min(-6.0, std::floor(decade))));
        highestDecade_ = static_cast<int>(std::min(300.0, std::max(6.0, std::ceil(decade))));
    }
    for (const std::string& note : window::texts::extrapolationNotes(lookUp_))
        extrapolations_ << text(note);
    left_ = kAxisX;
    right_ = kRightX;
    bottom_ = nomo::kLoadingTimeY;
    top_ = bandHeight(highestIndex_);
    if (figure_) {
        for (const nomo::Point point :
             {figure_->loadingTime, figure_->temperatureDifference, figure_->reading}) {
            left_ = std::min(left_, point.x);
            right_ = std::max(right_, point.x);
            bottom_ = std::min(bottom_, point.y);
            top_ = std::max(top_, point.y);
        }
    }
    const double width = kPlot.width() - kRoomLeft - kRoomRight;
    const double height = kPlot.height() - kRoomTop - kRoomBottom;
    scale_ = std::min(width / (right_ - left_), height / (top_ - bottom_));
    origin_ = {kPlot.left() + kRoomLeft,
               kPlot.top() + kRoomTop + (height + scale_ * (top_ - bottom_)) / 2};
}

double NomographPage::bandHeight(double penetrationIndex) const {
    return nomo::penetrationIndexHeight(penetrationIndex);
}

QPointF NomographPage::onPage(nomo::Point point) const {
    return {origin_.x() + (point.x - left_) * scale_, origin_.y() - (point.y - bottom_) * scale_};
}

void NomographPage::draw(QPainter& painter, const QRectF& target) const {
    painter.save();
    const double k = std::min(target.width() / kSize.width(), target.height() / kSize.height());
    painter.translate(target.center() - QPointF(kSize.width(), kSize.height()) * k / 2);
    painter.scale(k, k);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), kSize), Qt::white);
    drawTitle(painter);
    drawIndexAxis(painter);
    drawCurves(painter);
    drawScales(painter);
    drawLookUp(painter);
    drawNumbers(painter);
    painter.restore();
}

void NomographPage::drawTitle(QPainter& painter) const {
    painter.setPen(kInk);
    painter.setFont(font(18, true));
    painter.drawText(QRectF(kPlot.left(), 8, kPlot.width(), 28), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("ノモグラフによる Sbit の読み取り　No. %1").arg(row_));
}

// The penetration-index axis at the left edge, with the index levels across the plane.
void NomographPage::drawIndexAxis(QPainter& painter) const {
    const double axis = onPage({left_, 0}).x();
    const double lowest = onPage({left_, bandHeight(lowestIndex_)}).y();
    const double highest = onPage({left_, bandHeight(highestIndex_)}).y();
    const double end = onPage({right_, 0}).x();
    painter.setFont(font(11));
    const double spacing = (lowest - highest) / (highestIndex_ - lowestIndex_);
    const int labelStep = spacing >= 12 ? 1 : spacing >= 6 ? 2 : 5;
    for (int index = lowestIndex_; index <= highestIndex_; ++index) {
        const double y = onPage({left_, bandHeight(index)}).y();
        painter.setPen(QPen(kGrid, 0.6, Qt::DashLine));
        painter.drawLine(QPointF(axis, y), QPointF(end, y));
        painter.setPen(QPen(kInk, 1));
        painter.drawLine(QPointF(axis - 4, y), QPointF(axis, y));
        if (index % labelStep != 0) continue;
        const QString label = index > 0 ? QStringLiteral("+%1").arg(index) : QString::number(index);
        painter.drawText(QRectF(axis - 36, y - 8, 30, 16), Qt::AlignRight | Qt::AlignVCenter,
                         label);
    }
    painter.setPen(QPen(kInk, 1.2));
    painter.drawLine(QPointF(axis, lowest + 6), QPointF(axis, highest - 6));

    painter.save();
    painter.setFont(font(12));
    painter.translate(axis - 42, (lowest + highest) / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-60, -8, 120, 16), Qt::AlignCenter, QStringLiteral("針入度指数"));
    painter.restore();
}

// The 45 stiffness curves over the index levels drawn, clipped to the plane shown, with their
// labels.
void NomographPage::drawCurves(QPainter& painter) const {
    const QRectF frame(onPage({left_, top_}), onPage({right_, bottom_}));
    const int steps = kStepsPerIndex * (highestIndex_ - lowestIndex_);
    const auto path = [&](std::size_t curve) {
        QPainterPath line;
        for (int step = 0; step <= steps; ++step) {
            const double index = lowestIndex_ + double(step) / kStepsPerIndex;
            const double y = bandHeight(index);
            const QPointF point = onPage({nomo::curveX(curve, y), y});
            step == 0 ? line.moveTo(point) : line.lineTo(point);
        }
        return line;
    };
    painter.save();
    painter.setClipRect(frame);
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve) {
        const bool inPair =
            figure_ && (curve == figure_->lowerCurve || curve == figure_->upperCurve);
        painter.setPen(inPair ? QPen(kPair, 2.2) : QPen(kCurve, 0.8));
        painter.drawPath(path(curve));
    }
    painter.restore();

    painter.setFont(font(kCurveLabelPixels));
    for (const CurveLabel& label : curveLabels()) {
        const bool inPair =
            figure_ && (label.curve == figure_->lowerCurve || label.curve == figure_->upperCurve);
        painter.setPen(inPair ? kPair : QColor(90, 90, 90));
        painter.drawText(label.baseline, label.text);
    }
    const double captionY = onPage({left_, bandHeight(highestIndex_)}).y() - 36;
    painter.setPen(kInk);
    painter.setFont(font(12));
    painter.drawText(QRectF(frame.left(), captionY, frame.width(), 16), Qt::AlignCenter,
                     QStringLiteral("スティフネス（MPa）"));
}

// Each curve named in MPa at its upper end, else at its lower end, where a label has room and
// does not lie under the ring at X; the pair's labels first, so they show where any can.
std::vector<NomographPage::CurveLabel> NomographPage::curveLabels() const {
    const QRectF frame(onPage({left_, top_}), onPage({right_, bottom_}));
    const double lowHeight = bandHeight(lowestIndex_);
    const double highHeight = bandHeight(highestIndex_);
    std::vector<std::size_t> order;
    if (figure_) order = {figure_->lowerCurve, figure_->upperCurve};
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve)
        if (std::find(order.begin(), order.end(), curve) == order.end()) order.push_back(curve);
    const QFontMetricsF metrics(font(kCurveLabelPixels));
    std::vector<QRectF> marks;
    if (figure_) marks.push_back(ringBox());
    const double aboveY = onPage({left_, highHeight}).y() - 6;
    const double belowY = onPage({left_, lowHeight}).y() + 14;
    LabelRow above(aboveY, metrics, marks), below(belowY, metrics, marks);
    std::vector<CurveLabel> labels;
    for (const std::size_t curve : order) {
        const QString text = megapascals(nomo::kStiffnessCurves[curve].stiffnessPa);
        const double upperX = onPage({nomo::curveX(curve, highHeight), 0}).x();
        const double lowerX = onPage({nomo::curveX(curve, lowHeight), 0}).x();
        const bool upperShown = upperX > frame.left() + 12 && upperX < frame.right() - 12;
        const bool lowerShown = lowerX > frame.left() + 12 && lowerX < frame.right() - 12;
        std::optional<QRectF> box;
        double baseline = aboveY;
        if (upperShown) box = above.place(upperX, text);
        if (!box && lowerShown) {
            box = below.place(lowerX, text);
            baseline = belowY;
        }
        if (box) labels.push_back({curve, text, QPointF(box->left(), baseline), *box});
    }
    return labels;
}

// The ring drawn around X and the letter beside it.
QRectF NomographPage::ringBox() const {
    if (!figure_) return {};
    const QPointF reading = onPage(figure_->reading);
    const QRectF ring(reading - QPointF(kRingRadius + 1, kRingRadius + 1),
                      QSizeF(2 * kRingRadius + 2, 2 * kRingRadius + 2));
    const QFontMetricsF metrics(font(kLetterPixels, true));
    const QPointF letter = reading + kLetterOffset;
    return ring.united(QRectF(letter.x(), letter.y() - metrics.ascent(),
                              metrics.horizontalAdvance(QStringLiteral("X")), metrics.height()));
}

// The temperature-difference scale, ticked every 10 °C, and the loading-time scale, ticked at
// every tenth of a decade's steps, each with its caption below.
void NomographPage::drawScales(QPainter& painter) const {
    painter.setPen(QPen(kInk, 1.2));
    painter.setFont(font(10));
    const auto& differences = nomo::kTemperatureDifferenceX;
    const double differenceY = onPage({0, nomo::kTemperatureDifferenceY}).y();
    painter.drawLine(onPage({differences.front(), nomo::kTemperatureDifferenceY}),
                     onPage({differences.back(), nomo::kTemperatureDifferenceY}));
    LabelRow differenceLabels(differenceY + 12, QFontMetricsF(painter.font()), {});
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const int difference = 10 * (nomo::kLowestDifferenceStep + static_cast<int>(i));
        const double x = onPage({differences[i], 0}).x();
        const bool named = difference % 50 == 0;
        painter.drawLine(QPointF(x, differenceY), QPointF(x, differenceY - (named ? 6 : 3)));
        if (named) placeLabel(painter, differenceLabels, x, QString::number(difference));
    }
    painter.setFont(font(12));
    const double differenceLeft = onPage({differences.front(), 0}).x();
    const double differenceRight = onPage({differences.back(), 0}).x();
    painter.drawText(QRectF(differenceLeft, differenceY + 15, differenceRight - differenceLeft, 16),
                     Qt::AlignCenter, QStringLiteral("軟化点との温度差（℃）"));

    const double timeY = onPage({0, nomo::kLoadingTimeY}).y();
    const auto timeX = [this](double decade) {
        return onPage({nomo::loadingTimeX(std::pow(10.0, decade)), 0}).x();
    };
    const double first = std::max(timeX(lowestDecade_), onPage({left_, 0}).x());
    const double last = std::min(timeX(highestDecade_), onPage({right_, 0}).x());
    painter.setPen(QPen(kInk, 1.2));
    painter.drawLine(QPointF(first, timeY), QPointF(last, timeY));
    painter.setFont(font(10));
    LabelRow timeLabels(timeY + 12, QFontMetricsF(painter.font()), {});
    for (int decade = lowestDecade_; decade <= highestDecade_; ++decade) {
        for (int step = 1; step <= 9; ++step) {
            const double x = timeX(decade + std::log10(step));
            if (x < first || x > last) continue;
            painter.drawLine(QPointF(x, timeY), QPointF(x, timeY - (step == 1 ? 6 : 3)));
            if (step == 1) placeLabel(painter, timeLabels, x, decadeText(decade));
        }
    }
    painter.setFont(font(12));
    painter.drawText(QRectF(first, timeY + 15, last - first, 16), Qt::AlignCenter,
                     QStringLiteral("載荷時間（秒）"));
}

// The row's look-up: the index level from the axis, the line from the loading time through
// the temperature difference up to X; or the reason the row has none.
void NomographPage::drawLookUp(QPainter& painter) const {
    if (!figure_) {
        painter.setPen(kLookUp);
        painter.setFont(font(16));
        painter.drawText(kPlot.adjusted(kRoomLeft, kRoomTop, -kRoomRight, -kRoomBottom),
                         Qt::AlignCenter | Qt::TextWordWrap, text(withFullStop(lookUp_.reason)));
        return;
    }
    const QPointF time = onPage(figure_->loadingTime);
    const QPointF difference = onPage(figure_->temperatureDifference);
    const QPointF reading = onPage(figure_->reading);
    const QPointF axis(onPage({left_, 0}).x(), reading.y());
    painter.setPen(QPen(kLookUp, 1.2, Qt::DashLine));
    painter.drawLine(axis, reading);
    painter.setPen(QPen(kLookUp, 1.6));
    painter.drawLine(time, reading);
    for (const QPointF point : {axis, time, difference}) dot(painter, point, 3.5, kLookUp);
    dot(painter, reading, 4.5, kLookUp);
    painter.setPen(QPen(kLookUp, 1.4));
    painter.drawEllipse(reading, kRingRadius, kRingRadius);
    painter.setFont(font(kLetterPixels, true));
    painter.drawText(reading + kLetterOffset, QStringLiteral("X"));
}

// The numbers of the look-up, as the engine gave them, and what the colours mean.
void NomographPage::drawNumbers(QPainter& painter) const {
    painter.setPen(QPen(kGrid, 1));
    painter.drawRect(kNumbers);
    const auto none = QStringLiteral("—");
    const auto& inputs = lookUp_.inputs;
    const auto& reading = lookUp_.reading;
    std::vector<std::pair<QString, QString>> lines = {
        {QStringLiteral("No."), QString::number(row_)},
        {QStringLiteral("針入度指数 PI"),
         inputs ? text(fixedText(inputs->penetrationIndex, 2)) : none},
        {QStringLiteral("載荷時間 t（秒）"),
         inputs ? text(shortestText(inputs->loadingTime)) : none},
        {QStringLiteral("温度差 ΔT（℃）"),
         inputs ? text(shortestText(inputs->temperatureDifference)) : none},
    };
    if (figure_) {
        const auto& curves = nomo::kStiffnessCurves;
        lines.insert(
            lines.end(),
            {{QStringLiteral("交点 X"), text(fixedText(reading->x, 4))},
             {QStringLiteral("曲線の組"),
              QStringLiteral("%1, %2").arg(figure_->lowerCurve).arg(figure_->upperCurve)},
             {QStringLiteral("　（MPa）"),
              megapascals(curves[figure_->lowerCurve].stiffnessPa) + QStringLiteral(" – ") +
                  megapascals(curves[figure_->upperCurve].stiffnessPa)},
             {QStringLiteral("g"), text(fixedText(reading->fraction, 5))},
             {QStringLiteral("Sbit（MPa）"), text(exponentText(reading->stiffnessMpa, 5))}});
    }
    const double left = kNumbers.left() + 12;
    const double width = kNumbers.width() - 24;
    double y = kNumbers.top() + 14;
    painter.setPen(kInk);
    painter.setFont(font(14, true));
    painter.drawText(QRectF(left, y, width, 20), Qt::AlignLeft, QStringLiteral("読み取り値"));
    y += 34;
    painter.setFont(font(13));
    for (const auto& [name, value] : lines) {
        painter.drawText(QRectF(left, y, width, 20), Qt::AlignLeft, name);
        painter.drawText(QRectF(left, y, width, 20), Qt::AlignRight, value);
        y += 26;
    }
    if (!figure_) {
        painter.setPen(kLookUp);
        painter.drawText(QRectF(left, y + 8, width, kNumbers.bottom() - y - 16),
                         Qt::AlignLeft | Qt::TextWordWrap,
                         QStringLiteral("読み取れません：") + text(withFullStop(lookUp_.reason)));
        return;
    }
    // What makes Sbit no reading, in words.
    painter.setPen(kLookUp);
    painter.setFont(font(12));
    y += 6;
    for (const QString& extrapolation : extrapolations_) {
        const QRectF room(left, y, width, kNumbers.bottom() - 64 - y);
        const QString note = text(std::string(window::texts::kExtrapolationMark)) + extrapolation;
        painter.drawText(room, Qt::AlignLeft | Qt::TextWordWrap, note);
        y += painter.boundingRect(room, Qt::AlignLeft | Qt::TextWordWrap, note).height() + 6;
    }
    // The legend.
    painter.setFont(font(12));
    y = kNumbers.bottom() - 56;
    for (const auto& [colour, name] : {std::pair{kLookUp, QStringLiteral("この行の読み取り線")},
                                       std::pair{kPair, QStringLiteral("X を挟む曲線の組")}}) {
        painter.setPen(QPen(colour, 2.2));
        painter.drawLine(QPointF(left, y + 9), QPointF(left + 28, y + 9));
        painter.setPen(kInk);
        painter.drawText(QRectF(left + 36, y, width - 36, 20), Qt::AlignLeft, name);
        y += 24;
    }
}

}  // namespace talveno::ui
