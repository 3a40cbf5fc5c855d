#include "print/page_lines.h"

#include <cmath>
#include <utility>

namespace talveno {

namespace {

constexpr double kUnmeasured = -1;

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

PageLines::PageLines(Metrics metrics) : metrics_(std::move(metrics)) {
    asciiWidths_.fill(kUnmeasured);
}

double PageLines::characterWidth(std::string_view character) const {
    const auto byte = static_cast<unsigned char>(character.front());
    if (byte < asciiWidths_.size()) {
        double& width = asciiWidths_[byte];
        if (width == kUnmeasured) width = metrics_.characterWidth(character);
        return width;
    }
    const std::string key(character);
    const auto known = otherWidths_.find(key);
    if (known != otherWidths_.end()) return known->second;
    return otherWidths_.emplace(key, metrics_.characterWidth(character)).first->second;
}

int PageLines::textWidth(std::string_view text) const {
    double width = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start + 1;
        while (end < text.size() && continuesCharacter(text[end])) ++end;
        width += characterWidth(text.substr(start, end - start));
        start = end;
    }
    return static_cast<int>(std::lround(width));
}

void PageLines::drawText(int x, int y, std::string_view text) {
    if (!pageBegun_ && !lines_.empty() && lines_.back().y == y)
        lines_.back().text += text;
    else
        lines_.push_back({x, y, std::string(text), pageBegun_});
    pageBegun_ = false;
}

std::vector<PageLines::Line> PageLines::take() {
    return std::exchange(lines_, {});
}

}  // namespace talveno
