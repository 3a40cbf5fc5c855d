#pragma once

#include <cstddef>
#include <cstdint>

// The tables of the program's own CP932 converter, generated from glibc's CP932 converter into
// core/cp932_table.cpp by scripts/generate-cp932-table.sh.
namespace talveno::cp932::table {

// No character.
inline constexpr std::uint16_t kNone = 0xFFFF;

// The character of each single byte; kNone for a lead byte and for a byte that is no character.
extern const std::uint16_t kSingleByte[256];

// The characters of the double-byte codes, kNone where a pair is none: the lead bytes 0x81 to
// 0x9F, then 0xE0 to 0xFC, each with the trail bytes 0x40 to 0xFC.
inline constexpr int kLeadBytes = 60;
inline constexpr int kTrailBytes = 189;
extern const std::uint16_t kDoubleByte[kLeadBytes * kTrailBytes];

// The characters CP932 encodes, in increasing order, each followed by its code: a single byte
// below 0x100, else the lead byte × 256 + the trail byte.
extern const std::size_t kEncodedCount;
extern const std::uint16_t kEncoded[];

// The characters that encode to no byte at all (the Unicode tag characters, which glibc drops).
extern const char32_t kDroppedFirst;
extern const char32_t kDroppedLast;

}  // namespace talveno::cp932::table
