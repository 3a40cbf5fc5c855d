#include "ui/disk_file.h"

#include <array>

#include "disk/disk_files.h"
#include "posix/file_system.h"
#include "ui/local_paths.h"

namespace talveno::ui {

DiskFile::DiskFile(const QString& shown) : path_(localPath(shown)), name_(shown.toStdString()) {}

DiskFile::DiskFile(const std::string& path) : path_(path), name_(shownPath(path).toStdString()) {}

std::string DiskFile::head() {
    file_system::InputFile file(path_, file_system::Readable::RegularFile);
    std::array<char, window::kHeadBytes> head{};
    std::size_t size = 0;
    while (size < head.size()) {
        const std::size_t got = file.read(head.data() + size, head.size() - size);
        if (got == 0) break;
        size += got;
    }
    return std::string(head.data(), size);
}

std::vector<InputRecord> DiskFile::inputRecords() {
    return readInputDataFile(path_);
}

std::vector<ResultRecord> DiskFile::resultRecords() {
    return readResultFile(path_);
}

}  // namespace talveno::ui
