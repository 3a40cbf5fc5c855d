#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between doubles and their decimal digits, correctly rounded: the standard
// library's floating-point to_chars and from_chars where it has them, else the program's own,
// which give the same digits and values.
namespace talveno::decimal {

// Every double's exact decimal form has at most 767 significant digits.
inline constexpr int kMaxDigits = 767;

// The digits of a positive finite double: value = 0.d1 d2 ... d_count × 10^pointPosition, with
// d1 not 0 and no trailing zero.
struct Digits {
    char digits[kMaxDigits];
    int count = 0;
    int pointPosition = 0;
};

// The fewest digits that read back as the same double; of several, the nearest, a tie going to
// the even last digit.
void shortest(double magnitude, Digits& out);

// The digits of the binary value itself.
void exact(double magnitude, Digits& out);

// The double nearest the number of a text of the form [-]digits[.digits][(e|E)[+|-]digits] with
// at least one digit before the exponent: halves to even, zero with the text's sign below half
// the smallest subnormal, nothing beyond the largest double.
std::optional<double> parse(std::string_view text);

// The shortest text that reads back as the same double, in fixed or exponent form, whichever is
// shorter ("45", "-135.5", "1e+300"), as std::to_chars writes it.
std::string shortestText(double value);

// Whether the standard library's conversions are in use.
bool usesLibrary();

// The program's own conversions, used where the library has none.
namespace own {
void shortest(double magnitude, Digits& out);
void exact(double magnitude, Digits& out);
std::optional<double> parse(std::string_view text);
std::string shortestText(double value);
}  // namespace own

}  // namespace talveno::decimal
