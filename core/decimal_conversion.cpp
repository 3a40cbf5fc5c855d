#include "core/decimal_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>
#include <vector>

// libstdc++ 11 and later have floating-point to_chars and from_chars; libc++ 14, the library of
// Debian's emscripten, has neither.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define TALVENO_LIBRARY_DECIMAL 1
#endif

namespace talveno::decimal {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A whole number of any size, in 32-bit limbs from the lowest.
class BigInteger {
  public:
    explicit BigInteger(std::uint64_t value = 0) {
        for (; value > 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
    }

    bool isZero() const { return limbs_.empty(); }

    // this = this × factor + addend.
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry > 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    // this = this / divisor, rounded down; returns the remainder.
    std::uint32_t divide(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            const std::uint64_t current = remainder << 32 | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
        return static_cast<std::uint32_t>(remainder);
    }

    void shiftLeft(int bits) {
        if (isZero() || bits == 0) return;
        const std::size_t whole = static_cast<std::size_t>(bits) / 32;
        const int part = bits % 32;
        if (part > 0) {
            std::uint32_t carry = 0;
            for (std::uint32_t& limb : limbs_) {
                const std::uint32_t next = limb >> (32 - part);
                limb = limb << part | carry;
                carry = next;
            }
            if (carry > 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), whole, 0);
    }

    int bitLength() const {
        if (isZero()) return 0;
        return static_cast<int>(32 * (limbs_.size() - 1)) + 32 -
               static_cast<int>(countLeadingZeros(limbs_.back()));
    }

    bool bit(int i) const {
        const std::size_t limb = static_cast<std::size_t>(i) / 32;
        return limb < limbs_.size() && (limbs_[limb] >> (i % 32) & 1) != 0;
    }

    // Whether any bit below position i is set.
    bool anyBelow(int i) const {
        const std::size_t whole = static_cast<std::size_t>(i) / 32;
        for (std::size_t k = 0; k < whole && k < limbs_.size(); ++k)
            if (limbs_[k] != 0) return true;
        return whole < limbs_.size() && i % 32 > 0 &&
               (limbs_[whole] & ((std::uint32_t{1} << (i % 32)) - 1)) != 0;
    }

    // The `count` bits (at most 64) from position `from` on.
    std::uint64_t bits(int from, int count) const {
        std::uint64_t value = 0;
        for (int k = count - 1; k >= 0; --k) value = value << 1 | (bit(from + k) ? 1 : 0);
        return value;
    }

  private:
    static unsigned countLeadingZeros(std::uint32_t limb) {
        unsigned zeros = 0;
        for (std::uint32_t mask = 0x80000000u; (limb & mask) == 0; mask >>= 1) ++zeros;
        return zeros;
    }

    std::vector<std::uint32_t> limbs_;
};

constexpr std::uint32_t kPowersOfTen32[] = {1,      10,      100,      1000,      10000,
                                            100000, 1000000, 10000000, 100000000, 1000000000};

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void multiplyByPowerOfTen(BigInteger& number, int exponent) {
    for (; exponent >= 9; exponent -= 9) number.multiplyAdd(kPowersOfTen32[9], 0);
    if (exponent > 0) number.multiplyAdd(kPowersOfTen32[exponent], 0);
}

// The double nearest number × 2^binaryExponent, where `sticky` says that the number was rounded
// down from a larger one; nothing beyond the largest double.
std::optional<double> nearestDouble(const BigInteger& number, bool sticky, int binaryExponent) {
    const int length = number.bitLength();
    const int exponent = length - 1 + binaryExponent;  // of the leading bit
    if (exponent > 1023) return std::nullopt;
    // The bits a double keeps: 53, fewer for a subnormal.
    const int keep = exponent >= -1022 ? 53 : exponent + 1075;
    if (keep < 0) return 0.0;
    if (keep == 0) {
        // Between 2^-1075 and 2^-1074: the smallest subnormal unless it is the half itself.
        const bool half = !sticky && !number.anyBelow(length - 1);
        return half ? 0.0 : std::numeric_limits<double>::denorm_min();
    }
    const int shift = length - keep;
    if (shift <= 0) return std::ldexp(static_cast<double>(number.bits(0, length)), binaryExponent);
    std::uint64_t top = number.bits(shift, keep);
    const bool roundBit = number.bit(shift - 1);
    const bool rest = sticky || number.anyBelow(shift - 1);
    if (roundBit && (rest || (top & 1) != 0)) ++top;
    const double value = std::ldexp(static_cast<double>(top), shift + binaryExponent);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

// The double nearest 0.d1 d2 ... d_count × 10^pointPosition; `sticky` says that non-zero digits
// were left off after the last. Nothing beyond the largest double.
std::optional<double> valueOfDigits(const char* digits, int count, int pointPosition, bool sticky) {
    if (count == 0) return 0.0;
    // At least 10^309, or below 10^-324 (under half the smallest subnormal).
    if (pointPosition > 310) return std::nullopt;
    if (pointPosition < -323) return 0.0;
    int exponent = pointPosition - count;
    if (count <= 15 && !sticky && exponent >= -22 && exponent <= 22) {
        // Both operands are exact doubles, so one operation rounds correctly.
        std::uint64_t whole = 0;
        for (int i = 0; i < count; ++i) whole = whole * 10 + static_cast<unsigned>(digits[i] - '0');
        const double value = static_cast<double>(whole);
        return exponent >= 0 ? value * kExactPowersOfTen[exponent]
                             : value / kExactPowersOfTen[-exponent];
    }
    BigInteger number;
    for (int i = 0; i < count; i += 9) {
        const int chunk = std::min(9, count - i);
        std::uint32_t value = 0;
        for (int k = 0; k < chunk; ++k)
            value = value * 10 + static_cast<unsigned>(digits[i + k] - '0');
        number.multiplyAdd(kPowersOfTen32[chunk], value);
    }
    if (sticky) {
        // A digit 1 after the last stands for the digits left off: no halfway point between two
        // doubles (at most 767 digits) lies between the digits kept and the whole number.
        number.multiplyAdd(10, 1);
        --exponent;
    }
    if (exponent >= 0) {
        multiplyByPowerOfTen(number, exponent);
        return nearestDouble(number, false, 0);
    }
    // number / 10^m as a quotient of at least 58 bits and whether a remainder was left.
    int m = -exponent;
    const int powerBits = static_cast<int>(m * 3.3219280948873623) + 1;
    const int shift = std::max(0, 58 + powerBits - number.bitLength());
    number.shiftLeft(shift);
    bool remainder = false;
    for (; m >= 9; m -= 9) remainder |= number.divide(kPowersOfTen32[9]) != 0;
    if (m > 0) remainder |= number.divide(kPowersOfTen32[m]) != 0;
    return nearestDouble(number, remainder, -shift);
}

void setDigits(Digits& out, std::string_view digits, int pointPosition) {
    while (!digits.empty() && digits.back() == '0') digits.remove_suffix(1);
    std::memcpy(out.digits, digits.data(), digits.size());
    out.count = static_cast<int>(digits.size());
    out.pointPosition = pointPosition;
}

// 0.d1 ... d_keep × 10^pointPosition raised by one unit of its last digit.
int roundedUp(const Digits& digits, int keep, char* out) {
    std::memcpy(out, digits.digits, static_cast<std::size_t>(keep));
    for (int i = keep - 1; i >= 0; --i) {
        if (out[i] != '9') {
            ++out[i];
            return digits.pointPosition;
        }
        out[i] = '0';
    }
    out[0] = '1';
    return digits.pointPosition + 1;
}

#ifdef TALVENO_LIBRARY_DECIMAL

// The digits of a scientific text written by to_chars, trailing zeros dropped.
void fromScientific(const char* first, const char* last, Digits& out) {
    out.count = 0;
    const char* p = first;
    for (; *p != 'e'; ++p)
        if (*p != '.') out.digits[out.count++] = *p;
    while (out.count > 1 && out.digits[out.count - 1] == '0') --out.count;
    ++p;
    const bool negative = *p == '-';
    int exponent = 0;
    for (++p; p < last; ++p) exponent = exponent * 10 + (*p - '0');
    out.pointPosition = (negative ? -exponent : exponent) + 1;
}

// The decimal order of magnitude of a non-zero number text (a "-" kept): the power of ten of its
// first significant digit. The exponent saturates far beyond any double.
long long decimalOrder(std::string_view text) {
    constexpr long long kSaturated = 1'000'000'000'000LL;
    const std::size_t end = text.size();
    std::size_t i = text[0] == '-' ? 1 : 0;
    while (i < end && text[i] == '0') ++i;
    const std::size_t integerStart = i;
    while (i < end && isDigit(text[i])) ++i;
    long long order = static_cast<long long>(i - integerStart) - 1;
    if (i == integerStart && i < end && text[i] == '.')
        for (++i; i < end && text[i] == '0'; ++i) --order;
    while (i < end && text[i] != 'e' && text[i] != 'E') ++i;
    if (i == end) return order;
    const bool negative = text[++i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    long long exponent = 0;
    for (; i < end; ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), kSaturated);
    return order + (negative ? -exponent : exponent);
}

#endif

// A double as mantissa × 2^exponent.
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};
Binary binaryOf(double magnitude) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074};
    return {fraction | std::uint64_t{1} << 52, biased - 1075};
}

// The exact decimal digits of mantissa × 2^exponent (mantissa > 0): the product m × 2^k, or
// m × 5^k over 10^k, formed in limbs of nine decimal digits, so that no division is needed.
void exactDigitsOf(std::uint64_t mantissa, int exponent, Digits& out) {
    constexpr std::uint64_t kBase = 1000000000;
    for (; (mantissa & 1) == 0; mantissa >>= 1) ++exponent;
    std::vector<std::uint64_t> limbs;  // from the lowest
    for (; mantissa > 0; mantissa /= kBase) limbs.push_back(mantissa % kBase);
    const auto multiply = [&](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % kBase;
            carry = product / kBase;
        }
        for (; carry > 0; carry /= kBase) limbs.push_back(carry % kBase);
    };
    // Factors below 2^30, so that a limb times a factor stays within 64 bits.
    for (int k = exponent; k > 0; k -= 29) multiply(std::uint64_t{1} << std::min(k, 29));
    for (int k = -exponent; k > 0; k -= 12) {
        std::uint64_t power = 1;
        for (int i = 0; i < std::min(k, 12); ++i) power *= 5;
        multiply(power);
    }
    std::string digits;
    for (std::size_t i = limbs.size(); i-- > 0;)
        for (std::uint64_t unit = kBase / 10; unit > 0; unit /= 10)
            if (!digits.empty() || limbs[i] / unit > 0)
                digits += static_cast<char>('0' + limbs[i] / unit % 10);
    setDigits(out, digits, static_cast<int>(digits.size()) + std::min(exponent, 0));
}

// The order of two positive decimals: negative, 0 or positive.
int compare(const char* digits, int count, int pointPosition, const Digits& other) {
    if (pointPosition != other.pointPosition) return pointPosition < other.pointPosition ? -1 : 1;
    for (int i = 0; i < std::max(count, other.count); ++i) {
        const char a = i < count ? digits[i] : '0';
        const char b = i < other.count ? other.digits[i] : '0';
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

}  // namespace

namespace own {

void exact(double magnitude, Digits& out) {
    const Binary binary = binaryOf(magnitude);
    exactDigitsOf(binary.mantissa, binary.exponent, out);
}

void shortest(double magnitude, Digits& out) {
    // The decimals that read back as this double lie between the halfway points to its
    // neighbours, which belong to it when its mantissa is even.
    const Binary binary = binaryOf(magnitude);
    const bool atBinadeFloor = binary.mantissa == std::uint64_t{1} << 52 && binary.exponent > -1074;
    Digits exactDigits, low, high;
    exactDigitsOf(binary.mantissa, binary.exponent, exactDigits);
    if (atBinadeFloor)
        exactDigitsOf(4 * binary.mantissa - 1, binary.exponent - 2, low);
    else
        exactDigitsOf(2 * binary.mantissa - 1, binary.exponent - 1, low);
    exactDigitsOf(2 * binary.mantissa + 1, binary.exponent - 1, high);
    const bool boundsBelong = binary.mantissa % 2 == 0;
    const auto readsBack = [&](const char* digits, int count, int pointPosition) {
        const int belowHigh = compare(digits, count, pointPosition, high);
        const int aboveLow = compare(digits, count, pointPosition, low);
        return (belowHigh < 0 || (belowHigh == 0 && boundsBelong)) &&
               (aboveLow > 0 || (aboveLow == 0 && boundsBelong));
    };

    const int count = exactDigits.count;
    char up[kMaxDigits];
    for (int keep = 1; keep < count; ++keep) {
        const bool downFits = readsBack(exactDigits.digits, keep, exactDigits.pointPosition);
        const int upPoint = roundedUp(exactDigits, keep, up);
        const bool upFits = readsBack(up, keep, upPoint);
        if (!downFits && !upFits) continue;
        // The nearer of the two; a tie (the digits left off are a lone 5) to the even digit.
        const char next = exactDigits.digits[keep];
        const bool tie = next == '5' && count == keep + 1;
        const bool upNearer = next > '5' || (next == '5' && !tie) ||
                              (tie && (exactDigits.digits[keep - 1] - '0') % 2 == 1);
        if (upFits && (!downFits || upNearer))
            setDigits(out, std::string_view(up, static_cast<std::size_t>(keep)), upPoint);
        else
            setDigits(out, std::string_view(exactDigits.digits, static_cast<std::size_t>(keep)),
                      exactDigits.pointPosition);
        return;
    }
    out = exactDigits;
}

std::optional<double> parse(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    // The significant digits, at most 800 of them, and where the point falls among them.
    constexpr int kKept = 800;
    char digits[kKept];
    int count = 0;
    long long pointPosition = 0;
    bool sticky = false;
    bool leading = true;
    bool afterPoint = false;
    for (; i < text.size() && (isDigit(text[i]) || (text[i] == '.' && !afterPoint)); ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        if (leading && text[i] == '0') {
            if (afterPoint) --pointPosition;
            continue;
        }
        leading = false;
        if (!afterPoint) ++pointPosition;
        if (count < kKept)
            digits[count++] = text[i];
        else if (text[i] != '0')
            sticky = true;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        constexpr long long kSaturated = 1'000'000'000'000LL;
        long long exponent = 0;
        for (; i < text.size(); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kSaturated);
        pointPosition += negativeExponent ? -exponent : exponent;
    }
    while (count > 0 && digits[count - 1] == '0' && !sticky) --count;
    std::optional<double> value = 0.0;
    if (count > 0) {
        const int point = static_cast<int>(std::clamp(pointPosition, -100000LL, 100000LL));
        value = valueOfDigits(digits, count, point, sticky);
    }
    if (value && negative) *value = -*value;
    return value;
}

std::string shortestText(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    std::string text = std::signbit(value) ? "-" : "";
    if (std::isinf(value)) return text + "inf";
    if (value == 0) return text + "0";
    Digits digits;
    own::shortest(std::fabs(value), digits);
    const int count = digits.count;
    const int point = digits.pointPosition;
    const int exponent = point - 1;
    const std::string exponentDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    const std::size_t exponentLength = 2 + std::max<std::size_t>(2, exponentDigits.size());
    const std::size_t scientificLength =
        static_cast<std::size_t>(count) + (count > 1 ? 1 : 0) + exponentLength;
    const std::size_t fixedLength = point <= 0      ? static_cast<std::size_t>(2 - point + count)
                                    : point < count ? static_cast<std::size_t>(count + 1)
                                                    : static_cast<std::size_t>(point);
    const std::string_view shown(digits.digits, static_cast<std::size_t>(count));
    if (fixedLength <= scientificLength) {
        if (point <= 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-point), '0');
            text += shown;
        } else if (point < count) {
            text += shown.substr(0, static_cast<std::size_t>(point));
            text += '.';
            text += shown.substr(static_cast<std::size_t>(point));
        } else {
            // A whole number: of the texts of this length the nearest, its own digits.
            own::exact(std::fabs(value), digits);
            text.append(digits.digits, static_cast<std::size_t>(digits.count));
            text.append(static_cast<std::size_t>(point - digits.count), '0');
        }
        return text;
    }
    text += shown[0];
    if (count > 1) {
        text += '.';
        text += shown.substr(1);
    }
    text += exponent < 0 ? "e-" : "e+";
    if (exponentDigits.size() < 2) text += '0';
    text += exponentDigits;
    return text;
}

}  // namespace own

#ifdef TALVENO_LIBRARY_DECIMAL

void shortest(double magnitude, Digits& out) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
    fromScientific(buffer, end, out);
}

void exact(double magnitude, Digits& out) {
    char buffer[kMaxDigits + 16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, kMaxDigits - 1)
                         .ptr;
    fromScientific(buffer, end, out);
}

std::optional<double> parse(std::string_view text) {
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc()) return value;
    // Out of range: a magnitude of 10^0 or more lies beyond the largest double, a smaller one
    // below the smallest subnormal (underflow, which passes silently as zero).
    if (decimalOrder(text) >= 0) return std::nullopt;
    return text[0] == '-' ? -0.0 : 0.0;
}

std::string shortestText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

bool usesLibrary() {
    return true;
}

#else

void shortest(double magnitude, Digits& out) {
    own::shortest(magnitude, out);
}

void exact(double magnitude, Digits& out) {
    own::exact(magnitude, out);
}

std::optional<double> parse(std::string_view text) {
    return own::parse(text);
}

std::string shortestText(double value) {
    return own::shortestText(value);
}

bool usesLibrary() {
    return false;
}

#endif

}  // namespace talveno::decimal
