#include "formats/fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/number_text.h"

namespace talveno {
namespace {

TEST(Fields, FixedField) {
    const struct {
        double value;
        int width, decimals;
        const char* text;
    } cases[] = {
        {80, 7, 1, "   80.0"},    {47.5, 7, 1, "   47.5"},      {0.02, 10, 3, "     0.020"},
        {-0.52, 7, 2, "  -0.52"}, {-0.04, 7, 1, "   -0.0"},     {10000, 7, 1, "10000.0"},
        {-1000, 7, 1, "-1000.0"}, {123456.7, 7, 1, "123456.7"}, {100000, 10, 3, "100000.000"},
        {2.675, 7, 2, "   2.68"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fields::fixedField(c.value, c.width, c.decimals), c.text) << c.value;
}

TEST(Fields, ExponentField) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1234.5, " 1.235E+0003"}, {0.01, " 1.000E-0002"},   {0, " 0.000E+0000"},
        {-0.0, "-0.000E+0000"},   {2.5e-5, " 2.500E-0005"}, {-5678, "-5.678E+0003"},
        {1e300, " 1.000E+0300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fields::exponentField(c.value), c.text) << c.value;
        EXPECT_EQ(fields::exponentField(c.value).size(), 12u);
    }
}

// A cell's field is its number written anew; a text that is its own form is copied instead,
// which must give the same bytes.
TEST(Fields, FieldsOfCellTextsAreTheirNumbersWrittenAnew) {
    std::vector<std::string> cells = {"-0.0",
                                      "0.0",
                                      "00.5",
                                      "80",
                                      " 80.0",
                                      "1e3",
                                      "123456789012345.0",
                                      "1234567890123456.0",
                                      "0.020",
                                      "-1.5",
                                      "1.000E-00",
                                      "0.000E+00",
                                      "-0.000E+00",
                                      "9.999E+300",
                                      "1.000E+301",
                                      "1.234E+0005",
                                      "1.23E+05",
                                      "0.123E+05",
                                      "-5.678E-03",
                                      "1.7977E+308"};
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> magnitude(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        const double value = (i % 2 ? -1 : 1) * std::pow(10.0, magnitude(random));
        cells.push_back(fixedText(value, i % 4));
        cells.push_back(exponentText(value));
    }
    for (const std::string& cell : cells) {
        const auto number = tryParseNumber(cell);
        for (const int decimals : {-1, 1, 2, 3}) {
            std::string field;
            try {
                if (decimals < 0)
                    fields::appendSeparatedExponentField(field, cell);
                else
                    fields::appendSeparatedFixedField(field, cell, 7, decimals);
            } catch (const Failure&) {
                field = "no number";
            }
            const std::string anew = !number ? "no number"
                                     : decimals < 0
                                         ? fields::separatedExponentField(*number)
                                         : fields::separatedFixedField(*number, 7, decimals);
            ASSERT_EQ(field, anew) << "'" << cell << "' with " << decimals;
        }
    }
}

TEST(Fields, RowNumberField) {
    EXPECT_EQ(fields::rowNumberField(1), "  1 ");
    EXPECT_EQ(fields::rowNumberField(999), "999 ");
    EXPECT_EQ(fields::rowNumberField(1000), "1000 ");
}

}  // namespace
}  // namespace talveno
