#include "ui/look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPalette>
#include <QWidget>
#include <algorithm>

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

QFont fitted(QFont font, const QList<TextInRoom>& texts) {
    constexpr int kSmallestPixelSize = 8;
    const auto allFit = [&texts](const QFontMetrics& metrics) {
        return std::all_of(texts.begin(), texts.end(), [&metrics](const TextInRoom& text) {
            return metrics.horizontalAdvance(text.text) <= text.room;
        });
    };
    while (font.pixelSize() > kSmallestPixelSize && !allFit(QFontMetrics(font)))
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

// The 3-D light colour: the shade between the button face and its white highlight.
QColor light3d() {
    const QPalette palette = QApplication::palette();
    const QColor face = palette.color(QPalette::Button);
    const QColor light = palette.color(QPalette::Light);
    return QColor((face.red() + light.red()) / 2, (face.green() + light.green()) / 2,
                  (face.blue() + light.blue()) / 2);
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

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

}  // namespace talveno::ui
