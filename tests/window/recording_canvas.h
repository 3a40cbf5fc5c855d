#pragma once

#include <string>
#include <vector>

#include "window/canvas.h"

namespace talveno::window::testing {

// A canvas that keeps what is drawn on it for the tests to read. It measures a text as a face
// would whose ASCII characters are 0.6 of the pixel size wide and whose others are square.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind { Polyline, Circle, Rectangle, Text };
    struct Shape {
        Kind kind;
        std::vector<Point> points;  // a polyline's; a circle's centre; a box's corners; an anchor
        Colour colour;              // of the outline, else of the fill; of a text
        double radius = 0;
        std::string text = {};
        std::string role = {};
        std::optional<Rect> clip = {};
    };

    void polyline(std::span<const Point> points, const Pen& pen) override {
        add({Kind::Polyline, {points.begin(), points.end()}, pen.colour});
    }
    void circle(Point centre, double radius, const Paint& paint) override {
        add({Kind::Circle, {centre}, colourOf(paint), radius});
    }
    void rectangle(const Rect& box, const Paint& paint, double) override {
        add({Kind::Rectangle, {{box.left, box.top}, {box.right(), box.bottom()}}, colourOf(paint)});
    }
    void text(Point anchor, std::string_view text, const TextStyle& style) override {
        add({Kind::Text, {anchor}, style.colour, 0, std::string(text), std::string(style.role)});
    }
    void clip(const std::optional<Rect>& box) override { clip_ = box; }
    TextExtent measure(std::string_view text, const Font& font) const override {
        double width = 0;
        for (const std::string_view character : characters(text))
            width += font.pixels * (character.size() == 1 ? 0.6 : 1.0);
        return {width, 0.88 * font.pixels, 0.12 * font.pixels};
    }

    // The texts drawn in a role, one after another.
    std::string joined(std::string_view role) const {
        std::string all;
        for (const Shape& shape : shapes)
            if (shape.kind == Kind::Text && shape.role == role) all += shape.text;
        return all;
    }

    std::vector<Shape> shapes;

  private:
    static Colour colourOf(const Paint& paint) {
        return paint.outline ? paint.outline->colour : paint.fill.value_or(Colour{});
    }
    void add(Shape shape) {
        shape.clip = clip_;
        shapes.push_back(std::move(shape));
    }
    std::optional<Rect> clip_;
};

}  // namespace talveno::window::testing
