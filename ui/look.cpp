#include "ui/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace talveno::ui {

namespace {

const QString& fontFamily() {
    static const QString family = [] {
        const QString designed = QStringLiteral("ＭＳ Ｐゴシック");
        return QFontDatabase::families().contains(designed) ? designed
                                                            : QStringLiteral("IPAPGothic");
    }();
    return family;
}

}  // namespace

QFont windowFont(int pixelSize) {
    QFont font(fontFamily());
    font.setPixelSize(pixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

QColor light3d() {
    return QApplication::palette().color(QPalette::Midlight);
}

QColor buttonText() {
    return QApplication::palette().color(QPalette::ButtonText);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

void setFill(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

}  // namespace talveno::ui
