#pragma once

#include <string>
#include <string_view>

// The number fields of the data files and the printed listings.
namespace talveno::fields {

// The fixed field: the fixed-point text with `decimals` decimals, padded on the left with
// blanks to `width` characters; a longer text is written whole.
std::string fixedField(double value, int width, int decimals);

// The exponent field, 12 characters: a blank (or "-" for a negative number, also -0), one
// digit, the point, three digits, "E", the exponent's sign and four exponent digits.
std::string exponentField(double value);

// The fields as the data files write them: a value whose text fills or exceeds its field gets
// one blank before it, so that it stays apart from the value before it. Values that fit are
// written exactly as by fixedField and exponentField.
std::string separatedFixedField(double value, int width, int decimals);
std::string separatedExponentField(double value);

// The separated fields of a cell's text appended to the end of `out`: the number read from the
// text and written anew; throws the number message naming the text when it holds none. A text
// that is its own form is copied as it stands, which gives the same field.
void appendSeparatedFixedField(std::string& out, std::string_view cell, int width, int decimals);
void appendSeparatedExponentField(std::string& out, std::string_view cell);

// The row number right-aligned in 3 characters (whole when longer), then one blank.
std::string rowNumberField(int row);
void appendRowNumberField(std::string& out, int row);

}  // namespace talveno::fields
