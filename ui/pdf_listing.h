#pragma once

#include <memory>
#include <string>

#include "print/listing_sink.h"

// Printed listings as PDF, for a program without a window.
namespace talveno::ui {

// Qt's drawing for a program without a window: while it lives there is a GUI application on
// the offscreen platform (none is made where one exists already), so no display is needed.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    struct Application;
    std::unique_ptr<Application> application_;
};

// The listing drawn by the print stream on A4 pages, in the listing font, as the bytes of a
// PDF file. The printable area is that of a usual printer: all but 18 points left and right
// and 36 points at the top and the foot. Needs a GUI application (OffscreenGui).
std::string pdfListing(const Listing& listing);

}  // namespace talveno::ui
