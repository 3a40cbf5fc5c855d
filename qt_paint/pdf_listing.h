#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "print/listing_document.h"

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

// A listing drawn by the print stream on A4 pages of a PDF as its texts come; the bytes of the
// PDF go to `out` as Qt writes them, the last ones when it is finished. Needs a GUI application
// (OffscreenGui).
class PdfListingStream : public ListingDocument {
  public:
    explicit PdfListingStream(std::function<void(std::string_view bytes)> out);
    ~PdfListingStream() override;
    PdfListingStream(const PdfListingStream&) = delete;
    PdfListingStream& operator=(const PdfListingStream&) = delete;

    void write(std::string_view text) override;
    void endLine() override;
    // Ends the last page; throws the print job failure when the PDF could not be written.
    void finish() override;

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The listing drawn by the print stream on A4 pages, in the listing font, as the bytes of a
// PDF file. The printable area is that of a usual printer: all but 18 points left and right
// and 36 points at the top and the foot. Needs a GUI application (OffscreenGui).
std::string pdfListing(const Listing& listing);

}  // namespace talveno::ui
