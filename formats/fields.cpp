#include "formats/fields.h"

#include <charconv>
#include <cmath>

#include "core/number_text.h"

namespace talveno::fields {

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// The fixed-point text padded on the left to the width, with at least one blank.
void appendSeparated(std::string& out, std::string_view text, int width) {
    const std::size_t fieldWidth = static_cast<std::size_t>(width);
    out.append(text.size() < fieldWidth ? fieldWidth - text.size() : 1, ' ');
    out += text;
}

// A blank, and one more before a negative number: an exponent field that always stands apart.
void appendSeparatedExponent(std::string& out, double value) {
    out += ' ';
    appendExponentText(out, value, 4, 4);
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
    std::string text;
    appendSeparated(text, fixedText(value, decimals), width);
    return text;
}

std::string separatedExponentField(double value) {
    std::string text;
    appendSeparatedExponent(text, value);
    return text;
}

void appendSeparatedFixedField(std::string& out, std::string_view cell, int width, int decimals) {
    if (isOwnFixedText(cell, decimals)) return appendSeparated(out, cell, width);
    static thread_local std::string text;
    text.clear();
    appendFixedText(text, parseNumber(cell), decimals);
    appendSeparated(out, text, width);
}

void appendSeparatedExponentField(std::string& out, std::string_view cell) {
    const auto exponent = ownExponentTextExponent(cell);
    if (!exponent) return appendSeparatedExponent(out, parseNumber(cell));
    out += ' ';
    out.append(cell.substr(0, cell.find('E') + 1));
    out += *exponent < 0 ? '-' : '+';
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, std::abs(*exponent)).ptr;
    out.append(4 - (end - digits), '0');
    out.append(digits, end);
}

std::string rowNumberField(int row) {
    std::string text;
    appendRowNumberField(text, row);
    return text;
}

void appendRowNumberField(std::string& out, int row) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, row).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    if (length < 3) out.append(3 - length, ' ');
    out.append(digits, end);
    out += ' ';
}

}  // namespace talveno::fields
