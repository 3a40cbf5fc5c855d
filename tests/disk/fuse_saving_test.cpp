// The batch command saving where the disk or a second saver gets in the way: the file systems of
// USB sticks (FAT, exFAT, NTFS through FUSE), a file system without unnamed files where other
// users look on, two savers of one file at once, and names that are no UTF-8. Run through
// fuse_disks.sh, which mounts them; without it, or without FUSE, the program is skipped (77).

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "../app/batch_runner.h"

namespace talveno {
namespace {

using testing::fileContent;
using testing::runBatch;
using testing::TempFolder;
using testing::writeCases;
using testing::writeFile;

constexpr const char* kAsNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";
constexpr const char* kDisks[] = {"TALVENO_FAT", "TALVENO_EXFAT", "TALVENO_NTFS", "TALVENO_BINDFS",
                                  "TALVENO_NOMODES"};

// The result files of the cases in both units, as the batch command writes them anywhere.
struct Results {
    std::string mpa, kgf;
};

// The file is one of the results whole, or a mix of them.
std::string wholeness(const std::string& file, const Results& results) {
    const std::string content = fileContent(file);
    return content == results.mpa ? "MPa" : content == results.kgf ? "kgf" : "mixed";
}

// Three saves over one file, in turn in each unit: each one's status and the unit it left.
std::string threeSaves(const TempFolder& folder, const Results& results) {
    std::string outcome;
    for (const char* unit : {"MPa", "kgf/cm2", "MPa"}) {
        const auto run =
            runBatch(folder.path(), std::string("--quiet -o r.mpa --unit ") + unit + " cases.dat");
        outcome += std::to_string(run.status) + " " + wholeness(folder / "r.mpa", results) + " " +
                   run.err + "| ";
    }
    const auto entries = std::filesystem::directory_iterator(folder.path());
    return outcome + std::to_string(std::distance(begin(entries), end(entries))) + " files";
}

// A save of r.mpa, a write-only file (mode 200), where the file system refuses every mode: the
// new file would let its owner read it, so the content goes into the file itself.
std::string writeOnlySave(const TempFolder& folder, const Results& results) {
    const int fd = ::open((folder / "r.mpa").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0200);
    if (fd < 0 || ::write(fd, "old", 3) != 3 || ::close(fd) != 0) return "not made";
    struct stat before {
    }, after{};
    ::stat((folder / "r.mpa").c_str(), &before);
    const auto run = runBatch(folder.path(), "--quiet -o r.mpa cases.dat");
    ::stat((folder / "r.mpa").c_str(), &after);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%o", after.st_mode & 07777);
    return std::to_string(run.status) + " " + run.err + wholeness(folder / "r.mpa", results) +
           ", mode " + mode + (after.st_ino == before.st_ino ? ", the same file" : ", a new file");
}

// A folder that the user nobody may not change, holding nobody's file r.mpa that all may
// write: a save as nobody writes it in place.
void inPlaceOnly(const TempFolder& folder, const Results& results) {
    std::filesystem::create_directory(folder / "sub");
    writeFile(folder / "sub/r.mpa", results.mpa);
    ::chown((folder / "sub/r.mpa").c_str(), 65534, 65534);
    ::chmod((folder / "sub/r.mpa").c_str(), 0666);
    ::chmod((folder / "sub").c_str(), 0555);
}

// Two savers of r.mpa at once, in the two units, rounds times: how often the file was whole,
// and how often a saver failed. The second always runs as nobody; the first as nobody too,
// or as root where `firstAsRoot`.
std::string twoSavers(const TempFolder& folder, const Results& results, int rounds,
                      bool firstAsRoot) {
    inPlaceOnly(folder, results);
    int whole = 0;
    std::atomic<int> failed = 0;
    for (int round = 0; round < rounds; ++round) {
        std::thread first([&] {
            failed += runBatch(folder.path(), "--quiet --unit MPa -o sub/r.mpa cases.dat",
                               firstAsRoot ? "" : kAsNobody)
                          .status != 0;
        });
        failed +=
            runBatch(folder.path(), "--quiet --unit kgf/cm2 -o sub/r.mpa cases.dat", kAsNobody)
                .status != 0;
        first.join();
        whole += wholeness(folder / "sub/r.mpa", results) != "mixed";
    }
    return "whole " + std::to_string(whole) + " of " + std::to_string(rounds) + ", failed " +
           std::to_string(failed.load());
}

// Saves of r.mpa, a file of root's with mode 600, while another user opens every staging file
// that appears beside it: how many it could open, and the mode the file keeps.
std::string watchedSaves(const TempFolder& folder, const Results& results, int saves) {
    writeFile(folder / "r.mpa", results.mpa);
    ::chmod((folder / "r.mpa").c_str(), 0600);
    int ready[2], done[2];
    if (::pipe(ready) != 0 || ::pipe(done) != 0) return "no pipe";
    const pid_t watcher = ::fork();
    if (watcher == 0) {
        const int events = ::inotify_init1(0);
        const int dir = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
        ::inotify_add_watch(events, folder.path().c_str(), IN_CREATE);
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(255);
        ::close(done[1]);
        ::close(ready[1]);
        int opened = 0;
        pollfd watched[2] = {{events, POLLIN, 0}, {done[0], POLLIN, 0}};
        while (::poll(watched, 2, -1) > 0 && !(watched[1].revents & (POLLIN | POLLHUP))) {
            alignas(inotify_event) char buffer[4096];
            const ssize_t length = ::read(events, buffer, sizeof buffer);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && std::string_view(event->name).starts_with(".talveno-")) {
                    const int fd = ::openat(dir, event->name, O_RDONLY);
                    if (fd >= 0) ++opened, ::close(fd);
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        ::_exit(opened);
    }
    ::close(ready[1]);
    char byte;
    (void)::read(ready[0], &byte, 1);  // the watcher is in place once it closes its end
    std::string outcome;
    for (int save = 0; save < saves; ++save)
        outcome += std::to_string(runBatch(folder.path(), "--quiet -o r.mpa cases.dat").status);
    ::close(done[1]);
    ::close(done[0]);
    ::close(ready[0]);
    int status = 0;
    ::waitpid(watcher, &status, 0);
    struct stat file {};
    ::stat((folder / "r.mpa").c_str(), &file);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%o", file.st_mode & 07777);
    return outcome + ", opened " + std::to_string(WEXITSTATUS(status)) + ", mode " + mode;
}

// A save of r.mpa while another save holds its lock for that long, or until the save ends:
// the status and message, and what the file holds.
std::string lockedSave(const TempFolder& folder, const Results& results,
                       std::optional<std::chrono::seconds> held) {
    writeFile(folder / "r.mpa", results.kgf);
    const int fd = ::open((folder / "r.mpa").c_str(), O_WRONLY | O_CLOEXEC);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &whole) != 0) return "no lock";
    std::thread holder([&] {
        if (!held) return;
        std::this_thread::sleep_for(*held);
        ::close(fd);
    });
    const auto run = runBatch(folder.path(), "--quiet -o r.mpa cases.dat");
    holder.join();
    if (!held) ::close(fd);
    return std::to_string(run.status) + " " + run.err + wholeness(folder / "r.mpa", results);
}

struct Case {
    const char* name;
    const char* disk;  // the variable naming the mounted folder; none for the temporary folder
    std::function<std::string(const TempFolder&, const Results&)> trial;
    std::string expected;
};

TEST(FuseSaving, EverySaveLeavesAWholeFileOfOneSaver) {
    for (const char* disk : kDisks)
        if (!std::getenv(disk)) GTEST_SKIP() << disk << " is not set: run under fuse_disks.sh";
    TempFolder reference;
    writeCases(reference / "cases.dat", 40000);
    Results results;
    for (auto [unit, result] : {std::pair{"MPa", &results.mpa}, {"kgf/cm2", &results.kgf}}) {
        const auto run = runBatch(reference.path(),
                                  std::string("--quiet --unit ") + unit + " -o r.out cases.dat");
        ASSERT_EQ(run.status, 0) << run.err;
        *result = fileContent(reference / "r.out");
    }
    const std::string threeSaved = "0 MPa | 0 kgf | 0 MPa | 2 files";
    const std::string busy =
        "'r.mpa' は他のプログラムが保存中のため、保存できません.\n(出力ファイル: r.mpa)\n";
    // A CP932 name ("データ"), as an old USB stick may hold.
    const std::string cp932Name = "\x83\x66\x81\x5b\x83\x5e";
    const Case cases[] = {
        // The file systems hold no mode, owner or attributes of their own (FAT answers ENOSYS):
        // the new file grants no more than the old one.
        {"FAT: three saves over one file", "TALVENO_FAT", threeSaves, threeSaved},
        {"exFAT: three saves over one file", "TALVENO_EXFAT", threeSaves, threeSaved},
        {"NTFS: three saves over one file", "TALVENO_NTFS", threeSaves, threeSaved},
        {"modes refused: a write-only file written in place", "TALVENO_NOMODES", writeOnlySave,
         "0 MPa, mode 200, the same file"},
        {"no unnamed files: another user opens no staging file of a private file", "TALVENO_BINDFS",
         [&](const TempFolder& f, const Results& r) { return watchedSaves(f, r, 12); },
         "000000000000, opened 0, mode 600"},
        // Written in place, two saves come one after the other; slow writes through FUSE let
        // them meet.
        {"two savers in place at once", "TALVENO_BINDFS",
         [&](const TempFolder& f, const Results& r) { return twoSavers(f, r, 12, false); },
         "whole 12 of 12, failed 0"},
        {"one saver renames, the other writes in place", "TALVENO_BINDFS",
         [&](const TempFolder& f, const Results& r) { return twoSavers(f, r, 12, true); },
         "whole 12 of 12, failed 0"},
        {"another save holds the file beyond the wait", nullptr,
         [&](const TempFolder& f, const Results& r) { return lockedSave(f, r, std::nullopt); },
         "1 " + busy + "kgf"},
        {"another save ends within the wait", nullptr,
         [&](const TempFolder& f, const Results& r) {
             return lockedSave(f, r, std::chrono::seconds(3));
         },
         "0 MPa"},
        {"a name that is no UTF-8", nullptr,
         [&](const TempFolder& f, const Results& r) {
             std::filesystem::rename(f / "cases.dat", f / (cp932Name + ".dat"));
             const auto run = runBatch(f.path(), "--quiet '" + cp932Name + ".dat'");
             return std::to_string(run.status) + " " + run.err +
                    wholeness(f / (cp932Name + ".mpa"), r);
         },
         "0 MPa"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder(c.disk ? std::getenv(c.disk) : reference.path());
        ::chmod(folder.path().c_str(), 0777);
        writeFile(folder / "cases.dat", fileContent(reference / "cases.dat"));
        EXPECT_EQ(c.trial(folder, results), c.expected);
        ::chmod((folder / "sub").c_str(), 0755);
    }
}

}  // namespace
}  // namespace talveno
