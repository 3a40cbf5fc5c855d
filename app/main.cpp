#include <QApplication>
#include <QFileInfo>

#include "app/window_command_line.h"
#include "ui/main_window.h"
#include "ui/qt_texts.h"

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
    if (!line.file.empty())
        form.openStartFile(QFileInfo(QString::fromLocal8Bit(line.file)).absoluteFilePath());
    return application.exec();
}
