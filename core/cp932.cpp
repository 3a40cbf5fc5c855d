#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace talveno::cp932 {

namespace {

// One conversion through glibc's iconv; nothing on an invalid or unconvertible sequence.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        done = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        ok = false;
        break;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(done);
    return out;
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
    return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> decode(std::string_view bytes) {
    return convert("UTF-8", "CP932", bytes);
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
