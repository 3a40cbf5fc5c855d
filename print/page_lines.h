#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "print/drawing_surface.h"

namespace talveno {

// The pages of a listing as lines of text, for a printing side that lays out each line itself in
// the printer's font: the texts the print stream draws at one height, each where the last ended,
// make one line. The page size and the font's character height and widths come from the
// printing side, each character measured once; a text is as wide as its characters together,
// as in a face without kerning.
class PageLines : public DrawingSurface {
  public:
    struct Metrics {
        int pageWidth;
        int pageHeight;
        int characterHeight;
        // The width of one character, given as its UTF-8 text, in device units.
        std::function<double(std::string_view)> characterWidth;
    };

    struct Line {
        int x;
        int y;
        std::string text;
        bool startsPage;  // the first line of a page after the first
    };

    explicit PageLines(Metrics metrics);

    int pageWidth() const override { return metrics_.pageWidth; }
    int pageHeight() const override { return metrics_.pageHeight; }
    int characterHeight() const override { return metrics_.characterHeight; }
    int textWidth(std::string_view text) const override;
    void drawText(int x, int y, std::string_view text) override;
    void newPage() override { pageBegun_ = true; }

    // The lines drawn since the last call; a part of a listing taken after its line end.
    std::vector<Line> take();

  private:
    double characterWidth(std::string_view character) const;

    Metrics metrics_;
    mutable std::array<double, 128> asciiWidths_;
    mutable std::unordered_map<std::string, double> otherWidths_;
    std::vector<Line> lines_;
    bool pageBegun_ = false;
};

}  // namespace talveno
