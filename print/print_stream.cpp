#include "print/print_stream.h"

#include <vector>

namespace talveno {

namespace {

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the first character of a UTF-8 text.
std::size_t firstCharacterLength(std::string_view text) {
    std::size_t end = 1;
    while (end < text.size() && continuesCharacter(text[end])) ++end;
    return end;
}

// The length of the longest run of whole characters from the start of the text that is at
// most `room` wide; the text as a whole is wider.
std::size_t fittingLength(const DrawingSurface& surface, std::string_view text, int room) {
    if (room <= 0) return 0;
    std::vector<std::size_t> ends;
    for (std::size_t end = 1; end <= text.size(); ++end)
        if (end == text.size() || !continuesCharacter(text[end])) ends.push_back(end);
    // The first `fit` characters fit, the first `wide` do not.
    std::size_t fit = 0;
    std::size_t wide = ends.size();
    while (wide - fit > 1) {
        const std::size_t middle = fit + (wide - fit) / 2;
        if (surface.textWidth(text.substr(0, ends[middle - 1])) <= room)
            fit = middle;
        else
            wide = middle;
    }
    return fit == 0 ? 0 : ends[fit - 1];
}

}  // namespace

void PrintStream::write(std::string_view text) {
    while (!text.empty()) {
        const int width = surface_.textWidth(text);
        if (x_ + width <= surface_.pageWidth()) return draw(text, width);
        std::size_t cut = fittingLength(surface_, text, surface_.pageWidth() - x_);
        // A character wider than the whole page is drawn alone on its line.
        if (cut == 0 && x_ == 0) cut = firstCharacterLength(text);
        if (cut == text.size()) return draw(text, width);
        if (cut > 0) draw(text.substr(0, cut), surface_.textWidth(text.substr(0, cut)));
        endLine();
        text.remove_prefix(cut);
    }
}

void PrintStream::endLine() {
    const int height = lineHeight_;
    x_ = 0;
    y_ += height > 0 ? height : surface_.characterHeight();
    if (y_ > surface_.pageHeight() - 2 * height) {
        y_ = 0;
        pageBreakPending_ = true;
    }
    lineHeight_ = 0;
}

void PrintStream::draw(std::string_view text, int width) {
    // The next page begins with the first text drawn on it, so a listing that ends at the
    // foot of a page ejects no blank sheet.
    if (pageBreakPending_) {
        surface_.newPage();
        pageBreakPending_ = false;
    }
    surface_.drawText(x_, y_, text);
    x_ += width;
    const int height = surface_.characterHeight();
    if (height > lineHeight_) lineHeight_ = height + 2;
}

}  // namespace talveno
