#include "core/integer_text.h"

#include <cstdint>
#include <limits>

#include "core/messages.h"

namespace talveno {

namespace {

int digitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Accumulates the digits of text in base; fails on an empty run, a stray character or a
// magnitude above limit.
std::optional<std::int64_t> magnitude(std::string_view text, int base, std::int64_t limit) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        const int digit = digitValue(c, base);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int> tryParseInteger(std::string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(start);

    if (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X') {
        const auto value = magnitude(rest.substr(1), 16, kMax);
        if (!value) return std::nullopt;
        return static_cast<int>(*value);
    }
    if (rest.size() > 1 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        const auto value = magnitude(rest.substr(2), 16, kMax);
        if (!value) return std::nullopt;
        return static_cast<int>(*value);
    }
    bool negative = false;
    if (rest.front() == '-' || rest.front() == '+') {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const auto value = magnitude(rest, 10, negative ? kMax + 1 : kMax);
    if (!value) return std::nullopt;
    return static_cast<int>(negative ? -*value : *value);
}

int parseInteger(std::string_view text) {
    const auto value = tryParseInteger(text);
    if (!value) throw messages::notAnInteger(text);
    return *value;
}

}  // namespace talveno
