#include "app/window_command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace talveno::app {
namespace {

constexpr const char* kUsage =
    "usage: talveno [FILE]\n"
    "Opens the Talveno window; on FILE, when one is given: an input data file (*.dat) on the\n"
    "input page, a result file (*.mpa, *.kgf) on the result page.\n"
    "  -h, --help  print this usage\n"
    "  --version   print the version\n"
    "  --          the end of the options\n"
    "Qt's own options (-style, -platform, -display and the like) are passed on to Qt.\n";

// Qt's options, written with one dash or two; those that take a value take the next argument
// or one after "=".
struct QtOption {
    std::string_view name;
    bool value;
};
constexpr std::array kQtOptions = {
    QtOption{"style", true},           QtOption{"stylesheet", true},
    QtOption{"platform", true},        QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},   QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true}, QtOption{"qwindowicon", true},
    QtOption{"qwindowtitle", true},    QtOption{"session", true},
    QtOption{"display", true},         QtOption{"geometry", true},
    QtOption{"qmljsdebugger", true},   QtOption{"dialogs", true},
    QtOption{"fontengine", true},      QtOption{"reverse", false},
    QtOption{"widgetcount", false},
};

// The Qt option an argument is, if any.
const QtOption* qtOption(std::string_view argument) {
    std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
    const bool withValue = name.find('=') != std::string_view::npos;
    name = name.substr(0, name.find('='));
    const auto* found = std::find_if(kQtOptions.begin(), kQtOptions.end(),
                                     [&](const QtOption& option) { return option.name == name; });
    if (found == kQtOptions.end() || (withValue && !found->value)) return nullptr;
    return found;
}

bool written(std::FILE* stream, const char* text) {
    return std::fputs(text, stream) >= 0 && std::fflush(stream) == 0;
}

}  // namespace

WindowCommandLine parseWindowCommandLine(int argc, const char* const argv[]) {
    using Action = WindowCommandLine::Action;
    WindowCommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (optionsEnded || !argument.starts_with("-") || argument == "-") {
            if (!line.file.empty()) return {Action::UsageError, {}, "one FILE at most"};
            line.file = argument;
        } else if (argument == "-h" || argument == "--help") {
            return {Action::Help, {}, {}};
        } else if (argument == "--version") {
            return {Action::Version, {}, {}};
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (const QtOption* option = qtOption(argument)) {
            if (option->value && argument.find('=') == std::string_view::npos) ++i;
        } else {
            return {Action::UsageError, {}, "unknown option '" + std::string(argument) + "'"};
        }
    }
    return line;
}

int answerWithoutWindow(const WindowCommandLine& line) {
    using Action = WindowCommandLine::Action;
    if (line.action == Action::UsageError) {
        const std::string said = "talveno: " + line.problem + "\n";
        written(stderr, said.c_str());
        written(stderr, kUsage);
        return 2;
    }
    const bool answered = line.action == Action::Help
                              ? written(stdout, kUsage)
                              : written(stdout, "talveno " TALVENO_VERSION "\n");
    return answered ? 0 : 1;
}

}  // namespace talveno::app
