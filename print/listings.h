#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/stiffness_unit.h"
#include "print/drawing_surface.h"
#include "print/listing_sink.h"
#include "tables/columns.h"
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

// The parts of a listing for one that is written as its rows come: the lines before the rows,
// and the line of one row from the texts of its cells (input columns 1 to 6, result columns 1
// to 8), each field going to the sink as soon as its cell is read.
void writeInputListingHead(std::string_view dataName, ListingSink& sink);
void writeResultListingHead(StiffnessUnit unit, std::string_view dataName, ListingSink& sink);
void writeInputListingRow(int row, std::span<const std::string_view, 6> cells, ListingSink& sink);
void writeResultListingRow(int row, std::span<const std::string_view, 8> cells, ListingSink& sink);

// The listing as UTF-8 text, each line ended by LF.
std::string listingText(const Listing& listing);

// A table's listing written a part at a time, so that a front end keeps answering while it
// draws a long one: the head, then the table's filled rows as they were when it began. The
// table must not change meanwhile.
class ListingInParts {
  public:
    static ListingInParts ofInput(const Table& input, std::string_view dataName);
    // The unit line names the unit given.
    static ListingInParts ofResults(const Table& result, StiffnessUnit unit,
                                    std::string_view dataName);

    // Writes the head on the first call, then up to `rows` further rows; false once the last row
    // has been written. A cell that holds no number throws the number message naming its text.
    bool writeNext(ListingSink& sink, int rows);

    // The pages the print stream fills with the listing on the surface, known before any row is
    // read: each row takes one line, as it does while its values fit their fields.
    int pageCount(const DrawingSurface& surface) const;

  private:
    ListingInParts(const Table& table, std::span<const columns::Column> columns,
                   std::string_view title, std::span<const std::string_view, 2> headers,
                   std::string_view dataName);

    const Table* table_;
    std::span<const columns::Column> columns_;
    std::string_view title_;
    std::span<const std::string_view, 2> headers_;
    std::string dataName_;
    int rows_;
    int written_ = -1;  // rows written; -1 before the head
};

}  // namespace talveno
