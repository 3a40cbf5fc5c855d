#include "files/fields.h"

#include <cmath>

#include "core/number_text.h"

namespace talveno::fields {

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace

std::string fixedField(double value, int width, int decimals) {
    return padded(fixedText(value, decimals), width);
}

std::string exponentField(double value) {
    std::string text = exponentText(value, 4, 4);
    if (!std::signbit(value)) text.insert(0, 1, ' ');
    return text;
}

std::string separatedFixedField(double value, int width, int decimals) {
    std::string text = fixedText(value, decimals);
    const std::size_t fieldWidth = static_cast<std::size_t>(width);
    text.insert(0, text.size() < fieldWidth ? fieldWidth - text.size() : 1, ' ');
    return text;
}

std::string separatedExponentField(double value) {
    std::string text = exponentField(value);
    if (text.front() == '-') text.insert(0, 1, ' ');
    return text;
}

std::string rowNumberField(int row) {
    return padded(std::to_string(row), 3) + ' ';
}

}  // namespace talveno::fields
