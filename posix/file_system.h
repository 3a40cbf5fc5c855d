#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

// What a path to read may lead to: anything that gives bytes (a pipe, a device), or only a
// regular file, which never keeps the reader waiting as a FIFO without a writer does.
enum class Readable { Anything, RegularFile };

// A file opened for reading; closed when destroyed.
class InputFile {
  public:
    // Anything else than a regular file, where only one is readable, fails with a message
    // naming the path (a folder as such) before it is read.
    explicit InputFile(const std::string& path, Readable readable = Readable::Anything);
    // The file open on a descriptor, such as standard input; it stays open.
    explicit InputFile(int fd);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Up to `size` further bytes into the buffer; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);

    // The file that is open.
    FileIdentity identity() const;

    // The size of a regular file; nothing for a pipe, a terminal or a device.
    std::optional<std::uint64_t> size() const;

  private:
    int fd_;
    bool owned_ = true;
};

// The file the path names now, links followed; nothing when there is none or it cannot be
// reached.
std::optional<FileIdentity> identityOf(const std::string& path);

// Where the file a path names is, or would be made: its folder and its name there, links
// followed (also a link to a file still to be made).
struct FilePlace {
    FileIdentity folder;
    std::string name;
    bool operator==(const FilePlace&) const = default;
};

// The place of the path's file; nothing when its folder cannot be reached.
std::optional<FilePlace> placeOf(const std::string& path);

// The regular file open on the descriptor; nothing for anything else.
std::optional<FileIdentity> regularFileOn(int fd);

// Where the new content waits until it is complete: an unnamed file where the file system has
// them, else a hidden temporary name (also where unnamed files are missing).
enum class Staging { Unnamed, Named };

// The new content of the file a path names, written block by block and put in its place only
// when committed. A symbolic link stays and the file it leads to is replaced. A regular file is
// replaced by a new one written beside it, flushed, given the old owner, group, mode, extended
// attributes and access control list, and renamed over it; the folder is flushed after. Where the
// folder may not be changed or the owner not kept, the content waits in a scratch file (in memory
// while small, else unnamed in $TMPDIR) and is written in place on commit, its size reserved first.
// A character device or a FIFO gets the content on commit too. A read-only file, a folder, a block
// device or a socket is refused at once. The new file gets the old one's extended attributes and
// access control list too; where they cannot be copied, the content is written in place. Any
// failure, and a replacement dropped without commit, leaves an existing file as it was and no
// temporary file behind; so do the signals a user sends. Replacing a file splits a hard link to it.
class FileReplacement {
  public:
    explicit FileReplacement(const std::string& path, Staging staging = Staging::Unnamed);
    // Content for an open descriptor such as standard output, waiting in a scratch file and
    // copied into it on commit; the descriptor stays open.
    static FileReplacement intoDescriptor(int fd);
    FileReplacement(FileReplacement&&) noexcept;
    FileReplacement& operator=(FileReplacement&&) noexcept;
    ~FileReplacement();

    // Adds the bytes to the end of the new content.
    void write(std::string_view bytes);
    // Takes every step of the commit that can fail before the file changes: the new file
    // flushed beside the old one, a device or FIFO opened, a write in place checked against the
    // limit of file sizes. The commit takes them itself where they were not taken.
    void prepare();
    // Whether the commit still writes the content (in place, into a device, a FIFO or a
    // descriptor), so that a full disk or a closed pipe can still fail it, rather than only
    // renaming the new file over the old. Settled once prepared.
    bool writesOnCommit() const;
    // Makes the content written the file's.
    void commit();

  private:
    FileReplacement();
    enum class Way;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Makes the bytes the content of the file the path names, as a FileReplacement does.
void replaceFile(const std::string& path, std::string_view bytes,
                 Staging staging = Staging::Unnamed);

}  // namespace talveno::file_system
