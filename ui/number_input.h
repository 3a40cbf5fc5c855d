#pragma once

#include <QString>
#include <QValidator>

// Numbers typed by a Japanese input method in full-width mode, taken as the numbers they mean.
namespace talveno::ui {

// The text with its full-width digits, signs (＋, －, and the minus sign −), decimal point, the
// letters Ｅ and ｅ, and ideographic spaces turned into their ASCII forms, as every front end
// turns them (core/full_width_numbers.h); every other character kept. Each character stays one
// character, so positions in the text keep their place.
QString halfWidthNumberText(QString text);

// Applies halfWidthNumberText to an edit box's text as it is typed or pasted; refuses nothing.
class HalfWidthNumbers : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& text, int& position) const override;
};

}  // namespace talveno::ui
