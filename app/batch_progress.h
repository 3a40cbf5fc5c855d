#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// What the batch command tells on standard error while and after it runs.
namespace talveno::batch {

// The rows done and the share of the input read, shown on a terminal once a run has taken
// about a second, on one line that is rewritten and cleared at the end.
class Progress {
  public:
    // `inputSize`: the size of the input file in bytes, when it is a regular file.
    Progress(bool shown, std::optional<std::uint64_t> inputSize);
    ~Progress() { clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(std::int64_t rows, std::uint64_t bytesRead);
    // Removes the line, before anything else is written.
    void clear();

    std::chrono::steady_clock::time_point start() const { return start_; }

  private:
    bool shown_;
    std::optional<std::uint64_t> inputSize_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point nextUpdate_;
    bool lineShown_ = false;
};

// The report of a run that succeeded: "talveno-batch: 1000 rows computed into cases.mpa in
// 0.01 s" ("1 row", "into standard output").
std::string report(std::int64_t rows, const std::string& output,
                   std::chrono::duration<double> time);

}  // namespace talveno::batch
