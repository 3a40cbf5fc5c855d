#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts of the table cells: how a cell is read as a number, and the two forms in which
// numbers are written back into cells. The decimal point is always ".", whatever the locale.
namespace talveno {

// Optional spaces, an optional sign, decimal digits with an optional decimal point, an
// optional exponent (E or e, optional sign, digits), optional spaces. Values beyond the double
// range are no number; values below it underflow silently.
std::optional<double> tryParseNumber(std::string_view text);

// As tryParseNumber; throws the number message naming the text when it is no number.
double parseNumber(std::string_view text);

// Fixed-point form: optional "-", at least one digit, the point and exactly `decimals`
// digits, rounded half away from zero on the number's shortest decimal form. A negative value
// that rounds to zero keeps its minus sign. The append form adds it to the end of a text and
// returns the number the form reads as, what parseNumber gives for it.
std::string fixedText(double value, int decimals);
double appendFixedText(std::string& text, double value, int decimals);

// Exponent form: optional "-", one digit, the point, `significant - 1` digits, "E", the
// exponent's sign and at least `exponentDigits` digits; the mantissa rounded half away from
// zero on the shortest decimal form.
std::string exponentText(double value, int significant = 4, int exponentDigits = 2);
void appendExponentText(std::string& text, double value, int significant = 4,
                        int exponentDigits = 2);

// Whether the text is its own fixed-point form with these decimals, so that
// fixedText(parseNumber(text), decimals) gives it back: an optional "-", digits without a leading
// zero (or a lone 0), the point and `decimals` digits, at most 15 digits in all, which the double
// read from the text keeps.
bool isOwnFixedText(std::string_view text, int decimals);

// The exponent of a text that is its own exponent form of 4 significant digits but for the count
// of exponent digits: an optional "-", a digit from 1 to 9, the point, three digits, "E", the
// exponent's sign and digits, within ±300. exponentText(parseNumber(text), 4, n) writes the same
// sign, digits and exponent for any n. Nothing for any other text.
std::optional<int> ownExponentTextExponent(std::string_view text);

// The shortest decimal text that reads back as the same double ("45", "-135.5", "1e+300").
std::string shortestText(double value);

}  // namespace talveno
