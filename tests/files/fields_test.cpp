#include "files/fields.h"

#include <gtest/gtest.h>

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

TEST(Fields, RowNumberField) {
    EXPECT_EQ(fields::rowNumberField(1), "  1 ");
    EXPECT_EQ(fields::rowNumberField(999), "999 ");
    EXPECT_EQ(fields::rowNumberField(1000), "1000 ");
}

}  // namespace
}  // namespace talveno
