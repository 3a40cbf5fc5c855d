#include "core/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/glibc_cp932.h"

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

#ifdef TALVENO_GLIBC_CP932

std::string utf8Of(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
            static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

// The converter's table agrees with glibc's converter: every Unicode character and every
// malformed kind of UTF-8 encoded, every byte and every pair of bytes decoded.
TEST(Cp932, AgreesWithGlibcOverEveryCharacter) {
    glibc_cp932::Converter encoder("CP932", "UTF-8"), decoder("UTF-8", "CP932");
    if (!encoder.available() || !decoder.available()) GTEST_SKIP() << "glibc lacks CP932 here";
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const std::string text =
            c >= 0xD800 && c <= 0xDFFF
                ? std::string{'\xED', static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                              static_cast<char>(0x80 | (c & 0x3F))}
                : utf8Of(c);
        ASSERT_EQ(cp932::encode(text), encoder(text))
            << "U+" << std::hex << static_cast<std::uint32_t>(c);
    }
    for (const char* bad :
         {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80",
          "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80", "\x80", "\xBF", "\xE3\x81",
          "\xE3\x81"
          "a",
          "\xFE", "\xFF"})
        EXPECT_EQ(cp932::encode(bad), encoder(bad)) << bad;
    for (int first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        ASSERT_EQ(cp932::decode(one), decoder(one)) << first;
        for (int second = 0; second < 256; ++second) {
            const std::string two = one + static_cast<char>(second);
            ASSERT_EQ(cp932::decode(two), decoder(two)) << first << " " << second;
        }
    }
}

#endif

}  // namespace
}  // namespace talveno
