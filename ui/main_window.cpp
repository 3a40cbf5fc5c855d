#include "ui/main_window.h"

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    setObjectName("Form1");
    setWindowTitle("Talveno ver1.7  2008.03.02");
}
