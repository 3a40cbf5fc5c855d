#include "window/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace talveno::window {

bool Rect::intersects(const Rect& other) const {
    return left < other.right() && other.left < right() && top < other.bottom() &&
           other.top < bottom();
}

Rect Rect::united(const Rect& other) const {
    const double unitedLeft = std::min(left, other.left);
    const double unitedTop = std::min(top, other.top);
    return {unitedLeft, unitedTop, std::max(right(), other.right()) - unitedLeft,
            std::max(bottom(), other.bottom()) - unitedTop};
}

Rect Rect::widened(double byEachSide) const {
    return {left - byEachSide, top, width + 2 * byEachSide, height};
}

void Canvas::line(Point from, Point to, const Pen& pen) {
    const Point points[] = {from, to};
    polyline(points, pen);
}

void placeText(Canvas& canvas, Point at, std::string_view text, const TextStyle& style,
               Across across) {
    double down = 0;  // from the point to the base line, across the text
    if (across != Across::Baseline) {
        const TextExtent extent = canvas.measure(text, style.font);
        down = across == Across::Top ? extent.ascent : (extent.ascent - extent.descent) / 2;
    }
    const double turn = style.rotation * std::numbers::pi / 180;
    canvas.text({at.x - down * std::sin(turn), at.y + down * std::cos(turn)}, text, style);
}

void textInBox(Canvas& canvas, const Rect& box, std::string_view text, const TextStyle& style) {
    const double x = style.anchor == Anchor::Start ? box.left
                     : style.anchor == Anchor::End ? box.right()
                                                   : box.left + box.width / 2;
    placeText(canvas, {x, box.top + box.height / 2}, text, style, Across::Middle);
}

// A character's first byte is any but a continuation byte, 10xxxxxx.
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> all;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t next = at + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        all.push_back(text.substr(at, next - at));
        at = next;
    }
    return all;
}

std::vector<std::string> wrapped(const TextMeasure& measure, std::string_view text,
                                 const Font& font, double room) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string_view character : characters(text)) {
        if (!line.empty() && measure.measure(line + std::string(character), font).width > room)
            lines.push_back(std::exchange(line, {}));
        line += character;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace talveno::window
