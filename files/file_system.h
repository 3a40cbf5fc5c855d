#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The file system side of the data files. Paths are UTF-8 and may be of any length: the
// folder is opened one component at a time. Failures are thrown with the file messages.
namespace talveno::file_system {

// What makes a file itself, whatever path leads to it.
struct FileIdentity {
    std::uint64_t device;
    std::uint64_t inode;
    bool operator==(const FileIdentity&) const = default;
};

// A file opened for reading; closed when destroyed.
class InputFile {
  public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Up to `size` further bytes into the buffer; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);

    // The file that is open.
    FileIdentity identity() const;

  private:
    int fd_;
};

// The file the path names now, links followed; nothing when there is none or it cannot be
// reached.
std::optional<FileIdentity> identityOf(const std::string& path);

// Where the new content waits until it is complete: an unnamed file where the file system has
// them, else a hidden temporary name (also where unnamed files are missing).
enum class Staging { Unnamed, Named };

// Makes the bytes the content of the file the path names. A symbolic link stays and the file
// it leads to is replaced. A regular file is replaced by a new one written beside it, flushed,
// given the old owner, group and mode, and renamed over it; the folder is flushed after. Where
// the folder may not be changed or the owner not kept, the file is written in place, its new
// size reserved first. Any failure leaves an existing file as it was and no temporary file
// behind; so do the signals a user sends. A character device or a FIFO is written directly; a
// read-only file, a folder, a block device or a socket is refused. Replacing a file splits
// a hard link to it.
void replaceFile(const std::string& path, std::string_view bytes,
                 Staging staging = Staging::Unnamed);

}  // namespace talveno::file_system
