#pragma once

#include <cmath>
#include <cstdint>

#include "core/messages.h"

// Extended-precision arithmetic with the floating-point faults detected where they arise, so
// that the first fault in evaluation order decides the message.
//
// Real is the widest floating type the platform has: the x87 80-bit format (64-bit mantissa) on
// x86; on arm64 and in WebAssembly the 128-bit format, computed in software, whose logarithm and
// exponential WebAssembly's C library takes in double precision; double where long double is
// double (MSVC). A, n and every result are rounded to doubles, so the platforms agree except for a
// value at a rounding boundary: a hundredfold PI or thousandfold Cv within the narrower format's
// last bits of a half, or an A or n within them of a point halfway between two doubles. Where Real
// is double, 1 + 50 A may also cancel to 0 (division by zero) where a wider format keeps a
// remainder (an invalid operation beyond the 64-bit range).
namespace talveno::extended {

using Real = long double;

// ln 10, to the precision of the widest format (the digits carry the 113 bits of the 128-bit one).
inline constexpr Real kLn10 = 2.302585092994045684017991454684364208L;

// a / b; b = 0 is a division by zero, or an invalid operation when a = 0 too.
inline Real divide(Real a, Real b) {
    if (b == 0) throw a == 0 ? messages::invalidOperation() : messages::divisionByZero();
    const Real quotient = a / b;
    if (std::isinf(quotient)) throw messages::overflow();
    return quotient;
}

// Natural logarithm; 0 is a division by zero, a negative argument an invalid operation.
// Out of line, so that the logarithm of a constant is never folded at compile time to a value
// other than the library's: log10 800 - log10 pen must be 0 for pen = 800.
Real ln(Real x);

// Base-10 logarithm, formed as ln x / ln 10.
inline Real log10(Real x) {
    return ln(x) / kLn10;
}

// e^x; a result beyond the extended range is an overflow.
Real exp(Real x);

// Nearest integer, halves to the even neighbour (the default rounding mode); beyond the 64-bit
// range [-2^63, 2^63) an invalid operation.
inline std::int64_t roundToInt64(Real x) {
    constexpr Real kLimit = 9223372036854775808.0L;  // 2^63, exact in the extended format
    const Real rounded = std::rint(x);
    if (!(rounded >= -kLimit && rounded < kLimit)) throw messages::invalidOperation();
    return static_cast<std::int64_t>(rounded);
}

// Stores x as a double; a magnitude beyond the double range is an overflow.
inline double toDouble(Real x) {
    const double stored = static_cast<double>(x);
    if (std::isinf(stored)) throw messages::overflow();
    return stored;
}

}  // namespace talveno::extended
