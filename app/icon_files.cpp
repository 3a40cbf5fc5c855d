// Writes the program's icon for the desktop into a folder: talveno.svg, talveno-32.png and
// talveno-256.png. Run by the build; not installed.
#include <QDir>
#include <QFile>
#include <cstdio>

#include "ui/icon.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: icon_files FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    QFile svg(folder.filePath(QStringLiteral("talveno.svg")));
    const QByteArray document = talveno::ui::icon::svg();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(document) != document.size()) return 1;
    for (const int size : {32, 256})
        if (!talveno::ui::icon::image(size).save(
                folder.filePath(QStringLiteral("talveno-%1.png").arg(size))))
            return 1;
    return 0;
}
