#include "core/integer_text.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace talveno {
namespace {

TEST(IntegerText, Accepted) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"50", 50},
        {"050", 50},
        {"  7", 7},
        {"+3", 3},
        {"-1", -1},
        {"0", 0},
        {"$1F", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x7fffffff", 2147483647},
        {"0XaB", 171},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& c : cases) EXPECT_EQ(tryParseInteger(c.text), c.value) << c.text;
}

TEST(IntegerText, Refused) {
    const char* const cases[] = {
        "",  " ",  "abc", "5 ",   "1.0",        "1e3", "- 5", "2147483648", "-2147483649",
        "$", "0x", "$G",  "-$10", "0x80000000", "\t5", "５0", "+-1",        "99999999999999999999"};
    for (const char* text : cases) EXPECT_FALSE(tryParseInteger(text)) << "'" << text << "'";
}

TEST(IntegerText, FailureNamesTheText) {
    try {
        parseInteger("abc");
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(), "'abc' は整数ではありません");
        EXPECT_EQ(withFullStop(failure.message()), "'abc' は整数ではありません.");
    }
    EXPECT_EQ(withFullStop("リストのインデックスが範囲を超えています (-1)"),
              "リストのインデックスが範囲を超えています (-1)");
    EXPECT_EQ(withFullStop("I/O エラー (5)"), "I/O エラー (5)");
    EXPECT_EQ(withFullStop(""), "");
    EXPECT_EQ(withFullStop("入力値が数値ではありません\n(12 行目)"),
              "入力値が数値ではありません.\n(12 行目)");
}

}  // namespace
}  // namespace talveno
