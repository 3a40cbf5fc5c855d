#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "core/nomograph.h"
#include "core/nomograph_geometry.h"
#include "core/nomograph_tables.h"
#include "ui/icon.h"
#include "ui/look.h"

namespace talveno::ui::pictures {

namespace {

namespace nomo = talveno::nomograph;

constexpr int kWidth = 775;
constexpr int kHeight = 312;
constexpr QColor kField{191, 191, 191};
constexpr QColor kLine{255, 255, 255};
constexpr QColor kYellow{255, 255, 0};

// The picture keeps clear of the logo and the settings that lie over its right part: the grid
// and the scales end left of them.
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

QPainterPath curvePath(std::size_t curve) {
    QPainterPath path(QPointF(column(curveX(curve, kLowestIndex)), indexRow(kLowestIndex)));
    for (int step = 1; step <= kCurveSteps; ++step)
        path.lineTo(column(curveX(curve, stepIndex(step))), indexRow(stepIndex(step)));
    return path;
}

void ring(QPainter& painter, QPointF centre, double radius, const QColor& colour) {
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
}

// The caption of the penetration-index axis, one character under another.
void verticalCaption(QPainter& painter, const QString& text, double x, double top) {
    const QFontMetrics metrics(painter.font());
    double y = top;
    for (const QChar c : text) {
        const QString character(c);
        painter.drawText(QPointF(x - metrics.horizontalAdvance(character) / 2.0, y), character);
        y += metrics.height();
    }
}

// "0.001" .. "1000": a decade of stiffness in MPa.
QString decadeText(int decade) {
    return QString::number(std::pow(10.0, decade), 'f', std::max(0, -decade));
}

void drawGrid(QPainter& painter) {
    painter.setFont(windowFont(10));
    painter.setPen(QPen(kLine, 1));
    painter.drawLine(QPointF(kAxisColumn, indexRow(kHighestIndex) - 6),
                     QPointF(kAxisColumn, indexRow(kLowestIndex) + 6));
    for (int pi = kLowestIndex; pi <= kHighestIndex; ++pi) {
        const double row = indexRow(pi);
        painter.setPen(QPen(kLine, 0.6));
        painter.drawLine(QPointF(kAxisColumn, row), QPointF(kGridRight, row));
        painter.setPen(kLine);
        const QString label = pi > 0 ? QStringLiteral("+%1").arg(pi) : QString::number(pi);
        painter.drawText(QRectF(kAxisColumn - 30, row - 7, 24, 14),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }

    painter.save();
    painter.setClipRect(QRectF(kAxisColumn, 0, kGridRight - kAxisColumn, kHeight));
    painter.setPen(QPen(kLine, 0.8));
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve)
        if (fans(curve)) painter.drawPath(curvePath(curve));
    painter.restore();

    // The decades in MPa, named above the upper ends of their curves where there is room.
    painter.setPen(kLine);
    const QFontMetrics metrics(painter.font());
    double freeFrom = kAxisColumn;
    for (std::size_t curve = 0; curve < nomo::kStiffnessCurves.size(); ++curve) {
        const double decade = std::log10(nomo::kStiffnessCurves[curve].stiffnessPa / 1e6);
        if (decade < -3 || std::abs(decade - std::round(decade)) > 1e-9 || !fans(curve)) continue;
        const QString label = decadeText(int(std::round(decade)));
        const double width = metrics.horizontalAdvance(label);
        const double x = column(curveX(curve, kHighestIndex)) - width / 2;
        if (x < freeFrom || x + width > kGridRight) continue;
        painter.drawText(QPointF(x, indexRow(kHighestIndex) - 6), label);
        freeFrom = x + width + 6;
    }

    painter.setFont(windowFont(12));
    verticalCaption(painter, QStringLiteral("針入度指数"), 14, indexRow(kHighestIndex) + 14);
    painter.drawText(QRectF(kAxisColumn, 1, kGridRight - kAxisColumn, 14), Qt::AlignCenter,
                     QStringLiteral("スティフネス（MPa）"));
}

// A scale line with its caption centred below the part from captionFrom to its end.
void drawScale(QPainter& painter, double row, double first, double last, double captionFrom,
               const QString& caption) {
    painter.setPen(QPen(kLine, 1.2));
    painter.drawLine(QPointF(first, row), QPointF(last, row));
    painter.setFont(windowFont(12));
    painter.drawText(QRectF(captionFrom, row + 14, last - captionFrom, 14), Qt::AlignCenter,
                     caption);
}

void drawScales(QPainter& painter) {
    const double tRow = temperatureRow();
    const auto& differences = nomo::kTemperatureDifferenceX;
    const int shownSteps = kHighestDifferenceShown / 10 - nomo::kLowestDifferenceStep;
    // Its caption keeps right of the reading's line, which crosses the scale near 40 °C.
    const int captionStep = (kShownDifference + 20) / 10 - nomo::kLowestDifferenceStep;
    drawScale(painter, tRow, column(differences.front()), column(differences[shownSteps]),
              column(differences[captionStep]), QStringLiteral("軟化点との温度差（℃）"));
    painter.setFont(windowFont(10));
    for (int i = 0; i <= shownSteps; ++i) {
        const int difference = 10 * (nomo::kLowestDifferenceStep + i);
        const double x = column(differences[i]);
        // -50 would crowd -100 and 0 where the scale is narrow.
        const bool named = difference % 50 == 0 && difference != -50;
        painter.drawLine(QPointF(x, tRow), QPointF(x, tRow - (named ? 5 : 3)));
        if (named)
            painter.drawText(QRectF(x - 20, tRow + 1, 40, 12), Qt::AlignCenter,
                             QString::number(difference));
    }

    const double first = column(nomo::loadingTimeX(std::pow(10.0, kLowestTimeDecade)));
    const double last = column(nomo::loadingTimeX(std::pow(10.0, kHighestTimeDecade)));
    drawScale(painter, kLoadingTimeRow, first, last, first, QStringLiteral("載荷時間（秒）"));
    painter.setFont(windowFont(10));
    for (int decade = kLowestTimeDecade; decade <= kHighestTimeDecade; ++decade) {
        const double x = column(nomo::loadingTimeX(std::pow(10.0, decade)));
        painter.drawLine(QPointF(x, kLoadingTimeRow), QPointF(x, kLoadingTimeRow - 5));
        painter.drawText(QRectF(x - 24, kLoadingTimeRow + 1, 48, 12), Qt::AlignCenter,
                         decadeText(decade));
    }
}

// One reading: the index ring on the axis and its level to the reading point, and the line
// from the loading time through the temperature difference up to the yellow ring.
void drawReading(QPainter& painter) {
    const nomo::Reading reading = nomo::read(kShownIndex, kShownLoadingTime, kShownDifference);
    const QPointF time(column(nomo::loadingTimeX(kShownLoadingTime)), kLoadingTimeRow);
    const QPointF difference(column(nomo::temperatureDifferenceX(kShownDifference)),
                             temperatureRow());
    const QPointF point(column(reading.x), indexRow(kShownIndex));
    const QPointF axis(kAxisColumn, point.y());

    painter.setPen(QPen(kLine, 2));
    painter.drawLine(axis, point);
    painter.drawLine(time, point);
    ring(painter, axis, 4, kLine);
    ring(painter, time, 4, kLine);
    ring(painter, difference, 4, kLine);
    ring(painter, point, 6, kYellow);
}

}  // namespace

QPixmap nomograph() {
    QPixmap picture(kWidth, kHeight);
    picture.fill(kField);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawGrid(painter);
    drawScales(painter);
    drawReading(painter);
    return picture;
}

QPixmap logo() {
    constexpr int kLogoWidth = 134;
    constexpr int kLogoHeight = 68;
    QPixmap picture(kLogoWidth, kLogoHeight);
    picture.fill(QColor(40, 44, 52));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // The layers of a pavement: surface, binder course, base.
    painter.fillRect(0, 46, kLogoWidth, 8, QColor(70, 70, 70));
    painter.fillRect(0, 54, kLogoWidth, 7, QColor(120, 104, 84));
    painter.fillRect(0, 61, kLogoWidth, 7, QColor(170, 150, 110));
    painter.setPen(QPen(kYellow, 2, Qt::DashLine));
    painter.drawLine(4, 50, kLogoWidth - 4, 50);
    QFont title = windowFont(24);
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(kYellow);
    painter.drawText(QRect(0, 4, kLogoWidth, 30), Qt::AlignCenter, QStringLiteral("Talveno"));
    painter.setFont(windowFont(10));
    painter.setPen(kWhite);
    painter.drawText(QRect(0, 32, kLogoWidth, 12), Qt::AlignCenter, QStringLiteral("Sbit / Smix"));
    return picture;
}

QPixmap icon() {
    return QPixmap::fromImage(icon::image(32));
}

}  // namespace talveno::ui::pictures
