#pragma once

#include <string_view>

#include "print/drawing_surface.h"
#include "print/listing_sink.h"

namespace talveno {

// Places a listing's texts top to bottom on the pages of a drawing surface, starting at the
// top-left corner of the first page. Each text is drawn where the last one ended; a text too
// wide for the room left on the line is cut after its last whole character that fits and
// goes on at the start of the next line. A line is as high as its texts plus 2 units, or one
// character height when empty. A new page begins when the next line would start below the
// page height less twice the height of the line just ended; the title and headers are not
// repeated on it.
class PrintStream : public ListingSink {
  public:
    explicit PrintStream(DrawingSurface& surface) : surface_(surface) {}

    void write(std::string_view text) override;
    void endLine() override;

  private:
    // Draws the text at the current position and moves right past it.
    void draw(std::string_view text, int width);

    DrawingSurface& surface_;
    int x_ = 0;
    int y_ = 0;
    // 0 while nothing was drawn on the line.
    int lineHeight_ = 0;
    bool pageBreakPending_ = false;
};

}  // namespace talveno
