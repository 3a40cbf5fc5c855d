#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/fields.h"
#include "files/token_scanner.h"
#include "tables/table.h"

namespace talveno::file_system {
class InputFile;
}

// What the input data file and the result file share: two header lines, then one line per
// filled row of a table, each a row number and one field per data column.
namespace talveno::data_file {

// The field of a data column and the form of its cell after reading: the fixed field of that
// width and decimals, or the exponent field (12 characters) when decimals is negative.
struct FieldFormat {
    int width;
    int decimals;
};
inline constexpr FieldFormat kExponent{12, -1};

// How the first token of a record, the row number, must be written.
enum class RowNumberToken { Integer, Decimal };

// The values of a record, in column order from column 1.
template <std::size_t N>
using Record = std::array<double, N>;

// The text a read writes into the cell of a value: the fixed-point form with the field's
// decimals, or the exponent form (4 significant digits, at least 2 exponent digits); appended.
// Returns the number the text reads as.
double appendCellText(std::string& out, double value, FieldFormat field);

// The field of a cell's text, appended: the number read from the text and written anew; throws
// the number message naming the text when it holds none.
void appendCellField(std::string& out, std::string_view cell, FieldFormat field);

// Appends the data line of a row: its number, the field of each cell in column order (the text
// of column c is cellOf(c), from 1), then CR LF. Each field is written as soon as its cell is read.
template <typename CellOf>
void appendDataLine(std::string& out, int row, CellOf&& cellOf,
                    std::span<const FieldFormat> fields) {
    fields::appendRowNumberField(out, row);
    for (std::size_t i = 0; i < fields.size(); ++i)
        appendCellField(out, cellOf(static_cast<int>(i) + 1), fields[i]);
    out += "\r\n";
}

// Reads the records of a file one at a time, after its two header lines, which are skipped
// whatever they hold. Blanks after the last record make no record; a record cut short by the
// end of the file is refused. A value whose cell form could not be read again is no number.
template <std::size_t N>
class RecordReader {
  public:
    RecordReader(TokenScanner::Source source, RowNumberToken rowNumber,
                 std::span<const FieldFormat, N> fields);
    RecordReader(std::string_view bytes, RowNumberToken rowNumber,
                 std::span<const FieldFormat, N> fields);

    // The next record; false after the last. Throws the record failure with the file line
    // where reading stopped, or the failure of more records than a table may have data rows.
    bool next(Record<N>& record);

    // How many bytes of the file were read so far.
    std::uint64_t bytesRead() const { return scanner_.bytesRead(); }

  private:
    TokenScanner scanner_;
    RowNumberToken rowNumber_;
    std::span<const FieldFormat, N> fields_;
    std::size_t count_ = 0;
    bool started_ = false;
};

// The whole file: the header lines (already in CP932, each ending in CR LF), then a line for
// each filled row. Every cell is checked before anything is written; a cell that is no number
// throws the number message naming its text.
std::string fileBytes(const Table& table, std::string_view headerLines,
                      std::span<const FieldFormat> fields);

// The records of a file's bytes, or of an open file, after its two header lines. A
// value whose cell form could not be read again is no number. Throws the record failure with
// the file line where reading stopped.
template <std::size_t N>
std::vector<Record<N>> parseRecords(std::string_view bytes, RowNumberToken rowNumber,
                                    std::span<const FieldFormat, N> fields);
template <std::size_t N>
std::vector<Record<N>> readRecordFile(file_system::InputFile& file, RowNumberToken rowNumber,
                                      std::span<const FieldFormat, N> fields);

// Empties columns 1 to N of every row the table holds (rows 1 to n at least), then writes
// record k into row k in the cell form of each column, beyond the row count too.
template <std::size_t N>
void applyRecords(Table& table, int n, const std::vector<Record<N>>& records,
                  std::span<const FieldFormat, N> fields);

// The header lines in CP932, each with its CR LF. Encoded as the program starts, while the
// converter can surely be loaded; nothing when it cannot.
std::optional<std::string> headerLines(std::initializer_list<std::string_view> utf8Lines);

// The header lines encoded; throws the I/O failure when the converter was missing.
const std::string& encoded(const std::optional<std::string>& lines);

}  // namespace talveno::data_file
