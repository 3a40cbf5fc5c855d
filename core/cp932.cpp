#include "core/cp932.h"

#include <algorithm>
#include <cstdint>

#include "core/cp932_table.h"

namespace talveno::cp932 {

namespace {

// The character that starts at text[i], moving i past it; nothing where the text is no valid
// UTF-8 there (a stray or missing continuation byte, an overlong form, a surrogate, a value
// beyond U+10FFFF).
std::optional<char32_t> nextCharacter(std::string_view text, std::size_t& i) {
    const unsigned char lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int k = 1; k < length; ++k, ++i) {
        if (i == text.size()) return std::nullopt;
        const unsigned char next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = c << 6 | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code of a character beyond ASCII: a single byte below 0x100, else lead × 256 + trail;
// nothing when CP932 lacks it, 0 when it is dropped.
std::optional<std::uint16_t> codeOf(char32_t c) {
    if (c >= table::kDroppedFirst && c <= table::kDroppedLast) return 0;
    if (c > 0xFFFF) return std::nullopt;
    // The table holds pairs: character, code.
    std::size_t low = 0, high = table::kEncodedCount;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        const std::uint16_t character = table::kEncoded[2 * middle];
        if (character == c) return table::kEncoded[2 * middle + 1];
        if (character < c)
            low = middle + 1;
        else
            high = middle;
    }
    return std::nullopt;
}

// The index of a lead byte's row in the double-byte table, or -1.
int leadRow(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
    if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 0x9F - 0x81 + 1;
    return -1;
}

// The character of a double-byte code by its lead byte's row and its trail byte, or kNone.
std::uint16_t doubleByteCharacter(int row, unsigned char trail) {
    if (trail < 0x40 || trail > 0xFC) return table::kNone;
    return table::kDoubleByte[row * table::kTrailBytes + trail - 0x40];
}

// The length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::optional<std::string> encode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        const auto c = nextCharacter(utf8, i);
        if (!c) return std::nullopt;
        const auto code = codeOf(*c);
        if (!code) return std::nullopt;
        if (*code == 0) continue;
        if (*code >= 0x100) out += static_cast<char>(*code >> 8);
        out += static_cast<char>(*code & 0xFF);
    }
    return out;
}

std::optional<std::string> decode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        std::uint16_t c = table::kSingleByte[byte];
        if (c == table::kNone) {
            const int row = leadRow(byte);
            if (row < 0 || ++i == bytes.size()) return std::nullopt;
            c = doubleByteCharacter(row, static_cast<unsigned char>(bytes[i]));
            if (c == table::kNone) return std::nullopt;
        }
        appendUtf8(out, c);
    }
    return out;
}

void TextCheck::add(unsigned char byte) {
    if (lead_ != 0) {
        text_ = text_ && doubleByteCharacter(leadRow(lead_), byte) != table::kNone;
        lead_ = 0;
    } else if (byte == 0) {
        text_ = false;
    } else if (table::kSingleByte[byte] == table::kNone) {
        if (leadRow(byte) >= 0)
            lead_ = byte;
        else
            text_ = false;
    }
}

std::string prefixWithin(std::string_view utf8, std::size_t maxBytes) {
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[end]);
        const std::size_t length = std::min(sequenceLength(lead), utf8.size() - end);
        std::size_t width = 1;
        if (lead >= 0x80) {
            const auto encoded = encode(utf8.substr(end, length));
            width = encoded ? encoded->size() : 1;
        }
        if (bytes + width > maxBytes) break;
        bytes += width;
        end += length;
    }
    return std::string(utf8.substr(0, end));
}

}  // namespace talveno::cp932
