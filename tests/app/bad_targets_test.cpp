// The batch command saving onto hostile targets and reading hostile inputs: each case is
// checked for its message, its exit status, the target's content, kind, owner and mode, and a
// folder with no leftover file.

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "batch_runner.h"

namespace talveno {
namespace {

using testing::fileContent;
using testing::Outcome;
using testing::runBatch;
using testing::TempFolder;
using testing::writeCases;
using testing::writeFile;

constexpr uid_t kNobody = 65534;
const bool kRoot = ::geteuid() == 0;
#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer reserves terabytes of address space: a process under a limit of it cannot
// start.
constexpr bool kAddressSpaceLimits = false;
#else
constexpr bool kAddressSpaceLimits = true;
#endif

// The least address space in which the command starts at all, in steps of 256 kB.
std::size_t addressSpaceToStart() {
    std::size_t limit = 4 << 20;
    while (limit < (64 << 20) && std::system(("prlimit --as=" + std::to_string(limit) +
                                              " '" TALVENO_BATCH "' --version >/dev/null 2>&1")
                                                 .c_str()) != 0)
        limit += 256 << 10;
    return limit;
}

// Every name below the folder.
std::set<std::string> tree(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        names.insert(entry.path().string().substr(folder.size()));
    return names;
}

// The extended attributes of what the path leads to, the access control list among them.
std::string attributes(const std::string& path) {
    std::vector<char> names(65536);
    const ssize_t length = ::listxattr(path.c_str(), names.data(), names.size());
    std::set<std::string> found;
    for (ssize_t at = 0; at < length; at += static_cast<ssize_t>(std::strlen(&names[at])) + 1) {
        char value[65536];
        const ssize_t size = ::getxattr(path.c_str(), &names[at], value, sizeof value);
        std::string attribute = &names[at];
        attribute += '=';
        attribute.append(value, static_cast<std::size_t>(std::max<ssize_t>(size, 0)));
        found.insert(attribute);
    }
    std::string text;
    for (const std::string& attribute : found) text += " " + attribute;
    return text;
}

// What a save must keep of a node: the kind of the name itself (a link stays a link), and
// the kind, owner, group, mode and extended attributes of what it leads to.
std::string nodeState(const std::string& path) {
    struct stat link {
    }, file{};
    if (::lstat(path.c_str(), &link) != 0) return "none";
    if (::stat(path.c_str(), &file) != 0) return std::to_string(link.st_mode);
    return std::to_string(link.st_mode) + " " + std::to_string(file.st_mode) + " " +
           std::to_string(file.st_uid) + ":" + std::to_string(file.st_gid) + attributes(path);
}

bool mountSmallTmpfs(const std::string& folder) {
    std::filesystem::create_directory(folder);
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

int unixSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? fd : -1;
}

enum class Content { Old, New, NewLarge, Unchecked };

struct BadTarget {
    const char* name;
    // Makes the target in the folder; false when it cannot be made here (the case is skipped).
    std::function<bool(const TempFolder&)> make;
    std::string arguments;
    int status;
    std::string message;  // all of standard error; for a usage error, its first line
    const char* target;   // the node checked, below the folder
    Content content;
    bool asNobody = false;     // run as another user (as root), the folder searchable for all
    std::string wrapper = "";  // a command that runs the batch command (limits, environment)
    std::string stdoutTo = "";
    std::vector<const char*> keptOld = {};  // other outputs that must still hold "old"
};

TEST(BadTargets, SavingNeverDamagesOrMissesAFile) {
    TempFolder reference;
    writeCases(reference / "cases.dat", 2);
    ASSERT_EQ(runBatch(reference.path(), "cases.dat").status, 0);
    const std::string result = fileContent(reference / "cases.mpa");
    // Its result does not fit in 64 kB, nor in the megabyte a save keeps in memory.
    writeCases(reference / "large.dat", 15000);
    ASSERT_EQ(runBatch(reference.path(), "--quiet large.dat").status, 0);
    const std::string largeResult = fileContent(reference / "large.mpa");

    int fifoReader = -1;
    const auto old = [](const TempFolder& f, const std::string& name) {
        writeFile(f / name, "old");
        return true;
    };
    const auto nobodysFolder = [&](const TempFolder& f, mode_t mode, uid_t owner) {
        std::filesystem::create_directory(f / "sub");
        writeFile(f / "sub/r.mpa", "old");
        return ::chmod((f / "sub/r.mpa").c_str(), 0666) == 0 &&
               (!kRoot || ::chown((f / "sub/r.mpa").c_str(), owner, owner) == 0) &&
               ::chmod((f / "sub").c_str(), mode) == 0;
    };
    // A folder of nobody's own (of this user's, not as root).
    const auto ownFolder = [&](const TempFolder& f, const std::string& name) {
        std::filesystem::create_directory(f / name);
        return !kRoot || ::chown((f / name).c_str(), kNobody, kNobody) == 0;
    };
    const auto nobodysOld = [&](const TempFolder& f, const std::string& name) {
        return old(f, name) && (!kRoot || ::chown((f / name).c_str(), kNobody, kNobody) == 0);
    };
    const auto withAclAndAttribute = [&](const std::string& path) {
        return std::system(("setfacl -m u:nobody:rw '" + path + "'").c_str()) == 0 &&
               ::setxattr(path.c_str(), "user.talveno", "kept", 4, 0) == 0;
    };
    const auto linkedFolder = [](const TempFolder& f) {
        std::filesystem::create_directory(f / "real");
        return ::symlink("real", (f / "link").c_str()) == 0;
    };
    const std::string denied = "ファイルへのアクセスが拒否されました.\n";
    const std::string noThreads = "timeout 60 env ASAN_OPTIONS=detect_leaks=0 prlimit --nproc=";
    const std::string littleMemory =
        kAddressSpaceLimits
            ? "timeout 60 prlimit --as=" + std::to_string(addressSpaceToStart() + (256 << 10))
            : "";
    const BadTarget cases[] = {
        {"symlink to a file",
         [&](const TempFolder& f) {
             return old(f, "real.mpa") && ::symlink("real.mpa", (f / "r.mpa").c_str()) == 0;
         },
         "-o r.mpa cases.dat", 0, "", "real.mpa", Content::New},
        {"symlink to a link to a file in another folder",
         [&](const TempFolder& f) {
             std::filesystem::create_directory(f / "sub");
             return old(f, "sub/real.mpa") &&
                    ::symlink("real.mpa", (f / "sub/link.mpa").c_str()) == 0 &&
                    ::symlink((f / "sub/link.mpa").c_str(), (f / "r.mpa").c_str()) == 0;
         },
         "-o r.mpa cases.dat", 0, "", "sub/real.mpa", Content::New},
        {"hard link: split, the other name keeps the old content",
         [&](const TempFolder& f) {
             return old(f, "r.mpa") &&
                    ::link((f / "r.mpa").c_str(), (f / "other.mpa").c_str()) == 0;
         },
         "-o r.mpa cases.dat", 0, "", "other.mpa", Content::Old},
        {"symlink loop",
         [](const TempFolder& f) { return ::symlink("r.mpa", (f / "r.mpa").c_str()) == 0; },
         "-o r.mpa cases.dat", 1, "I/O エラー (40)\n(出力ファイル: r.mpa)\n", "r.mpa",
         Content::Unchecked},
        {"device node null",
         [](const TempFolder& f) {
             return ::mknod((f / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         },
         "-o null cases.dat", 0, "", "null", Content::Unchecked},
        {"device node full",
         [](const TempFolder& f) {
             return ::mknod((f / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
         },
         "-o full cases.dat", 1, "I/O エラー (28)\n(出力ファイル: full)\n", "full",
         Content::Unchecked},
        {"FIFO read by another process",
         [&](const TempFolder& f) {
             if (::mkfifo((f / "fifo").c_str(), 0666) != 0) return false;
             fifoReader = ::open((f / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
             return fifoReader >= 0;
         },
         "-o fifo cases.dat", 0, "", "fifo", Content::Unchecked},
        // A failed run changes no output: every step that can fail before a file changes comes
        // first, and an output written only on commit is committed before the others.
        {"FIFO that nobody reads, with both listings: the listings are kept",
         [&](const TempFolder& f) {
             return ::mkfifo((f / "fifo").c_str(), 0666) == 0 && old(f, "l.txt") &&
                    old(f, "il.txt");
         },
         "-o fifo --listing l.txt --input-listing il.txt cases.dat",
         1,
         "I/O エラー (6)\n(出力ファイル: fifo)\n",
         "fifo",
         Content::Unchecked,
         false,
         "",
         "",
         {"l.txt", "il.txt"}},
        {"socket", [](const TempFolder& f) { return unixSocket(f / "socket") >= 0; },
         "-o socket cases.dat", 1,
         "ブロック デバイスやソケットには保存できません.\n(出力ファイル: socket)\n", "socket",
         Content::Unchecked},
        {"another user's file, owner kept",
         [&](const TempFolder& f) {
             return kRoot && old(f, "r.mpa") &&
                    ::chown((f / "r.mpa").c_str(), kNobody, kNobody) == 0 &&
                    ::chmod((f / "r.mpa").c_str(), 0640) == 0;
         },
         "-o r.mpa cases.dat", 0, "", "r.mpa", Content::New},
        {"read-only file",
         [&](const TempFolder& f) {
             return old(f, "r.mpa") && ::chmod((f / "r.mpa").c_str(), 0444) == 0;
         },
         "-o r.mpa cases.dat", 1, denied + "(出力ファイル: r.mpa)\n", "r.mpa", Content::Old},
        {"read-only folder, writable file: written in place",
         [&](const TempFolder& f) { return nobodysFolder(f, 0555, kNobody); },
         "-o sub/r.mpa cases.dat", 0, "", "sub/r.mpa", Content::New, true},
        {"read-only folder, writable file: over a megabyte written in place",
         [&](const TempFolder& f) { return nobodysFolder(f, 0555, kNobody); },
         "-o sub/r.mpa large.dat", 0, "", "sub/r.mpa", Content::NewLarge, true},
        {"read-only folder, new file",
         [&](const TempFolder& f) { return nobodysFolder(f, 0555, kNobody); },
         "-o sub/new.mpa cases.dat", 1, denied + "(出力ファイル: sub/new.mpa)\n", "sub/r.mpa",
         Content::Old, true},
        {"sticky folder, another user's writable file: written in place, owner kept",
         [&](const TempFolder& f) { return kRoot && nobodysFolder(f, 01777, 0); },
         "-o sub/r.mpa cases.dat", 0, "", "sub/r.mpa", Content::New, true},
        {"full small tmpfs",
         [&](const TempFolder& f) {
             return kRoot && mountSmallTmpfs(f / "sub") && old(f, "sub/r.mpa");
         },
         "-o sub/r.mpa large.dat", 1, "I/O エラー (28)\n(出力ファイル: sub/r.mpa)\n", "sub/r.mpa",
         Content::Old},
        {"standard output onto a full device, with a listing: the listing is kept",
         [&](const TempFolder& f) { return old(f, "l.txt"); }, "-o - --listing l.txt cases.dat", 1,
         "I/O エラー (28)\n(出力ファイル: -)\n", "l.txt", Content::Old, false, "", "/dev/full"},
        {"in place onto a full disk, with a listing: the listing is kept",
         [&](const TempFolder& f) {
             return kRoot && mountSmallTmpfs(f / "sub") && nobodysFolder(f, 0555, kNobody) &&
                    ownFolder(f, "mine") && nobodysOld(f, "mine/l.txt");
         },
         "-o sub/r.mpa --listing mine/l.txt large.dat",
         1,
         "I/O エラー (28)\n(出力ファイル: sub/r.mpa)\n",
         "sub/r.mpa",
         Content::Old,
         true,
         "",
         "",
         {"mine/l.txt"}},
        // Threads that cannot start: the rows are computed on those that did, or on the one that
        // reads.
        {"a limit of one process: no thread starts",
         [&](const TempFolder& f) { return ownFolder(f, "mine") && nobodysOld(f, "mine/r.mpa"); },
         "--threads 8 -o mine/r.mpa cases.dat", 0, "", "mine/r.mpa", Content::New, true,
         noThreads + "1"},
        {"a limit of three processes: some threads start",
         [&](const TempFolder& f) { return ownFolder(f, "mine") && nobodysOld(f, "mine/r.mpa"); },
         "--threads 8 -o mine/r.mpa cases.dat", 0, "", "mine/r.mpa", Content::New, true,
         noThreads + "3"},
        {"16 MB of address space",
         [&](const TempFolder& f) { return kAddressSpaceLimits && old(f, "r.mpa"); },
         "--threads 8 -o r.mpa cases.dat", 0, "", "r.mpa", Content::New, false,
         "timeout 60 prlimit --as=16000000"},
        {"24 MB of address space",
         [&](const TempFolder& f) { return kAddressSpaceLimits && old(f, "r.mpa"); },
         "--threads 8 -o r.mpa cases.dat", 0, "", "r.mpa", Content::New, false,
         "timeout 60 prlimit --as=24000000"},
        {"address space for little more than the command itself: out of memory",
         [&](const TempFolder& f) { return kAddressSpaceLimits && old(f, "r.mpa"); },
         "--threads 2 -o r.mpa large.dat", 1, "メモリが不足しているため、処理を中止しました.\n",
         "r.mpa", Content::Old, false, littleMemory},
        // The access control list and the extended attributes stay; where the saver cannot
        // read them, it writes in place.
        {"access control list and extended attribute: both kept",
         [&](const TempFolder& f) { return old(f, "r.mpa") && withAclAndAttribute(f / "r.mpa"); },
         "-o r.mpa cases.dat", 0, "", "r.mpa", Content::New},
        {"extended attribute of a file its owner may not read: written in place",
         [&](const TempFolder& f) {
             return kRoot && ownFolder(f, "mine") && nobodysOld(f, "mine/r.mpa") &&
                    withAclAndAttribute(f / "mine/r.mpa") &&
                    ::chmod((f / "mine/r.mpa").c_str(), 0222) == 0;
         },
         "-o mine/r.mpa cases.dat", 0, "", "mine/r.mpa", Content::New, true},
        // Two outputs that are one file by their folder and name, before either exists.
        {"result file and listing through a linked folder", linkedFolder,
         "-o link/x.mpa --listing real/x.mpa cases.dat", 2,
         "talveno-batch: the listing would replace the input or the result file: real/x.mpa\n",
         "real/x.mpa", Content::Unchecked},
        {"both listings through a linked folder", linkedFolder,
         "--listing real/l.txt --input-listing link/l.txt cases.dat", 2,
         "talveno-batch: both listings would go to the same file: real/l.txt\n", "real/l.txt",
         Content::Unchecked},
        {"listing through a link to the result file still to be made",
         [](const TempFolder& f) { return ::symlink("r.mpa", (f / "l.mpa").c_str()) == 0; },
         "-o r.mpa --listing l.mpa cases.dat", 2,
         "talveno-batch: the listing would replace the input or the result file: l.mpa\n", "r.mpa",
         Content::Unchecked},
        // The folder for temporary files, where a save keeps what it writes at the end, is
        // named when it fails.
        {"in place, the folder for temporary files missing",
         [&](const TempFolder& f) { return nobodysFolder(f, 0555, kNobody); },
         "-o sub/r.mpa large.dat", 1,
         "不正なファイル名です.\n(一時フォルダ: /nonexistent-talveno)\n(出力ファイル: "
         "sub/r.mpa)\n",
         "sub/r.mpa", Content::Old, true, "env TMPDIR=/nonexistent-talveno"},
        {"standard output, the folder for temporary files full",
         [&](const TempFolder& f) { return kRoot && mountSmallTmpfs(f / "sub"); }, "-o - large.dat",
         1, "I/O エラー (28)\n(一時フォルダ: sub)\n(出力ファイル: -)\n", "sub", Content::Unchecked,
         false, "env TMPDIR=sub"},
        {"input number beyond every range",
         [&](const TempFolder& f) {
             writeFile(f / "big.dat", "h\r\nu\r\n  1 60 1e5000 0.02 25 12 4\r\n");
             return old(f, "big.mpa");
         },
         "big.dat", 1, "入力値が数値ではありません.\n(3 行目)\n(入力ファイル: big.dat)\n",
         "big.mpa", Content::Old},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::filesystem::copy(reference / "cases.dat", folder / "cases.dat");
        std::filesystem::copy(reference / "large.dat", folder / "large.dat");
        errno = 0;
        if (!c.make(folder)) {
            std::printf("skipped here: %s (%s)\n", c.name, errno ? std::strerror(errno) : "");
            continue;
        }
        const std::string target = folder / c.target;
        const std::string state = nodeState(target);
        const auto names = tree(folder.path());
        ::chmod(folder.path().c_str(), 0755);
        const bool asNobody = c.asNobody && kRoot;
        const Outcome outcome = runBatch(
            folder.path(), "--quiet " + c.arguments,
            (asNobody ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") + c.wrapper,
            c.stdoutTo);
        EXPECT_EQ(outcome.status, c.status);
        if (c.status == 2)
            EXPECT_TRUE(outcome.err.starts_with(c.message)) << outcome.err;
        else
            EXPECT_EQ(outcome.err, c.message);
        EXPECT_EQ(nodeState(target), state);
        if (c.content != Content::Unchecked) {
            EXPECT_EQ(fileContent(target), c.content == Content::Old        ? "old"
                                           : c.content == Content::NewLarge ? largeResult
                                                                            : result);
        }
        for (const char* kept : c.keptOld) EXPECT_EQ(fileContent(folder / kept), "old") << kept;
        EXPECT_EQ(tree(folder.path()), names);
        if (fifoReader >= 0) {
            std::string received(result.size() + 1, '\0');
            received.resize(
                std::max<ssize_t>(::read(fifoReader, received.data(), received.size()), 0));
            EXPECT_EQ(received, result);
            ::close(fifoReader);
            fifoReader = -1;
        }
        ::chmod((folder / "sub").c_str(), 0755);
        ::umount2((folder / "sub").c_str(), MNT_DETACH);
    }
}

}  // namespace
}  // namespace talveno
