// Prints the MIME type that the desktop's shared-mime-info database (XDG_DATA_DIRS) gives each
// file named, one a line, as a Qt file manager or file dialog sees it.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    const QMimeDatabase database;
    for (int i = 1; i < argc; ++i)
        std::printf("%s\n",
                    qPrintable(database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}
