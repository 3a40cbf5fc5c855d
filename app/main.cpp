#include <QApplication>
#include <QFileInfo>

#include "ui/main_window.h"
#include "ui/qt_texts.h"

// talveno [FILE.dat]: the window, opened on the input data file given, as a file manager
// opens one.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    talveno::ui::installJapaneseQtTexts(application);
    TForm1 form;
    form.show();
    const QStringList arguments = application.arguments();
    if (arguments.size() > 1) form.openStartFile(QFileInfo(arguments.at(1)).absoluteFilePath());
    return application.exec();
}
