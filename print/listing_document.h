#pragma once

#include <functional>
#include <string_view>

#include "print/listing_sink.h"

namespace talveno {

// A listing drawn into a document as its texts come; the document's bytes are handed on as
// they are made, the last ones when it is finished.
class ListingDocument : public ListingSink {
  public:
    // Ends the document; throws the print job failure when it could not be made.
    virtual void finish() = 0;
};

// What the module that draws PDF listings exports, under the name kOpenPdfListing: a new PDF
// listing document whose bytes go to `out`.
using OpenListingDocument = ListingDocument* (*)(std::function<void(std::string_view)> out);
inline constexpr const char* kOpenPdfListing = "talvenoOpenPdfListing";

}  // namespace talveno
