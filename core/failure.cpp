#include "core/failure.h"

#include <algorithm>

namespace talveno {

std::string withFullStop(std::string_view message) {
    std::string text;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        const std::string_view line = message.substr(start, end - start);
        text += line;
        // The last byte of a multi-byte UTF-8 character is at least 0x80, which sorts after "."
        // just as the trail byte of a double-byte CP932 character does.
        if (!line.empty() && static_cast<unsigned char>(line.back()) > '.') text += '.';
        if (end == message.size()) break;
        text += '\n';
        start = end + 1;
    }
    return text;
}

std::string errorBoxText(std::string_view message, int row) {
    std::string text = withFullStop(message);
    if (row > 0) text += "\n(No. " + std::to_string(row) + ")";
    return text;
}

}  // namespace talveno
