#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// Empties columns 1 to N of rows 1 to n, then writes record k into row k in the cell form of
// each column, beyond the row count too.
template <std::size_t N>
void applyRecords(Table& table, int n, const std::vector<Record<N>>& records,
                  std::span<const FieldFormat, N> fields);

// The header lines in CP932, each with its CR LF. Encoded as the program starts, while the
// converter can surely be loaded; nothing when it cannot.
std::optional<std::string> headerLines(std::initializer_list<std::string_view> utf8Lines);

// The header lines encoded; throws the I/O failure when the converter was missing.
const std::string& encoded(const std::optional<std::string>& lines);

}  // namespace talveno::data_file
