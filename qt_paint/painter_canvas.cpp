#include "qt_paint/painter_canvas.h"

#include <QFontMetricsF>
#include <QVarLengthArray>
#include <algorithm>

namespace talveno::ui {

namespace {

QString qtext(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor colour(window::Colour c) {
    return {c.red, c.green, c.blue};
}

QPen pen(const window::Pen& p) {
    return QPen(colour(p.colour), p.width, p.dashed ? Qt::DashLine : Qt::SolidLine);
}

QPointF point(window::Point p) {
    return {p.x, p.y};
}

}  // namespace

QFont FontMeasure::font(const window::Font& font) const {
    QFont chosen = face_;
    chosen.setPixelSize(font.pixels);
    chosen.setBold(font.bold);
    chosen.setItalic(font.italic);
    return chosen;
}

window::TextExtent FontMeasure::measure(std::string_view utf8, const window::Font& font) const {
    const QFontMetricsF metrics(this->font(font));
    return {metrics.horizontalAdvance(qtext(utf8)), metrics.ascent(), metrics.descent()};
}

PainterCanvas::PainterCanvas(QPainter& painter, QFont face, window::Size size, const QRectF& target)
    : painter_(painter), measure_(std::move(face)) {
    painter_.save();
    const double k = std::min(target.width() / size.width, target.height() / size.height);
    painter_.translate(target.center() - QPointF(size.width, size.height) * k / 2);
    painter_.scale(k, k);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

PainterCanvas::~PainterCanvas() {
    painter_.restore();
}

void PainterCanvas::polyline(std::span<const window::Point> points, const window::Pen& p) {
    QVarLengthArray<QPointF, 256> drawn;
    for (const window::Point each : points) drawn.append(point(each));
    painter_.setPen(pen(p));
    painter_.drawPolyline(drawn.constData(), static_cast<int>(drawn.size()));
}

void PainterCanvas::usePaint(const window::Paint& paint) {
    painter_.setPen(paint.outline ? pen(*paint.outline) : QPen(Qt::NoPen));
    painter_.setBrush(paint.fill ? QBrush(colour(*paint.fill)) : QBrush(Qt::NoBrush));
}

void PainterCanvas::circle(window::Point centre, double radius, const window::Paint& paint) {
    usePaint(paint);
    painter_.drawEllipse(point(centre), radius, radius);
}

void PainterCanvas::rectangle(const window::Rect& box, const window::Paint& paint,
                              double cornerRadius) {
    usePaint(paint);
    painter_.drawRoundedRect(QRectF(box.left, box.top, box.width, box.height), cornerRadius,
                             cornerRadius);
}

void PainterCanvas::text(window::Point anchor, std::string_view utf8,
                         const window::TextStyle& style) {
    const QFont font = measure_.font(style.font);
    const QString shown = qtext(utf8);
    const double width = QFontMetricsF(font).horizontalAdvance(shown);
    const double start = style.anchor == window::Anchor::Start    ? 0
                         : style.anchor == window::Anchor::Middle ? -width / 2
                                                                  : -width;
    painter_.save();
    painter_.translate(point(anchor));
    painter_.rotate(style.rotation);
    painter_.setFont(font);
    painter_.setPen(colour(style.colour));
    painter_.drawText(QPointF(start, 0), shown);
    painter_.restore();
}

void PainterCanvas::clip(const std::optional<window::Rect>& box) {
    if (box)
        painter_.setClipRect(QRectF(box->left, box->top, box->width, box->height));
    else
        painter_.setClipping(false);
}

window::TextExtent PainterCanvas::measure(std::string_view text, const window::Font& font) const {
    return measure_.measure(text, font);
}

QImage drawnImage(window::Size size, const Drawing& draw, const QFont& face, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PainterCanvas canvas(painter, face, size, QRectF(QPointF(0, 0), pixels));
    draw(canvas);
    return image;
}

}  // namespace talveno::ui
