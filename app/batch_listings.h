#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/listing_sink.h"

// The printed listings the batch command writes beside the result file.
namespace talveno::batch {

// A listing and the file it goes to: a PDF of A4 pages drawn as the printer draws it when the
// name ends in ".pdf" (any case), else the lines handed to the printer as UTF-8 text with LF
// line ends, the seven empty top lines included and no page breaks.
struct ListingFile {
    std::string path;
    Listing listing;
};

bool isPdfListing(std::string_view path);
// Whether this program was built with Qt, which draws the PDF listings.
bool pdfListingsAvailable();

// Writes each listing to its file, each replacing an existing file only once complete. All
// are drawn before the first is written.
void writeListings(const std::vector<ListingFile>& listings);

}  // namespace talveno::batch
