#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <random>
#include <string>

#include "core/decimal_conversion.h"
#include "core/failure.h"
#include "core/full_width_numbers.h"

namespace talveno {
namespace {

TEST(NumberText, Parsing) {
    const struct {
        const char* text;
        double value;
    } numbers[] = {
        {"60", 60},
        {" 60 ", 60},
        {"+60", 60},
        {"-2.5", -2.5},
        {"0.02", 0.02},
        {".5", 0.5},
        {"5.", 5},
        {"1e3", 1000},
        {"1E-3", 0.001},
        {"2.5e+1", 25},
        {"   -0", -0.0},
        {"1e-400", 0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        // Below the smallest subnormal: underflow to zero, whatever the exponent.
        {"-1e-5000", -0.0},
        {"1e-99999999999999999999999", 0},
        {"0e99999", 0},
    };
    for (const auto& n : numbers) {
        const auto value = tryParseNumber(n.text);
        ASSERT_TRUE(value) << n.text;
        EXPECT_EQ(*value, n.value) << n.text;
    }
    const char* const notNumbers[] = {"",       " ",   "abc", "1,5", "1.2.3", "1e",
                                      "e5",     ".",   "- 5", "5 5", "0x10",  "1e400",
                                      "-1e309", "inf", "nan", "\t5", "5a",    "++5"};
    for (const char* text : notNumbers) EXPECT_FALSE(tryParseNumber(text)) << "'" << text << "'";
    // Beyond the double range, also beyond the extended one: no number, never zero.
    for (const std::string& text :
         {std::string("1e5000"), std::string("-1e4933"), std::string(5000, '9'),
          "0.000" + std::string(400, '9') + "e400", std::string("1.7976931348623159e308"),
          std::string("1e99999999999999999999999")})
        EXPECT_FALSE(tryParseNumber(text)) << text.substr(0, 40);
    EXPECT_TRUE(std::signbit(*tryParseNumber("-1e-5000")));
}

TEST(NumberText, FailureNamesTheText) {
    try {
        parseNumber("4a");
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), "'4a' は浮動小数点数ではありません");
    }
}

TEST(NumberText, FixedForm) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.5, 2, "0.50"},
        {0.853 * 100, 1, "85.3"},
        {-0.77, 2, "-0.77"},
        {2.675, 2, "2.68"},
        {1.15, 1, "1.2"},
        {-1.15, 1, "-1.2"},
        {0.125, 2, "0.13"},
        {9.95, 1, "10.0"},
        {99.95, 1, "100.0"},
        {0.02, 3, "0.020"},
        {80, 1, "80.0"},
        {0, 1, "0.0"},
        {-0.04, 1, "-0.0"},
        {0.04, 1, "0.0"},
        {0.05, 1, "0.1"},
        {1234567.891, 2, "1234567.89"},
        {1e20, 1, "100000000000000000000.0"},
        {2.6749999999999994, 2, "2.67"},
        {0.0005, 3, "0.001"},
        {0.00049, 3, "0.000"},
        {12.0, 0, "12"},
        // Beyond the shortest form's digits the exact binary value decides.
        {1152921504606846976.0, 1, "1152921504606846976.0"},
        {562949953421312.25, 1, "562949953421312.3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fixedText(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(NumberText, ExponentForm) {
    const struct {
        double value;
        int exponentDigits;
        const char* text;
    } cases[] = {
        {1234.5, 2, "1.235E+03"},   {0.01, 2, "1.000E-02"},       {25, 2, "2.500E+01"},
        {9.9995, 2, "1.000E+01"},   {9.9994, 2, "9.999E+00"},     {-1234.5, 2, "-1.235E+03"},
        {0, 2, "0.000E+00"},        {2576.8, 2, "2.577E+03"},     {1e100, 2, "1.000E+100"},
        {2.5e-5, 4, "2.500E-0005"}, {1234.5, 4, "1.235E+0003"},   {5e-324, 4, "4.941E-0324"},
        {999.95, 2, "1.000E+03"},   {0.00012345, 2, "1.235E-04"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exponentText(c.value, 4, c.exponentDigits), c.text) << c.value;
}

// The shortest form of |value| as a whole number N and a power of ten: |value| = N × 10^power.
struct ShortestForm {
    __int128 digits = 0;
    int count = 0;
    int power = 0;
};
ShortestForm shortestForm(double value) {
    ShortestForm form;
    if (value == 0) return form;
    decimal::Digits digits;
    decimal::shortest(std::fabs(value), digits);
    for (int i = 0; i < digits.count; ++i)
        form.digits = form.digits * 10 + (digits.digits[i] - '0');
    form.count = digits.count;
    form.power = digits.pointPosition - digits.count;
    return form;
}

__int128 power10(int exponent) {
    __int128 power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

// N / 10^shift rounded half away from zero (N ≥ 0).
__int128 roundedDown(__int128 n, int shift) {
    if (shift <= 0) return n * power10(-shift);
    const __int128 unit = power10(shift);
    return n / unit + (2 * (n % unit) >= unit ? 1 : 0);
}

std::string decimalText(__int128 n, int minimumDigits) {
    std::string text;
    for (; n > 0; n /= 10) text.insert(text.begin(), static_cast<char>('0' + n % 10));
    if (static_cast<int>(text.size()) < minimumDigits)
        text.insert(0, minimumDigits - text.size(), '0');
    return text;
}

// The forms by their definition, in whole-number arithmetic on the shortest form.
std::string fixedByDefinition(double value, int decimals) {
    const ShortestForm form = shortestForm(value);
    std::string digits =
        decimalText(roundedDown(form.digits, -(form.power + decimals)), decimals + 1);
    if (decimals > 0) digits.insert(digits.size() - decimals, ".");
    return (std::signbit(value) ? "-" : "") + digits;
}

std::string exponentByDefinition(double value) {
    const ShortestForm form = shortestForm(value);
    __int128 mantissa = roundedDown(form.digits, form.count - 4);
    int exponent = form.power + form.count - 1;
    if (mantissa == 10000) mantissa = 1000, ++exponent;
    std::string digits = decimalText(mantissa, 4);
    if (value == 0) digits = "0000", exponent = 0;
    return (std::signbit(value) ? "-" : "") + digits.substr(0, 1) + "." + digits.substr(1) +
           (exponent < 0 ? "E-" : "E+") + decimalText(std::abs(exponent), 2);
}

// Values of every magnitude that both forms meet, and decimal halves, which the double product
// alone cannot round: all agree with the definition, and a fixed form reads back as the number
// appending it gave.
TEST(NumberText, FormsAgreeWithTheirDefinitionOnManyValues) {
    std::mt19937_64 random(9);
    std::uniform_real_distribution<double> magnitude(-20, 16);
    std::uniform_int_distribution<int> digits(0, 99999), places(0, 5);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, magnitude(random));
        if (i % 3 == 1) value = (digits(random) + 0.5) / std::pow(10.0, places(random));
        if (i % 3 == 2) value = digits(random) / std::pow(10.0, places(random));
        if (i % 2 == 1) value = -value;
        for (int decimals = 0; decimals <= 3; ++decimals) {
            if (std::fabs(value) * std::pow(10.0, decimals) >= 1e14) continue;
            std::string text = "x";
            const double readBack = appendFixedText(text, value, decimals);
            ASSERT_EQ(text, "x" + fixedByDefinition(value, decimals))
                << shortestText(value) << " with " << decimals;
            const double parsed = parseNumber(text.substr(1));
            ASSERT_TRUE(readBack == parsed && std::signbit(readBack) == std::signbit(parsed))
                << text;
            ++checked;
        }
        ASSERT_EQ(exponentText(value), exponentByDefinition(value)) << shortestText(value);
    }
    EXPECT_GT(checked, 600000);
}

TEST(NumberText, ShortestText) {
    EXPECT_EQ(shortestText(-135), "-135");
    EXPECT_EQ(shortestText(200.5), "200.5");
    EXPECT_EQ(shortestText(0.1 + 0.2), "0.30000000000000004");
}

// Cells and files always use "." whatever the user's number settings: both the C locale and
// the C++ global locale are switched to a comma decimal point.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(NumberText, CommaDecimalLocaleChangesNothing) {
#ifdef __EMSCRIPTEN__
    const bool cLocale = true;  // the WebAssembly C library has no locales: the C++ one alone
#else
    const bool cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    EXPECT_EQ(tryParseNumber("2.5"), 2.5);
    EXPECT_FALSE(tryParseNumber("2,5"));
    EXPECT_EQ(fixedText(2.5, 2), "2.50");
    EXPECT_EQ(exponentText(2500), "2.500E+03");
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
    // The test command installs the locale; without it the C library's side went unchecked.
    EXPECT_TRUE(cLocale) << "de_DE.UTF-8 is not installed";
}

// Full-width numbers become ASCII character for character; other characters, malformed and cut
// UTF-8 sequences pass unchanged.
TEST(NumberText, HalfWidthNumberText) {
    const struct {
        std::string text;
        std::string half;
    } cases[] = {
        {"８０", "80"},
        {"－１．２５Ｅ＋０３", "-1.25E+03"},
        {"−０．５ｅ－２", "-0.5e-2"},
        {"\u3000６０\u3000", " 60 "},
        {"０１２３４５６７８９", "0123456789"},
        {"軟化点（℃）ＡＢ", "軟化点（℃）ＡＢ"},  // other full-width letters and signs stay
        {"12.5 abc", "12.5 abc"},
        {"\xEF\xBC", "\xEF\xBC"},  // a character cut short
        {"\xBC\x91", "\xBC\x91"},  // the end of "１" without its lead byte
        {"\xEF\xBC\x91\xEF\xBC", "1\xEF\xBC"},
    };
    for (const auto& c : cases) EXPECT_EQ(halfWidthNumberText(c.text), c.half) << c.text;
    EXPECT_EQ(halfWidthNumberCharacter(u'９'), u'9');
    EXPECT_EQ(halfWidthNumberCharacter(u'Ａ'), u'Ａ');
}

}  // namespace
}  // namespace talveno
