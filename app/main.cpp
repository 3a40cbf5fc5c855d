#include <QApplication>

#include "ui/main_window.h"
#include "ui/qt_texts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    talveno::ui::installJapaneseQtTexts(application);
    TForm1 form;
    form.show();
    return application.exec();
}
