#include "ui/local_paths.h"

#include <QFile>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace talveno::ui {

namespace {

// The one entry of the folder whose name Qt decodes to the name given, or nothing.
std::optional<std::string> entryDecodedAs(const std::string& folder, const QString& name) {
    namespace fs = std::filesystem;
    std::optional<std::string> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string entryName = entry->path().filename().string();
        if (shownPath(entryName) != name) continue;
        if (found) return std::nullopt;
        found = entryName;
    }
    return found;
}

}  // namespace

std::string localPath(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter)) return QFile::encodeName(path).toStdString();
    const QStringList names = path.split(QLatin1Char('/'));
    std::string local;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const std::string folder = i == 0 ? "." : local.empty() ? "/" : local;
        if (i > 0) local += '/';
        const QString& name = names[i];
        std::optional<std::string> found;
        if (name.contains(QChar::ReplacementCharacter)) found = entryDecodedAs(folder, name);
        local += found ? *found : QFile::encodeName(name).toStdString();
    }
    return local;
}

QString shownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace talveno::ui
