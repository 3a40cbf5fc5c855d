#include "posix/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "formats/file_failures.h"
#include "posix/file_location.h"

namespace talveno::file_system {

namespace {

FileIdentity fileIdentity(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

InputFile::InputFile(const std::string& path, Readable readable) {
    const Location location = locate(path);
    const char* const name = location.name.c_str();
    const auto refuseOther = [&](const struct stat& info) {
        if (readable == Readable::RegularFile && !S_ISREG(info.st_mode))
            throw file_failures::notAFile(path, S_ISDIR(info.st_mode));
    };
    struct stat info {};
    if (::fstatat(location.folder.get(), name, &info, 0) == 0) refuseOther(info);
    // Opened without waiting for a writer, then checked again: it may have changed meanwhile.
    const int waiting = readable == Readable::RegularFile ? O_NONBLOCK | O_NOCTTY : 0;
    fd_ = ::openat(location.folder.get(), name, O_RDONLY | O_CLOEXEC | waiting);
    if (fd_ < 0) throw file_failures::systemFailure(errno);
    if (readable == Readable::Anything) return;
    try {
        if (::fstat(fd_, &info) != 0) throw file_failures::systemFailure(errno);
        refuseOther(info);
    } catch (...) {
        ::close(fd_);
        throw;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

InputFile::InputFile(int fd) : fd_(fd), owned_(false) {}

InputFile::~InputFile() {
    if (owned_) ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    while (true) {
        const ssize_t count = ::read(fd_, buffer, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) throw file_failures::systemFailure(errno);
    }
}

FileIdentity InputFile::identity() const {
    struct stat info {};
    ::fstat(fd_, &info);
    return fileIdentity(info);
}

std::optional<std::uint64_t> InputFile::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<FileIdentity> regularFileOn(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return fileIdentity(info);
}

std::optional<FilePlace> placeOf(const std::string& path) {
    try {
        const Location location = resolveLinks(locate(path));
        struct stat folder {};
        if (::fstat(location.folder.get(), &folder) != 0) return std::nullopt;
        return FilePlace{fileIdentity(folder), location.name};
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    try {
        const Location location = locate(path);
        struct stat info {};
        if (::fstatat(location.folder.get(), location.name.c_str(), &info, 0) != 0)
            return std::nullopt;
        return fileIdentity(info);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

}  // namespace talveno::file_system
