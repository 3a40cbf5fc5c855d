#include "ui/help_texts.h"

namespace talveno::ui::help {

QString displayed(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}

}  // namespace talveno::ui::help
