#include "core/decimal_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace talveno {
namespace {

std::string digitsText(const decimal::Digits& digits) {
    return std::string(digits.digits, static_cast<std::size_t>(digits.count)) + " e" +
           std::to_string(digits.pointPosition);
}

// Positive doubles of every kind: the ends of the range, every power of two, powers of ten,
// random bit patterns and short decimals.
std::vector<double> positiveDoubles() {
    std::vector<double> values = {std::numeric_limits<double>::denorm_min(),
                                  std::numeric_limits<double>::min(),
                                  std::nextafter(std::numeric_limits<double>::min(), 0.0),
                                  std::numeric_limits<double>::max(),
                                  0.1,
                                  0.3,
                                  9007199254740993.0,
                                  5e-324,
                                  1e23,
                                  8.41e21,
                                  2.2250738585072011e-308};
    for (int e = -1074; e <= 1023; ++e) values.push_back(std::ldexp(1.0, e));
    for (int e = -323; e <= 308; ++e) values.push_back(std::pow(10.0, e));
    std::mt19937_64 random(17);
    for (int i = 0; i < 1500; ++i) {
        const std::uint64_t bits = random() & 0x7FFFFFFFFFFFFFFFull;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value) && value > 0) values.push_back(value);
        values.push_back(static_cast<double>(random() % 1000000) / std::pow(10.0, i % 8) + 1e-9);
    }
    return values;
}

// Number texts for the reader: decimals of every length and exponent, halfway points between
// two doubles and their neighbours, long digit runs and the grammar's odd corners.
std::vector<std::string> numberTexts() {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.000",
                                      "000123.4500e+0005",
                                      ".5",
                                      "5.",
                                      "-.0e-7",
                                      "1e999999999999999",
                                      "1e-99999999999999",
                                      "2.4703282292062327e-324",
                                      "2.4703282292062328e-324",
                                      "1.7976931348623157e308",
                                      "1.797693134862315807937289714053e308",
                                      "1.797693134862315808e308",
                                      "4.9e-324",
                                      "0e99999",
                                      std::string(400, '9'),
                                      "0." + std::string(900, '0') + "1e600",
                                      "1" + std::string(900, '0') + "e-890"};
    std::mt19937_64 random(23);
    for (int i = 0; i < 10000; ++i) {
        std::string text = i % 2 == 0 ? "" : "-";
        const int length = 1 + static_cast<int>(random() % (i % 100 == 0 ? 820 : 25));
        for (int k = 0; k < length; ++k) text += static_cast<char>('0' + random() % 10);
        if (random() % 3 == 0) text.insert(text.size() - random() % text.size(), ".");
        if (random() % 2 == 0) text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
        texts.push_back(text);
    }
    // The midpoint of a double and the next, exact in the extended or quadruple format, and the
    // texts just below and above it.
    for (int i = 0; i < 1000; ++i) {
        const double low = std::ldexp(static_cast<double>(random() >> 11),
                                      static_cast<int>(random() % 2000) - 1100);
        if (!(low > 0) || !std::isfinite(std::nextafter(low, INFINITY))) continue;
        const long double middle =
            (static_cast<long double>(low) + std::nextafter(low, INFINITY)) / 2;
        char buffer[1200];
        std::snprintf(buffer, sizeof buffer, "%.800Le", middle);
        const std::string exact = buffer;
        texts.push_back(exact);
        std::string above = exact;
        above.insert(above.find('e'), "1");
        texts.push_back(above);
        texts.push_back(exact.substr(0, 19) + exact.substr(exact.find('e')));
    }
    return texts;
}

// The program's own conversions give the library's digits, texts and values, where the
// library has them to compare with (elsewhere they are the ones in use).
TEST(DecimalConversion, OwnConversionsAgreeWithTheLibrary) {
    if (!decimal::usesLibrary()) GTEST_SKIP() << "no library conversions to compare with";
    decimal::Digits own, library;
    for (const double value : positiveDoubles()) {
        decimal::own::shortest(value, own);
        decimal::shortest(value, library);
        ASSERT_EQ(digitsText(own), digitsText(library))
            << "shortest of " << decimal::shortestText(value);
        decimal::own::exact(value, own);
        decimal::exact(value, library);
        ASSERT_EQ(digitsText(own), digitsText(library))
            << "exact of " << decimal::shortestText(value);
        for (const double signedValue : {value, -value})
            ASSERT_EQ(decimal::own::shortestText(signedValue), decimal::shortestText(signedValue));
    }
    for (const double special : {0.0, -0.0})
        EXPECT_EQ(decimal::own::shortestText(special), decimal::shortestText(special));
    for (const std::string& text : numberTexts()) {
        const auto own = decimal::own::parse(text);
        const auto library = decimal::parse(text);
        ASSERT_EQ(own.has_value(), library.has_value()) << text.substr(0, 60);
        if (!own) continue;
        ASSERT_EQ(*own, *library) << text.substr(0, 60);
        ASSERT_EQ(std::signbit(*own), std::signbit(*library)) << text.substr(0, 60);
    }
}

}  // namespace
}  // namespace talveno
