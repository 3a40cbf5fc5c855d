#include "window/chart_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace talveno::window {

std::string decadeText(int decade) {
    char text[32];
    if (decade < -3 || decade > 3)
        std::snprintf(text, sizeof text, "1E%d", decade);
    else
        std::snprintf(text, sizeof text, "%.*f", std::max(0, -decade), std::pow(10.0, decade));
    return text;
}

std::string compactNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    std::string written = text;
    const std::size_t e = written.find('e');
    if (e == std::string::npos) return written;
    // "e-07" as "E-7", "e+10" as "E10".
    std::string exponent = written.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return written.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
}

}  // namespace talveno::window
