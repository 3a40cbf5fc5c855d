#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/stiffness_curves.h"
#include "core/stiffness_unit.h"

// The points of rows' stiffness curves as CSV for a spreadsheet: UTF-8 with a byte order mark
// (so that Excel reads the Japanese headers), a header line, then a line per point with the row
// number, temperature, loading time, PI, Cv in %, Sbit, Smix and a note; CR LF line ends and
// numbers with a full stop whatever the locale.
namespace talveno {

// The byte order mark and the header line, the stiffness headers in the unit.
std::string curvesCsvHeader(StiffnessUnit unit);

// The header line alone, its fields parted by the separator: a comma, or a tab for the same
// columns as tab-separated text, as a spreadsheet takes them from the clipboard.
std::string curvesHeaderLine(StiffnessUnit unit, char separator);

// Appends a line per point of row `row`: temperature and loading time, Sbit and Smix as the
// shortest texts that read back as the same doubles, PI and Cv as the result table writes them.
// A point without Sbit and Smix leaves them empty; the note is curvePointNote's.
void appendCurvesCsvLines(std::string& lines, int row, const CurveRow& curveRow,
                          std::span<const CurvePoint> points, char separator = ',');

// A field as CSV has it: in double quotes, each doubled, when it holds the separator, a quote or
// a line break.
void appendCsvField(std::string& line, std::string_view field, char separator = ',');

}  // namespace talveno
