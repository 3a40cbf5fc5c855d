#include "disk/disk_files.h"

namespace talveno {

namespace {

template <typename Write>
void save(const std::string& path, Write&& write) {
    file_system::FileReplacement file(path);
    write([&](std::string_view bytes) { file.write(bytes); });
    file.commit();
}

}  // namespace

ByteSource bytesOf(file_system::InputFile& file) {
    return [&file](char* buffer, std::size_t size) { return file.read(buffer, size); };
}

void saveInputDataFile(const Table& input, const std::string& path) {
    save(path, [&](const ByteSink& out) { writeInputDataFile(input, out); });
}

void saveResultFile(const Table& result, StiffnessUnit unit, const std::string& path) {
    save(path, [&](const ByteSink& out) { writeResultFile(result, unit, out); });
}

std::vector<InputRecord> readInputDataFile(const std::string& path) {
    file_system::InputFile file(path, file_system::Readable::RegularFile);
    return readInputDataFile(file, path);
}

std::vector<InputRecord> readInputDataFile(file_system::InputFile& file, const std::string& path) {
    return readInputDataFile(bytesOf(file), path);
}

std::vector<ResultRecord> readResultFile(const std::string& path) {
    file_system::InputFile file(path, file_system::Readable::RegularFile);
    return readResultFile(file, path);
}

std::vector<ResultRecord> readResultFile(file_system::InputFile& file, const std::string& path) {
    return readResultFile(bytesOf(file), path);
}

}  // namespace talveno
