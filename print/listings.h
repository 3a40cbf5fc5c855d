#pragma once

#include <string>
#include <string_view>

#include "core/stiffness_unit.h"
#include "print/listing_sink.h"
#include "tables/table.h"

// The printed listings of the input table and the result table: seven empty lines, the title
// line with the data file's name, an empty line, two header lines, then one line per filled
// row with the numbers in the fields of the data files, the fixed fields 10 characters wide.
// Every line that is not empty begins with 15 blanks.
namespace talveno {

// Each field goes to the sink as soon as its cell is read; a cell that holds no number throws
// the number message naming its text, after the texts before it.
void writeInputListing(const Table& input, std::string_view dataName, ListingSink& sink);
// The unit line names the unit given (the unit chosen when printing).
void writeResultListing(const Table& result, StiffnessUnit unit, std::string_view dataName,
                        ListingSink& sink);

// The listing as UTF-8 text, each line ended by LF.
std::string listingText(const Listing& listing);

}  // namespace talveno
