#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/stiffness_unit.h"
#include "formats/byte_streams.h"
#include "tables/table.h"

// The result file (*.mpa, *.kgf): a header line, the unit line, then one line per filled row
// of the result table with its row number, six fixed fields and two exponent fields; CP932
// text with CR LF line ends.
namespace talveno {

// The eight values of a data line: penetration, softening point, penetration index, loading
// time, temperature, aggregate volume concentration in %, Sbit and Smix (result columns 1 to
// 8).
using ResultRecord = std::array<double, 8>;

// Writes the file for the filled rows of the result table into the sink, a block at a time,
// its unit line in the unit given (the unit chosen when saving). Throws the number message
// naming the first cell that holds no number.
void writeResultFile(const Table& result, StiffnessUnit unit, const ByteSink& out);

// The file's bytes, as writeResultFile writes them.
std::string resultFileBytes(const Table& result, StiffnessUnit unit);

// The header line and the unit line in the unit, each with its CR LF.
const std::string& resultFileHeaderLines(StiffnessUnit unit);

// Appends the data line of result row `row` from the texts of its cells (columns 1 to 8).
// Throws the number message naming the first cell that holds no number.
void appendResultFileLine(std::string& out, int row, const std::array<std::string_view, 8>& cells);

// The records of a file's bytes or of a byte stream; the unit line is not looked at. A failure
// is thrown before any table is touched, as parseInputDataFile throws it.
std::vector<ResultRecord> parseResultFile(std::string_view bytes, std::string_view fileName);
std::vector<ResultRecord> readResultFile(const ByteSource& source, std::string_view fileName);

// Empties columns 1 to 8 of every row the table holds (rows 1 to n at least), then writes
// record k into row k (beyond the row count too) in the cell forms of a calculation run: fixed
// point (2 decimals for the penetration index, 3 for the loading time, else 1) and the exponent
// form for Sbit and Smix.
void applyResultFile(Table& result, int n, const std::vector<ResultRecord>& records);

}  // namespace talveno
