// The window program on a terminal: --help, -h and --version answer on standard output without
// a display; an unknown option is a usage error, as in the batch command.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string contentOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

constexpr const char* kUsageStart = "usage: talveno [FILE]\n";

TEST(CommandLine, help_and_version_answer_without_a_display_and_bad_options_are_usage_errors) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("talveno-command-line-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const struct {
        const char* arguments;
        const char* stdoutTo;  // the standard output, when not the file read back
        int status;
        std::string out;  // standard output, or its start when it ends in the usage's first line
        std::string err;  // standard error's start
    } cases[] = {
        {"--help", nullptr, 0, kUsageStart, ""},
        {"-h", nullptr, 0, kUsageStart, ""},
        {"--version", nullptr, 0, "talveno " TALVENO_VERSION "\n", ""},
        {"-style fusion --version", nullptr, 0, "talveno " TALVENO_VERSION "\n", ""},
        {"--version", "/dev/full", 1, "", ""},
        {"--frobnicate cases.dat", nullptr, 2, "",
         std::string("talveno: unknown option '--frobnicate'\n") + kUsageStart},
        {"-x", nullptr, 2, "", std::string("talveno: unknown option '-x'\n") + kUsageStart},
        {"a.dat b.mpa", nullptr, 2, "", std::string("talveno: one FILE at most\n") + kUsageStart},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto out = folder / "out", err = folder / "err";
        const std::string command =
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" TALVENO "' " +
            std::string(c.arguments) + " >'" + (c.stdoutTo ? c.stdoutTo : out.string()) + "' 2>'" +
            err.string() + "'";
        std::filesystem::remove(out);
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        const std::string said = contentOf(out), complained = contentOf(err);
        if (c.out == kUsageStart) {
            EXPECT_TRUE(said.starts_with(c.out) && said.ends_with("\n")) << said;
        } else {
            EXPECT_EQ(said, c.out);
        }
        EXPECT_TRUE(complained.starts_with(c.err)) << complained;
        if (c.err.empty() && c.status == 0) {
            EXPECT_EQ(complained, "");
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
