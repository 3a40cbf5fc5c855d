#include "window/help_messages.h"

#include <array>
#include <stdexcept>

namespace talveno::window::help {

std::string_view message(int number) {
    constexpr std::array<std::string_view, 5> kMessages = {kHelp1, kHelp2, kHelp3, kHelp4, kHelp5};
    if (number < 1 || number > 5) throw std::invalid_argument("help message: 1 to 5");
    return kMessages[static_cast<std::size_t>(number - 1)];
}

std::string displayed(std::string_view text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size(); ++at) {
        shown += text[at];
        if (text.substr(at, 2) == "\n\r") ++at;
    }
    return shown;
}

}  // namespace talveno::window::help
