#include "tables/max_data_count.h"

#include "core/failure.h"
#include "core/integer_text.h"

namespace talveno {

int parseMaxDataCount(std::string_view text) {
    const int n = parseInteger(text);
    if (n > kMaxDataCountLimit)
        throw Failure("最大データ数が大きすぎます (上限 " + std::to_string(kMaxDataCountLimit) +
                      ")");
    return n;
}

}  // namespace talveno
