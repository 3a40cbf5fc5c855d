// Writes the program's icon for the desktop into a folder: talveno.svg, talveno-32.png and
// talveno-256.png. Run by the build; not installed.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSvgGenerator>
#include <cstdio>

#include "qt_paint/painter_canvas.h"
#include "window/pictures.h"

namespace {

using talveno::window::pictures::drawIcon;
using talveno::window::pictures::kIconSize;

QByteArray svgDocument() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(int(kIconSize.width), int(kIconSize.height)));
    svg.setViewBox(QRectF(0, 0, kIconSize.width, kIconSize.height));
    svg.setTitle(QStringLiteral("Talveno"));
    QPainter painter(&svg);
    talveno::ui::PainterCanvas canvas(painter, QFont(), kIconSize, svg.viewBoxF());
    drawIcon(canvas);
    return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: icon_files FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    QFile svg(folder.filePath(QStringLiteral("talveno.svg")));
    const QByteArray document = svgDocument();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(document) != document.size()) return 1;
    for (const int size : {32, 256})
        if (!talveno::ui::drawnImage(kIconSize, drawIcon, QFont(), QSize(size, size))
                 .save(folder.filePath(QStringLiteral("talveno-%1.png").arg(size))))
            return 1;
    return 0;
}
