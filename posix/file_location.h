#pragma once

#include <fcntl.h>

#include <string>

// Where a path leads: its folder, opened one component at a time so that paths of any length
// work, and the name in it. Shared by the readers and the savers of the data files.
namespace talveno::file_system {

// A file descriptor that closes itself.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        reset(other.release());
        return *this;
    }

    int get() const { return fd_; }
    void reset(int fd = -1);
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// A path split into its opened folder (a path-only descriptor) and the file's name in it.
struct Location {
    Descriptor folder;
    std::string name;
};

// The location of a path; a relative path starts at the folder `base` (the working folder by
// default). A folder that cannot be reached throws the invalid-name failure, as a missing
// folder does; other errors keep their own message.
Location locate(const std::string& path, int base = AT_FDCWD);

// The location of the file a path finally names: a symbolic link is followed to its target,
// relative to the link's folder, up to 40 links deep (beyond that the loop error). The last
// location named, also when no file exists there yet.
Location resolveLinks(Location location);

}  // namespace talveno::file_system
