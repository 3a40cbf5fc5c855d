#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QWidget;

// The window's fonts, colours and cursors.
namespace talveno::ui {

// "ＭＳ Ｐゴシック" where installed, else IPA P Gothic, at a pixel height (12, or 16 for the
// large page titles).
QFont windowFont(int pixelSize = 12);
inline constexpr int kLargePixelSize = 16;

// A text and the width in pixels it has to fit in.
struct TextInRoom {
    QString text;
    int room;
    bool operator==(const TextInRoom&) const = default;
};

// The font at the largest pixel size, not above its own, at which each text fits its room, so
// that the texts of the window show whole in the places they were designed for where the
// stand-in face runs wider than the designed one. Never below 8 pixels.
QFont fitted(QFont font, const QList<TextInRoom>& texts);
inline QFont fitted(const QFont& font, const QString& text, int room) {
    return fitted(font, {{text, room}});
}

// The system colours the window uses, taken from the application palette.
QColor buttonFace();
QColor light3d();
QColor buttonText();

inline constexpr QColor kRed{255, 0, 0};
inline constexpr QColor kSilver{192, 192, 192};
inline constexpr QColor kWhite{255, 255, 255};
inline constexpr QColor kCream{255, 251, 240};

// The background of a text box or grid (its base colour).
void setBackground(QWidget* widget, const QColor& colour);
// The colour a page, panel or group fills its area with; its boxes keep their own.
void setFill(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

// The wait cursor over the whole program while it lives: for the commands that may run long
// (a run, a read or a save of many rows), made once their dialogs are answered and gone before
// any box opens.
class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace talveno::ui
