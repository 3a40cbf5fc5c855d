#include "app/batch_progress.h"

#include <cstdio>

namespace talveno::batch {

namespace {

using Clock = std::chrono::steady_clock;

// A run shows its progress once it has taken this long, and rewrites it at most this often.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kUpdateInterval = std::chrono::milliseconds(200);

}  // namespace

Progress::Progress(bool shown, std::optional<std::uint64_t> inputSize)
    : shown_(shown), inputSize_(inputSize), nextUpdate_(start_ + kQuietTime) {}

void Progress::update(std::int64_t rows, std::uint64_t bytesRead) {
    if (!shown_) return;
    const Clock::time_point now = Clock::now();
    if (now < nextUpdate_) return;
    nextUpdate_ = now + kUpdateInterval;
    if (inputSize_ && *inputSize_ > 0)
        std::fprintf(
            stderr, "\rtalveno-batch: %lld rows, %d %% of the input\x1b[K",
            static_cast<long long>(rows),
            static_cast<int>(100 * std::min<double>(bytesRead, *inputSize_) / *inputSize_));
    else
        std::fprintf(stderr, "\rtalveno-batch: %lld rows\x1b[K", static_cast<long long>(rows));
    std::fflush(stderr);
    lineShown_ = true;
}

void Progress::clear() {
    if (!lineShown_) return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    lineShown_ = false;
}

std::string report(std::int64_t rows, const std::string& output,
                   std::chrono::duration<double> time) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", time.count());
    return "talveno-batch: " + std::to_string(rows) + (rows == 1 ? " row" : " rows") +
           " computed into " + (output == "-" ? "standard output" : output) + " in " + seconds +
           " s";
}

}  // namespace talveno::batch
