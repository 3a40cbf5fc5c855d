#include "core/cp932.h"

#include <gtest/gtest.h>

namespace talveno {
namespace {

TEST(Cp932, EncodesTheInterfaceTexts) {
    const struct {
        const char* utf8;
        std::string bytes;
    } cases[] = {
        {"　", "\x81\x40"}, {"℃", "\x81\x8E"}, {"秒", "\x95\x62"}, {"－", "\x81\x7C"},
        {"～", "\x81\x60"}, {"abc%", "abc%"},  {"ｱ", "\xB1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::encode(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(cp932::decode(c.bytes), c.utf8) << c.utf8;
    }
    EXPECT_FALSE(cp932::encode("\xF0\x9F\x98\x80"));  // an emoji CP932 lacks
    EXPECT_FALSE(cp932::encode("\xE3\x81"));          // cut UTF-8
}

TEST(Cp932, PrefixWithinKeepsWholeCharacters) {
    EXPECT_EQ(cp932::prefixWithin("abc", 2), "ab");
    EXPECT_EQ(cp932::prefixWithin("a℃b", 2), "a");  // the two-byte ℃ does not fit after a
    EXPECT_EQ(cp932::prefixWithin("a℃b", 3), "a℃");
    EXPECT_EQ(cp932::prefixWithin("ｱｲｳ", 2), "ｱｲ");  // half-width katakana take one byte
    EXPECT_EQ(cp932::prefixWithin("é1", 1), "é");    // counted as the "?" it would become
    EXPECT_EQ(cp932::prefixWithin("", 255), "");
}

}  // namespace
}  // namespace talveno
