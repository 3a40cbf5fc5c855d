#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The surface the window's drawings are made on, in each drawing's own units: x to the right,
// y downward, one unit a pixel of the window's face. Every front end has one, which scales the
// drawing to where it shows it.
namespace talveno::window {

struct Colour {
    std::uint8_t red, green, blue;
    bool operator==(const Colour&) const = default;
};

struct Point {
    double x, y;
};

struct Size {
    double width, height;
};

struct Rect {
    double left, top, width, height;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    // Whether the insides of the two overlap; boxes that only touch do not.
    bool intersects(const Rect& other) const;
    Rect united(const Rect& other) const;
    Rect widened(double byEachSide) const;
};

// Dashed: dashes four pen widths long with gaps of two.
struct Pen {
    Colour colour;
    double width = 1;
    bool dashed = false;
};

// An outline, a fill, or both.
struct Paint {
    std::optional<Pen> outline;
    std::optional<Colour> fill;
};

// The window's face at a pixel size.
struct Font {
    int pixels = 12;
    bool bold = false;
    bool italic = false;
};

// Where a text's anchor point lies along its base line.
enum class Anchor { Start, Middle, End };

struct TextStyle {
    Font font;
    Colour colour;
    Anchor anchor = Anchor::Start;
    double rotation = 0;  // degrees, clockwise, about the anchor point
    // What the text is, for readers of the drawing (a class in the page's SVG).
    std::string_view role = {};
};

// How far a text reaches along its base line, and the face's reach above and below it.
struct TextExtent {
    double width, ascent, descent;
    double height() const { return ascent + descent; }
};

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual TextExtent measure(std::string_view text, const Font& font) const = 0;
};

class Canvas : public TextMeasure {
  public:
    virtual void polyline(std::span<const Point> points, const Pen& pen) = 0;
    virtual void circle(Point centre, double radius, const Paint& paint) = 0;
    // Corners rounded with the radius; 0 for square ones.
    virtual void rectangle(const Rect& box, const Paint& paint, double cornerRadius) = 0;
    // A text whose base line passes through the point, anchored there as the style says.
    virtual void text(Point anchor, std::string_view text, const TextStyle& style) = 0;
    // What is drawn while a clip is set shows only inside its box; nothing clears it.
    virtual void clip(const std::optional<Rect>& box) = 0;

    void line(Point from, Point to, const Pen& pen);
};

// Where a text lies across its base line: on it, centred on the point, or hanging from it.
enum class Across { Baseline, Middle, Top };

// A text placed with its anchor point at the point as the style says along the base line, and
// as `across` says across it (turned with the text).
void placeText(Canvas& canvas, Point at, std::string_view text, const TextStyle& style,
               Across across);

// A text centred across the box, at its left edge, middle or right edge as the anchor says.
void textInBox(Canvas& canvas, const Rect& box, std::string_view text, const TextStyle& style);

// The characters of a UTF-8 text, one by one.
std::vector<std::string_view> characters(std::string_view text);

// A text broken into lines no wider than the room, between any two characters; a character
// wider than the room has a line of its own.
std::vector<std::string> wrapped(const TextMeasure& measure, std::string_view text,
                                 const Font& font, double room);

}  // namespace talveno::window
