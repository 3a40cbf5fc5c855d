// The PDF listings as a module that the batch command loads only when it is asked for one, so
// that its other runs start without Qt.

#include <memory>

#include "qt_paint/pdf_listing.h"

namespace {

using namespace talveno;

// A PDF listing with Qt's drawing, which comes up with the first of them and stays while any
// is drawn.
class PdfListingDocument : public ListingDocument {
  public:
    explicit PdfListingDocument(std::function<void(std::string_view)> out)
        : gui_(sharedGui()), stream_(std::move(out)) {}

    void write(std::string_view text) override { stream_.write(text); }
    void endLine() override { stream_.endLine(); }
    void finish() override { stream_.finish(); }

  private:
    static std::shared_ptr<ui::OffscreenGui> sharedGui() {
        static std::weak_ptr<ui::OffscreenGui> current;
        std::shared_ptr<ui::OffscreenGui> gui = current.lock();
        if (!gui) current = gui = std::make_shared<ui::OffscreenGui>();
        return gui;
    }

    std::shared_ptr<ui::OffscreenGui> gui_;
    ui::PdfListingStream stream_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ListingDocument* talvenoOpenPdfListing(
    std::function<void(std::string_view)> out) {
    return new PdfListingDocument(std::move(out));
}

// The exported name is the one the batch command looks for.
static_assert(kOpenPdfListing == std::string_view("talvenoOpenPdfListing"));
static_assert(std::is_same_v<OpenListingDocument, decltype(&talvenoOpenPdfListing)>);
