#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/stiffness_unit.h"
#include "disk/file_calculation.h"

// The printed listings the batch command writes beside the result file.
namespace talveno::batch {

// A listing asked for: that of the input data file or that of the results, the file it goes to
// and the data name in its title.
struct ListingRequest {
    enum class Kind { Input, Result } kind;
    std::string path;
    std::string dataName;
    StiffnessUnit unit;
};

bool isPdfListing(std::string_view path);
// Whether this program was built with Qt, which draws the PDF listings: whether the module that
// draws them is beside it and loads.
bool pdfListingsAvailable();

// The listing as an output of the calculation, written as its rows come into the file that
// `open` opens: a PDF of A4 pages drawn as the printer draws it when the name ends in ".pdf"
// (any case), else the lines handed to the printer as UTF-8 text with LF line ends, the seven
// empty top lines included and no page breaks.
std::unique_ptr<CalculationOutput> listingOutput(
    const ListingRequest& request, const std::function<file_system::FileReplacement()>& open);

}  // namespace talveno::batch
