#pragma once

#include <string>

// The command line of the window program: `talveno [-h | --help | --version] [--] [FILE]`.
// Qt's own options (-style, -platform, -display and the like) are left in place for Qt.
namespace talveno::app {

struct WindowCommandLine {
    enum class Action { OpenWindow, Help, Version, UsageError };
    Action action = Action::OpenWindow;
    std::string file;     // the file to open the window on, or empty
    std::string problem;  // what was wrong, for a usage error
};

WindowCommandLine parseWindowCommandLine(int argc, const char* const argv[]);

// Answers a command line that asks for no window: the usage or the version on standard
// output, or the usage error on standard error. Returns the exit status: 0, 2 for a usage
// error, 1 when the answer cannot be written.
int answerWithoutWindow(const WindowCommandLine& line);

}  // namespace talveno::app
