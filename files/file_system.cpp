#include "files/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "files/file_failures.h"

namespace talveno::file_system {

namespace {

// A file descriptor that closes itself.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&&) = delete;

    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// A path split into its opened folder and the file's name in it.
struct Location {
    Descriptor folder;
    std::string name;
};

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// A folder that cannot be reached makes the whole path an invalid file name, as a missing
// folder does; other errors keep their own message.
[[noreturn]] void throwFolderFailure(int error) {
    if (error == ENOENT || error == ENOTDIR) throw file_failures::invalidFileName();
    throw file_failures::systemFailure(error);
}

Location locate(const std::string& path) {
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos)
        throw file_failures::invalidFileName();
    const std::size_t slash = path.rfind('/');
    Location location;
    location.name = slash == std::string::npos ? path : path.substr(slash + 1);
    const bool absolute = path.front() == '/';
    location.folder.reset(::open(absolute ? "/" : ".", kFolderFlags));
    if (location.folder.get() < 0) throwFolderFailure(errno);
    const std::size_t end = slash == std::string::npos ? 0 : slash;
    for (std::size_t start = 0; start < end;) {
        const std::size_t next = std::min(path.find('/', start), end);
        if (next > start) {
            const std::string component = path.substr(start, next - start);
            const int fd = ::openat(location.folder.get(), component.c_str(), kFolderFlags);
            if (fd < 0) throwFolderFailure(errno);
            location.folder.reset(fd);
        }
        start = next + 1;
    }
    return location;
}

// A temporary file in a folder, removed again unless it was renamed.
class TemporaryFile {
  public:
    explicit TemporaryFile(int folder) : folder_(folder) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0;; ++attempt) {
            name_ =
                ".talveno-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
            file_.reset(
                ::openat(folder_, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file_.get() >= 0) return;
            if (errno != EEXIST || attempt == 100) throw file_failures::systemFailure(errno);
        }
    }
    ~TemporaryFile() {
        file_.reset();
        if (!name_.empty()) ::unlinkat(folder_, name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return file_.get(); }

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(file_.get(), bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                throw file_failures::systemFailure(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    // Flushes and closes the file, then renames it to `target`.
    void commit(const std::string& target) {
        if (::fsync(file_.get()) != 0 && errno != EINVAL) throw file_failures::systemFailure(errno);
        if (::close(file_.release()) != 0) throw file_failures::systemFailure(errno);
        if (::renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0)
            throw file_failures::systemFailure(errno);
        name_.clear();
    }

  private:
    int folder_;
    std::string name_;
    Descriptor file_;
};

}  // namespace

InputFile::InputFile(const std::string& path) {
    const Location location = locate(path);
    fd_ = ::openat(location.folder.get(), location.name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw file_failures::systemFailure(errno);
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    while (true) {
        const ssize_t count = ::read(fd_, buffer, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) throw file_failures::systemFailure(errno);
    }
}

void replaceFile(const std::string& path, std::string_view bytes) {
    const Location location = locate(path);
    const int folder = location.folder.get();
    const char* name = location.name.c_str();
    struct stat existing {};
    const bool exists = ::fstatat(folder, name, &existing, 0) == 0;
    if (!exists && errno != ENOENT) throw file_failures::systemFailure(errno);
    // A folder, a file without any write permission bit (read-only, also for the superuser)
    // and a file this user may not write are left as they are.
    if (exists && (S_ISDIR(existing.st_mode) || (existing.st_mode & 0222) == 0 ||
                   ::faccessat(folder, name, W_OK, 0) != 0))
        throw file_failures::accessDenied();

    TemporaryFile temporary(folder);
    if (exists) ::fchmod(temporary.fd(), existing.st_mode & 07777);
    temporary.write(bytes);
    temporary.commit(location.name);
}

}  // namespace talveno::file_system
