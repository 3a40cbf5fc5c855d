#pragma once

#include <QString>
#include <string_view>

#include "window/help_messages.h"

namespace talveno::ui::help {

// A stored text as the information box shows it: each LF CR pair one line break.
QString displayed(std::string_view text);

}  // namespace talveno::ui::help
