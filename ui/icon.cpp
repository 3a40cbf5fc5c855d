#include "ui/icon.h"

#include <QPainter>

namespace talveno::ui::icon {

namespace {

// The drawing on a 32 x 32 grid, one shape after another.
enum class Kind { Tile, Band, Line, Ring };
struct Shape {
    Kind kind;
    double a, b, c, d;  // Tile, Band: x, y, width, height; Line: x1, y1, x2, y2; Ring: x, y, r
    QColor colour;
};

constexpr int kGrid = 32;
constexpr double kTileCorner = 5;
constexpr double kStroke = 2;
constexpr QColor kYellow{255, 255, 0};

constexpr Shape kShapes[] = {
    {Kind::Tile, 0, 0, kGrid, kGrid, QColor(0, 0, 128)},
    // The layers of a pavement: surface, binder course, base.
    {Kind::Band, 3, 18, 26, 4, QColor(64, 64, 64)},
    {Kind::Band, 3, 22, 26, 4, QColor(128, 96, 64)},
    {Kind::Band, 3, 26, 26, 3, QColor(192, 160, 96)},
    // A stiffness line and the point read off it.
    {Kind::Line, 6, 14, 26, 4, kYellow},
    {Kind::Ring, 22, 6, 3, 0, kYellow},
};

void draw(QPainter& painter, const Shape& shape) {
    switch (shape.kind) {
        case Kind::Tile:
            painter.setPen(Qt::NoPen);
            painter.setBrush(shape.colour);
            painter.drawRoundedRect(QRectF(shape.a, shape.b, shape.c, shape.d), kTileCorner,
                                    kTileCorner);
            break;
        case Kind::Band:
            painter.fillRect(QRectF(shape.a, shape.b, shape.c, shape.d), shape.colour);
            break;
        case Kind::Line:
            painter.setPen(QPen(shape.colour, kStroke));
            painter.drawLine(QPointF(shape.a, shape.b), QPointF(shape.c, shape.d));
            break;
        case Kind::Ring:
            painter.setPen(QPen(shape.colour, kStroke));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(shape.a, shape.b), shape.c, shape.c);
            break;
    }
}

// Numbers in %g, the colour as #rrggbb.
QString svgElement(const Shape& shape) {
    const QByteArray colour = shape.colour.name().toLatin1();
    const double a = shape.a, b = shape.b, c = shape.c, d = shape.d;
    switch (shape.kind) {
        case Kind::Tile:
            return QString::asprintf(
                R"(<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s" stroke="none"/>)",
                a, b, c, d, kTileCorner, colour.constData());
        case Kind::Band:
            return QString::asprintf(
                R"(<rect x="%g" y="%g" width="%g" height="%g" fill="%s" stroke="none"/>)", a, b, c,
                d, colour.constData());
        case Kind::Line:
            return QString::asprintf(
                R"(<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g"/>)", a, b, c,
                d, colour.constData(), kStroke);
        case Kind::Ring:
            return QString::asprintf(
                R"(<circle cx="%g" cy="%g" r="%g" fill="none" stroke="%s" stroke-width="%g"/>)", a,
                b, c, colour.constData(), kStroke);
    }
    return {};
}

}  // namespace

QImage image(int size) {
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / kGrid, double(size) / kGrid);
    for (const Shape& shape : kShapes) draw(painter, shape);
    return picture;
}

QByteArray svg() {
    QString document = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>)"
                                      "\n"
                                      R"(<svg xmlns="http://www.w3.org/2000/svg" width="%1" )"
                                      R"(height="%1" viewBox="0 0 %1 %1">)"
                                      "\n")
                           .arg(kGrid);
    for (const Shape& shape : kShapes) document += QStringLiteral("  ") + svgElement(shape) + '\n';
    return (document + QStringLiteral("</svg>\n")).toUtf8();
}

}  // namespace talveno::ui::icon
