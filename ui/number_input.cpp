#include "ui/number_input.h"

#include "core/full_width_numbers.h"

namespace talveno::ui {

QString halfWidthNumberText(QString text) {
    for (QChar& c : text) c = QChar(halfWidthNumberCharacter(c.unicode()));
    return text;
}

QValidator::State HalfWidthNumbers::validate(QString& text, int&) const {
    text = halfWidthNumberText(std::move(text));
    return Acceptable;
}

}  // namespace talveno::ui
