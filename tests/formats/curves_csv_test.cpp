#include "formats/curves_csv.h"

#include <gtest/gtest.h>

#include <string>

namespace talveno {
namespace {

// A note holds whatever a message says; a field that would break the line is quoted.
TEST(CurvesCsv, FieldsAreQuotedWhereCsvNeedsIt) {
    const struct {
        const char* field;
        char separator;
        const char* written;
    } cases[] = {
        {"軟化点と温度の差が -130～200℃ の範囲外です (-150)", ',',
         "軟化点と温度の差が -130～200℃ の範囲外です (-150)"},
        {"", ',', ""},
        {"a, b", ',', "\"a, b\""},
        {"'1\"' は浮動小数点数ではありません", ',', "\"'1\"\"' は浮動小数点数ではありません\""},
        {"two\r\nlines", ',', "\"two\r\nlines\""},
        // Tab-separated text for the clipboard: a comma is no separator there, a tab is.
        {"a, b", '\t', "a, b"},
        {"a\tb", '\t', "\"a\tb\""},
    };
    for (const auto& c : cases) {
        std::string line = "1,";
        appendCsvField(line, c.field, c.separator);
        EXPECT_EQ(line, std::string("1,") + c.written) << c.field;
    }
}

}  // namespace
}  // namespace talveno
