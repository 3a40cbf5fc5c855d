#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The file system side of the data files. Paths are UTF-8 and may be of any length: the
// folder is opened one component at a time. Failures are thrown with the file messages.
namespace talveno::file_system {

// A file opened for reading; closed when destroyed.
class InputFile {
  public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Up to `size` further bytes into the buffer; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);

  private:
    int fd_;
};

// Makes the bytes the content of the file at the path: they go into a temporary file beside
// it, which replaces the file only once complete. On any failure the temporary file is
// removed and an existing file keeps its content. A read-only file is not replaced.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace talveno::file_system
