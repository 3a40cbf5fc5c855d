#include "formats/token_scanner.h"

#include "core/cp932.h"
#include "core/number_text.h"

namespace talveno {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// Longer than the fixed text of the largest double with three decimals (313 characters) and
// than any exponent form: no number a file holds comes near it.
constexpr std::size_t kMaxTokenLength = 1024;

}  // namespace

TokenScanner::TokenScanner(std::string_view bytes)
    : next_(bytes.data()), end_(bytes.data() + bytes.size()), bytesRead_(bytes.size()) {}

TokenScanner::TokenScanner(ByteSource source) : source_(std::move(source)), buffer_(kBufferSize) {
    next_ = end_ = buffer_.data();
}

bool TokenScanner::refill() {
    if (!source_) return false;
    const std::size_t count = source_(buffer_.data(), buffer_.size());
    next_ = buffer_.data();
    end_ = next_ + count;
    bytesRead_ += count;
    if (count == 0) source_ = nullptr;  // the end stays the end
    return count > 0;
}

void TokenScanner::skipLine() {
    for (int c = peek(); c >= 0; c = peek()) {
        ++next_;
        if (c == '\n') {
            ++line_;
            return;
        }
    }
}

bool TokenScanner::skipTextLine() {
    cp932::TextCheck text;
    for (int c = peek(); c >= 0; c = peek()) {
        ++next_;
        if (c == '\n') {
            ++line_;
            return text.isText();
        }
        text.add(static_cast<unsigned char>(c));
    }
    return text.isText() && !bytesAfterEndMark();
}

bool TokenScanner::bytesAfterEndMark() {
    if (next_ == end_) return false;
    const bool more = next_ + 1 != end_ || refill();
    next_ = end_;
    source_ = nullptr;
    return more;
}

bool TokenScanner::skipSeparators() {
    for (int c = peek(); c >= 0; c = peek()) {
        if (c > ' ') return true;
        ++next_;
        if (c == '\n') ++line_;
    }
    return false;
}

std::optional<std::string_view> TokenScanner::readToken() {
    // Ctrl-Z has a code below 32 and ends a token like any separator.
    const char* end = next_;
    while (end != end_ && static_cast<unsigned char>(*end) > ' ') ++end;
    if (end != end_) {
        const std::string_view token(next_, static_cast<std::size_t>(end - next_));
        next_ = end;
        if (token.size() > kMaxTokenLength) return std::nullopt;
        return token;
    }
    token_.clear();
    bool fits = true;
    for (int c = peek(); c > ' '; c = peek()) {
        if (token_.size() < kMaxTokenLength)
            token_ += static_cast<char>(c);
        else
            fits = false;
        ++next_;
    }
    if (!fits) return std::nullopt;
    return token_;
}

std::optional<double> TokenScanner::decimalToken() {
    const auto token = readToken();
    if (!token) return std::nullopt;
    // The cell rule without its blanks, which a token cannot hold.
    return tryParseNumber(*token);
}

std::optional<std::int32_t> TokenScanner::integerToken() {
    const auto read = readToken();
    if (!read) return std::nullopt;
    const std::string_view token = *read;
    std::size_t i = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) ++i;
    if (i == token.size()) return std::nullopt;
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') return std::nullopt;
        value = value * 10 + (token[i] - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace talveno
