#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/byte_streams.h"
#include "formats/fields.h"
#include "formats/token_scanner.h"
#include "tables/columns.h"
#include "tables/table.h"

// What the input data file and the result file share: two header lines, then one line per
// filled row of a table, each a row number and one field per data column.
namespace talveno::data_file {

// How the first token of a record, the row number, must be written.
enum class RowNumberToken { Integer, Decimal };

// The values of a record, in column order from column 1.
template <std::size_t N>
using Record = std::array<double, N>;

// The text a read writes into the cell of a value in its column's form: the fixed-point form
// with its decimals, or the exponent form (4 significant digits, at least 2 exponent digits);
// appended. Returns the number the text reads as.
double appendCellText(std::string& out, double value, const columns::Column& column);

// The field of a cell's text in its column, appended: the number read from the text and written
// anew; throws the number message naming the text when it holds none.
void appendCellField(std::string& out, std::string_view cell, const columns::Column& column);

// Appends the data line of a row: its number, the field of each cell in column order (the text
// of column c is cellOf(c), from 1), then CR LF. Each field is written as soon as its cell is read.
template <typename CellOf>
void appendDataLine(std::string& out, int row, CellOf&& cellOf,
                    std::span<const columns::Column> columns) {
    fields::appendRowNumberField(out, row);
    for (std::size_t i = 0; i < columns.size(); ++i)
        appendCellField(out, cellOf(static_cast<int>(i) + 1), columns[i]);
    out += "\r\n";
}

// Reads the records of a file one at a time, after its two header lines, which are skipped
// whatever they hold. Blanks after the last record make no record; a record cut short by the
// end of the file is refused. A value whose cell form could not be read again is no number.
// A file without a record that is empty, or whose header lines are no text, is no data file:
// a file of some other kind chosen by mistake, which must not read as a table without rows.
template <std::size_t N>
class RecordReader {
  public:
    // fileName: the file as the user chose it, for the failures of a file that is none.
    RecordReader(ByteSource source, std::string_view fileName, RowNumberToken rowNumber,
                 std::span<const columns::Column, N> columns);
    RecordReader(std::string_view bytes, std::string_view fileName, RowNumberToken rowNumber,
                 std::span<const columns::Column, N> columns);

    // The next record; false after the last. Throws the record failure with the file line
    // where reading stopped, the failure of more records than a table may have data rows, or,
    // at the end of a file without a record, the failure of an empty file or of one that is no
    // text.
    bool next(Record<N>& record);

    // How many bytes of the file were read so far.
    std::uint64_t bytesRead() const { return scanner_.bytesRead(); }

  private:
    // Skips the header lines, noting whether the file is empty and whether they are text.
    void start();

    TokenScanner scanner_;
    std::string fileName_;
    RowNumberToken rowNumber_;
    std::span<const columns::Column, N> columns_;
    std::size_t count_ = 0;
    bool started_ = false;
    bool empty_ = false;
    bool headerText_ = true;
};

// Writes the whole file into the sink a block at a time: the header lines (already in CP932,
// each ending in CR LF), then a line for each filled row. A cell that is no number throws the
// number message naming its text; the blocks before it have gone to the sink.
void writeFile(const Table& table, std::string_view headerLines,
               std::span<const columns::Column> columns, const ByteSink& out);

// The whole file's bytes, as writeFile writes them.
std::string fileBytes(const Table& table, std::string_view headerLines,
                      std::span<const columns::Column> columns);

// All records of a file's bytes, or of a byte stream, with the failures of RecordReader.
template <std::size_t N>
std::vector<Record<N>> parseRecords(std::string_view bytes, std::string_view fileName,
                                    RowNumberToken rowNumber,
                                    std::span<const columns::Column, N> columns);
template <std::size_t N>
std::vector<Record<N>> readRecords(const ByteSource& source, std::string_view fileName,
                                   RowNumberToken rowNumber,
                                   std::span<const columns::Column, N> columns);

// Empties columns 1 to N of every row the table holds (rows 1 to n at least), then writes
// record k into row k in the cell form of each column, beyond the row count too. The new texts
// are made aside first: where memory runs out, the table stays as it was.
template <std::size_t N>
void applyRecords(Table& table, int n, const std::vector<Record<N>>& records,
                  std::span<const columns::Column, N> columns);

// The header lines in CP932, each with its CR LF.
std::string headerLines(std::initializer_list<std::string_view> utf8Lines);

}  // namespace talveno::data_file
