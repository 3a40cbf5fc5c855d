#include "app/batch_listings.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>

#include "files/file_failures.h"
#include "files/file_system.h"
#include "print/listings.h"
#ifdef TALVENO_PDF_LISTINGS
#include "ui/pdf_listing.h"
#endif

namespace talveno::batch {

namespace {

#ifdef TALVENO_PDF_LISTINGS
constexpr bool kPdfListings = true;

// Qt draws the PDF listings; its GUI application comes up with the first of them.
class PdfDrawing {
  public:
    std::string draw(const Listing& listing) {
        if (!gui_) gui_.emplace();
        return ui::pdfListing(listing);
    }

  private:
    std::optional<ui::OffscreenGui> gui_;
};
#else
constexpr bool kPdfListings = false;

// The command refuses PDF listings before it starts.
class PdfDrawing {
  public:
    std::string draw(const Listing&) { throw std::logic_error("no PDF listings in this build"); }
};
#endif

}  // namespace

bool isPdfListing(std::string_view path) {
    constexpr std::string_view kPdf = ".pdf";
    return path.size() >= kPdf.size() &&
           std::equal(kPdf.begin(), kPdf.end(), path.end() - kPdf.size(), [](char pdf, char c) {
               return pdf == std::tolower(static_cast<unsigned char>(c));
           });
}

bool pdfListingsAvailable() {
    return kPdfListings;
}

void writeListings(const std::vector<ListingFile>& listings) {
    PdfDrawing pdf;
    std::vector<std::string> bytes;
    for (const ListingFile& file : listings)
        bytes.push_back(isPdfListing(file.path) ? pdf.draw(file.listing)
                                                : listingText(file.listing));
    for (std::size_t i = 0; i < listings.size(); ++i)
        file_failures::onFile(file_failures::FileRole::Output, listings[i].path,
                              [&] { file_system::replaceFile(listings[i].path, bytes[i]); });
}

}  // namespace talveno::batch
