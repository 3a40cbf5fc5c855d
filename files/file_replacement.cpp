// Saving a data file: the new content replaces the file the path names only once complete.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

#include "files/file_failures.h"
#include "files/file_location.h"
#include "files/file_system.h"
#include "files/save_signals.h"

namespace talveno::file_system {

namespace {

[[noreturn]] void throwSystemFailure(int error = errno) {
    throw file_failures::systemFailure(error);
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throwSystemFailure();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Flushes the file's data to the disk; what cannot be flushed (a device) passes.
void flush(int fd) {
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) throwSystemFailure();
}

// Flushes the folder, so that a rename in it survives a crash. A folder that may be searched
// but not read cannot be opened for it and is left to the system.
void flushFolder(int folder) {
    const Descriptor readable(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (readable.get() >= 0) flush(readable.get());
}

// An error saying only that the folder may not be changed (no write permission, a sticky
// folder, a file mounted on its own): the file itself may still be written in place.
bool folderRefuses(int error) {
    return error == EACCES || error == EPERM || error == EBUSY;
}

// The new content beside the file it replaces, in an unnamed file or under a temporary name,
// renamed to the file's name once complete. A temporary name is removed on every failure and
// on the signals that end the process.
class StagedFile {
  public:
    // commit(): the unnamed file could be given no name.
    static constexpr int kNoName = -1;

    explicit StagedFile(int folder) : folder_(folder) {}
    ~StagedFile() { discardName(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Opens the file; 0, or the error number. Unnamed where the file system has such files.
    int open(Staging staging) {
        if (staging == Staging::Unnamed) {
            file_.reset(::openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return 0;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        }
        for (int attempt = 0;; ++attempt) {
            nameTemporary();
            file_.reset(::openat(folder_, name_, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return 0;
            const int error = errno;
            forgetName();
            if (error != EEXIST || attempt == 100) return error;
        }
    }

    int fd() const { return file_.get(); }

    // Gives the file the old one's owner and group, then its mode; false where the system
    // does not allow that owner or group.
    bool takeOwnerAndMode(const struct stat& old) {
        struct stat made {};
        if (::fstat(fd(), &made) != 0) throwSystemFailure();
        if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
            ::fchown(fd(), old.st_uid, old.st_gid) != 0)
            return false;
        if (::fchmod(fd(), old.st_mode & 07777) != 0) throwSystemFailure();
        return true;
    }

    // Flushes the complete file and renames it to `target`, then closes it and flushes the
    // folder: 0, the error number with which the rename failed, or kNoName. Until it is renamed
    // the file stays open and may be read.
    int commit(const std::string& target) {
        flush(fd());
        if (name_[0] == '\0' && !linkUnnamed()) return kNoName;
        if (::renameat(folder_, name_, folder_, target.c_str()) != 0) return errno;
        forgetName();
        if (::close(file_.release()) != 0) throwSystemFailure();
        flushFolder(folder_);
        return 0;
    }

  private:
    // The unnamed file under a temporary name, through /proc, or without it by the descriptor
    // (which needs the capability to read any file).
    bool linkUnnamed() {
        char self[32];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd());
        for (int attempt = 0; attempt <= 100; ++attempt) {
            nameTemporary();
            if (::linkat(AT_FDCWD, self, folder_, name_, AT_SYMLINK_FOLLOW) == 0 ||
                ::linkat(fd(), "", folder_, name_, AT_EMPTY_PATH) == 0)
                return true;
            const int error = errno;
            forgetName();
            if (error != EEXIST) return false;
        }
        return false;
    }

    // A fresh temporary name, armed for removal before it exists.
    void nameTemporary() {
        static std::atomic<unsigned> counter{0};
        std::snprintf(name_, sizeof name_, ".talveno-%ld-%u.tmp", static_cast<long>(::getpid()),
                      counter++);
        removal_.arm(folder_, name_);
    }
    void forgetName() {
        removal_.disarm();
        name_[0] = '\0';
    }
    void discardName() {
        if (name_[0] != '\0') ::unlinkat(folder_, name_, 0);
        forgetName();
    }

    int folder_;
    Descriptor file_;
    char name_[64] = "";
    RemovalOnSignal removal_;
};

// Copies the first `size` bytes of the file `from` to `to`.
void copyContent(int from, std::uint64_t size, int to) {
    std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, 1 << 20)));
    for (std::uint64_t offset = 0; offset < size;) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - offset));
        const ssize_t count = ::pread(from, buffer.data(), wanted, static_cast<off_t>(offset));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) throwSystemFailure();
        if (count == 0) throwSystemFailure(EIO);  // shortened meanwhile
        writeAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(count)));
        offset += static_cast<std::uint64_t>(count);
    }
}

// An unnamed file in the folder for temporary files ($TMPDIR, else /tmp), open for reading and
// writing; where the file system has no unnamed files, a file whose name is removed at once.
Descriptor scratchFile() {
    const char* const variable = std::getenv("TMPDIR");
    const std::string folderPath = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    const Location folder = locate(folderPath + "/.");
    Descriptor file(::openat(folder.folder.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (file.get() >= 0) return file;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) throwSystemFailure();
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0;; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".talveno-%ld-%u.spool", static_cast<long>(::getpid()),
                      counter++);
        file.reset(
            ::openat(folder.folder.get(), name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.get() >= 0) {
            ::unlinkat(folder.folder.get(), name, 0);
            return file;
        }
        if (errno != EEXIST || attempt == 100) throwSystemFailure();
    }
}

// Content kept to be copied out at the end: in memory while small, beyond that in a scratch
// file.
class Spool {
  public:
    void write(std::string_view bytes) {
        if (file_.get() < 0 && memory_.size() + bytes.size() > kMemoryLimit) {
            file_ = scratchFile();
            writeAll(file_.get(), memory_);
            std::string().swap(memory_);
        }
        if (file_.get() >= 0)
            writeAll(file_.get(), bytes);
        else
            memory_ += bytes;
        size_ += bytes.size();
    }

    void copyTo(int fd) const {
        if (file_.get() >= 0)
            copyContent(file_.get(), size_, fd);
        else
            writeAll(fd, memory_);
    }

  private:
    static constexpr std::size_t kMemoryLimit = 1 << 20;
    std::string memory_;
    Descriptor file_;
    std::uint64_t size_ = 0;
};

// Writes the content, `size` bytes that `copy` writes into a descriptor, over the open file's
// content. The new size is reserved first, so that a full disk shows before any byte changes (a
// file system that cannot reserve is written as it is); the signals that end a process wait
// until the file is whole again.
void writeInPlace(int fd, std::uint64_t size, const std::function<void(int)>& copy) {
    const HeldSignals held({SIGINT, SIGTERM, SIGHUP});
    if (size > 0) {
        const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL && error != EBADF &&
            error != ENODEV)
            throwSystemFailure(error);
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) throwSystemFailure();
    copy(fd);
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) throwSystemFailure();
    flush(fd);
}

// Writes the content into a stream (a character device, a FIFO, standard output). One whose
// reader goes away fails with the pipe error rather than ending the program.
void writeIntoStream(int fd, const Spool& spool) {
    const HeldSignals held({SIGPIPE});
    try {
        spool.copyTo(fd);
    } catch (const Failure&) {
        discardPending(SIGPIPE);
        throw;
    }
}

// Writes the content into the character device or FIFO at the location. A FIFO that nobody
// reads fails at once instead of waiting.
void writeStream(const Location& location, const Spool& spool) {
    Descriptor stream(::openat(location.folder.get(), location.name.c_str(),
                               O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (stream.get() < 0) throwSystemFailure();
    struct stat info {};
    if (::fstat(stream.get(), &info) != 0) throwSystemFailure();
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode))
        throw file_failures::blockDeviceOrSocket();
    ::fcntl(stream.get(), F_SETFL, ::fcntl(stream.get(), F_GETFL) & ~O_NONBLOCK);
    writeIntoStream(stream.get(), spool);
    if (::close(stream.release()) != 0) throwSystemFailure();
}

// The location of the open file by the links of the path, or nothing when the path no longer
// leads there (changed meanwhile, or a link the system resolves its own way).
std::optional<Location> linkedLocation(Location location, const struct stat& file) {
    try {
        Location target = resolveLinks(std::move(location));
        struct stat found {};
        if (::fstatat(target.folder.get(), target.name.c_str(), &found, AT_SYMLINK_NOFOLLOW) == 0 &&
            found.st_dev == file.st_dev && found.st_ino == file.st_ino)
            return target;
    } catch (const Failure&) {
    }
    return std::nullopt;
}

}  // namespace

// How the content reaches the file: staged beside it and renamed over it, copied into it in
// place at the end, copied into a device or FIFO at the end, or copied into an open descriptor.
enum class FileReplacement::Way { Beside, InPlace, Stream, Descriptor };

struct FileReplacement::Impl {
    Way way = Way::Beside;
    Location location;  // Beside: where the file goes; Stream: the device
    Descriptor file;    // the old file, open for writing
    int descriptor = -1;
    std::optional<struct stat> old;  // the file replaced
    std::optional<StagedFile> staged;
    Spool spool;
    std::uint64_t size = 0;

    // Stages beside the file, or decides to write in place where the folder refuses.
    void stageBeside(Staging staging) {
        staged.emplace(location.folder.get());
        const int error = staged->open(staging);
        if (error == 0 && (!old || staged->takeOwnerAndMode(*old))) return;
        staged.reset();
        if (error != 0 && (!old || !folderRefuses(error))) throwSystemFailure(error);
        way = Way::InPlace;
    }

    // The staged file under its name; where the unnamed one can be given no name, a named copy.
    // 0, or the error number with which the folder refused.
    int renameStaged() {
        const int error = staged->commit(location.name);
        if (error != StagedFile::kNoName) return error;
        StagedFile named(location.folder.get());
        if (const int openError = named.open(Staging::Named); openError != 0) return openError;
        if (old && !named.takeOwnerAndMode(*old)) return EPERM;
        copyContent(staged->fd(), size, named.fd());
        return named.commit(location.name);
    }

    void commitBeside() {
        const int error = renameStaged();
        if (error == 0) return;
        if (!old || !folderRefuses(error)) throwSystemFailure(error);
        writeInPlace(file.get(), size, [&](int fd) { copyContent(staged->fd(), size, fd); });
    }
};

FileReplacement::FileReplacement(const std::string& path, Staging staging)
    : impl_(std::make_unique<Impl>()) {
    Location location = locate(path);
    const int folder = location.folder.get();
    struct stat named {};
    if (::fstatat(folder, location.name.c_str(), &named, 0) != 0) {
        if (errno != ENOENT) throwSystemFailure();
        // No file yet, or a link to one still to be made there.
        impl_->location = resolveLinks(std::move(location));
        impl_->stageBeside(staging);
        return;
    }
    if (S_ISCHR(named.st_mode) || S_ISFIFO(named.st_mode)) {
        impl_->way = Way::Stream;
        impl_->location = std::move(location);
        return;
    }
    // A folder and a file without any write permission bit (read-only, also for the
    // superuser) are left as they are.
    if (S_ISDIR(named.st_mode) || (S_ISREG(named.st_mode) && (named.st_mode & 0222) == 0))
        throw file_failures::accessDenied();
    if (!S_ISREG(named.st_mode)) throw file_failures::blockDeviceOrSocket();

    impl_->file.reset(::openat(folder, location.name.c_str(), O_WRONLY | O_CLOEXEC));
    if (impl_->file.get() < 0) throwSystemFailure();
    struct stat old {};
    if (::fstat(impl_->file.get(), &old) != 0) throwSystemFailure();
    if (!S_ISREG(old.st_mode)) throw file_failures::blockDeviceOrSocket();
    impl_->old = old;
    std::optional<Location> target = linkedLocation(std::move(location), old);
    if (!target) {
        impl_->way = Way::InPlace;
        return;
    }
    impl_->location = std::move(*target);
    impl_->stageBeside(staging);
}

FileReplacement FileReplacement::intoDescriptor(int fd) {
    FileReplacement replacement;
    replacement.impl_ = std::make_unique<Impl>();
    replacement.impl_->way = Way::Descriptor;
    replacement.impl_->descriptor = fd;
    return replacement;
}

FileReplacement::FileReplacement() = default;
FileReplacement::FileReplacement(FileReplacement&&) noexcept = default;
FileReplacement& FileReplacement::operator=(FileReplacement&&) noexcept = default;
FileReplacement::~FileReplacement() = default;

void FileReplacement::write(std::string_view bytes) {
    Impl& impl = *impl_;
    const std::uint64_t start = impl.size;
    impl.size += bytes.size();
    if (impl.way != Way::Beside) return impl.spool.write(bytes);
    writeAll(impl.staged->fd(), bytes);
    // The disk gets each few megabytes as they are written, so that the flush at the end has
    // little left to wait for; a system that cannot do this leaves it to that flush.
    constexpr std::uint64_t kWriteBack = 2 << 20;
    if (impl.size / kWriteBack != start / kWriteBack) {
        const std::uint64_t from = start / kWriteBack * kWriteBack;
        ::sync_file_range(impl.staged->fd(), static_cast<off_t>(from),
                          static_cast<off_t>(impl.size - from), SYNC_FILE_RANGE_WRITE);
    }
}

void FileReplacement::commit() {
    Impl& impl = *impl_;
    switch (impl.way) {
        case Way::Beside:
            return impl.commitBeside();
        case Way::InPlace:
            return writeInPlace(impl.file.get(), impl.size, [&](int fd) { impl.spool.copyTo(fd); });
        case Way::Stream:
            return writeStream(impl.location, impl.spool);
        case Way::Descriptor:
            return writeIntoStream(impl.descriptor, impl.spool);
    }
}

void replaceFile(const std::string& path, std::string_view bytes, Staging staging) {
    FileReplacement replacement(path, staging);
    replacement.write(bytes);
    replacement.commit();
}

}  // namespace talveno::file_system
