#include "core/full_width_numbers.h"

namespace talveno {

char16_t halfWidthNumberCharacter(char16_t c) {
    if (c >= u'０' && c <= u'９') return static_cast<char16_t>(u'0' + (c - u'０'));
    switch (c) {
        case u'＋':
            return u'+';
        case u'－':
        case u'−':
            return u'-';
        case u'．':
            return u'.';
        case u'Ｅ':
            return u'E';
        case u'ｅ':
            return u'e';
        case u'\u3000':
            return u' ';
        default:
            return c;
    }
}

// Every character turned lies in U+2000 to U+FFFF, three bytes in UTF-8: a lead byte 0xE2 to
// 0xEF and two continuation bytes. A well-formed sequence cannot begin inside another one, so
// the bytes of any other character, and malformed bytes, pass as they are.
std::string halfWidthNumberText(std::string_view text) {
    std::string half;
    half.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const auto continuation = [&](std::size_t k) { return (byte(k) & 0xC0) == 0x80; };
        if (byte(i) >= 0xE2 && byte(i) <= 0xEF && i + 2 < text.size() && continuation(i + 1) &&
            continuation(i + 2)) {
            const auto c = static_cast<char16_t>(
                ((byte(i) & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F));
            const char16_t ascii = halfWidthNumberCharacter(c);
            if (ascii != c) {
                half += static_cast<char>(ascii);
                i += 2;
                continue;
            }
        }
        half += text[i];
    }
    return half;
}

}  // namespace talveno
