#pragma once

#include <string_view>

namespace talveno {

// The largest maximum data count a command accepts: a table of more rows cannot fit in memory.
inline constexpr int kMaxDataCountLimit = 1000000;

// The maximum data count N from the text of its box: an integer text (throws the integer
// message otherwise) of at most kMaxDataCountLimit (throws "最大データ数が大きすぎます").
// Counts of 0 or less are returned as they are.
int parseMaxDataCount(std::string_view text);

}  // namespace talveno
