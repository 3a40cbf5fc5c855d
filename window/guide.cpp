#include "window/guide.h"

#include <system_error>

#include "core/failure.h"
#include "window/window_texts.h"

namespace talveno::window::guide {

namespace {

Outcome errorBox(const std::string& message) {
    Outcome outcome;
    outcome.box = Box::Error;
    outcome.boxText = withFullStop(message);
    return outcome;
}

}  // namespace

std::filesystem::path place(const std::filesystem::path& programFolder,
                            std::string_view docFromProgram) {
    const std::filesystem::path build = programFolder.parent_path();
    std::error_code ignored;
    if (std::filesystem::is_regular_file(build / "CMakeCache.txt", ignored))
        return build / "guide" / kFileName;
    return (programFolder / docFromProgram / kFileName).lexically_normal();
}

Outcome missing(const std::filesystem::path& place) {
    return errorBox(texts::guideMissing(place.string()));
}

Outcome notOpened(const std::filesystem::path& place) {
    return errorBox(texts::guideNotOpened(place.string()));
}

}  // namespace talveno::window::guide
