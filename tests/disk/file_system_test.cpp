#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <thread>

#include "../file_test_support.h"
#include "disk/disk_files.h"
#include "disk/row_blocks.h"
#include "formats/file_failures.h"
#include "formats/input_data_file.h"
#include "formats/result_file.h"
#include "posix/file_system.h"
#include "tables/layouts.h"

namespace talveno {
namespace {

using testing::failureOf;
using testing::fileContent;
using testing::TempFolder;
using testing::writeFile;

const std::string kNotFound = "ファイルが見つかりません";
const std::string kInvalidName = "不正なファイル名です";
const std::string kDenied = "ファイルへのアクセスが拒否されました";
const std::string kTooMany = "オープンしたファイルが多すぎます";

Table inputRows(int rows) {
    Table input = layouts::makeInputTable();
    testing::fillRows(input, std::vector<std::vector<std::string>>(
                                 rows, {"80", "47.5", "0.02", "25", "12.3", "4"}));
    return input;
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystem, ReadingFailsWithTheMessageOfItsPath) {
    TempFolder folder;
    writeFile(folder / "plain.dat", "x");
    ASSERT_EQ(::symlink("loop", (folder / "loop").c_str()), 0);
    // Without a writer a FIFO would keep the reader waiting.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0666), 0);
    const struct {
        std::string path, message;
    } cases[] = {
        {folder / "missing.dat", kNotFound},
        {folder / "missing/x.dat", kInvalidName},  // a missing folder
        {folder / "plain.dat/x.dat", kInvalidName},
        {folder / "", kInvalidName},
        {"", kInvalidName},
        {folder / std::string(300, 'a'), kInvalidName},
        {folder.path(), "'" + folder.path() + "' はフォルダです"},
        {folder / "fifo", "'" + folder / "fifo" + "' は通常のファイルではありません"},
        {"/dev/null", "'/dev/null' は通常のファイルではありません"},
        {folder / "loop", "I/O エラー (40)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOf([&] { readInputDataFile(c.path); }), c.message) << c.path;
        EXPECT_EQ(failureOf([&] { readResultFile(c.path); }), c.message) << c.path;
    }
}

TEST(FileSystem, SavingFailsWithoutTouchingTheFolder) {
    TempFolder folder;
    writeFile(folder / "kept.dat", "old");
    ASSERT_EQ(::chmod((folder / "kept.dat").c_str(), 0444), 0);
    std::filesystem::create_directory(folder / "sub.dat");
    ASSERT_EQ(::symlink("loop", (folder / "loop").c_str()), 0);
    const struct {
        std::string path, message;
    } cases[] = {
        {folder / "kept.dat", kDenied},  // read-only, also for the superuser
        {folder / "sub.dat", kDenied},
        {folder / "missing/x.dat", kInvalidName},
        {folder / "kept.dat/x.dat", kInvalidName},
        {folder / "loop", "I/O エラー (40)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOf([&] { saveInputDataFile(inputRows(1), c.path); }), c.message);
        EXPECT_EQ(failureOf([&] {
                      saveResultFile(layouts::makeResultTable(), StiffnessUnit::Mpa, c.path);
                  }),
                  c.message);
    }
    Table bad = inputRows(1);
    bad.setCell(3, 1, "abc");
    EXPECT_EQ(failureOf([&] { saveInputDataFile(bad, folder / "new.dat"); }),
              "'abc' は浮動小数点数ではありません");
    EXPECT_EQ(fileContent(folder / "kept.dat"), "old");
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{"kept.dat", "loop", "sub.dat"}));
}

TEST(FileSystem, AWriteErrorLeavesTheOldFileAndNoPartialOne) {
    TempFolder folder;
    writeFile(folder / "cases.dat", "old");
    // Files may grow to 300 bytes only: the write fails with EFBIG halfway through the file.
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = previous;
    lowered.rlim_cur = 300;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
    const std::string failure =
        failureOf([&] { saveInputDataFile(inputRows(20), folder / "cases.dat"); });
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(failure, "I/O エラー (27)");
    EXPECT_EQ(fileContent(folder / "cases.dat"), "old");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"cases.dat"});
}

TEST(FileSystem, SavingReplacesAFileKeepingItsModeAndReadsBack) {
    TempFolder folder;
    const std::string path = folder / "r.kgf";
    writeFile(path, std::string(5000, 'x'));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    // 2000 lines, 150 kB: read from the disk in several pieces, tokens cut between them.
    Table result = layouts::makeResultTable();
    testing::fillRows(result,
                      std::vector<std::vector<std::string>>(
                          2000, {"80", "47.5", "-0.52", "0.02", "25", "85.3", "12.34", "5678"}));
    saveResultFile(result, StiffnessUnit::KgfPerCm2, path);
    const std::string bytes = resultFileBytes(result, StiffnessUnit::KgfPerCm2);
    EXPECT_EQ(fileContent(path), bytes);
    const auto records = readResultFile(path);
    EXPECT_EQ(records.size(), 2000u);
    EXPECT_EQ(records, parseResultFile(bytes, testing::kReadFileName));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"r.kgf"});
}

// The content written in blocks: a replacement dropped before its commit changes nothing; one
// committed gives the blocks in order, into a file beside the old one or into a pipe (over a
// megabyte: through a scratch file).
TEST(FileSystem, AReplacementWrittenInBlocksChangesNothingUntilCommitted) {
    TempFolder folder;
    writeFile(folder / "r.mpa", "old");
    std::string content;
    for (int block = 0; block < 40; ++block) content += std::string(40000, 'a' + block % 26);
    const auto writeBlocks = [&](file_system::FileReplacement& file) {
        for (std::size_t at = 0; at < content.size(); at += 40000)
            file.write(std::string_view(content).substr(at, 40000));
    };
    for (const auto staging : {file_system::Staging::Unnamed, file_system::Staging::Named}) {
        {
            file_system::FileReplacement dropped(folder / "r.mpa", staging);
            writeBlocks(dropped);
        }
        EXPECT_EQ(fileContent(folder / "r.mpa"), "old");
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"r.mpa"});
    }
    file_system::FileReplacement committed(folder / "r.mpa");
    writeBlocks(committed);
    committed.commit();
    EXPECT_EQ(fileContent(folder / "r.mpa"), content);

    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    std::string received;
    {
        auto out = file_system::FileReplacement::intoDescriptor(pipe[1]);
        writeBlocks(out);
        char probe;
        EXPECT_EQ(::fcntl(pipe[0], F_SETFL, O_NONBLOCK), 0);
        EXPECT_EQ(::read(pipe[0], &probe, 1), -1);  // nothing has come yet
        EXPECT_EQ(::fcntl(pipe[0], F_SETFL, 0), 0);
        std::thread reader([&] {
            char buffer[65536];
            for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
                received.append(buffer, static_cast<std::size_t>(n));
        });
        out.commit();
        ::close(pipe[1]);
        reader.join();
    }
    ::close(pipe[0]);
    EXPECT_EQ(received, content);
}

TEST(FileSystem, TooManyOpenFiles) {
    TempFolder folder;
    writeFile(folder / "a.dat", "");
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &previous), 0);
    std::vector<int> held;
    for (int i = 0; i < 8; ++i) held.push_back(::open("/dev/null", O_RDONLY));
    // A sanitizer build checks the type of each failure object, and a first check needs a
    // pipe: make it now, while descriptors are free. Nothing else runs under the low limit.
    EXPECT_EQ(file_failures::tooManyOpenFiles().message(), kTooMany);
    rlimit lowered = previous;
    lowered.rlim_cur = static_cast<rlim_t>(held.back()) + 1;  // every descriptor below is taken
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::exception_ptr reading, saving;
    try {
        readInputDataFile(folder / "a.dat");
    } catch (...) {
        reading = std::current_exception();
    }
    try {
        saveInputDataFile(inputRows(1), folder / "b");
    } catch (...) {
        saving = std::current_exception();
    }
    for (int fd : held) ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &previous);
    ASSERT_TRUE(reading && saving);
    for (const auto& failure : {reading, saving})
        EXPECT_EQ(failureOf([&] { std::rethrow_exception(failure); }), kTooMany);
}

TEST(FileSystem, PathsLongerThanTheSystemLimitWork) {
    TempFolder folder;
    {
        const testing::DeepFolder deep(folder.path());
        const std::string path = folder / deep.relative() + "/cases.dat";
        ASSERT_GT(path.size(), static_cast<std::size_t>(PATH_MAX));
        saveInputDataFile(inputRows(3), path);
        EXPECT_EQ(readInputDataFile(path).size(), 3u);
        EXPECT_EQ(failureOf([&] { readInputDataFile(path + "x"); }), kNotFound);
        EXPECT_EQ(::unlinkat(deep.fd(), "cases.dat", 0), 0);
    }
    EXPECT_TRUE(folderEntries(folder.path()).empty());
}

// Whether the child has begun to stage the new content in the folder: a temporary name in it,
// or an unnamed file there open in the child.
bool stagingBegun(pid_t child, const std::string& folder) {
    if (folderEntries(folder).size() > 1) return true;
    const std::string fds = "/proc/" + std::to_string(child) + "/fd";
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(fds, ignored)) {
        char target[4096];
        const ssize_t length = ::readlink(entry.path().c_str(), target, sizeof target);
        if (length > 0 && std::string(target, length).starts_with(folder + "/#")) return true;
    }
    return false;
}

TEST(FileSystem, AnInterruptedSaveLeavesNoDebrisAndTheOldFile) {
    using file_system::Staging;
    const std::string bytes(48 << 20, 'x');
    const struct {
        Staging staging;
        int signal;
    } cases[] = {
        {Staging::Named, SIGINT},  {Staging::Named, SIGTERM},  {Staging::Named, SIGHUP},
        {Staging::Named, SIGXFSZ}, {Staging::Unnamed, SIGINT}, {Staging::Unnamed, SIGXFSZ},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.staging == Staging::Named ? "named " : "unnamed ") +
                     ::strsignal(c.signal));
        TempFolder folder;
        writeFile(folder / "r.mpa", "old");
        const pid_t child = ::fork();
        if (child == 0) {
            // A plain process: each signal at its default, no core file; the file-size limit
            // at 1 MB sends SIGXFSZ in the middle of the write.
            for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ})
                std::signal(signal, SIG_DFL);
            const rlimit noCore{0, 0}, oneMegabyte{1 << 20, RLIM_INFINITY};
            ::setrlimit(RLIMIT_CORE, &noCore);
            if (c.signal == SIGXFSZ) ::setrlimit(RLIMIT_FSIZE, &oneMegabyte);
            try {
                file_system::replaceFile(folder / "r.mpa", bytes, c.staging);
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        pid_t ended = 0;
        if (c.signal != SIGXFSZ) {
            while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
                   !stagingBegun(child, folder.path()))
                ::usleep(200);
            if (ended == 0) ::kill(child, c.signal);
        }
        if (ended == 0) ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << status;
        EXPECT_EQ(fileContent(folder / "r.mpa"), "old");
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"r.mpa"});
    }
}

// Several saves at once (the result file and the listings of the batch command): a signal
// removes every temporary name and then ends the process, also once the saves are over.
TEST(FileSystem, ASignalDuringOrAfterSeveralSavesEndsTheProcess) {
    for (const bool during : {true, false}) {
        SCOPED_TRACE(during ? "during" : "after");
        TempFolder folder;
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGTERM, SIG_DFL);
            {
                using file_system::FileReplacement;
                FileReplacement first(folder / "a.mpa", file_system::Staging::Named);
                FileReplacement second(folder / "b.mpa", file_system::Staging::Named);
                first.write("a");
                second.write("b");
                if (during) ::raise(SIGTERM);
            }
            ::raise(SIGTERM);
            ::_exit(0);
        }
        int status = 0;
        pid_t ended = 0;
        for (int wait = 0; wait < 1000 && (ended = ::waitpid(child, &status, WNOHANG)) == 0; ++wait)
            ::usleep(10000);
        if (ended == 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_TRUE(folderEntries(folder.path()).empty());
    }
}

// What a file holds against the new content: "new", "old" or where it first differs.
std::string contentAgainst(const std::string& path, const std::string& bytes) {
    const std::string content = fileContent(path);
    if (content == bytes) return "new";
    if (content == "old") return "old";
    const auto differs = std::mismatch(content.begin(), content.end(), bytes.begin(), bytes.end());
    return std::to_string(content.size()) + " bytes, torn at " +
           std::to_string(differs.first - content.begin());
}

// A file written in place (its folder may not be changed) while computing threads run: the
// signals that end a process, sent again and again while the write is under way, wait until the
// file is whole, whichever thread the system hands them to. The child is stopped once the new size
// is reserved, the write is seen half done, the signals are sent, and the child goes on.
TEST(FileSystem, SignalsDuringAnInPlaceWriteWaitUntilItIsWhole) {
    std::string bytes;
    for (int block = 0; bytes.size() < (8u << 20); ++block)
        bytes += std::string(4096, static_cast<char>('a' + block % 26));
    constexpr int kTrials = 5;
    int trials = 0;
    for (int attempt = 0; trials < kTrials && attempt < 8 * kTrials; ++attempt) {
        TempFolder folder;
        const std::string path = folder / "r.mpa";
        writeFile(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
        ASSERT_EQ(::chmod(folder.path().c_str(), 0555),
                  0);  // the superuser's child drops to nobody
        const pid_t child = ::fork();
        if (child == 0) {
            for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            const BlockWorkers workers(4, [] { return [](RowBlock&) {}; });
            if (::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
                 ::setresuid(65534, 65534, 65534) != 0))
                ::_exit(3);
            try {
                file_system::replaceFile(path, bytes);
            } catch (...) {
                ::_exit(2);
            }
            ::_exit(0);
        }
        struct stat info {};
        int status = 0;
        pid_t ended = 0;
        while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
               (::stat(path.c_str(), &info) != 0 ||
                info.st_size != static_cast<off_t>(bytes.size()))) {
        }
        if (ended != 0) {  // too quick to be caught
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            continue;
        }
        ::kill(child, SIGSTOP);
        ::waitpid(child, &status, WUNTRACED);
        const bool underWay = contentAgainst(path, bytes) != "new";
        for (int volley = 0; volley < 20; ++volley)
            for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::kill(child, signal);
        ::kill(child, SIGCONT);
        while (::waitpid(child, &status, WNOHANG) == 0) ::kill(child, SIGTERM);
        EXPECT_EQ(contentAgainst(path, bytes), "new");
        if (!underWay) continue;  // stopped while the file was being flushed
        ++trials;
        EXPECT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"r.mpa"});
    }
    EXPECT_EQ(trials, kTrials) << "the write was too quick to be caught under way";
}

}  // namespace
}  // namespace talveno
