// Writes core/cp932_table.cpp, the tables of the program's own CP932 converter, from glibc's
// CP932 converter: every single byte and every pair of bytes decoded, every Unicode character
// encoded, each on its own through iconv. Built and run by scripts/generate-cp932-table.sh.

#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// One conversion from the start state; false where iconv refuses the input.
bool convert(iconv_t cd, const std::string& in, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[64];
    char* input = const_cast<char*>(in.data());
    std::size_t inputLeft = in.size();
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    if (iconv(cd, &input, &inputLeft, &output, &outputLeft) == static_cast<std::size_t>(-1) ||
        iconv(cd, nullptr, nullptr, &output, &outputLeft) == static_cast<std::size_t>(-1))
        return false;
    out.assign(buffer, static_cast<std::size_t>(output - buffer));
    return true;
}

// The one UCS-4 (big-endian) character of a decoded text, or -1.
long onlyCharacter(const std::string& ucs4) {
    if (ucs4.size() != 4) return -1;
    long c = 0;
    for (const char byte : ucs4) c = c << 8 | static_cast<unsigned char>(byte);
    return c;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "cp932_table: %s\n", what);
    std::exit(1);
}

constexpr int kNone = 0xFFFF;

bool isLead(int byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void writeNumbers(const std::vector<unsigned>& numbers, const char* format, int perLine) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        std::printf(i % perLine == 0 ? "    " : " ");
        std::printf(format, numbers[i]);
        std::printf(",");
        if (i % perLine == static_cast<std::size_t>(perLine - 1) || i + 1 == numbers.size())
            std::printf("\n");
    }
}

}  // namespace

int main() {
    const iconv_t decoder = iconv_open("UCS-4BE", "CP932");
    const iconv_t encoder = iconv_open("CP932", "UCS-4BE");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1))
        fail("glibc has no CP932 converter");

    std::vector<unsigned> single(256, kNone);
    std::string out;
    for (int byte = 0; byte < 256; ++byte) {
        if (!convert(decoder, std::string(1, static_cast<char>(byte)), out)) continue;
        const long c = onlyCharacter(out);
        if (c < 0 || c > 0xFFFE || isLead(byte)) fail("a single byte of an unexpected kind");
        single[byte] = static_cast<unsigned>(c);
    }
    std::vector<unsigned> pairs;  // leads 0x81-0x9F and 0xE0-0xFC by trails 0x40-0xFC
    for (int lead = 0; lead < 256; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const bool valid = single[lead] == kNone && convert(decoder, code, out);
            const long c = valid ? onlyCharacter(out) : -1;
            if (valid && (c < 0 || c > 0xFFFE || !isLead(lead) || trail < 0x40 || trail > 0xFC))
                fail("a double-byte code of an unexpected kind");
            if (isLead(lead) && trail >= 0x40 && trail <= 0xFC)
                pairs.push_back(valid ? static_cast<unsigned>(c) : kNone);
        }
    }

    // Every character but the surrogates: its code, or the first and last of the characters
    // that glibc drops (the Unicode tag characters).
    std::vector<unsigned> encoded;
    long droppedFirst = -1, droppedLast = -1;
    for (long c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string ucs4{static_cast<char>(c >> 24), static_cast<char>(c >> 16),
                               static_cast<char>(c >> 8), static_cast<char>(c)};
        if (!convert(encoder, ucs4, out)) continue;
        if (out.empty()) {
            if (droppedFirst < 0) droppedFirst = c;
            if (droppedLast >= 0 && droppedLast != c - 1) fail("dropped characters apart");
            droppedLast = c;
            continue;
        }
        if (c > 0xFFFF || out.size() > 2) fail("an encoded character of an unexpected kind");
        encoded.push_back(static_cast<unsigned>(c));
        unsigned code = 0;
        for (const char byte : out) code = code << 8 | static_cast<unsigned char>(byte);
        encoded.push_back(code);
    }

    std::printf(
        "// The tables of the CP932 converter, generated from glibc's CP932 converter by\n"
        "// scripts/generate-cp932-table.sh; not to be edited by hand.\n\n"
        "#include \"core/cp932_table.h\"\n\n"
        "namespace talveno::cp932::table {\n\n"
        "// clang-format off\n\n"
        "const std::uint16_t kSingleByte[256] = {\n");
    writeNumbers(single, "0x%04X", 12);
    std::printf("};\n\nconst std::uint16_t kDoubleByte[kLeadBytes * kTrailBytes] = {\n");
    writeNumbers(pairs, "0x%04X", 12);
    std::printf("};\n\nconst std::uint16_t kEncoded[%zu] = {\n", encoded.size());
    writeNumbers(encoded, "0x%04X", 12);
    std::printf("};\n\n// clang-format on\n\n");
    std::printf("const std::size_t kEncodedCount = %zu;\n", encoded.size() / 2);
    std::printf("const char32_t kDroppedFirst = 0x%lX;\nconst char32_t kDroppedLast = 0x%lX;\n\n",
                droppedFirst, droppedLast);
    std::printf("}  // namespace talveno::cp932::table\n");
    return 0;
}
