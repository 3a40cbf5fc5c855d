#pragma once

#include <string_view>

// The printer's side of a print job: the pages of the printable area, in device units, and
// a font to measure and draw texts with. Texts are UTF-8.
namespace talveno {

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;

    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int textWidth(std::string_view text) const = 0;
    // The height of the font's characters, the same for every text.
    virtual int characterHeight() const = 0;
    // Draws the text with its top-left corner at (x, y); (0, 0) is the top-left corner of the
    // printable area.
    virtual void drawText(int x, int y, std::string_view text) = 0;
    // Ejects the page and goes on with the next.
    virtual void newPage() = 0;
};

}  // namespace talveno
