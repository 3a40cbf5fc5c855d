#include <QApplication>
#include <filesystem>
#include <string>

#include "app/window_command_line.h"
#include "ui/main_window.h"
#include "ui/qt_texts.h"

namespace {

// The path made absolute and without "." and ".." or a final "/", its bytes as given: a name
// need not be UTF-8.
std::string absolutePath(const std::string& path) {
    std::error_code ignored;
    std::string absolute = std::filesystem::absolute(path, ignored).lexically_normal().string();
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    return absolute;
}

}  // namespace

// talveno [FILE]: the window, opened on the input data file or the result file given, as a
// file manager opens one. --help and --version answer without a window, and need no display.
int main(int argc, char* argv[]) {
    const auto line = talveno::app::parseWindowCommandLine(argc, argv);
    if (line.action != talveno::app::WindowCommandLine::Action::OpenWindow)
        return talveno::app::answerWithoutWindow(line);
    QApplication application(argc, argv);
    talveno::ui::installJapaneseQtTexts(application);
    TForm1 form;
    form.show();
    if (!line.file.empty()) form.openStartFile(absolutePath(line.file));
    return application.exec();
}
