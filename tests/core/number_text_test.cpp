#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <string>

#include "core/failure.h"

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
    const bool cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    EXPECT_EQ(tryParseNumber("2.5"), 2.5);
    EXPECT_FALSE(tryParseNumber("2,5"));
    EXPECT_EQ(fixedText(2.5, 2), "2.50");
    EXPECT_EQ(exponentText(2500), "2.500E+03");
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
    if (!cLocale) GTEST_SKIP() << "de_DE.UTF-8 is not installed; checked the C++ locale only";
}

}  // namespace
}  // namespace talveno
