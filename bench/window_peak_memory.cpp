// Peak memory of the window with 20,000 filled input rows and their 20,000 result rows.
#include <sys/resource.h>

#include <cstdio>

#include "window_bench_support.h"

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    talveno::bench::useOffscreenPlatform();
    QApplication application(argc, argv);
    talveno::bench::Window window;
    QApplication::processEvents();
    std::printf("window shown: %.1f MB\n", peakMegabytes());
    constexpr int kRows = 20000;
    window.start(kRows);
    window.typeRows(kRows);
    window.click("BitBtn4");
    std::printf("peak with %d input and result rows: %.1f MB\n", kRows, peakMegabytes());
    return 0;
}
