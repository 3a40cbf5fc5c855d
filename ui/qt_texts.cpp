#include "ui/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace talveno::ui {

namespace {

// The texts of Qt's print dialog that Qt's Japanese catalogue lacks: it translates them under
// the words of older Qt versions ("Duplex Printing", "None", "Long side", "Short side").
struct ProgramText {
    const char* context;
    const char* source;
    const char* japanese;
};
constexpr ProgramText kProgramTexts[] = {
    {"QPrintSettingsOutput", "Double Sided Printing", "両面印刷"},
    {"QPrintSettingsOutput", "Off", "なし"},
    {"QPrintSettingsOutput", "Long side binding", "長辺綴じ"},
    {"QPrintSettingsOutput", "Short side binding", "短辺綴じ"},
    {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
};

// The program's own small catalogue, installed after Qt's so that it is asked first.
class ProgramTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char*, int) const override {
        if (!context || !source) return {};
        for (const ProgramText& text : kProgramTexts)
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
                return QString::fromUtf8(text.japanese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool installJapaneseQtTexts(QCoreApplication& application) {
    auto* qt = new QTranslator(&application);
    const bool found =
        qt->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (found)
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    QCoreApplication::installTranslator(new ProgramTexts(&application));
    return found;
}

}  // namespace talveno::ui
