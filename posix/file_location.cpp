#include "posix/file_location.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "formats/file_failures.h"

namespace talveno::file_system {

namespace {

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// As many links as the system follows in one path.
constexpr int kMaxLinks = 40;

[[noreturn]] void throwFolderFailure(int error) {
    if (error == ENOENT || error == ENOTDIR) throw file_failures::invalidFileName();
    throw file_failures::systemFailure(error);
}

// The text of the symbolic link at the location, or nothing when no link is there.
std::optional<std::string> linkText(const Location& location) {
    std::string text(256, '\0');
    while (true) {
        const ssize_t length =
            ::readlinkat(location.folder.get(), location.name.c_str(), text.data(), text.size());
        if (length < 0) {
            if (errno == EINVAL || errno == ENOENT) return std::nullopt;
            throw file_failures::systemFailure(errno);
        }
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

}  // namespace

void Descriptor::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

Location locate(const std::string& path, int base) {
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos)
        throw file_failures::invalidFileName();
    const std::size_t slash = path.rfind('/');
    Location location;
    location.name = slash == std::string::npos ? path : path.substr(slash + 1);
    const bool absolute = path.front() == '/';
    location.folder.reset(::openat(base, absolute ? "/" : ".", kFolderFlags));
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

Location resolveLinks(Location location) {
    for (int links = 0;; ++links) {
        const std::optional<std::string> target = linkText(location);
        if (!target) return location;
        if (links == kMaxLinks) throw file_failures::systemFailure(ELOOP);
        location = locate(*target, location.folder.get());
    }
}

}  // namespace talveno::file_system
