#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <system_error>

#include "core/decimal_conversion.h"
#include "core/messages.h"

namespace talveno {

namespace {

// The powers of ten that are exact doubles.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number text checked against the grammar: the part to convert (a "-" kept, a "+" and the
// surrounding spaces dropped) and, for texts without an exponent of up to 15 digits, the value
// as digits over a power of ten.
struct NumberCore {
    std::string_view text;
    bool negative = false;
    bool simple = false;
    std::uint64_t digits = 0;
    int fractionDigits = 0;
};

std::optional<NumberCore> numberCore(std::string_view text) {
    NumberCore core;
    std::size_t i = 0;
    const std::size_t end = text.size();
    while (i < end && text[i] == ' ') ++i;
    std::size_t start = i;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        core.negative = text[i] == '-';
        if (!core.negative) ++start;
        ++i;
    }
    int digits = 0;
    for (; i < end && isDigit(text[i]); ++i, ++digits)
        core.digits = core.digits * 10 + (text[i] - '0');
    if (i < end && text[i] == '.') {
        for (++i; i < end && isDigit(text[i]); ++i, ++digits, ++core.fractionDigits)
            core.digits = core.digits * 10 + (text[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    core.simple = digits <= 15;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        core.simple = false;
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < end && isDigit(text[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    const std::size_t coreEnd = i;
    while (i < end && text[i] == ' ') ++i;
    if (i != end) return std::nullopt;
    core.text = text.substr(start, coreEnd - start);
    return core;
}

using Decimal = decimal::Digits;

double powerOfTen(int exponent) {
    static constexpr double kSmall[] = {1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1,
                                        1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8};
    if (exponent >= -8 && exponent <= 8) return kSmall[exponent + 8];
    return std::pow(10.0, exponent);
}

// The decimal form to round where the last kept digit has the unit 10^unitExponent: the
// shortest form, unless all of its digits are kept and the double is coarser than that unit,
// where the shortest form may differ from the exact value in kept digits (very large values,
// subnormals). Rounding inside the shortest form agrees with rounding the exact value except
// where the shortest form is itself a half, which then rounds away from zero.
void roundingSource(double magnitude, int unitExponent, Decimal& decimal) {
    const int keep = decimal.pointPosition - unitExponent;
    if (keep < decimal.count) return;
    const double ulp =
        std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    if (ulp < 0.5 * powerOfTen(unitExponent)) return;
    decimal::exact(magnitude, decimal);
}

// Writes the first `keep` digits into out, zero-padded, rounded half away from zero at the
// last of them; returns the number of digits written (keep + 1 after a carry out).
int roundedDigits(const Decimal& decimal, int keep, char* out) {
    if (keep <= 0) {
        if (keep == 0 && decimal.digits[0] >= '5') {
            out[0] = '1';
            return 1;
        }
        return 0;
    }
    for (int i = 0; i < keep; ++i) out[i] = i < decimal.count ? decimal.digits[i] : '0';
    if (keep >= decimal.count || decimal.digits[keep] < '5') return keep;
    for (int i = keep - 1; i >= 0; --i) {
        if (out[i] != '9') {
            ++out[i];
            return keep;
        }
        out[i] = '0';
    }
    out[0] = '1';
    out[keep] = '0';
    return keep + 1;
}

// The value × 10^decimals rounded half away from zero, when the double product decides it:
// below 2^40 the product, and the shortest form scaled alike, lie within 4 × 10^-4 of the
// exact product, so away from a half all three round the same way. Nothing near a half.
std::optional<std::uint64_t> roundedFixed(double magnitude, int decimals) {
    if (decimals < 0 || decimals >= static_cast<int>(std::size(kPowersOfTen))) return std::nullopt;
    const double scaled = magnitude * kPowersOfTen[decimals];
    if (!(scaled < 0x1p40)) return std::nullopt;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < 1e-3) return std::nullopt;
    return static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

// The mantissa of `significant` digits (10^(significant-1) to 10^significant - 1) and the decimal
// exponent, rounded half away from zero, when the scaled double decides it as above: between
// 10^-15 and 10^15 the scale is an exact power of ten, and the scaled value and the shortest
// form scaled alike lie within 10^-7 of the exact one.
struct ScaledMantissa {
    std::uint64_t digits;
    int exponent;
};
std::optional<ScaledMantissa> roundedMantissa(double magnitude, int significant) {
    if (!(magnitude >= 1e-15 && magnitude < 1e15) || significant < 1 || significant > 8)
        return std::nullopt;
    const double low = kPowersOfTen[significant - 1];
    const double high = kPowersOfTen[significant];
    // floor(log10 x) is floor(log2 x × log10 2) or one more.
    int exponent = static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30102999566398120));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = significant - 1 - exponent;
        const double scaled =
            shift >= 0 ? magnitude * kPowersOfTen[shift] : magnitude / kPowersOfTen[-shift];
        if (scaled < low) {
            --exponent;
            continue;
        }
        if (scaled >= high) {
            ++exponent;
            continue;
        }
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) < 1e-6) return std::nullopt;
        auto digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        if (digits == static_cast<std::uint64_t>(high)) {
            digits = static_cast<std::uint64_t>(low);
            ++exponent;
        }
        return ScaledMantissa{digits, exponent};
    }
    return std::nullopt;
}

// Appends the digits of a whole number, at least `minimum` of them (zeros in front).
void appendDigits(std::string& text, std::uint64_t number, int minimum) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(std::max(minimum - static_cast<int>(end - digits), 0), '0');
    text.append(digits, end);
}

// count digits of |value| × 10^decimals after the sign; at least one before the point.
void appendFixedDigits(std::string& text, const char* digits, int count, int decimals) {
    const int leadingZeros = std::max(decimals + 1 - count, 0);
    const int integerDigits = std::max(count - decimals, 1);
    for (int i = 0, written = 0; i < leadingZeros + count; ++i) {
        if (written == integerDigits) text += '.';
        text += i < leadingZeros ? '0' : digits[i - leadingZeros];
        ++written;
    }
}

}  // namespace

std::optional<double> tryParseNumber(std::string_view text) {
    const auto core = numberCore(text);
    if (!core) return std::nullopt;
    if (core->simple) {
        // Up to 15 digits and 10^15 are exact doubles, so one division rounds correctly.
        const double value = static_cast<double>(core->digits) / kPowersOfTen[core->fractionDigits];
        return core->negative ? -value : value;
    }
    // Beyond the largest double no number; below the smallest subnormal an underflow, which
    // passes silently as zero.
    return decimal::parse(core->text);
}

double parseNumber(std::string_view text) {
    const auto value = tryParseNumber(text);
    if (!value) throw messages::notANumber(text);
    return *value;
}

double appendFixedText(std::string& text, double value, int decimals) {
    const std::size_t start = text.size();
    if (std::signbit(value)) text += '-';
    const double magnitude = std::fabs(value);
    if (const auto rounded = roundedFixed(magnitude, decimals)) {
        // The digits from the last, at least one before the point.
        char buffer[48];
        char* const end = buffer + sizeof buffer;
        char* first = end;
        std::uint64_t rest = *rounded;
        for (int i = 0; i < decimals; ++i, rest /= 10)
            *--first = static_cast<char>('0' + rest % 10);
        if (decimals > 0) *--first = '.';
        do {
            *--first = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest > 0);
        text.append(first, end);
        // A form of up to 15 digits reads as its digits over a power of ten, as parsing does.
        if (end - first - (decimals > 0 ? 1 : 0) <= 15) {
            const double number = static_cast<double>(*rounded) / kPowersOfTen[decimals];
            return std::signbit(value) ? -number : number;
        }
        return parseNumber(std::string_view(text).substr(start));
    }
    static thread_local Decimal decimal;
    static thread_local std::string digits;
    int count = 0;
    if (value != 0) {
        decimal::shortest(magnitude, decimal);
        roundingSource(magnitude, -decimals, decimal);
        const int keep = decimal.pointPosition + decimals;
        digits.resize(std::max(keep, 0) + 1);
        count = roundedDigits(decimal, keep, digits.data());
    }
    appendFixedDigits(text, digits.data(), count, decimals);
    return parseNumber(std::string_view(text).substr(start));
}

std::string fixedText(double value, int decimals) {
    std::string text;
    appendFixedText(text, value, decimals);
    return text;
}

void appendExponentText(std::string& text, double value, int significant, int exponentDigits) {
    char mantissa[32];
    int exponent = 0;
    const double magnitude = std::fabs(value);
    if (const auto rounded = roundedMantissa(magnitude, significant)) {
        std::to_chars(mantissa, mantissa + sizeof mantissa, rounded->digits);
        exponent = rounded->exponent;
    } else {
        static thread_local Decimal decimal;
        std::fill(mantissa, mantissa + significant, '0');
        if (value != 0) {
            decimal::shortest(magnitude, decimal);
            roundingSource(magnitude, decimal.pointPosition - significant, decimal);
            exponent = decimal.pointPosition - 1;
            if (roundedDigits(decimal, significant, mantissa) > significant) ++exponent;
        }
    }
    if (std::signbit(value)) text += '-';
    text += mantissa[0];
    if (significant > 1) {
        text += '.';
        text.append(mantissa + 1, significant - 1);
    }
    text += exponent < 0 ? "E-" : "E+";
    appendDigits(text, static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent),
                 exponentDigits);
}

std::string exponentText(double value, int significant, int exponentDigits) {
    std::string text;
    appendExponentText(text, value, significant, exponentDigits);
    return text;
}

bool isOwnFixedText(std::string_view text, int decimals) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    const std::size_t integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == '0')) return false;
    if (decimals == 0) return i == text.size() && integerDigits <= 15;
    if (i == text.size() || text[i] != '.') return false;
    const std::size_t fractionStart = ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i == text.size() && i - fractionStart == static_cast<std::size_t>(decimals) &&
           integerDigits + decimals <= 15;
}

std::optional<int> ownExponentTextExponent(std::string_view text) {
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    if (text.size() < 8 || text[0] < '1' || text[0] > '9' || text[1] != '.' || !isDigit(text[2]) ||
        !isDigit(text[3]) || !isDigit(text[4]) || text[5] != 'E' ||
        (text[6] != '+' && text[6] != '-'))
        return std::nullopt;
    int exponent = 0;
    for (std::size_t i = 7; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        exponent = exponent * 10 + (text[i] - '0');
        if (exponent > 300) return std::nullopt;
    }
    return text[6] == '-' ? -exponent : exponent;
}

std::string shortestText(double value) {
    return decimal::shortestText(value);
}

}  // namespace talveno
