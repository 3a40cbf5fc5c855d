#include "ui/number_input.h"

namespace talveno::ui {

namespace {

char16_t halfWidth(char16_t c) {
    if (c >= u'０' && c <= u'９') return static_cast<char16_t>(u'0' + (c - u'０'));
    switch (c) {
        case u'＋':
            return u'+';
        case u'－':
        case u'−':
            return u'-';
        case u'．':
            return u'.';
        case u'Ｅ':
            return u'E';
        case u'ｅ':
            return u'e';
        case u'\u3000':
            return u' ';
        default:
            return c;
    }
}

}  // namespace

QString halfWidthNumberText(QString text) {
    for (QChar& c : text) c = QChar(halfWidth(c.unicode()));
    return text;
}

QValidator::State HalfWidthNumbers::validate(QString& text, int&) const {
    text = halfWidthNumberText(std::move(text));
    return Acceptable;
}

}  // namespace talveno::ui
