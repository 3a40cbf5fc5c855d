#include "core/failure.h"

namespace talveno {

std::string withFullStop(std::string_view message) {
    std::string text(message);
    // The last byte of a multi-byte UTF-8 character is at least 0x80, which sorts after "."
    // just as the trail byte of a double-byte CP932 character does.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

}  // namespace talveno
