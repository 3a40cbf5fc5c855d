// Saving a data file: the new content replaces the file the path names only once complete.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <optional>

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
            file_.reset(::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return 0;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        }
        for (int attempt = 0;; ++attempt) {
            nameTemporary();
            file_.reset(::openat(folder_, name_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
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

    // Flushes and closes the complete file and renames it to `target`, then flushes the
    // folder: 0, the error number with which the rename failed, or kNoName.
    int commit(const std::string& target) {
        flush(fd());
        if (name_[0] == '\0' && !linkUnnamed()) return kNoName;
        if (::close(file_.release()) != 0) throwSystemFailure();
        if (::renameat(folder_, name_, folder_, target.c_str()) != 0) return errno;
        forgetName();
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

enum class Outcome { Replaced, Refused, Unnamable };

// The bytes staged beside the file at the target and renamed over it; `old` is the file
// replaced, or null for a new file. Refused: the folder takes no new file or rename, or the
// old owner cannot be kept; a new file is then refused with that error.
Outcome replaceThroughFolder(const Location& target, std::string_view bytes, Staging staging,
                             const struct stat* old) {
    StagedFile staged(target.folder.get());
    int error = staged.open(staging);
    if (error == 0 && old != nullptr && !staged.takeOwnerAndMode(*old)) return Outcome::Refused;
    if (error == 0) {
        writeAll(staged.fd(), bytes);
        error = staged.commit(target.name);
    }
    if (error == 0) return Outcome::Replaced;
    if (error == StagedFile::kNoName) return Outcome::Unnamable;
    if (old == nullptr || !folderRefuses(error)) throwSystemFailure(error);
    return Outcome::Refused;
}

bool replaceThroughFolderOrNot(const Location& target, std::string_view bytes, Staging staging,
                               const struct stat* old) {
    Outcome outcome = replaceThroughFolder(target, bytes, staging, old);
    if (outcome == Outcome::Unnamable)
        outcome = replaceThroughFolder(target, bytes, Staging::Named, old);
    return outcome == Outcome::Replaced;
}

// Writes the bytes over the open file's content. The new size is reserved first, so that a
// full disk shows before any byte changes (a file system that cannot reserve is written as it
// is); the signals that end a process wait until the file is whole again.
void writeInPlace(int fd, std::string_view bytes) {
    const HeldSignals held({SIGINT, SIGTERM, SIGHUP});
    if (!bytes.empty()) {
        const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL && error != EBADF &&
            error != ENODEV)
            throwSystemFailure(error);
    }
    writeAll(fd, bytes);
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) throwSystemFailure();
    flush(fd);
}

// Writes the bytes into the character device or FIFO at the location. A FIFO that nobody
// reads fails at once instead of waiting; one whose reader goes away fails with the pipe
// error rather than ending the program.
void writeStream(const Location& location, std::string_view bytes) {
    Descriptor stream(::openat(location.folder.get(), location.name.c_str(),
                               O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (stream.get() < 0) throwSystemFailure();
    struct stat info {};
    if (::fstat(stream.get(), &info) != 0) throwSystemFailure();
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode))
        throw file_failures::blockDeviceOrSocket();
    ::fcntl(stream.get(), F_SETFL, ::fcntl(stream.get(), F_GETFL) & ~O_NONBLOCK);
    const HeldSignals held({SIGPIPE});
    try {
        writeAll(stream.get(), bytes);
    } catch (const Failure&) {
        discardPending(SIGPIPE);
        throw;
    }
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

void replaceFile(const std::string& path, std::string_view bytes, Staging staging) {
    Location location = locate(path);
    const int folder = location.folder.get();
    struct stat named {};
    if (::fstatat(folder, location.name.c_str(), &named, 0) != 0) {
        if (errno != ENOENT) throwSystemFailure();
        // No file yet, or a link to one still to be made there.
        replaceThroughFolderOrNot(resolveLinks(std::move(location)), bytes, staging, nullptr);
        return;
    }
    if (S_ISCHR(named.st_mode) || S_ISFIFO(named.st_mode)) return writeStream(location, bytes);
    // A folder and a file without any write permission bit (read-only, also for the
    // superuser) are left as they are.
    if (S_ISDIR(named.st_mode) || (S_ISREG(named.st_mode) && (named.st_mode & 0222) == 0))
        throw file_failures::accessDenied();
    if (!S_ISREG(named.st_mode)) throw file_failures::blockDeviceOrSocket();

    const Descriptor file(::openat(folder, location.name.c_str(), O_WRONLY | O_CLOEXEC));
    if (file.get() < 0) throwSystemFailure();
    struct stat old {};
    if (::fstat(file.get(), &old) != 0) throwSystemFailure();
    if (!S_ISREG(old.st_mode)) throw file_failures::blockDeviceOrSocket();
    const std::optional<Location> target = linkedLocation(std::move(location), old);
    if (target && replaceThroughFolderOrNot(*target, bytes, staging, &old)) return;
    writeInPlace(file.get(), bytes);
}

}  // namespace talveno::file_system
