#pragma once

#include <optional>
#include <string_view>

namespace talveno {

// Integer texts of the edit boxes: optional leading spaces, then an optionally signed decimal
// number or a hexadecimal number after "$", "x", "X", "0x" or "0X"; nothing may follow, and
// the value must fit in a signed 32-bit integer.
std::optional<int> tryParseInteger(std::string_view text);

// As tryParseInteger; throws the integer message naming the text when it is no integer.
int parseInteger(std::string_view text);

}  // namespace talveno
