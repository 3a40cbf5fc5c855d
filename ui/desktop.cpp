#include "ui/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace talveno::ui {

QString QtDesktop::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

bool QtDesktop::openDocument(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace talveno::ui
