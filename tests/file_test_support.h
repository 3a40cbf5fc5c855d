#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/failure.h"
#include "tables/table.h"

namespace talveno::testing {

// A fresh folder for one test's files, removed with everything in it.
class TempFolder {
  public:
    // In the folder for temporary files, or in the folder given.
    explicit TempFolder(const std::string& base = std::filesystem::temp_directory_path()) {
        std::string pattern = base + "/talveno-files-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// 30 nested folders of 200 characters below a folder: paths through them are over 6000 bytes,
// beyond the system's limit. Removed from the deepest up, as no path names them for the system.
class DeepFolder {
  public:
    explicit DeepFolder(const std::string& base)
        : fds_{::open(base.c_str(), O_RDONLY | O_DIRECTORY)} {
        for (int level = 0; level < 30; ++level) {
            ::mkdirat(fds_.back(), kComponent.c_str(), 0700);
            fds_.push_back(::openat(fds_.back(), kComponent.c_str(), O_RDONLY | O_DIRECTORY));
            relative_ += (level > 0 ? "/" : "") + kComponent;
        }
    }
    ~DeepFolder() {
        for (std::size_t level = fds_.size() - 1; level > 0; --level) {
            ::close(fds_[level]);
            ::unlinkat(fds_[level - 1], kComponent.c_str(), AT_REMOVEDIR);
        }
        ::close(fds_[0]);
    }

    // The deepest folder's path, relative to the base.
    const std::string& relative() const { return relative_; }
    // The deepest folder, open.
    int fd() const { return fds_.back(); }

  private:
    inline static const std::string kComponent = std::string(200, 'd');
    std::vector<int> fds_;
    std::string relative_;
};

inline std::string fileContent(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string content;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0)
        content.append(buffer, static_cast<std::size_t>(file.gcount()));
    return content;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Writes the texts into the data columns from column 1, rows from 1.
inline void fillRows(Table& table, const std::vector<std::vector<std::string>>& rows) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            table.setCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
}

// The texts of columns 1 to `last` of a row, each followed by "|".
inline std::string rowTexts(const Table& table, int row, int last) {
    std::string text;
    for (int column = 1; column <= last; ++column) text += table.cell(column, row) + "|";
    return text;
}

// The message of the failure the call throws, or "" when it throws none.
template <typename Call>
std::string failureOf(Call&& call) {
    try {
        call();
    } catch (const Failure& failure) {
        return std::string(failure.message());
    }
    return {};
}

// The name the readers are given for the bytes of a test's file.
inline constexpr std::string_view kReadFileName = "cases.dat";

// Reads the bytes with the reader into the table (n = 50); returns the records' cell texts,
// a line each, or the failure's message.
template <typename Parse, typename Apply>
std::string readTexts(Table table, int last, const std::string& bytes, Parse parse, Apply apply) {
    std::string texts;
    const std::string failure = failureOf([&] {
        const auto records = parse(bytes, kReadFileName);
        apply(table, 50, records);
        for (std::size_t row = 1; row <= records.size(); ++row)
            texts += rowTexts(table, static_cast<int>(row), last) + "\n";
    });
    return failure.empty() ? texts : failure;
}

}  // namespace talveno::testing
