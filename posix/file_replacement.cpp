// Saving a data file: the new content replaces the file the path names only once complete.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "formats/file_failures.h"
#include "posix/file_location.h"
#include "posix/file_system.h"
#include "posix/save_signals.h"

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

// Reads into the buffer what `get(data, size)` gives, asking first for its size; false where it
// fails.
template <typename Get>
bool readSized(std::vector<char>& buffer, Get get) {
    while (true) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0) return false;
        buffer.resize(static_cast<std::size_t>(size));
        if (size == 0) return true;
        const ssize_t got = get(buffer.data(), buffer.size());
        if (got >= 0) {
            buffer.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;  // grown meanwhile
    }
}

// Errors by which a file system says that it cannot hold a mode, an owner, an extended
// attribute or an access control list (a FAT file system, a file system without attributes).
bool cannotHold(int error) {
    return error == ENOSYS || error == EPERM || error == EOPNOTSUPP;
}

// How far a file's attributes were copied to its new file: all of them, all but some that the
// file system cannot hold, or not (one could not be read, or set for another reason).
enum class Copied { All, Unheld, Failed };

// The outcome of setting one attribute: kept, not held by the file system, or failed.
Copied setting(bool done) {
    return done ? Copied::All : cannotHold(errno) ? Copied::Unheld : Copied::Failed;
}

Copied worse(Copied a, Copied b) {
    return std::max(a, b);
}

// Copies the extended attributes of the file `from` to `to`, all but the access control lists.
// A file system without them has none to copy.
Copied copyExtendedAttributes(int from, int to) {
    std::vector<char> names;
    if (!readSized(names,
                   [&](char* data, std::size_t size) { return ::flistxattr(from, data, size); }))
        return errno == ENOTSUP ? Copied::All : Copied::Failed;
    std::vector<char> value;
    Copied copied = Copied::All;
    for (std::size_t at = 0; at < names.size() && copied != Copied::Failed;) {
        const char* const name = names.data() + at;
        at += std::char_traits<char>::length(name) + 1;
        if (std::string_view(name).starts_with("system.posix_acl_")) continue;
        if (!readSized(value, [&](char* data, std::size_t size) {
                return ::fgetxattr(from, name, data, size);
            }))
            return Copied::Failed;
        copied = worse(copied, setting(::fsetxattr(to, name, value.data(), value.size(), 0) == 0));
    }
    return copied;
}

constexpr const char* kAccessList = "system.posix_acl_access";

// The access control list of a file: the extended attribute the kernel keeps it in, empty where
// the file has none beyond its mode or its file system has none; nothing where it cannot be read.
std::optional<std::vector<char>> accessControlList(int fd) {
    std::vector<char> list;
    if (readSized(list, [&](char* data, std::size_t size) {
            return ::fgetxattr(fd, kAccessList, data, size);
        }))
        return list;
    if (errno == ENODATA || errno == ENOTSUP) return std::vector<char>();
    return std::nullopt;
}

// Gives the file `to` the access control list of `from`, also where that is no more than the
// mode, so that entries the new file took from its folder's default list go. Setting it sets
// the mode's group bits from its mask, as the list's own calls do.
Copied copyAccessControlList(int from, int to) {
    const std::optional<std::vector<char>> list = accessControlList(from);
    if (!list) return Copied::Failed;
    if (!list->empty())
        return setting(::fsetxattr(to, kAccessList, list->data(), list->size(), 0) == 0);
    return setting(::fremovexattr(to, kAccessList) == 0 || errno == ENODATA || errno == ENOTSUP);
}

// Whether the new file grants no more than the old one: the same owner and group, no mode bit
// the old one lacks, and the same access control list.
bool grantsNoMore(int oldFile, const struct stat& old, int newFile) {
    struct stat made {};
    if (::fstat(newFile, &made) != 0) return false;
    const auto oldList = accessControlList(oldFile);
    const auto newList = accessControlList(newFile);
    return made.st_uid == old.st_uid && made.st_gid == old.st_gid &&
           (made.st_mode & 07777 & ~old.st_mode) == 0 && oldList && newList && *oldList == *newList;
}

// The mode a file gets where it is created with all read and write bits: those of the process's
// file creation mask taken away.
mode_t creationMode() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("Umask:"))
            return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 0644;
}

// The new content beside the file it replaces, in an unnamed file or under a temporary name,
// renamed to the file's name once complete. A temporary name is removed on every failure and
// on the signals that end the process.
class StagedFile {
  public:
    explicit StagedFile(int folder) : folder_(folder) {}
    ~StagedFile() { discardName(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Opens the file; 0, or the error number. Unnamed where the file system has such files;
    // a named one grants nothing to others until complete, so that no one can open it meanwhile.
    int open(Staging staging) {
        if (staging == Staging::Unnamed) {
            file_.reset(::openat(folder_, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return 0;
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        }
        for (int attempt = 0;; ++attempt) {
            nameTemporary();
            file_.reset(::openat(folder_, name_, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
            if (file_.get() >= 0) {
                private_ = true;
                return 0;
            }
            const int error = errno;
            forgetName();
            if (error != EEXIST || attempt == 100) return error;
        }
    }

    int fd() const { return file_.get(); }

    // Gives the file the old one's owner and group, its extended attributes, its mode and its
    // access control list. What the file system cannot hold is nothing to keep, as long as the
    // new file grants no more than the old one. False where an attribute cannot be copied, or
    // where the new file would grant more, so that the content is written in place instead.
    bool takeAttributesOf(int oldFile, const struct stat& old) {
        struct stat made {};
        if (::fstat(fd(), &made) != 0) throwSystemFailure();
        Copied copied = Copied::All;
        if (made.st_uid != old.st_uid || made.st_gid != old.st_gid)
            copied = setting(::fchown(fd(), old.st_uid, old.st_gid) == 0);
        copied = worse(copied, copyExtendedAttributes(oldFile, fd()));
        if (copied == Copied::Failed) return false;
        const Copied mode = setting(::fchmod(fd(), old.st_mode & 07777) == 0);
        if (mode == Copied::Failed) throwSystemFailure();
        copied = worse(worse(copied, mode), copyAccessControlList(oldFile, fd()));
        private_ = false;
        return copied == Copied::All ||
               (copied == Copied::Unheld && grantsNoMore(oldFile, old, fd()));
    }

    bool named() const { return name_[0] != '\0'; }

    // Renames the complete, flushed file to `target`, then closes it and flushes the folder: 0,
    // or the error number with which the rename failed. Until it is renamed the file stays open
    // and may be read.
    int rename(const std::string& target) {
        // A new file, kept from others while written, gets the mode of a file newly made.
        if (private_ && ::fchmod(fd(), creationMode()) != 0 && !cannotHold(errno))
            throwSystemFailure();
        if (::renameat(folder_, name_, folder_, target.c_str()) != 0) return errno;
        forgetName();
        if (::close(file_.release()) != 0) throwSystemFailure();
        flushFolder(folder_);
        return 0;
    }

    // The unnamed file under a temporary name, through /proc, or without it by the descriptor
    // (which needs the capability to read any file); false where neither works.
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

  private:
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
    bool private_ = false;  // named with no access for others, its own mode still to come
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

// The folder for temporary files: $TMPDIR, else /tmp.
std::string temporaryFolder() {
    const char* const variable = std::getenv("TMPDIR");
    return variable != nullptr && *variable != '\0' ? variable : "/tmp";
}

// An unnamed file in the folder, open for reading and writing; where the file system has no
// unnamed files, a file whose name is removed at once.
Descriptor scratchFile(const std::string& folderPath) {
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
// file in the folder for temporary files, whose failures name that folder.
class Spool {
  public:
    void write(std::string_view bytes) {
        using file_failures::FileRole;
        if (file_.get() < 0 && memory_.size() + bytes.size() > kMemoryLimit) {
            folder_ = temporaryFolder();
            file_failures::onFile(FileRole::TemporaryFolder, folder_, [&] {
                file_ = scratchFile(folder_);
                writeAll(file_.get(), memory_);
            });
            std::string().swap(memory_);
        }
        if (file_.get() >= 0)
            file_failures::onFile(FileRole::TemporaryFolder, folder_,
                                  [&] { writeAll(file_.get(), bytes); });
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
    std::string folder_;
    Descriptor file_;
    std::uint64_t size_ = 0;
};

// A file written in place beyond the limit of file sizes would be cut off halfway: it is
// refused before it changes.
void checkFileSizeLimit(std::uint64_t size) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        size > limit.rlim_cur)
        throwSystemFailure(EFBIG);
}

// Writes the content, `size` bytes that `copy` writes into a descriptor, over the open file's
// content. The new size is reserved first, so that a full disk shows before any byte changes (a
// file system that cannot reserve is written as it is); the signals that end a process wait
// until the file is whole again, on this thread and on every other.
void writeInPlace(int fd, std::uint64_t size, const std::function<void(int)>& copy) {
    const HeldSignals held({SIGINT, SIGTERM, SIGHUP});
    const SignalsHeldForProcess heldForProcess;
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

// How long a save waits for another save of the same file to end, and how often it looks.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(20);

// An advisory lock on a whole file, held by this save's open file description (so also against
// another save of this process) while the file is replaced or written in place: two saves of
// one file, by the window or the batch command, come one after the other.
class FileLock {
  public:
    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock on the file open for writing, waiting until the deadline while another
    // save holds it; false when it is still held then. A file system without such locks is
    // written unlocked.
    bool take(int fd, std::chrono::steady_clock::time_point deadline) {
        if (fd != fd_) release();
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        while (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EACCES) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(kLockPoll);
        }
        fd_ = fd;
        return true;
    }

    void release() {
        if (fd_ < 0) return;
        struct flock whole {};
        whole.l_type = F_UNLCK;
        whole.l_whence = SEEK_SET;
        ::fcntl(fd_, F_OFD_SETLK, &whole);
        fd_ = -1;
    }

  private:
    int fd_ = -1;
};

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

// Opens the character device or FIFO at the location for writing. A FIFO that nobody reads
// fails at once instead of waiting.
Descriptor openStream(const Location& location) {
    Descriptor stream(::openat(location.folder.get(), location.name.c_str(),
                               O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (stream.get() < 0) throwSystemFailure();
    struct stat info {};
    if (::fstat(stream.get(), &info) != 0) throwSystemFailure();
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode))
        throw file_failures::blockDeviceOrSocket();
    ::fcntl(stream.get(), F_SETFL, ::fcntl(stream.get(), F_GETFL) & ~O_NONBLOCK);
    return stream;
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
    std::string path;  // as given, for the failures that name the file
    Way way = Way::Beside;
    Location location;  // Beside: where the file goes; Stream: the device
    Descriptor file;    // the old file, open for writing
    Descriptor stream;  // Stream: the device, once prepared
    int descriptor = -1;
    std::optional<struct stat> old;  // the file replaced
    // Beside: the new file; InPlace: where it could not be renamed, the content.
    std::unique_ptr<StagedFile> staged;
    Spool spool;
    std::uint64_t size = 0;
    bool prepared = false;

    // Stages beside the file, or decides to write in place where the folder refuses.
    void stageBeside(Staging staging) {
        staged = std::make_unique<StagedFile>(location.folder.get());
        const int error = staged->open(staging);
        if (error == 0 && (!old || staged->takeAttributesOf(file.get(), *old))) return;
        staged.reset();
        if (error != 0 && (!old || !folderRefuses(error))) throwSystemFailure(error);
        way = Way::InPlace;
    }

    // Flushes the staged file and gives it a temporary name; where the unnamed one can be given
    // none, a named copy of it, or, where the folder refuses that, the content in place.
    void prepareBeside() {
        flush(staged->fd());
        if (staged->named() || staged->linkUnnamed()) return;
        auto named = std::make_unique<StagedFile>(location.folder.get());
        const int error = named->open(Staging::Named);
        if (error == 0 && (!old || named->takeAttributesOf(file.get(), *old))) {
            copyContent(staged->fd(), size, named->fd());
            flush(named->fd());
            staged = std::move(named);
            return;
        }
        if (error != 0 && (!old || !folderRefuses(error))) throwSystemFailure(error);
        way = Way::InPlace;
    }

    // Locks the old file for the commit, waiting for another save of it to end. A write in place
    // goes into the file the path leads to once locked: where another save renamed its new file
    // over the one opened meanwhile, that one is opened and locked instead.
    void lockOld(FileLock& lock) {
        if (!old) return;
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        while (true) {
            if (!lock.take(file.get(), deadline)) throw file_failures::fileInUse(path);
            if (way != Way::InPlace) return;
            struct stat locked {};
            const std::optional<FileIdentity> named = identityOf(path);
            if (::fstat(file.get(), &locked) != 0) throwSystemFailure();
            if (!named || *named == FileIdentity{static_cast<std::uint64_t>(locked.st_dev),
                                                 static_cast<std::uint64_t>(locked.st_ino)})
                return;
            lock.release();
            const Location location = locate(path);
            file.reset(
                ::openat(location.folder.get(), location.name.c_str(), O_WRONLY | O_CLOEXEC));
            if (file.get() < 0) throwSystemFailure();
            if (::fstat(file.get(), &locked) != 0) throwSystemFailure();
            if (!S_ISREG(locked.st_mode)) throw file_failures::blockDeviceOrSocket();
        }
    }

    void copyContentTo(int fd) const {
        if (staged)
            copyContent(staged->fd(), size, fd);
        else
            spool.copyTo(fd);
    }
};

FileReplacement::FileReplacement(const std::string& path, Staging staging)
    : impl_(std::make_unique<Impl>()) {
    impl_->path = path;
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

void FileReplacement::prepare() {
    Impl& impl = *impl_;
    if (impl.prepared) return;
    if (impl.way == Way::Beside) impl.prepareBeside();
    if (impl.way == Way::InPlace) checkFileSizeLimit(impl.size);
    if (impl.way == Way::Stream) impl.stream = openStream(impl.location);
    impl.prepared = true;
}

bool FileReplacement::writesOnCommit() const {
    return impl_->way != Way::Beside;
}

void FileReplacement::commit() {
    prepare();
    Impl& impl = *impl_;
    FileLock lock;
    switch (impl.way) {
        case Way::Beside: {
            impl.lockOld(lock);
            const int error = impl.staged->rename(impl.location.name);
            if (error == 0) return;
            // A folder that refuses the rename (a file mounted on its own) gets it in place.
            if (!impl.old || !folderRefuses(error)) throwSystemFailure(error);
            checkFileSizeLimit(impl.size);
            impl.way = Way::InPlace;
            [[fallthrough]];
        }
        case Way::InPlace:
            impl.lockOld(lock);
            return writeInPlace(impl.file.get(), impl.size,
                                [&](int fd) { impl.copyContentTo(fd); });
        case Way::Stream:
            writeIntoStream(impl.stream.get(), impl.spool);
            if (::close(impl.stream.release()) != 0) throwSystemFailure();
            return;
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
